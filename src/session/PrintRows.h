#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace hoplark {

class Session;

// The print modes: the index of the "印刷(&P)" menu item.
enum PrintMode {
    kPrintCurrent = 0,  // "現在の宛名を印刷"
    kPrintAll = 2,      // "一括印刷"
    kPrintSelected = 3, // "ﾘｽﾄの指定行を印刷"
    kPrintAfter = 4,    // "現在の宛名より後ろ全部"
};

// The job name every print job carries.
inline constexpr char16_t kPrintDocName[] = u"宛名印刷";

// The rows mode nMode prints, ascending: nCount rows in the list, nAdrIdx the current row,
// selected the rows whose Selected flag is set (mode 3; any order, duplicates ignored).
// Nothing for a mode that is no print command (the separator 1 and anything else).
std::optional<QList<int>> PrintRowList(int nMode, int nAdrIdx, int nCount,
                                       const QList<int>& selected);

// What the window supplies to a print job.
struct PrintCallbacks {
    // true before the job: the window disables the menus "ﾌｧｲﾙ(&F)" and "印刷(&P)" and shows
    // the busy pointer; false afterwards, whatever happened between.
    std::function<void(bool bBusy)> busy;
    // Between Open and the first page, once every question has been answered: the window
    // shows its progress dialog here.
    std::function<void(int nTotal)> started;
    // After every page and once before the first: pages sent so far and pages of the job.
    // Returning false cancels: no further page is started, the pages sent stay sent, the job
    // is ended and the printer released. The window lets events run from here.
    std::function<bool(int nDone, int nTotal)> progress;
};

struct PrintOutcome {
    bool bJob = false;       // a job was started (and has been ended)
    int nPages = 0;          // pages sent
    bool bCancelled = false; // the progress callback asked to stop
    QString sMsg; // why nothing or not all was printed: nothing to print, an output refused or
                  // not written whole, a run-time error of layout or composition (the job is
                  // then ended)
};

// A print job: one job "宛名印刷" on the printer of the current settings (the printer
// dialog when that printer cannot be opened), one page per row of the mode. The job takes
// copies of what it prints (profile, records, sender, honorific rules) and draws with a
// layout and a target of its own, and the session is busy for the whole job: nothing the
// window does meanwhile reaches it. Each page runs the preview's steps (lay out, lay out
// again when the record needs an extra line, compose). An empty row range is no job: the
// outcome's message says there is nothing to print. Output to a file the program reads is
// refused, and a file that could not be written whole is reported in sMsg (the old file
// stays). nAdrIdx of the session is left at the last row printed.
PrintOutcome PrintRows(Session& s, int nMode, const QList<int>& selected = {},
                       const PrintCallbacks& cb = {});

// The job name and menu caption of the test page.
inline constexpr char16_t kTestPageName[] = u"位置調整の試し印刷";

// The position test page of the current profile as a job of one page, on the printer and
// with the print position correction of any print job: the outlines of the postal-code boxes
// where the profile prints the digits, two cross hairs and millimetre scales.
PrintOutcome PrintTestPage(Session& s, const PrintCallbacks& cb = {});

} // namespace hoplark

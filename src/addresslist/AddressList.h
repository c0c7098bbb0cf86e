#pragma once

#include "addresslist/CsvConvert.h"
#include "addresslist/ListDecode.h"
#include "addresslist/RecordLines.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace hoplark {

struct LoadRequest;

// The loaded address list of the main window: record lines (colAdr), their display rows
// (the rows of LsAdd), the current index and the layout flag.
class AddressList {
public:
    // What a load request did.
    enum class Outcome {
        Unchanged, // nothing changed, nothing to say (no file named, a cancelled dialog)
        Refused,   // nothing changed; sLoadMsg says why (no text, no address in it, ...)
        Filled     // list replaced; optAdd() names the line-break option to select
    };

    // A record line of a list loaded without codes that was left out, by its line in the file.
    struct Skipped {
        int nLine;
        int nFields; // 0: the line was empty
    };

    // Performs a load request: "CODES PATH" or "PATH". With codes, map (when not empty)
    // first turns the list's columns into the ones the codes name. A file that yields no
    // record changes nothing. A record line with too few fields (possible only without
    // codes) is left out and the rest loaded; skipped and sLoadMsg then say which. The
    // request names no file: Unchanged, silently.
    Outcome LoadAdrList(const QString& sCm, ListEncoding enc = ListEncoding::Auto,
                        const ColumnMap& map = {});
    // The same, for a list already read (text) from sPath (named in messages). The text is
    // taken (and let go once converted, so a long list is not held twice over).
    Outcome LoadListText(const LoadRequest& req, QString text, const ColumnMap& map = {});
    // Replaces the list by the record lines of text (the first is a header; lines end at
    // CR LF, LF or CR). A record line with too few fields is left out and listed in skipped
    // by its line in text.
    Outcome FillAdrList(const QString& text);

    // Record line of row i (0-based), the empty text when out of range.
    QString Record(int i) const { return i >= 0 && i < colAdr.size() ? colAdr.at(i) : QString(); }
    // The current record line: colAdr item nAdrIdx + 1.
    QString Current() const { return Record(nAdrIdx); }
    int count() const { return static_cast<int>(colAdr.size()); }
    // The line-break option that the last fill selected and enabled: 1 for the full layout,
    // 0 for the pre-split layout.
    int optAdd() const { return bFullLay ? 1 : 0; }

    RecordLines colAdr; // record lines, in list order (item i+1 of the collection is colAdr[i])
    // The display row of record i (the row of LsAdd), made from its line when asked, so that
    // a long list is held once; empty when out of range. Rows(): all of them.
    QString Row(qsizetype i) const;
    QStringList Rows() const;
    // The current row. Wider than 16 bits: a list may hold more than 32767 rows, and every
    // one of them must be selectable and printable.
    int nAdrIdx = 0;
    bool bFullLay = false;

    // What the last load has to tell the user: why it was refused, or which lines it left
    // out (CR between lines). Empty when there is nothing to say.
    QString sLoadMsg;
    QList<Skipped> skipped;
};

// A load request taken apart: the column-code string (when there is one) and the path.
struct LoadRequest {
    bool bHasCodes = false;
    QString sCodes;
    QString sPath;
};

// The request is trimmed; the text before its first space is the code string unless it
// holds a "/" (then the whole request is a path that contains a space).
LoadRequest SplitLoadRequest(const QString& sCm);

// Tidies each text in place: trim, "  " → " " until none, ";;" → ";" until none.
void TidyFields(QStringList& values);
void TidyField(QString& value);

// Removes every repetition of sep at the end of text, then at its start.
void TrimSepAll(QString& text, const QString& sep);

} // namespace hoplark

namespace hoplark {

// Reads a list file as text (a vCard file as the CSV list VCardToCsv makes of it): a folder, a
// device, an unreadable file or bytes that are no text give false and a message naming the file
// (sWhy). A missing file gives false and no message.
bool ReadListFile(const QString& sPath, ListEncoding enc, QString& text, QString& sWhy);

} // namespace hoplark

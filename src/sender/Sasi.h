#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace hoplark {

// The sender file "差出人.ini" in the "Paper" folder of the user data folder.
QString SasiPath(const QString& UsrFld);

// Brings a value of ";"-separated lines to exactly c fields, each followed by ";": missing
// fields are added empty, fields from the c-th on are joined into the c-th with one blank.
void FitSep(QString& sValue, int c);

// One record line per sender of the file text, in file order: nine fields separated by ";"
// (postal code, address lines 1-4, workplace lines 1-3, name).
QStringList SasiRecords(const QString& sFileText);

// What the main window shows of the senders: the nine sender fields and the selector hsBar.
struct SasiView {
    std::array<QString, 9> txAdd; // 0 postal code, 1-4 address, 5-7 workplace, 8 name
    int nMin = 1;                 // hsBar range
    int nMax = 1;
    bool bEnabled = false; // the selector is switched off while the file holds no sender
};

// Reads the sender file again and shows sender n (1-based): 0 means the first, a number past
// the last sender means the last. n is adjusted in place; without any sender the fields are
// empty and n is left as it was.
SasiView ShowSasi(const QString& UsrFld, qint16& n);

// The sender window edits the file as plain text with "\n" line ends; the file keeps CR LF.
QString SasiEditText(const QString& sFileText);
QString SasiFileText(const QString& sEditText);

// The close of the sender window. sTx is the text the window was opened with (edit form);
// bUpd says "更新して閉じる" was chosen. When it was and the text differs, the file is
// replaced and bUdt becomes true, sTx taking the new text. Returns an empty string when the
// window may close, else the message to show: the file could not be written (it stays as it
// was) or the text holds characters code page 932 cannot hold (named in the message); the
// window then stays open with the edited text.
QString CloseSasi(const QString& UsrFld, QString& sTx, const QString& sEdited, bool bUpd,
                  bool& bUdt);

} // namespace hoplark

#pragma once

#include <QString>
#include <QStringList>

namespace hoplark {

// The loaded address list of the main window: record lines (colAdr), their display rows
// (the rows of LsAdd), the current index and the layout flag.
class AddressList {
public:
    // What a load request did.
    enum class Outcome {
        Unchanged, // nothing changed (no file, unreadable, ...)
        Filled,    // list replaced; optAdd() names the line-break option to select
        Partial    // a short record line ended the fill: rows before it are kept, no selection
    };

    // Performs a load request: "CODES PATH" or "PATH". Never shows a message; a request that
    // names no readable, non-empty file changes nothing.
    Outcome LoadAdrList(const QString& sCm);
    // Replaces the list by the record lines of text (CR LF between them; the first is a
    // header). A record line with too few fields ends the fill there (Outcome::Partial):
    // colAdr and rows then hold the records before it, and nAdrIdx is left alone.
    Outcome FillAdrList(const QString& text);

    // Record line of row i (0-based), the empty text when out of range.
    QString Record(int i) const { return i >= 0 && i < colAdr.size() ? colAdr.at(i) : QString(); }
    // The current record line: colAdr item nAdrIdx + 1.
    QString Current() const { return Record(nAdrIdx); }
    int count() const { return static_cast<int>(colAdr.size()); }
    // The line-break option that the last fill selected and enabled: 1 for the full layout,
    // 0 for the pre-split layout.
    int optAdd() const { return bFullLay ? 1 : 0; }

    QStringList
        colAdr; // record lines, in list order (1-based item i+1 of the collection is colAdr[i])
    QStringList rows; // display rows, one per record
    // The current row. Wider than 16 bits: a list may hold more than 32767 rows, and every
    // one of them must be selectable and printable.
    int nAdrIdx = 0;
    bool bFullLay = false;
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

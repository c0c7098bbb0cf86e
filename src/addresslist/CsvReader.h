#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <deque>

namespace hoplark {

// Reads a CSV text record by record. A line ends at CR LF, LF or CR. A field that begins with
// a double quote is read to its closing quote: inside, "" is one quote, a comma becomes "，"
// and a line break becomes ";" (record lines join fields with commas and records with line
// breaks, so neither may survive in a value). A quote anywhere else is an ordinary
// character, and so is an opening quote that no closing quote follows. The reader keeps only
// a position in the text, so it can as well be fed piece by piece.
class CsvReader {
public:
    explicit CsvReader(QStringView text) : m_text(text) {}

    // Reads the next record; false at the end of the text. Only its first nMax fields are
    // kept (all when nMax < 0); the rest are still read past, quotes and all. An empty line
    // is a record without fields.
    bool Next(qsizetype nMax = -1);

    qsizetype count() const { return m_fields.size(); }
    QStringView field(qsizetype i) const { return m_fields.at(i); }
    const QList<QStringView>& fields() const { return m_fields; }
    // The line of the text (from 1) on which the record last read begins.
    int lineNo() const { return m_nLineNo; }

private:
    // Reads one field from m_pos; true when a line end (or the end of the text) follows it.
    bool ReadField(bool bKeep);
    // The position of the closing quote of a field opened at m_pos, or -1.
    qsizetype ClosingQuote(qsizetype open) const;
    // Steps over the line end at m_pos (if any), counting it.
    void SkipLineEnd();

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_nLine = 1;   // the line m_pos is on
    int m_nLineNo = 0; // the line the last record began on
    QList<QStringView> m_fields;
    std::deque<QString> m_quoted; // the decoded quoted fields of this record, in order
    size_t m_nQuoted = 0;
};

} // namespace hoplark

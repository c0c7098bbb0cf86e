#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QList>

#include <optional>

namespace hoplark {

// Reads objects of a PDF file as Qt's PDF engine writes it: one classic cross-reference table,
// dictionaries, arrays, names, numbers, references and unfiltered streams. Objects are read
// one at a time, the table entry by entry, so a large file is never held whole.
class PdfObjects {
public:
    using Dict = QHash<QByteArray, QByteArray>; // key (without "/") -> the value as written

    explicit PdfObjects(const QString& sPath) : m_file(sPath) {}

    // The cross-reference table and trailer the file ends with; false when the file cannot be
    // read or has no such table, or was updated before (more than one table to follow) unless
    // bUpdates: then the tables of the updates are read too, the newest entry of an object wins.
    bool Open(bool bUpdates = false);
    qint64 Size() const { return m_nSize; }
    qint64 XrefOffset() const { return m_nXref; }
    const Dict& Trailer() const { return m_trailer; }

    // The dictionary object num is, or begins with (a stream's); empty when it is none.
    Dict ObjectDict(qsizetype num);
    // The data of stream object num, when it has no filter.
    std::optional<QByteArray> Stream(qsizetype num);
    // A number, written as such or as a reference to a number object.
    std::optional<qint64> Integer(const QByteArray& value);
    // The file from nAt on, at least nLeast bytes of it unless the file ends first. The file is
    // read forward in large pieces; the view lasts until the next call.
    QByteArrayView View(qint64 nAt, qint64 nLeast);
    // The objects whose dictionaries hold text near their start (the file is read once, a
    // piece at a time).
    QList<qsizetype> ObjectsHolding(QByteArrayView text);

    // The object number of a reference "n g R" (or of the first in an array); -1 if none.
    static qsizetype Ref(QByteArrayView value);
    // The name a value "/Name" gives, #xx escapes read; empty if none.
    static QByteArray Name(QByteArrayView value);
    static bool IsWhite(char c);

private:
    struct Section {
        qint64 first, count, at; // object numbers first.., entries from file offset at
    };
    std::optional<Dict> ReadTable(qint64 nXref);
    qint64 Offset(qsizetype num);
    QByteArray Bytes(qsizetype num, qsizetype nLeast = 0);
    Dict ParseObject(qsizetype num, const QByteArray& bytes, qsizetype* pEnd);

    QFile m_file;
    qint64 m_nSize = 0;
    qint64 m_nXref = -1;
    QList<Section> m_sections;
    Dict m_trailer;
    QByteArray m_view;
    qint64 m_nViewAt = 0;
};

} // namespace hoplark

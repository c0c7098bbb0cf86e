#include "addresslist/RecordLines.h"

namespace hoplark {

RecordLines::RecordLines(const QStringList& lines) {
    for (const QString& line : lines)
        append(line);
}

void RecordLines::clear() {
    m_text.clear();
    m_start.clear();
    m_length.clear();
}

void RecordLines::reserve(qsizetype nLines) {
    m_start.reserve(nLines);
    m_length.reserve(nLines);
}

void RecordLines::append(QStringView line) {
    AddPiece(m_text.size(), line.size());
    m_text.append(line);
}

void RecordLines::Adopt(const QString& text) {
    clear();
    m_text = text;
}

void RecordLines::AddPiece(qsizetype nStart, qsizetype nLength) {
    m_start.append(static_cast<qint32>(nStart));
    m_length.append(static_cast<qint32>(nLength));
}

QStringList RecordLines::toList() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(at(i));
    return out;
}

} // namespace hoplark

#include "addresslist/CsvReader.h"

namespace hoplark {

namespace {

constexpr char16_t kWideComma = 0xFF0C;

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

qsizetype CsvReader::ClosingQuote(qsizetype open) const {
    qsizetype i = open + 1;
    while (true) {
        i = m_text.indexOf(u'"', i);
        if (i < 0)
            return -1;
        if (i + 1 < m_text.size() && m_text[i + 1] == u'"') {
            i += 2; // "" inside: one quote
            continue;
        }
        return i;
    }
}

void CsvReader::SkipLineEnd() {
    if (m_pos >= m_text.size())
        return;
    if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_nLine;
}

bool CsvReader::ReadField(bool bKeep) {
    const qsizetype start = m_pos;
    const qsizetype n = m_text.size();
    if (start < n && m_text[start] == u'"') {
        const qsizetype close = ClosingQuote(start);
        if (close >= 0) {
            QString* value = nullptr;
            if (bKeep) {
                if (m_nQuoted == m_quoted.size())
                    m_quoted.emplace_back();
                value = &m_quoted[m_nQuoted++];
                value->truncate(0);
            }
            for (qsizetype i = start + 1; i < close; ++i) {
                const QChar c = m_text[i];
                if (c == u'"') {
                    ++i; // the second quote of ""
                } else if (IsLineEnd(c)) {
                    if (c == u'\r' && i + 1 < close && m_text[i + 1] == u'\n')
                        ++i;
                    ++m_nLine;
                    if (value)
                        *value += u';';
                    continue;
                } else if (c == u',') {
                    if (value)
                        *value += QChar(kWideComma);
                    continue;
                }
                if (value)
                    *value += c;
            }
            // Whatever stands between the closing quote and the next comma belongs to the
            // field as it is.
            m_pos = close + 1;
            while (m_pos < n && m_text[m_pos] != u',' && !IsLineEnd(m_text[m_pos])) {
                if (value)
                    *value += m_text[m_pos];
                ++m_pos;
            }
            if (value)
                m_fields.append(*value);
            return m_pos >= n || IsLineEnd(m_text[m_pos]);
        }
    }
    while (m_pos < n && m_text[m_pos] != u',' && !IsLineEnd(m_text[m_pos]))
        ++m_pos;
    if (bKeep)
        m_fields.append(m_text.sliced(start, m_pos - start));
    return m_pos >= n || IsLineEnd(m_text[m_pos]);
}

bool CsvReader::Next(qsizetype nMax) {
    m_fields.clear();
    m_nQuoted = 0;
    // A text that ends with a line end has no empty record after it.
    if (m_pos >= m_text.size())
        return false;
    m_nLineNo = m_nLine;
    if (IsLineEnd(m_text[m_pos])) {
        SkipLineEnd();
        return true; // an empty line
    }
    while (true) {
        const bool bKeep = nMax < 0 || m_fields.size() < nMax;
        if (ReadField(bKeep)) {
            SkipLineEnd();
            return true;
        }
        ++m_pos; // the comma
    }
}

} // namespace hoplark

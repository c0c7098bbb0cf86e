#pragma once

#include "imaging/PdfObjects.h"

namespace hoplark {

// The classes of bytes in PDF syntax, looked up: scanning a large file calls these for every
// byte.
struct PdfBytes {
    enum : quint8 { White = 1, Delimiter = 2 };
    quint8 classes[256] = {};
    constexpr PdfBytes() {
        for (const char c : {' ', '\n', '\r', '\t', '\f', '\0'})
            classes[uchar(c)] = White;
        for (const char c : {'(', ')', '<', '>', '[', ']', '{', '}', '/', '%', '\0'})
            classes[uchar(c)] |= Delimiter;
    }
};
inline constexpr PdfBytes kPdfBytes;

inline bool IsPdfWhite(char c) {
    return kPdfBytes.classes[uchar(c)] & PdfBytes::White;
}
inline bool IsPdfDelimiter(char c) {
    return kPdfBytes.classes[uchar(c)] & PdfBytes::Delimiter;
}

// Tokens and values of PDF syntax in a piece of a file.
class PdfScanner {
public:
    explicit PdfScanner(QByteArrayView d) : m_d(d) {}

    qsizetype SkipWhite(qsizetype at) const {
        while (at < m_d.size()) {
            if (m_d[at] == '%') {
                while (at < m_d.size() && m_d[at] != '\n' && m_d[at] != '\r')
                    ++at;
            } else if (IsPdfWhite(m_d[at])) {
                ++at;
            } else {
                break;
            }
        }
        return at;
    }

    // The end of the token at `at`: a word, number or name; a delimiter ("<<" too) alone.
    qsizetype TokenEnd(qsizetype at) const {
        if (at >= m_d.size())
            return at;
        if (m_d[at] == '/') {
            ++at;
        } else if (IsPdfDelimiter(m_d[at])) {
            const bool bDouble =
                at + 1 < m_d.size() && (m_d[at] == '<' || m_d[at] == '>') && m_d[at + 1] == m_d[at];
            return at + (bDouble ? 2 : 1);
        }
        while (at < m_d.size() && !IsPdfWhite(m_d[at]) && !IsPdfDelimiter(m_d[at]))
            ++at;
        return at;
    }

    QByteArrayView Token(qsizetype at) const { return m_d.sliced(at, TokenEnd(at) - at); }

    bool At(qsizetype at, QByteArrayView s) const {
        if (at < 0 || at + s.size() > m_d.size())
            return false;
        for (qsizetype i = 0; i < s.size(); ++i)
            if (m_d[at + i] != s[i])
                return false;
        return true;
    }

    // The end of the value at `at`: a dictionary, array, string, name, or a number that may
    // begin a reference "n g R". Past the end when the piece ends first.
    qsizetype ValueEnd(qsizetype at) const {
        if (at >= m_d.size())
            return m_d.size() + 1;
        const char c = m_d[at];
        if (c == '(') {
            for (int nDepth = 0; at < m_d.size(); ++at) {
                if (m_d[at] == '\\')
                    ++at;
                else if (m_d[at] == '(')
                    ++nDepth;
                else if (m_d[at] == ')' && --nDepth == 0)
                    return at + 1;
            }
            return m_d.size() + 1;
        }
        if (c == '[' || At(at, "<<")) {
            const QByteArrayView close = c == '[' ? "]" : ">>";
            at = SkipWhite(TokenEnd(at));
            while (at < m_d.size() && !At(at, close)) {
                if (c == '<') // a key before each value
                    at = SkipWhite(TokenEnd(at));
                const qsizetype end = ValueEnd(at);
                if (end <= at || end > m_d.size())
                    return m_d.size() + 1;
                at = SkipWhite(end);
            }
            return at < m_d.size() ? at + close.size() : m_d.size() + 1;
        }
        if (c == '<') {
            const qsizetype end = m_d.indexOf('>', at);
            return end < 0 ? m_d.size() + 1 : end + 1;
        }
        const qsizetype end = TokenEnd(at);
        if (c < '0' || c > '9')
            return end;
        const qsizetype g = SkipWhite(end);
        const qsizetype r = SkipWhite(TokenEnd(g));
        const bool bRef = g < m_d.size() && m_d[g] >= '0' && m_d[g] <= '9' && r < m_d.size() &&
                          m_d[r] == 'R' && TokenEnd(r) == r + 1;
        return bRef ? r + 1 : end;
    }

    // Calls f(key, value) for each entry of the dictionary at `at` (the key without "/");
    // its end, or -1 when there is no whole dictionary there.
    template <class F> qsizetype ForEachEntry(qsizetype at, F f) const {
        at = SkipWhite(at);
        if (!At(at, "<<"))
            return -1;
        at = SkipWhite(at + 2);
        while (at < m_d.size() && m_d[at] == '/') {
            const qsizetype keyEnd = TokenEnd(at);
            const qsizetype value = SkipWhite(keyEnd);
            const qsizetype valueEnd = ValueEnd(value);
            if (valueEnd <= value || valueEnd > m_d.size())
                return -1;
            f(m_d.sliced(at + 1, keyEnd - at - 1), m_d.sliced(value, valueEnd - value));
            at = SkipWhite(valueEnd);
        }
        return At(at, ">>") ? at + 2 : -1;
    }

    PdfObjects::Dict DictAt(qsizetype at, qsizetype* pEnd) const {
        PdfObjects::Dict dict;
        const qsizetype end = ForEachEntry(at, [&dict](QByteArrayView key, QByteArrayView value) {
            dict.insert(key.toByteArray(), value.toByteArray());
        });
        if (end < 0)
            return {};
        if (pEnd)
            *pEnd = end;
        return dict;
    }

    // The value of one entry of the dictionary at `at`; empty when it has none.
    QByteArrayView ValueOf(qsizetype at, QByteArrayView key) const {
        QByteArrayView found;
        ForEachEntry(at, [&](QByteArrayView k, QByteArrayView value) {
            if (k == key)
                found = value;
        });
        return found;
    }

private:
    QByteArrayView m_d;
};

} // namespace hoplark

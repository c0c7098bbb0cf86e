#include "imaging/PdfObjects.h"

#include "imaging/PdfScanner.h"

#include <algorithm>
#include <cstring>

namespace hoplark {

bool PdfObjects::IsWhite(char c) {
    return IsPdfWhite(c);
}

namespace {

constexpr qint64 kChunk = 256 * 1024;
constexpr qint64 kNear = 256;
constexpr qsizetype kMaxObjects = 10'000'000;
constexpr qint64 kMaxObject = 64 * 1024 * 1024;

} // namespace

bool PdfObjects::Open(bool bUpdates) {
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_nSize = m_file.size();
    const qint64 nTail = std::min<qint64>(m_nSize, 1024);
    if (!m_file.seek(m_nSize - nTail))
        return false;
    const QByteArray tail = m_file.read(nTail);
    const qsizetype nStart = tail.lastIndexOf("startxref");
    if (nStart < 0)
        return false;
    const PdfScanner t(tail);
    bool bOk = false;
    m_nXref = t.Token(t.SkipWhite(nStart + 9)).toLongLong(&bOk);
    if (!bOk || m_nXref <= 0 || m_nXref >= m_nSize)
        return false;
    m_sections.clear();
    // Newest table first; each update points back to the one before, further up the file.
    for (qint64 nXref = m_nXref, nTables = 0;; ++nTables) {
        const std::optional<Dict> trailer = ReadTable(nXref);
        if (!trailer || !trailer->contains("Root") || trailer->contains("XRefStm"))
            return false;
        if (nTables == 0)
            m_trailer = *trailer;
        if (!trailer->contains("Prev"))
            return true;
        const qint64 nPrev = trailer->value("Prev").toLongLong(&bOk);
        if (!bUpdates || !bOk || nPrev <= 0 || nPrev >= nXref || nTables > 64)
            return false;
        nXref = nPrev;
    }
}

// The sections of the table at nXref (appended to those found so far) and its trailer.
std::optional<PdfObjects::Dict> PdfObjects::ReadTable(qint64 nXref) {
    // Each subsection: "first count", then count entries of exactly 20 bytes each.
    qint64 nAt = nXref + 4;
    QByteArray head = m_file.seek(nXref) ? m_file.read(4) : QByteArray();
    if (head != "xref")
        return std::nullopt;
    for (;;) {
        if (!m_file.seek(nAt))
            return std::nullopt;
        head = m_file.read(64);
        const PdfScanner h(head);
        qsizetype at = h.SkipWhite(0);
        if (at >= head.size() || head[at] < '0' || head[at] > '9')
            break;
        bool bFirst = false, bCount = false;
        const qint64 nFirst = h.Token(at).toLongLong(&bFirst);
        at = h.SkipWhite(h.TokenEnd(at));
        const qint64 nCount = h.Token(at).toLongLong(&bCount);
        at = h.SkipWhite(h.TokenEnd(at));
        if (!bFirst || !bCount || nFirst < 0 || nCount < 0 || nFirst + nCount > kMaxObjects ||
            at >= head.size() || nAt + at + 20 * nCount > m_nSize)
            return std::nullopt;
        m_sections.append({nFirst, nCount, nAt + at});
        nAt += at + 20 * nCount;
    }
    const QByteArray rest =
        m_file.seek(nAt) ? m_file.read(std::min<qint64>(m_nSize - nAt, 64 * 1024)) : QByteArray();
    const PdfScanner r(rest);
    const qsizetype at = r.SkipWhite(0);
    if (!r.At(at, "trailer"))
        return std::nullopt;
    return r.DictAt(at + 7, nullptr);
}

QByteArrayView PdfObjects::View(qint64 nAt, qint64 nLeast) {
    const qint64 nEnd = m_nViewAt + m_view.size();
    if (nAt < m_nViewAt || nAt + nLeast > nEnd) {
        if (!m_file.seek(nAt))
            return {};
        m_view = m_file.read(std::max(nLeast, kChunk));
        m_nViewAt = nAt;
    }
    return QByteArrayView(m_view).sliced(std::min<qint64>(nAt - m_nViewAt, m_view.size()));
}

// Where object num starts, from its entry in the table; -1 when it is free or unknown.
qint64 PdfObjects::Offset(qsizetype num) {
    for (const Section& section : std::as_const(m_sections)) {
        if (num < section.first || num >= section.first + section.count)
            continue;
        if (!m_file.seek(section.at + 20 * (num - section.first)))
            return -1;
        const QByteArray entry = m_file.read(20);
        bool bOk = false;
        const qint64 nOffset = entry.left(10).toLongLong(&bOk);
        return bOk && entry.size() == 20 && entry[17] == 'n' && nOffset < m_nXref ? nOffset : -1;
    }
    return -1;
}

// The bytes of object num from its start through "endobj" (found after nLeast bytes).
QByteArray PdfObjects::Bytes(qsizetype num, qsizetype nLeast) {
    const qint64 nStart = Offset(num);
    if (nStart < 0)
        return {};
    for (qint64 nWindow = 4096;; nWindow *= 2) {
        const qint64 nRead = std::min(nWindow, m_nXref - nStart);
        if (!m_file.seek(nStart))
            return {};
        const QByteArray bytes = m_file.read(nRead);
        if (bytes.indexOf("endobj", nLeast) >= 0 || nRead < nWindow || nWindow >= kMaxObject)
            return bytes;
    }
}

PdfObjects::Dict PdfObjects::ParseObject(qsizetype num, const QByteArray& bytes, qsizetype* pEnd) {
    const PdfScanner s(bytes);
    bool bOk = false;
    if (s.Token(0).toLongLong(&bOk) != num || !bOk)
        return {};
    const qsizetype at = s.SkipWhite(s.TokenEnd(s.SkipWhite(s.TokenEnd(0)))); // generation
    if (!s.At(at, "obj"))
        return {};
    return s.DictAt(at + 3, pEnd);
}

PdfObjects::Dict PdfObjects::ObjectDict(qsizetype num) {
    return ParseObject(num, Bytes(num), nullptr);
}

std::optional<qint64> PdfObjects::Integer(const QByteArray& value) {
    bool bOk = false;
    const qint64 n = value.toLongLong(&bOk);
    if (bOk)
        return n;
    const qsizetype num = Ref(value);
    const QByteArray bytes = Bytes(num);
    const PdfScanner s(bytes);
    if (s.Token(0).toLongLong(&bOk) != num || !bOk)
        return std::nullopt;
    const qsizetype at = s.SkipWhite(s.TokenEnd(s.SkipWhite(s.TokenEnd(0))));
    if (!s.At(at, "obj"))
        return std::nullopt;
    const qint64 nValue = s.Token(s.SkipWhite(at + 3)).toLongLong(&bOk);
    return bOk ? std::optional<qint64>(nValue) : std::nullopt;
}

std::optional<QByteArray> PdfObjects::Stream(qsizetype num) {
    QByteArray bytes = Bytes(num);
    qsizetype at = -1;
    const Dict dict = ParseObject(num, bytes, &at);
    const std::optional<qint64> length = Integer(dict.value("Length"));
    if (at < 0 || dict.contains("Filter") || !length || *length < 0 || *length > kMaxObject)
        return std::nullopt;
    at = PdfScanner(bytes).SkipWhite(at);
    if (!PdfScanner(bytes).At(at, "stream"))
        return std::nullopt;
    at += 6;
    at += PdfScanner(bytes).At(at, "\r\n") ? 2 : PdfScanner(bytes).At(at, "\n") ? 1 : 0;
    if (at + *length > bytes.size()) // the data held "endobj"
        bytes = Bytes(num, at + *length);
    if (at + *length > bytes.size())
        return std::nullopt;
    return bytes.mid(at, *length);
}

QList<qsizetype> PdfObjects::ObjectsHolding(QByteArrayView text) {
    QList<qsizetype> objects;
    if (text.isEmpty())
        return objects;
    // Pieces overlap, so an occurrence and the object header before it are in one of them.
    for (qint64 nStart = 0; nStart < m_nXref; nStart += kChunk) {
        if (!m_file.seek(nStart))
            break;
        const QByteArray piece =
            m_file.read(std::min(kChunk + kNear + text.size(), m_nXref - nStart));
        // memmem: several times quicker than QByteArray::indexOf on megabytes.
        const auto Find = [&](qsizetype from) -> qsizetype {
            const void* p =
                ::memmem(piece.constData() + from, piece.size() - from, text.data(), text.size());
            return p ? static_cast<const char*>(p) - piece.constData() : -1;
        };
        for (qsizetype hit = Find(nStart == 0 ? 0 : kNear); hit >= 0; hit = Find(hit + 1)) {
            if (hit >= kChunk + kNear)
                break;
            // The nearest "num gen obj" before it.
            for (qsizetype o = piece.lastIndexOf("obj", hit); o >= 0 && hit - o < kNear;
                 o = piece.lastIndexOf("obj", o - 1)) {
                qsizetype b = o;
                const auto Back = [&](bool bDigits) {
                    const qsizetype end = b;
                    while (b > 0 && (bDigits ? piece[b - 1] >= '0' && piece[b - 1] <= '9'
                                             : IsWhite(piece[b - 1])))
                        --b;
                    return b < end;
                };
                if (!(Back(false) && Back(true) && Back(false) && Back(true)) ||
                    (b > 0 && !IsWhite(piece[b - 1])))
                    continue;
                qsizetype e = b;
                while (piece[e] >= '0' && piece[e] <= '9')
                    ++e;
                const qsizetype num = piece.mid(b, e - b).toLongLong();
                if (Offset(num) == nStart + b && !objects.contains(num))
                    objects.append(num);
                break;
            }
        }
    }
    return objects;
}

qsizetype PdfObjects::Ref(QByteArrayView value) {
    value = value.trimmed();
    if (value.startsWith('['))
        value = value.sliced(1);
    const QList<QByteArray> words = value.toByteArray().simplified().split(' ');
    bool bOk = false;
    const qsizetype n = words.value(0).toLongLong(&bOk);
    return bOk && words.size() >= 3 && words[2].startsWith('R') ? n : -1;
}

QByteArray PdfObjects::Name(QByteArrayView value) {
    value = value.trimmed();
    if (!value.startsWith('/'))
        return {};
    QByteArray name;
    for (qsizetype i = 1; i < value.size(); ++i) {
        if (value[i] == '#' && i + 2 < value.size()) {
            name += QByteArray::fromHex(value.sliced(i + 1, 2).toByteArray()).left(1);
            i += 2;
        } else {
            name += value[i];
        }
    }
    return name;
}

} // namespace hoplark

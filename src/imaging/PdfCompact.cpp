#include "imaging/PdfCompact.h"

#include "imaging/PdfObjects.h"
#include "imaging/PdfScanner.h"
#include "platform/OutputFile.h"

#include <QHash>
#include <QTemporaryFile>

#include <algorithm>
#include <limits>
#include <optional>

namespace hoplark {

namespace {

constexpr qint64 kObjectHead = 4096;
constexpr qint64 kMaxValue = 64 * 1024 * 1024;
constexpr qsizetype kFlushAt = 256 * 1024;
constexpr int kMaxDepth = 64;
// The file is walked object after object, twice; offsets are kept in 32 bits.
constexpr qint64 kMaxFile = std::numeric_limits<quint32>::max();

// What an object becomes, one byte an object; with it one 32-bit slot: the new number, or a
// plain integer's value.
enum Kind : quint8 {
    Free,
    Kept,
    Number,     // a plain integer (a stream length): written where it is referenced
    EmptyArray, // "[ ]" (no annotations): dropped with the key that points at it
    Shared,     // resources identical to an earlier object's: that one serves
};
constexpr quint8 kKindMask = 0x7;
constexpr quint8 kResources = 0x8; // some page's resources

// One object of the file as the walk finds it.
struct Found {
    qsizetype num = 0;
    qint64 at = 0;                     // where "num 0 obj" starts
    qsizetype value = 0, valueEnd = 0; // in the view from `at`
    qsizetype data = -1;               // a stream's data, in the view (-1: no stream)
    qint64 nLength = -1;               // its length, when known
    qint64 next = 0;                   // where the walk goes on
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Compactor {
public:
    explicit Compactor(const QString& sPath) : m_pdf(sPath) {}

    // Walks the file and decides what each object becomes. False when the file is not as
    // Qt writes it.
    bool Plan();
    // Writes the new file; nothing when the file turns out not to be as Qt writes it.
    std::optional<bool> Write(const QString& sPath);

private:
    // The object or table at `at`: an object (true, f filled), a cross-reference section
    // with its trailer (true, f.num 0, f.next after "%%EOF"), or the end of the file (true,
    // f.next -1). False: something else.
    bool Next(qint64 at, Found& f, QByteArrayView* pView);
    bool Walk(QHash<qsizetype, int>* pOlder);
    qsizetype Rewrite(QByteArrayView d, qsizetype at, QByteArray& out, int nDepth) const;
    // The object a reference at `at` names, or -1 when there is no reference there.
    qsizetype RefAt(QByteArrayView d, qsizetype at, qsizetype* pEnd) const;
    bool Flush(QIODevice& out, QByteArray& buffer, bool bAll);
    Kind KindOf(qsizetype num) const { return Kind(m_kind[num] & kKindMask); }
    void SetKind(qsizetype num, Kind kind) {
        m_kind[num] = quint8((m_kind[num] & ~kKindMask) | kind);
    }

    PdfObjects m_pdf;
    qint64 m_nFirst = 0;              // where the first object starts
    QList<quint8> m_kind;             // by object number
    QList<quint32> m_slot;            // by object number: new number, or a Number's value
    QHash<qsizetype, int> m_versions; // objects written more than once: how many times
    PdfObjects::Dict m_trailer;       // the newest trailer
    qint32 m_nKept = 0;
    qint64 m_nWritten = 0;
};

bool Compactor::Next(qint64 at, Found& f, QByteArrayView* pView) {
    f = Found();
    for (qint64 nLeast = kObjectHead; nLeast <= kMaxValue; nLeast *= 4) {
        const QByteArrayView d = m_pdf.View(at, nLeast);
        const PdfScanner s(d);
        const qsizetype p = s.SkipWhite(0);
        if (p >= d.size()) {
            if (d.size() < nLeast) {
                f.next = -1; // the end of the file
                return true;
            }
            continue;
        }
        if (s.At(p, "xref")) {
            // The table is stepped over section by section (twenty bytes an entry), never
            // read whole: a long job's runs to megabytes.
            qint64 pos = at + p + 4;
            for (;;) {
                const QByteArrayView x = m_pdf.View(pos, 256);
                const PdfScanner xs(x);
                const qsizetype q = xs.SkipWhite(0);
                if (q >= x.size())
                    return false;
                if (xs.At(q, "trailer")) {
                    const QByteArrayView t = m_pdf.View(pos + q, kObjectHead);
                    const PdfScanner ts(t);
                    qsizetype end = 0;
                    m_trailer = ts.DictAt(ts.SkipWhite(7), &end);
                    const qsizetype eof = t.indexOf("%%EOF");
                    if (m_trailer.isEmpty() || eof < 0)
                        return false;
                    f.next = pos + q + eof + 5;
                    return true;
                }
                bool bFirst = false, bCount = false;
                const qsizetype c = xs.SkipWhite(xs.TokenEnd(q));
                xs.Token(q).toLongLong(&bFirst);
                const qint64 nCount = xs.Token(c).toLongLong(&bCount);
                if (!bFirst || !bCount || nCount < 0)
                    return false;
                pos += xs.SkipWhite(xs.TokenEnd(c)) + 20 * nCount;
            }
        }
        bool bOk = false;
        const qsizetype gen = s.SkipWhite(s.TokenEnd(p));
        const qsizetype obj = s.SkipWhite(s.TokenEnd(gen));
        f.num = s.Token(p).toLongLong(&bOk);
        if (!bOk || f.num <= 0 || f.num >= m_kind.size() || s.Token(gen) != "0" ||
            s.Token(obj) != "obj")
            return false;
        f.at = at + p;
        const qsizetype base = p; // the view is taken again from the object's start below
        f.value = s.SkipWhite(obj + 3) - base;
        f.valueEnd = s.ValueEnd(f.value + base) - base;
        const qsizetype after = s.SkipWhite(std::min(f.valueEnd + base, d.size()));
        if (after + 9 > d.size()) {
            if (d.size() < nLeast)
                return false;
            continue;
        }
        const QByteArrayView v = d.sliced(base);
        const PdfScanner o(v);
        if (s.At(after, "endobj")) {
            f.next = at + after + 6;
            *pView = v;
            return true;
        }
        if (!s.At(after, "stream"))
            return false;
        qsizetype data = after + 6;
        data += s.At(data, "\r\n") ? 2 : s.At(data, "\n") ? 1 : 0;
        f.data = data - base;
        const QByteArrayView length = o.ValueOf(f.value, "Length");
        qint64 nLength = length.toLongLong(&bOk);
        if (!bOk) {
            qsizetype end = 0;
            const qsizetype ref = RefAt(length, 0, &end);
            if (ref > 0 && KindOf(ref) == Number)
                nLength = m_slot[ref], bOk = true;
        }
        if (!bOk) {
            // Qt writes a stream's length after the stream: found by its end, and checked
            // when the file is written.
            const qsizetype e = d.indexOf("endstream", data);
            if (e < 0) {
                if (d.size() < nLeast)
                    return false;
                continue;
            }
            nLength = e - data;
            while (nLength > 0 && (d[data + nLength - 1] == '\n' || d[data + nLength - 1] == '\r'))
                --nLength;
        }
        if (nLength < 0 || nLength > kMaxValue)
            return false;
        const qsizetype streamEnd = data + nLength;
        if (streamEnd + 32 > d.size() && d.size() >= nLeast)
            continue;
        const qsizetype es = s.SkipWhite(std::min(streamEnd, d.size()));
        if (!s.At(es, "endstream"))
            return false;
        const qsizetype eo = s.SkipWhite(es + 9);
        if (!s.At(eo, "endobj"))
            return false;
        f.nLength = nLength;
        f.next = at + eo + 6;
        *pView = v;
        return true;
    }
    return false;
}

qsizetype Compactor::RefAt(QByteArrayView d, qsizetype at, qsizetype* pEnd) const {
    const PdfScanner s(d);
    if (at >= d.size() || !IsDigit(d[at]))
        return -1;
    const qsizetype end = s.ValueEnd(at);
    const qsizetype numEnd = s.TokenEnd(at);
    if (end <= numEnd || end > d.size())
        return -1;
    *pEnd = end;
    bool bOk = false;
    const qsizetype num = d.sliced(at, numEnd - at).toLongLong(&bOk);
    const bool bKnown = bOk && num > 0 && num < m_kind.size() && KindOf(num) != Free &&
                        s.Token(s.SkipWhite(numEnd)) == "0";
    return bKnown ? num : 0; // 0: a reference, but to nothing this file holds
}

// Copies the value at `at` to out with its references renumbered; its end, or -1.
qsizetype Compactor::Rewrite(QByteArrayView d, qsizetype at, QByteArray& out, int nDepth) const {
    const PdfScanner s(d);
    if (at >= d.size() || nDepth > kMaxDepth)
        return -1;
    if (s.At(at, "<<") || d[at] == '[') {
        const bool bDict = d[at] == '<';
        const QByteArrayView close = bDict ? ">>" : "]";
        out += d.sliced(at, bDict ? 2 : 1);
        for (qsizetype i = at + (bDict ? 2 : 1);;) {
            const qsizetype w = s.SkipWhite(i);
            if (w >= d.size())
                return -1;
            if (s.At(w, close)) {
                out += d.sliced(i, w - i);
                out += close;
                return w + close.size();
            }
            qsizetype v = w;
            if (bDict) {
                if (d[w] != '/')
                    return -1;
                const qsizetype keyEnd = s.TokenEnd(w);
                v = s.SkipWhite(keyEnd);
                qsizetype refEnd = 0;
                if (d.sliced(w, keyEnd - w) == "/Annots") {
                    const qsizetype num = RefAt(d, v, &refEnd);
                    if (num > 0 && KindOf(num) == EmptyArray) {
                        i = refEnd; // the key goes with the white space before it
                        continue;
                    }
                }
            }
            out += d.sliced(i, v - i);
            i = Rewrite(d, v, out, nDepth + 1);
            if (i < 0)
                return -1;
        }
    }
    qsizetype end = 0;
    const qsizetype num = RefAt(d, at, &end);
    if (num == 0)
        return -1;
    if (num < 0) {
        end = s.ValueEnd(at);
        if (end <= at || end > d.size())
            return -1;
        out += d.sliced(at, end - at);
        return end;
    }
    const Kind kind = KindOf(num);
    if (kind == Number)
        out += QByteArray::number(m_slot[num]);
    else if (kind == EmptyArray)
        out += "[]";
    else
        out += QByteArray::number(m_slot[num]) + " 0 R";
    return end;
}

bool Compactor::Plan() {
    if (!m_pdf.Open(true) || m_pdf.Size() > kMaxFile)
        return false;
    // Anything else in the trailer (encryption, say) would not survive the rewrite.
    for (const QByteArray& key : m_pdf.Trailer().keys())
        if (key != "Size" && key != "Root" && key != "Info" && key != "ID" && key != "Prev")
            return false;
    bool bOk = false;
    const qint64 nSize = m_pdf.Trailer().value("Size").toLongLong(&bOk);
    if (!bOk || nSize <= 1 || nSize > std::numeric_limits<qint32>::max())
        return false;
    m_kind = QList<quint8>(nSize, quint8(Free));
    m_slot = QList<quint32>(nSize, 0);

    // The header: "%PDF-" and comment lines, then the first object.
    const QByteArrayView head = m_pdf.View(0, kObjectHead);
    if (!head.startsWith("%PDF-"))
        return false;
    qsizetype p = 0;
    while (p < head.size() && head[p] == '%') {
        const qsizetype eol = head.indexOf('\n', p);
        if (eol < 0)
            return false;
        p = eol + 1;
    }
    m_nFirst = p;

    if (!Walk(nullptr))
        return false;
    if (!m_versions.isEmpty()) {
        // An update wrote some objects again: number the objects as their newest versions
        // stand in the file, as if the older ones were not there.
        m_kind.fill(quint8(Free));
        m_slot.fill(0);
        m_nKept = 0;
        QHash<qsizetype, int> older = m_versions;
        if (!Walk(&older))
            return false;
    }
    for (const char* key : {"Root", "Info"})
        if (m_trailer.contains(key))
            if (const qsizetype n = PdfObjects::Ref(m_trailer.value(key));
                n <= 0 || n >= m_kind.size() || KindOf(n) != Kept)
                return false;
    return m_nKept > 0 && m_trailer.contains("Root");
}

bool Compactor::Walk(QHash<qsizetype, int>* pOlder) {
    // Every object in file order: what it is. Without pOlder, a later version of an object
    // (an update) replaces what an earlier one said, and m_versions counts them; with it,
    // the older versions it counts are passed over.
    bool bOk = false;
    QHash<QByteArray, qint32> resources; // the dictionary as written -> its new number
    for (qint64 at = m_nFirst;;) {
        Found f;
        QByteArrayView d;
        if (!Next(at, f, &d))
            return false;
        if (f.next < 0)
            break;
        at = f.next;
        if (f.num == 0)
            continue; // a table and its trailer
        const qsizetype num = f.num;
        if (pOlder) {
            if (auto it = pOlder->find(num); it != pOlder->end() && *it > 0) {
                --*it;
                continue;
            }
        } else if (KindOf(num) != Free) {
            ++m_versions[num];
        }
        const QByteArrayView value = d.sliced(f.value, f.valueEnd - f.value);
        const PdfScanner s(d);
        const bool bStream = f.data >= 0;
        if (!bStream && !value.isEmpty() && std::all_of(value.begin(), value.end(), IsDigit)) {
            const qint64 n = value.toLongLong(&bOk);
            if (!bOk || n > kMaxValue)
                return false;
            SetKind(num, Number);
            m_slot[num] = quint32(n);
            continue;
        }
        if (!bStream && value.startsWith('[') && s.SkipWhite(f.value + 1) == f.valueEnd - 1) {
            SetKind(num, EmptyArray);
            continue;
        }
        const bool bDict = value.startsWith("<<");
        const bool bResources = (m_kind[num] & kResources) && bDict && !bStream;
        if (bResources) {
            const auto it =
                resources.constFind(QByteArray::fromRawData(value.data(), value.size()));
            if (it != resources.cend()) {
                SetKind(num, Shared);
                m_slot[num] = quint32(*it);
                continue;
            }
        }
        if (KindOf(num) != Kept) // a later version keeps the number of the first
            m_slot[num] = quint32(++m_nKept);
        SetKind(num, Kept);
        if (bResources)
            resources.insert(value.toByteArray(), qint32(m_slot[num]));
        // The resources of the pages: those after this object may turn out to be the same.
        if (!bDict || !value.contains("/Resources"))
            continue;
        qsizetype end = 0;
        const qsizetype res = RefAt(s.ValueOf(f.value, "Resources"), 0, &end);
        if (res > 0)
            m_kind[res] |= kResources;
        else if (res == 0) {
            // Not yet seen: marked when it comes.
            const QByteArrayView r = s.ValueOf(f.value, "Resources");
            const qsizetype n = r.first(std::max<qsizetype>(0, r.indexOf(' '))).toLongLong(&bOk);
            if (bOk && n > 0 && n < m_kind.size())
                m_kind[n] |= kResources;
        }
    }
    return true;
}

bool Compactor::Flush(QIODevice& out, QByteArray& buffer, bool bAll) {
    if (!bAll && buffer.size() < kFlushAt)
        return true;
    const bool bOk = out.write(buffer) == buffer.size();
    m_nWritten += buffer.size();
    buffer.clear();
    return bOk;
}

std::optional<bool> Compactor::Write(const QString& sPath) {
    OutputFile file(sPath);
    if (!file.Open().isEmpty())
        return false;
    QIODevice& out = file.device();
    QByteArray buffer;
    buffer.reserve(kFlushAt + 64 * 1024);
    const QByteArrayView header = m_pdf.View(0, m_nFirst);
    if (header.size() < m_nFirst)
        return std::nullopt;
    buffer += header.first(m_nFirst);
    // The new table's entries, one for each object as it is written (new numbers run in the
    // order the objects are written), wait in a file of their own: a long job's would be
    // megabytes of memory.
    QTemporaryFile entries;
    if (!entries.open())
        return false;
    qint32 nEntries = 0;
    QHash<qsizetype, int> versions = m_versions;
    for (qint64 at = m_nFirst;;) {
        Found f;
        QByteArrayView d;
        if (!Next(at, f, &d))
            return std::nullopt;
        if (f.next < 0)
            break;
        at = f.next;
        if (f.num == 0 || KindOf(f.num) != Kept)
            continue;
        if (auto it = versions.find(f.num); it != versions.end() && *it > 0) {
            --*it; // an older version: the newest follows
            continue;
        }
        const quint32 newNum = m_slot[f.num];
        if (newNum != quint32(++nEntries))
            return std::nullopt;
        const QByteArray entry =
            QByteArray::number(m_nWritten + buffer.size()).rightJustified(10, '0') + " 00000 n \n";
        if (entries.write(entry) != entry.size())
            return false;
        buffer += QByteArray::number(newNum) + " 0 obj\n";
        if (Rewrite(d, f.value, buffer, 0) != f.valueEnd)
            return std::nullopt;
        if (f.data < 0) {
            buffer += "\nendobj\n";
        } else {
            // The length written in place must be the one the stream has.
            const PdfScanner s(d);
            const QByteArrayView length = s.ValueOf(f.value, "Length");
            bool bOk = false;
            qint64 nLength = length.toLongLong(&bOk);
            qsizetype end = 0;
            const qsizetype ref = bOk ? -1 : RefAt(length, 0, &end);
            if (ref > 0 && KindOf(ref) == Number)
                nLength = m_slot[ref], bOk = true;
            if (!bOk || nLength != f.nLength)
                return std::nullopt;
            d = m_pdf.View(f.at, f.data + nLength + 32);
            if (d.size() < f.data + nLength)
                return std::nullopt;
            buffer += "\nstream\n";
            buffer += d.sliced(f.data, nLength);
            buffer += "\nendstream\nendobj\n";
        }
        if (!Flush(out, buffer, false))
            return false;
    }

    const qint64 nXref = m_nWritten + buffer.size();
    buffer += "xref\n0 " + QByteArray::number(m_nKept + 1) + "\n0000000000 65535 f \n";
    if (nEntries != m_nKept || !entries.seek(0))
        return std::nullopt; // a kept object that was never written
    while (!entries.atEnd()) {
        buffer += entries.read(kFlushAt);
        if (!Flush(out, buffer, false))
            return false;
    }
    buffer += "trailer\n<<\n/Size " + QByteArray::number(m_nKept + 1);
    for (const char* key : {"Root", "Info", "ID"}) {
        const QByteArray value = m_trailer.value(key);
        if (value.isEmpty())
            continue;
        buffer += QByteArray("\n/") + key + ' ';
        if (Rewrite(value, 0, buffer, 0) != value.size())
            return std::nullopt;
    }
    buffer += "\n>>\nstartxref\n" + QByteArray::number(nXref) + "\n%%EOF\n";
    if (!Flush(out, buffer, true))
        return false;
    return file.Commit().isEmpty();
}

} // namespace

bool CompactPdf(const QString& sPath) {
    Compactor compactor(sPath);
    if (!compactor.Plan())
        return true; // not as Qt writes it: left as it is
    return compactor.Write(sPath).value_or(true);
}

} // namespace hoplark

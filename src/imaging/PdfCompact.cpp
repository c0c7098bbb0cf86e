#include "imaging/PdfCompact.h"

#include "imaging/PdfObjects.h"
#include "imaging/PdfScanner.h"
#include "platform/OutputFile.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <optional>

namespace hoplark {

namespace {

constexpr qint64 kObjectHead = 4096;
constexpr qint64 kMaxValue = 64 * 1024 * 1024;
constexpr qsizetype kFlushAt = 256 * 1024;
constexpr int kMaxDepth = 64;

struct Object {
    enum Kind : quint8 {
        Free,
        Kept,
        Number,     // a plain integer (a stream length): written where it is referenced
        EmptyArray, // "[ ]" (no annotations): dropped with the key that points at it
        Shared,     // resources identical to an earlier object's: that one serves
    };
    qint64 at = -1; // where it starts; a Number's value once it is read (it is not read again)
    qint32 newNum = 0;
    Kind kind = Free;
    bool bResources = false; // some page's resources
};

// Where the parts of one object lie in a view of the file from the object's start.
struct Parts {
    qsizetype value = 0, valueEnd = 0; // the value, a stream's dictionary
    qsizetype after = 0;               // "stream" or "endobj"
    bool bStream = false;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Compactor {
public:
    explicit Compactor(const QString& sPath) : m_pdf(sPath) {}

    // Reads the file's tables and every object's head, and decides what each object becomes.
    // False when the file is not as Qt writes it.
    bool Plan();
    // Writes the new file; nothing when the file turns out not to be as Qt writes it.
    std::optional<bool> Write(const QString& sPath);

private:
    std::optional<Parts> Read(qsizetype num, QByteArrayView* pView);
    qsizetype Rewrite(QByteArrayView d, qsizetype at, QByteArray& out, int nDepth) const;
    // The object a reference at `at` names, or -1 when there is no reference there.
    qsizetype RefAt(QByteArrayView d, qsizetype at, qsizetype* pEnd) const;
    bool Flush(QIODevice& out, QByteArray& buffer, bool bAll);

    PdfObjects m_pdf;
    QList<Object> m_objects;
    QList<qint32> m_order; // object numbers in file order
    qint32 m_nKept = 0;
    qint64 m_nWritten = 0;
};

std::optional<Parts> Compactor::Read(qsizetype num, QByteArrayView* pView) {
    const qint64 nAt = m_objects[num].at;
    for (qint64 nLeast = kObjectHead; nLeast <= kMaxValue; nLeast *= 4) {
        const QByteArrayView d = m_pdf.View(nAt, nLeast);
        const PdfScanner s(d);
        bool bOk = false;
        const qsizetype gen = s.SkipWhite(s.TokenEnd(0));
        const qsizetype obj = s.SkipWhite(s.TokenEnd(gen));
        if (s.Token(0).toLongLong(&bOk) != num || !bOk || s.Token(gen) != "0" ||
            s.Token(obj) != "obj")
            return std::nullopt;
        Parts p;
        p.value = s.SkipWhite(obj + 3);
        p.valueEnd = s.ValueEnd(p.value);
        p.after = s.SkipWhite(std::min(p.valueEnd, d.size()));
        if (p.after + 9 > d.size()) {
            if (d.size() < nLeast)
                return std::nullopt; // the file ends first
            continue;
        }
        p.bStream = s.At(p.after, "stream");
        if (!p.bStream && !s.At(p.after, "endobj"))
            return std::nullopt;
        *pView = d;
        return p;
    }
    return std::nullopt;
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
    const bool bKnown = bOk && num > 0 && num < m_objects.size() &&
                        m_objects[num].kind != Object::Free && s.Token(s.SkipWhite(numEnd)) == "0";
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
                    if (num > 0 && m_objects[num].kind == Object::EmptyArray) {
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
    const Object& o = m_objects[num];
    if (o.kind == Object::Number)
        out += QByteArray::number(o.at);
    else if (o.kind == Object::EmptyArray)
        out += "[]";
    else
        out += QByteArray::number(o.newNum) + " 0 R";
    return end;
}

bool Compactor::Plan() {
    if (!m_pdf.Open(true))
        return false;
    // Anything else in the trailer (encryption, say) would not survive the rewrite.
    for (const QByteArray& key : m_pdf.Trailer().keys())
        if (key != "Size" && key != "Root" && key != "Info" && key != "ID" && key != "Prev")
            return false;
    std::optional<QList<qint64>> offsets = m_pdf.Offsets();
    if (!offsets || offsets->size() > std::numeric_limits<qint32>::max())
        return false;
    m_objects.resize(offsets->size());
    for (qsizetype num = 0; num < offsets->size(); ++num) {
        if ((*offsets)[num] < 0)
            continue;
        m_objects[num].at = (*offsets)[num];
        m_objects[num].kind = Object::Kept;
        m_order.append(qint32(num));
    }
    offsets.reset();
    const QList<Object>& objects = m_objects;
    std::sort(m_order.begin(), m_order.end(),
              [&objects](qint32 a, qint32 b) { return objects[a].at < objects[b].at; });
    if (m_order.isEmpty() || !m_pdf.View(0, 5).startsWith("%PDF-"))
        return false;

    QHash<QByteArray, qint32> resources; // the dictionary as written -> its new number
    for (const qint32 num : std::as_const(m_order)) {
        QByteArrayView d;
        const std::optional<Parts> p = Read(num, &d);
        if (!p)
            return false;
        Object& o = m_objects[num];
        const QByteArrayView value = d.sliced(p->value, p->valueEnd - p->value);
        const PdfScanner s(d);
        if (!p->bStream && std::all_of(value.begin(), value.end(), IsDigit) && !value.isEmpty()) {
            bool bOk = false;
            o.at = value.toLongLong(&bOk);
            if (!bOk)
                return false;
            o.kind = Object::Number;
            continue;
        }
        if (!p->bStream && value.startsWith('[') && s.SkipWhite(p->value + 1) == p->valueEnd - 1) {
            o.kind = Object::EmptyArray;
            continue;
        }
        const bool bDict = value.startsWith("<<");
        const bool bResources = o.bResources && bDict && !p->bStream;
        if (bResources) {
            const auto it =
                resources.constFind(QByteArray::fromRawData(value.data(), value.size()));
            if (it != resources.cend()) {
                o.kind = Object::Shared;
                o.newNum = *it;
                continue;
            }
        }
        o.newNum = ++m_nKept;
        if (bResources)
            resources.insert(value.toByteArray(), o.newNum);
        // The resources of the pages: those after this object may turn out to be the same.
        if (!bDict || !value.contains("/Resources"))
            continue;
        qsizetype end = 0;
        const qsizetype res = RefAt(s.ValueOf(p->value, "Resources"), 0, &end);
        if (res > 0)
            m_objects[res].bResources = true;
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
    const qint64 nFirst = m_objects[m_order[0]].at;
    const QByteArrayView header = m_pdf.View(0, nFirst);
    if (header.size() < nFirst)
        return std::nullopt;
    buffer += header.first(nFirst);
    QList<qint64> offsets; // by new number
    offsets.reserve(m_nKept);
    for (const qint32 num : std::as_const(m_order)) {
        const Object& o = m_objects[num];
        if (o.kind != Object::Kept)
            continue;
        QByteArrayView d;
        const std::optional<Parts> p = Read(num, &d);
        if (!p)
            return std::nullopt;
        offsets.append(m_nWritten + buffer.size());
        buffer += QByteArray::number(o.newNum) + " 0 obj\n";
        if (Rewrite(d, p->value, buffer, 0) != p->valueEnd)
            return std::nullopt;
        if (!p->bStream) {
            buffer += "\nendobj\n";
        } else {
            const PdfScanner s(d);
            const QByteArrayView length = s.ValueOf(p->value, "Length");
            bool bOk = false;
            qint64 nLength = length.toLongLong(&bOk);
            qsizetype end = 0;
            const qsizetype ref = bOk ? -1 : RefAt(length, 0, &end);
            if (ref > 0 && m_objects[ref].kind == Object::Number)
                nLength = m_objects[ref].at, bOk = true;
            if (!bOk || nLength < 0 || nLength > kMaxValue)
                return std::nullopt;
            qsizetype data = p->after + 6;
            data += s.At(data, "\r\n") ? 2 : s.At(data, "\n") ? 1 : 0;
            d = m_pdf.View(o.at, data + nLength + 32);
            const PdfScanner t(d);
            if (t.SkipWhite(std::min(data + nLength, d.size())) + 9 > d.size() ||
                !t.At(t.SkipWhite(data + nLength), "endstream"))
                return std::nullopt;
            buffer += "\nstream\n";
            buffer += d.sliced(data, nLength);
            buffer += "\nendstream\nendobj\n";
        }
        if (!Flush(out, buffer, false))
            return false;
    }

    const qint64 nXref = m_nWritten + buffer.size();
    buffer += "xref\n0 " + QByteArray::number(m_nKept + 1) + "\n0000000000 65535 f \n";
    for (const qint64 nOffset : std::as_const(offsets)) {
        buffer += QByteArray::number(nOffset).rightJustified(10, '0') + " 00000 n \n";
        if (!Flush(out, buffer, false))
            return false;
    }
    buffer += "trailer\n<<\n/Size " + QByteArray::number(m_nKept + 1);
    for (const char* key : {"Root", "Info", "ID"}) {
        const QByteArray value = m_pdf.Trailer().value(key);
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

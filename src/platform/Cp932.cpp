#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace hoplark {

namespace {

// One iconv descriptor per call: the program has one thread, but tests and the batch tool
// may decode while another conversion is half done.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }
    void reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

} // namespace

QString DecodeCp932(const QByteArray& bytes) {
    QString out;
    if (bytes.isEmpty())
        return out;
    Iconv cd("UTF-16LE", "CP932");
    if (!cd.valid())
        return QString::fromLatin1(bytes);
    out.reserve(bytes.size());
    QByteArray buf(qMax<qsizetype>(bytes.size() * 2 + 16, 4096), Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = static_cast<size_t>(buf.size());
        const size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        const qsizetype produced = buf.size() - static_cast<qsizetype>(outLeft);
        out.append(reinterpret_cast<const QChar*>(buf.constData()), produced / 2);
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a lead byte at the very end): one replacement, skip one byte.
        out.append(QChar(0xFFFD));
        ++in;
        --inLeft;
        cd.reset();
    }
    return out;
}

Cp932Encoded EncodeCp932(const QString& text) {
    Cp932Encoded result;
    if (text.isEmpty())
        return result;
    Iconv cd("CP932", "UTF-16LE");
    if (!cd.valid()) {
        result.unmappable = text;
        return result;
    }
    result.bytes.reserve(text.size() * 2);
    QByteArray buf(qMax<qsizetype>(text.size() * 2 + 16, 4096), Qt::Uninitialized);
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = static_cast<size_t>(buf.size());
        const size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        result.bytes.append(buf.constData(), buf.size() - static_cast<qsizetype>(outLeft));
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // The character at `in` has no form here: note it (a surrogate pair as one) and skip it.
        const auto* ch = reinterpret_cast<const QChar*>(in);
        qsizetype units = 1;
        if (ch->isHighSurrogate() && inLeft >= 4 && (ch + 1)->isLowSurrogate())
            units = 2;
        const QString bad(ch, units);
        if (!result.unmappable.contains(bad))
            result.unmappable += bad;
        in += units * 2;
        inLeft -= static_cast<size_t>(units) * 2;
        cd.reset();
    }
    return result;
}

} // namespace hoplark

#include "addresslist/ListDecode.h"

#include "platform/Cp932.h"

#include <QStringDecoder>

#include <cstring>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

bool StartsWith(const QByteArray& bytes, const char* mark) {
    return bytes.startsWith(QByteArrayView(mark));
}

// Decodes bytes that are known to be valid UTF-8 (or that the user says are): bad bytes
// become U+FFFD.
QString FromUtf8(QByteArrayView bytes) {
    return QString::fromUtf8(bytes);
}

QString FromUtf16(QByteArrayView bytes, bool bBigEndian) {
    QStringDecoder dec(bBigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                       QStringConverter::Flag::Stateless);
    return dec.decode(bytes);
}

} // namespace

bool ParseListEncoding(const QString& sName, ListEncoding& enc) {
    const QString s = sName.toLower();
    if (s == u"auto"_s)
        enc = ListEncoding::Auto;
    else if (s == u"cp932"_s || s == u"shift-jis"_s || s == u"sjis"_s)
        enc = ListEncoding::Cp932;
    else if (s == u"utf-8"_s || s == u"utf8"_s)
        enc = ListEncoding::Utf8;
    else
        return false;
    return true;
}

bool IsNonAsciiUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    bool bNonAscii = false;
    while (p < end) {
        const unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        bNonAscii = true;
        int nMore = 0;
        unsigned cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            nMore = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            nMore = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            nMore = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= nMore)
            return false;
        for (int i = 1; i <= nMore; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if ((nMore == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (nMore == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        p += nMore + 1;
    }
    return bNonAscii;
}

bool DecodeList(const QByteArray& bytes, ListEncoding enc, QString& text, QString& sWhy) {
    sWhy.clear();
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
        text = FromUtf16(QByteArrayView(bytes).sliced(2), bytes.at(0) == '\xFE');
        return true;
    }
    const bool bBom = StartsWith(bytes, "\xEF\xBB\xBF");
    if (std::memchr(bytes.constData(), 0, bytes.size()) != nullptr) {
        sWhy = u"文字のファイルではありません (バイナリ、または BOM のない UTF-16)"_s;
        text.clear();
        return false;
    }
    if (enc == ListEncoding::Auto)
        enc = bBom || IsNonAsciiUtf8(bytes) ? ListEncoding::Utf8 : ListEncoding::Cp932;
    if (enc == ListEncoding::Utf8)
        text = FromUtf8(QByteArrayView(bytes).sliced(bBom ? 3 : 0));
    else
        text = DecodeCp932(bytes);
    return true;
}

} // namespace hoplark

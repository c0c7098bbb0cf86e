#include "imaging/PdfTextMaps.h"

#include "imaging/GlyphTextLog.h"
#include "imaging/PdfObjects.h"

#include <QFile>
#include <QMap>

#include <bit>
#include <optional>

namespace hoplark {

namespace {

// The entries of a ToUnicode map: CID -> text; nothing when it makes no sense.
std::optional<QMap<int, QString>> ParseToUnicode(const QByteArray& cmap) {
    QMap<int, QString> map;
    const auto Hex = [](QByteArrayView s) { return QByteArray::fromHex(s.toByteArray()); };
    const auto Text = [](const QByteArray& utf16) {
        QString s;
        for (qsizetype i = 0; i + 1 < utf16.size(); i += 2)
            s += QChar(char16_t(uchar(utf16[i]) << 8 | uchar(utf16[i + 1])));
        return s;
    };
    const auto Code = [](const QByteArray& b) {
        int n = 0;
        for (const char c : b)
            n = n << 8 | uchar(c);
        return n;
    };
    // The tokens of interest: <hex>, [, ], and the begin/end keywords.
    QList<QByteArray> tokens;
    for (qsizetype i = 0; i < cmap.size();) {
        const char c = cmap[i];
        if (c == '<') {
            const qsizetype end = cmap.indexOf('>', i);
            if (end < 0)
                break;
            tokens.append(cmap.mid(i, end - i + 1));
            i = end + 1;
        } else if (c == '[' || c == ']') {
            tokens.append(QByteArray(1, c));
            ++i;
        } else if (PdfObjects::IsWhite(c)) {
            ++i;
        } else {
            qsizetype end = i;
            while (end < cmap.size() && !PdfObjects::IsWhite(cmap[end]) && cmap[end] != '<' &&
                   cmap[end] != '[' && cmap[end] != ']')
                ++end;
            tokens.append(cmap.mid(i, end - i));
            i = end;
        }
    }
    const auto Inner = [](const QByteArray& t) { return t.mid(1, t.size() - 2); };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == "beginbfchar") {
            for (++i; i + 1 < tokens.size() && tokens[i] != "endbfchar"; i += 2)
                map.insert(Code(Hex(Inner(tokens[i]))), Text(Hex(Inner(tokens[i + 1]))));
        } else if (tokens[i] == "beginbfrange") {
            for (++i; i + 2 < tokens.size() && tokens[i] != "endbfrange";) {
                const int nLow = Code(Hex(Inner(tokens[i])));
                const int nHigh = Code(Hex(Inner(tokens[i + 1])));
                if (nHigh < nLow || nHigh - nLow > 0xFFFF)
                    return std::nullopt;
                if (tokens[i + 2] == "[") {
                    i += 3;
                    for (int cid = nLow; i < tokens.size() && tokens[i] != "]"; ++i, ++cid)
                        map.insert(cid, Text(Hex(Inner(tokens[i]))));
                    ++i;
                } else {
                    // The last byte of the text counts up with the code.
                    QByteArray dst = Hex(Inner(tokens[i + 2]));
                    for (int cid = nLow; cid <= nHigh && !dst.isEmpty(); ++cid) {
                        map.insert(cid, Text(dst));
                        dst.back() = char(uchar(dst.back()) + 1);
                    }
                    i += 3;
                }
            }
        }
    }
    return map;
}

QByteArray Utf16Hex(const QString& s) {
    QByteArray hex;
    for (const QChar c : s)
        hex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    return hex;
}

QByteArray WriteToUnicode(const QMap<int, QString>& map) {
    QByteArray s = "/CIDInit /ProcSet findresource begin\n"
                   "12 dict begin\n"
                   "begincmap\n"
                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                   "/CMapName /Adobe-Identity-UCS def\n"
                   "/CMapType 2 def\n"
                   "1 begincodespacerange\n"
                   "<0000> <FFFF>\n"
                   "endcodespacerange\n";
    // At most 100 entries a block.
    for (auto it = map.cbegin(); it != map.cend();) {
        QByteArray block;
        int n = 0;
        for (; it != map.cend() && n < 100; ++it, ++n)
            block += '<' + QByteArray::number(it.key() | 0x10000, 16).mid(1).toUpper() + "> <" +
                     Utf16Hex(it.value()) + ">\n";
        s += QByteArray::number(n) + " beginbfchar\n" + block + "endbfchar\n";
    }
    s += "endcmap\n"
         "CMapName currentdict /CMap defineresource pop\n"
         "end\n"
         "end\n";
    return s;
}

struct PdfFont {
    qsizetype toUnicode = -1;
    QByteArray baseFont;
    qsizetype nGlyphs = 0;
};

// The Type0 fonts of the file with their glyph counts (the bits of the CIDSet Qt writes).
QList<PdfFont> FindFonts(PdfObjects& pdf) {
    QList<PdfFont> fonts;
    for (const qsizetype num : pdf.ObjectsHolding("/Type0")) {
        const PdfObjects::Dict font = pdf.ObjectDict(num);
        if (PdfObjects::Name(font.value("Subtype")) != "Type0")
            continue;
        PdfFont f;
        f.baseFont = PdfObjects::Name(font.value("BaseFont"));
        f.toUnicode = PdfObjects::Ref(font.value("ToUnicode"));
        const auto cid = pdf.ObjectDict(PdfObjects::Ref(font.value("DescendantFonts")));
        const auto descriptor = pdf.ObjectDict(PdfObjects::Ref(cid.value("FontDescriptor")));
        const auto cidSet = pdf.Stream(PdfObjects::Ref(descriptor.value("CIDSet")));
        if (f.toUnicode < 0 || !cidSet)
            continue;
        for (const char c : *cidSet)
            f.nGlyphs += std::popcount(uchar(c));
        fonts.append(f);
    }
    return fonts;
}

// The completed map of one font, or nothing when the face does not match it beyond doubt or
// the map needs nothing.
std::optional<QMap<int, QString>> Completed(const GlyphTextLog::Face& face,
                                            const QByteArray& oldMap) {
    const std::optional<QMap<int, QString>> parsed = ParseToUnicode(oldMap);
    if (!parsed)
        return std::nullopt;
    QMap<int, QString> map = *parsed;
    // Every glyph Qt found a character for must be the one the log has under that number.
    QString chars;
    QList<int> cids;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key() == 0)
            continue;
        if (it.key() >= face.glyphs.size() || it.value().size() != 1 || it.value()[0].isSurrogate())
            return std::nullopt;
        chars += it.value();
        cids.append(it.key());
    }
    QList<quint32> nominal(chars.size());
    int nGlyphs = int(nominal.size());
    if (!chars.isEmpty() && (!face.raw.glyphIndexesForChars(chars.constData(), int(chars.size()),
                                                            nominal.data(), &nGlyphs) ||
                             nGlyphs != chars.size()))
        return std::nullopt;
    for (qsizetype i = 0; i < cids.size(); ++i)
        if (face.glyphs[cids[i]] != nominal[i])
            return std::nullopt;
    bool bChanged = false;
    for (qsizetype cid = 1; cid < face.glyphs.size(); ++cid) {
        const QString& text = face.texts[cid];
        if (!text.isEmpty() && map.value(int(cid)) != text) {
            map.insert(int(cid), text);
            bChanged = true;
        }
    }
    return bChanged ? std::optional(map) : std::nullopt;
}

bool Append(const QString& sPath, const QByteArray& update) {
    QFile f(sPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 nOld = f.size();
    if (f.write(update) == update.size() && f.flush())
        return true;
    f.close();
    f.resize(nOld);
    return false;
}

} // namespace

bool CompletePdfTextMaps(const QString& sPath, const GlyphTextLog& log) {
    if (log.IsEmpty())
        return true;
    PdfObjects pdf(sPath);
    if (!pdf.Open())
        return true; // not as Qt writes it: left as it is

    QByteArray update = "\n";        // whatever the last line ends with
    QMap<qsizetype, qint64> written; // object number -> offset
    const QList<PdfFont> fonts = FindFonts(pdf);
    for (const GlyphTextLog::Face& face : log.Faces()) {
        const PdfFont* match = nullptr;
        int nMatches = 0;
        for (const PdfFont& f : fonts) {
            if (f.baseFont == face.postScriptName && f.nGlyphs == face.glyphs.size()) {
                match = &f;
                ++nMatches;
            }
        }
        if (nMatches != 1 || written.contains(match->toUnicode))
            continue;
        const std::optional<QByteArray> oldMap = pdf.Stream(match->toUnicode);
        const std::optional<QMap<int, QString>> map =
            oldMap ? Completed(face, *oldMap) : std::nullopt;
        if (!map)
            continue;
        const QByteArray packed = qCompress(WriteToUnicode(*map)).sliced(4); // zlib data
        written.insert(match->toUnicode, pdf.Size() + update.size());
        update += QByteArray::number(match->toUnicode) + " 0 obj\n<< /Length " +
                  QByteArray::number(packed.size()) + " /Filter /FlateDecode >>\nstream\n" +
                  packed + "\nendstream\nendobj\n";
    }
    if (written.isEmpty())
        return true;

    const qint64 nXref = pdf.Size() + update.size();
    update += "xref\n";
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        update += QByteArray::number(it.key()) + " 1\n" +
                  QByteArray::number(it.value()).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<<";
    for (const char* key : {"Size", "Root", "Info", "ID"})
        if (pdf.Trailer().contains(key))
            update += QByteArray(" /") + key + ' ' + pdf.Trailer().value(key);
    update += " /Prev " + QByteArray::number(pdf.XrefOffset()) + " >>\nstartxref\n" +
              QByteArray::number(nXref) + "\n%%EOF\n";
    return Append(sPath, update);
}

} // namespace hoplark

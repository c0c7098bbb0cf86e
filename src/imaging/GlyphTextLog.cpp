#include "imaging/GlyphTextLog.h"

#include <QtEndian>

namespace hoplark {

namespace {

// Engines are kept alive while remembered (a pointer alone could come back as another font),
// so only the sizes drawn lately are.
constexpr qsizetype kEngines = 64;

quint16 U16(const QByteArray& table, qsizetype at) {
    return at + 2 <= table.size()
               ? qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(table.constData()) + at)
               : 0;
}

// The PostScript name (name ID 6) from a "name" table, spaces as Qt writes them ("_").
QByteArray PostScriptName(const QByteArray& name) {
    const int nCount = U16(name, 2);
    const int nStrings = U16(name, 4);
    QByteArray best;
    int nBest = 0; // 3: Windows English, 2: Windows, 1: Macintosh
    for (int i = 0; i < nCount; ++i) {
        const qsizetype rec = 6 + 12 * i;
        const int nPlatform = U16(name, rec), nLanguage = U16(name, rec + 4);
        const int nLength = U16(name, rec + 8), nOffset = U16(name, rec + 10);
        const qsizetype at = qsizetype(nStrings) + nOffset;
        if (U16(name, rec + 6) != 6 || at + nLength > name.size())
            continue;
        const int nRank = nPlatform == 3 ? (nLanguage == 0x409 ? 3 : 2) : nPlatform == 1 ? 1 : 0;
        if (nRank <= nBest)
            continue;
        const QByteArray bytes = name.mid(at, nLength);
        if (nPlatform == 3) {
            QString s;
            for (qsizetype j = 0; j + 1 < bytes.size(); j += 2)
                s += QChar(U16(bytes, j));
            best = s.toLatin1();
        } else {
            best = bytes;
        }
        nBest = nRank;
    }
    return best.replace(' ', '_');
}

} // namespace

void GlyphTextLog::Clear() {
    m_faces.clear();
    m_byKey.clear();
    m_byEngine.clear();
}

qsizetype GlyphTextLog::FaceOf(const QRawFont& raw) {
    if (const auto it = m_byEngine.constFind(raw); it != m_byEngine.cend())
        return *it;
    // One face whatever the size, weight or slant Qt derives from it: the file's own header
    // and names tell it.
    const QByteArray head = raw.fontTable("head");
    qsizetype nFace = -1;
    if (!head.isEmpty()) {
        const QByteArray key =
            raw.familyName().toUtf8() + '\n' + raw.styleName().toUtf8() + '\n' + head.left(36);
        const auto it = m_byKey.constFind(key);
        if (it != m_byKey.cend()) {
            nFace = *it;
        } else {
            Face face;
            face.postScriptName = PostScriptName(raw.fontTable("name"));
            face.raw = raw;
            face.numbers.insert(0, 0);
            nFace = m_faces.size();
            m_faces.append(face);
            m_byKey.insert(key, nFace);
        }
    }
    if (m_byEngine.size() >= kEngines)
        m_byEngine.clear();
    m_byEngine.insert(raw, nFace);
    return nFace;
}

void GlyphTextLog::Add(const QRawFont& raw, const QList<quint32>& glyphs,
                       const QStringList& texts) {
    if (glyphs.isEmpty())
        return;
    const qsizetype nFace = FaceOf(raw);
    if (nFace < 0)
        return; // no font file: Qt draws it as outlines
    Face& face = m_faces[nFace];
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const auto it = face.numbers.constFind(glyphs[i]);
        if (it == face.numbers.cend()) {
            face.numbers.insert(glyphs[i], face.glyphs.size());
            face.glyphs.append(glyphs[i]);
            face.texts.append(texts.value(i));
        } else if (face.texts[*it].isEmpty()) {
            face.texts[*it] = texts.value(i);
        }
    }
}

} // namespace hoplark

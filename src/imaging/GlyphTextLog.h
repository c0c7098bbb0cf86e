#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringList>

namespace hoplark {

// What the glyphs drawn into one PDF document stand for, face by face.
//
// Qt's PDF engine embeds each font face (file and index) once per document and numbers its
// glyphs in the order they are first drawn, glyph 0 first. Its text map for the face comes only
// from the face's character map, so a glyph reached otherwise (a vertical form, a ligature, a
// character beyond U+FFFF) gets no text, and a glyph that several characters share gets the
// lowest of them (～ reads 〜). The log numbers the glyphs the same way, so the maps can be
// completed once the file is written (CompletePdfTextMaps).
class GlyphTextLog {
public:
    struct Face {
        QByteArray postScriptName; // as Qt names the embedded font (BaseFont)
        QRawFont raw;              // for the character map
        QList<quint32> glyphs{0};  // in the PDF engine's order
        QStringList texts{QString()};
        QHash<quint32, qsizetype> numbers; // glyph -> position in glyphs
    };

    void Clear();
    bool IsEmpty() const { return m_faces.isEmpty(); }
    // Glyphs of raw drawn in this order, glyphs[i] standing for texts[i]; the first text a glyph
    // was drawn for is the one it keeps.
    void Add(const QRawFont& raw, const QList<quint32>& glyphs, const QStringList& texts);
    const QList<Face>& Faces() const { return m_faces; }

private:
    qsizetype FaceOf(const QRawFont& raw);

    QList<Face> m_faces;
    QHash<QByteArray, qsizetype> m_byKey;
    QHash<QRawFont, qsizetype> m_byEngine; // the fonts drawn lately: one per size
};

} // namespace hoplark

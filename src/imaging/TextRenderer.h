#pragma once

#include "imaging/ImagingStyle.h"

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;
class QPaintDevice;

namespace hoplark {

class GlyphTextLog;

// Measures and draws the text of a DrawText or MeasureText call on one target. Coordinates are
// the target's units (pixels of the preview, 0.1 mm on the printer); nUnitsPerInch converts
// the style's point size into them. The device gives font resolution for metrics; the painter
// maps target units to it.
//
// Horizontal text (direction 0) is one line. Vertical text (direction 2) is one column, one
// character under the other in cells one em high, each glyph centred across the column by its
// advance; characters with a vertical form in the font's "vert" feature take that glyph, the
// others stand upright. Characters the font lacks are drawn through Qt's font fallback.
//
// Every glyph is drawn as a glyph run of ours, so a log can note what each one stands for.
class TextRenderer {
public:
    // A font at one size on one device, as kept.
    struct FaceKey {
        QString family;
        bool bold, italic;
        quint64 size; // the point size's bits: sizes are told apart exactly
        int dpi;
        bool operator==(const FaceKey&) const = default;
    };

    // Extent of the text at the style's size: horizontal: advance width by line height;
    // vertical: one em by the sum of the cell heights.
    QSizeF Measure(const ImagingStyle& style, const QString& sText, const QPaintDevice& device,
                   double nUnitsPerInch);

    // Draws the text in rect with the style's alignment. bFit: text longer than rect along the
    // writing direction is drawn smaller until it fits, and nothing is drawn outside rect but
    // what bold strokes add to glyphs inside it. The glyphs drawn go to pLog, if given.
    //
    // bBatch: texts that need no clip and no lines may wait, and go to the painter together
    // with those that follow in the same font and colour, as one run (in a PDF: one text
    // object instead of one each). The caller must Flush() before anything else is drawn on
    // that painter, and before the page ends.
    void Draw(QPainter& painter, const ImagingStyle& style, const QString& sText,
              const QRectF& rect, bool bFit, double nUnitsPerInch, GlyphTextLog* pLog = nullptr,
              bool bBatch = false);
    // Draws what waits.
    void Flush();

    // The installed family used for a profile's font name (cached).
    QString Family(const QString& sName);

private:
    struct Cell {
        QString text;
        quint32 glyph = 0; // 0: drawn as a line of text through the font fallback
        qreal advance = 0;
    };
    // One line of text laid out as QPainter::drawText lays it out, baseline at ascent.
    struct Line {
        QList<QGlyphRun> runs;
        QList<QStringList> texts; // what each glyph stands for, when asked
        qreal ascent = 0, advance = 0;
        bool bTexts = false;
    };
    // Glyphs as they are drawn (positions relative to origin), with what each stands for.
    struct Piece {
        QGlyphRun run;
        QPointF origin;
        QStringList texts;
    };
    Line LaidOut(const QFont& font, const QString& sText, const QPainter& painter, bool bTexts);
    // sText as one line from baseline, without its underline or strike-out.
    QList<Piece> LineGlyphs(const QFont& font, const QString& sText, const QPainter& painter,
                            const QPointF& baseline, bool bTexts, qreal* pWidth = nullptr);
    // Where a text is drawn to.
    struct Out {
        QPainter& painter;
        QColor color;
        GlyphTextLog* pLog;
        bool bBatch; // a printer: texts may wait, and there are no pixels
    };
    // Glyphs waiting to be drawn as one run.
    struct Pending {
        QPainter* painter = nullptr;
        QRawFont raw;
        QColor color;
        QList<quint32> glyphs;
        QList<QPointF> positions; // in the painter's coordinates
    };
    static QRectF Ink(const QList<Piece>& pieces, const QRectF& box);
    static qreal BoldReach(const QList<Piece>& pieces, const QRectF& box, QRectF ink);
    // The clip a text needs, if any; bVector: the target has no pixels (a printer).
    static std::optional<QRectF> ClipFor(const ImagingStyle& style, const QRectF& rect,
                                         const QRectF& box, bool bOwnGlyphs,
                                         const QList<Piece>& pieces, bool bVector);
    // Adds the pieces to what waits when batching and bAlone (no clip, no lines). False: the
    // caller draws them now.
    bool Queue(const Out& out, const QList<Piece>& pieces, bool bAlone);
    // Flushes, saves the painter and draws the pieces (with the clip); the caller draws its
    // lines and restores the painter.
    void DrawNow(const Out& out, const std::optional<QRectF>& clip, const QList<Piece>& pieces);
    static void DrawPieces(QPainter& painter, const QList<Piece>& pieces, GlyphTextLog* pLog);
    static void DrawLines(QPainter& painter, const QFont& font, const QList<Piece>& pieces,
                          const QPointF& baseline, qreal end);
    struct Face {
        QRawFont raw;
        // Glyph and advance of one-character texts, upright and in vertical writing.
        QHash<QString, std::pair<quint32, qreal>> upright, vertical;
    };
    QFont MakeFont(const ImagingStyle& style, qreal em, const QPaintDevice& device);
    Face& FaceOf(const QFont& font, const QPaintDevice& device);
    QRawFont RawFont(const QFont& font, const QPaintDevice& device);
    const QHash<quint32, quint32>& VertMap(const QString& sFamily, const QRawFont& raw);
    std::pair<quint32, qreal> GlyphOf(Face& face, const QString& sFamily, const QString& sCell,
                                      bool bVertical);
    bool DrawOneGlyph(const Out& out, const ImagingStyle& style, const QString& sText,
                      const QRectF& rect, bool bFit, qreal em);
    QList<Cell> Cells(const ImagingStyle& style, const QStringList& texts, qreal em, Face& face,
                      const QFont& font, const QPaintDevice& device);
    void DrawHorizontal(const Out& out, const ImagingStyle& style, const QString& sText,
                        const QRectF& rect, bool bFit, qreal em);
    void DrawVertical(const Out& out, const ImagingStyle& style, const QString& sText,
                      const QRectF& rect, bool bFit, qreal em);

    QHash<QString, QString> m_families;
    QHash<FaceKey, Face> m_faces; // family, face and size as drawn lately
    QHash<QString, Line> m_lines; // lines drawn lately
    QHash<QString, QHash<quint32, quint32>> m_vertMaps;
    Pending m_pending;
};

size_t qHash(const TextRenderer::FaceKey& k, size_t seed = 0);

} // namespace hoplark

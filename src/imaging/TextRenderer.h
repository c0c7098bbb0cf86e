#pragma once

#include "imaging/ImagingStyle.h"

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;
class QPaintDevice;

namespace hoplark {

// Measures and draws the text of a DrawText or MeasureText call on one target. Coordinates are
// the target's units (pixels of the preview, 0.1 mm on the printer); nUnitsPerInch converts
// the style's point size into them. The device gives font resolution for metrics; the painter
// maps target units to it.
//
// Horizontal text (direction 0) is one line. Vertical text (direction 2) is one column, one
// character under the other in cells one em high, each glyph centred across the column by its
// advance; characters with a vertical form in the font's "vert" feature take that glyph, the
// others stand upright. Characters the font lacks are drawn through Qt's font fallback.
class TextRenderer {
public:
    // Extent of the text at the style's size: horizontal: advance width by line height;
    // vertical: one em by the sum of the cell heights.
    QSizeF Measure(const ImagingStyle& style, const QString& sText, const QPaintDevice& device,
                   double nUnitsPerInch);

    // Draws the text in rect with the style's alignment. bFit: text longer than rect along the
    // writing direction is drawn smaller until it fits, and nothing is drawn outside rect.
    void Draw(QPainter& painter, const ImagingStyle& style, const QString& sText,
              const QRectF& rect, bool bFit, double nUnitsPerInch);

    // The installed family used for a profile's font name (cached).
    QString Family(const QString& sName);

private:
    struct Cell {
        QString text;
        quint32 glyph = 0; // 0: drawn as text through the font fallback
        qreal advance = 0;
    };
    QFont MakeFont(const ImagingStyle& style, qreal em, const QPaintDevice& device);
    QRawFont RawFont(const ImagingStyle& style, qreal em);
    const QHash<quint32, quint32>& VertMap(const QString& sFamily, const QRawFont& raw);
    QList<Cell> Cells(const ImagingStyle& style, const QStringList& texts, qreal em,
                      const QRawFont& raw, const QFont& font, const QPaintDevice& device);
    void DrawHorizontal(QPainter& painter, const ImagingStyle& style, const QString& sText,
                        const QRectF& rect, bool bFit, qreal em);
    void DrawVertical(QPainter& painter, const ImagingStyle& style, const QString& sText,
                      const QRectF& rect, bool bFit, qreal em);

    QHash<QString, QString> m_families;
    QHash<QString, QRawFont> m_rawFonts;   // family and face, at 100 px
    QHash<QString, QRawFont> m_sizedFonts; // the same at the sizes drawn
    QHash<QString, QHash<quint32, quint32>> m_vertMaps;
};

} // namespace hoplark

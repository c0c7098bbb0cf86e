#include "imaging/TextRenderer.h"

#include "imaging/FontSubstitution.h"
#include "imaging/VerticalForms.h"
#include "imaging/WinColor.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Shrinking re-measures at the smaller size; hinting can leave it a hair too wide, so it is
// repeated a few times (the clip keeps the rectangle in any case).
constexpr int kFitRounds = 3;

constexpr qsizetype kSizedFonts = 64;

qreal EmOf(const ImagingStyle& style, double nUnitsPerInch) {
    return style.size * nUnitsPerInch / 72.0;
}

// Every character of s has a glyph in raw.
bool InFont(const QRawFont& raw, const QString& s) {
    const QList<uint> ucs4 = s.toUcs4();
    return raw.isValid() && std::all_of(ucs4.cbegin(), ucs4.cend(),
                                        [&raw](uint c) { return raw.supportsCharacter(c); });
}

// A cell of vertical text: one character with the marks that belong to it.
bool JoinsPrevious(char32_t c) {
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
           cat == QChar::Mark_Enclosing || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0xE0100 && c <= 0xE01EF);
}

// The text cut into cells: each character with the marks that belong to it.
QStringList SplitCells(const QString& sText) {
    QStringList cells;
    const QList<uint> ucs4 = sText.toUcs4();
    for (const uint c : ucs4) {
        const QString s = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        if (!cells.isEmpty() && JoinsPrevious(c))
            cells.last() += s;
        else
            cells.append(s);
    }
    return cells;
}

// Distance from the top of an em box to the baseline: the ascent's share of the em.
qreal Baseline(qreal em, qreal ascent, qreal descent) {
    return ascent + descent > 0 ? em * ascent / (ascent + descent) : em;
}

qreal AlignedStart(int nAlign, qreal start, qreal length, qreal extent) {
    switch (nAlign) {
    case 1:
        return start + (length - extent) / 2;
    case 2:
        return start + length - extent;
    default:
        return start;
    }
}

// A clip is a path per text in a PDF: it is set unless the text's em boxes lie well inside
// rect (antialiasing reaches a little past the ink) in glyphs of the font itself; fallback
// glyphs, slant and lines may reach further.
void ClipUnlessInside(QPainter& painter, const ImagingStyle& style, const QRectF& rect,
                      const QRectF& box, bool bOwnGlyphs) {
    const qreal margin = std::min(box.width(), box.height()) / 16;
    if (!bOwnGlyphs || style.italic || style.underline || style.strike ||
        !rect.adjusted(margin, margin, -margin, -margin).contains(box))
        painter.setClipRect(rect, Qt::IntersectClip);
}

} // namespace

QString TextRenderer::Family(const QString& sName) {
    auto it = m_families.find(sName);
    if (it == m_families.end())
        it = m_families.insert(sName, SubstituteFontFamily(sName));
    return *it;
}

QFont TextRenderer::MakeFont(const ImagingStyle& style, qreal em, const QPaintDevice& device) {
    QFont font(Family(style.font));
    // The size in the device's points that makes the em `em` target units.
    font.setPointSizeF(std::max<qreal>(em, 0.01) * 72.0 / device.logicalDpiY());
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strike);
    if (style.spacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, style.spacing);
    return font;
}

QRawFont TextRenderer::RawFont(const ImagingStyle& style, qreal em) {
    const QString sFamily = Family(style.font);
    const QString sKey =
        sFamily + (style.bold ? u"|b"_s : u"|"_s) + (style.italic ? u"i"_s : u""_s);
    auto it = m_rawFonts.find(sKey);
    if (it == m_rawFonts.end()) {
        QFont font(sFamily);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        font.setPixelSize(100);
        it = m_rawFonts.insert(sKey, QRawFont::fromFont(font));
    }
    // Each new size makes a new font engine that loads its glyphs again; pages repeat their
    // sizes, so the sized fonts are kept (a few dozen at most).
    const qreal px = std::max<qreal>(em, 0.01);
    const QString sSized = sKey + u'@' + QString::number(px, 'g', 17);
    auto sized = m_sizedFonts.find(sSized);
    if (sized == m_sizedFonts.end()) {
        if (m_sizedFonts.size() >= kSizedFonts)
            m_sizedFonts.clear();
        QRawFont raw = *it;
        raw.setPixelSize(px);
        sized = m_sizedFonts.insert(sSized, raw);
    }
    return *sized;
}

const QHash<quint32, quint32>& TextRenderer::VertMap(const QString& sFamily, const QRawFont& raw) {
    auto it = m_vertMaps.find(sFamily);
    if (it == m_vertMaps.end())
        it = m_vertMaps.insert(sFamily, ReadVertSubstitutions(raw.fontTable("GSUB")));
    return *it;
}

QList<TextRenderer::Cell> TextRenderer::Cells(const ImagingStyle& style, const QStringList& texts,
                                              qreal em, const QRawFont& raw, const QFont& font,
                                              const QPaintDevice& device) {
    QList<Cell> cells;
    cells.reserve(texts.size());
    for (const QString& s : texts)
        cells.append(Cell{s});
    const QHash<quint32, quint32>& vert = VertMap(Family(style.font), raw);
    const QFontMetricsF fm(font, &device);
    for (Cell& cell : cells) {
        const QList<quint32> glyphs =
            raw.isValid() ? raw.glyphIndexesForString(cell.text) : QList<quint32>();
        if (glyphs.size() == 1 && glyphs[0] != 0) {
            // The bar stands as it is: it is what dashes of addresses became for vertical
            // writing, and its vertical form would lie across the column like 一.
            const bool bKeep = cell.text == u"|"_s || cell.text == u"｜"_s;
            cell.glyph = bKeep ? glyphs[0] : vert.value(glyphs[0], glyphs[0]);
            // Glyph runs get no synthetic bold or slant (the IPA fonts have no bold face):
            // glyphs that keep their form are drawn as text then.
            if (cell.glyph == glyphs[0] && (style.bold || style.italic))
                cell.glyph = 0;
        }
        if (cell.glyph != 0) {
            const QList<QPointF> adv = raw.advancesForGlyphIndexes({cell.glyph});
            cell.advance = adv.isEmpty() ? em : adv[0].x();
        } else {
            cell.advance = fm.horizontalAdvance(cell.text);
        }
    }
    return cells;
}

QSizeF TextRenderer::Measure(const ImagingStyle& style, const QString& sText,
                             const QPaintDevice& device, double nUnitsPerInch) {
    const qreal em = EmOf(style, nUnitsPerInch);
    if (em <= 0 || sText.isEmpty())
        return {0, 0};
    if (style.dir == 2)
        return {em, SplitCells(sText).size() * (em + style.spacing)};
    // A line is one em high, as the Windows fonts that the IPA fonts stand in for measure.
    const QFontMetricsF fm(MakeFont(style, em, device), &device);
    return {fm.horizontalAdvance(sText), em};
}

void TextRenderer::Draw(QPainter& painter, const ImagingStyle& style, const QString& sText,
                        const QRectF& rect, bool bFit, double nUnitsPerInch) {
    const qreal em = EmOf(style, nUnitsPerInch);
    if (em <= 0 || sText.isEmpty() || (bFit && (rect.width() <= 0 || rect.height() <= 0)))
        return;
    painter.save();
    painter.setPen(WinColor(style.color));
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (style.dir == 2)
        DrawVertical(painter, style, sText, rect, bFit, em);
    else
        DrawHorizontal(painter, style, sText, rect, bFit, em);
    painter.restore();
}

void TextRenderer::DrawHorizontal(QPainter& painter, const ImagingStyle& style,
                                  const QString& sText, const QRectF& rect, bool bFit, qreal em) {
    const QPaintDevice& device = *painter.device();
    QFont font = MakeFont(style, em, device);
    QFontMetricsF fm(font, &device);
    qreal width = fm.horizontalAdvance(sText);
    for (int i = 0; bFit && i < kFitRounds && width > rect.width(); ++i) {
        em *= rect.width() / width;
        font = MakeFont(style, em, device);
        fm = QFontMetricsF(font, &device);
        width = fm.horizontalAdvance(sText);
    }
    const qreal x = AlignedStart(style.alignH, rect.left(), rect.width(), width);
    const qreal top = AlignedStart(style.alignV, rect.top(), rect.height(), em);
    if (bFit)
        ClipUnlessInside(painter, style, rect, QRectF(x, top, width, em),
                         InFont(RawFont(style, em), sText));
    painter.setFont(font);
    painter.drawText(QPointF(x, top + Baseline(em, fm.ascent(), fm.descent())), sText);
}

void TextRenderer::DrawVertical(QPainter& painter, const ImagingStyle& style, const QString& sText,
                                const QRectF& rect, bool bFit, qreal em) {
    const QPaintDevice& device = *painter.device();
    const QStringList texts = SplitCells(sText);
    const qreal length = texts.size() * (em + style.spacing);
    if (bFit && length > rect.height())
        em *= rect.height() / length;

    ImagingStyle plain = style; // lines are drawn along the column, not under each glyph
    plain.underline = plain.strike = false;
    const QFont font = MakeFont(plain, em, device);
    const QRawFont raw = RawFont(style, em);
    const QList<Cell> cells = Cells(style, texts, em, raw, font, device);

    const qreal step = em + style.spacing;
    const qreal extent = cells.size() * step;
    const qreal left = AlignedStart(style.alignH, rect.left(), rect.width(), em);
    const qreal top = AlignedStart(style.alignV, rect.top(), rect.height(), extent);
    const qreal centre = left + em / 2;
    if (bFit)
        ClipUnlessInside(
            painter, style, rect, QRectF(left, top, em, extent),
            std::all_of(cells.cbegin(), cells.cend(), [](const Cell& c) { return c.glyph != 0; }));
    const qreal ascent = raw.isValid() ? raw.ascent() : QFontMetricsF(font, &device).ascent();
    const qreal descent = raw.isValid() ? raw.descent() : QFontMetricsF(font, &device).descent();
    const qreal baseline = Baseline(em, ascent, descent);

    QList<quint32> glyphs;
    QList<QPointF> positions;
    painter.setFont(font);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        const QPointF at(centre - cell.advance / 2, top + i * step + baseline);
        if (cell.glyph != 0) {
            glyphs.append(cell.glyph);
            positions.append(at);
        } else {
            painter.drawText(at, cell.text);
        }
    }
    if (!glyphs.isEmpty()) {
        // One run per column; glyphs keep their own code point in the PDF's text map.
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    if (style.underline || style.strike) {
        const qreal thickness =
            std::max<qreal>(raw.isValid() ? raw.lineThickness() : em / 20, em / 40);
        QPen pen(WinColor(style.color), thickness);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        // Vertical writing puts the line on the right of the column.
        if (style.underline)
            painter.drawLine(QPointF(left + em, top), QPointF(left + em, top + extent));
        if (style.strike)
            painter.drawLine(QPointF(centre, top), QPointF(centre, top + extent));
    }
}

} // namespace hoplark

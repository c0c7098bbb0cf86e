#include "imaging/TextRenderer.h"

#include "imaging/FontSubstitution.h"
#include "imaging/GlyphTextLog.h"
#include "imaging/VerticalForms.h"
#include "imaging/WinColor.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Shrinking re-measures at the smaller size; hinting can leave it a hair too wide, so it is
// repeated a few times (the clip keeps the rectangle in any case).
constexpr int kFitRounds = 3;

constexpr qsizetype kSizedFonts = 64;
constexpr qsizetype kLines = 512;

// The em in target units, in whole 64ths: the unit in which the PDF engine places glyphs, so
// one column's glyph steps come out all alike (and compress well).
qreal EmOf(const ImagingStyle& style, double nUnitsPerInch) {
    return std::round(style.size * nUnitsPerInch / 72.0 * 64) / 64;
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

// What each glyph of run stands for in sText: the character whose glyph it is in the font's
// character map, else (a ligature, a mark joined to its base) the characters of its cluster.
QStringList GlyphTexts(const QTextLine& line, const QGlyphRun& run, const QString& sText) {
    const QRawFont raw = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<quint32> nominal = raw.glyphIndexesForString(sText);
    QHash<quint32, QString> byGlyph;
    qsizetype n = 0;
    for (qsizetype i = 0; i < sText.size() && n < nominal.size(); ++n) {
        const qsizetype len = sText[i].isHighSurrogate() && i + 1 < sText.size() ? 2 : 1;
        if (nominal[n] != 0 && !byGlyph.contains(nominal[n]))
            byGlyph.insert(nominal[n], sText.mid(i, len));
        i += len;
    }
    QStringList texts;
    texts.reserve(glyphs.size());
    for (const quint32 glyph : glyphs) {
        auto it = byGlyph.constFind(glyph);
        if (it == byGlyph.cend()) {
            // The first stretch of characters whose clusters hold the glyph.
            QString s;
            for (qsizetype i = 0; i < sText.size();) {
                const qsizetype len = sText[i].isHighSurrogate() && i + 1 < sText.size() ? 2 : 1;
                bool bHolds = false;
                for (const QGlyphRun& part : line.glyphRuns(int(i), int(len)))
                    bHolds |= part.rawFont() == raw && part.glyphIndexes().contains(glyph);
                if (bHolds)
                    s += sText.mid(i, len);
                else if (!s.isEmpty())
                    break;
                i += len;
            }
            it = byGlyph.insert(glyph, s);
        }
        texts.append(*it);
    }
    return texts;
}

} // namespace

// The glyphs' ink by their outlines, within box where they have none (blanks).
QRectF TextRenderer::Ink(const QList<Piece>& pieces, const QRectF& box) {
    QRectF ink;
    for (const Piece& piece : pieces) {
        const QRawFont raw = piece.run.rawFont();
        const QList<quint32> glyphs = piece.run.glyphIndexes();
        const QList<QPointF> at = piece.run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i)
            ink |= raw.boundingRect(glyphs[i]).translated(piece.origin + at[i]);
    }
    return ink.isNull() ? box : ink;
}

// The bold glyphs' ink may reach past their em boxes (box): by their own outlines, which carry
// FreeType's emboldening, and on paper by the half line the PDF engine strikes them over again.
qreal TextRenderer::BoldReach(const QList<Piece>& pieces, const QRectF& box, QRectF ink) {
    ink |= box;
    qreal line = 0;
    for (const Piece& piece : pieces)
        line = std::max(line, piece.run.rawFont().lineThickness() / 2);
    return line + std::max({box.left() - ink.left(), ink.right() - box.right(),
                            box.top() - ink.top(), ink.bottom() - box.bottom(), qreal(0)});
}

// A clip is a path per text in a PDF: it is needed unless the ink of the glyphs lies inside
// rect (by a pixel on a raster target: antialiasing reaches that far) in glyphs of the font itself;
// fallback glyphs, slant and lines may reach further. Bold strokes are not cut at the glyphs'
// own boxes.
std::optional<QRectF> TextRenderer::ClipFor(const ImagingStyle& style, const QRectF& rect,
                                            const QRectF& box, bool bOwnGlyphs,
                                            const QList<Piece>& pieces, bool bVector) {
    const QRectF ink = Ink(pieces, box);
    const qreal reach = style.bold ? BoldReach(pieces, box, ink) : 0;
    const qreal inset = reach + (bVector ? 0 : 1);
    if (bOwnGlyphs && !style.italic && !style.underline && !style.strike &&
        rect.adjusted(inset, inset, -inset, -inset).contains(ink))
        return std::nullopt;
    return rect.adjusted(-reach, -reach, reach, reach);
}

bool TextRenderer::Queue(const Out& out, const QList<Piece>& pieces, bool bAlone) {
    if (!out.bBatch || !bAlone)
        return false;
    for (const Piece& piece : pieces) {
        const QRawFont raw = piece.run.rawFont();
        if (m_pending.painter != &out.painter || !(m_pending.raw == raw) ||
            m_pending.color != out.color)
            Flush();
        m_pending.painter = &out.painter;
        m_pending.raw = raw;
        m_pending.color = out.color;
        m_pending.glyphs += piece.run.glyphIndexes();
        for (const QPointF& at : piece.run.positions())
            m_pending.positions.append(piece.origin + at);
        if (out.pLog)
            out.pLog->Add(raw, piece.run.glyphIndexes(), piece.texts);
    }
    return true;
}

void TextRenderer::Flush() {
    if (m_pending.painter && !m_pending.glyphs.isEmpty()) {
        // No save and restore: every drawing call sets what it uses, and each pair would be
        // written to the page.
        QPainter& painter = *m_pending.painter;
        painter.setPen(m_pending.color);
        QGlyphRun run;
        run.setRawFont(m_pending.raw);
        run.setGlyphIndexes(m_pending.glyphs);
        run.setPositions(m_pending.positions);
        painter.drawGlyphRun(QPointF(), run);
    }
    m_pending = Pending();
}

void TextRenderer::DrawNow(const Out& out, const std::optional<QRectF>& clip,
                           const QList<Piece>& pieces) {
    Flush();
    QPainter& painter = out.painter;
    painter.save();
    painter.setPen(out.color);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (clip)
        painter.setClipRect(*clip, Qt::IntersectClip);
    DrawPieces(painter, pieces, out.pLog);
}

void TextRenderer::DrawPieces(QPainter& painter, const QList<Piece>& pieces, GlyphTextLog* pLog) {
    for (const Piece& piece : pieces) {
        painter.drawGlyphRun(piece.origin, piece.run);
        if (pLog)
            pLog->Add(piece.run.rawFont(), piece.run.glyphIndexes(), piece.texts);
    }
}

// Underline and strike-out of a horizontal line from baseline to x end, placed as
// QPainter::drawText places them: each stretch of glyphs of one font gets that font's lines.
void TextRenderer::DrawLines(QPainter& painter, const QFont& font, const QList<Piece>& pieces,
                             const QPointF& baseline, qreal end) {
    if (!font.underline() && !font.strikeOut())
        return;
    QList<std::pair<qreal, qsizetype>> starts; // glyph x, piece
    for (qsizetype i = 0; i < pieces.size(); ++i)
        for (const QPointF& at : pieces[i].run.positions())
            starts.append({pieces[i].origin.x() + at.x(), i});
    std::stable_sort(starts.begin(), starts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QPen pen = painter.pen();
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    for (qsizetype i = 0; i < starts.size();) {
        qsizetype next = i + 1;
        while (next < starts.size() && starts[next].second == starts[i].second)
            ++next;
        const qreal x0 = i == 0 ? baseline.x() : starts[i].first;
        const qreal x1 = next < starts.size() ? starts[next].first : end;
        const QRawFont raw = pieces[starts[i].second].run.rawFont();
        pen.setWidthF(raw.lineThickness());
        painter.setPen(pen);
        const QLineF line(std::floor(x0), baseline.y(), std::floor(x1), baseline.y());
        if (font.underline()) {
            // Below the glyphs by whole pixels, but inside the descent.
            const qreal offset = raw.underlinePosition();
            qreal below = std::ceil(offset) + 0.5;
            if (offset <= raw.descent())
                below = std::min(below, raw.descent() - 0.5);
            painter.drawLine(line.translated(0, below));
        }
        if (font.strikeOut())
            painter.drawLine(line.translated(0, -raw.ascent() / 3));
        i = next;
    }
}

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

size_t qHash(const TextRenderer::FaceKey& k, size_t seed) {
    return qHashMulti(seed, k.family, k.bold, k.italic, k.size, k.dpi);
}

TextRenderer::Face& TextRenderer::FaceOf(const QFont& font, const QPaintDevice& device) {
    // Made from the font at the size drawn, not resized: a resized raw font loses Qt's
    // synthetic bold and slant. Each size makes a font engine that loads its glyphs again;
    // pages repeat their sizes, so the fonts are kept (a few dozen at most).
    const FaceKey key{font.family(), font.bold(), font.italic(),
                      std::bit_cast<quint64>(font.pointSizeF()), device.logicalDpiY()};
    auto it = m_faces.find(key);
    if (it == m_faces.end()) {
        if (m_faces.size() >= kSizedFonts)
            m_faces.clear();
        Face face;
        face.raw = QRawFont::fromFont(QFont(font, &device));
        it = m_faces.insert(key, face);
    }
    return *it;
}

QRawFont TextRenderer::RawFont(const QFont& font, const QPaintDevice& device) {
    return FaceOf(font, device).raw;
}

// The glyph of a one-character text in the font (0 when it has none) and its advance;
// bVertical: the vertical form where the font has one.
std::pair<quint32, qreal> TextRenderer::GlyphOf(Face& face, const QString& sFamily,
                                                const QString& sCell, bool bVertical) {
    QHash<QString, std::pair<quint32, qreal>>& cache = bVertical ? face.vertical : face.upright;
    auto it = cache.constFind(sCell);
    if (it != cache.cend())
        return *it;
    const QRawFont raw = face.raw;
    const QList<quint32> glyphs =
        raw.isValid() ? raw.glyphIndexesForString(sCell) : QList<quint32>();
    quint32 glyph = 0;
    if (glyphs.size() == 1 && glyphs[0] != 0) {
        glyph = glyphs[0];
        // The bar stands as it is: it is what dashes of addresses became for vertical
        // writing, and its vertical form would lie across the column like 一.
        if (bVertical && sCell != u"|"_s && sCell != u"｜"_s)
            glyph = VertMap(sFamily, raw).value(glyph, glyph);
    }
    qreal advance = 0;
    if (glyph != 0) {
        const QList<QPointF> adv = raw.advancesForGlyphIndexes({glyph});
        advance = adv.isEmpty() ? 0 : adv[0].x();
    }
    if (cache.size() >= kLines)
        cache.clear();
    return *cache.insert(sCell, {glyph, advance});
}

const QHash<quint32, quint32>& TextRenderer::VertMap(const QString& sFamily, const QRawFont& raw) {
    auto it = m_vertMaps.find(sFamily);
    if (it == m_vertMaps.end())
        it = m_vertMaps.insert(sFamily, ReadVertSubstitutions(raw.fontTable("GSUB")));
    return *it;
}

TextRenderer::Line TextRenderer::LaidOut(const QFont& font, const QString& sText,
                                         const QPainter& painter, bool bTexts) {
    // Addresses repeat their sender and postal digits page after page.
    QString sKey = font.toString() + u'/' + QString::number(font.pointSizeF(), 'g', 17) + u'/' +
                   QString::number(painter.device()->logicalDpiY()) + u'/' +
                   QString::number(int(painter.layoutDirection())) + u'/' + sText;
    auto it = m_lines.find(sKey);
    if (it != m_lines.end() && (it->bTexts || !bTexts))
        return *it;
    QTextLayout layout(sText, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(painter.layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    Line laid;
    laid.bTexts = bTexts;
    if (line.isValid()) {
        laid.ascent = line.ascent();
        laid.advance = line.horizontalAdvance();
        for (QGlyphRun& run : line.glyphRuns()) {
            run.setUnderline(false); // drawn as QPainter::drawText draws them, not per run
            run.setStrikeOut(false);
            run.setOverline(false);
            laid.texts.append(bTexts ? GlyphTexts(line, run, sText) : QStringList());
            laid.runs.append(run);
        }
    }
    if (m_lines.size() >= kLines)
        m_lines.clear();
    m_lines.insert(sKey, laid);
    return laid;
}

QList<TextRenderer::Piece> TextRenderer::LineGlyphs(const QFont& font, const QString& sText,
                                                    const QPainter& painter,
                                                    const QPointF& baseline, bool bTexts,
                                                    qreal* pWidth) {
    const Line line = LaidOut(font, sText, painter, bTexts);
    if (pWidth)
        *pWidth = line.advance;
    QList<Piece> pieces;
    for (qsizetype i = 0; i < line.runs.size(); ++i)
        pieces.append({line.runs[i], baseline - QPointF(0, line.ascent), line.texts[i]});
    return pieces;
}

QList<TextRenderer::Cell> TextRenderer::Cells(const ImagingStyle& style, const QStringList& texts,
                                              qreal em, Face& face, const QFont& font,
                                              const QPaintDevice& device) {
    QList<Cell> cells;
    cells.reserve(texts.size());
    const QString sFamily = Family(style.font);
    std::optional<QFontMetricsF> fm; // only for characters the font lacks
    for (const QString& s : texts) {
        Cell cell{s};
        const auto [glyph, advance] = GlyphOf(face, sFamily, s, true);
        cell.glyph = glyph;
        if (glyph != 0) {
            cell.advance = advance > 0 ? advance : em;
        } else {
            if (!fm)
                fm.emplace(font, &device);
            cell.advance = fm->horizontalAdvance(s);
        }
        cells.append(cell);
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
                        const QRectF& rect, bool bFit, double nUnitsPerInch, GlyphTextLog* pLog,
                        bool bBatch) {
    const qreal em = EmOf(style, nUnitsPerInch);
    if (em <= 0 || sText.isEmpty() || (bFit && (rect.width() <= 0 || rect.height() <= 0)))
        return;
    const Out out{painter, WinColor(style.color), pLog, bBatch};
    if (style.dir == 2)
        DrawVertical(out, style, sText, rect, bFit, em);
    else
        DrawHorizontal(out, style, sText, rect, bFit, em);
}

// One character in the profile's font, as the digits of a postal code are: its glyph and
// advance come from the kept font, without laying out a line. False: not such a text.
bool TextRenderer::DrawOneGlyph(const Out& out, const ImagingStyle& style, const QString& sText,
                                const QRectF& rect, bool bFit, qreal em) {
    if (style.underline || style.strike || style.spacing != 0 || sText.size() > 2 ||
        (sText.size() == 2 && !sText[0].isHighSurrogate()))
        return false;
    QPainter& painter = out.painter;
    const QPaintDevice& device = *painter.device();
    const QFont font = MakeFont(style, em, device);
    Face& face = FaceOf(font, device);
    const auto [glyph, width] = GlyphOf(face, Family(style.font), sText, false);
    if (glyph == 0 || (bFit && width > rect.width()))
        return false;
    const qreal x = AlignedStart(style.alignH, rect.left(), rect.width(), width);
    const qreal top = AlignedStart(style.alignV, rect.top(), rect.height(), em);
    Piece piece;
    piece.run.setRawFont(face.raw);
    piece.run.setGlyphIndexes({glyph});
    piece.run.setPositions({QPointF()});
    piece.origin = QPointF(x, top + Baseline(em, face.raw.ascent(), face.raw.descent()));
    if (out.pLog)
        piece.texts = QStringList{sText};
    const QList<Piece> pieces{piece};
    const std::optional<QRectF> clip =
        bFit ? ClipFor(style, rect, QRectF(x, top, width, em), true, pieces, out.bBatch)
             : std::nullopt;
    if (!Queue(out, pieces, !clip)) {
        DrawNow(out, clip, pieces);
        painter.restore();
    }
    return true;
}

void TextRenderer::DrawHorizontal(const Out& out, const ImagingStyle& style, const QString& sText,
                                  const QRectF& rect, bool bFit, qreal em) {
    if (DrawOneGlyph(out, style, sText, rect, bFit, em))
        return;
    QPainter& painter = out.painter;
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
    const QPointF baseline(x, top + Baseline(em, fm.ascent(), fm.descent()));
    qreal advance = width;
    const QList<Piece> pieces =
        LineGlyphs(font, sText, painter, baseline, out.pLog != nullptr, &advance);
    const std::optional<QRectF> clip =
        bFit ? ClipFor(style, rect, QRectF(x, top, width, em), InFont(RawFont(font, device), sText),
                       pieces, out.bBatch)
             : std::nullopt;
    if (Queue(out, pieces, !clip && !font.underline() && !font.strikeOut()))
        return;
    DrawNow(out, clip, pieces);
    DrawLines(painter, font, pieces, baseline, x + advance);
    painter.restore();
}

void TextRenderer::DrawVertical(const Out& out, const ImagingStyle& style, const QString& sText,
                                const QRectF& rect, bool bFit, qreal em) {
    QPainter& painter = out.painter;
    const QPaintDevice& device = *painter.device();
    const QStringList texts = SplitCells(sText);
    const qreal length = texts.size() * (em + style.spacing);
    if (bFit && length > rect.height())
        em *= rect.height() / length;

    ImagingStyle plain = style; // lines are drawn along the column, not under each glyph
    plain.underline = plain.strike = false;
    const QFont font = MakeFont(plain, em, device);
    Face& face = FaceOf(font, device);
    const QRawFont raw = face.raw;
    const QList<Cell> cells = Cells(style, texts, em, face, font, device);

    const qreal step = em + style.spacing;
    const qreal extent = cells.size() * step;
    const qreal left = AlignedStart(style.alignH, rect.left(), rect.width(), em);
    const qreal top = AlignedStart(style.alignV, rect.top(), rect.height(), extent);
    const qreal centre = left + em / 2;
    const qreal ascent = raw.isValid() ? raw.ascent() : QFontMetricsF(font, &device).ascent();
    const qreal descent = raw.isValid() ? raw.descent() : QFontMetricsF(font, &device).descent();
    const qreal baseline = Baseline(em, ascent, descent);

    // Cells in the font go as runs of raw glyphs, the others as lines of their own, in the
    // order they are read (the PDF's text follows it).
    QList<Piece> pieces;
    Piece column;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    const auto EndColumn = [&] {
        if (glyphs.isEmpty())
            return;
        column.run.setRawFont(raw);
        column.run.setGlyphIndexes(glyphs);
        column.run.setPositions(positions);
        pieces.append(column);
        column = Piece();
        glyphs.clear();
        positions.clear();
    };
    bool bOwnGlyphs = true;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        const QPointF at(centre - cell.advance / 2, top + i * step + baseline);
        if (cell.glyph != 0) {
            glyphs.append(cell.glyph);
            positions.append(at);
            column.texts.append(cell.text);
        } else {
            EndColumn();
            pieces += LineGlyphs(font, cell.text, painter, at, out.pLog != nullptr);
            bOwnGlyphs = false;
        }
    }
    EndColumn();
    const std::optional<QRectF> clip =
        bFit ? ClipFor(style, rect, QRectF(left, top, em, extent), bOwnGlyphs, pieces, out.bBatch)
             : std::nullopt;
    if (Queue(out, pieces, !clip && !style.underline && !style.strike))
        return;
    DrawNow(out, clip, pieces);
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
    painter.restore();
}

} // namespace hoplark

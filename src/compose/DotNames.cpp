#include "compose/ComposeAdr.h"

#include "addresslist/SamaRules.h"
#include "compose/TextMarks.h"
#include "imaging/Imaging.h"
#include "platform/Width.h"
#include "render/Canvas.h"
#include "render/FontApply.h"
#include "render/TextPlacement.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// s folded for comparing without regard to case and width; origin[k] is the index in s of
// folded character k.
QString Fold(const QString& s, QList<qsizetype>& origin) {
    QString out;
    origin.clear();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QString f = Narrow(s.mid(i, 1)).toUpper();
        out += f;
        for (qsizetype k = 0; k < f.size(); ++k)
            origin << i;
    }
    return out;
}

// A part with its honorific as the measuring counts it: a listed honorific found anywhere
// in the part stays (set off by a space), otherwise the joint honorific follows.
QString MeasuredPart(const SamaRules& sama, const QString& part) {
    QList<qsizetype> origin;
    const QString folded = Fold(part, origin);
    for (const QString& entry : sama.aSuffix) {
        QList<qsizetype> unused;
        const QString fe = Fold(entry, unused);
        const qsizetype pos = folded.indexOf(fe);
        if (pos < 0)
            continue;
        QString out = part;
        if (!entry.startsWith(u' ') && !folded.contains(fe + u' ')) {
            const qsizetype at = fe.isEmpty() ? 0 : origin[pos + fe.size() - 1] + 1;
            out.insert(at, u' ');
        }
        return out;
    }
    return part + u' ' + sama.sDotSama;
}

// Extent of text along the writing direction, in page units; factor turns the preview's
// font size into the printed one.
int Extent(const Canvas& cv, const QString& text, double factor) {
    int w = 0, h = 0;
    cv.ik.TextValue(text);
    cv.ik.MeasureText(cv.lay.nTgtDc, w, h, 0);
    const int n = cv.page.bVertical ? h : w;
    // The printer measures in page units already; the preview in pixels.
    if (cv.lay.bPrinting)
        return n;
    return Nearest(n / double(cv.lay.sgScale) * factor);
}

} // namespace

void DotNames(const Canvas& cv, const ComposeInput& in, const QString& line, int& nRow,
              bool bCentre) {
    const PageLayout& l = cv.lay;
    const bool bVertical = cv.page.bVertical;
    QStringList parts = line.split(u'・');
    const auto n = parts.size();
    const LineBox frame = PageLayout::Box(l.aNameBox, nRow);

    // Squeeze the lines when there are more names than name rows.
    const int nRows = l.nMaxRow[1] + (l.bExtraOk ? 1 : 0);
    const double pitch = nRows < n ? double(nRows) * l.nPitch[2] / n : l.nPitch[2];
    const int step = Nearest(pitch * 1.1);

    QString family;
    const qsizetype sp = parts[0].lastIndexOf(u'　');
    if (sp >= 0) {
        family = parts[0].left(sp);
        parts[0] = parts[0].mid(sp + 1);
    }
    // Squeezed lines take a smaller font: an em of at most 0.9 of the step keeps neighbouring
    // columns apart (one point is 254 / 72 page units).
    const double sgMaxPoints = pitch < l.nPitch[2] ? 0.9 * step * 72 / 254 : 0;
    ApplyFont(cv, 3, false, false, false, sgMaxPoints);
    // Placed as on paper, so the preview shows where the printer puts the names.
    const double factor = PrintedSizeFactor(cv, 3, sgMaxPoints);

    QString longest;
    for (const QString& part : parts) {
        const QString m = MeasuredPart(in.sama, part);
        if (m.size() > longest.size())
            longest = m;
    }
    const int extent = Extent(cv, family + u'　' + longest + u'　', factor);
    const int famExtent = Extent(cv, family + u'　', factor);

    // Along the writing direction: frame start and end.
    const int f0 = bVertical ? frame[1] : frame[0];
    const int f1 = bVertical ? frame[3] : frame[2];
    int start = f0;
    int end = f1;
    if (bCentre) {
        // Free space divided 1 : 1.5.
        start = Long(qint64(f0) + std::max(0, Nearest((double(f1) - f0 - extent) / 2.5)));
        if (qint64(start) + extent < f1)
            end = start + extent;
    }

    // Across: box k lies k steps from the frame's first edge and is one pitch wide (its far
    // edge rounded once).
    auto boxAt = [&](qsizetype k, int from, int to) {
        LineBox b;
        if (bVertical) {
            b[0] = Long(qint64(frame[0]) - k * step);
            b[2] = Nearest(b[0] - pitch);
            b[1] = from;
            b[3] = to;
        } else {
            b[1] = Long(qint64(frame[1]) + k * step);
            b[3] = Nearest(b[1] + pitch);
            b[0] = from;
            b[2] = to;
        }
        return b;
    };

    int partStart = start;
    if (!family.isEmpty()) {
        // The family name once, the given names aligned after it.
        partStart = Long(qint64(start) + famExtent);
        DrawTextBox(cv, boxAt(0, start, partStart), family);
    }
    for (qsizetype k = 0; k < n; ++k) {
        QString part = parts[k];
        QString suffix;
        bool bNotFound = true;
        in.sama.CutSuffix(part, suffix, bNotFound);
        const QString text = bNotFound ? TrimBlanks(part) + u' ' + in.sama.sDotSama
                                       : TrimBlanks(part) + u' ' + suffix;
        DrawTextBox(cv, boxAt(k, partStart, end), text);
        ++nRow;
    }
}

} // namespace hoplark

#include "compose/ComposeAdr.h"

#include "compose/FontApply.h"
#include "compose/TextMarks.h"
#include "platform/Width.h"
#include "render/MainState.h"
#include "render/TextPlacement.h"
#include "render/imaging/Imaging.h"

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
QString MeasuredPart(const MainState& st, const QString& part) {
    QList<qsizetype> origin;
    const QString folded = Fold(part, origin);
    for (const QString& entry : st.sama.aSuffix) {
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
    return part + u' ' + st.sama.sDotSama;
}

// Extent of text along the writing direction, in page units.
int Extent(MainState& st, const QString& text) {
    int w = 0, h = 0;
    st.ik.TextValue(text);
    st.ik.MeasureText(st.lay.nTgtDc, w, h, 0);
    const int n = st.page.bVertical ? h : w;
    // The printer measures in page units already; the preview in pixels.
    if (st.lay.bPrinting)
        return n;
    return Nearest(n / double(st.lay.sgScale));
}

} // namespace

void DotNames(MainState& st, const QString& line, int& nRow, bool bCentre) {
    PageLayout& l = st.lay;
    const bool bVertical = st.page.bVertical;
    QStringList parts = line.split(u'・');
    const auto n = parts.size();
    const LineBox frame = PageLayout::Box(l.aNameBox, nRow);

    // Squeeze the lines when there are more names than name rows.
    const int nRows = l.nMaxRow[1] + (st.page.bExtraOk ? 1 : 0);
    const double pitch = nRows < n ? double(nRows) * l.nPitch[2] / n : l.nPitch[2];
    const int step = Nearest(pitch * 1.1);

    QString family;
    const qsizetype sp = parts[0].lastIndexOf(u'　');
    if (sp >= 0) {
        family = parts[0].left(sp);
        parts[0] = parts[0].mid(sp + 1);
    }
    ApplyFont(st, 3, false, false, false);

    QString longest;
    for (const QString& part : parts) {
        const QString m = MeasuredPart(st, part);
        if (m.size() > longest.size())
            longest = m;
    }
    const int extent = Extent(st, family + u'　' + longest + u'　');
    const int famExtent = Extent(st, family + u'　');

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
        DrawTextBox(st, boxAt(0, start, partStart), family);
    }
    for (qsizetype k = 0; k < n; ++k) {
        QString part = parts[k];
        QString suffix;
        bool bNotFound = true;
        st.sama.CutSuffix(part, suffix, bNotFound);
        const QString text = bNotFound ? TrimBlanks(part) + u' ' + st.sama.sDotSama
                                       : TrimBlanks(part) + u' ' + suffix;
        DrawTextBox(st, boxAt(k, partStart, end), text);
        ++nRow;
    }
    l.bNameExtra = true;
}

} // namespace hoplark

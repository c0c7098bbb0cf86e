#include "render/LayoutPage.h"

#include "imaging/Imaging.h"
#include "platform/Numbers.h"
#include "platform/Width.h"
#include "render/Canvas.h"
#include "render/TextPlacement.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// The text a combo box shows: its list entry when one is selected, else what was typed.
QString ComboText(const ComboValue& v, const QStringList& list) {
    return v.index >= 0 && v.index < list.size() ? list.at(v.index) : v.text;
}

void DrawPaper(const Canvas& cv) {
    PageLayout& l = cv.lay;
    l.bGuides = false;
    SetPen(cv, 1, kWhite);
    if (l.nFlap > 0)
        DrawFlap(cv);
    DrawBox(cv, 0, 0, l.nPageW, l.nPageH);
    // A 1.5 mm shadow on the right and at the bottom.
    SetPen(cv, 1, kGrey);
    DrawBox(cv, l.nPageW, 15, Long(qint64(l.nPageW) + 15), Long(qint64(l.nPageH) + 15));
    DrawBox(cv, 15, l.nPageH, Long(qint64(l.nPageW) + 15), Long(qint64(l.nPageH) + 15));
    // The stamp area.
    SetPen(cv, 2, kSilver);
    DrawBox(cv, 70, 90, 250, 310);
    PlaceZip(cv);
    DrawZip(cv, 0, std::nullopt, false);
    if (cv.page.bSender)
        DrawZip(cv, 1, std::nullopt, false);
}

// The line boxes of one block. First box given, each next one sp * pitch after the previous
// (across the lines: downwards in horizontal writing, leftwards in vertical writing).
void Stack(QList<LineBox>& boxes, const LineBox& first, double gap, int pitch, bool bVertical) {
    boxes[0] = first;
    for (qsizetype r = 1; r < boxes.size(); ++r) {
        const LineBox& p = boxes[r - 1];
        LineBox b = p;
        if (bVertical) {
            b[0] = Nearest(p[2] - gap);
            b[2] = Long(qint64(b[0]) - pitch);
        } else {
            b[1] = Nearest(p[3] + gap);
            b[3] = Long(qint64(b[1]) + pitch);
        }
        boxes[r] = b;
    }
}

void Dimension(QList<LineBox>& boxes, int nRows) {
    if (nRows < 1)
        throw SubscriptError(); // a block needs at least one line
    boxes.fill(LineBox{}, nRows);
}

void LineBoxes(const Canvas& cv) {
    PageLayout& l = cv.lay;
    const ProfileModel& m = cv.model;
    const bool bV = cv.page.bVertical;
    std::array<float, 4> sp{};
    std::array<int, 8> mg{};
    for (int i = 0; i < 4; ++i) {
        const QString t = bV ? ComboText(m.cbRwPtB[i], ProfileModel::RwPtBList(i))
                             : ComboText(m.cbRwPt[i], ProfileModel::RwPtList(i));
        sp[i] = Single(Num(Narrow(t)));
    }
    for (int i = 0; i < 8; ++i)
        mg[i] = NearestInt(Num(bV ? m.txYhkB[i] : m.txYhk[i]) * 10);

    const int pA = l.nPitch[1], pN = l.nPitch[2], pS = l.nPitch[4];
    // With an extra line the spacing of that block is halved.
    const double fA = l.bAdrExtra ? 0.5 : 1, fN = l.bNameExtra ? 0.5 : 1;
    const qint64 W = l.nPageW, H = l.nPageH;
    const int n = l.nMaxRow[2];
    const double senderLen = ((n - 1) * double(sp[3]) + n) * pS;
    if (!bV) {
        Stack(l.aAdrBox, {mg[1], mg[0], Long(W - mg[2]), Long(qint64(mg[0]) + pA)}, sp[0] * fA * pA,
              pA, false);
        const int top = Nearest(l.aAdrBox.last()[3] + double(sp[1]) * pA);
        Stack(l.aNameBox, {mg[3], top, Long(W - mg[4]), Long(qint64(top) + pN)}, sp[2] * fN * pN,
              pN, false);
        if (cv.page.bSender) {
            const int sTop = Nearest(double(H - mg[7]) - senderLen);
            Stack(l.aSndBox, {mg[5], sTop, Long(W - mg[6]), Long(qint64(sTop) + pS)},
                  double(sp[3]) * pS, pS, false);
        }
    } else {
        const int right = Long(W - mg[0]);
        Stack(l.aAdrBox, {right, mg[1], Long(qint64(right) - pA), Long(H - mg[2])}, sp[0] * fA * pA,
              pA, true);
        const int nRight = Nearest(l.aAdrBox.last()[2] - double(sp[1]) * pA);
        Stack(l.aNameBox, {nRight, mg[3], Long(qint64(nRight) - pN), Long(H - mg[4])},
              sp[2] * fN * pN, pN, true);
        if (cv.page.bSender) {
            const int sRight = Nearest(senderLen + mg[7]);
            Stack(l.aSndBox, {sRight, mg[5], Long(qint64(sRight) - pS), Long(H - mg[6])},
                  double(sp[3]) * pS, pS, true);
        }
    }
}

void DrawGuides(const Canvas& cv) {
    PageLayout& l = cv.lay;
    SetPen(cv, 1, kLightYellow);
    for (const LineBox& b : l.aAdrBox)
        DrawBox(cv, b);
    for (const LineBox& b : l.aNameBox)
        DrawBox(cv, b);
    if (cv.page.bSender)
        for (const LineBox& b : l.aSndBox)
            DrawBox(cv, b);
    l.bGuides = true;
}

// Characters per line at 90 percent: line length over pitch. A block whose box cannot give
// a value keeps the previous one.
void LineCaps(const Canvas& cv) {
    PageLayout& l = cv.lay;
    const std::array<const QList<LineBox>*, 3> blocks{&l.aAdrBox, &l.aNameBox, &l.aSndBox};
    for (int b = 0; b < 3; ++b) {
        try {
            const LineBox& x = PageLayout::Box(*blocks[b], 0);
            const double len = cv.page.bVertical ? double(x[3]) - x[1] : double(x[2]) - x[0];
            const double across = cv.page.bVertical ? double(x[0]) - x[2] : double(x[3]) - x[1];
            l.nLineCap[b] = NearestInt(len / across * 0.9);
        } catch (const std::exception&) {
        }
    }
}

} // namespace

void DrawFlap(const Canvas& cv) {
    const PageLayout& l = cv.lay;
    const double s = l.sgScale;
    const QList<int> xs{Nearest(s * 100 + l.nOrgX), Nearest(s * (double(l.nPageW) - 100) + l.nOrgX),
                        Nearest(s * l.nPageW + l.nOrgX), l.nOrgX};
    const int yBottom = Nearest(s * l.nFlap + l.nOrgY);
    const QList<int> ys{l.nOrgY, l.nOrgY, yBottom, yBottom};
    cv.ik.DrawPolygon(l.nTgtDc, xs, ys, 4, l.Dev());
}

void LayoutPage(const Canvas& cv) {
    PageLayout& l = cv.lay;
    const PageVars& pv = cv.page;
    const ProfileModel& m = cv.model;
    if (pv.sPaper.isEmpty())
        return;
    l.nFlap = pv.bEnvelope ? 150 : 0;
    l.nPageW = pv.nPaperW;
    l.nPageH = pv.nPaperH;

    // The preview is a square of nPx pixels; the page (with its flap) fills 95 % of it.
    const int nPx = Nearest(cv.ik.Width() / 16.5);
    const qint64 tall = qint64(l.nPageH) + l.nFlap;
    const double M = l.nPageW > tall ? double(l.nPageW) : double(tall);
    l.sgScale = Single(0.95 * (nPx / M));
    l.nOrgX = Nearest((nPx - double(l.sgScale) * l.nPageW) / 2);
    l.nOrgY = Nearest((nPx - double(l.sgScale) * tall) / 2);

    // Font sizes follow the page's share of its real size on the screen.
    const float sgRealW = Single(l.nPageW / 254.0 * cv.nDpi);
    l.sgFontScale = Single(double(l.sgScale) * l.nPageW / sgRealW);
    const double k = 1.33 / double(l.sgScale) * double(l.sgFontScale) * 1.2;

    // A print job has a layout of its own, so it places its own postal-code boxes.
    if (!l.bPrinting)
        DrawPaper(cv);
    else
        PlaceZip(cv);

    static constexpr std::array<int, 5> kPitchLabel{0, 1, 3, 4, 5};
    for (int i = 0; i < 5; ++i)
        l.nPitch[i] = Nearest(double(Single(m.lbAdd[kPitchLabel[i]].size)) * k);

    if (!l.bAdrExtra && !l.bNameExtra)
        for (int i = 0; i < 3; ++i)
            l.nMaxRow[i] =
                NearestInt(Num(Narrow(ComboText(m.cbMxRw[i], ProfileModel::MxRwList(i))).left(1)));
    l.nAdrRows = Integer(qint64(l.nMaxRow[0]) + (l.bAdrExtra ? 1 : 0));
    l.nNameRows = Integer(qint64(l.nMaxRow[1]) + (l.bNameExtra ? 1 : 0));
    Dimension(l.aAdrBox, l.nAdrRows);
    Dimension(l.aNameBox, l.nNameRows);
    Dimension(l.aSndBox, l.nMaxRow[2]);

    LineBoxes(cv);

    if (cv.nTab == 0 && !l.bPrinting)
        DrawGuides(cv);

    LineCaps(cv);

    if (m.OptAdd[3])
        l.nOmit = 0;
    else if (m.OptAdd[4])
        l.nOmit = 2;
    else if (m.OptAdd[5])
        l.nOmit = 1;

    l.nAdrNameGap = cv.page.bVertical ? Long(qint64(l.aAdrBox.last()[2]) - l.aNameBox[0][0])
                                      : Long(qint64(l.aNameBox[0][1]) - l.aAdrBox.last()[3]);
    l.bExtraOk = m.chOvrRw == 1;
}

} // namespace hoplark

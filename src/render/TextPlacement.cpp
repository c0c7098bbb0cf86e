#include "render/TextPlacement.h"

#include "compose/FontApply.h"
#include "platform/Width.h"
#include "render/MainState.h"
#include "render/imaging/Imaging.h"

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

struct ZipGeometry {
    int nWidth, nHeight, nGap;
};
// Recipient boxes are 6.2 x 8 mm, 0.7 mm apart; the sender's 3.8 x 6.8 mm, 0.3 mm apart.
constexpr std::array<ZipGeometry, 2> kZip{{{62, 80, 7}, {38, 68, 3}}};

int MapX(const MainState& st, int x) {
    const PageLayout& l = st.lay;
    if (l.bPrinting)
        return std::max(0, Long(qint64(x) - l.nPrnOffX));
    return Nearest(double(l.sgScale) * x + l.nOrgX);
}

int MapY(const MainState& st, int y) {
    const PageLayout& l = st.lay;
    if (l.bPrinting)
        return std::max(0, Long(qint64(y) - l.nPrnOffY));
    // The flap allowance moves the whole page down on envelopes.
    return Nearest(double(l.sgScale) * (qint64(y) + l.nFlap) + l.nOrgY);
}

} // namespace

void ToDevice(const MainState& st, int& x1, int& x2, int& y1, int& y2) {
    x1 = MapX(st, x1);
    x2 = MapX(st, x2);
    y1 = MapY(st, y1);
    y2 = MapY(st, y2);
}

void SetPen(MainState& st, int nWidth, int nColor) {
    st.ik.ResetStyle();
    st.ik.FillMode(0);
    st.ik.LineWidth(nWidth);
    st.ik.FillColor(nColor);
}

void DrawBox(MainState& st, int x1, int y1, int x2, int y2) {
    ToDevice(st, x1, x2, y1, y2);
    st.ik.DrawRect(st.lay.nTgtDc, x1, y1, x2, y2, st.lay.Dev());
}

void DrawZipBox(MainState& st, int x1, int y1, int x2, int y2) { DrawBox(st, x1, y1, x2, y2); }

void PlaceZip(MainState& st) {
    PageLayout& l = st.lay;
    l.nZipX[0] = Long(qint64(l.nPageW) - 555);
    l.nZipY[0] = 120;
    l.nZipX[1] = 62;
    l.nZipY[1] = Long(qint64(l.nPageH) - 250);
}

std::array<std::array<int, 2>, 7> ZipBoxEdges(int nWhich, int x0) {
    const ZipGeometry& g = kZip.at(nWhich);
    std::array<std::array<int, 2>, 7> edges{};
    qint64 x = x0;
    for (int i = 0; i < 7; ++i) {
        const int left = Long(x);
        int right = Long(x + g.nWidth);
        edges[i] = {left, right};
        // A wider gap between the three-digit and the four-digit group.
        if (i == 2)
            right = Nearest(g.nGap * 1.6 + right);
        x = qint64(right) + g.nGap;
    }
    return edges;
}

int ZipBoxHeight(int nWhich) { return kZip.at(nWhich).nHeight; }

void DrawZip(MainState& st, int nWhich, const std::optional<QString>& text, bool bFrame) {
    const int y0 = st.lay.nZipY.at(nWhich);
    const int y1 = Long(qint64(y0) + ZipBoxHeight(nWhich));
    const auto edges = ZipBoxEdges(nWhich, st.lay.nZipX.at(nWhich));
    Imaging& ik = st.ik;
    if (bFrame || !text) {
        ik.ResetStyle();
        ik.LineWidth(1);
        ik.FillColor(kWhite);
        ik.FillMode(1);
        ik.LineColor(kRed);
        for (const auto& e : edges)
            DrawZipBox(st, e[0], y0, e[1], y1);
    }
    if (!text)
        return;
    ApplyFont(st, nWhich == 0 ? 0 : 4, true, true, false);
    // Seven characters, one per box: short codes leave the last boxes blank, long ones lose
    // their tail.
    QString code = *text;
    code.remove(u'-');
    code = (code + u"       "_s).left(7);
    for (int i = 0; i < 7; ++i)
        DrawTextBox(st, edges[i][0], y0, edges[i][1], y1, code.mid(i, 1));
}

void DrawTextBox(MainState& st, int x1, int y1, int x2, int y2, QString text) {
    ToDevice(st, x1, x2, y1, y2);
    if (st.page.bVertical) {
        text = Wide(text);
        // Only half-width forms are touched, and the widening has left none of them.
        text.remove(u'(');
        text.remove(u')');
        text.replace(u'ｰ', u'l');
        text.replace(u'-', u'l');
    }
    st.ik.TextValue(text);
    st.ik.DrawText(st.lay.nTgtDc, x1, y1, x2, y2, true, 0, st.lay.Dev());
}

} // namespace hoplark

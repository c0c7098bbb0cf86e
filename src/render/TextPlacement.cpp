#include "render/TextPlacement.h"

#include "imaging/Imaging.h"
#include "platform/Width.h"
#include "render/Canvas.h"
#include "render/FontApply.h"

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

struct ZipGeometry {
    int nWidth, nHeight, nGap;
};
// Recipient boxes are 6.2 x 8 mm, 0.7 mm apart; the sender's 3.8 x 6.8 mm, 0.3 mm apart.
constexpr std::array<ZipGeometry, 2> kZip{{{62, 80, 7}, {38, 68, 3}}};

int MapX(const Canvas& cv, int x) {
    const PageLayout& l = cv.lay;
    if (l.bPrinting)
        return Long(qint64(std::max(0, Long(qint64(x) - l.nPrnOffX))) + l.nAdjX);
    return Nearest(double(l.sgScale) * x + l.nOrgX);
}

int MapY(const Canvas& cv, int y) {
    const PageLayout& l = cv.lay;
    if (l.bPrinting)
        return Long(qint64(std::max(0, Long(qint64(y) - l.nPrnOffY))) + l.nAdjY);
    // The flap allowance moves the whole page down on envelopes.
    return Nearest(double(l.sgScale) * (qint64(y) + l.nFlap) + l.nOrgY);
}

} // namespace

void ToDevice(const Canvas& cv, int& x1, int& x2, int& y1, int& y2) {
    x1 = MapX(cv, x1);
    x2 = MapX(cv, x2);
    y1 = MapY(cv, y1);
    y2 = MapY(cv, y2);
}

void SetPen(const Canvas& cv, int nWidth, int nColor) {
    cv.ik.ResetStyle();
    cv.ik.FillMode(0);
    cv.ik.LineWidth(nWidth);
    cv.ik.FillColor(nColor);
}

void DrawBox(const Canvas& cv, int x1, int y1, int x2, int y2) {
    ToDevice(cv, x1, x2, y1, y2);
    cv.ik.DrawRect(cv.lay.nTgtDc, x1, y1, x2, y2, cv.lay.Dev());
}

void DrawZipBox(const Canvas& cv, int x1, int y1, int x2, int y2) {
    DrawBox(cv, x1, y1, x2, y2);
}

void PlaceZip(const Canvas& cv) {
    PageLayout& l = cv.lay;
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

int ZipBoxHeight(int nWhich) {
    return kZip.at(nWhich).nHeight;
}

QString ZipDigits(const QString& sZip) {
    QString out;
    out.reserve(sZip.size());
    for (const QChar c : sZip) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            out += QChar(u - u'０' + u'0');
        // The postal mark, blanks and every dash people type between the two groups.
        else if (u == u'〒' || c.isSpace() || u == u'-' || u == u'－' || u == u'‐' || u == u'ー' ||
                 u == u'―' || u == u'−' || u == u'ｰ')
            continue;
        else
            out += c;
    }
    return out;
}

void DrawZip(const Canvas& cv, int nWhich, const std::optional<QString>& text, bool bFrame) {
    const int y0 = cv.lay.nZipY.at(nWhich);
    const int y1 = Long(qint64(y0) + ZipBoxHeight(nWhich));
    const auto edges = ZipBoxEdges(nWhich, cv.lay.nZipX.at(nWhich));
    Imaging& ik = cv.ik;
    if (bFrame || !text) {
        ik.ResetStyle();
        ik.LineWidth(1);
        ik.FillColor(kWhite);
        ik.FillMode(1);
        ik.LineColor(kRed);
        for (const auto& e : edges)
            DrawZipBox(cv, e[0], y0, e[1], y1);
    }
    if (!text)
        return;
    ApplyFont(cv, nWhich == 0 ? 0 : 4, true, true, false);
    // Seven characters, one per box: short codes leave the last boxes blank, long ones lose
    // their tail.
    QString code = ZipDigits(*text);
    code = (code + u"       "_s).left(7);
    for (int i = 0; i < 7; ++i)
        DrawTextBox(cv, edges[i][0], y0, edges[i][1], y1, code.mid(i, 1));
}

void DrawTextBox(const Canvas& cv, int x1, int y1, int x2, int y2, QString text) {
    ToDevice(cv, x1, x2, y1, y2);
    if (cv.page.bVertical) {
        text = Wide(text);
        // Only half-width forms are touched, and the widening has left none of them.
        text.remove(u'(');
        text.remove(u')');
        text.replace(u'ｰ', u'l');
        text.replace(u'-', u'l');
    }
    cv.ik.TextValue(text);
    cv.ik.DrawText(cv.lay.nTgtDc, x1, y1, x2, y2, true, 0, cv.lay.Dev());
}

} // namespace hoplark

#include "render/PositionTestPage.h"

#include "imaging/Imaging.h"
#include "profile/PrintAdjust.h"
#include "render/Canvas.h"
#include "render/TextPlacement.h"

#include <QRect>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

constexpr int kBlack = 0;

// A label in the program's fixed-pitch gothic, as typed: the vertical-writing conversions of
// address text do not belong here.
void Label(const Canvas& cv, int x1, int y1, int x2, int y2, const QString& sText, int nAlignH,
           int nPoints = 8) {
    Imaging& ik = cv.ik;
    ik.ResetStyle();
    ik.FontName(u"ＭＳ ゴシック"_s);
    ik.FontSize(nPoints);
    ik.TextColor(kBlack);
    ik.TextDirection(0);
    ik.AlignHorz(nAlignH);
    ik.AlignVert(1);
    ik.TextTransparent(true);
    ik.TextSpacing(0);
    ToDevice(cv, x1, x2, y1, y2);
    ik.TextValue(sText);
    ik.DrawText(cv.lay.nTgtDc, x1, y1, x2, y2, true, 0, cv.lay.Dev());
}

// Whether a rectangle (page units) touches one of the postal-code boxes drawn on the page.
bool OnZipBoxes(const Canvas& cv, const QRect& r) {
    const PageLayout& l = cv.lay;
    for (int nWhich = 0; nWhich < (cv.page.bSender ? 2 : 1); ++nWhich) {
        const int y0 = l.nZipY.at(nWhich);
        for (const auto& e : ZipBoxEdges(nWhich, l.nZipX.at(nWhich)))
            if (r.intersects(QRect(QPoint(e[0], y0), QPoint(e[1], y0 + ZipBoxHeight(nWhich)))))
                return true;
    }
    return false;
}

// Ticks every millimetre along one edge, longer every 5 and 10, numbered every 10 where the
// number leaves the postal-code boxes clear.
void Scale(const Canvas& cv, bool bAcross, int nLength) {
    SetPen(cv, 0, kBlack);
    for (int p = 0; p <= nLength; p += 10) {
        const int len = p % 100 == 0 ? 50 : p % 50 == 0 ? 35 : 20;
        // Each tick is 0.2 mm wide, centred on its millimetre.
        if (bAcross)
            DrawBox(cv, p - 1, 0, p + 1, len);
        else
            DrawBox(cv, 0, p - 1, len, p + 1);
        if (p % 100 != 0 || p == 0)
            continue;
        const QRect r = bAcross ? QRect(QPoint(p - 50, 55), QPoint(p + 50, 95))
                                : QRect(QPoint(55, p - 20), QPoint(135, p + 20));
        if (OnZipBoxes(cv, r) || (bAcross ? r.right() : r.bottom()) > nLength)
            continue;
        Label(cv, r.left(), r.top(), r.right(), r.bottom(), QString::number(p / 10),
              bAcross ? 1 : 0);
        SetPen(cv, 0, kBlack);
    }
}

void Cross(const Canvas& cv, QPoint c) {
    SetPen(cv, 0, kBlack);
    DrawBox(cv, c.x() - 100, c.y() - 1, c.x() + 100, c.y() + 1);
    DrawBox(cv, c.x() - 1, c.y() - 100, c.x() + 1, c.y() + 100);
    Label(cv, c.x() + 15, c.y() + 10, c.x() + 400, c.y() + 60,
          u"X %1 mm / Y %2 mm"_s.arg(c.x() / 10).arg(c.y() / 10), 0);
}

QString Signed(int nTenths) {
    return (nTenths > 0 ? u"+"_s : QString()) + AdjMmText(nTenths);
}

} // namespace

std::array<QPoint, 2> TestPageCrossPoints(int nPageW, int nPageH) {
    const auto whole = [](int v) { return v / 10 * 10; };
    return {QPoint(300, 400), QPoint(whole(nPageW - 300), whole(nPageH - 200))};
}

void DrawPositionTestPage(const Canvas& cv) {
    const PageLayout& l = cv.lay;
    if (l.nPageW <= 0 || l.nPageH <= 0)
        return;
    DrawZip(cv, 0, std::nullopt, false);
    if (cv.page.bSender)
        DrawZip(cv, 1, std::nullopt, false);
    Scale(cv, true, l.nPageW);
    Scale(cv, false, l.nPageH);
    for (const QPoint& c : TestPageCrossPoints(l.nPageW, l.nPageH))
        Cross(cv, c);

    const QString lines[] = {
        u"位置調整の試し印刷  %1"_s.arg(cv.page.sPage),
        u"印刷位置の補正  横 %1 mm  縦 %2 mm"_s.arg(Signed(cv.model.udAdj[0]),
                                                    Signed(cv.model.udAdj[1])),
        u"実物と重ねて透かし、枠のずれの逆向きに補正します (+ は右・下)"_s,
    };
    // Between the arms of the two cross hairs.
    const auto cross = TestPageCrossPoints(l.nPageW, l.nPageH);
    int y = (cross[0].y() + cross[1].y()) / 2 - 75;
    for (const QString& s : lines) {
        Label(cv, 150, y, l.nPageW - 150, y + 45, s, 1, 9);
        y += 50;
    }
}

} // namespace hoplark

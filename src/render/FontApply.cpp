#include "render/FontApply.h"

#include "imaging/Imaging.h"
#include "platform/Numbers.h"
#include "render/Canvas.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Whole points: as given when printing (scale 1), scaled to the preview's size otherwise.
int WholePoints(double sgPoints, double sgMaxPoints, double scale) {
    int nSize = NearestInt(sgPoints * scale);
    if (sgMaxPoints > 0)
        nSize = std::min(nSize, std::max(1, static_cast<int>(std::floor(sgMaxPoints * scale))));
    return nSize;
}

// Steps shared by both styles: reset, the font fnt with the given size in points, the
// styles and the colour.
void PutFont(const Canvas& cv, const FontSpec& fnt, bool bFixed, double sgPoints,
             double sgMaxPoints = 0) {
    Imaging& ik = cv.ik;
    ik.ResetStyle();
    ik.TextTransparent(true);
    ik.FontName(bFixed ? FixedPitchName(fnt.name) : fnt.name);
    ik.FontSize(
        WholePoints(sgPoints, sgMaxPoints, cv.lay.bPrinting ? 1.0 : double(cv.lay.sgFontScale)));
    ik.FontBold(fnt.bold);
    ik.FontItalic(fnt.italic);
    ik.FontStrikethru(fnt.strike);
    ik.FontUnderline(fnt.underline);
    ik.TextColor(fnt.color);
    ik.TextSpacing(0);
}

} // namespace

double PrintedSizeFactor(const Canvas& cv, int nLabel, double sgMaxPoints) {
    if (cv.lay.bPrinting)
        return 1.0;
    const double sgPoints = Single(cv.model.lbAdd.at(nLabel).size);
    const double scale = cv.lay.sgFontScale;
    const int nPreview = WholePoints(sgPoints, sgMaxPoints, scale);
    return nPreview > 0 ? WholePoints(sgPoints, sgMaxPoints, 1.0) * scale / nPreview : 1.0;
}

QString FixedPitchName(const QString& sName) {
    QString s = sName;
    s.remove(u'Ｐ');
    s.replace(u"HGP"_s, u"HG"_s);
    return s;
}

void ApplyFont(const Canvas& cv, int nLabel, bool bCentre, bool bPostal, bool bCross,
               double sgMaxPoints) {
    const FontSpec& fnt = cv.model.lbAdd.at(nLabel);
    const bool bVertical = cv.page.bVertical;
    PutFont(cv, fnt, bPostal || bVertical, Single(fnt.size), sgMaxPoints);
    Imaging& ik = cv.ik;
    if (bPostal) {
        ik.TextDirection(0);
        ik.AlignHorz(1);
        ik.AlignVert(1);
    } else if (bVertical) {
        ik.TextDirection(2);
        ik.AlignHorz(bCross ? 0 : 1);
        ik.AlignVert(bCentre ? 1 : 0);
    } else {
        ik.TextDirection(0);
        ik.AlignHorz(bCentre ? 1 : 0);
        ik.AlignVert(bCross ? 2 : 1);
    }
}

void ApplyMidFont(const Canvas& cv) {
    const FontSpec& name = cv.model.lbAdd[3];
    const double mean =
        (static_cast<double>(Single(cv.model.lbAdd[1].size)) + Single(name.size)) / 2;
    const bool bVertical = cv.page.bVertical;
    PutFont(cv, name, bVertical, mean);
    Imaging& ik = cv.ik;
    ik.TextDirection(bVertical ? 2 : 0);
    ik.AlignHorz(bVertical ? 1 : 0);
    ik.AlignVert(bVertical ? 0 : 1);
}

} // namespace hoplark

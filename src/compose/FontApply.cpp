#include "compose/FontApply.h"

#include "compose/VertText.h"
#include "render/MainState.h"
#include "render/imaging/Imaging.h"

namespace hoplark {

namespace {

// Steps shared by both styles: reset, the font fnt with the given size in points, the
// styles and the colour.
void PutFont(MainState& st, const FontSpec& fnt, bool bFixed, double sgPoints) {
    Imaging& ik = st.ik;
    ik.ResetStyle();
    ik.TextTransparent(true);
    ik.FontName(bFixed ? FixedPitchName(fnt.name) : fnt.name);
    // Whole points: as given when printing, scaled to the preview's size otherwise.
    const double size = st.lay.bPrinting ? sgPoints : sgPoints * st.lay.sgFontScale;
    ik.FontSize(NearestInt(size));
    ik.FontBold(fnt.bold);
    ik.FontItalic(fnt.italic);
    ik.FontStrikethru(fnt.strike);
    ik.FontUnderline(fnt.underline);
    ik.TextColor(fnt.color);
    ik.TextSpacing(0);
}

} // namespace

void ApplyFont(MainState& st, int nLabel, bool bCentre, bool bPostal, bool bCross) {
    const FontSpec& fnt = st.model.lbAdd.at(nLabel);
    const bool bVertical = st.page.bVertical;
    PutFont(st, fnt, bPostal || bVertical, Single(fnt.size));
    Imaging& ik = st.ik;
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

void ApplyMidFont(MainState& st) {
    const FontSpec& name = st.model.lbAdd[3];
    const double mean =
        (static_cast<double>(Single(st.model.lbAdd[1].size)) + Single(name.size)) / 2;
    const bool bVertical = st.page.bVertical;
    PutFont(st, name, bVertical, mean);
    Imaging& ik = st.ik;
    ik.TextDirection(bVertical ? 2 : 0);
    ik.AlignHorz(bVertical ? 1 : 0);
    ik.AlignVert(bVertical ? 0 : 1);
}

} // namespace hoplark

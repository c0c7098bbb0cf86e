#include "compose/ComposePage.h"

#include "imaging/Imaging.h"
#include "render/Canvas.h"
#include "render/LayoutPage.h"

namespace hoplark {

ComposeResult ComposePage(const Canvas& cv, const ComposeInput& in, ComposeMode mode) {
    PageLayout& l = cv.lay;
    l.bAdrExtra = l.bNameExtra = false;
    LayoutPage(cv);
    const ComposeResult need = FitExtraLines(cv, in);
    if (need.bFitAdr || need.bFitName) {
        l.bAdrExtra = need.bFitAdr;
        l.bNameExtra = need.bFitName;
        if (!l.bPrinting) {
            cv.ik.ResetImage(0);
            l.nTgtDc = cv.ik.ImageHandle();
        }
        LayoutPage(cv);
    }
    return ComposeAdr(cv, in, mode);
}

} // namespace hoplark

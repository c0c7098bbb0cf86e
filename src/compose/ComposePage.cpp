#include "compose/ComposePage.h"

#include "imaging/Imaging.h"
#include "render/Canvas.h"
#include "render/LayoutPage.h"

namespace hoplark {

ComposeResult ComposePage(const Canvas& cv, const ComposeInput& in, ComposeMode mode) {
    PageLayout& l = cv.lay;
    l.bAdrExtra = l.bNameExtra = false;
    LayoutPage(cv);
    FittedRecord f = FitRecord(cv, in);
    if (f.r.bFitAdr || f.r.bFitName) {
        l.bAdrExtra = f.r.bFitAdr;
        l.bNameExtra = f.r.bFitName;
        if (!l.bPrinting) {
            cv.ik.ResetImage(0);
            l.nTgtDc = cv.ik.ImageHandle();
        }
        LayoutPage(cv);
        f = FitRecord(cv, in); // into the lines of the new layout
    }
    return DrawRecord(cv, in, f, mode);
}

} // namespace hoplark

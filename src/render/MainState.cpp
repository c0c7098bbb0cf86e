#include "render/MainState.h"

#include "compose/ComposeAdr.h"
#include "render/LayoutPage.h"
#include "render/imaging/Imaging.h"

#include <exception>

namespace hoplark {

namespace {

// A run-time error of layout or composition ends the drawing; what was drawn stays.
template <typename F>
QString Guarded(F&& draw) {
    try {
        draw();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

// When the fitting of the record needed one more address or name line, the page is laid out
// again with that line and the record drawn into it (once).
void MainState::DrawWithExtraLines() {
    if (!bFitAdr && !bFitName)
        return;
    lay.bAdrExtra = bFitAdr;
    lay.bNameExtra = bFitName;
    lay.bPrinting = false;
    ik.ResetImage(0);
    lay.nTgtDc = ik.ImageHandle();
    LayoutPage(*this);
    ComposeAdr(*this, 0);
}

QString MainState::RefreshPreview() {
    return Guarded([this] {
        lay.bPrinting = false;
        ik.ResetImage(0);
        lay.nTgtDc = ik.ImageHandle();
        lay.bAdrExtra = lay.bNameExtra = false;
        LayoutPage(*this);
        ComposeAdr(*this, 0);
        DrawWithExtraLines();
    });
}

QString MainState::SelectRow(int nRow) {
    if (bBusy)
        return {};
    adr.nAdrIdx = nRow;
    if (lay.bAdrExtra || lay.bNameExtra || lay.bGuides)
        return RefreshPreview();
    return Guarded([this] {
        lay.bPrinting = false;
        lay.nTgtDc = ik.ImageHandle();
        ComposeAdr(*this, 1);
        DrawWithExtraLines();
    });
}

} // namespace hoplark

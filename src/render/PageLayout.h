#pragma once

#include "platform/Numbers.h"

#include <QList>

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace hoplark {

// Whole-number results of the layout arithmetic are 32-bit Longs or 16-bit Integers; a result
// out of range is an overflow error, as the program's arithmetic raises it.
inline int Long(qint64 v) {
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        throw OverflowError();
    return static_cast<int>(v);
}
inline int Integer(qint64 v) {
    if (v > std::numeric_limits<qint16>::max() || v < std::numeric_limits<qint16>::min())
        throw OverflowError();
    return static_cast<int>(v);
}
// single(): a value in single precision; beyond its range an overflow error.
inline float Single(double v) {
    if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max())
        throw OverflowError();
    return static_cast<float>(v);
}

// A line or box index outside what the layout dimensioned.
struct SubscriptError : std::runtime_error {
    SubscriptError() : std::runtime_error("subscript out of range") {}
};

// nearest() into an Integer target.
inline int NearestInt(double v) {
    return Integer(Nearest(v));
}

// One line box: element 0, top, element 2, bottom, in page units (0.1 mm). Elements 0 and 2
// are the left and right edges in horizontal writing, the right and left edges of the column
// in vertical writing.
using LineBox = std::array<int, 4>;

// The page geometry and the drawing flags of the main window, written by LayoutPage and read
// by the composition and the drawing primitives.
struct PageLayout {
    bool bPrinting = false; // a print job is running
    int nTgtDc = 0;         // drawing target: the preview image or the printer
    int nPageW = 0, nPageH = 0;
    int nFlap = 0;     // 150 on envelopes: the flap drawn above the page in the preview
    float sgScale = 0; // preview pixels per page unit
    int nOrgX = 0, nOrgY = 0;
    float sgFontScale = 0;        // factor applied to point sizes in the preview
    std::array<int, 5> nPitch{};  // 0 zip, 1 address, 2 name, 3 sender zip, 4 sender lines
    std::array<int, 3> nMaxRow{}; // address, name, sender
    bool bAdrExtra = false, bNameExtra = false;
    int nAdrRows = 0, nNameRows = 0;
    QList<LineBox> aAdrBox, aNameBox, aSndBox;
    std::array<int, 3> nLineCap{}; // characters per line: address, name, sender
    int nAdrNameGap = 0;
    int nOmit = 0;         // 0 none, 1 prefecture, 2 prefecture and city
    bool bGuides = false;  // line boxes shown as guides
    bool bExtraOk = false; // an extra address or name line may be added ("行追加")

    // Owned by the text placement: top left corner of the first postal-code box of the
    // recipient (0) and of the sender (1).
    std::array<int, 2> nZipX{}, nZipY{};
    // Printable-area offsets of the printer, set by the print loop.
    int nPrnOffX = 0, nPrnOffY = 0;
    // The profile's print position correction, set by the print loop: added to every printed
    // coordinate as the last step, after the printable-area clamp, and never clamped itself.
    int nAdjX = 0, nAdjY = 0;

    // Line box i of a block; an index the layout did not dimension is a subscript error.
    static const LineBox& Box(const QList<LineBox>& boxes, qsizetype i) {
        if (i < 0 || i >= boxes.size())
            throw SubscriptError();
        return boxes[i];
    }

    // The device flag of every drawing call.
    int Dev() const { return bPrinting ? 1 : 0; }
};

} // namespace hoplark

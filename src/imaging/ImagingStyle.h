#pragma once

#include <QString>

namespace hoplark {

// The drawing attributes that the style calls of Imaging set and ResetStyle puts back.
struct ImagingStyle {
    int fillMode = 0; // 0 filled, 1 outline only
    int fillColor = 0;
    int lineWidth = 1;
    int lineColor = 0;
    QString font; // the name as set; the renderer maps it to an installed font
    int size = 9; // points
    bool bold = false, italic = false, strike = false, underline = false;
    int color = 0;
    int dir = 0;                // 0 horizontal, 2 vertical
    int alignH = 0, alignV = 0; // 0 left/top, 1 centre, 2 right/bottom
    bool transparent = true;
    int spacing = 0; // extra space after each character, in target units
};

} // namespace hoplark

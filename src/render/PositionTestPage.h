#pragma once

#include <QPoint>

#include <array>

namespace hoplark {

struct Canvas;

// The page a user prints to find the print position correction: the outlines of the
// postal-code boxes where this profile prints the digits (the sender's when the sender is
// printed), a cross hair at two points given in millimetres, and millimetre scales along the
// top and the left edge. Drawn through the same primitives as an address, so the correction
// moves it the same way. Needs the layout of the page (LayoutPage) first.
void DrawPositionTestPage(const Canvas& cv);

// The two cross-hair centres on a page of nPageW x nPageH (0.1 mm, whole millimetres).
std::array<QPoint, 2> TestPageCrossPoints(int nPageW, int nPageH);

} // namespace hoplark

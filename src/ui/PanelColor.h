#pragma once

#include <QColor>

namespace hoplark {

// A colour chosen in a dialog as a Windows colour value (red in the low byte); always an
// RGB value, never a system colour.
int QColorToWinColor(const QColor& color);

} // namespace hoplark

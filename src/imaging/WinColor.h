#pragma once

#include <QColor>

namespace hoplark {

// A Windows colour value as a Qt colour: red in the low byte, blue in the third. A negative
// value (high bit set) is a system colour, taken as Windows shows it by default: button and
// window text black, window white, button face light grey...; an unknown one is black.
QColor WinColor(int nColor);

} // namespace hoplark

#pragma once

#include <QString>

#include <cmath>
#include <stdexcept>

namespace hoplark {

// The number at the start of a text: leading blanks skipped, an optional sign, digits and
// one decimal point; reading stops at the first character that cannot continue the number.
// 0 when there is none ("0.50行" gives 0.5, "なし" gives 0).
double Num(const QString& text);

// Nearest integer, halves to the even neighbour. Out of the 32-bit range is an overflow,
// as the layout arithmetic would raise it.
struct OverflowError : std::runtime_error {
    OverflowError() : std::runtime_error("overflow") {}
};
int Nearest(double v);

// A number as the program writes it: decimal, "." separator, no trailing zeros (14.25, 12).
QString NumText(double v);

} // namespace hoplark

#pragma once

#include <QString>

namespace hoplark {

// Fits a ";"-separated text into at most maxLines lines of lineCap characters, rewriting it in
// place as ";"-separated lines. With overflow given, one enlargement of the line is tried and
// overflow tells whether the text still needs more lines; without, up to ten are tried.
void FitLines(QString& text, int maxLines, int lineCap, bool bNames, bool* overflow = nullptr);

// One wrapping pass, the line capacity enlarged by 1.2 to the power count.
void WrapParts(QString& text, int maxLines, int lineCap, int count, bool bNames);

} // namespace hoplark

#pragma once

#include <QString>

namespace hoplark {

class MainState;

// Draws the current record into the line boxes of the last layout. nMode 0: full redraw
// after a layout; 1: redraw of the record after a row change (the sender is left alone);
// 2: one printed page.
void ComposeAdr(MainState& st, int nMode);

// Draws a name written with "・" part by part, one part per line, starting at name row
// nRow; nRow advances by one for every part drawn.
void DotNames(MainState& st, const QString& line, int& nRow, bool bCentre);

} // namespace hoplark

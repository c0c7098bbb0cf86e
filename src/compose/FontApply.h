#pragma once

namespace hoplark {

class MainState;

// Puts the style of font label lbAdd(nLabel) into the drawing object: font, size (scaled in
// the preview), styles, colour, and the direction and alignment that the text drawn needs.
// bCentre: centre along the line; bPostal: postal-code digits (horizontal, centred, fixed
// pitch); bCross: a title (left edge of its column, or bottom of its line).
void ApplyFont(MainState& st, int nLabel, bool bCentre, bool bPostal, bool bCross);

// The in-between style of the affiliation lines: the name font at the mean of the address
// and name sizes.
void ApplyMidFont(MainState& st);

} // namespace hoplark

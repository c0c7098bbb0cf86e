#pragma once

#include <QString>

namespace hoplark {

struct Canvas;

// Puts the style of font label lbAdd(nLabel) into the drawing object: font, size (scaled in
// the preview), styles, colour, and the direction and alignment that the text drawn needs.
// bCentre: centre along the line; bPostal: postal-code digits (horizontal, centred, fixed
// pitch); bCross: a title (left edge of its column, or bottom of its line). sgMaxPoints, when
// positive, caps the size (lines squeezed closer than the font was made for).
void ApplyFont(const Canvas& cv, int nLabel, bool bCentre, bool bPostal, bool bCross,
               double sgMaxPoints = 0);

// The in-between style of the affiliation lines: the name font at the mean of the address
// and name sizes.
void ApplyMidFont(const Canvas& cv);

// What a length measured in the preview in label nLabel's style must be multiplied by to be
// the printed one: both sizes are rounded to whole points, the preview's after scaling, so
// the two differ by more than the scale. 1 when printing.
double PrintedSizeFactor(const Canvas& cv, int nLabel, double sgMaxPoints = 0);
// The fixed-pitch twin of a font name: every "Ｐ" removed, then "HGP" replaced by "HG".
QString FixedPitchName(const QString& sName);

} // namespace hoplark

#pragma once

#include "render/PageLayout.h"

#include <QString>

#include <optional>

namespace hoplark {

struct Canvas;

// The drawing primitives: rectangles and texts given in page units, mapped to the current
// target (preview pixels or printer page), and the seven postal-code boxes.

// Maps a rectangle from page units to target coordinates, in place.
void ToDevice(const Canvas& cv, int& x1, int& x2, int& y1, int& y2);
// Line width and fill colour for the next shapes (filled; line colour left at its default).
void SetPen(const Canvas& cv, int nWidth, int nColor);
void DrawBox(const Canvas& cv, int x1, int y1, int x2, int y2);
inline void DrawBox(const Canvas& cv, const LineBox& b) {
    DrawBox(cv, b[0], b[1], b[2], b[3]);
}
void DrawZipBox(const Canvas& cv, int x1, int y1, int x2, int y2);
// Where the postal-code boxes of recipient (0) and sender (1) start.
void PlaceZip(const Canvas& cv);
// A postal code as the boxes take it: full-width digits narrowed; "〒", blanks and every
// dash form dropped ("〒１００－０００５" → "1000005"). Anything else stays as typed.
QString ZipDigits(const QString& sZip);
// The seven boxes of postal code nWhich and, when a text is given, its digits (ZipDigits).
// bFrame asks for the boxes also under the digits.
void DrawZip(const Canvas& cv, int nWhich, const std::optional<QString>& text, bool bFrame);
// Text into a rectangle with the font, direction and alignment last set.
void DrawTextBox(const Canvas& cv, int x1, int y1, int x2, int y2, QString text);
inline void DrawTextBox(const Canvas& cv, const LineBox& b, const QString& text) {
    DrawTextBox(cv, b[0], b[1], b[2], b[3], text);
}

// Left and right edges of the seven boxes of postal code nWhich, starting at x0.
std::array<std::array<int, 2>, 7> ZipBoxEdges(int nWhich, int x0);
// Box height of postal code nWhich.
int ZipBoxHeight(int nWhich);

} // namespace hoplark

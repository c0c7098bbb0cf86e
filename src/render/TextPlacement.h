#pragma once

#include "render/PageLayout.h"

#include <QString>

#include <optional>

namespace hoplark {

class MainState;

// The drawing primitives: rectangles and texts given in page units, mapped to the current
// target (preview pixels or printer page), and the seven postal-code boxes.

// Maps a rectangle from page units to target coordinates, in place.
void ToDevice(const MainState& st, int& x1, int& x2, int& y1, int& y2);
// Line width and fill colour for the next shapes (filled; line colour left at its default).
void SetPen(MainState& st, int nWidth, int nColor);
void DrawBox(MainState& st, int x1, int y1, int x2, int y2);
inline void DrawBox(MainState& st, const LineBox& b) { DrawBox(st, b[0], b[1], b[2], b[3]); }
void DrawZipBox(MainState& st, int x1, int y1, int x2, int y2);
// Where the postal-code boxes of recipient (0) and sender (1) start.
void PlaceZip(MainState& st);
// The seven boxes of postal code nWhich and, when a text is given, its digits. bFrame asks
// for the boxes also under the digits.
void DrawZip(MainState& st, int nWhich, const std::optional<QString>& text, bool bFrame);
// Text into a rectangle with the font, direction and alignment last set.
void DrawTextBox(MainState& st, int x1, int y1, int x2, int y2, QString text);
inline void DrawTextBox(MainState& st, const LineBox& b, const QString& text) {
    DrawTextBox(st, b[0], b[1], b[2], b[3], text);
}

// Left and right edges of the seven boxes of postal code nWhich, starting at x0.
std::array<std::array<int, 2>, 7> ZipBoxEdges(int nWhich, int x0);
// Box height of postal code nWhich.
int ZipBoxHeight(int nWhich);

} // namespace hoplark

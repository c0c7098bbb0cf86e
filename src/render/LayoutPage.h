#pragma once

namespace hoplark {

struct Canvas;

// Computes the page geometry, the pitches and the line boxes of the address, name and sender
// blocks from the profile, and draws the paper picture when not printing. Returns at once
// when no paper is chosen. The pitches follow cv.nDpi. An overflow of the arithmetic
// (OverflowError) or a block without lines (SubscriptError) is thrown to the caller.
void LayoutPage(const Canvas& cv);

// The envelope flap above the page in the preview.
void DrawFlap(const Canvas& cv);

} // namespace hoplark

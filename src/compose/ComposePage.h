#pragma once

#include "compose/ComposeAdr.h"

namespace hoplark {

// One page, the same steps for the preview and for every printed page: lay out, and when the
// fitting of the record grants an extra address or name line, lay out again with it; then
// compose. The preview image is blanked before the second layout (a printed page has nothing
// drawn yet). Throws what layout and composition throw.
ComposeResult ComposePage(const Canvas& cv, const ComposeInput& in, ComposeMode mode);

} // namespace hoplark

#pragma once

namespace hoplark {

// Asks the C library to keep freed memory for reuse instead of handing large blocks back to
// the system at once. A PDF job allocates and frees two 16 MB compression buffers for every
// page; mapped afresh each time, their pages fault in again and again. Called when a print
// job starts; harmless to call more than once.
void KeepFreedMemory();

} // namespace hoplark

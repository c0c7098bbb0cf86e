#include "platform/MemoryReuse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace hoplark {

void KeepFreedMemory() {
#if defined(__GLIBC__)
    // Blocks up to 64 MB come from the heap, and the heap is not trimmed below 128 MB of
    // free space: the buffers of one page serve the next.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

} // namespace hoplark

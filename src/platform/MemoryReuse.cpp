#include "platform/MemoryReuse.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace hoplark {

void KeepFreedMemory() {
#if defined(M_TRIM_THRESHOLD) && defined(M_MMAP_THRESHOLD)
    // Blocks up to 32 MB (the most glibc allows) come from the heap, and the heap is not
    // trimmed below 128 MB of free space: the buffers of one page serve the next.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

} // namespace hoplark

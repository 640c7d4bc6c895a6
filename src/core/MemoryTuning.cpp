#include "MemoryTuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace dolmex {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // 32 MiB is the largest threshold glibc accepts: a whole file's bytes fit below it.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
}

} // namespace dolmex

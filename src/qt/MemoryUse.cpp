#include "MemoryUse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tavimor {

void returnLargeBlocksAtOnce()
{
#if defined(__GLIBC__)
    // Setting the size also stops the library from raising it.
    ::mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}

} // namespace tavimor

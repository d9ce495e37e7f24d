#include "app/ProcessMemory.h"

#include <cstdlib>  // defines __GLIBC__ with the C library it is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tamsel {

void returnLargeBuffersWhenFreed() {
#if defined(__GLIBC__)
  // The allocator's own starting threshold, fixed.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

}  // namespace tamsel

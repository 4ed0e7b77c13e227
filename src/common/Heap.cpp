#include "common/Heap.h"

#include <cstdlib> // says whose C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void vt::keepFreedMemory()
{
#if defined(__GLIBC__)
    // A block under 32 MiB comes from the heap, and up to 64 MiB free at the heap's top stays
    // there: the program holds at most that much more than it uses.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

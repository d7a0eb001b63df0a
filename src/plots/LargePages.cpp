#include "plots/LargePages.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace grafolux {

namespace {

// A huge page's size: smaller arrays come from the heap as usual.
constexpr size_t kMappedFrom = size_t{1} << 21;

}  // namespace

void* AllocateLarge(size_t bytes) {
    if (bytes < kMappedFrom) {
        void* memory = std::calloc(bytes > 0 ? bytes : 1, 1);
        if (!memory) throw std::bad_alloc();
        return memory;
    }
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    madvise(memory, bytes, MADV_HUGEPAGE);  // only advice: without huge pages, plain pages
    return memory;
}

void FreeLarge(void* memory, size_t bytes) {
    if (bytes < kMappedFrom)
        std::free(memory);
    else if (memory)
        munmap(memory, bytes);
}

}  // namespace grafolux

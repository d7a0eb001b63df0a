#include "plots/LargePages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace grafolux {

namespace {

// A huge page's size: smaller arrays come from the heap as usual.
constexpr size_t kMappedFrom = size_t{1} << 21;

// The bytes mapped for an array: whole huge pages, so that none of it falls back to small ones.
size_t MappedBytes(size_t bytes) { return (bytes + kMappedFrom - 1) / kMappedFrom * kMappedFrom; }

}  // namespace

void* AllocateLarge(size_t bytes) {
    if (bytes < kMappedFrom) {
        void* memory = std::calloc(bytes > 0 ? bytes : 1, 1);
        if (!memory) throw std::bad_alloc();
        return memory;
    }
    // Mapped a huge page larger and trimmed to a huge page's boundary at both ends: a mapping
    // that starts inside a huge page would be served in small pages up to the first boundary.
    const size_t mapped = MappedBytes(bytes);
    void* whole = mmap(nullptr, mapped + kMappedFrom, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (whole == MAP_FAILED) throw std::bad_alloc();
    char* const start = static_cast<char*>(whole);
    char* const aligned =
        start + (kMappedFrom - reinterpret_cast<uintptr_t>(start) % kMappedFrom) % kMappedFrom;
    const size_t head = static_cast<size_t>(aligned - start);
    if (head > 0) munmap(start, head);
    munmap(aligned + mapped, kMappedFrom - head);  // never 0: head < kMappedFrom
    madvise(aligned, mapped, MADV_HUGEPAGE);       // only advice: without huge pages, plain pages
    return aligned;
}

void FreeLarge(void* memory, size_t bytes) {
    if (bytes < kMappedFrom)
        std::free(memory);
    else if (memory)
        munmap(memory, MappedBytes(bytes));
}

}  // namespace grafolux

#pragma once
// The machine's memory: a table larger than it could only be paged in and out, or end the
// program when it is filled, even where the system promises the address space. Such a table
// is refused as the allocation failure it would be.

#include <cstddef>

namespace grafolux {

// Bytes of physical memory; the largest size_t where the system does not say.
size_t PhysicalMemory();

}  // namespace grafolux

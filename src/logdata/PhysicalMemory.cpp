#include "logdata/PhysicalMemory.h"

#include <unistd.h>

#include <limits>

namespace grafolux {

size_t PhysicalMemory() {
#ifdef _SC_PHYS_PAGES
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<size_t>(pages) * static_cast<size_t>(pageSize);
#endif
    return std::numeric_limits<size_t>::max();
}

}  // namespace grafolux

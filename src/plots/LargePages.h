#pragma once
// Memory for the large arrays a plot makes anew at each redraw (a pixel grid, a million kept
// values). An array of megabytes is mapped straight from the system, in huge pages where it
// allows: a few page faults instead of thousands, and zeros without a clearing pass.

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace grafolux {

// `bytes` of zeros; std::bad_alloc when there is no room.
void* AllocateLarge(size_t bytes);
void FreeLarge(void* memory, size_t bytes);

template <typename T>
struct LargePageAllocator {
    using value_type = T;
    LargePageAllocator() = default;
    template <typename U>
    LargePageAllocator(const LargePageAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* values, size_t n) { FreeLarge(values, n * sizeof(T)); }
    template <typename U>
    bool operator==(const LargePageAllocator<U>&) const {
        return true;
    }
};

// A plot's values of one item.
using PlotValues = std::vector<double, LargePageAllocator<double>>;

// A fixed array of zeros.
template <typename T>
class ZeroedArray {
    static_assert(std::is_trivial_v<T>);

public:
    ZeroedArray() = default;
    explicit ZeroedArray(size_t size)
        : values_(static_cast<T*>(AllocateLarge(size * sizeof(T))), Release{size * sizeof(T)}),
          size_(size) {}
    T& operator[](size_t i) { return values_.get()[i]; }
    const T& operator[](size_t i) const { return values_.get()[i]; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    struct Release {
        size_t bytes = 0;
        void operator()(T* values) const { FreeLarge(values, bytes); }
    };
    std::unique_ptr<T, Release> values_;
    size_t size_ = 0;
};

}  // namespace grafolux

#pragma once
// What every fuzz target shares: a check that stops the run and names the broken property, a
// reader that cuts the fuzzer's bytes into the arguments of a call, and numbers compared bit for
// bit.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Unlike assert, also active in optimised builds: a broken property is a fault the fuzzer must
// report and the corpus replay must fail on.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace grafolux::fuzz {

// Equal to the last bit: a number must not come back as its neighbour or as -0.
inline bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool AtEnd() const { return rest_.empty(); }
    // The next byte, or 0 when none is left.
    uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto byte = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }
    // The text up to the next `separator` (dropped), or everything left.
    std::string_view Until(char separator) {
        const size_t at = rest_.find(separator);
        const std::string_view text = rest_.substr(0, at);
        rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
        return text;
    }
    std::string_view Rest() {
        const std::string_view text = rest_;
        rest_ = {};
        return text;
    }

private:
    std::string_view rest_;
};

}  // namespace grafolux::fuzz

#pragma once
// A column's samples in blocks of 1,024, each held in the smallest form that gives back every
// value to the last bit: one value for the whole block; integers over a base, of 0, 1, 8, 16 or
// 32 bits each, that are the values times a power of ten (a value that does not fit kept aside
// as it is); or the doubles themselves. Logged values are mostly short decimals, so most
// blocks take a byte or less per sample.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace grafolux {

static_assert(std::endian::native == std::endian::little, "blocks are read as little-endian");

inline constexpr int kBlockShift = 10;
inline constexpr int32_t kBlockSamples = int32_t{1} << kBlockShift;

// The samples in block `block` (0-based) of a column of `samples`: all but the last are whole.
inline int32_t BlockLength(int32_t samples, size_t block) {
    return std::min(kBlockSamples, samples - static_cast<int32_t>(block << kBlockShift));
}

enum class BlockForm : uint8_t { Constant, Packed, Raw };

// One block's description; the bytes of a Packed or Raw block lie elsewhere. Packed: the
// offsets from `base`, `width` bits each (the first sample in the lowest bits), then the
// positions (uint16, ascending) and the values (double) of the samples kept aside. Raw: the
// doubles.
struct SampleBlock {
    const uint8_t* bytes = nullptr;
    int64_t base = 0;  // Packed: the integer at offset 0; Constant: the value's bits
    BlockForm form = BlockForm::Constant;
    uint8_t width = 0;     // Packed: 0, 1, 8, 16 or 32
    uint8_t exponent = 0;  // Packed: the integers are the values times 10^exponent
    // Packed: 1 when every integer d of the block gives its value as d × 10^(14 - exponent) ×
    // 10^-14 (two products, where d ÷ 10^exponent takes a division), 0 otherwise.
    uint8_t product = 0;
    uint16_t exceptions = 0;  // Packed: samples kept aside
};

// A field as the parser reads it, in 64 bits: mantissa × 256 + decimals for the value
// mantissa ÷ 10^decimals (decimals 0 … 15, the mantissa of at most 15 digits); for any other
// field kOtherField in the low byte, above it the place of its value among the `others` given.
inline constexpr int64_t kOtherField = 0xFF;
constexpr int64_t DecimalField(int64_t mantissa, int decimals) { return mantissa * 256 + decimals; }
constexpr int64_t OtherField(int64_t place) { return place * 256 + kOtherField; }

// The bytes a block of n samples holds beside its description.
size_t BlockBytes(const SampleBlock& block, int32_t n);

// Whether a block that comes from outside the program (the reopen cache) decodes without
// reading past its `available` bytes or giving a value its form cannot hold: a known form and
// width, a power of ten a double holds exactly (and a product only for exponents 1 … 14),
// integers a double holds exactly, and positions of the samples kept aside ascending within the
// block.
bool BlockIsSound(const SampleBlock& block, int32_t n, size_t available);

// Samples from … from + count - 1 of a block of n samples, into `out`.
void DecodeBlock(const SampleBlock& block, int32_t n, int32_t from, int32_t count, double* out);

// The smallest exact form of n (1 … kBlockSamples) fields; its bytes are appended to `bytes` and
// the description's `bytes` is left null for the caller to set once they stay where they are.
// Every sample decodes to the very double its field reads as.
SampleBlock EncodeBlock(const int64_t* fields, const double* others, int32_t n,
                        std::vector<uint8_t>& bytes);

}  // namespace grafolux

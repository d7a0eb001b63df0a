#include "logdata/CompactBlock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace grafolux {

namespace {

// Powers of ten that a double holds exactly: a decimal's integer divided by one of them is, in
// one correctly rounded division, the very double that reading the decimal's text gives.
constexpr int kMaxExponent = 22;
constexpr std::array<double, kMaxExponent + 1> kPowers = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Integers up to this magnitude are doubles, and so are their sums with the offsets of a block.
constexpr int64_t kLargest = (int64_t{1} << 53) - 1;

constexpr int kDecimalDigits = 15;
constexpr std::array<int64_t, kDecimalDigits + 1> kIntegerPowers = [] {
    std::array<int64_t, kDecimalDigits + 1> powers{};
    powers[0] = 1;
    for (size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}();
// The largest mantissa that still lies within kLargest once multiplied by 10^shift.
constexpr std::array<int64_t, kMaxExponent + 1> kScalable = [] {
    std::array<int64_t, kMaxExponent + 1> limits{};
    for (size_t shift = 0; shift < kIntegerPowers.size(); ++shift)
        limits[shift] = kLargest / kIntegerPowers[shift];
    return limits;
}();

// Integers of up to 14 decimals may also be scaled by two products (SampleBlock::product): for
// one or two decimals, as logs mostly have, every integer a block holds gives the same double so.
constexpr int kProductExponents = 14;
constexpr double kProductDown = 1e-14;

constexpr size_t kKeptAsideBytes = sizeof(uint16_t) + sizeof(double);
// A block whose first samples mostly fit no integer is one of doubles: it is stored raw without
// trying the rest.
constexpr int32_t kTrial = 64;

int DecimalsOf(int64_t field) { return static_cast<int>(field & 0xFF); }
int64_t MantissaOf(int64_t field) { return field >> 8; }

double FieldValue(int64_t field, const double* others) {
    const int decimals = DecimalsOf(field);
    return decimals == kOtherField ? others[MantissaOf(field)]
                                   : static_cast<double>(MantissaOf(field)) / kPowers[decimals];
}

// The integer d for which d ÷ 10^exponent is the very double v, where a double holds d and its
// neighbours; checked by dividing back, which also turns away -0, NaN and infinities.
bool AsInteger(double v, int exponent, int64_t& integer) {
    const double scaled = v * kPowers[exponent];
    if (!(std::fabs(scaled) <= static_cast<double>(kLargest))) return false;
    const auto d = static_cast<int64_t>(std::nearbyint(scaled));
    if (std::bit_cast<uint64_t>(static_cast<double>(d) / kPowers[exponent]) !=
        std::bit_cast<uint64_t>(v))
        return false;
    integer = d;
    return true;
}

// A decimal's integer at a larger exponent is its mantissa times the power of ten between: the
// same number, so the same double.
bool FieldAsInteger(int64_t field, const double* others, int exponent, int64_t& integer) {
    const int decimals = DecimalsOf(field);
    if (decimals == kOtherField) return AsInteger(others[MantissaOf(field)], exponent, integer);
    const int64_t mantissa = MantissaOf(field);
    if (decimals > exponent) return false;
    const int shift = exponent - decimals;
    if (mantissa > kScalable[shift] || mantissa < -kScalable[shift]) return false;
    integer = mantissa == 0 ? 0 : mantissa * kIntegerPowers[shift];
    return true;
}

// The least exponent above `exponent` that fits each of a few of the fields (spread over
// them) that fit some; `exponent` when none does. A value that fits an exponent fits every
// larger one while its integer stays within kLargest.
int LargerExponent(const int64_t* fields, const double* others, const uint16_t* among,
                   int32_t count, int exponent) {
    constexpr int kTried = 8;
    int larger = exponent;
    for (int k = 0; k < std::min(count, kTried); ++k) {
        const int64_t field = fields[among[int64_t{count} * k / std::min(count, kTried)]];
        int64_t unused = 0;
        if (larger > exponent && FieldAsInteger(field, others, larger, unused)) continue;
        for (int e = larger + 1; e <= kMaxExponent; ++e) {
            if (FieldAsInteger(field, others, e, unused)) {
                larger = e;
                break;
            }
        }
    }
    return larger;
}

uint8_t WidthFor(uint64_t range) {
    if (range == 0) return 0;
    if (range == 1) return 1;
    if (range <= UINT8_MAX) return 8;
    return range <= UINT16_MAX ? 16 : 32;
}

size_t PackedBytes(uint8_t width, int32_t n) { return (static_cast<size_t>(n) * width + 7) / 8; }

uint8_t* Appended(std::vector<uint8_t>& bytes, size_t count) {
    const size_t at = bytes.size();
    bytes.resize(at + count);
    return bytes.data() + at;
}

SampleBlock ConstantBlock(double value) {
    return {nullptr, std::bit_cast<int64_t>(value), BlockForm::Constant, 0, 0, 0, 0};
}

SampleBlock RawBlock(const int64_t* fields, const double* others, int32_t n,
                     std::vector<uint8_t>& bytes) {
    uint8_t* out = Appended(bytes, static_cast<size_t>(n) * sizeof(double));
    for (int32_t i = 0; i < n; ++i) {
        const double value = FieldValue(fields[i], others);
        std::memcpy(out + static_cast<size_t>(i) * sizeof value, &value, sizeof value);
    }
    return {nullptr, 0, BlockForm::Raw, 0, 0, 0, 0};
}

// Offsets (integers[i] - low) >> shift: the integers themselves, or fields of one count of
// decimals, whose order is their mantissas'.
template <typename Offset>
void PackOffsets(const int64_t* integers, int64_t low, int shift, int32_t n, uint8_t* out) {
    for (int32_t i = 0; i < n; ++i) {
        const auto offset = static_cast<Offset>(static_cast<uint64_t>(integers[i] - low) >> shift);
        std::memcpy(out + static_cast<size_t>(i) * sizeof offset, &offset, sizeof offset);
    }
}

struct KeptAside {
    const uint16_t* positions = nullptr;
    int32_t count = 0;
};

// Whether every integer of the block gives its very value by the two products.
uint8_t ByProduct(const int64_t* integers, int64_t low, int shift, int exponent, int32_t n) {
    if (exponent < 1 || exponent > kProductExponents) return 0;
    const double up = kPowers[kProductExponents - exponent], power = kPowers[exponent];
    const auto base = static_cast<double>(low >> shift);
    bool same = true;
    for (int32_t i = 0; i < n; ++i) {
        const double d =
            static_cast<double>(static_cast<uint64_t>(integers[i] - low) >> shift) + base;
        same &=
            std::bit_cast<uint64_t>(d * up * kProductDown) == std::bit_cast<uint64_t>(d / power);
    }
    return same ? 1 : 0;
}

// The offsets, then the samples kept aside (their integers must be `low`).
SampleBlock PackedBlock(const int64_t* integers, int64_t low, int shift, uint8_t width,
                        int exponent, int32_t n, KeptAside aside, const int64_t* fields,
                        const double* others, std::vector<uint8_t>& bytes) {
    const size_t packed = PackedBytes(width, n);
    uint8_t* out = Appended(bytes, packed + static_cast<size_t>(aside.count) * kKeptAsideBytes);
    if (width == 1) {
        for (int32_t i = 0; i < n; i += 8) {  // a byte at a time, built in a register
            uint64_t byte = 0;
            for (int32_t j = 0; j < std::min(8, n - i); ++j)
                byte |= (static_cast<uint64_t>(integers[i + j] - low) >> shift) << j;
            out[i >> 3] = static_cast<uint8_t>(byte);
        }
    } else if (width == 8) {
        PackOffsets<uint8_t>(integers, low, shift, n, out);
    } else if (width == 16) {
        PackOffsets<uint16_t>(integers, low, shift, n, out);
    } else if (width == 32) {
        PackOffsets<uint32_t>(integers, low, shift, n, out);
    }
    uint8_t* positions = out + packed;
    uint8_t* values = positions + static_cast<size_t>(aside.count) * sizeof(uint16_t);
    if (aside.count > 0)  // else no positions at all: memcpy may not be given a null pointer
        std::memcpy(positions, aside.positions,
                    static_cast<size_t>(aside.count) * sizeof(uint16_t));
    for (int32_t k = 0; k < aside.count; ++k) {
        const double value = FieldValue(fields[aside.positions[k]], others);
        std::memcpy(values + static_cast<size_t>(k) * sizeof value, &value, sizeof value);
    }
    return {nullptr,
            low >> shift,
            BlockForm::Packed,
            width,
            static_cast<uint8_t>(exponent),
            ByProduct(integers, low, shift, exponent, n),
            static_cast<uint16_t>(aside.count)};
}

// Every field a decimal with the same number of decimals, as most blocks of a log are: the
// fields are ordered as their mantissas, which are the integers.
SampleBlock EncodeDecimals(const int64_t* fields, int32_t n, std::vector<uint8_t>& bytes) {
    // Four bounds side by side: one pair alone would wait for itself at every field.
    std::array<int64_t, 4> lows, highs;
    lows.fill(fields[0]);
    highs.fill(fields[0]);
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (int k = 0; k < 4; ++k) {
            lows[k] = std::min(lows[k], fields[i + k]);
            highs[k] = std::max(highs[k], fields[i + k]);
        }
    }
    for (; i < n; ++i) {
        lows[0] = std::min(lows[0], fields[i]);
        highs[0] = std::max(highs[0], fields[i]);
    }
    const int64_t low = *std::min_element(lows.begin(), lows.end());
    const int64_t high = *std::max_element(highs.begin(), highs.end());
    if (low == high) return ConstantBlock(FieldValue(low, nullptr));
    const uint64_t range = static_cast<uint64_t>(high - low) >> 8;
    if (range > UINT32_MAX) return RawBlock(fields, nullptr, n, bytes);
    return PackedBlock(fields, low, 8, WidthFor(range), DecimalsOf(low), n, {}, fields, nullptr,
                       bytes);
}

// Every sample the same double, whatever the fields' forms.
bool OneValue(const int64_t* fields, const double* others, int32_t n) {
    const auto first = std::bit_cast<uint64_t>(FieldValue(fields[0], others));
    for (int32_t i = 1; i < n; ++i)
        if (std::bit_cast<uint64_t>(FieldValue(fields[i], others)) != first) return false;
    return true;
}

// The fields' integers at `exponent`, those of the fields that fit none kept aside.
struct Integers {
    std::array<int64_t, kBlockSamples> values;
    std::array<uint16_t, kBlockSamples> aside;
    int32_t kept;
    int64_t low, high;
    bool abandoned;  // the first samples mostly fit none: the rest were not tried

    void Fit(const int64_t* fields, const double* others, int32_t n, int exponent) {
        kept = 0;
        low = std::numeric_limits<int64_t>::max();
        high = std::numeric_limits<int64_t>::min();
        abandoned = false;
        for (int32_t i = 0; i < n && !abandoned; ++i) {
            int64_t integer = 0;
            if (FieldAsInteger(fields[i], others, exponent, integer)) {
                values[i] = integer;
                low = std::min(low, integer);
                high = std::max(high, integer);
            } else {
                aside[kept++] = static_cast<uint16_t>(i);
            }
            abandoned = i + 1 == kTrial && kept * 4 > kTrial * 3;
        }
    }
};

SampleBlock EncodeMixed(const int64_t* fields, const double* others, int32_t n,
                        std::vector<uint8_t>& bytes) {
    if (OneValue(fields, others, n)) return ConstantBlock(FieldValue(fields[0], others));
    int most = -1;
    for (int32_t i = 0; i < n; ++i) {
        const int decimals = DecimalsOf(fields[i]);
        most = std::max(most, decimals == kOtherField ? -1 : decimals);
    }
    // Doubles made rather than parsed show their decimals only by trying: an exponent that keeps
    // many aside is tried again with one those need.
    int exponent = std::max(most, 0);
    Integers integers;
    integers.Fit(fields, others, n, exponent);
    while (integers.abandoned || integers.kept * 8 > n) {
        const int larger =
            LargerExponent(fields, others, integers.aside.data(), integers.kept, exponent);
        if (larger == exponent) break;
        exponent = larger;
        integers.Fit(fields, others, n, exponent);
    }
    const int32_t kept = integers.kept;
    const int64_t low = integers.low, high = integers.high;
    if (integers.abandoned || kept == n) return RawBlock(fields, others, n, bytes);
    const auto range = static_cast<uint64_t>(high) - static_cast<uint64_t>(low);
    const uint8_t width = WidthFor(range);
    const size_t packedCost = PackedBytes(width, n) + static_cast<size_t>(kept) * kKeptAsideBytes;
    if (range > UINT32_MAX || packedCost >= static_cast<size_t>(n) * sizeof(double))
        return RawBlock(fields, others, n, bytes);
    for (int32_t k = 0; k < kept; ++k) integers.values[integers.aside[k]] = low;
    return PackedBlock(integers.values.data(), low, 0, width, exponent, n,
                       {integers.aside.data(), kept}, fields, others, bytes);
}

// How a block's integers become its values.
enum class Scaling { None, Divided, Multiplied };
struct Scale {
    double power = 1, up = 1;
};

template <Scaling kScaling>
double Scaled(double integer, const Scale& scale) {
    if constexpr (kScaling == Scaling::Divided) return integer / scale.power;
    if constexpr (kScaling == Scaling::Multiplied) return integer * scale.up * kProductDown;
    return integer;
}

double AsDouble(uint8_t offset) { return static_cast<int32_t>(offset); }
double AsDouble(uint16_t offset) { return static_cast<int32_t>(offset); }
// 2^52 + offset, as bits, less 2^52: exact, and it vectorises where a conversion of an unsigned
// integer does not.
double AsDouble(uint32_t offset) {
    return std::bit_cast<double>(0x4330000000000000ULL | offset) - 0x1p52;
}

template <typename Offset, Scaling kScaled>
void DecodeOffsets(const uint8_t* packed, double base, const Scale& power, int32_t from,
                   int32_t count, double* out) {
    const uint8_t* at = packed + static_cast<size_t>(from) * sizeof(Offset);
    for (int32_t i = 0; i < count; ++i) {
        Offset offset;
        std::memcpy(&offset, at + static_cast<size_t>(i) * sizeof offset, sizeof offset);
        out[i] = Scaled<kScaled>(AsDouble(offset) + base, power);
    }
}

// The bits of every byte, lowest first, as 0 and 1: a byte's eight samples are then chosen
// without a shift or a branch each.
constexpr auto kBitsOfByte = [] {
    std::array<std::array<double, 8>, 256> bits{};
    for (size_t byte = 0; byte < bits.size(); ++byte)
        for (size_t j = 0; j < 8; ++j) bits[byte][j] = static_cast<double>(byte >> j & 1);
    return bits;
}();

template <Scaling kScaled>
void DecodeBits(const uint8_t* packed, double base, const Scale& power, int32_t from, int32_t count,
                double* out) {
    const double values[2] = {Scaled<kScaled>(base, power), Scaled<kScaled>(base + 1, power)};
    const auto one = [&](int32_t i) {
        const int32_t s = from + i;
        out[i] = values[(packed[s >> 3] >> (s & 7)) & 1];
    };
    int32_t i = 0;
    for (; i < count && ((from + i) & 7) != 0; ++i) one(i);
    for (; i + 8 <= count; i += 8) {
        const std::array<double, 8>& bits = kBitsOfByte[packed[(from + i) >> 3]];
        for (int j = 0; j < 8; ++j) out[i + j] = Scaled<kScaled>(base + bits[j], power);
    }
    for (; i < count; ++i) one(i);
}

template <Scaling kScaled>
void DecodePacked(const SampleBlock& block, int32_t from, int32_t count, double* out) {
    const auto base = static_cast<double>(block.base);
    const Scale power{kPowers[block.exponent],
                      block.product ? kPowers[kProductExponents - block.exponent] : 1};
    switch (block.width) {
        case 0:
            std::fill_n(out, count, Scaled<kScaled>(base, power));
            break;
        case 1:
            DecodeBits<kScaled>(block.bytes, base, power, from, count, out);
            break;
        case 8:
            DecodeOffsets<uint8_t, kScaled>(block.bytes, base, power, from, count, out);
            break;
        case 16:
            DecodeOffsets<uint16_t, kScaled>(block.bytes, base, power, from, count, out);
            break;
        default:
            DecodeOffsets<uint32_t, kScaled>(block.bytes, base, power, from, count, out);
            break;
    }
}

uint16_t PositionAt(const uint8_t* positions, size_t k) {
    uint16_t position;
    std::memcpy(&position, positions + k * sizeof position, sizeof position);
    return position;
}

// The samples kept aside that lie in from … from + count - 1, over what the offsets gave.
void PatchKeptAside(const SampleBlock& block, int32_t n, int32_t from, int32_t count, double* out) {
    const uint8_t* positions = block.bytes + PackedBytes(block.width, n);
    const uint8_t* values = positions + size_t{block.exceptions} * sizeof(uint16_t);
    size_t low = 0, high = block.exceptions;
    while (low < high) {
        const size_t middle = (low + high) / 2;
        if (PositionAt(positions, middle) < from)
            low = middle + 1;
        else
            high = middle;
    }
    for (size_t k = low; k < block.exceptions; ++k) {
        const int32_t position = PositionAt(positions, k);
        if (position >= from + count) break;
        std::memcpy(&out[position - from], values + k * sizeof(double), sizeof(double));
    }
}

}  // namespace

size_t BlockBytes(const SampleBlock& block, int32_t n) {
    switch (block.form) {
        case BlockForm::Constant:
            return 0;
        case BlockForm::Packed:
            return PackedBytes(block.width, n) + size_t{block.exceptions} * kKeptAsideBytes;
        case BlockForm::Raw:
            return static_cast<size_t>(n) * sizeof(double);
    }
    return 0;
}

bool BlockIsSound(const SampleBlock& block, int32_t n, size_t available) {
    if (n < 1 || n > kBlockSamples) return false;
    switch (block.form) {
        case BlockForm::Constant:
            return true;
        case BlockForm::Raw:
            return block.bytes && available >= BlockBytes(block, n);
        case BlockForm::Packed:
            break;
        default:
            return false;
    }
    const uint8_t w = block.width;
    if ((w != 0 && w != 1 && w != 8 && w != 16 && w != 32) || block.exponent > kMaxExponent ||
        block.product > 1 ||
        (block.product && (block.exponent < 1 || block.exponent > kProductExponents)) ||
        block.exceptions > n || available < BlockBytes(block, n) || (!block.bytes && w != 0) ||
        (!block.bytes && block.exceptions != 0))
        return false;
    const int64_t largestOffset = w == 0 ? 0 : (int64_t{1} << w) - 1;
    if (block.base < -kLargest || block.base > kLargest - largestOffset) return false;
    const uint8_t* positions = block.bytes + PackedBytes(w, n);
    for (size_t k = 0; k < block.exceptions; ++k) {
        const uint16_t position = PositionAt(positions, k);
        if (position >= n || (k > 0 && position <= PositionAt(positions, k - 1))) return false;
    }
    return true;
}

void DecodeBlock(const SampleBlock& block, int32_t n, int32_t from, int32_t count, double* out) {
    switch (block.form) {
        case BlockForm::Constant:
            std::fill_n(out, count, std::bit_cast<double>(block.base));
            return;
        case BlockForm::Raw:
            std::memcpy(out, block.bytes + static_cast<size_t>(from) * sizeof(double),
                        static_cast<size_t>(count) * sizeof(double));
            return;
        case BlockForm::Packed:
            if (block.exponent == 0)
                DecodePacked<Scaling::None>(block, from, count, out);
            else if (block.product)
                DecodePacked<Scaling::Multiplied>(block, from, count, out);
            else
                DecodePacked<Scaling::Divided>(block, from, count, out);
            if (block.exceptions != 0) PatchKeptAside(block, n, from, count, out);
            return;
    }
}

SampleBlock EncodeBlock(const int64_t* fields, const double* others, int32_t n,
                        std::vector<uint8_t>& bytes) {
    int64_t differing = 0;  // decimals that differ from the first field's
    for (int32_t i = 1; i < n; ++i) differing |= (fields[i] ^ fields[0]) & 0xFF;
    if (differing == 0 && DecimalsOf(fields[0]) != kOtherField)
        return EncodeDecimals(fields, n, bytes);
    return EncodeMixed(fields, others, n, bytes);
}

}  // namespace grafolux

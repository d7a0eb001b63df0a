#pragma once
// A sum of doubles, or of products of two doubles, kept without rounding: the same to the last
// bit however its terms are ordered or grouped, so that sums over parts of the data, made apart
// and added up later, give exactly the sum over all of it. It is rounded only when read.
//
// The terms of a sum mostly lie within a few powers of two of each other. Those within 2^±32 of
// the first one are added to a 256-bit fixed-point number positioned by that first term: a
// shift and two or three integer additions. Any other term goes to a fixed-point number whose
// lowest bit lies below that of any product of two doubles, held as 32-bit digits in 64-bit
// words: a term adds to a few words without a carry, and the carries are settled only every
// billion terms or so. Only the words a sum has reached are kept.

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace grafolux {

class ExactSum {
public:
    void Add(double value) {
        const uint64_t bits = std::bit_cast<uint64_t>(value);
        const auto field = static_cast<uint32_t>(bits >> 52) & 0x7ff;
        const uint32_t shift = field - windowField_;
        if (shift < kDoubleShifts) [[likely]] {
            AddNear(static_cast<unsigned __int128>((bits & kFraction) | kHidden) << (shift & 63),
                    bits >> 63);
            return;
        }
        AddAway(value);
    }
    void AddProduct(double a, double b) {
        const uint64_t x = std::bit_cast<uint64_t>(a), y = std::bit_cast<uint64_t>(b);
        const auto fx = static_cast<uint32_t>(x >> 52) & 0x7ff;
        const auto fy = static_cast<uint32_t>(y >> 52) & 0x7ff;
        const uint32_t shift = fx + fy - kBias - windowField_;
        // Neither a subnormal, zero, infinity nor NaN.
        if (shift < kProductShifts && fx - 1 < 0x7fe && fy - 1 < 0x7fe) [[likely]] {
            const unsigned __int128 product =
                static_cast<unsigned __int128>((x & kFraction) | kHidden) *
                ((y & kFraction) | kHidden);
            AddNear(product << shift, (x ^ y) >> 63);
            return;
        }
        AddProductAway(a, b);
    }
    // A whole number, for callers that add up whole terms themselves.
    void AddWhole(__int128 n) {
        const unsigned __int128 bits = static_cast<unsigned __int128>(n);
        const bool negative = n < 0;
        AddShifted<5>(negative ? ~bits + 1 : bits, 0, negative ? ~uint64_t{0} : 0);
    }
    void Add(const ExactSum& other);

    // The sum to the nearest double, ties to even: ±infinity beyond the doubles, NaN when a term
    // was NaN or both infinities were added.
    double Rounded() const { return Divided(1); }
    // The sum divided by n (at least 1), rounded once.
    double Divided(uint64_t n) const;
    bool finite() const { return beyond_ == 0; }

    // Canonical text: "0", "nan", "inf", "-inf", or the value as an odd hexadecimal integer
    // times a power of two, "-1fp-3" for -31/8. Equal sums give equal texts.
    std::string Text() const;
    // What Text() wrote (only that form); nothing for any other text or a value beyond the
    // sums' range.
    static std::optional<ExactSum> FromText(std::string_view text);

    bool operator==(const ExactSum& other) const { return Text() == other.Text(); }

private:
    friend double SampleStdDev(const ExactSum& sum, const ExactSum& squares, int64_t n);

    static constexpr uint64_t kFraction = (uint64_t{1} << 52) - 1;
    static constexpr uint64_t kHidden = uint64_t{1} << 52;
    static constexpr int kBias = 1075;  // a double is mantissa × 2^(field − kBias)
    // Bit 0 of the fixed point is 2^-kOrigin, below the 2^-2148 of a product of the smallest
    // doubles; a multiple of 32, so that squares of digit-aligned numbers stay aligned.
    static constexpr int kOrigin = 2176;
    // Digits up to 2^2112: a product of the largest doubles, with room for 2^64 of them.
    static constexpr int kDigits = 134;
    // Terms added to a word before the carries must be settled: each adds less than 2^32.
    static constexpr uint32_t kTermsBetweenCarries = uint32_t{1} << 30;
    enum Beyond : uint8_t { kHasNaN = 1, kHasPlus = 2, kHasMinus = 4 };

    static uint64_t Sign(uint64_t bits) { return static_cast<uint64_t>(-(bits >> 63)); }

    // The window holds terms whose mantissa lands up to this many bits up: a double's 53 bits or
    // a product's 106 stay within its lower 128, which take 2^11 terms before they carry.
    static constexpr uint32_t kDoubleShifts = 64, kProductShifts = 22;

    void AddNear(unsigned __int128 term, uint64_t negative) {
        if (negative == 0) {
            near_ += term;
            if (near_ < term) [[unlikely]]
                ++far_;
        } else {
            if (near_ < term) [[unlikely]]
                --far_;
            near_ -= term;
        }
    }
    void AddAway(double value);
    void AddProductAway(double a, double b);
    // Places the window so that a term whose lowest bit is 2^exponent lands `up` bits up.
    void PlaceWindow(int exponent, int up);
    // Adds the window to the words and empties it.
    void Fold();
    // The words with the window added and the carries settled, and the digit of the first.
    std::pair<std::vector<int64_t>, int> SettledWords() const;

    // magnitude × 2^exponent, the sign given as all ones (negative) or zeros, over kPieces
    // digits: 3 hold a double's mantissa at any shift, 5 a product's.
    template <int kPieces, typename Magnitude>
    void AddShifted(Magnitude magnitude, int exponent, uint64_t sign) {
        const int position = exponent + kOrigin;
        const int digit = position >> 5;
        if (digit < first_ || digit + kPieces > first_ + static_cast<int>(words_.size()))
            [[unlikely]]
            Reach(digit, digit + kPieces);
        int64_t* word = words_.data() + (digit - first_);
        const int shift = position & 31;
        uint64_t low = static_cast<uint64_t>(magnitude << shift) & 0xffffffff;
        Magnitude rest = magnitude >> (32 - shift);
        for (int i = 0; i < kPieces; ++i) {
            word[i] += static_cast<int64_t>((low ^ sign) - sign);
            low = static_cast<uint64_t>(rest) & 0xffffffff;
            rest >>= 32;
        }
        if (++terms_ == kTermsBetweenCarries) [[unlikely]]
            Carry();
    }
    void AddBeyond(double value);
    // Adds words that took `terms` terms since their carries were settled.
    void AddWords(const std::vector<int64_t>& words, int first, uint32_t terms);
    // The sum of the terms beyond the numbers: NaN, or an infinity.
    double ValueBeyond() const;
    // Makes the words cover digits [from, to).
    void Reach(int from, int to);
    // Settles the carries: every word but the top one in 0 .. 2^32 - 1.
    void Carry();

    // The window: far_ × 2^128 + near_ in units of 2^(windowField_ - kBias), two's complement.
    // The mantissa of a double of exponent field f lands f - windowField_ bits up; none is
    // placed before the first term.
    unsigned __int128 near_ = 0;
    __int128 far_ = 0;
    static constexpr uint32_t kNoWindow = 1u << 30;
    uint32_t windowField_ = kNoWindow;
    std::vector<int64_t> words_;  // digit first_ + i in words_[i]
    int first_ = 0;
    uint32_t terms_ = 0;  // since the carries were last settled
    uint8_t beyond_ = 0;  // Beyond flags
};

// The sample standard deviation of n values (n at least 2) from their exact sum and sum of
// squares: the square root of (n·Σx² − (Σx)²) / (n·(n − 1)), found exactly and rounded once
// before the root, so it is finite whenever the true figure is. NaN when a value was not finite.
double SampleStdDev(const ExactSum& sum, const ExactSum& squares, int64_t n);

}  // namespace grafolux

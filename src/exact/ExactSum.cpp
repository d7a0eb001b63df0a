#include "exact/ExactSum.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace grafolux {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A number as |digits| × 2^exponent: 32-bit digits, the lowest first; exponent a multiple of 32.
struct Magnitude {
    std::vector<uint32_t> digits;
    int exponent = 0;
    bool negative = false;

    bool zero() const { return digits.empty(); }
    void Trim() {
        while (!digits.empty() && digits.back() == 0) digits.pop_back();
        const auto low = std::find_if(digits.begin(), digits.end(), [](uint32_t d) { return d; });
        exponent += 32 * static_cast<int>(low - digits.begin());
        digits.erase(digits.begin(), low);
    }
};

// A positive number to 64 bits: top × 2^exponent, the top bit set; `sticky` when bits below
// were dropped that are not all zero.
struct Leading {
    uint64_t top;
    bool sticky;
    int exponent;
};

// The leading 64 bits of a trimmed, non-zero magnitude; `sticky` also when `more` says that
// something nonzero lies below it all.
Leading LeadingBits(const Magnitude& m, bool more) {
    const size_t n = m.digits.size();
    const auto digit = [&](size_t i) { return i < n ? uint64_t{m.digits[i]} : 0; };  // i wraps
    const size_t high = n - 1;
    const unsigned __int128 three = (static_cast<unsigned __int128>(digit(high)) << 64) |
                                    (digit(high - 1) << 32) | digit(high - 2);
    const int zeros = std::countl_zero(m.digits[high]);
    const unsigned __int128 aligned = three << zeros;  // the top bit at 95
    bool sticky = more || static_cast<uint32_t>(aligned) != 0;
    for (size_t i = 0; i + 3 <= high && !sticky; ++i) sticky = m.digits[i] != 0;
    return {static_cast<uint64_t>(aligned >> 32), sticky,
            m.exponent + 32 * (static_cast<int>(high) - 2) + 32 - zeros};
}

// To the nearest double, ties to even, in the normal or the subnormal range.
double RoundToDouble(const Leading& v) {
    const int top = v.exponent + 63;  // the power of two of the top bit
    if (top > 1023) return kInfinity;
    const int kept = top >= -1022 ? 53 : 53 - (-1022 - top);
    if (kept < 0) return 0;  // below half the smallest subnormal
    const int dropped = 64 - kept;
    uint64_t mantissa = dropped == 64 ? 0 : v.top >> dropped;
    const uint64_t rest = v.top << (64 - dropped);  // the dropped bits, aligned at the top
    const bool above = (rest << 1) != 0 || v.sticky;
    if ((rest >> 63) != 0 && (above || (mantissa & 1) != 0)) ++mantissa;
    return std::ldexp(static_cast<double>(mantissa), v.exponent + dropped);
}

// m ÷ divisor to 64 bits, m not zero.
Leading Quotient(Magnitude m, uint64_t divisor) {
    // Four more digits below make at least 65 bits of quotient whatever the divisor.
    m.digits.insert(m.digits.begin(), 4, 0);
    m.exponent -= 128;
    uint64_t remainder = 0;
    for (size_t i = m.digits.size(); i-- > 0;) {
        const unsigned __int128 current =
            (static_cast<unsigned __int128>(remainder) << 32) | m.digits[i];
        m.digits[i] = static_cast<uint32_t>(current / divisor);
        remainder = static_cast<uint64_t>(current % divisor);
    }
    m.Trim();
    return LeadingBits(m, remainder != 0);
}

// a × k.
Magnitude Times(const Magnitude& a, uint64_t k) {
    Magnitude product{std::vector<uint32_t>(a.digits.size() + 2), a.exponent};
    unsigned __int128 carry = 0;
    for (size_t i = 0; i < product.digits.size(); ++i) {
        carry += static_cast<unsigned __int128>(i < a.digits.size() ? a.digits[i] : 0) * k;
        product.digits[i] = static_cast<uint32_t>(carry);
        carry >>= 32;
    }
    product.Trim();
    return product;
}

Magnitude Squared(const Magnitude& a) {
    const size_t n = a.digits.size();
    Magnitude square{std::vector<uint32_t>(2 * n + 1), 2 * a.exponent};
    uint64_t carry = 0;
    for (size_t column = 0; column < 2 * n; ++column) {
        unsigned __int128 sum = carry;
        const size_t from = column < n ? 0 : column - n + 1;
        for (size_t i = from; i <= column && i < n; ++i)
            sum += uint64_t{a.digits[i]} * a.digits[column - i];
        square.digits[column] = static_cast<uint32_t>(sum);
        carry = static_cast<uint64_t>(sum >> 32);
    }
    square.digits[2 * n] = static_cast<uint32_t>(carry);
    square.Trim();
    return square;
}

// a − b, both not negative; negative when b > a, which exact sums never give.
Magnitude Minus(const Magnitude& a, const Magnitude& b) {
    if (b.zero()) return a;
    const int low = std::min(a.exponent, b.exponent);
    const auto digitAt = [&](const Magnitude& m, int power) -> int64_t {
        const int i = (power - m.exponent) / 32;
        return power >= m.exponent && i < static_cast<int>(m.digits.size()) ? m.digits[i] : 0;
    };
    const int high = std::max(a.exponent + 32 * static_cast<int>(a.digits.size()),
                              b.exponent + 32 * static_cast<int>(b.digits.size()));
    Magnitude difference{{}, low};
    int64_t borrow = 0;
    for (int power = low; power < high; power += 32) {
        int64_t d = digitAt(a, power) - digitAt(b, power) - borrow;
        borrow = d < 0;
        difference.digits.push_back(static_cast<uint32_t>(d + (borrow << 32)));
    }
    difference.negative = borrow != 0;
    difference.Trim();
    return difference;
}

// A hexadecimal digit's value, or -1.
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

void ExactSum::Add(const ExactSum& other) {
    beyond_ |= other.beyond_;
    // The words as they are, when they can take the other's without a carry: as quick as adding
    // the sums of partials, which hold no window, can be.
    if (other.near_ != 0 || other.far_ != 0 || other.terms_ >= kTermsBetweenCarries / 2) {
        const auto [words, first] = other.SettledWords();
        AddWords(words, first, 1);
    } else {
        AddWords(other.words_, other.first_, other.terms_ + 1);
    }
}

void ExactSum::AddWords(const std::vector<int64_t>& words, int first, uint32_t terms) {
    if (words.empty()) return;
    if (terms_ + terms >= kTermsBetweenCarries) Carry();
    const int count = static_cast<int>(words.size());
    Reach(first, first + count);
    int64_t* word = words_.data() + (first - first_);
    for (int i = 0; i < count; ++i) word[i] += words[i];
    terms_ += terms;
}

void ExactSum::AddBeyond(double value) {
    beyond_ |= std::isnan(value) ? kHasNaN : value > 0 ? kHasPlus : kHasMinus;
}

void ExactSum::AddAway(double value) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const int field = static_cast<int>(bits >> 52) & 0x7ff;
    if (field == 0x7ff) return AddBeyond(value);
    if (value == 0) return;
    const uint64_t mantissa = (bits & kFraction) | (field != 0 ? kHidden : 0);
    const int exponent = (field != 0 ? field : 1) - kBias;
    if (windowField_ == kNoWindow) {
        PlaceWindow(exponent, kDoubleShifts / 2);
        if (field != 0) return Add(value);
    }
    AddShifted<3>(mantissa, exponent, Sign(bits));
}

void ExactSum::AddProductAway(double a, double b) {
    const uint64_t x = std::bit_cast<uint64_t>(a), y = std::bit_cast<uint64_t>(b);
    const int fx = static_cast<int>(x >> 52) & 0x7ff, fy = static_cast<int>(y >> 52) & 0x7ff;
    if (fx == 0x7ff || fy == 0x7ff) return AddBeyond(a * b);
    if (a == 0 || b == 0) return;
    const int exponent = (fx != 0 ? fx : 1) + (fy != 0 ? fy : 1) - 2 * kBias;
    if (windowField_ == kNoWindow) {
        PlaceWindow(exponent, kProductShifts / 2);
        if (fx != 0 && fy != 0) return AddProduct(a, b);
    }
    const unsigned __int128 product =
        static_cast<unsigned __int128>((x & kFraction) | (fx != 0 ? kHidden : 0)) *
        ((y & kFraction) | (fy != 0 ? kHidden : 0));
    AddShifted<5>(product, exponent, Sign(x ^ y));
}

void ExactSum::PlaceWindow(int exponent, int up) {
    // Not below the subnormals, so that a subnormal never takes the window's quick way.
    windowField_ = static_cast<uint32_t>(std::max(exponent - up, 1 - kBias) + kBias);
}

void ExactSum::Fold() {
    if (near_ == 0 && far_ == 0) return;
    const bool negative = far_ < 0;
    unsigned __int128 low = near_, high = static_cast<unsigned __int128>(far_);
    if (negative) {  // the magnitude
        low = ~low + 1;
        high = ~high + (low == 0);
    }
    const int exponent = static_cast<int>(windowField_) - kBias;
    const uint64_t sign = negative ? ~uint64_t{0} : 0;
    for (int i = 0; i < 4; ++i) {
        const unsigned __int128 half = i < 2 ? low : high;
        const auto limb = static_cast<uint64_t>(half >> (64 * (i % 2)));
        if (limb != 0) AddShifted<3>(limb, exponent + 64 * i, sign);
    }
    near_ = 0;
    far_ = 0;
}

std::pair<std::vector<int64_t>, int> ExactSum::SettledWords() const {
    ExactSum settled = *this;
    settled.Fold();
    settled.Carry();
    return {std::move(settled.words_), settled.first_};
}

void ExactSum::Reach(int from, int to) {
    if (words_.empty()) {
        first_ = from;
        words_.assign(static_cast<size_t>(to - from), 0);
        return;
    }
    // A little room on the side that grows, so that sums creeping upwards rarely move.
    const int newFirst = from < first_ ? from - 2 : first_;
    const int last = first_ + static_cast<int>(words_.size());
    const int newLast = to > last ? to + 2 : last;
    words_.insert(words_.begin(), static_cast<size_t>(first_ - newFirst), 0);
    words_.resize(static_cast<size_t>(newLast - newFirst), 0);
    first_ = newFirst;
}

void ExactSum::Carry() {
    for (size_t i = 0; i + 1 < words_.size(); ++i) {
        const int64_t carry = words_[i] >> 32;
        words_[i] -= carry * (int64_t{1} << 32);
        words_[i + 1] += carry;
    }
    // The top word stays within 32 bits, so that it takes further terms without overflowing.
    while (!words_.empty() &&
           (words_.back() >= (int64_t{1} << 31) || words_.back() < -(int64_t{1} << 31))) {
        const int64_t carry = words_.back() >> 32;
        words_.back() -= carry * (int64_t{1} << 32);
        words_.push_back(carry);
    }
    terms_ = 0;
}

namespace {

// The settled words of a sum as a sign and a magnitude.
Magnitude MagnitudeOf(std::vector<int64_t> words, int first, int origin) {
    Magnitude m;
    m.exponent = 32 * first - origin;
    m.negative = !words.empty() && words.back() < 0;
    if (m.negative) {
        for (int64_t& w : words) w = -w;
        for (size_t i = 0; i + 1 < words.size(); ++i) {
            const int64_t carry = words[i] >> 32;
            words[i] -= carry * (int64_t{1} << 32);
            words[i + 1] += carry;
        }
    }
    m.digits.assign(words.begin(), words.end());  // each now in 0 .. 2^32 - 1
    m.Trim();
    return m;
}

}  // namespace

double ExactSum::ValueBeyond() const {
    if ((beyond_ & kHasNaN) != 0 || (beyond_ & (kHasPlus | kHasMinus)) == (kHasPlus | kHasMinus))
        return kNaN;
    return (beyond_ & kHasPlus) != 0 ? kInfinity : -kInfinity;
}

double ExactSum::Divided(uint64_t n) const {
    if (beyond_ != 0) return ValueBeyond();
    const auto [words, first] = SettledWords();
    const Magnitude m = MagnitudeOf(words, first, kOrigin);
    if (m.zero()) return 0;
    const double value = RoundToDouble(Quotient(m, n));
    return m.negative ? -value : value;
}

std::string ExactSum::Text() const {
    if (beyond_ != 0) {
        const double value = ValueBeyond();
        return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
    }
    const auto [words, first] = SettledWords();
    const Magnitude m = MagnitudeOf(words, first, kOrigin);
    if (m.zero()) return "0";
    // Odd: the low digit's trailing zero bits go into the exponent.
    const int zeros = std::countr_zero(m.digits.front());
    std::vector<uint32_t> odd(m.digits.size());
    for (size_t i = 0; i < odd.size(); ++i) {
        const uint64_t pair =
            (i + 1 < odd.size() ? uint64_t{m.digits[i + 1]} << 32 : 0) | m.digits[i];
        odd[i] = static_cast<uint32_t>(pair >> zeros);
    }
    if (odd.back() == 0) odd.pop_back();
    std::string text = m.negative ? "-" : "";
    char buffer[8];
    for (size_t i = odd.size(); i-- > 0;) {
        const auto end = std::to_chars(buffer, buffer + 8, odd[i], 16).ptr;
        if (i + 1 < odd.size()) text.append(static_cast<size_t>(8 - (end - buffer)), '0');
        text.append(buffer, end);
    }
    text += 'p';
    text += std::to_string(m.exponent + zeros);
    return text;
}

std::optional<ExactSum> ExactSum::FromText(std::string_view text) {
    ExactSum sum;
    if (text == "0") return sum;
    if (text == "nan" || text == "inf" || text == "-inf") {
        sum.AddBeyond(text == "nan" ? kNaN : text == "inf" ? kInfinity : -kInfinity);
        return sum;
    }
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const size_t p = text.find('p');
    if (p == std::string_view::npos || p == 0 || text[0] == '0') return std::nullopt;
    const std::string_view hex = text.substr(0, p), power = text.substr(p + 1);
    if (hex.size() > 8 * kDigits || (HexValue(hex.back()) & 1) != 1) return std::nullopt;
    int exponent = 0;
    const auto [end, error] = std::from_chars(power.data(), power.data() + power.size(), exponent);
    if (error != std::errc() || end != power.data() + power.size() || power.starts_with("-0") ||
        (power.size() > 1 && power[0] == '0'))
        return std::nullopt;
    // The bits must lie within the sums' range.
    const int bits = 4 * static_cast<int>(hex.size());
    if (exponent < -kOrigin || exponent + kOrigin + bits > 32 * (kDigits + 2)) return std::nullopt;
    const int low = exponent + kOrigin;
    sum.Reach(low >> 5, ((low + bits) >> 5) + 1);
    for (size_t i = 0; i < hex.size(); ++i) {
        const int value = HexValue(hex[hex.size() - 1 - i]);
        if (value < 0) return std::nullopt;
        const int at = low + 4 * static_cast<int>(i) - 32 * sum.first_;
        sum.words_[static_cast<size_t>(at >> 5)] += int64_t{value} << (at & 31);
    }
    if (negative)
        for (int64_t& w : sum.words_) w = -w;
    sum.Carry();
    return sum;
}

double SampleStdDev(const ExactSum& sum, const ExactSum& squares, int64_t n) {
    if (!sum.finite() || !squares.finite()) return kNaN;
    const auto [sumWords, sumFirst] = sum.SettledWords();
    const auto [squareWords, squareFirst] = squares.SettledWords();
    const Magnitude s = MagnitudeOf(sumWords, sumFirst, ExactSum::kOrigin);
    const Magnitude q = MagnitudeOf(squareWords, squareFirst, ExactSum::kOrigin);
    const auto count = static_cast<uint64_t>(n);
    // n·Σx² ≥ (Σx)² always, so the difference is not negative.
    const Magnitude spread = Minus(Times(q, count), Squared(s));
    if (spread.negative) return kNaN;
    if (spread.zero()) return 0;
    const Leading variance = Quotient(spread, count * (count - 1));
    // The variance as v × 4^k with v in [1, 4): its root is √v × 2^k, without overflow or
    // underflow on the way.
    const int k = (variance.exponent + 63) >> 1;
    const double v = RoundToDouble({variance.top, variance.sticky, variance.exponent - 2 * k});
    return std::ldexp(std::sqrt(v), k);
}

}  // namespace grafolux

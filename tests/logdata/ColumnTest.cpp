#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "logdata/Column.h"

namespace {

using namespace grafolux;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kOddValues[] = {-0.0,
                             std::bit_cast<double>(0x7ff8000000001234ULL),  // NaN with a payload
                             kInf,
                             -kInf,
                             5e-324,
                             std::numeric_limits<double>::max(),
                             1e300,
                             0.1 + 0.2};

bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// Every sample back to the last bit: whole, one at a time, and in ranges across block edges.
void ExpectExact(const Column& column, const std::vector<double>& values, const std::string& what) {
    ASSERT_EQ(column.size(), static_cast<int32_t>(values.size())) << what;
    const auto whole = column.Whole();
    for (size_t i = 0; i < values.size(); ++i) {
        ASSERT_TRUE(SameBits((*whole)[i], values[i])) << what << ", sample " << i;
        ASSERT_TRUE(SameBits(column.at(static_cast<int32_t>(i)), values[i])) << what << ", " << i;
    }
    const auto n = static_cast<int32_t>(values.size());
    for (const auto& [from, count] : {std::pair{0, n}, {n / 3, n / 2}, {n - 1, 1}, {1023, 2}}) {
        if (from < 0 || count < 1 || from + count > n) continue;
        std::vector<double> read(static_cast<size_t>(count));
        column.Read(from, count, read.data());
        for (int32_t i = 0; i < count; ++i)
            ASSERT_TRUE(SameBits(read[i], values[from + i])) << what << ", from " << from;
    }
}

std::vector<double> Samples(int n, const std::function<double(int)>& value) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i) values.push_back(value(i));
    return values;
}

// Each form of block, and the room it takes: a compact form where the values allow one.
TEST(Column, EveryFormGivesBackEachValueBitForBitInItsRoom) {
    std::mt19937_64 random(3);
    const auto anyDouble = [&](int) {
        double v;
        do v = std::bit_cast<double>(random());
        while (!std::isfinite(v));
        return v;
    };
    const struct {
        const char* name;
        int n;
        std::function<double(int)> value;
        double bytesPerSample;  // at most
    } cases[] = {
        {"one value", 2500, [](int) { return 3.25; }, 0.05},
        {"one NaN", 2500, [](int) { return kOddValues[1]; }, 0.05},
        {"-0 alone", 1500, [](int) { return -0.0; }, 0.05},
        {"flag bits", 2500, [](int i) { return i * 7 % 3 == 0 ? 1.0 : 0.0; }, 0.2},
        {"small integers", 2500, [](int i) { return 800 + i % 200; }, 1.1},
        {"tenths", 2500, [](int i) { return (i % 5000) / 10.0; }, 2.1},
        {"negative hundredths", 2500, [](int i) { return -(i % 300) / 100.0; }, 2.1},
        {"tiny decimals", 2500, [](int i) { return (i % 700) / 1e20; }, 2.1},
        {"wide integers", 2500, [](int i) { return i * 100003.0; }, 4.1},
        {"beyond 32 bits", 2500, [](int i) { return i * 1e10; }, 8.1},
        {"random doubles", 2500, anyDouble, 8.1},
        {"odd values among quarters", 2500,
         [](int i) { return i % 97 == 5 ? kOddValues[i % 8] : (i % 100) / 4.0; }, 2.5},
        {"decimals, then doubles mid-block", 2000,
         [&](int i) { return i < 1500 ? i / 8.0 : anyDouble(i); }, 8.1},
        {"a few samples", 5, [](int i) { return i + 0.5; }, 30},
    };
    for (const auto& c : cases) {
        const std::vector<double> values = Samples(c.n, c.value);
        const Column column = Column::Encoded(values);
        ExpectExact(column, values, c.name);
        EXPECT_LE(static_cast<double>(column.bytes()) / c.n, c.bytesPerSample) << c.name;
    }
}

// Blocks whose samples switch at random between every kind of value, in runs of any length.
TEST(Column, RandomMixturesComeBackBitForBit) {
    std::mt19937_64 random(11);
    for (int round = 0; round < 60; ++round) {
        std::vector<double> values;
        double run = 0;
        int kind = 0;
        while (values.size() < 3000) {
            if (random() % 16 == 0) kind = static_cast<int>(random() % 5);
            const int e = static_cast<int>(random() % 7);
            switch (kind) {
                case 0:
                    values.push_back(run);
                    break;
                case 1:
                    values.push_back(static_cast<double>(random() % 1000));
                    break;
                case 2:
                    values.push_back(static_cast<double>(random() % 100000) / std::pow(10, e));
                    break;
                case 3:
                    values.push_back(kOddValues[random() % 8]);
                    break;
                default:
                    values.push_back(std::bit_cast<double>(random()));
            }
            if (random() % 50 == 0) run = values.back();
        }
        ExpectExact(Column::Encoded(values), values, "round " + std::to_string(round));
    }
}

// A description from outside (the cache) is decoded only when it cannot read past its bytes or
// give a value its form cannot hold.
TEST(BlockIsSound, TurnsAwayWhatCannotBeDecoded) {
    std::vector<double> values = Samples(100, [](int i) { return i % 3 + 0.5; });
    values[10] = kInf;
    values[70] = -0.0;
    std::vector<int64_t> fields;
    for (int64_t i = 0; i < 100; ++i) fields.push_back(OtherField(i));
    std::vector<uint8_t> bytes;
    SampleBlock sound = EncodeBlock(fields.data(), values.data(), 100, bytes);
    sound.bytes = bytes.data();
    ASSERT_EQ(sound.form, BlockForm::Packed);
    ASSERT_EQ(sound.exceptions, 2);
    const size_t positions = BlockBytes(sound, 100) - 2 * (2 + 8);
    const struct {
        const char* name;
        std::function<void(SampleBlock&, std::vector<uint8_t>&, size_t&)> damage;
    } cases[] = {
        {"sound", [](SampleBlock&, std::vector<uint8_t>&, size_t&) {}},
        {"no such form", [](SampleBlock& b, auto&, size_t&) { b.form = BlockForm{7}; }},
        {"no such width", [](SampleBlock& b, auto&, size_t&) { b.width = 3; }},
        {"a power of ten no double holds", [](SampleBlock& b, auto&, size_t&) { b.exponent = 23; }},
        {"more kept aside than samples",
         [](SampleBlock& b, auto&, size_t&) { b.exceptions = 101; }},
        {"bytes cut short", [](SampleBlock&, auto&, size_t& available) { --available; }},
        {"an integer no double holds", [](SampleBlock& b, auto&, size_t&) { b.base = 1LL << 53; }},
        {"positions out of order",
         [&](SampleBlock&, auto& b, size_t&) { std::swap(b[positions], b[positions + 2]); }},
        {"a position past the block",
         [&](SampleBlock&, auto& b, size_t&) { b[positions + 2] = 100; }},
        {"raw without its doubles",
         [](SampleBlock& b, auto&, size_t&) { b.form = BlockForm::Raw; }},
    };
    for (const auto& c : cases) {
        SampleBlock block = sound;
        std::vector<uint8_t> damaged = bytes;
        size_t available = damaged.size();
        block.bytes = damaged.data();
        c.damage(block, damaged, available);
        EXPECT_EQ(BlockIsSound(block, 100, available), &c == &cases[0]) << c.name;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "exact/ExactSum.h"

namespace grafolux {
namespace {

ExactSum SumOf(const std::vector<double>& terms) {
    ExactSum sum;
    for (double t : terms) sum.Add(t);
    return sum;
}

// Sums that plain addition gets wrong, or right in one order only; each rounded once.
TEST(ExactSum, RoundsTheTrueSumOnceWhateverTheOrder) {
    const double tiny = std::ldexp(1.0, -1074);
    const struct {
        const char* what;
        std::vector<double> terms;
        double rounded;
    } cases[] = {
        {"absorbed and cancelled", {1e16, 1, -1e16, 1, 1}, 3},
        {"a tie rounds to even", {9007199254740992.0, 1}, 9007199254740992.0},
        {"just above the tie", {9007199254740992.0, 1, tiny}, 9007199254740994.0},
        {"tenths", {0.1, 0.2, 0.3, -0.6}, std::ldexp(1.0, -55)},
        {"subnormals", {tiny, tiny, 3 * tiny}, 5 * tiny},
        {"beyond the doubles", {1.5e308, 1.5e308}, INFINITY},
        {"beyond and back", {1.5e308, 1.5e308, -1.5e308, -1e308}, 0.5e308},
        {"negative", {-0.5, -0.25, -3}, -3.75},
        {"nothing", {}, 0},
        {"only zeros", {-0.0, 0.0}, 0},
    };
    std::mt19937 random(7);
    for (const auto& c : cases) {
        std::vector<double> terms = c.terms;
        const std::string text = SumOf(terms).Text();
        for (int round = 0; round < 20; ++round) {
            std::shuffle(terms.begin(), terms.end(), random);
            // Split at random and added up part by part.
            const size_t split = terms.empty() ? 0 : random() % (terms.size() + 1);
            ExactSum sum = SumOf({terms.begin(), terms.begin() + split});
            sum.Add(SumOf({terms.begin() + split, terms.end()}));
            EXPECT_EQ(sum.Text(), text) << c.what;
            EXPECT_EQ(std::bit_cast<uint64_t>(sum.Rounded()), std::bit_cast<uint64_t>(c.rounded))
                << c.what << ": " << sum.Rounded();
        }
    }
}

// Many terms spread over a wide range of magnitudes, against sums of whole numbers that an
// integer holds exactly; also whole numbers added as such and products.
TEST(ExactSum, AgreesWithIntegerArithmetic) {
    std::mt19937_64 random(11);
    for (int round = 0; round < 200; ++round) {
        ExactSum sum, products;
        __int128 whole = 0, productsWhole = 0;  // in units of 2^-70, and of 2^-80
        for (int i = 0; i < 300; ++i) {
            const auto m = static_cast<int64_t>(random() % (1 << 24)) - (1 << 23);
            const int e = static_cast<int>(random() % 60) - 70;
            const double v = std::ldexp(static_cast<double>(m), e);
            if (i % 3 == 0) {
                const auto k = static_cast<int64_t>(random() % 1000) - 500;
                sum.AddWhole(k);
                whole += static_cast<__int128>(k) << 70;
            } else {
                sum.Add(v);
                whole += static_cast<__int128>(m) << (e + 70);
            }
            const double f = std::ldexp(static_cast<double>(random() % 4096), -10);
            products.AddProduct(v, f);
            productsWhole +=
                (static_cast<__int128>(m) << (e + 70)) * static_cast<int64_t>(f * 1024);
        }
        EXPECT_EQ(sum.Rounded(), std::ldexp(static_cast<double>(whole), -70));
        EXPECT_EQ(products.Rounded(), std::ldexp(static_cast<double>(productsWhole), -80));
    }
}

TEST(ExactSum, ProductsAndQuotientsAreExactThenRoundedOnce) {
    const double x = 1 + std::ldexp(1.0, -52);
    ExactSum square;
    square.AddProduct(x, x);  // 1 + 2^-51 + 2^-104
    square.Add(-1);
    square.Add(-std::ldexp(1.0, -51));
    EXPECT_EQ(square.Rounded(), std::ldexp(1.0, -104));

    ExactSum huge;  // the products overflow a double, and cancel
    huge.AddProduct(1e200, 1e200);
    huge.Add(0.5);
    huge.AddProduct(-1e200, 1e200);
    EXPECT_EQ(huge.Rounded(), 0.5);

    const ExactSum ones = SumOf({1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(SumOf({1}).Divided(3), 1.0 / 3);
    EXPECT_EQ(ones.Divided(7), 1);
    EXPECT_EQ(SumOf({1.5e308, 1.5e308, 1.5e308}).Divided(3), 1.5e308);
    EXPECT_EQ(SumOf({-2, -1}).Divided(2), -1.5);
}

TEST(ExactSum, BeyondTheNumbers) {
    const struct {
        std::vector<double> terms;
        const char* text;
    } cases[] = {
        {{1, INFINITY}, "inf"},
        {{-INFINITY, 1}, "-inf"},
        {{INFINITY, -INFINITY}, "nan"},
        {{NAN, 1}, "nan"},
    };
    for (const auto& c : cases) {
        const ExactSum sum = SumOf(c.terms);
        EXPECT_EQ(sum.Text(), c.text);
        EXPECT_FALSE(sum.finite());
        EXPECT_EQ(ExactSum::FromText(c.text)->Text(), c.text);
    }
    ExactSum product;
    product.AddProduct(0, INFINITY);
    EXPECT_TRUE(std::isnan(product.Rounded()));
}

TEST(ExactSum, TextReadsBackAndNothingElseReads) {
    const std::vector<std::vector<double>> sums = {
        {}, {-31.0 / 8}, {2}, {1e300, 1e-300}, {-1e-320}, {0.1, 1e16}, {-1e308, -1e308}};
    for (const auto& terms : sums) {
        const ExactSum sum = SumOf(terms);
        const auto read = ExactSum::FromText(sum.Text());
        ASSERT_TRUE(read) << sum.Text();
        EXPECT_EQ(read->Text(), sum.Text());
        EXPECT_EQ(read->Rounded(), sum.Rounded());
    }
    EXPECT_EQ(SumOf({-31.0 / 8}).Text(), "-1fp-3");
    EXPECT_EQ(SumOf({0x1.8p100}).Text(), "3p99");
    for (const char* bad : {"", "-0", "1", "p3", "01p3", "2p3", "1Fp3", "1fp+3", "1fp03", "1fp-0",
                            "1fp99999", "1fp-2177", "1gp1", "-nan", "1p3x"})
        EXPECT_FALSE(ExactSum::FromText(bad)) << bad;
}

TEST(SampleStdDev, TheTrueSpreadRoundedOnce) {
    const struct {
        const char* what;
        std::vector<double> values;
        double stdDev;
    } cases[] = {
        {"ordinary", {120, 130, 126}, std::sqrt(152.0 / 6)},
        {"equal values", {7.25, 7.25, 7.25}, 0},
        {"far from 0", {1e9 + 0.25, 1e9 - 0.25}, std::sqrt(0.125)},
        {"at both ends", {1e308, -1e308}, std::sqrt(2.0) * 1e308},
        {"beyond the doubles", {1.7e308, -1.7e308}, INFINITY},
        {"tiny", {5e-324, 0}, std::sqrt(0.5) * 5e-324},
        {"missing", {NAN, 1}, NAN},
    };
    for (const auto& c : cases) {
        ExactSum sum, squares;
        for (double v : c.values) {
            sum.Add(v);
            squares.AddProduct(v, v);
        }
        const double sd = SampleStdDev(sum, squares, static_cast<int64_t>(c.values.size()));
        if (std::isnan(c.stdDev))
            EXPECT_TRUE(std::isnan(sd)) << c.what;
        else
            EXPECT_DOUBLE_EQ(sd, c.stdDev) << c.what;
    }
}

}  // namespace
}  // namespace grafolux

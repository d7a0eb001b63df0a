#include <gtest/gtest.h>

#include "tables/RetuneText.h"

namespace grafolux {
namespace {

TEST(FixedText, CorrectlyRoundedAndNoNegativeZero) {
    struct Case {
        const char* name;
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {"a change's rounding error", 55.00000000000001, 1, "55.0"},
        {"a tie in binary goes to even", 0.125, 2, "0.12"},
        {"2.675 lies below the half", 2.675, 2, "2.67"},
        {"negative zero", -0.0, 0, "0"},
        {"rounds to negative zero", -0.004, 2, "0.00"},
        {"rounds away from zero", -0.005, 2, "-0.01"},
        {"many decimals", 0.1, 20, "0.10000000000000000555"},
    };
    for (const Case& c : cases) EXPECT_EQ(FixedText(c.value, c.decimals), c.text) << c.name;
}

// Two rows, three columns, with the cell figures set by hand.
struct Retuned {
    FuelMap map = std::get<FuelMap>(ParseFuelMap(
        "RPM, \"kPa\"\t20\t40.0\t60\n1000\t50\t50.00\t-0.0\n2000.5\t7\t1.25\t3\n", "map"));
    RetuneResult result;

    Retuned() {
        //                weight factor samples trusted change value
        result.cells = {{7.5, 1.2, 9, true, 1.1, 50 * 1.1},
                        {5, 0.95, 5, true, 0.95, 50 * 0.95},
                        {6, 0.9999, 6, true, 0.9999, -0.0 * 0.9999},
                        {2, 1.3, 2, false, 1, 7},
                        {},
                        {9, 0.85, 9, true, 0.9, 3 * 0.9}};
    }
};

TEST(RetuneText, EachShowAsTextAndCsv) {
    const Retuned r;
    const std::string textHeader = "RPM, \"kPa\"\t20\t40.0\t60\n";
    const std::string csvHeader = "\"RPM, \"\"kPa\"\"\",20,40.0,60\r\n";
    struct Case {
        RetuneShow show;
        std::string text, csv;
    } cases[] = {
        {RetuneShow::Map, "1000\t55\t47.50\t0.0\n2000.5\t7\t1.25\t3\n",
         "1000,55,47.50,0.0\r\n2000.5,7,1.25,3\r\n"},
        {RetuneShow::Change, "1000\t10.0\t-5.0\t0.0\n2000.5\tN/A\tN/A\t-10.0\n",
         "1000,10.0,-5.0,0.0\r\n2000.5,,,-10.0\r\n"},
        {RetuneShow::Weight, "1000\t7.50\t5.00\t6.00\n2000.5\t2.00\t0.00\t9.00\n",
         "1000,7.50,5.00,6.00\r\n2000.5,2.00,0.00,9.00\r\n"},
        {RetuneShow::Factor, "1000\t1.2000\t0.9500\t0.9999\n2000.5\t1.3000\tN/A\t0.8500\n",
         "1000,1.2000,0.9500,0.9999\r\n2000.5,1.3000,,0.8500\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(RetuneShowName(c.show));
        EXPECT_EQ(RetuneText(r.map, r.result, c.show), textHeader + c.text);
        EXPECT_EQ(RetuneCsv(r.map, r.result, c.show), csvHeader + c.csv);
    }
}

}  // namespace
}  // namespace grafolux

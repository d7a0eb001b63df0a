#include <gtest/gtest.h>

#include <cmath>

#include "tables/FuelMap.h"

namespace grafolux {
namespace {

std::string MessageOf(std::string_view text) {
    const auto parsed = ParseFuelMap(text, "map.txt");
    return std::holds_alternative<MapError>(parsed) ? std::get<MapError>(parsed).message
                                                    : "(read without error)";
}

// A map of `rows` rows and `columns` columns, every cell "1".
std::string MapOfSize(int rows, int columns) {
    std::string text = "RPM";
    for (int j = 1; j <= columns; ++j) text += "\t" + std::to_string(10 * j);
    for (int i = 1; i <= rows; ++i) {
        text += "\n" + std::to_string(400 * i);
        for (int j = 1; j <= columns; ++j) text += "\t1";
    }
    return text + "\n";
}

TEST(ParseFuelMap, ReadsFieldsAsWrittenWhateverTheLineEndsAndBlanks) {
    struct Case {
        const char* name;
        std::string text;
        std::string corner;
    } cases[] = {
        {"tabs and LF", "RPM\\kPa\t20\t40.5\n800\t1.50\t-2\n1600\t3\t007\n", "RPM\\kPa"},
        {"commas", "RPM\\kPa,20,40.5\n800,1.50,-2\n1600,3,007\n", "RPM\\kPa"},
        {"CR LF and an empty corner", "\t20\t40.5\r\n800\t1.50\t-2\r\n1600\t3\t007\r\n", ""},
        {"blanks around fields", " RPM , 20 , 40.5 \n 800,1.50 ,\t-2\n1600 ,3,007\n", "RPM"},
        {"trailing empty and blank lines", "a\t20\t40.5\n800\t1.50\t-2\n1600\t3\t007\n\n \r\n\n",
         "a"},
        {"no line end on the last line", "a\t20\t40.5\n800\t1.50\t-2\n1600\t3\t007", "a"},
        {"a comma in a TAB-separated corner", "rpm, kPa\t20\t40.5\n800\t1.50\t-2\n1600\t3\t007",
         "rpm, kPa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParseFuelMap(c.text, "map.txt");
        ASSERT_TRUE(std::holds_alternative<FuelMap>(parsed)) << MessageOf(c.text);
        const FuelMap& map = std::get<FuelMap>(parsed);
        EXPECT_EQ(map.corner, c.corner);
        EXPECT_EQ(map.columns.texts, (std::vector<std::string>{"20", "40.5"}));
        EXPECT_EQ(map.columns.values, (std::vector<double>{20, 40.5}));
        EXPECT_EQ(map.rows.texts, (std::vector<std::string>{"800", "1600"}));
        EXPECT_EQ(map.rows.values, (std::vector<double>{800, 1600}));
        EXPECT_EQ(map.cellTexts, (std::vector<std::string>{"1.50", "-2", "3", "007"}));
        EXPECT_EQ(map.cells, (std::vector<double>{1.5, -2, 3, 7}));
    }
}

TEST(ParseFuelMap, NumbersAreMinusDigitsPointDigits) {
    struct Case {
        std::string field;
        bool read;
        double value = 0;
        int decimals = 0;
    } cases[] = {
        {"0", true, 0, 0},     {"-12.250", true, -12.25, 3},
        {"0.1", true, 0.1, 1}, {"00012", true, 12, 0},
        {"1.", false},         {".5", false},
        {"+1", false},         {"1e3", false},
        {"0x1A", false},       {"- 1", false},
        {"--1", false},        {"1.2.3", false},
        {"inf", false},        {"nan", false},
        {"", false},           {"1" + std::string(400, '0'), false},  // beyond a double
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const std::string text = "RPM\t20\t40\n800\t" + c.field + "\t1\n1600\t1\t1\n";
        const auto parsed = ParseFuelMap(text, "map.txt");
        ASSERT_EQ(std::holds_alternative<FuelMap>(parsed), c.read) << MessageOf(text);
        if (!c.read) continue;
        EXPECT_EQ(std::get<FuelMap>(parsed).cells[0], c.value);
        EXPECT_EQ(DecimalPlaces(c.field), c.decimals);
    }
    // The sign of -0 is kept: the cell's value times a change stays -0 and prints as 0.
    const auto parsed = ParseFuelMap("a\t1\t2\n1\t-0\t0\n2\t0\t0\n", "m");
    ASSERT_TRUE(std::holds_alternative<FuelMap>(parsed));
    EXPECT_TRUE(std::signbit(std::get<FuelMap>(parsed).cells[0]));
}

TEST(ParseFuelMap, EveryFaultNamesTheMapTheLineAndTheField) {
    const std::string ok = "RPM\t20\t40\n800\t1\t2\n1600\t3\t4\n";
    struct Case {
        const char* name;
        std::string text, message;
    } cases[] = {
        {"empty text", "", "map.txt: the map is empty"},
        {"blank lines only", "\n \r\n\t\n", "map.txt: the map is empty"},
        {"one column", "RPM\t20\n800\t1\n1600\t2\n", "map.txt line 1: 1 column, expected 2 to 64"},
        {"no column", "RPM\n800\n1600\n", "map.txt line 1: 0 columns, expected 2 to 64"},
        {"10,000 columns", MapOfSize(2, 10000), "map.txt line 1: 10000 columns, expected 2 to 64"},
        {"65 columns", MapOfSize(2, 65), "map.txt line 1: 65 columns, expected 2 to 64"},
        {"only line 1", "RPM\t20\t40\n", "map.txt: 0 rows, expected 2 to 64"},
        {"one row", "RPM\t20\t40\n800\t1\t2\r\n\r\n", "map.txt: 1 row, expected 2 to 64"},
        {"65 rows", MapOfSize(65, 2), "map.txt line 66: 65 rows, expected 2 to 64"},
        {"a decimal comma in a TAB map", "RPM\t20\t40\n800\t1\t2\n1600\t12,5\t4\n",
         "map.txt line 3 field 2: \"12,5\" is not a number"},
        {"a column breakpoint", "RPM\t20\tMAP\n800\t1\t2\n1600\t3\t4\n",
         "map.txt line 1 field 3: \"MAP\" is not a number"},
        {"a row breakpoint", ok + "x\t5\t6\n", "map.txt line 4 field 1: \"x\" is not a number"},
        {"too few values", "RPM,20,40\n800,1,2\n1600,3\n", "map.txt line 3: 1 value, expected 2"},
        {"too many values", "RPM,20,40\n800,1,2,0\n1600,3,4\n",
         "map.txt line 2: 3 values, expected 2"},
        {"an empty line inside", "RPM,20,40\n800,1,2\n\n1600,3,4\n",
         "map.txt line 3: 0 values, expected 2"},
        {"equal column neighbours", "RPM\t20\t30\t30\n800\t1\t2\t3\n1600\t3\t4\t5\n",
         "map.txt line 1 field 4: the column axis is not increasing (\"30\" after \"30\")"},
        {"falling columns", "RPM\t40\t20.0\n800\t1\t2\n1600\t3\t4\n",
         "map.txt line 1 field 3: the column axis is not increasing (\"20.0\" after \"40\")"},
        {"a step beyond any number",
         "RPM\t-1" + std::string(308, '0') + "\t1" + std::string(308, '0') +
             "\n800\t1\t2\n1600\t3\t4\n",
         "map.txt line 1 field 3: the column axis steps beyond any number (\"1" +
             std::string(39, '0') + "\u2026\" after \"-1" + std::string(38, '0') + "\u2026\")"},
        {"equal row neighbours", ok + "1600.0\t5\t6\n",
         "map.txt line 4 field 1: the row axis is not increasing (\"1600.0\" after \"1600\")"},
        {"a long field is cut", "RPM\t20\t40\n800\t1\t" + std::string(50, 'x') + "\n1600\t3\t4\n",
         "map.txt line 2 field 3: \"" + std::string(40, 'x') + "\u2026\" is not a number"},
        {"a line break inside a field", "RPM\t20\t40\n800\t1\t2\r3\n1600\t3\t4\n",
         "map.txt line 2 field 3: \"2\\r3\" is not a number"},
    };
    for (const Case& c : cases) EXPECT_EQ(MessageOf(c.text), c.message) << c.name;
    // The largest map is fine.
    EXPECT_TRUE(std::holds_alternative<FuelMap>(ParseFuelMap(MapOfSize(64, 64), "m")));
    // The map's name as the caller gives it.
    EXPECT_EQ(std::get<MapError>(ParseFuelMap("", "standard input")).message,
              "standard input: the map is empty");
}

}  // namespace
}  // namespace grafolux

#include <gtest/gtest.h>

#include "tables/FuelMap.h"

namespace grafolux {
namespace {

std::string MessageOf(std::string_view text) {
    const auto parsed = ParseFuelMap(text, "map.txt");
    return std::holds_alternative<MapError>(parsed) ? std::get<MapError>(parsed).message : "";
}

// `rows` rows and `columns` columns of "1".
std::string MapOfSize(int rows, int columns) {
    std::string text = "RPM", cells;
    for (int j = 1; j <= columns; ++j) {
        text.append("\t").append(std::to_string(10 * j));
        cells += "\t1";
    }
    for (int i = 1; i <= rows; ++i) text.append("\n").append(std::to_string(400 * i)).append(cells);
    return text + "\n";
}

TEST(ParseFuelMap, ReadsFieldsAsWrittenWhateverTheLineEndsAndBlanks) {
    const std::pair<const char*, std::string> cases[] = {
        {"tabs", "RPM\\kPa\t20\t40.5\n800\t1.50\t-2\n1600\t-0\t007\n"},
        {"commas, blanks around the fields, a TAB as a blank",
         " RPM\\kPa , 20 , 40.5 \n 800,1.50 ,\t-2\n1600 ,-0,007\n"},
        {"CR LF, blank lines at the end",
         "RPM\\kPa\t20\t40.5\r\n800\t1.50\t-2\r\n1600\t-0\t007\r\n \r\n\n"},
        {"no line end on the last line", "RPM\\kPa\t20\t40.5\n800\t1.50\t-2\n1600\t-0\t007"},
    };
    for (const auto& [name, text] : cases) {
        const auto parsed = ParseFuelMap(text, "map.txt");
        ASSERT_TRUE(std::holds_alternative<FuelMap>(parsed)) << name << ": " << MessageOf(text);
        const FuelMap& map = std::get<FuelMap>(parsed);
        EXPECT_EQ(map.corner, "RPM\\kPa") << name;
        EXPECT_EQ(map.columns.texts, (std::vector<std::string>{"20", "40.5"})) << name;
        EXPECT_EQ(map.columns.values, (std::vector<double>{20, 40.5})) << name;
        EXPECT_EQ(map.rows.texts, (std::vector<std::string>{"800", "1600"})) << name;
        EXPECT_EQ(map.rows.values, (std::vector<double>{800, 1600})) << name;
        EXPECT_EQ(map.cellTexts, (std::vector<std::string>{"1.50", "-2", "-0", "007"})) << name;
        EXPECT_EQ(map.cells, (std::vector<double>{1.5, -2, -0.0, 7})) << name;
    }
    EXPECT_EQ(DecimalPlaces("-12.250"), 3);
    EXPECT_EQ(DecimalPlaces("7"), 0);
    // The largest map, and a comma in the corner of a TAB-separated one.
    EXPECT_EQ(MessageOf(MapOfSize(64, 64)), "");
    EXPECT_EQ(MessageOf("rpm, kPa\t20\t30\n1\t1\t1\n2\t1\t1\n"), "");
}

TEST(ParseFuelMap, EveryFaultNamesTheMapTheLineAndTheField) {
    const std::string top = "RPM\t20\t40\n800\t1\t2\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "map.txt: the map is empty"},
        {"\n \r\n\t\n", "map.txt: the map is empty"},
        {"RPM\t20\n800\t1\n1600\t2\n", "map.txt line 1: 1 column, expected 2 to 64"},
        {MapOfSize(2, 10000), "map.txt line 1: 10000 columns, expected 2 to 64"},
        {MapOfSize(2, 65), "map.txt line 1: 65 columns, expected 2 to 64"},
        {top + "\r\n", "map.txt: 1 row, expected 2 to 64"},
        {MapOfSize(65, 2), "map.txt line 66: 65 rows, expected 2 to 64"},
        {top + "1600\t12,5\t4\n", "map.txt line 3 field 2: \"12,5\" is not a number"},
        {"RPM\t20\tMAP\n800\t1\t2\n1600\t3\t4\n",
         "map.txt line 1 field 3: \"MAP\" is not a number"},
        {top + "x\t5\t6\n", "map.txt line 3 field 1: \"x\" is not a number"},
        {"RPM,20,40\n800,1,2\n1600,3\n", "map.txt line 3: 1 value, expected 2"},
        {"RPM,20,40\n800,1,2,0\n1600,3,4\n", "map.txt line 2: 3 values, expected 2"},
        {"RPM,20,40\n800,1,2\n\n1600,3,4\n", "map.txt line 3: 0 values, expected 2"},
        {"RPM\t20\t30\t30\n800\t1\t2\t3\n1600\t3\t4\t5\n",
         "map.txt line 1 field 4: the column axis is not increasing (\"30\" after \"30\")"},
        {top + "800.0\t5\t6\n",
         "map.txt line 3 field 1: the row axis is not increasing (\"800.0\" after \"800\")"},
        {"RPM\t-1" + std::string(308, '0') + "\t1" + std::string(308, '0') + "\n1\t1\t2\n2\t3\t4\n",
         "map.txt line 1 field 3: the column axis steps beyond any number (\"1" +
             std::string(39, '0') + "\u2026\" after \"-1" + std::string(38, '0') + "\u2026\")"},
        {top + "1600\t2\r3\t4\n", "map.txt line 3 field 2: \"2\\r3\" is not a number"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(MessageOf(text), message) << message;
    // Numbers are -?digits(.digits)? and nothing else.
    for (const std::string& bad : std::vector<std::string>{"1.", ".5", "+1", "1e3", "0x1A", "- 1",
                                                           "inf", "1" + std::string(400, '0')})
        EXPECT_EQ(MessageOf(top + "1600\t" + bad + "\t4\n"),
                  "map.txt line 3 field 2: \"" + bad.substr(0, 40) +
                      (bad.size() > 40 ? "\u2026" : "") + "\" is not a number");
    EXPECT_EQ(std::get<MapError>(ParseFuelMap("", "standard input")).message,
              "standard input: the map is empty");
}

}  // namespace
}  // namespace grafolux

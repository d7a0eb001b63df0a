#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "settings/DefinitionPreferences.h"
#include "settings/TablePreferences.h"

namespace grafolux {
namespace {

using Texts = std::vector<std::string>;

// Whatever the file holds, the definitions read are a list that parses, in their order.
TEST(DefinitionsFrom, KeysInOrderToTheFirstGapWithoutFaultyOnes) {
    const struct {
        const char* name;
        std::map<std::string, std::string> values;
        Texts read;
    } rows[] = {
        {"in their order, to the first gap",
         {{"Items/Definition2", "B = A * 2"},
          {"Items/Definition1", "A = 1"},
          {"Items/Definition4", "D = 1"}},
         {"A = 1", "B = A * 2"}},
        {"not from 0", {{"Items/Definition0", "A=1"}}, {}},
        {"faulty ones left out",
         {{"Items/Definition1", "A=1+"}, {"Items/Definition2", "B=2"}},
         {"B=2"}},
        {"other groups ignored", {{"Table/Definition1", "A=1"}}, {}},
    };
    for (const auto& row : rows) EXPECT_EQ(DefinitionsFrom(row.values), row.read) << row.name;

    // At most kMaxDefinitions are read and written.
    std::map<std::string, std::string> many;
    Texts all;
    for (int n = 1; n <= kMaxDefinitions + 1; ++n) {
        const std::string number = std::to_string(n);
        (all.emplace_back("D") += number) += "=" + number;
        many[std::string("Items/Definition") += number] = all.back();
    }
    const Texts read = DefinitionsFrom(many);
    ASSERT_EQ(read.size(), size_t{kMaxDefinitions});
    EXPECT_EQ(read.back(), "D1000=1000");
    EXPECT_EQ(DefinitionsValues(all).size(), size_t{kMaxDefinitions});
}

// Written into Preferences.ini and read back, beside the Table menu's keys, which stay (a file
// that cannot be written is the table preferences' test: one writer serves both).
TEST(Definitions, RoundTripThroughPreferencesIniLeavingTheTableKeys) {
    QTemporaryDir dir;
    const std::string ini = PreferencesFilePath(dir.filePath("Grafolux.cfg").toStdString());
    EXPECT_EQ(LoadDefinitions(ini), Texts{});  // no file yet
    TablePreferences table;
    table.conditions = {{"dMAP", CompareOp::Less, 2}};
    ASSERT_TRUE(SaveTablePreferences(ini, table));

    // Commas, quotes and semicolons are what an ini file quotes or escapes.
    const Texts definitions = {"dMAP = abs(SENSOR:MAP - SENSOR:MAP[-1])",
                               "\"Air, fuel; ratio\" = 14.7 * SENSOR:O2 / 0.45",
                               "Lean = \"Air, fuel; ratio\" > 15"};
    ASSERT_TRUE(SaveDefinitions(ini, definitions));
    EXPECT_EQ(LoadDefinitions(ini), definitions);
    ASSERT_TRUE(SaveDefinitions(ini, {definitions[0]}));  // no stale definitions left behind
    EXPECT_EQ(LoadDefinitions(ini), Texts{definitions[0]});
    EXPECT_EQ(LoadTablePreferences(ini), table);
    ASSERT_TRUE(SaveTablePreferences(ini, {}));
    EXPECT_EQ(LoadDefinitions(ini), Texts{definitions[0]});
}

}  // namespace
}  // namespace grafolux

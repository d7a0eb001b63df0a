#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "settings/PreferencesFile.h"
#include "settings/RetunePreferences.h"
#include "settings/TablePreferences.h"

namespace grafolux {
namespace {

// What each text reads as: a value outside its domain keeps the default.
TEST(RetunePreferences, ReadEachKeyWithinItsDomain) {
    const RetunePreferences defaults;
    const std::string huge(400, '9');
    struct Case {
        const char* name;
        const char* key;
        const char* text;
        RetunePreferences expected;
    } cases[] = {
        {"a factor", "Factor", "SENSOR:O2", {"SENSOR:O2", {}}},
        {"an empty factor: the trims'", "Factor", "", defaults},
        {"nearest cells", "Cells", "nearest", {std::nullopt, {CellWeighting::Nearest, 5, 10}}},
        {"an unknown weighting", "Cells", "Nearest", defaults},
        {"a weight", "MinimumWeight", "2.5", {std::nullopt, {CellWeighting::Bilinear, 2.5, 10}}},
        {"a negative weight", "MinimumWeight", "-1", defaults},
        {"a weight beyond a double", "MinimumWeight", huge.c_str(), defaults},
        {"a change", "MaximumChange", "12.5", {std::nullopt, {CellWeighting::Bilinear, 5, 12.5}}},
        {"a change with text after it", "MaximumChange", "12%", defaults},
    };
    for (const Case& c : cases) {
        const RetunePreferences read =
            RetunePreferencesFrom({{std::string("Retune/") + c.key, c.text}});
        EXPECT_EQ(read, c.expected) << c.name;
        EXPECT_EQ(RetunePreferencesFrom(RetunePreferencesValues(read)), read) << c.name;
    }
}

// Through Preferences.ini, beside the table's group, which stays as it was.
TEST(RetunePreferences, RoundTripThroughTheFileBesideTheTablesGroup) {
    QTemporaryDir dir;
    const std::string ini = dir.filePath("Preferences.ini").toStdString();
    TablePreferences table;
    table.look.coloured = true;
    ASSERT_TRUE(SaveTablePreferences(ini, table));
    const RetunePreferences chosen{"F", {CellWeighting::Nearest, 0.25, 1e-3}};
    ASSERT_TRUE(SaveRetunePreferences(ini, chosen));
    EXPECT_EQ(LoadRetunePreferences(ini), chosen);
    EXPECT_EQ(LoadTablePreferences(ini), table);
    ASSERT_TRUE(SaveRetunePreferences(ini, {}));  // no stale factor left behind
    EXPECT_EQ(LoadRetunePreferences(ini), RetunePreferences());
}

}  // namespace
}  // namespace grafolux

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "settings/SettingsFile.h"
#include "settings/TablePreferences.h"

namespace grafolux {
namespace {

TablePreferences Chosen() {
    TablePreferences p;
    p.look = {{CellStatistic::StdDev, 12}, true};
    p.conditions = {{"MW2:7", CompareOp::Equal, 1},
                    {"SENSOR:CTS", CompareOp::GreaterEqual, 80.5},
                    {"SENSOR:TPS", CompareOp::NotEqual, -1e308}};
    return p;
}

// Written and read back through the file; Grafolux.cfg beside it is left alone.
TEST(TablePreferences, RoundTripThroughPreferencesIniBesideTheSettingsFile) {
    QTemporaryDir dir;
    const std::string cfg = dir.filePath("Grafolux.cfg").toStdString();
    const std::string ini = PreferencesFilePath(cfg);
    EXPECT_EQ(ini, dir.filePath("Preferences.ini").toStdString());
    EXPECT_EQ(LoadTablePreferences(ini), TablePreferences{});  // no file yet
    ASSERT_TRUE(SaveTablePreferences(ini, Chosen()));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(cfg)));
    TablePreferences read = LoadTablePreferences(ini);
    EXPECT_EQ(read.look, Chosen().look);
    ASSERT_EQ(read.conditions.size(), 3u);
    EXPECT_EQ(read.conditions[1], Chosen().conditions[1]);

    TablePreferences fewer = Chosen();
    fewer.conditions.resize(1);
    ASSERT_TRUE(SaveTablePreferences(ini, fewer));  // no stale filters left behind
    EXPECT_EQ(LoadTablePreferences(ini).conditions.size(), 1u);

    std::string error;
    std::ofstream(dir.filePath("file").toStdString()).close();  // a file where a folder should be
    EXPECT_FALSE(
        SaveTablePreferences(dir.filePath("file/Preferences.ini").toStdString(), Chosen(), &error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
}

// Whatever the file holds, each value is read or keeps its default.
TEST(TablePreferencesFrom, UnreadableValuesKeepTheirDefaults) {
    const struct {
        std::map<std::string, std::string> values;
        CellShow show;
        bool coloured;
        size_t conditions;
    } cases[] = {
        {{}, {}, false, 0},
        {{{"Table/Statistic", "count"}, {"Table/MinimumSamples", "3"}},
         {CellStatistic::Count, 3},
         false,
         0},
        {{{"Table/Statistic", "Mean "}, {"Table/MinimumSamples", "0"}}, {}, false, 0},
        {{{"Table/MinimumSamples", "-5"}, {"Table/Colour", "yes"}}, {}, false, 0},
        {{{"Table/MinimumSamples", "99999999999"}, {"Table/Colour", "true"}}, {}, true, 0},
        {{{"Table/MinimumSamples", "2x"}}, {}, false, 0},
        {{{"Table/Filter1", "A>1"}, {"Table/Filter2", "garbage"}, {"Table/Filter3", "B<2"}},
         {},
         false,
         2},
        {{{"Table/Filter2", "A>1"}}, {}, false, 0},  // the list starts at 1
    };
    for (const auto& c : cases) {
        const TablePreferences p = TablePreferencesFrom(c.values);
        EXPECT_EQ(p.look.show, c.show);
        EXPECT_EQ(p.look.coloured, c.coloured);
        EXPECT_EQ(p.conditions.size(), c.conditions);
    }
    EXPECT_EQ(TablePreferencesFrom(TablePreferencesValues(Chosen())), Chosen());
}

}  // namespace
}  // namespace grafolux

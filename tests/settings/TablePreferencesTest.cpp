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
    EXPECT_EQ(LoadTablePreferences(ini), Chosen());  // stale keys: the definitions' test

    std::string error;
    std::ofstream(dir.filePath("file").toStdString()).close();  // a file where a folder should be
    EXPECT_FALSE(
        SaveTablePreferences(dir.filePath("file/Preferences.ini").toStdString(), Chosen(), &error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
    // What each value outside its domain reads as: the fuzz target's checks, over its seeds.
    EXPECT_EQ(TablePreferencesFrom(TablePreferencesValues(Chosen())), Chosen());
}

}  // namespace
}  // namespace grafolux

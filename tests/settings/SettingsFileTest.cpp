#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <limits>

#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"
#include "support/FileSizeLimit.h"

namespace grafolux {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(FormatSettings, ExactBytesReadBackUnchanged) {
    const std::vector<std::string> recent = {"/logs/b.txt", "/logs/a.txt"};
    const std::string text = FormatSettings(recent, {-15, 300, 9000, 6000, 2});
    EXPECT_EQ(text,
              "<RecentlyOpened>\r\n/logs/b.txt\r\n/logs/a.txt\r\n</RecentlyOpened>\r\n"
              "WindowState=-15,300,9000,6000,2\r\n");
    EXPECT_EQ(ParseSettings(text).strRecent, recent);
    EXPECT_EQ(FormatSettings({}, {1, 2, 3, 4, 1}),
              "<RecentlyOpened>\r\n</RecentlyOpened>\r\nWindowState=1,2,3,4,0\r\n");

    const Settings read = ParseSettings(
        "<RecentlyOpened>\r\n \t/a b.txt \r\n\r\n/a b.txt\r\n</RecentlyOpened>\r\n"
        "WindowState=1.5,2.5,-3e1,x,1e20\r\n");
    EXPECT_EQ(read.strRecent, (std::vector<std::string>{"/a b.txt", "/a b.txt"}));
    const WindowState& w = read.window.value();
    EXPECT_EQ((std::vector<int32_t>{w.left, w.top, w.width, w.height, w.state}),
              (std::vector<int32_t>{2, 2, -30, 0, kMax}));
}

TEST(ClampToScreen, MovesInsideTheScreenWithoutOverflow) {
    const auto placed = [](WindowState saved) {
        const WindowState window = ClampToScreen(saved, 15000, 11000);
        return std::to_string(window.left) + "," + std::to_string(window.top);
    };
    EXPECT_EQ(placed({14000, 9000, 6000, 4000, 0}), "9000,7000");
    EXPECT_EQ(placed({-300, -1, 6000, 4000, 0}), "0,0");
    EXPECT_EQ(placed({kMax, kMax, kMax, kMax, 0}), "0,0");
    EXPECT_FALSE(HasArea({0, 0, 0, 100, 0}));
}

TEST(SaveSettingsFile, FullDiskOrBadPathLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const std::string target = dir.filePath("Grafolux.cfg").toStdString();
    const std::vector<std::string> many(200, "/a/long/path/of/a/log/file.txt");
    ASSERT_TRUE(SaveSettingsFile(target, {"/old.txt"}, {}));

    std::string error;
    const bool savedOnFullDisk = [&] {
        const FileSizeLimit limit(64);
        return SaveSettingsFile(target, many, {}, &error);
    }();
    EXPECT_FALSE(savedOnFullDisk);
    EXPECT_EQ(error, target + ": File too large");  // the system's reason
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no leftover

    EXPECT_FALSE(SaveSettingsFile(target + "/x", many, {}));
    EXPECT_FALSE(SaveSettingsFile(dir.path().toStdString(), many, {}));
    EXPECT_EQ(LoadSettingsFile(target).strRecent, std::vector<std::string>{"/old.txt"});
    EXPECT_FALSE(LoadSettingsFile(dir.path().toStdString()).window);
}

TEST(SettingsFilePath, CreatesFolderInConfigLocationAndSurvivesWhenItCannot) {
    QTemporaryDir dir;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    const auto pathUnder = [](const QString& config) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        return SettingsFilePath();
    };
    const QString config = dir.filePath("new/cfg");
    const std::string path = pathUnder(config);
    EXPECT_EQ(path, QFile::encodeName(config + "/Grafolux/Grafolux.cfg").toStdString());
    EXPECT_TRUE(SaveSettingsFile(path, {"/x.txt"}, {}));
    EXPECT_EQ(pathUnder(config), path);  // the folder exists by now
    // Under a file no folder can be made: start-up still gets a path, and finds no settings.
    EXPECT_TRUE(LoadSettingsFile(pathUnder(QString::fromStdString(path))).strRecent.empty());
    qputenv("XDG_CONFIG_HOME", previous);
}

}  // namespace
}  // namespace grafolux

// The scatter plot and the histogram end to end on the offscreen platform, against the built
// grafolux-cli.
#include "WindowFixture.h"
#include "settings/PlotPreferences.h"

using namespace grafolux;

namespace {

using PlotWindowTest = WindowFixture;

// The picture the window saves is the one its copied `export scatter` command draws, with a
// colour item, a filter, an included log and a log B; and the choice is kept for the next start.
TEST_F(PlotWindowTest, SavedScatterEqualsTheCopiedCommandsPicture) {
    StartWith();
    dialogs.fileLists.push_back({QString::fromStdString(WriteLog(dir, "other run.txt", 90))});
    Menu("IncludeLogs");
    dialogs.filterLists.push_back(QStringList{"SENSOR:MAP >= 40", "SENSOR:EGT < 900"});
    Menu("FilterSamples");
    Type("tbFirst", "11");
    dialogs.itemNames = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM"};
    Menu("ScatterPlot");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Scatter);
    dialogs.paths.push_back(QString::fromStdString(WriteLog(dir, "b run.txt", 70)));
    Menu("CompareWith");
    EXPECT_FALSE(Control<QAction>("CopyTable")->isEnabled());
    dialogs.paths.push_back(dir.filePath("window.png"));
    Menu("SavePng");
    CopiedCommandsOutput();
    EXPECT_TRUE(QApplication::clipboard()->text().contains("--versus"));
    const QImage saved(dir.filePath("window.png")), drawn(dir.filePath("scatter.png"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              drawn.convertToFormat(QImage::Format_RGB32));

    window.reset();
    Start();
    EXPECT_EQ(window->document().plotChoices().colour, "SENSOR:BLM");
    EXPECT_EQ(window->document().plotChoices().x, "SENSOR:RPM");
}

// Copy Table gives what the copied `histogram` command prints, for the current item, through a
// change of item and of the bins.
TEST_F(PlotWindowTest, HistogramTableEqualsTheCopiedCommandsOutput) {
    StartWith();
    Menu("Histogram");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Histogram);
    std::string table = CopiedTable();
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 20);
    EXPECT_EQ(CopiedCommandsOutput(), table);
    emit Control<QComboBox>("cbLabels")->activated(1);  // SENSOR:MAP, still a histogram
    EXPECT_EQ(window->document().viewMode(), ViewMode::Histogram);
    EXPECT_NE(CopiedTable(), table);
    dialogs.integers.push_back(7);
    Menu("HistogramBins");
    table = CopiedTable();
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 7);
    EXPECT_EQ(CopiedCommandsOutput(), table);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
}

}  // namespace

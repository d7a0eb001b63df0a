// The Table menu end to end on the offscreen platform, with scripted dialogs.

#include <QDir>
#include <QMenu>
#include <QMenuBar>

#include "WindowFixture.h"
#include "support/FileSizeLimit.h"

using namespace grafolux;

namespace {

class WindowTableTest : public WindowFixture {
protected:
    QAction* Action(const char* name) { return Control<QAction>(name); }
    QImage Canvas() { return window->area().pbGraphContents.image(); }
    std::string Cli(const QStringList& args) {
        return CliOutput(QStringList{"table", "blm"} + args);
    }
};

TEST_F(WindowTableTest, MenuChoicesChangeTheDrawnCellsAndMeanGivesTodaysTableBack) {
    Start();
    EXPECT_FALSE(window->menuBar()->actions()[1]->isEnabled());  // Table, after File
    EXPECT_EQ(window->menuBar()->actions()[1]->text(), "&Table");
    Open(WriteTrimLog(dir, "run1.txt", 300));
    EXPECT_TRUE(window->menuBar()->actions()[1]->isEnabled());
    EXPECT_FALSE(Action("CopyTable")->isEnabled());  // the graph is shown
    Click("bBLM");
    EXPECT_TRUE(Action("CopyTable")->isEnabled());
    const QImage plain = Canvas();
    EXPECT_EQ(window->area().lngLegendLines, 0);
    for (const char* choice :
         {"ShowCount", "ShowMinimum", "ShowMaximum", "ShowStdDev", "ColourCells"}) {
        Menu(choice);
        EXPECT_NE(Canvas(), plain) << choice;
        EXPECT_GT(window->area().lngLegendLines, 0) << choice;
        if (std::string(choice) != "ColourCells") {
            EXPECT_TRUE(Action(choice)->isChecked());
        }
    }
    Menu("ColourCells");
    Menu("ShowMean");
    EXPECT_EQ(Canvas(), plain);
    EXPECT_EQ(window->area().lngLegendLines, 0);

    // A cancel changes nothing (the copy test sets a minimum and compares with the command).
    dialogs.integers.push_back(std::nullopt);
    Menu("MinSamples");
    EXPECT_EQ(window->document().tableChoices().look.show.minCount, 1);
}

// Copy Table gives what grafolux-cli table prints for the same logs and settings, written out
// here and as Copy Command copies it (run by the shell), whatever the table shows: paths that
// need quoting, a range, included logs, filters (one that no log can test), minimum samples,
// each statistic, either table. Save Table As writes CSV, or the copied text for a .txt name.
TEST_F(WindowTableTest, CopyTableAndCopyCommandPrintWhatTheCommandLinePrints) {
    const QString first = QString::fromStdString(WriteTrimLog(dir, "run 1's.txt", 300)),
                  second = QString::fromStdString(WriteTrimLog(dir, "run2 (b).txt", 90, 5));
    StartWith(first.toStdString());
    EXPECT_FALSE(Action("CopyCommand")->isEnabled());  // the graph is shown
    Click("bBLM");
    EXPECT_TRUE(Action("CopyCommand")->isEnabled());
    const QStringList settings = {"--first", "20",      "--last",  "250",     "--min-count",
                                  "3",       "--where", "MW2:7=1", "--where", "SENSOR:INT<=131"};
    const struct {
        const char* what;
        std::function<void()> change;
        QStringList cli = {};  // the words after "table blm", where written out here
    } steps[] = {
        {"the plain table", [] {}, {first}},
        {"a range",
         [&] {
             Type("tbFirst", "20");
             Type("tbLast", "250.5");
         }},
        {"an included log",
         [&] {
             dialogs.fileLists.push_back({second});
             Menu("IncludeLogs");
         }},
        {"filters",
         [&] {
             dialogs.filterLists.push_back(
                 QStringList{"MW2:7 = 1", "SENSOR:INT<=131", "SENSOR:EGT<900"});
             Menu("FilterSamples");
         }},
        {"minimum samples",
         [&] {
             dialogs.integers.push_back(3);
             Menu("MinSamples");
         }},
        {"ShowCount", [&] { Menu("ShowCount"); }},
        {"ShowMinimum", [&] { Menu("ShowMinimum"); }},
        {"ShowMaximum", [&] { Menu("ShowMaximum"); }},
        {"ShowStdDev", [&] { Menu("ShowStdDev"); },
         QStringList{first, "--include", second, "--show", "sd"} + settings},
        {"ShowMean", [&] { Menu("ShowMean"); }},
        {"the INT table", [&] { Click("bINT"); }},
    };
    for (const auto& step : steps) {
        step.change();
        const std::string copied = CopiedTable();
        EXPECT_EQ(CopiedCommandsOutput(), copied) << step.what;
        if (!step.cli.isEmpty()) {
            EXPECT_EQ(copied, Cli(step.cli)) << step.what;
        }
    }
    EXPECT_EQ(window->document().includedLogs().size(), 1u);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();

    Click("bBLM");
    Menu("ShowCount");
    const QString csv = dir.filePath("table.csv"), text = dir.filePath("table.txt");
    for (const QString& name : {csv, text}) {
        dialogs.paths.push_back(name);
        Menu("SaveTable");
    }
    EXPECT_TRUE(ReadAll(csv).startsWith("RPM,20,30,40,50,60,70,80,90,100\r\n400,0,"));
    EXPECT_EQ(ReadAll(text).toStdString(), CopiedTable());
}

TEST_F(WindowTableTest, FiltersAreKeptForTheNextLogAndMissingItemsIgnored) {
    const std::string path = WriteTrimLog(dir, "run1.txt", 300);
    StartWith(path);
    Click("bBLM");
    dialogs.filterLists.push_back(QStringList{"MW2:7 = 1"});
    Menu("FilterSamples");
    EXPECT_EQ(dialogs.offeredItems.size(), 6);  // the log's items to choose from
    EXPECT_GT(window->area().lngLegendLines, 0);
    const std::string filtered = CopiedTable();
    window->close();
    window.reset();

    // The settings file keeps its two entries; the filters live beside it.
    const QByteArray settings = ReadAll(dir.filePath("Grafolux.cfg"));
    EXPECT_TRUE(settings.startsWith("<RecentlyOpened>\r\n")) << settings.toStdString();
    EXPECT_FALSE(settings.contains("MW2")) << settings.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("Preferences.ini")));

    Start();
    ASSERT_EQ(window->document().tableChoices().conditions.size(), 1u);
    Menu("FilterSamples");  // offered again
    EXPECT_EQ(dialogs.offeredFilters, QStringList{"MW2:7=1"});
    Open(path);
    Click("bBLM");
    EXPECT_EQ(CopiedTable(), filtered);

    // A log without the item: the condition is ignored, so every sample counts.
    const std::string other =
        WriteText("plain.txt", "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n800\t30\t120\r\n");
    Open(other);
    Click("bBLM");
    EXPECT_EQ(CopiedTable(), Cli({QString::fromStdString(other)}));
    EXPECT_GT(window->area().lngLegendLines, 0);  // the struck-out condition
}

// Include Other Logs starts in the shown log's folder (not that of a log that failed to open
// since); a log that fails is left out alone; the shown log counts twice, which the legend's
// tooltip says; a new Open drops them.
TEST_F(WindowTableTest, IncludedLogsFailAloneCountTwiceWhenShownAndGoWithANewOpen) {
    const std::string path = WriteTrimLog(dir, "run1.txt", 300);
    ASSERT_TRUE(QDir(dir.path()).mkdir("other"));
    StartWith(path);
    Open(WriteText("other/empty.txt", ""));
    Click("bBLM");
    const std::string once = CopiedTable();
    EXPECT_EQ(Control<QWidget>("pbLegend")->toolTip(), "");  // the plain table has no legend
    dialogs.messages.clear();
    dialogs.fileLists.push_back(
        {QString::fromStdString(path), dir.filePath("missing.txt"), dir.filePath("")});
    Menu("IncludeLogs");
    EXPECT_EQ(dialogs.initialPaths.back().toStdString(), dir.path().toStdString());
    EXPECT_EQ(window->document().includedLogs().size(), 1u);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("missing.txt: no such file"))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[0].contains("is a folder")) << dialogs.messages[0].toStdString();
    EXPECT_EQ(CopiedTable(), Cli({QString::fromStdString(path), QString::fromStdString(path)}));
    const QString tip = Control<QWidget>("pbLegend")->toolTip();
    EXPECT_TRUE(tip.contains("\nthe shown log: counts twice\n")) << tip.toStdString();
    EXPECT_TRUE(Action("OnlyThisLog")->isEnabled());
    Click("bData");
    EXPECT_EQ(Control<QWidget>("pbLegend")->toolTip(), "");

    Open(path);
    EXPECT_EQ(window->document().includedLogs().size(), 0u);
    Click("bBLM");
    EXPECT_EQ(CopiedTable(), once);
    EXPECT_FALSE(Action("OnlyThisLog")->isEnabled());
}

// New conditions load the included logs again, which cannot start inside another load: the
// filters wait for it.
TEST_F(WindowTableTest, FiltersCannotChangeWhileALogLoads) {
    const std::string path = WriteTrimLog(dir, "run1.txt", 300);
    StartWith(path);
    dialogs.fileLists.push_back({QString::fromStdString(path)});
    Menu("IncludeLogs");
    ASSERT_EQ(window->document().includedLogs().size(), 1u);
    dialogs.filterLists.push_back(QStringList{"MW2:7 = 1"});
    bool loading = false;
    OpenWhileLoading([&] {
        loading = Control<QWidget>("loadProgress")->isEnabled();
        Menu("FilterSamples");
    });
    ASSERT_TRUE(loading);
    EXPECT_EQ(dialogs.filterLists.size(), 1u);  // not asked
    EXPECT_TRUE(window->document().tableChoices().conditions.empty());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
}

TEST_F(WindowTableTest, FullDiskKeepsTheOldTableFileAndSaysWhy) {
    StartWith(WriteTrimLog(dir, "run1.txt", 300));
    Click("bBLM");
    const QString name = QString::fromStdString(WriteText("table.csv", "old"));
    dialogs.paths.push_back(name);
    {
        const FileSizeLimit full(16);
        Menu("SaveTable");
    }
    EXPECT_EQ(ReadAll(name), "old");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Save Table As|"))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[0].endsWith("File too large"))
        << dialogs.messages[0].toStdString();
}

// Once Enter, a view button or a click on the drawing area has left a range box, and also in a
// box with nothing selected, Ctrl+C and Ctrl+V as typed act on the view: the table is copied, a
// map pasted into the retune view and not into the box.
TEST_F(WindowTableTest, CopyAndPasteKeysActOnTheViewOnceARangeBoxIsLeft) {
    StartWith(WriteTrimLog(dir, "run1.txt", 300));
    Click("bBLM");
    const QString table = QString::fromStdString(CopiedTable());
    auto* last = Control<QLineEdit>("tbLast");
    const auto type = [&](const char* text) {
        last->setFocus();
        last->selectAll();
        QTest::keyClicks(last, text);
        last->selectAll();
    };
    const auto keys = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    };
    const struct {
        const char* leave;
        std::function<void()> act;
    } rows[] = {
        {"Enter", [&] { QTest::keyClick(last, Qt::Key_Return); }},
        {"a view button", [&] { Click("bBLM"); }},
        {"the canvas",
         [&] { QTest::mouseClick(Control<QWidget>("pbGraphContents"), Qt::LeftButton); }},
        {"the legend", [&] { QTest::mouseClick(Control<QWidget>("pbLegend"), Qt::LeftButton); }},
        {"nothing, nothing selected", [&] { last->deselect(); }},
    };
    for (const auto& row : rows) {
        type("300");
        row.act();
        QApplication::clipboard()->setText("old");
        keys(Qt::Key_C);
        EXPECT_EQ(QApplication::clipboard()->text(), table) << row.leave;
    }
    Menu("RetuneMap");
    type("150");
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_EQ(window->document().lastText(), "150");
    QApplication::clipboard()->setText("RPM\t20\t40\n1000\t1\t2\n2000\t3\t4\n");
    keys(Qt::Key_V);
    EXPECT_TRUE(window->document().retuneMap().has_value());
    EXPECT_EQ(last->text(), "150");
}

}  // namespace

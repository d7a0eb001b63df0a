// The retune view end to end on the offscreen platform, with scripted dialogs: its new map,
// command and file against the built grafolux-cli.

#include <QMimeData>

#include "WindowFixture.h"

using namespace grafolux;

namespace {

const char kMap[] =
    "RPM\\kPa\t20\t40\t60\t80\n1000\t40.0\t50.0\t60.0\t70.0\n2000\t45.0\t55.0\t65.0\t75.0\n"
    "3000\t50.0\t60.0\t70.0\t80.0\n";

class RetuneWindowTest : public WindowFixture {
protected:
    void Paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        Menu("PasteMap");
    }
    std::string Clipboard() { return QApplication::clipboard()->text().toStdString(); }
    std::string CopiedNewMap() {
        QApplication::clipboard()->clear();
        Menu("CopyNewMap");
        return Clipboard();
    }
    std::string Cli(const QStringList& args) {
        return CliOutput(QStringList{"retune", "--map", "-"} + args, kMap);
    }
    QString Messages() const { return dialogs.messages.join('\n'); }
};

// Copy New Map gives what grafolux-cli retune prints for the same logs and settings, and Copy
// Command the command that prints it, through every setting of the view and the tables.
TEST_F(RetuneWindowTest, CopyNewMapEqualsTheCommandLinesOutputForEverySetting) {
    const QString first = QString::fromStdString(WriteTrimLog(dir, "run 1's.txt", 400)),
                  second = QString::fromStdString(WriteTrimLog(dir, "run2.txt", 150, 9)),
                  mapFile = dir.filePath("ve map.txt");
    WriteBytes(mapFile.toStdString(), kMap);
    StartWith(first.toStdString());
    EXPECT_FALSE(Control<QAction>("CopyNewMap")->isEnabled());
    Menu("RetuneMap");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Retune);
    EXPECT_FALSE(Control<QAction>("CopyNewMap")->isEnabled());  // no map yet
    Paste(kMap);
    EXPECT_TRUE(Control<QAction>("CopyNewMap")->isEnabled());
    EXPECT_FALSE(Control<QAction>("CopyTable")->isEnabled());
    EXPECT_EQ(CopiedNewMap(), Cli({first}));

    std::string before = CopiedNewMap();
    const struct {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"a range",
         [&] {
             Type("tbFirst", "20");
             Type("tbLast", "350");
         }},
        {"an included log",
         [&] {
             dialogs.fileLists.push_back({second});
             Menu("IncludeLogs");
         }},
        {"filters, one that no log can test",
         [&] {
             dialogs.filterLists.push_back(
                 QStringList{"SENSOR:CTS >= 80", "MW2:7 = 1", "SENSOR:EGT<900"});
             Menu("FilterSamples");
         }},
        {"a minimum weight",
         [&] {
             dialogs.numbers.push_back("2.5");
             Menu("MinWeight");
         }},
        {"a largest change",
         [&] {
             dialogs.numbers.push_back("1.25");
             Menu("MaxChange");
         }},
        {"nearest cells", [&] { Menu("NearestCells"); }},
        {"a factor",
         [&] {
             dialogs.itemNames.push_back("SENSOR:BLM");
             Menu("RetuneFactor");
         }},
    };
    for (const auto& step : steps) {
        step.change();
        const std::string copied = CopiedNewMap();
        EXPECT_NE(copied, before) << step.what;
        EXPECT_EQ(CopiedCommandsOutput(), copied) << step.what;
        before = copied;
    }
    EXPECT_EQ(before,
              Cli({first, "--first", "20", "--last", "350", "--include", second, "--where",
                   "SENSOR:CTS>=80", "--where", "MW2:7=1", "--min-weight", "2.5", "--max-change",
                   "1.25", "--cells", "nearest", "--factor", "SENSOR:BLM"}));

    // A map opened from a file is named in the command.
    dialogs.paths.push_back(mapFile);
    Menu("OpenMap");
    Menu("CopyCommand");
    EXPECT_NE(Clipboard().find("--map '" + mapFile.toStdString() + "'"), std::string::npos)
        << Clipboard();
    EXPECT_EQ(CopiedCommandsOutput(), before);

    // Saved as the copied text for a .txt name, else as CSV.
    const QString text = dir.filePath("new.txt"), csv = dir.filePath("new.csv");
    for (const QString& name : {text, csv}) {
        dialogs.paths.push_back(name);
        Menu("SaveNewMap");
    }
    EXPECT_EQ(ReadAll(text).toStdString(), before);
    EXPECT_TRUE(ReadAll(csv).startsWith("RPM\\kPa,20,40,60,80\r\n1000,")) << ReadAll(csv).data();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().toStdString();
}

// A clipboard without text, a map that does not read, a log without the factor's item: each
// says why, and the shown map stays.
TEST_F(RetuneWindowTest, FailuresSayWhyAndKeepTheShownMap) {
    const QString log = QString::fromStdString(WriteTrimLog(dir, "run1.txt", 200));
    StartWith(log.toStdString());
    Paste(kMap);
    EXPECT_EQ(window->document().viewMode(), ViewMode::Retune);  // pasting shows the view
    const std::string shown = CopiedNewMap();
    const struct {
        const char* what;
        std::function<void()> act;
        QString message;
    } cases[] = {
        {"an image only",
         [&] {
             auto* data = new QMimeData;
             data->setImageData(QImage(2, 2, QImage::Format_RGB32));
             QApplication::clipboard()->setMimeData(data);
             QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
         },
         "Paste Map|The clipboard holds no text"},
        {"a field that is no number", [&] { Paste("RPM\t20\t40\n1000\t1\t2\n2000\t3\tx\n"); },
         "Retune Map|The map could not be read:\nThe pasted map line 3 field 3: \"x\" is not a "
         "number"},
        {"a factor the log lacks",
         [&] {
             dialogs.itemNames.push_back("SENSOR:O2");
             Menu("RetuneFactor");
             Menu("CopyNewMap");
         },
         "Copy New Map|No retune: run1.txt has no item named SENSOR:O2."},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        c.act();
        ASSERT_EQ(dialogs.messages.size(), 1) << c.what << Messages().toStdString();
        EXPECT_TRUE(dialogs.messages[0].startsWith(c.message)) << dialogs.messages[0].toStdString();
    }
    dialogs.itemNames.push_back("");  // back to the trims
    Menu("RetuneFactor");
    EXPECT_EQ(CopiedNewMap(), shown);
}

// A double-click on a cell with samples shows the graph with them marked; an empty cell and the
// label strip do nothing.
TEST_F(RetuneWindowTest, DoubleClickOnACellMarksItsSamplesOnTheGraph) {
    StartWith(WriteTrimLog(dir, "run1.txt", 200));
    // The columns 20 … 35 kPa and 200 … 300 kPa: the second holds no sample.
    Paste("RPM\t20\t35\t200\t300\n1000\t1\t1\t1\t1\n9000\t1\t1\t1\t1\n");
    QWidget* canvas = Control<QWidget>("pbGraphContents");
    const int h = canvas->height() - 20;  // the label strip under the cells
    const auto click = [&](int x, int y) {
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(x, y));
    };
    click(canvas->width() * 7 / 8, h / 4);  // 9000 rpm, 300 kPa: no sample
    EXPECT_EQ(window->document().viewMode(), ViewMode::Retune);
    click(canvas->width() / 8, h + 10);
    EXPECT_EQ(window->document().viewMode(), ViewMode::Retune);
    click(canvas->width() / 8, h * 3 / 4);  // 1000 rpm, 20 kPa
    EXPECT_EQ(window->document().viewMode(), ViewMode::Graph);
    EXPECT_TRUE(Control<QAction>("ClearCellMarks")->isEnabled());
}

}  // namespace

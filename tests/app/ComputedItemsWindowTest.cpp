// Computed items and Find in the window, end to end on the offscreen platform with scripted
// dialogs.

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "WindowFixture.h"
#include "app/DefinitionsDialog.h"

namespace grafolux {
namespace {

// Missing where MAP is 25: samples 6, 86 and 166 of WriteLog's.
const QString kR = "R = 100 / (SENSOR:MAP - 25)";
constexpr int32_t kGap = 86;

class ComputedItemsWindowTest : public WindowFixture {
protected:
    const DisplayColors colors;
    std::string log;

    void Load() {
        log = WriteLog(dir, "run.txt", 200);
        StartWith(log);
    }
    void Define(const QStringList& definitions) {
        dialogs.definitionLists.push_back(definitions);
        Menu("ComputedItems");
    }
    QComboBox* List() { return Control<QComboBox>("cbLabels"); }
    void Show(int item) { emit List()->activated(item - 1); }
    bool ColumnHolds(int x, Colour colour) {
        const QImage& image = window->area().pbGraphContents.image();
        for (int y = 0; y < image.height(); ++y)
            if (FromQColor(image.pixelColor(x, y)) == colour) return true;
        return false;
    }
};

// Listed after the log's items, drawn current or locked with no line to or from the missing
// sample, read as "—" there; a new list keeps the lock and the current item by name.
TEST_F(ComputedItemsWindowTest, AComputedItemIsDrawnLockedAndReadWithItsGap) {
    Load();
    Define({kR});
    EXPECT_EQ(List()->itemText(4), "R");
    // The window's check reaches the dialog (its messages are CheckDefinitions' test); a list
    // with a fault of the text is not taken.
    Define({"X = (", "K = SENSOR:KNOCK"});
    ASSERT_EQ(dialogs.definitionProblems.size(), 2u);
    EXPECT_TRUE(dialogs.definitionProblems[0].fault);
    EXPECT_FALSE(dialogs.definitionProblems[1].fault ||
                 dialogs.definitionProblems[1].message.isEmpty());
    EXPECT_EQ(List()->itemText(4), "R");
    const struct {
        const char* name;
        int current;  // R, or SENSOR:BLM with R locked
        Colour colour;
    } rows[] = {{"current", 5, RGB(255, 0, 0)}, {"locked", 3, colors.lngItemColor}};
    for (const auto& row : rows) {
        if (row.current != 5) Click("chkDisplay");
        Show(row.current);
        for (int x = ColumnOf(kGap - 1) + 1; x < ColumnOf(kGap + 1); ++x)
            EXPECT_FALSE(ColumnHolds(x, row.colour)) << row.name << ", column " << x;
        // Beside the gap, R's lowest value lies on the axis: two samples further.
        EXPECT_TRUE(ColumnHolds(ColumnOf(kGap - 3), row.colour)) << row.name;
        EXPECT_TRUE(ColumnHolds(ColumnOf(kGap + 3), row.colour)) << row.name;
    }
    auto* canvas = Control<QWidget>("pbGraphContents");
    const QPoint at(ColumnOf(kGap), 40);
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, {}, {});
    QApplication::sendEvent(canvas, &move);
    EXPECT_EQ(Rows().value(2), "R " + QString(QChar(0x2014)));

    Define({"First = 1", kR});
    EXPECT_TRUE(window->document().log().udtItems[6].blnLocked);
    EXPECT_EQ(List()->currentText(), "SENSOR:BLM");
    Show(6);
    Define({"Second = 2", "First = 1", kR});
    EXPECT_EQ(List()->currentText(), "R");
    Define({"Second = 2"});
    EXPECT_EQ(List()->currentText(), "SENSOR:RPM");  // R gone
}

// A filter's condition names a computed item, a missing value failing it: the window's table
// is the command line's, and the copied command carries the definition.
TEST_F(ComputedItemsWindowTest, AFilterOnAComputedItemChangesTheTable) {
    Load();
    Define({kR});
    Click("bBLM");
    const std::string plain = CopiedTable();
    dialogs.filterLists.push_back(QStringList{"R != 0"});
    Menu("FilterSamples");
    EXPECT_TRUE(dialogs.offeredItems.contains("R"));
    const std::string filtered = CopiedTable();
    EXPECT_NE(filtered, plain);
    EXPECT_EQ(CopiedCommandsOutput(), filtered);
}

// From run to run within the range, scrolled into view, counted in the readout, saying so at
// the range's ends; found again for a new range; marked in pink along the bottom edge.
TEST_F(ComputedItemsWindowTest, FindNextAndPreviousStopAtTheRangesEnds) {
    Load();
    Type("tbFirst", "2");
    Type("tbLast", "162");
    Click("bZoomIn");
    Click("bZoomIn");
    // MAP < 23 in samples 1-3, 81-83 and 161-163: cut to 2-3 and 161-162 by the range.
    dialogs.findConditions.push_back("SENSOR:MAP < 23");
    Menu("Find");  // and the first run at once
    const QString after = "No run of \"SENSOR:MAP < 23\" after sample 161";
    const QString before = "No run of \"SENSOR:MAP < 23\" before sample 2";
    const struct {
        const char* action;
        int32_t cursor;
        int run;
        QString notice;
    } rows[] = {
        {"", 2, 1, ""},
        {"FindNext", 81, 2, ""},
        {"FindNext", 161, 3, ""},
        {"FindNext", 161, 3, after},
        {"FindPrevious", 81, 2, ""},
        {"FindPrevious", 2, 1, ""},
        {"FindPrevious", 2, 1, before},
    };
    auto* overlay = Control<GraphOverlay>("GraphOverlay");
    for (const auto& row : rows) {
        if (*row.action) Menu(row.action);
        EXPECT_EQ(Rows().value(0), QString("Sample %1").arg(row.cursor)) << row.action;
        EXPECT_EQ(Rows().last(), QString("Find run %1 of 3").arg(row.run)) << row.action;
        EXPECT_EQ(overlay->notice(), row.notice) << row.action;
        const int x = ColumnOf(row.cursor) + window->area().pbGraphContents.leftPx();
        EXPECT_TRUE(x >= 0 && x < overlay->width()) << row.action;
    }
    Type("tbLast", "100");
    EXPECT_EQ(Rows().last(), "Find run 1 of 2");
    EXPECT_EQ(overlay->notice(), "");
    const QImage seen = overlay->parentWidget()->grab().toImage();
    const int x = ColumnOf(3) + window->area().pbGraphContents.leftPx();  // beside the cursor
    EXPECT_EQ(FromQColor(seen.pixelColor(x, seen.height() - 2)), colors.lngFindMarkColor);

    dialogs.findConditions.push_back("SENSOR:MAP > 1000");
    Menu("Find");
    EXPECT_EQ(overlay->notice(),
              QString::fromUtf8("\"SENSOR:MAP > 1000\" not found in samples 2\u2013100"));
    dialogs.findConditions.push_back("");  // ends the Find
    Menu("Find");
    EXPECT_EQ(overlay->notice(), "");
    EXPECT_FALSE(Rows().last().startsWith("Find"));
}

// What a Find says leaves the sample labels under the plot as drawn, and goes with the next
// change of view, also to a view where the condition still has no run.
TEST_F(ComputedItemsWindowTest, FindsMessageKeepsOffTheLabelsAndGoesWithTheNextView) {
    Load();
    Click("bZoomIn");
    auto* overlay = Control<GraphOverlay>("GraphOverlay");
    const struct {
        const char* change;
        std::function<void()> act;
    } rows[] = {
        {"scroll", [&] { Control<QScrollBar>("hsbGraph")->setValue(100); }},
        {"zoom", [&] { Click("bZoomIn"); }},
        {"range", [&] { Type("tbLast", "150"); }},
        {"item", [&] { Click("bNext"); }},
        {"view", [&] { Click("bBLM"); }},
    };
    for (const auto& row : rows) {
        dialogs.findConditions.push_back("SENSOR:MAP > 1000");
        Menu("Find");
        ASSERT_FALSE(overlay->notice().isEmpty());
        const QImage seen = overlay->parentWidget()->grab().toImage();
        const QImage& canvas = window->area().pbGraphContents.image();
        const int left = window->area().pbGraphContents.leftPx();
        for (int y = seen.height() - 20; y < seen.height() - 4; ++y)
            for (int x = 0; x < 200; ++x)
                ASSERT_EQ(seen.pixel(x, y), canvas.pixel(x - left, y)) << row.change << y;
        row.act();
        EXPECT_EQ(overlay->notice(), "") << row.change;
        Click("bData");
    }
}

TEST_F(ComputedItemsWindowTest, DefinitionsAreKeptAcrossARestart) {
    Load();
    Define({kR, "Half = SENSOR:RPM / 2"});
    window->close();
    window.reset();
    StartWith(WriteLog(dir, "next.txt", 10));
    EXPECT_EQ(List()->itemText(5), "Half");
    EXPECT_EQ(window->document().log().sample(6, 2), 420);
}

// Each line's problem listed with its number as it is typed, OK only without a fault of the
// text; a double-click writes a name as the language reads it.
TEST(DefinitionsDialog, ProblemsShownAsTyped) {
    const DefinitionsCheck check = [](const QStringList& lines) {
        std::vector<DefinitionProblem> problems;
        for (const QString& line : lines)
            problems.push_back({line.startsWith("K") ? "no KNOCK" : "", line.startsWith("K:")});
        return problems;
    };
    DefinitionsDialog dialog({"A = 1"}, {"Item - 2"}, check, nullptr);
    auto* text = dialog.findChild<QPlainTextEdit*>("definitionText");
    auto* problems = dialog.findChild<QListWidget*>("definitionProblems");
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    text->setPlainText("A = 1\n\nK = 1\nK: = 2");
    EXPECT_EQ(problems->count(), 2);
    EXPECT_EQ(problems->item(0)->text(), "Line 3, unavailable for this log: no KNOCK");
    EXPECT_EQ(problems->item(1)->text(), "Line 4: no KNOCK");
    EXPECT_FALSE(ok->isEnabled());
    text->setPlainText("K = ");
    EXPECT_TRUE(ok->isEnabled());
    text->moveCursor(QTextCursor::End);
    auto* items = dialog.findChild<QListWidget*>("definitionItems");
    items->setCurrentRow(0);
    emit items->itemDoubleClicked(items->item(0));
    EXPECT_EQ(dialog.definitions(), QStringList({"K = \"Item - 2\""}));
}

}  // namespace
}  // namespace grafolux

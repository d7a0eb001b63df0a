// Computed items and Find in the window, end to end on the offscreen platform with scripted
// dialogs: the items listed and drawn with their gaps, the readout, a filter and the tables,
// Find's runs at the range's ends, the definitions kept, and the dialogs' checks as typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>

#include "WindowFixture.h"
#include "app/DefinitionsDialog.h"
#include "app/FindDialog.h"
#include "app/GraphOverlay.h"
#include "graph/GraphDrawing.h"
#include "support/RunProgram.h"

namespace grafolux {
namespace {

// R = 100 / (SENSOR:MAP - 25) is missing where MAP is 25: samples 6, 86 and 166.
const QString kR = "R = 100 / (SENSOR:MAP - 25)";
constexpr int kLines = 200;
constexpr int32_t kGap = 86;

class ComputedItemsWindowTest : public WindowFixture {
protected:
    const DisplayColors colors;
    QWidget* canvas = nullptr;
    GraphOverlay* overlay = nullptr;
    std::string log;

    void Load() {
        Start();
        QApplication::setActiveWindow(window.get());
        log = WriteLog(dir, "run.txt", kLines);
        Open(log);
        canvas = Control<QWidget>("pbGraphContents");
        overlay = Control<GraphOverlay>("GraphOverlay");
    }
    void Define(const QStringList& definitions) {
        dialogs.definitionLists.push_back(definitions);
        Menu("Computed Items");
    }
    QStringList Items() {
        auto* list = Control<QComboBox>("cbLabels");
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }
    void Show(int item) {
        auto* list = Control<QComboBox>("cbLabels");
        list->setCurrentIndex(item - 1);
        emit list->activated(item - 1);
    }
    // Where the graph now shown puts a sample.
    int ColumnOf(int32_t sample) {
        DrawingArea aside;
        aside.pbGraph.SetSize(window->area().pbGraph.Width(), window->area().pbGraph.Height());
        const GraphResult drawn =
            DrawGraph(aside, window->log(),
                      {Control<QComboBox>("cbLabels")->currentIndex() + 1,
                       Control<QLineEdit>("tbFirst")->text().toDouble(),
                       Control<QLineEdit>("tbLast")->text().toDouble(), window->zoom(), 0},
                      colors);
        return drawn.axis->ColumnOfSample(sample, window->area().pbGraphContents.image().width());
    }
    // Whether canvas column x holds `colour`.
    bool Holds(int x, Colour colour) {
        const QImage& image = window->area().pbGraphContents.image();
        for (int y = 0; y < image.height(); ++y)
            if (FromQColor(image.pixelColor(x, y)) == colour) return true;
        return false;
    }
    void MoveTo(int32_t sample) {
        const QPoint at(ColumnOf(sample), 40);
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         {});
        QApplication::sendEvent(canvas, &move);
    }
    QStringList Rows() const {
        QStringList rows;
        for (const ReadoutRow& row : overlay->readoutRows()) rows << row.cells.join(' ');
        return rows;
    }
};

// Listed after the log's items and drawn as the current item or locked, in its colour, with no
// line to or from the missing sample; the readout says "—" there.
TEST_F(ComputedItemsWindowTest, AComputedItemIsDrawnAndLockedWithAGapWhereItIsMissing) {
    Load();
    Define({kR});
    EXPECT_EQ(Items(), QStringList({"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM", "SENSOR:INT", "R"}));
    const struct {
        const char* name;
        int current;  // R itself, or SENSOR:BLM with R locked
        Colour colour;
    } rows[] = {{"current", 5, RGB(255, 0, 0)}, {"locked", 3, colors.lngItemColor}};
    for (const auto& row : rows) {
        if (row.current != 5) {
            Click("chkDisplay");  // R, current, locked
            Show(row.current);
        } else {
            Show(5);
        }
        const int before = ColumnOf(kGap - 1), after = ColumnOf(kGap + 1);
        ASSERT_GT(after - before, 2) << row.name;
        for (int x = before + 1; x < after; ++x)
            EXPECT_FALSE(Holds(x, row.colour)) << row.name << ", column " << x;
        // On both sides of the gap (beside it, R's lowest value lies on the axis).
        EXPECT_TRUE(Holds(ColumnOf(kGap - 3), row.colour)) << row.name;
        EXPECT_TRUE(Holds(ColumnOf(kGap + 3), row.colour)) << row.name;
    }
    EXPECT_TRUE(window->log().udtItems[5].blnLocked);

    MoveTo(kGap);
    const QString none = QString(QChar(0x2014));
    EXPECT_EQ(Rows(), QStringList({"Sample 86", "SENSOR:BLM " + QString::number(120 + 85 % 16),
                                   "R " + none}));
    MoveTo(kGap + 1);
    EXPECT_EQ(Rows().value(2), "R 100");

    // A new list keeps R's lock, and the current item, logged or computed, by its name.
    Define({"First = SENSOR:RPM / 100", kR});
    EXPECT_EQ(Items().mid(4), QStringList({"First", "R"}));
    EXPECT_TRUE(window->log().udtItems[6].blnLocked);
    EXPECT_EQ(Control<QComboBox>("cbLabels")->currentText(), "SENSOR:BLM");
    Show(6);
    Define({"Second = 2", "First = SENSOR:RPM / 100", kR});
    EXPECT_EQ(Control<QComboBox>("cbLabels")->currentText(), "R");
    Define({"Second = 2"});
    EXPECT_EQ(Control<QComboBox>("cbLabels")->currentText(), "SENSOR:RPM");  // R gone
}

// The window's own check: a fault of the text blocks the list, an item the log lacks makes a
// definition unavailable with its reason while the others become items.
TEST_F(ComputedItemsWindowTest, AnUnavailableDefinitionIsListedWithItsReason) {
    Load();
    Define({"K = SENSOR:KNOCK * 2", kR, "L = K + 1"});
    const std::vector<DefinitionProblem> problems = {
        {R"m("K = SENSOR:KNOCK * 2": column 5: the log has no item "SENSOR:KNOCK")m", false},
        {},
        {R"m("L = K + 1": column 5: "K" is unavailable for this log)m", false}};
    EXPECT_EQ(dialogs.definitionProblems, problems);
    EXPECT_EQ(Items().mid(4), QStringList({"R"}));

    const std::vector<DefinitionProblem> fault = {
        {R"m("X = (": column 6: operand expected)m", true}};
    EXPECT_EQ(dialogs.definitionsCheck({"X = ("}), fault);
    Define({"X = ("});  // a list with a fault is not taken
    EXPECT_EQ(Items().mid(4), QStringList({"R"}));
    EXPECT_EQ(dialogs.offeredDefinitionItems.mid(4), QStringList({"R"}));  // to choose from
}

// Conditions of the sample filter name computed items, in the window's table as on the command
// line; a missing value fails the condition.
TEST_F(ComputedItemsWindowTest, AFilterOnAComputedItemChangesTheTable) {
    Load();
    Define({"dMAP = SENSOR:MAP - SENSOR:MAP[-1]", kR});
    EXPECT_EQ(dialogs.offeredItems.size(), 0);
    Click("bBLM");
    Menu("Copy Table");
    const QString plain = QApplication::clipboard()->text();
    for (const char* condition : {"dMAP < 0", "R != 0"}) {
        dialogs.filterLists.push_back(QStringList{condition});
        Menu("Filter Samples");
        EXPECT_TRUE(dialogs.offeredItems.contains("dMAP"));
        Menu("Copy Table");
        const QString filtered = QApplication::clipboard()->text();
        EXPECT_NE(filtered, plain) << condition;
        const ProgramRun cli =
            RunProgram(GRAFOLUX_CLI, {"table", "blm", QString::fromStdString(log), "--define",
                                      "dMAP = SENSOR:MAP - SENSOR:MAP[-1]", "--define", kR,
                                      "--where", condition});
        EXPECT_EQ(filtered.toStdString(), cli.out) << condition << cli.err;
    }
}

// Find Next and Previous go from run to run within the range and say so at its ends; the
// runs are marked along the bottom edge and counted in the readout.
TEST_F(ComputedItemsWindowTest, FindNextAndPreviousStopAtTheRangesEnds) {
    Load();
    Type("tbFirst", "2");
    Type("tbLast", "162");
    Click("bZoomIn");
    Click("bZoomIn");
    // MAP < 23 in samples 1-3, 81-83 and 161-163: cut to 2-3 and 161-162 by the range.
    dialogs.findConditions.push_back("SENSOR:MAP < 23");
    Menu("Find");  // and the first run at once
    const QString lastSample = "No run of \"SENSOR:MAP < 23\" after sample 161";
    const QString firstSample = "No run of \"SENSOR:MAP < 23\" before sample 2";
    const struct {
        const char* action;
        int32_t cursor;
        const char* status;
        QString notice;
    } rows[] = {
        {"", 2, "run 1 of 3", ""},
        {"Find Next", 81, "run 2 of 3", ""},
        {"Find Next", 161, "run 3 of 3", ""},
        {"Find Next", 161, "run 3 of 3", lastSample},
        {"Find Previous", 81, "run 2 of 3", ""},
        {"Find Previous", 2, "run 1 of 3", ""},
        {"Find Previous", 2, "run 1 of 3", firstSample},
    };
    for (const auto& row : rows) {
        if (*row.action) Menu(row.action);
        const QStringList rows = Rows();
        EXPECT_EQ(rows.value(0), "Sample " + QString::number(row.cursor)) << row.action;
        EXPECT_EQ(rows.value(rows.size() - 1), QString("Find ") + row.status) << row.action;
        EXPECT_EQ(overlay->notice(), row.notice) << row.action;
        // In view: the canvas scrolled to the cursor's column.
        const int x = ColumnOf(row.cursor) + window->area().pbGraphContents.leftPx();
        EXPECT_TRUE(x >= 0 && x < window->area().pbGraphContainer.Width() / 15) << row.action;
    }
    // A new range: the runs found again within it.
    Type("tbLast", "100");
    EXPECT_EQ(Rows().value(Rows().size() - 1), "Find run 1 of 2");
    EXPECT_EQ(overlay->notice(), "");
    Type("tbLast", "162");

    // The runs' marks: pink in the strip above the bottom edge's cell marks.
    const QImage seen = Control<QWidget>("pbGraphContainer")->grab().toImage();
    const int x = ColumnOf(81) + window->area().pbGraphContents.leftPx();
    EXPECT_EQ(FromQColor(seen.pixelColor(x, seen.height() - 6)), colors.lngFindMarkColor);

    dialogs.findConditions.push_back("SENSOR:MAP > 1000");
    Menu("Find");
    EXPECT_EQ(overlay->notice(), QString::fromUtf8("\"SENSOR:MAP > 1000\" not found in samples "
                                                   "2\u2013162"));
    dialogs.findConditions.push_back("");  // ends the Find
    Menu("Find");
    EXPECT_EQ(overlay->notice(), "");
    EXPECT_FALSE(Rows().join('|').contains("Find"));
}

// Saved beside the settings, and applied to the next log after a restart.
TEST_F(ComputedItemsWindowTest, DefinitionsAreKeptAcrossARestart) {
    Load();
    Define({kR, "Half = SENSOR:RPM / 2"});
    window->close();
    window.reset();
    Start();
    Open(WriteLog(dir, "next.txt", 10));
    EXPECT_EQ(Items().mid(4), QStringList({"R", "Half"}));
    EXPECT_EQ(window->log().sample(6, 2), 420);
    dialogs.definitionLists.push_back(std::nullopt);  // a look, then Cancel
    Menu("Computed Items");
    EXPECT_EQ(dialogs.offeredDefinitions, QStringList({kR, "Half = SENSOR:RPM / 2"}));
}

// The dialogs check as the user types: each line's problem listed with its number, OK only
// without a fault of the text; Find's condition the same way.
TEST(ComputedItemsDialogs, ProblemsShownAsTyped) {
    const DefinitionsCheck check = [](const QStringList& lines) {
        std::vector<DefinitionProblem> problems;
        for (const QString& line : lines)
            problems.push_back(line.startsWith("bad") ? DefinitionProblem{"broken", true}
                               : line.startsWith("K") ? DefinitionProblem{"no KNOCK", false}
                                                      : DefinitionProblem{});
        return problems;
    };
    DefinitionsDialog dialog({"A = 1"}, {"SENSOR:MAP", "Item - 2"}, check, nullptr);
    auto* text = dialog.findChild<QPlainTextEdit*>("definitionText");
    auto* problems = dialog.findChild<QListWidget*>("definitionProblems");
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    const struct {
        const char* text;
        QStringList problems;
        bool ok;
    } rows[] = {
        {"A = 1", {}, true},
        {"A = 1\n\nK = KNOCK", {"Line 3, unavailable for this log: no KNOCK"}, true},
        {"bad\nK = 1\n", {"Line 1: broken", "Line 2, unavailable for this log: no KNOCK"}, false},
    };
    for (const auto& row : rows) {
        text->setPlainText(row.text);
        QStringList shown;
        for (int i = 0; i < problems->count(); ++i) shown << problems->item(i)->text();
        EXPECT_EQ(shown, row.problems) << row.text;
        EXPECT_EQ(ok->isEnabled(), row.ok) << row.text;
    }
    // A double-click writes the name as the language reads it.
    text->setPlainText("X = ");
    text->moveCursor(QTextCursor::End);
    auto* items = dialog.findChild<QListWidget*>("definitionItems");
    items->setCurrentRow(1);
    emit items->itemDoubleClicked(items->item(1));
    EXPECT_EQ(dialog.definitions(), QStringList({"X = \"Item - 2\""}));

    FindDialog find(
        "", {"SENSOR:MAP"},
        [](const QString& c) { return c == "?" ? QString("not a condition") : ""; }, nullptr);
    auto* condition = find.findChild<QLineEdit*>("findCondition");
    auto* findOk = find.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_TRUE(findOk->isEnabled());  // empty: ends a Find
    condition->setText("?");
    EXPECT_EQ(find.findChild<QLabel*>("findProblem")->text(), "not a condition");
    EXPECT_FALSE(findOk->isEnabled());
    condition->setText(" SENSOR:MAP > 1 ");
    EXPECT_TRUE(findOk->isEnabled());
    EXPECT_EQ(find.condition(), "SENSOR:MAP > 1");
}

}  // namespace
}  // namespace grafolux

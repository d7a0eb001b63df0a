// The View menu's choices end to end on the offscreen platform: each off as the window always
// was, each on as chosen, and kept for the next start.

#include <QCheckBox>
#include <QWheelEvent>

#include "WindowFixture.h"

namespace grafolux {
namespace {

class ViewOptionsWindowTest : public WindowFixture {
protected:
    const DisplayColors colors;

    const ItemInfo& Item(const char* name) {
        const LogData& log = window->document().log();
        return log.udtItems[log.itemNamed(name)];
    }
    void Lock(int item) {
        emit Control<QComboBox>("cbLabels")->activated(item - 1);
        Click("chkDisplay");
    }
    void Restart() {
        window->close();
        window.reset();
        Start();
    }
};

// Locked at the load colour, an item takes the first palette colour no other locked item has;
// one coloured by hand keeps its colour. Off, every locked item keeps the load colour.
TEST_F(ViewOptionsWindowTest, DistinctColoursForLockedItems) {
    StartWith();
    const Colour load = colors.lngItemColor, orange = RGB(230, 159, 0), blue = RGB(86, 180, 233);
    for (const bool on : {false, true}) {
        Open(WriteLog(dir, "run.txt", 50));
        if (on) Menu("DistinctLockColours");
        Lock(2);
        Lock(3);
        EXPECT_EQ(Item("SENSOR:MAP").colour, on ? orange : load);
        EXPECT_EQ(Item("SENSOR:BLM").colour, on ? blue : load);
        Lock(2);  // unlocked: its colour is free again
        emit Control<QComboBox>("cbLabels")->activated(2);
        dialogs.colors.push_back(QColor(0, 255, 0));
        Click("bColor");  // SENSOR:BLM by hand
        Lock(3);
        Lock(3);  // locked again: it keeps the colour chosen
        Lock(4);
        EXPECT_EQ(Item("SENSOR:INT").colour, on ? orange : load);
        EXPECT_EQ(Item("SENSOR:BLM").colour, RGB(0, 255, 0));
    }
    Restart();
    EXPECT_TRUE(Control<QAction>("DistinctLockColours")->isChecked());
}

// On, a new log keeps the looks and the current item of the items it shares by name; off, it
// starts as it always did.
TEST_F(ViewOptionsWindowTest, KeepItemsAcrossLogs) {
    const std::string other = WriteText(
        "other.txt", "SENSOR:INT\tSENSOR:O2\tSENSOR:BLM\r\n128\t1\t120\r\n129\t2\t121\r\n");
    StartWith();
    for (const bool on : {false, true}) {
        Open(WriteLog(dir, "run.txt", 50));
        if (on) Menu("KeepItemsAcrossLogs");
        Lock(3);  // SENSOR:BLM, filled and coloured
        Click("chkFilled");
        dialogs.colors.push_back(QColor(0, 255, 0));
        Click("bColor");
        emit Control<QComboBox>("cbLabels")->activated(3);  // SENSOR:INT current
        Open(other);
        const ItemInfo& blm = Item("SENSOR:BLM");
        EXPECT_EQ(blm.blnLocked, on);
        EXPECT_EQ(blm.blnFilled, on);
        EXPECT_EQ(blm.colour, on ? RGB(0, 255, 0) : colors.lngItemColor);
        Open(WriteLog(dir, "run.txt", 50));
        EXPECT_EQ(Control<QComboBox>("cbLabels")->currentText(), on ? "SENSOR:INT" : "SENSOR:RPM");
    }
    Restart();
    EXPECT_TRUE(Control<QAction>("KeepItemsAcrossLogs")->isChecked());
}

// On, Ctrl + wheel zooms a step a notch with the sample under the mouse kept there; the wheel
// without Ctrl, or with the choice off, zooms nothing.
TEST_F(ViewOptionsWindowTest, CtrlWheelZoomsAboutTheSampleUnderTheMouse) {
    StartWith();
    auto* canvas = Control<QWidget>("pbGraphContents");
    const auto wheel = [&](int x, int degrees, Qt::KeyboardModifiers modifiers) {
        QTest::mouseMove(canvas, QPoint(x, 50));
        QWheelEvent event(QPointF(x, 50), canvas->mapToGlobal(QPointF(x, 50)), {},
                          QPoint(0, degrees * 8), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(canvas, &event);
    };
    const struct {
        bool on;
        int x, degrees;
        Qt::KeyboardModifiers modifiers;
        double zoom;
    } rows[] = {
        {false, 400, 15, Qt::ControlModifier, 1},   {true, 400, 15, Qt::NoModifier, 1},
        {true, 400, 15, Qt::ControlModifier, 1.5},  {true, 100, 30, Qt::ControlModifier, 2.5},
        {true, 300, 10, Qt::ControlModifier, 2.5},  {true, 300, 5, Qt::ControlModifier, 3},
        {true, 250, -45, Qt::ControlModifier, 1.5},
    };
    for (const auto& row : rows) {
        if (row.on != window->document().viewChoices().wheelZoom) Menu("WheelZoom");
        wheel(row.x - window->area().pbGraphContents.leftPx(), 0, {});
        const QString under = Rows().value(0);
        wheel(row.x - window->area().pbGraphContents.leftPx(), row.degrees, row.modifiers);
        EXPECT_EQ(window->document().zoom(), row.zoom) << row.x;
        EXPECT_EQ(Rows().value(0), under) << row.x;
    }
    Restart();
    EXPECT_TRUE(Control<QAction>("WheelZoom")->isChecked());
}

}  // namespace
}  // namespace grafolux

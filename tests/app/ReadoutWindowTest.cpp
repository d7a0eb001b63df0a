// Reading values off the graph in the window: cursor, markers, span, cell marks, and the
// saved picture that none of them enters.
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

#include "WindowFixture.h"
#include "tables/CellAtPoint.h"

namespace grafolux {
namespace {

class ReadoutTest : public WindowFixture {
protected:
    const DisplayColors colors;

    void Load(const std::string& path = {}) {
        StartWith(path);
        canvas = Control<QWidget>("pbGraphContents");
        frame = Control<QWidget>("pbGraphContainer");
        overlay = Control<GraphOverlay>("GraphOverlay");
    }
    int LeftPx() const { return window->area().pbGraphContents.leftPx(); }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(type, at, canvas->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(canvas, &event);
    }
    void MoveTo(int32_t sample) {
        Send(QEvent::MouseMove, {ColumnOf(sample), 40}, Qt::NoButton, Qt::NoButton);
    }
    // Shift + drag from sample `from` to sample `to`.
    void ShiftDrag(int32_t from, int32_t to) {
        const QPoint start(ColumnOf(from), 40), end(ColumnOf(to), 40);
        Send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        Send(QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        Send(QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    }
    void DoubleClick(QPoint at) {
        Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(canvas, &leave);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        canvas->setFocus();
        QTest::keyClick(canvas, static_cast<Qt::Key>(key), modifiers);
    }
    // The colour the window shows at frame pixel (x, y).
    Colour Seen(int x, int y) const { return FromQColor(frame->grab().toImage().pixelColor(x, y)); }
    // A pixel of the table's canvas in the cell.
    QPoint PointIn(CellAddress cell) const {
        const Surface& table = window->area().pbGraphContents;
        for (int y = 0; y < table.image().height(); ++y)
            for (int x = 0; x < table.image().width(); ++x)
                if (CellAtPoint(table, {x, y}) == cell) return {x, y};
        ADD_FAILURE() << "no cell " << cell.row << " " << cell.column;
        return {};
    }
    QString Range() {
        return Control<QLineEdit>("tbFirst")->text() + ".." + Control<QLineEdit>("tbLast")->text();
    }
    QByteArray SavedGif(const char* name) {
        dialogs.paths.push_back(dir.filePath(name));
        Menu("SaveGif");
        return ReadAll(dir.filePath(name));
    }

    QWidget *canvas = nullptr, *frame = nullptr;
    GraphOverlay* overlay = nullptr;
};

QString Rpm(int32_t sample) { return QString::number(800 + 40 * (sample - 1)); }
QString Map(int32_t sample) { return QString::number(20 + (sample - 1) % 80); }

// Zoomed and scrolled, the MAP item locked in the default dark blue: the cursor line lies
// under the mouse, the readout names the sample there and the drawn items' values in legend
// order. The box hides what lies under it, keeps the blue in a swatch and writes it legibly; a
// very long name is cut short, so that the box fits the frame.
TEST_F(ReadoutTest, MouseMoveShowsTheSampleUnderItAndItsValuesInABoxThatReads) {
    Load();
    Click("bNext");
    Click("chkDisplay");
    Click("bPrev");
    Click("bZoomIn", 2);
    Control<QScrollBar>("hsbGraph")->setValue(30);
    ASSERT_EQ(LeftPx(), -30);
    const Colour before = Seen(ColumnOf(57) - 30, 100);

    MoveTo(57);
    EXPECT_EQ(Rows(), QStringList({"Sample 57", "SENSOR:RPM " + Rpm(57), "SENSOR:MAP " + Map(57)}));
    EXPECT_EQ(overlay->readoutRows()[2].colour, RGB(0, 0, 192));
    EXPECT_EQ(Seen(ColumnOf(57) - 30, 100), colors.lngCursorColor);
    EXPECT_TRUE(overlay->readoutRect().contains(10, 10));

    Leave();
    EXPECT_TRUE(overlay->readoutRows().empty());
    EXPECT_EQ(Seen(ColumnOf(57) - 30, 100), before);

    Key(Qt::Key_Right);  // a cursor by the keys, the box in its first corner
    const auto box = [&] { return frame->grab().toImage().copy(overlay->readoutRect()); };
    const QImage shown = box();
    Control<QScrollBar>("hsbGraph")->setValue(67);  // other curves and grid lines under it
    EXPECT_EQ(box(), shown);
    int swatch = 0, light = 0;  // light grey: the blue item's text, white with smoothed edges
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            swatch += pixel == qRgb(0, 0, 192);
            light +=
                qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) >= 192;
        }
    EXPECT_GE(swatch, 16);
    EXPECT_GT(light, 20);

    Open(WriteText("garbage.txt",
                   std::string(400, '\xfe').append("\tSENSOR:MAP\r\n1\t2\r\n3\t4\r\n")));
    MoveTo(2);
    ASSERT_FALSE(overlay->readoutRows().empty());
    EXPECT_TRUE(QRect(QPoint(), frame->size()).contains(overlay->readoutRect()))
        << overlay->readoutRect().width();
}

// A plain click focuses the canvas without moving it; the arrows step the cursor by one,
// with Shift by ten, and scroll the view to keep it in sight.
TEST_F(ReadoutTest, ArrowKeysStepTheCursorAndScrollToIt) {
    Load();
    Click("bZoomIn", 18);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(LeftPx(), 0);
    EXPECT_TRUE(canvas->hasFocus());
    Leave();

    Key(Qt::Key_Right);  // no cursor yet: the first sample in view
    EXPECT_EQ(Rows().value(0), "Sample 1");
    Key(Qt::Key_Right);
    EXPECT_EQ(Rows().value(0), "Sample 2");
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(Rows().value(0), "Sample 1");
    for (int i = 0; i < 5; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Rows().value(0), "Sample 51");
    const int column = ColumnOf(51) + LeftPx();
    EXPECT_GE(column, 0);
    EXPECT_LT(column, frame->width());
    EXPECT_LT(LeftPx(), 0);
    EXPECT_EQ(Control<QScrollBar>("hsbGraph")->value(), -LeftPx());
    for (int i = 0; i < 30; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Rows().value(0), "Sample 200");
}

// A range that leaves a marker outside drops it, Escape the others.
TEST_F(ReadoutTest, MarkersByKeysShowValuesAndDifferencesUntilEscape) {
    Load();
    Key(Qt::Key_A);  // no cursor, no marker: nothing
    Key(Qt::Key_Escape);
    MoveTo(20);
    Key(Qt::Key_A);
    MoveTo(50);
    Key(Qt::Key_B);
    MoveTo(30);
    const QString minus = QString::fromUtf8("B \u2212 A");
    EXPECT_EQ(Rows(),
              QStringList({" Cursor A B " + minus, "Sample 30 20 50 30",
                           "SENSOR:RPM " + Rpm(30) + " " + Rpm(20) + " " + Rpm(50) + " 1200"}));
    EXPECT_EQ(Seen(ColumnOf(20), 100), colors.lngMarkerAColor);
    EXPECT_EQ(Seen(ColumnOf(50), 100), colors.lngMarkerBColor);

    Type("tbFirst", "25");
    MoveTo(30);
    EXPECT_EQ(Rows().value(0), " Cursor B");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Rows().value(0), "Sample 30");
    EXPECT_NE(Seen(ColumnOf(50) + LeftPx(), 100), colors.lngMarkerBColor);
}

// Whatever changes the view under a mouse that stays still, the cursor and the readout are
// those of the sample now under it; once the mouse has left the canvas there are none.
TEST_F(ReadoutTest, CursorFollowsAStillMouseThroughEveryChangeOfTheView) {
    const auto zoomIn = [&] {  // as the shortcut does, the mouse staying where it is
        for (int i = 0; i < 4; ++i) Control<QAbstractButton>("bZoomIn")->click();
    };
    // The mouse comes over sample 30, then the change; `mouse` is its point of the frame.
    const struct {
        const char* what;
        bool zoomed;  // before the mouse comes
        std::function<void(QPoint& mouse)> change;
        bool shown = true;
    } cases[] = {
        {"a span chosen with Shift + drag", false,
         [&](QPoint& mouse) {
             mouse = QPoint(ColumnOf(60), 40);
             ShiftDrag(10, 60);
         }},
        {"zoomed in", false, [&](QPoint&) { zoomIn(); }},
        {"the canvas dragged", true,
         [&](QPoint& mouse) {
             const QPoint at(ColumnOf(30), 40);
             mouse -= QPoint(100, 0);
             Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
             Send(QEvent::MouseMove, at - QPoint(100, 0), Qt::NoButton, Qt::LeftButton);
             Send(QEvent::MouseButtonRelease, mouse - QPoint(LeftPx(), 0), Qt::LeftButton,
                  Qt::NoButton);
         }},
        {"the canvas scrolled", true,
         [&](QPoint&) { Control<QScrollBar>("hsbGraph")->setValue(200); }},
        {"another item", false, [&](QPoint&) { Control<QAbstractButton>("bNext")->click(); }},
        {"a range typed", false, [&](QPoint&) { Type("tbFirst", "50"); }},
        {"another log", false, [&](QPoint&) { Open(WriteLog(dir, "other.txt", 120)); }},
        {"the mouse gone, then a range typed", false,
         [&](QPoint&) {
             Leave();
             Type("tbFirst", "50");
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load();
        if (c.zoomed) zoomIn();
        MoveTo(30);
        QPoint mouse(ColumnOf(30) + LeftPx(), 40);
        c.change(mouse);
        if (!c.shown) {
            EXPECT_TRUE(overlay->readoutRows().empty());
            continue;
        }
        const int32_t sample = ShownAxis().SampleAtColumn(mouse.x() - LeftPx(), CanvasWidth());
        EXPECT_EQ(Rows().value(0).toStdString(), "Sample " + std::to_string(sample));
        EXPECT_EQ(Seen(ColumnOf(sample) + LeftPx(), 100), colors.lngCursorColor);
    }
}

// Zoomed in, a range chosen on the graph fills the boxes and is shown whole, at zoom 1; a
// span of one sample chooses nothing.
TEST_F(ReadoutTest, AChosenRangeIsShownWhole) {
    const struct {
        const char* what;
        std::function<void()> choose;
        const char* range;
    } cases[] = {
        {"a span dragged with Shift", [&] { ShiftDrag(10, 40); }, "10..40"},
        {"a span of one sample", [&] { ShiftDrag(20, 20); }, "1..200"},
        {"markers B and A",
         [&] {
             MoveTo(40);
             Key(Qt::Key_A);
             MoveTo(10);
             Key(Qt::Key_B);
             Menu("ShowMarkedSamples");
         },
         "10..40"},
        {"all samples after a range typed",
         [&] {
             Type("tbFirst", "60");
             Menu("ShowAllSamples");
         },
         "1..200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load();
        Click("bZoomIn", 4);
        c.choose();
        EXPECT_EQ(Range(), c.range);
        const bool whole = std::string(c.what) != "a span of one sample";
        EXPECT_EQ(window->document().zoom() == 1.0, whole);
        EXPECT_EQ(window->windowTitle().endsWith("(100%)"), whole);
        EXPECT_EQ(Control<QWidget>("bZoomOut")->isEnabled(), !whole);
        EXPECT_EQ(Control<QWidget>("hsbGraph")->isEnabled(), !whole);
        if (!whole) continue;
        EXPECT_EQ(LeftPx(), 0);
        EXPECT_EQ(CanvasWidth(), frame->width());
    }
}

// Samples 1..5 (800 .. 960 rpm, 20 .. 24 kPa) lie in the cell of 800 rpm and 20 kPa; BLM 120 ..
// 124 there. Neither the cursor, the markers nor the marks enter a saved picture; a new log
// drops the markers.
TEST_F(ReadoutTest, DoubleClickOnACellMarksItsSamplesOnTheGraph) {
    Load();
    const QByteArray plain = SavedGif("plain.gif");
    Click("bBLM");
    const QPoint cell = PointIn({2, 1}), empty = PointIn({16, 9});
    QHelpEvent help(QEvent::ToolTip, cell, canvas->mapToGlobal(cell));
    QApplication::sendEvent(canvas, &help);
    // The default Mean view gathers only means and counts; the tooltip has every statistic.
    EXPECT_TRUE(QToolTip::text().contains("5 samples\nMean 122.00, minimum 120.00, maximum 124.00"))
        << QToolTip::text().toStdString();
    QToolTip::hideText();

    DoubleClick(empty);  // no samples there: nothing
    EXPECT_EQ(window->document().viewMode(), ViewMode::Blm);
    DoubleClick(cell);
    EXPECT_EQ(window->document().viewMode(), ViewMode::Graph);
    EXPECT_EQ(Seen(ColumnOf(3), 1), colors.lngCellMarkColor);  // the strip along the top
    EXPECT_NE(Seen(ColumnOf(100), 1), colors.lngCellMarkColor);

    Leave();
    Key(Qt::Key_N);
    EXPECT_EQ(Rows().value(0), "Sample 1");
    EXPECT_EQ(Rows().last(), QString::fromUtf8("Cell 800 rpm \u00d7 20 kPa"));
    Key(Qt::Key_N, Qt::ShiftModifier);  // no run before it
    EXPECT_EQ(Rows().value(0), "Sample 1");
    MoveTo(20);
    Key(Qt::Key_A);
    MoveTo(60);
    Key(Qt::Key_B);
    MoveTo(90);
    ASSERT_FALSE(plain.isEmpty());
    EXPECT_EQ(SavedGif("marked.gif"), plain);
    Menu("ClearCellMarks");
    EXPECT_NE(Seen(ColumnOf(3), 1), colors.lngCellMarkColor);

    Open(WriteLog(dir, "other.txt", 150));  // the same samples, with the table filtered
    MoveTo(100);
    EXPECT_EQ(Rows().value(0), "Sample 100");
    dialogs.filterLists.push_back(QStringList{"SENSOR:BLM>=122"});
    Menu("FilterSamples");
    Click("bBLM");
    DoubleClick(PointIn({2, 1}));
    Leave();
    Key(Qt::Key_N);
    EXPECT_EQ(Rows().value(0), "Sample 3");
}

// Zoomed in and scrolled away, a double-click on a cell shows its first run of samples in the
// middle of the view, and N / Shift+N bring the next and the previous one there. The marked
// columns are shaded from top to bottom under a solid strip along the top.
TEST_F(ReadoutTest, ACellsRunsComeToTheMiddleOfTheView) {
    // 800 rpm at samples 150..159 and 300..309, else 3000; 30 kPa throughout.
    std::string runs = "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\r\n";
    for (int s = 1; s <= 400; ++s)
        runs += ((s >= 150 && s < 160) || (s >= 300 && s < 310) ? "800" : "3000") +
                std::string("\t30\t120\t128\r\n");
    Load(WriteText("runs.txt", runs));
    Click("bZoomIn", 18);
    auto* bar = Control<QScrollBar>("hsbGraph");
    bar->setValue(bar->maximum());
    Click("bBLM");
    // The middle of the run from `first` lies in the middle of the frame.
    const auto centred = [&](int32_t first) {
        const int middle = (ColumnOf(first) + ColumnOf(first + 9)) / 2 + LeftPx();
        return std::abs(middle - frame->width() / 2) <= 1;
    };
    DoubleClick(PointIn({2, 2}));
    EXPECT_EQ(Rows().value(0), "Sample 150");
    EXPECT_TRUE(centred(150)) << LeftPx();
    const int shadedRow = frame->height() / 2;
    const Colour shaded = Seen(ColumnOf(155) + LeftPx(), shadedRow);
    EXPECT_EQ(Seen(ColumnOf(155) + LeftPx(), 1), colors.lngCellMarkColor);
    EXPECT_NE(shaded, Seen(ColumnOf(145) + LeftPx(), shadedRow));
    EXPECT_EQ(shaded & 0xFF0000, 0u);  // no blue: the orange over the black
    EXPECT_GT(shaded & 0xFF, 0u);
    Key(Qt::Key_N);
    EXPECT_EQ(Rows().value(0), "Sample 300");
    EXPECT_TRUE(centred(300)) << LeftPx();
    EXPECT_EQ(bar->value(), -LeftPx());
    Key(Qt::Key_N);  // no run after it
    EXPECT_EQ(Rows().value(0), "Sample 300");
    Key(Qt::Key_N, Qt::ShiftModifier);
    EXPECT_EQ(Rows().value(0), "Sample 150");
    EXPECT_TRUE(centred(150)) << LeftPx();
}

// Before a load, after a log of a header alone was refused, in a table view: mouse, keys and
// menu entries change nothing and show nothing.
TEST_F(ReadoutTest, NothingHappensWithoutSamplesToPointAt) {
    Start();
    canvas = Control<QWidget>("pbGraphContents");
    overlay = Control<GraphOverlay>("GraphOverlay");
    const auto tryAll = [&](const char* when) {
        SCOPED_TRACE(when);
        Send(QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton);
        Key(Qt::Key_Right);
        Key(Qt::Key_A);
        EXPECT_TRUE(overlay->readoutRows().empty());
        EXPECT_FALSE(overlay->isVisible());
    };
    DoubleClick({20, 20});
    tryAll("before a load");
    Open(WriteText("header.txt", "SENSOR:RPM\tSENSOR:MAP\r\n"));
    ASSERT_EQ(window->document().log().lngSampleCount, 0);
    Menu("ShowAllSamples");
    tryAll("after a log without samples");
    Open(WriteLog(dir, "run.txt", 50));
    Click("bINT");
    tryAll("in a table view");
}

// A value is shown to ten significant digits, and copied whole.
TEST_F(ReadoutTest, ShowsTenDigitsAndCopiesThemAll) {
    Load(WriteText("noisy.txt", "X\r\n0.200000000000003\r\n-0.199999999999999\r\n"));
    MoveTo(2);
    EXPECT_EQ(Rows(), QStringList({"Sample 2", "X -0.2"}));
    Menu("CopyValues");
    EXPECT_EQ(QApplication::clipboard()->text(), "Sample\t2\nX\t-0.199999999999999\n");
}

}  // namespace
}  // namespace grafolux

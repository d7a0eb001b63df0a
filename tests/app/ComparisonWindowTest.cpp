#include <QMouseEvent>

#include "WindowFixture.h"
#include "graph/Comparison.h"
#include "support/Golden.h"

namespace grafolux {
namespace {

const QString kData = TEST_DATA_DIR "/compare/";

class ComparisonWindowTest : public WindowFixture {
protected:
    // before.txt with TPS and CTS locked and BLM current (TPS is not in after.txt), compared
    // with after.txt.
    void LoadBoth() {
        StartWith((kData + "before.txt").toStdString());
        canvas = Control<QWidget>("pbGraphContents");
        auto* items = Control<QComboBox>("cbLabels");
        const auto choose = [items](int index) {
            items->setCurrentIndex(index);
            emit items->activated(index);
        };
        for (const int index : {3, 6}) {
            choose(index);
            Click("chkDisplay");
        }
        choose(4);
        dialogs.paths.push_back(kData + "after.txt");
        Menu("CompareWith");
    }
    int32_t Offset() const {
        return window->document().versus() ? window->document().versus()->offset : 0;
    }
    void Send(QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPoint at(x, 40);
        QMouseEvent event(type, at, canvas->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::AltModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void AltKey(int key) {
        canvas->setFocus();
        QTest::keyClick(canvas, static_cast<Qt::Key>(key), Qt::AltModifier);
    }
    QWidget* canvas = nullptr;
};

// B comes over A and is moved by keys and by Alt + drag; the saved picture is the one the
// command line draws for the same view.
TEST_F(ComparisonWindowTest, BDrawnOverAMovedByKeysAndDragsAndSavedAsTheCommandDrawsIt) {
    LoadBoth();
    EXPECT_TRUE(window->windowTitle().contains("before.txt vs after.txt"))
        << window->windowTitle().toStdString();
    Click("bZoomIn");
    Click("bZoomIn");
    for (int i = 0; i < 6; ++i) AltKey(Qt::Key_Right);
    AltKey(Qt::Key_Left);
    ASSERT_EQ(Offset(), 5);
    const QString gif = dir.filePath("versus.gif");
    dialogs.paths.push_back(gif);
    Menu("SaveGif");
    EXPECT_TRUE(::test::SameAsGoldenBytes(ReadAll(gif), kData + "versus.gif"));

    // The readout: A's value, B's at B's sample there and B − A; "—" for an item B lacks.
    Send(QEvent::MouseMove, ColumnOf(50), Qt::NoButton);
    const QString minus = QString::fromUtf8("\u2212"), none = QString::fromUtf8("\u2014");
    EXPECT_EQ(Rows(), QStringList({" Log A Log B Log B " + minus + " A", "Sample 50 45 -5",
                                   "SENSOR:BLM 123 126 3", "SENSOR:TPS 27 " + none + " " + none,
                                   "SENSOR:CTS 37.7 42.7 5"}));

    // B's sample 20 put at marker A (sample 50).
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_A);
    dialogs.integers.push_back(20);
    Menu("AlignB");
    EXPECT_EQ(Offset(), 30);
    // B's BLM comes nearest to A's 123 at samples 11, 28, 45 …: offered is the one nearest to
    // B's sample 20, now under the marker.
    Menu("AlignB");
    EXPECT_EQ(dialogs.offeredInteger, 28);

    struct Drag {
        const char* name;
        int pixels;
        int32_t offset;
    } drags[] = {
        {"right", 40, DraggedOffset(5, 40, ShownAxis().dx, 120, 100)},
        {"left", -25, DraggedOffset(5, -25, ShownAxis().dx, 120, 100)},
        {"beyond B's end", -5000, -99},
        {"beyond A's end", 5000, 119},
    };
    for (const Drag& d : drags) {
        while (Offset() != 5) AltKey(Offset() < 5 ? Qt::Key_Right : Qt::Key_Left);
        Send(QEvent::MouseButtonPress, 200, Qt::LeftButton);
        Send(QEvent::MouseMove, 200 + d.pixels, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, 200 + d.pixels, Qt::NoButton);
        EXPECT_EQ(Offset(), d.offset) << d.name;
    }
}

// The Difference view's table out through the clipboard is what `table --versus` prints, and
// Copy Command gives that command; B that fails to load changes nothing, and without B the
// view is the plain one.
TEST_F(ComparisonWindowTest, DifferenceTableIsTheCommandsAndGoesWithB) {
    LoadBoth();
    Click("bBLM");
    Menu("Difference");
    EXPECT_EQ(CopiedTable(),
              CliOutput({"table", "blm", kData + "before.txt", "--versus", kData + "after.txt"}));
    Menu("CopyCommand");
    EXPECT_TRUE(QApplication::clipboard()->text().contains(" --versus "))
        << QApplication::clipboard()->text().toStdString();

    dialogs.paths.push_back(dir.filePath("missing.txt"));
    Menu("CompareWith");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("missing.txt")) << dialogs.messages[0].toStdString();
    ASSERT_TRUE(window->document().versus().has_value());

    Menu("StopComparing");
    EXPECT_FALSE(window->document().versus().has_value());
    EXPECT_FALSE(Control<QAction>("Difference")->isEnabled());
    EXPECT_EQ(CopiedTable(), CliOutput({"table", "blm", kData + "before.txt"}));
    EXPECT_FALSE(window->windowTitle().contains(" vs "));
}

}  // namespace
}  // namespace grafolux

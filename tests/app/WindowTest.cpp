// The window end to end on the offscreen platform, with scripted dialogs.

#include <QCheckBox>
#include <QDir>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolButton>

#include "Version.h"
#include "WindowFixture.h"
#include "app/WindowActions.h"
#include "logcache/CachedLoad.h"
#include "settings/CachePreferences.h"

using namespace grafolux;

namespace {

// The caption writes version 1.2.3 as "Grafolux v1.2-3".
const QString kAppTitle =
    QString("Grafolux v%1.%2-%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);

class WindowTest : public WindowFixture {};

// Names with percent signs and ampersands: in the caption, at every zoom, and in the recent
// list, as they are, and opened from there.
TEST_F(WindowTest, FileNamesWithPercentSignsAndAmpersandsShownAndOpenedAsTheyAre) {
    QDir(dir.path()).mkdir("R&D");
    const std::string first = WriteLog(dir, "R&D/a&b %1.txt", 5);
    Start();
    for (const std::string& path : {first, WriteLog(dir, "%%3%.txt", 20)}) {
        Open(path);
        const QString title =
            kAppTitle + QString(" - %1 (").arg(QFileInfo(QString::fromStdString(path)).fileName());
        EXPECT_EQ(window->windowTitle(), title + "100%)");
        Click("bZoomIn");
        EXPECT_EQ(window->windowTitle(), title + "150%)");
    }
    auto* entry = Control<QAction>("mRecent2");
    EXPECT_EQ(entry->iconText().toStdString(), first);  // as shown: no mnemonic eaten
    entry->trigger();
    EXPECT_EQ(window->recent().front(), first);
    EXPECT_EQ(window->document().log().lngSampleCount, 5);
}

// View → Reopen Logs from Cache: unchecked, a log leaves no cache entry and the choice is kept
// beside a limit written by hand; checked again, the next log leaves one.
TEST_F(WindowTest, TheCacheChoiceHoldsForTheNextOpenAndIsKept) {
    const std::string before = std::getenv("XDG_CACHE_HOME") ? std::getenv("XDG_CACHE_HOME") : "";
    setenv("XDG_CACHE_HOME", dir.filePath("cache").toLocal8Bit().data(), 1);
    const QDir entries(dir.filePath("cache/grafolux"));
    WriteText("Preferences.ini", "[Cache]\nLimit=4G\n");
    Start();
    EXPECT_TRUE(Control<QAction>("ReopenFromCache")->isChecked());
    Menu("ReopenFromCache");
    EXPECT_FALSE(Control<QAction>("ReopenFromCache")->isChecked());
    Open(WriteLog(dir, "one.txt", 300));
    FinishCacheWrites();
    EXPECT_TRUE(entries.isEmpty());
    const CachePreferences kept =
        LoadCachePreferences(dir.filePath("Preferences.ini").toStdString());
    EXPECT_TRUE(kept.bypass);
    EXPECT_EQ(kept.limit, uint64_t{4} << 30);
    Menu("ReopenFromCache");
    Open(WriteLog(dir, "other.txt", 300));
    FinishCacheWrites();
    EXPECT_EQ(entries.entryList(QDir::Files).size(), 1);
    setenv("XDG_CACHE_HOME", before.c_str(), 1);
}

TEST_F(WindowTest, RangeBoxIsNormalisedOnlyWhenTheFocusMovesWithinTheWindow) {
    StartWith(WriteLog(dir, "run1.txt", 50));
    auto* first = Control<QLineEdit>("tbFirst");
    const struct {
        Qt::FocusReason reason;
        const char* text;
    } cases[] = {
        {Qt::PopupFocusReason, "abc"},         // a menu opened
        {Qt::ActiveWindowFocusReason, "abc"},  // another application
        {Qt::MenuBarFocusReason, "abc"},      {Qt::TabFocusReason, "1"},
        {Qt::MouseFocusReason, "1"},
    };
    for (const auto& c : cases) {
        first->setText("abc");
        QFocusEvent out(QEvent::FocusOut, c.reason);
        QApplication::sendEvent(first, &out);
        EXPECT_EQ(first->text(), c.text) << c.reason;
    }
}

// Empty at first, with the item's controls disabled and the client area below the menu bar at
// its default size; a log opened through the dialog; the recent list and the rectangle back
// after a restart.
TEST_F(WindowTest, StartsEmptyLoadsThroughTheDialogAndRestartsAsItWasLeft) {
    const std::string path = WriteLog(dir, "run1.txt", 20);
    Start();
    EXPECT_EQ(window->windowTitle(), kAppTitle);
    for (const char* name :
         {"chkDisplay", "cbLabels", "chkFilled", "bPrev", "bNext", "tbFirst", "tbLast", "lblColor1",
          "lblColor2", "bColor", "loadProgress", "bData", "bBLM", "bINT", "bZoomIn", "bZoomOut"})
        EXPECT_FALSE(Control<QWidget>(name)->isEnabled()) << name;
    EXPECT_FALSE(Control<QAction>("SaveGif")->isEnabled());
    EXPECT_FALSE(Control<QAction>("SavePng")->isEnabled());
    EXPECT_EQ(window->area().pbGraph.image().size(), QSize(537, 289));

    Open(path);
    EXPECT_EQ(Control<QComboBox>("cbLabels")->count(), 4);
    EXPECT_EQ(Control<QComboBox>("cbLabels")->itemText(1), "SENSOR:MAP");
    EXPECT_EQ(Control<QLineEdit>("tbFirst")->text(), "1");
    EXPECT_EQ(Control<QLineEdit>("tbLast")->text(), "20");
    EXPECT_EQ(window->windowTitle(), kAppTitle + " - run1.txt (100%)");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Graph);
    EXPECT_TRUE(Control<QCheckBox>("chkDisplay")->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>("chkFilled")->isEnabled());
    window->setGeometry(60, 45, 600, 400);
    QApplication::processEvents();
    const QRect before = window->normalGeometry();
    window->close();
    window.reset();

    Start();
    EXPECT_EQ(window->recent(), std::vector<std::string>{path});
    EXPECT_EQ(Control<QAction>("mRecent1")->text().toStdString(), path);
    EXPECT_EQ(window->normalGeometry(), before);
    dialogs.paths.push_back("");  // the Open dialog starts at the most recent file
    Menu("OpenLog");
    EXPECT_EQ(dialogs.initialPaths.back().toStdString(), path);
}

// A file where the settings folder should be, a folder where the settings file should be:
// the window still closes, says why, and what is there stays as it was.
TEST_F(WindowTest, ClosesAndSaysWhyWhenTheSettingsCannotBeSaved) {
    const std::string log = WriteLog(dir, "run1.txt", 10);
    WriteText("file", "kept");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const std::pair<const char*, const char*> cases[] = {{"file/Grafolux.cfg", "Not a directory"},
                                                         {"folder", ""}};
    for (const auto& [settings, reason] : cases) {
        dialogs.messages.clear();
        window = std::make_unique<frmMain>(dialogs, dir.filePath(settings).toStdString());
        window->show();
        Open(log);
        EXPECT_TRUE(window->close()) << settings;
        EXPECT_FALSE(window->isVisible()) << settings;
        ASSERT_EQ(dialogs.messages.size(), 1) << settings;
        EXPECT_TRUE(dialogs.messages[0].startsWith("Settings|") &&
                    dialogs.messages[0].endsWith(reason))
            << dialogs.messages[0].toStdString();
        window.reset();
    }
    EXPECT_EQ(ReadAll(dir.filePath("file")), "kept");
    EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
}

// The load's frame is still on the stack: the window closes, and saves its settings, after it.
TEST_F(WindowTest, ClosedDuringALoadClosesOnceTheLoadIsOver) {
    Start();
    bool closedAtOnce = true;
    const std::string pipe = OpenWhileLoading([&] { closedAtOnce = window->close(); });
    EXPECT_FALSE(closedAtOnce);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->document().log().lngSampleCount, 1);
    window.reset();
    Start();
    EXPECT_EQ(window->recent(), std::vector<std::string>{pipe});
}

// A header alone and a missing file: each says why, and the shown log stays (the
// loader's test has every reason). Every load of an existing file is listed; the progress bar
// rests after each, disabled at 0 of a real range, never left "busy".
TEST_F(WindowTest, FailedLoadSaysWhyAndKeepsThePreviousLog) {
    const std::string header = WriteText("header.txt", "SENSOR:RPM\tSENSOR:MAP\r\n");
    const std::string missing = dir.filePath("missing.txt").toStdString();
    const struct {
        const std::string& path;
        const char* reason;
        bool listed;
    } cases[] = {
        {header, "the log holds no samples", true},
        {missing, "no such file", false},
    };
    StartWith(WriteLog(dir, "good.txt", 10));
    auto* bar = Control<QProgressBar>("loadProgress");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        dialogs.messages.clear();
        bar->setRange(0, 0);          // "busy", as while a file is still being read
        window->LoadLogFile(c.path);  // as the command line, the Open dialog or a drop would
        EXPECT_EQ(window->document().log().lngSampleCount, 10);
        EXPECT_EQ(Control<QComboBox>("cbLabels")->count(), 4);
        EXPECT_EQ(window->windowTitle(), kAppTitle + " - good.txt (100%)");
        EXPECT_FALSE(bar->isEnabled());
        EXPECT_EQ(bar->value(), 0);
        EXPECT_LT(bar->minimum(), bar->maximum());
        EXPECT_EQ(window->recent().front(), c.listed ? c.path : header);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].toStdString(),
                  "Open Data File|The log could not be opened:\n" + c.path + ": " + c.reason);
    }
}

TEST_F(WindowTest, ItemPanelLocksFillsRecoloursAndWraps) {
    StartWith(WriteLog(dir, "run1.txt", 200));
    Click("bZoomIn", 2);
    Control<QScrollBar>("hsbGraph")->setValue(30);
    const double left = window->area().pbGraphContents.Left();
    ASSERT_EQ(left, -450);

    Click("chkDisplay");
    EXPECT_TRUE(window->document().log().udtItems[1].blnLocked);
    for (const char* name : {"chkFilled", "lblColor1", "lblColor2", "bColor"})
        EXPECT_TRUE(Control<QWidget>(name)->isEnabled()) << name;
    EXPECT_FALSE(Control<QComboBox>("cbLabels")->itemIcon(0).isNull());

    Click("chkFilled");
    EXPECT_TRUE(window->document().log().udtItems[1].blnFilled);
    dialogs.colors.push_back(std::nullopt);  // cancel changes nothing
    Click("bColor");
    EXPECT_EQ(window->document().log().udtItems[1].colour, RGB(0, 0, 192));
    dialogs.colors.push_back(QColor(0, 255, 0));
    Click("bColor");
    EXPECT_EQ(window->document().log().udtItems[1].colour, RGB(0, 255, 0));
    EXPECT_EQ(Control<QPushButton>("bColor")->palette().color(QPalette::Button), QColor(0, 255, 0));
    EXPECT_EQ(window->area().pbGraphContents.Left(), left);

    Click("bPrev");  // from item 1 to the last
    EXPECT_EQ(Control<QComboBox>("cbLabels")->currentIndex(), 3);
    EXPECT_FALSE(Control<QCheckBox>("chkDisplay")->isChecked());
    EXPECT_FALSE(Control<QWidget>("bColor")->isEnabled());
    Click("bNext");
    EXPECT_EQ(Control<QComboBox>("cbLabels")->currentIndex(), 0);
    EXPECT_TRUE(Control<QCheckBox>("chkDisplay")->isChecked());
    EXPECT_EQ(window->area().pbGraphContents.Left(), left);

    Click("chkDisplay");  // unlocking keeps fill and colour
    EXPECT_FALSE(window->document().log().udtItems[1].blnLocked);
    EXPECT_TRUE(window->document().log().udtItems[1].blnFilled);
    EXPECT_TRUE(Control<QComboBox>("cbLabels")->itemIcon(0).isNull());
}

TEST_F(WindowTest, ZoomCaptionScrollAndDrag) {
    Start();
    auto* container = window->findChild<QWidget*>("pbGraphContainer");
    EXPECT_EQ(container->cursor().shape(), Qt::OpenHandCursor);  // at start-up
    Open(WriteLog(dir, "run1.txt", 100));
    EXPECT_EQ(container->cursor().shape(), Qt::ArrowCursor);  // nothing to drag at zoom 1
    Click("bZoomIn", 18);
    EXPECT_EQ(container->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(window->windowTitle(), kAppTitle + " - run1.txt (1000%)");
    EXPECT_FALSE(Control<QWidget>("bZoomIn")->isEnabled());
    auto* contents = window->findChild<QWidget*>("pbGraphContents");
    QTest::mousePress(contents, Qt::LeftButton, {}, QPoint(100, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(93, 50), contents->mapToGlobal(QPointF(93, 50)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(contents, &move);
    QTest::mouseRelease(contents, Qt::LeftButton, {}, QPoint(93, 50));
    EXPECT_GT(Control<QScrollBar>("hsbGraph")->value(), 0);  // how far: ZoomMath's test
    Click("bZoomOut", 18);
    EXPECT_EQ(window->windowTitle(), kAppTitle + " - run1.txt (100%)");
    EXPECT_FALSE(Control<QWidget>("bZoomOut")->isEnabled());
    EXPECT_FALSE(Control<QWidget>("hsbGraph")->isEnabled());
}

TEST_F(WindowTest, ViewsAndResizeRedraw) {
    StartWith(WriteLog(dir, "run1.txt", 500));
    Click("bBLM");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Blm);
    EXPECT_EQ(Control<QToolButton>("bBLM")->property("picture").toString(), "BLM_ON");
    EXPECT_FALSE(Control<QWidget>("bZoomIn")->isEnabled());
    Click("bINT");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Int);
    EXPECT_EQ(Control<QToolButton>("bINT")->property("picture").toString(), "INT_ON");
    const qint64 blmOff = Control<QToolButton>("bBLM")->icon().cacheKey();
    Click("bBLM");
    Click("bINT");  // one icon per picture: new ones would fill Qt's pixmap cache
    EXPECT_EQ(Control<QToolButton>("bBLM")->icon().cacheKey(), blmOff);

    Click("bData");
    EXPECT_EQ(window->document().viewMode(), ViewMode::Graph);
    const int widthBefore = window->area().pbGraphContents.image().width();
    for (int extra = 10; extra <= 100; extra += 10) {
        window->resize(window->width() + 10, window->height());
        QApplication::processEvents();
    }
    // One redraw once the resizing has stopped; RedrawDue's own test pins the timing.
    QTRY_COMPARE_WITH_TIMEOUT(window->area().pbGraphContents.image().width(), widthBefore + 100,
                              10000);
}

// A table fills the frame at zoom 1 whatever the graph's zoom: its scroll bar is off, with no
// thumb left from the graph, and even a stray scroll leaves the table and its picture as they
// were. The graph gets its bar back.
TEST_F(WindowTest, TableViewsNeverScrollSideways) {
    StartWith(WriteLog(dir, "run1.txt", 500));
    auto* bar = Control<QScrollBar>("hsbGraph");
    EXPECT_EQ(bar->maximum(), 0);  // nothing to scroll at zoom 1
    const QString png = dir.filePath("view.png");
    const auto saved = [&] {
        dialogs.paths.push_back(png);
        Menu("SavePng");
        return QImage(png);
    };
    for (const char* table : {"bBLM", "bINT"}) {
        Click("bData");
        Click("bZoomOut", 18);
        Click(table);
        const QImage unzoomed = saved();
        Click("bData");
        Click("bZoomIn", 4);
        bar->setValue(40);
        ASSERT_EQ(window->area().pbGraphContents.leftPx(), -40) << table;
        Click(table);
        EXPECT_FALSE(bar->isEnabled()) << table;
        EXPECT_EQ(bar->maximum(), 0) << table;
        bar->setValue(40);
        EXPECT_EQ(window->area().pbGraphContents.leftPx(), 0) << table;
        EXPECT_EQ(saved(), unzoomed) << table;

        Click("bData");
        EXPECT_TRUE(bar->isEnabled()) << table;
        EXPECT_GT(bar->maximum(), 0) << table;
        EXPECT_EQ(bar->value(), -window->area().pbGraphContents.leftPx()) << table;
    }
}

TEST_F(WindowTest, SavesTheViewAsPngInFullColourAndAsGifInTheCubesColours) {
    StartWith(WriteLog(dir, "run1.txt", 50));
    dialogs.initialPaths.clear();
    const QString gif = dir.filePath("view.gif"), png = dir.filePath("view.png");
    const auto save = [&](const char* menu, const QString& path) {
        dialogs.paths.push_back(path);
        Menu(menu);
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    };
    // The default view has cube colours only.
    const QImage defaultPng = save("SavePng", png);
    ASSERT_FALSE(defaultPng.isNull());
    EXPECT_EQ(defaultPng.width(),
              window->area().pbGraph.image().width() + window->area().pbLegend.image().width());
    EXPECT_EQ(defaultPng, save("SaveGif", gif));
    EXPECT_EQ(dialogs.initialPaths, QStringList({"", ""}));  // each remembers its own name

    // The item locked in a colour off the cube: kept in the PNG, the cube's nearest in the GIF.
    Click("chkDisplay");
    dialogs.colors.push_back(QColor(10, 200, 77));
    Click("bColor");
    const QImage fullColour = save("SavePng", png), cube = save("SaveGif", gif);
    EXPECT_EQ(dialogs.initialPaths.mid(2), QStringList({png, gif}));
    const auto holds = [](const QImage& picture, QRgb colour) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) == colour) return true;
        return false;
    };
    EXPECT_TRUE(holds(fullColour, qRgb(10, 200, 77)));
    EXPECT_TRUE(holds(cube, qRgb(0, 192, 64)));
    EXPECT_FALSE(holds(cube, qRgb(10, 200, 77)));

    dialogs.paths.push_back(dir.path());  // a folder
    Menu("SavePng");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Save As PNG|The picture could not be saved:\n"))
        << dialogs.messages[0].toStdString();
    EXPECT_EQ(Control<QAction>("SavePng")->shortcut(), QKeySequence("Ctrl+Shift+S"));
}

TEST_F(WindowTest, CorrectsChosenLogAndConfirms) {
    const std::string path = WriteText("bits.txt",
                                       "A\tMW2:0\tMW2:1\tMW2:2\tMW2:3\tMW2:4\tMW2:5\tMW2:6\tMW2:"
                                       "7\r\n1\t0\t0\t0\t0\t0\t0\t0\t1\r\n");
    Start();
    dialogs.paths.push_back(QString::fromStdString(path));
    Menu("CorrectBitOrder");
    const QString corrected = dir.filePath("bits_corrected.txt");
    ASSERT_TRUE(QFile::exists(corrected));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0],
              "File Corrected|File has been corrected and saved as:\r\n\r\n" + corrected);
    EXPECT_EQ(window->document().log().lngItemCount, 0);  // nothing is loaded
}

// Every key of the registry is in Help → Keyboard Shortcuts and in the window's manual page.
TEST_F(WindowTest, EveryKeyIsInTheShortcutsListAndTheManual) {
    Start();
    Menu("KeyboardShortcuts");
    QStringList listed;
    for (const ShortcutRow& row : dialogs.shortcuts) listed += row.keys.split(", ");
    QFile page(GRAFOLUX_MAN_PAGE);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll()).replace("\\-", "-");
    for (const ActionEntry& entry : WindowActionEntries()) {
        QStringList keys = entry.keysText.isEmpty() ? QStringList() : QStringList{entry.keysText};
        for (const QKeySequence& key : entry.keys) keys << key.toString(QKeySequence::PortableText);
        for (const QString& key : keys) {
            EXPECT_TRUE(listed.contains(key)) << entry.name << " " << key.toStdString();
            // As a word of its own: "Left" is not found in "Alt+Left".
            const QRegularExpression word("(^|[\\s\"])" + QRegularExpression::escape(key) +
                                          "($|[\\s\",])");
            EXPECT_TRUE(manual.contains(word)) << entry.name << " " << key.toStdString();
        }
    }
}

}  // namespace

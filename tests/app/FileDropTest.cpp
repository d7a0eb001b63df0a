// Opening a log by dropping it on the window: what a drag may carry, and the window's answer.

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "WindowFixture.h"
#include "app/FileDrop.h"

using namespace grafolux;

namespace {

// A log of `samples` lines in `dir`; its full path.
QString Log(const QTemporaryDir& dir, const QString& name, int samples) {
    return QString::fromStdString(WriteLog(dir, name.toUtf8().constData(), samples));
}

QList<QUrl> Files(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    return urls;
}

TEST(FileToOpen, TakesTheFirstUrlOnlyWhenItIsAnExistingLocalFile) {
    QTemporaryDir dir;
    const QString log = Log(dir, "run 1 %41 & ü.txt", 1), other = Log(dir, "other.txt", 1);
    const QString gone = Log(dir, "gone.txt", 1);
    QFile::remove(gone);
    QStringList fifty;
    for (int k = 0; k < 50; ++k) fifty << Log(dir, QString("log%1.txt").arg(k), 1);
    const struct {
        const char* what;
        QList<QUrl> urls;
        bool loading;
        QString expected;  // empty: refused
    } cases[] = {
        {"a log, its name as it is", Files({log}), false, log},
        {"fifty logs: the first", Files(fifty), false, fifty[0]},
        {"a folder", Files({dir.path()}), false, ""},
        {"a file that is gone", Files({gone}), false, ""},
        {"a web address", {QUrl("https://example.org/run1.txt")}, false, ""},
        {"a web address before a log",
         {QUrl("sftp://host/run1.txt"), QUrl::fromLocalFile(other)},
         false,
         ""},
        {"an empty URL list", {}, false, ""},
        {"a log while a load is under way", Files({log}), true, ""},
    };
    for (const auto& c : cases) {
        QMimeData data;
        data.setUrls(c.urls);
        data.setText(log);  // what a drag of text carries is no file to open
        EXPECT_EQ(FileToOpen(data, c.loading), c.expected) << c.what;
    }
}

struct DropAnswer {
    bool entered = false;  // the drag was accepted when it entered the window
    bool dropped = false;  // the drop was taken
};

class FileDropWindow : public WindowFixture {
protected:
    void SetUp() override {
        Start();
        Open(Log(dir, "previous.txt", 7).toStdString());
    }
    // Drags `urls` into the window and drops them; `meanwhile` runs between the two.
    DropAnswer Drop(const QList<QUrl>& urls,
                    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction,
                    const std::function<void()>& meanwhile = {}) {
        QMimeData data;
        data.setUrls(urls);
        const QPointF middle = window->rect().center();
        QDragEnterEvent enter(middle.toPoint(), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (meanwhile) meanwhile();
        QDropEvent drop(middle, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QApplication::processEvents();  // the file opens once the drop is over
        // Taking a move would have the dragging program delete the file.
        if (drop.isAccepted()) {
            EXPECT_NE(drop.dropAction(), Qt::MoveAction);
        }
        return {enter.isAccepted(), drop.isAccepted()};
    }
    std::string Recent() const { return window->recent().front(); }
};

// Which URL of a drag is opened is FileToOpen's; here what the window does with it. A failing
// load is all or nothing as through Open Data File (that test's table).
TEST_F(FileDropWindow, OpensTheDroppedFileAsOpenDataFileDoesOrRefusesTheDrag) {
    const QString log = Log(dir, "run 1 %41 & ü.txt", 12), gone = Log(dir, "gone.txt", 3);
    const std::string previous = Recent();
    const struct {
        const char* what;
        QString path;
        Qt::DropActions actions;
        bool vanishes;  // before the drop
        DropAnswer answer;
    } cases[] = {
        {"a log", log, Qt::CopyAction | Qt::MoveAction, false, {true, true}},
        {"a link to a log", log, Qt::LinkAction, false, {true, true}},
        {"a folder", dir.path(), Qt::CopyAction, false, {false, false}},
        {"a file that vanishes before the drop", gone, Qt::CopyAction, true, {true, false}},
        {"a drag that can only move the file", log, Qt::MoveAction, false, {false, false}},
    };
    for (const auto& c : cases) {
        Open(previous);
        const DropAnswer answer = Drop(Files({c.path}), c.actions, [&] {
            if (c.vanishes) QFile::remove(c.path);
        });
        const bool opened = c.answer.dropped;
        EXPECT_EQ(answer.entered, c.answer.entered) << c.what;
        EXPECT_EQ(answer.dropped, c.answer.dropped) << c.what;
        EXPECT_EQ(window->document().log().lngSampleCount, opened ? 12 : 7) << c.what;
        EXPECT_EQ(Recent(), opened ? log.toStdString() : previous) << c.what;
    }
    // A file dropped on a range box opens too, instead of becoming the box's text.
    for (const char* box : {"tbFirst", "tbLast"})
        EXPECT_FALSE(window->findChild<QLineEdit*>(box)->acceptDrops()) << box;
}

// The load's progress bar shows it under way; a file dragged in meanwhile is refused at once.
TEST_F(FileDropWindow, RefusesADropWhileALoadIsUnderWay) {
    DropAnswer during;
    bool loading = false;
    const std::string pipe = OpenWhileLoading([&] {
        loading = window->findChild<QWidget*>("loadProgress")->isEnabled();
        during = Drop(Files({Log(dir, "dropped.txt", 5)}));
    });
    ASSERT_TRUE(loading);
    EXPECT_FALSE(during.entered || during.dropped);
    EXPECT_EQ(Recent(), pipe);
}

}  // namespace

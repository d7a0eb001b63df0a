// The window through 500 loads of two alternating logs with zoom, drag and view switches and a
// GIF saved every 50 loads, then closed. Prints resident memory after loads 50 and 500 and the
// open file handles; fails when memory grew by more than 5 % or a handle stayed open. Not part
// of the test run: bench/window-soak.sh runs it, also under the sanitizers for leaks.
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/ScriptedDialogs.h"
#include "app/frmMain.h"

using namespace grafolux;

namespace {

std::string WriteLog(const QTemporaryDir& dir, const char* name, int lines, int items) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT";
    for (int k = 5; k <= items; ++k) out << "\tAUX" << k;
    out << "\r\n";
    for (int i = 0; i < lines; ++i) {
        out << 800 + 7 * (i % 800) << '\t' << 20 + i % 80 << '\t' << 110 + i % 30 << '\t' << 128;
        for (int k = 5; k <= items; ++k) out << '\t' << (i * k) % 1000 / 10.0;
        out << "\r\n";
    }
    return path;
}

long ResidentKiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long OpenHandles() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count - 1;  // the listing's own
}

template <typename T>
T* Control(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(name);
    if (!control) {
        std::fprintf(stderr, "no control %s\n", name);
        std::exit(2);
    }
    return control;
}

void Drag(QWidget& window) {
    auto* contents = Control<QWidget>(window, "pbGraphContents");
    QTest::mousePress(contents, Qt::LeftButton, {}, QPoint(200, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(120, 50), contents->mapToGlobal(QPointF(120, 50)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(contents, &move);
    QTest::mouseRelease(contents, Qt::LeftButton, {}, QPoint(120, 50));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string logs[2] = {WriteLog(dir, "short.txt", 3000, 12),
                                 WriteLog(dir, "long.txt", 20000, 24)};
    ScriptedDialogs dialogs;
    long handlesBefore = 0, handlesAt50 = 0, residentAt50 = 0, residentAt500 = 0;
    {
        frmMain window(dialogs, dir.filePath("Grafolux.cfg").toStdString());
        window.show();
        QApplication::processEvents();
        handlesBefore = OpenHandles();
        const auto click = [&](const char* name) {
            QTest::mouseClick(Control<QAbstractButton>(window, name), Qt::LeftButton);
        };
        for (int load = 1; load <= 500; ++load) {
            dialogs.paths.push_back(QString::fromStdString(logs[load % 2]));
            Control<QAction>(window, "OpenLog")->trigger();
            click("bZoomIn");
            click("bZoomIn");
            Drag(window);
            click("bBLM");
            click("bINT");
            click("bData");
            click("bZoomOut");
            if (load % 50 == 0) {
                dialogs.paths.push_back(dir.filePath("view.gif"));
                Control<QAction>(window, "SaveGif")->trigger();
                if (!QFile::exists(dir.filePath("view.gif"))) {
                    std::fprintf(stderr, "load %d: the GIF was not saved\n", load);
                    return 1;
                }
                QFile::remove(dir.filePath("view.gif"));
            }
            dialogs.initialPaths.clear();
            // What returning to the event loop does, and processEvents does not: deleteLater.
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (load % 50 == 0) std::printf("load %d: %ld KiB resident\n", load, ResidentKiB());
            if (load == 50) {
                residentAt50 = ResidentKiB();
                handlesAt50 = OpenHandles();
            }
        }
        residentAt500 = ResidentKiB();
        if (window.document().log().lngSampleCount != 3000) {
            std::fprintf(stderr, "load 500 shows %d samples\n",
                         window.document().log().lngSampleCount);
            return 1;
        }
        window.close();
    }
    QApplication::processEvents();
    const long handlesAfter = OpenHandles();
    const double growth = 100.0 * (residentAt500 - residentAt50) / residentAt50;
    std::printf("resident memory after load 50: %ld KiB, after load 500: %ld KiB (%+.1f %%)\n",
                residentAt50, residentAt500, growth);
    std::printf("open handles: %ld before the first load, %ld after load 50, %ld after close\n",
                handlesBefore, handlesAt50, handlesAfter);
    const bool ok = growth <= 5 && handlesAfter <= handlesBefore;
    std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
    return ok ? 0 : 1;
}

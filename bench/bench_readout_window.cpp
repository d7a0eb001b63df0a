// The window on the offscreen platform, a 1M-sample log with 10 locked items drawn: a mouse
// move over the graph, from the event to the repainted overlay, against a move that drags
// the zoomed graph by a pixel (the window's own way of following the mouse). On the same log
// without locked items: ten computed items defined until the item list and the current item's
// graph are ready, and Find Next, against the graph of the current item drawn again.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QToolButton>
#include <cmath>
#include <fstream>
#include <memory>

#include "BenchDialogs.h"
#include "app/frmMain.h"
#include "logdata/TextFields.h"

namespace {

using namespace grafolux;

constexpr int kSamples = 1'000'000;
constexpr int kItems = 11;  // the current item and ten locked ones

// Engine speed, pressure and nine wandering items with two decimals.
void WriteLog(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "SENSOR:RPM\tSENSOR:MAP";
    for (int k = 1; k < kItems - 1; ++k) out << "\tSENSOR:AUX" << k;
    out << "\r\n";
    double value[kItems] = {};
    std::string line;
    for (int s = 0; s < kSamples; ++s) {
        line.clear();
        for (int k = 0; k < kItems; ++k) {
            value[k] += std::sin(s * 0.001 * (k + 1)) * 0.5;
            const double v =
                k == 0 ? 3000 + 2000 * std::sin(s * 1e-4) : std::round(value[k] * 100) / 100;
            AppendShortestText(line, v);
            line += k + 1 < kItems ? '\t' : '\r';
        }
        out << line << '\n';
    }
}

struct Window {
    QTemporaryDir dir;
    BenchDialogs dialogs;  // nothing is asked: the benchmark opens its log itself
    std::unique_ptr<frmMain> main;
    QWidget* canvas = nullptr;
    int paints = 0;  // of the overlay

    explicit Window(int locked) {
        const std::string log = dir.filePath("run.txt").toStdString();
        WriteLog(log);
        main = std::make_unique<frmMain>(dialogs, dir.filePath("Grafolux.cfg").toStdString());
        main->resize(1200, 700);
        main->show();
        main->LoadLogFile(log);
        auto* items = main->findChild<QComboBox*>("cbLabels");
        auto* lock = main->findChild<QCheckBox*>("chkDisplay");
        for (int k = 1; k <= locked; ++k) {
            emit items->activated(k);
            lock->click();
        }
        emit items->activated(0);
        canvas = main->findChild<QWidget*>("pbGraphContents");
        QApplication::processEvents();
    }
    void Trigger(const char* action) {
        main->findChild<QAction*>(action)->trigger();
        QApplication::processEvents();
    }
    void Move(QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, buttons, {});
        QApplication::sendEvent(canvas, &move);
        QApplication::processEvents();  // the repaint the move asked for
    }
};

// Made on first use, gone before the application object.
std::unique_ptr<Window> theWindow, itemsWindow;

Window& TheWindow() {
    if (!theWindow) theWindow = std::make_unique<Window>(kItems - 1);
    return *theWindow;
}

// Nothing locked: what is drawn is the current item.
Window& ItemsWindow() {
    if (!itemsWindow) itemsWindow = std::make_unique<Window>(0);
    return *itemsWindow;
}

// What a tuner might keep defined; the last one's divisor tells two lists apart.
QStringList TenDefinitions(int divisor) {
    return {"AFR = 14.7 * SENSOR:AUX1 / 0.45",
            "dMAP = SENSOR:MAP - SENSOR:MAP[-1]",
            "Fuel = SENSOR:AUX2 * SENSOR:AUX3 / 16384",
            "Load = SENSOR:MAP / 100 * SENSOR:RPM / 6000",
            "Rising = dMAP > 0 and SENSOR:AUX4 > SENSOR:AUX4[-5]",
            "Lean = AFR > 15 or Fuel > 1.1",
            "Retard = max(0, SENSOR:AUX5[-1] - SENSOR:AUX5)",
            "Warm = if(SENSOR:AUX6 > 80, 1, SENSOR:AUX6 / 80)",
            "Smooth = (SENSOR:RPM[-2] + SENSOR:RPM[-1] + SENSOR:RPM + SENSOR:RPM[1]) / 4",
            "Spread = sqrt(abs(SENSOR:RPM - Smooth)) / " + QString::number(divisor)};
}

// Counts the overlay's paints, to show that each move repaints it.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(int& paints) : paints_(paints) {}
    bool eventFilter(QObject*, QEvent* event) override {
        paints_ += event->type() == QEvent::Paint;
        return false;
    }

private:
    int& paints_;
};

void BM_CursorMove(benchmark::State& state) {
    Window& w = TheWindow();
    QWidget* overlay = w.main->findChild<QWidget*>("GraphOverlay");
    PaintCounter counter(w.paints);
    overlay->installEventFilter(&counter);
    w.paints = 0;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % w.canvas->width();
        w.Move({x, 200}, Qt::NoButton);
    }
    overlay->removeEventFilter(&counter);
    state.counters["overlay_paints_per_move"] =
        static_cast<double>(w.paints) / static_cast<double>(state.iterations());
}

// The yardstick: at zoom 2, the left button held, the mouse moves a pixel: the canvas
// follows it and the visible frame is painted again from the drawn picture.
void BM_DragMove(benchmark::State& state) {
    Window& w = TheWindow();
    auto* zoomIn = w.main->findChild<QToolButton*>("bZoomIn");
    zoomIn->click();
    zoomIn->click();
    QApplication::processEvents();
    int x = 400, step = 1;
    w.Move({x, 200}, Qt::LeftButton);
    for (auto _ : state) {
        if (x > 600 || x < 400) step = -step;
        x += step;
        w.Move({x, 200}, Qt::LeftButton);
    }
}

// Ten definitions taken from the dialog: computed, listed, and the current item (AFR, one of
// them) drawn. Two lists in turn, so that each is a change.
void BM_TenDefinitions(benchmark::State& state) {
    Window& w = ItemsWindow();
    auto* items = w.main->findChild<QComboBox*>("cbLabels");
    w.dialogs.definitions = TenDefinitions(2);
    w.Trigger("ComputedItems");
    emit items->activated(items->findText("AFR"));
    int divisor = 1;
    for (auto _ : state) {
        w.dialogs.definitions = TenDefinitions(divisor = 3 - divisor);
        w.Trigger("ComputedItems");
    }
    state.counters["items"] = items->count();
    state.counters["current_is_AFR"] = items->currentText() == "AFR";
}

// The yardstick: the current item chosen again, its graph drawn again.
void BM_RedrawCurrentItem(benchmark::State& state) {
    Window& w = ItemsWindow();
    auto* items = w.main->findChild<QComboBox*>("cbLabels");
    for (auto _ : state) {
        emit items->activated(items->currentIndex());
        QApplication::processEvents();
    }
}

// Find Next and Previous in turn, the condition's runs found once for the log and range.
void BM_FindNext(benchmark::State& state) {
    Window& w = ItemsWindow();
    w.dialogs.condition = "SENSOR:AUX1 > SENSOR:AUX1[-1] and SENSOR:RPM > 4000";
    w.Trigger("Find");
    bool next = true;
    for (auto _ : state) {
        w.Trigger(next ? "FindNext" : "FindPrevious");
        next = !next;
    }
}

// A new condition each time: its runs found over the million samples, then the first of them.
void BM_FindNewCondition(benchmark::State& state) {
    Window& w = ItemsWindow();
    int threshold = 4000;
    for (auto _ : state) {
        threshold = threshold == 4000 ? 4001 : 4000;
        w.dialogs.condition =
            "SENSOR:AUX1 > SENSOR:AUX1[-1] and SENSOR:RPM > " + QString::number(threshold);
        w.Trigger("Find");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("Window/CursorMove", BM_CursorMove)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Window/DragMove", BM_DragMove)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Window/TenDefinitions", BM_TenDefinitions)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Window/RedrawCurrentItem", BM_RedrawCurrentItem)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Window/FindNext", BM_FindNext)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Window/FindNewCondition", BM_FindNewCondition)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    theWindow.reset();
    itemsWindow.reset();
    benchmark::Shutdown();
}

// The window on the offscreen platform, a 1M-sample log with 10 locked items drawn: a mouse
// move over the graph, from the event to the repainted overlay, against a move that drags
// the zoomed graph by a pixel (the window's own way of following the mouse).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QToolButton>
#include <cmath>
#include <fstream>
#include <memory>

#include "app/Dialogs.h"
#include "app/frmMain.h"
#include "logdata/TextFields.h"

namespace {

using namespace grafolux;

constexpr int kSamples = 1'000'000;
constexpr int kItems = 11;  // the current item and ten locked ones

// Nothing is asked: the benchmark opens its log itself.
class NoDialogs : public Dialogs {
public:
    QString GetOpenFileName(QWidget*, const QString&, const QStringList&, int) override {
        return {};
    }
    QString GetSaveFileName(QWidget*, const QString&, const QStringList&, const QString&) override {
        return {};
    }
    QStringList GetOpenFileNames(QWidget*, const QString&, const QStringList&, int) override {
        return {};
    }
    std::optional<QColor> GetColor(QWidget*, const QColor&) override { return std::nullopt; }
    std::optional<int> GetInteger(QWidget*, const QString&, const QString&, int, int,
                                  int) override {
        return std::nullopt;
    }
    std::optional<QStringList> EditFilters(QWidget*, const QStringList&,
                                           const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QStringList> EditDefinitions(QWidget*, const QStringList&, const QStringList&,
                                               const DefinitionsCheck&) override {
        return std::nullopt;
    }
    std::optional<QString> GetFindCondition(QWidget*, const QString&, const QStringList&,
                                            const ConditionCheck&) override {
        return std::nullopt;
    }
    void Information(QWidget*, const QString&, const QString&) override {}
    void Warning(QWidget*, const QString&, const QString&) override {}
};

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
    NoDialogs dialogs;
    std::unique_ptr<frmMain> main;
    QWidget* canvas = nullptr;
    int paints = 0;  // of the overlay

    Window() {
        const std::string log = dir.filePath("run.txt").toStdString();
        WriteLog(log);
        main = std::make_unique<frmMain>(dialogs, dir.filePath("Grafolux.cfg").toStdString());
        main->resize(1200, 700);
        main->show();
        main->LoadLogFile(log);
        auto* items = main->findChild<QComboBox*>("cbLabels");
        auto* lock = main->findChild<QCheckBox*>("chkDisplay");
        for (int k = 1; k < kItems; ++k) {
            emit items->activated(k);
            lock->click();
        }
        emit items->activated(0);
        canvas = main->findChild<QWidget*>("pbGraphContents");
        QApplication::processEvents();
    }
    void Move(QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, buttons, {});
        QApplication::sendEvent(canvas, &move);
        QApplication::processEvents();  // the repaint the move asked for
    }
};

// Made on first use, gone before the application object.
std::unique_ptr<Window> theWindow;

Window& TheWindow() {
    if (!theWindow) theWindow = std::make_unique<Window>();
    return *theWindow;
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

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("Window/CursorMove", BM_CursorMove)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Window/DragMove", BM_DragMove)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    theWindow.reset();
    benchmark::Shutdown();
}

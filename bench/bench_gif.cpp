// GIF encoding of a full-HD chart, against a general-purpose GIF library writing the same
// already-quantised pixels. Both write to memory for the comparison; the file variants add
// what a save costs on this disk (ours also syncs and renames the file).
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <vector>

#include "draw/Surface.h"
#include "export/GifEncoder.h"
#include "export/GifPalette.h"
#include "export/GifWriter.h"

namespace {

using namespace grafolux;

constexpr int kWidth = 1920, kHeight = 1080;

// Black plot, grey grid, axis labels and six curves in the graph's colours, drawn as the
// graph view draws: crisp lines and text in twips.
QImage ChartPicture() {
    // Text needs a GUI application; no window is ever shown. It lives as long as the program.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_gif";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    Q_UNUSED(app);
    Surface s;
    s.SetBackColor(0);
    s.SetSize(kWidth * kTwipsPerPixel, kHeight * kTwipsPerPixel);
    s.Cls();
    const double w = s.Width(), h = s.Height();
    s.SetForeColor(RGB(64, 64, 64));
    for (double x = 600; x < w; x += 1200) s.Line(x, 120, x, h - 300);
    for (double y = 120; y < h - 300; y += 900) s.Line(600, y, w - 75, y);
    s.SetForeColor(RGB(255, 255, 255));
    for (double y = 120; y < h - 300; y += 900) {
        s.CurrentX = 30;
        s.CurrentY = y;
        s.Print(QString::number(6400 - y / 4));
    }
    const Colour colours[] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 128, 255),
                              RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255)};
    for (int c = 0; c < 6; ++c) {
        s.SetForeColor(colours[c]);
        double fromX = 600, fromY = h / 2;
        for (double x = 600; x < w - 75; x += 15) {
            const double v = std::sin(x / (900.0 + 300 * c)) * 0.3 + std::sin(x / 97.0 + c) * 0.05;
            const double y = (0.15 + 0.12 * c + v * 0.4) * (h - 420) + 120;
            s.Line(fromX, fromY, x, y);
            fromX = x;
            fromY = y;
        }
    }
    return s.image();
}

const QImage& Chart() {
    static const QImage chart = ChartPicture();
    return chart;
}

// The indices and palette our encoder gives the chart: the yardstick writes exactly these.
struct Quantised {
    std::vector<GifPixelType> pixels;
    GifColorType colours[256];
};

const Quantised& QuantisedChart() {
    static const Quantised quantised = [] {
        Quantised q{};
        IndexedRows rows(Chart());
        for (int y = 0; y < kHeight; ++y)
            q.pixels.insert(q.pixels.end(), rows.row(y), rows.row(y) + kWidth);
        for (int n = 0; n < 256; ++n)
            q.colours[n] = {rows.bytPalette()[3 * n], rows.bytPalette()[3 * n + 1],
                            rows.bytPalette()[3 * n + 2]};
        return q;
    }();
    return quantised;
}

int AppendToVector(GifFileType* gif, const GifByteType* bytes, int size) {
    auto* out = static_cast<std::vector<GifByteType>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + size);
    return size;
}

bool GiflibEncode(GifFileType* gif) {
    if (!gif) return false;
    const Quantised& q = QuantisedChart();
    ColorMapObject* map = GifMakeMapObject(256, q.colours);
    bool ok = EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < kHeight; ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(&q.pixels[size_t(y) * kWidth]), kWidth) ==
             GIF_OK;
    GifFreeMapObject(map);
    int error = 0;
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

void BM_GrafoluxToMemory(benchmark::State& state) {
    QByteArray bytes;
    bytes.reserve(1 << 20);
    for (auto _ : state) {
        QBuffer buffer(&bytes);  // opening for writing empties it and keeps its capacity
        buffer.open(QIODevice::WriteOnly);
        if (!WriteGif(Chart(), buffer, false, 0, {})) state.SkipWithError("write failed");
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes.size());
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_GiflibToMemory(benchmark::State& state) {
    QuantisedChart();
    std::vector<GifByteType> bytes;
    bytes.reserve(1 << 20);
    for (auto _ : state) {
        bytes.clear();
        int error = 0;
        if (!GiflibEncode(EGifOpen(&bytes, AppendToVector, &error)))
            state.SkipWithError("giflib failed");
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes.size());
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_GrafoluxSaveGifToFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.gif");
    for (auto _ : state) {
        GIF encoder;
        if (!encoder.SaveGIF(Chart(), path, false, 0)) state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_GiflibToFile(benchmark::State& state) {
    QuantisedChart();
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("chart.gif"));
    for (auto _ : state) {
        int error = 0;
        if (!GiflibEncode(EGifOpenFileName(path.constData(), false, &error)))
            state.SkipWithError("giflib failed");
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

BENCHMARK(BM_GrafoluxToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiflibToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrafoluxSaveGifToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiflibToFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "cli/CliArgs.h"
#include "export/GifEncoder.h"
#include "export/ViewExport.h"
#include "graph/ZoomMath.h"
#include "logdata/TextFields.h"
#include "tables/CellStats.h"
#include "tables/ViewDrawing.h"
#include "tables/ViewMode.h"

namespace grafolux::cli {

namespace {

// The drawing area of the window at its design size, in pixels.
constexpr int kDesignGraphWidth = 537, kDesignGraphHeight = 289;
constexpr double kLegendWidthTwips = 1815;

int32_t ViewNamed(const std::string& name) {
    if (name == "graph") return kViewGraph;
    if (name == "blm") return kViewBlm;
    if (name == "int") return kViewInt;
    throw UsageError("the view must be graph, blm or int");
}

int32_t ItemNamed(const LogData& log, const std::string& name) {
    if (const int32_t k = log.itemNamed(name)) return k;
    throw RuntimeError("the log has no item named " + name);
}

// --item takes an item number or a name.
int32_t ChosenItem(const LogData& log, const std::string& text) {
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
        const double number = Val(text);
        if (number < 1 || number > log.lngItemCount)
            throw RuntimeError("the log has no item " + text);
        return static_cast<int32_t>(number);
    }
    return ItemNamed(log, text);
}

std::pair<int, int> DrawingSize(const std::string& text) {
    int width = 0, height = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &rest) != 2 || width < 1 ||
        height < 1 || width > 32767 || height > 32767)
        throw UsageError("--size needs WxH in pixels, not " + text);
    return {width, height};
}

}  // namespace

void RunExport(const CliArgs& args, const Print&) {
    args.expectPositional(3);
    // Text is drawn through the font system, which needs a (window-less) application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "grafolux-cli";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    const int32_t viewMode = ViewNamed(args.positional()[0]);
    const auto [width, height] =
        args.option("--size") ? DrawingSize(*args.option("--size"))
                              : std::pair{kDesignGraphWidth, kDesignGraphHeight};
    const DisplayColors colors;
    LogData log = LoadLogOrThrow(args.positional()[1], colors.lngItemColor);

    // --fill shows a filled item, which only a locked item can be.
    for (const std::string& name : args.options("--lock"))
        log.udtItems[ItemNamed(log, name)].blnLocked = true;
    for (const std::string& name : args.options("--fill")) {
        ItemInfo& item = log.udtItems[ItemNamed(log, name)];
        item.blnLocked = item.blnFilled = true;
    }
    const std::string first = args.option("--first").value_or("1");
    const std::string last = args.option("--last").value_or(std::to_string(log.lngSampleCount));

    DrawingArea area;
    PaintBackgrounds(area, colors);
    area.pbGraph.SetSize(width * kTwipsPerPixel, height * kTwipsPerPixel);
    area.pbLegend.SetSize(kLegendWidthTwips, height * kTwipsPerPixel);
    if (viewMode == kViewGraph) {
        const int32_t item = args.option("--item") ? ChosenItem(log, *args.option("--item")) : 1;
        const double zoom = ClampZoom(args.option("--zoom") ? Val(*args.option("--zoom")) : 1.0);
        DrawGraphForRange(area, log, {item, zoom, 0}, first, last, colors);
    } else {
        DrawCellTableForRange(area, log, viewMode == kViewBlm ? kBlmTable : kIntTable, first,
                              last, colors);
    }

    GIF encoder;
    QString error;
    if (!encoder.SaveGIF(ComposeView(area, viewMode), QFile::decodeName(args.positional()[2].c_str()),
                         false, 0, &error))
        throw RuntimeError(error.toStdString());
}

}  // namespace grafolux::cli

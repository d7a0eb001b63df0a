#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

#include "cli/CliArgs.h"
#include "export/GifEncoder.h"
#include "export/GifWriter.h"
#include "export/PngWriter.h"
#include "files/FileChecks.h"
#include "graph/Comparison.h"
#include "graph/ZoomMath.h"
#include "logdata/TextFields.h"
#include "plots/ScatterDrawing.h"
#include "views/FormLayout.h"
#include "views/ViewDrawing.h"
#include "views/ViewExport.h"
#include "views/ViewMode.h"

namespace grafolux::cli {

namespace {

ViewMode ViewNamed(const std::string& name) {
    if (name == "graph") return ViewMode::Graph;
    if (name == "blm") return ViewMode::Blm;
    if (name == "int") return ViewMode::Int;
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

// WxH: two whole numbers of pixels from 1 up, nothing else.
QSize DrawingSize(const std::string& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^([1-9][0-9]{0,5})x([1-9][0-9]{0,5})$"));
    const auto match = pattern.match(QString::fromStdString(text));
    if (!match.hasMatch()) throw UsageError("--size needs WxH in pixels, not " + text);
    return {match.captured(1).toInt(), match.captured(2).toInt()};
}

enum class PictureFormat { Gif, Png };

// The picture's format by its file name's extension, whatever its letter case.
PictureFormat FormatOf(const std::string& path) {
    const QString extension = QFileInfo(QFile::decodeName(path.c_str())).suffix().toLower();
    if (extension == "gif") return PictureFormat::Gif;
    if (extension == "png") return PictureFormat::Png;
    throw UsageError("the picture's name must end in .gif or .png: " + path);
}

// Only the graph has a current item, locked items, a zoom and an offset comparison.
void RefuseGraphOptions(const CliArgs& args) {
    for (const char* option : {"--item", "--lock", "--fill", "--zoom", "--offset"})
        if (!args.options(option).empty())
            throw UsageError(std::string(option) + " applies to the graph view only");
}

// The one log --versus names, if any.
std::optional<std::string> VersusPath(const CliArgs& args, const char* view) {
    const std::vector<std::string> paths = args.options("--versus");
    if (paths.size() > 1) throw UsageError(std::string("--versus takes one log for ") + view);
    if (paths.empty()) return std::nullopt;
    return paths.front();
}

// Text is drawn through the font system, which needs an application object. The command
// never shows a window, so it draws offscreen whatever platform the environment names.
std::unique_ptr<QGuiApplication> WindowlessApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "grafolux-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Only the scatter plot has axes of items, filters and further logs.
void RefuseScatterOptions(const CliArgs& args) {
    for (const char* option : {"--x", "--y", "--colour", "--where", "--include"})
        if (!args.options(option).empty())
            throw UsageError(std::string(option) + " applies to the scatter plot only");
}

QSize SizeArg(const CliArgs& args, const FormLayout& layout) {
    return args.option("--size")
               ? DrawingSize(*args.option("--size"))
               : QSize(TwipsToPixels(layout.pbGraph.Width), TwipsToPixels(layout.pbGraph.Height));
}

// A GIF's size is limited; a PNG is as large as memory allows.
void CheckPictureSize(QSize size, const FormLayout& layout, ViewMode view, PictureFormat format) {
    if (const QString problem =
            GifSizeProblem(ComposedSize(size, TwipsToPixels(layout.pbLegend.Width), view));
        format == PictureFormat::Gif && !problem.isEmpty())
        throw UsageError("--size " + std::to_string(size.width()) + "x" +
                         std::to_string(size.height()) + " is too large: " + problem.toStdString());
}

// The drawing area of a window whose pbGraph is `size` pixels.
void SizeArea(DrawingArea& area, QSize size, const FormLayout& layout,
              const DisplayColors& colors) {
    PaintBackgrounds(area, colors);
    area.pbGraph.SetSize(size.width() * kTwipsPerPixel, size.height() * kTwipsPerPixel);
    area.pbLegend.SetSize(layout.pbLegend.Width, size.height() * kTwipsPerPixel);
}

// Composes the view as "Save As" does and writes it to `out`.
void SaveView(const DrawingArea& area, ViewMode view, const std::string& out,
              PictureFormat format) {
    const QImage picture = ComposeView(area, view);
    if (picture.isNull() || area.pbGraph.OutOfMemory() || area.pbGraphContents.OutOfMemory() ||
        area.pbLegend.OutOfMemory())
        throw RuntimeError("not enough memory to draw a view this large");
    const QString path = QFile::decodeName(out.c_str());
    QString error;
    if (!(format == PictureFormat::Png ? SavePng(picture, path, &error)
                                       : GIF().SaveGIF(picture, path, false, 0, &error)))
        throw RuntimeError(error.toStdString());
}

void ExportScatter(const CliArgs& args) {
    args.expectPositional(3);
    RefuseGraphOptions(args);
    const auto versusPath = VersusPath(args, "a scatter plot");
    const std::string& out = args.positional()[2];
    const PictureFormat format = FormatOf(out);
    const auto x = args.option("--x"), y = args.option("--y");
    if (!x || !y) throw UsageError("a scatter plot needs --x ITEM and --y ITEM");
    const ScatterItems items{*x, *y, args.option("--colour")};
    const FormLayout layout = DefaultLayout();
    const QSize size = SizeArg(args, layout);
    CheckPictureSize(size, layout, ViewMode::Scatter, format);
    const std::vector<SampleCondition> conditions = WhereConditions(args, "export");
    const std::vector<Definition> definitions = DefineArgs(args, "export");
    std::vector<std::string> read = ItemsOf(items);
    for (const SampleCondition& condition : conditions) read.push_back(condition.item);
    std::vector<std::string> paths = {args.positional()[1]};
    for (const std::string& path : args.options("--include")) paths.push_back(path);
    const PooledLogs logs =
        LoadRangedLogs(args, paths, 1, {ItemsToKeep(definitions, read), 0}, definitions);
    const auto kept = KeepScatterSamples(logs.Sources(), items, conditions);
    if (const auto* lack = std::get_if<PlotLack>(&kept))
        throw RuntimeError(logs.paths[lack->log] + ": no item named " + lack->item);
    const KeptSamples& samples = std::get<KeptSamples>(kept);
    for (size_t i = 0; i < logs.paths.size(); ++i)
        CheckConditionItems(args, logs.paths[i], samples.missingConditions[i]);
    std::optional<VersusSamples> versus;
    if (versusPath) {
        const PooledLogs b = LoadRangedLogs(args, {*versusPath}, 1,
                                            {ItemsToKeep(definitions, read), 0}, definitions);
        versus = KeepVersusSamples(FileTitle(*versusPath), b.Sources().front(), items, conditions);
        if (const auto* kept = std::get_if<KeptSamples>(&versus->samples))
            CheckConditionItems(args, *versusPath, kept->missingConditions.front());
    }

    const auto application = WindowlessApplication();
    const DisplayColors colors;
    DrawingArea area;
    SizeArea(area, size, layout, colors);
    DrawScatter(area, samples, items, conditions, colors, versus ? &*versus : nullptr);
    SaveView(area, ViewMode::Scatter, out, format);
}

}  // namespace

void RunExport(const CliArgs& args, const Print&) {
    if (!args.positional().empty() && args.positional()[0] == "scatter") return ExportScatter(args);
    RefuseScatterOptions(args);
    args.expectPositional(3);
    const ViewMode view = ViewNamed(args.positional()[0]);
    const std::string& out = args.positional()[2];
    const PictureFormat format = FormatOf(out);
    if (view != ViewMode::Graph) {
        RefuseGraphOptions(args);
        if (args.option("--versus"))
            throw UsageError("--versus applies to the graph and the scatter plot only");
    }
    const auto versusPath = VersusPath(args, "a graph");
    if (!versusPath && args.option("--offset"))
        throw UsageError("--offset needs a log to compare, given by --versus");
    const std::string offsetText = args.option("--offset").value_or("0");
    const bool wholeOffset = !offsetText.empty() && offsetText.size() <= 18 &&
                             offsetText.find_first_not_of(
                                 "0123456789", offsetText[0] == '-' ? 1 : 0) == std::string::npos &&
                             offsetText != "-";
    if (!wholeOffset)
        throw BadValue("export", "--offset needs a whole number of samples, not " + offsetText);
    const FormLayout layout = DefaultLayout();
    const QSize size = SizeArg(args, layout);
    CheckPictureSize(size, layout, view, format);

    const std::vector<Definition> definitions = DefineArgs(args, "export");
    const DisplayColors colors;
    const std::string& logPath = args.positional()[1];
    LogData log = LoadLogOrThrow(args, logPath, colors.lngItemColor);
    AttachDefinitions(log, logPath, definitions, colors.lngItemColor);
    // --fill shows a filled item, which only a locked item can be.
    for (const std::string& name : args.options("--lock"))
        log.udtItems[ItemNamed(log, name)].blnLocked = true;
    for (const std::string& name : args.options("--fill")) {
        ItemInfo& item = log.udtItems[ItemNamed(log, name)];
        item.blnLocked = item.blnFilled = true;
    }
    const int32_t item = args.option("--item") ? ChosenItem(log, *args.option("--item")) : 1;
    const double zoom = ClampZoom(args.option("--zoom") ? Val(*args.option("--zoom")) : 1.0);
    const std::string first = args.option("--first").value_or("1");
    const std::string last = args.option("--last").value_or(std::to_string(log.lngSampleCount));

    std::optional<LogData> versus;
    if (versusPath) {
        versus = LoadLogOrThrow(args, *versusPath, colors.lngItemColor);
        AttachDefinitions(*versus, *versusPath, definitions, colors.lngItemColor);
    }

    const auto application = WindowlessApplication();
    DrawingArea area;
    SizeArea(area, size, layout, colors);
    if (view == ViewMode::Graph)
        DrawGraphForRange(area, log, {item, zoom, 0}, first, last, colors,
                          versus ? std::optional(GraphComparison{
                                       &*versus,
                                       ClampOffset(std::stoll(offsetText), log.lngSampleCount,
                                                   versus->lngSampleCount),
                                       FileTitle(logPath), FileTitle(*versusPath)})
                                 : std::nullopt);
    else
        DrawCellTableForRange(area, log, *TableKindOf(view), first, last, colors);
    SaveView(area, view, out, format);
}

}  // namespace grafolux::cli

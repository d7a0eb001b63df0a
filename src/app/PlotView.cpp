// The scatter plot's and the histogram's menu entries, numbers, commands and mouse.
#include "app/PlotView.h"

#include <QToolTip>
#include <QWidget>
#include <variant>

#include "app/CellMouse.h"
#include "app/Dialogs.h"
#include "app/GraphReadout.h"
#include "app/LogDocument.h"
#include "app/PictureBox.h"
#include "app/WindowActions.h"
#include "draw/DisplayText.h"
#include "draw/NumberFormat.h"
#include "plots/PixelSamples.h"
#include "views/PlotCommand.h"
#include "views/PlotViewDrawing.h"
#include "views/SampleRange.h"
#include "views/ShellWords.h"

namespace grafolux {

namespace {

const QString kNoColourItem = QStringLiteral("(none)");

// The name of the log's current item.
const std::string& CurrentItemName(const LogDocument& document) {
    return document.log().udtItems[static_cast<size_t>(document.currentItem())].strName;
}

QString SamplesText(uint32_t count) {
    return FormatGrouped(count, 0) + (count == 1 ? " sample" : " samples");
}

}  // namespace

PlotView::PlotView(LogDocument& document, const DrawingArea& area, ActionRegistry& actions,
                   Dialogs& dialogs, GraphReadout& readout, PictureBox& canvas, QWidget& window)
    : QObject(&window),
      document_(document),
      area_(area),
      dialogs_(dialogs),
      readout_(readout),
      canvas_(canvas),
      window_(window) {
    actions.Bind(ActionId::ScatterPlot, [this] { mScatterPlot_Click(); });
    actions.Bind(ActionId::Histogram, [this] { document_.ShowView(ViewMode::Histogram); });
    actions.Bind(ActionId::HistogramBins, [this] { mHistogramBins_Click(); });
    actions.Bind(ActionId::HistogramPercent, [this] {
        PlotPreferences choices = document_.plotChoices();
        choices.percent = !choices.percent;
        document_.SetPlotChoices(choices);
    });
    actions.Bind(ActionId::CopyTable, [this] { mCopyTable_Click(); });
    actions.Bind(ActionId::CopyCommand, [this] { mCopyCommand_Click(); });
    new CellMouse(canvas_,
                  {[this] { return document_.viewMode() == ViewMode::Scatter; },
                   [this](QPoint point, QPoint global) { ShowPixelTip(point, global); },
                   [this](QPoint point) { MarkPixel(point); }},
                  *this);
}

void PlotView::ShowScatter(std::shared_ptr<const ScatterGrids> grids) {
    shownGrids_ = std::move(grids);
}

// X, Y and the colour item asked in turn, offering the log's items; a cancel changes nothing.
void PlotView::mScatterPlot_Click() {
    if (!document_.loaded()) return;
    const PlotPreferences& current = document_.plotChoices();
    const QStringList items = document_.ItemNames();
    const auto name = [&](const std::string& kept, int fallback) {
        return kept.empty() ? items.value(fallback) : QString::fromStdString(kept);
    };
    const auto x = dialogs_.GetItemName(&window_, "Scatter Plot", "The item across (X):", items,
                                        name(current.x, 1));
    if (!x) return;
    const auto y = dialogs_.GetItemName(&window_, "Scatter Plot", "The item up (Y):", items,
                                        name(current.y, 2));
    if (!y) return;
    const auto colour = dialogs_.GetItemName(
        &window_, "Scatter Plot",
        "The item whose mean colours each pixel:", QStringList{kNoColourItem} + items,
        current.colour.empty() ? kNoColourItem : QString::fromStdString(current.colour));
    if (!colour) return;
    PlotPreferences choices = current;
    choices.x = x->trimmed().toStdString();
    choices.y = y->trimmed().toStdString();
    choices.colour =
        colour->trimmed() == kNoColourItem ? std::string() : colour->trimmed().toStdString();
    document_.SetPlotChoices(choices);
    document_.ShowView(ViewMode::Scatter);
}

void PlotView::mHistogramBins_Click() {
    const auto bins = dialogs_.GetInteger(&window_, "Histogram Bins",
                                          "The number of equal bins from the smallest value to "
                                          "the largest:",
                                          document_.plotChoices().bins, 1, kMostHistogramBins);
    if (!bins) return;
    PlotPreferences choices = document_.plotChoices();
    choices.bins = *bins;
    document_.SetPlotChoices(choices);
}

// The histogram's bins as `grafolux-cli histogram` prints them.
void PlotView::mCopyTable_Click() {
    const LogDocument& d = document_;
    if (d.viewMode() != ViewMode::Histogram) return;
    const TableSettings settings = d.tableSettings();
    const auto kept = HistogramSamplesForRange(d.log(), d.firstText(), d.lastText(), settings,
                                               CurrentItemName(d));
    if (const auto* lack = std::get_if<PlotLack>(&kept))
        return dialogs_.Warning(&window_, "Copy Table", PlotLackNotice(*lack, settings));
    const auto histogram = HistogramOf(std::get<KeptSamples>(kept).values[0], d.plotChoices().bins);
    if (!histogram) return dialogs_.Warning(&window_, "Copy Table", "No sample is left to count.");
    CopyText(dialogs_, &window_, "Copy Table", "table",
             QString::fromStdString(HistogramText(*histogram)));
}

// The command that draws the scatter plot as shown (to scatter.png in the folder it runs in)
// or prints the histogram's bins.
void PlotView::mCopyCommand_Click() {
    const LogDocument& d = document_;
    const ViewMode view = d.viewMode();
    if (!IsPlotView(view)) return;
    const ScatterItems items = d.scatterItems();
    const std::string& item = CurrentItemName(d);
    const bool scatter = view == ViewMode::Scatter;
    const PlotCommandLogs logs = WindowPlotLogs(
        d.shownPath(), d.log(), d.firstText(), d.lastText(), d.tableSettings(), d.definitions(),
        scatter ? ItemsOf(items) : std::vector{item}, scatter ? d.versusLog() : std::nullopt);
    const std::vector<std::string> words =
        scatter ? ScatterCommandWords(logs, "scatter.png", items, area_.pbGraph.image().size())
                : HistogramCommandWords(logs, item, d.plotChoices().bins);
    CopyText(dialogs_, &window_, "Copy Command", "command",
             QString::fromLocal8Bit(ShellCommandLine(words)));
}

// ---- The pixel under the mouse ----

bool PlotView::OnPlot(QPoint point) const {
    return shownGrids_ && point.x() >= 0 && point.y() >= 0 &&
           point.x() < shownGrids_->shown.width() && point.y() < shownGrids_->shown.height();
}

void PlotView::ShowPixelTip(QPoint point, QPoint globalPoint) {
    if (!OnPlot(point)) {
        QToolTip::hideText();
        return;
    }
    const PointGrid& grid = shownGrids_->shown;
    const double x = grid.xAxis().ValueAt(point.x() + 0.5);
    const double y = grid.yAxis().ValueAt(grid.height() - point.y() - 0.5);
    const uint32_t count = grid.CountAt(point.x(), point.y());
    QString text =
        "X " + FormatGeneral(x, 6) + "\nY " + FormatGeneral(y, 6) + "\n" + SamplesText(count);
    if (const auto mean = grid.MeanAt(point.x(), point.y()))
        text +=
            "\nmean " + DisplayText(document_.plotChoices().colour) + " " + FormatGeneral(*mean, 6);
    if (const auto& versus = shownGrids_->versus; versus && document_.versus()) {
        text += "\n" + document_.versus()->title + ": " +
                SamplesText(versus->CountAt(point.x(), point.y()));
    }
    QToolTip::showText(globalPoint, text, &canvas_);
}

// The shown log's samples on the pixel, marked on the graph at each of its drawings; the graph
// centred on the one nearest the point clicked.
void PlotView::MarkPixel(QPoint point) {
    if (!OnPlot(point) || shownGrids_->shown.CountAt(point.x(), point.y()) == 0) return;
    const PointGrid& grid = shownGrids_->shown;
    const PlotPixel pixel{grid.xAxis(), grid.yAxis(), point.x(), point.y()};
    const ScatterItems items = document_.scatterItems();
    const double x = grid.xAxis().ValueAt(point.x() + 0.5);
    const double y = grid.yAxis().ValueAt(grid.height() - point.y() - 0.5);
    const LogData& log = document_.log();
    const SampleMarks marks =
        MarkPixelSamples(log, std::max(RoundedRangeNumber(document_.firstText()), 1),
                         std::min(RoundedRangeNumber(document_.lastText()), log.lngSampleCount),
                         items, document_.tableChoices().conditions, pixel);
    const QString name = "X " + FormatGeneral(x, 6) + ", Y " + FormatGeneral(y, 6);
    readout_.MarkOnGraph(
        name,
        [this, items, pixel](int32_t first, int32_t last) {
            return MarkPixelSamples(document_.log(), first, last, items,
                                    document_.tableChoices().conditions, pixel);
        },
        NearestSample(marks, log, items, pixel, x, y));
}

}  // namespace grafolux

#include "views/PlotViewDrawing.h"

#include <vector>

#include "draw/DisplayText.h"
#include "plots/PlotFrame.h"

namespace grafolux {

std::variant<KeptSamples, PlotLack> ScatterSamplesForRange(const LogData& log,
                                                           std::string_view firstText,
                                                           std::string_view lastText,
                                                           const TableSettings& settings,
                                                           const ScatterItems& items) {
    return KeepScatterSamples(SourcesForRange(log, firstText, lastText, settings), items,
                              settings.conditions);
}

std::variant<KeptSamples, PlotLack> HistogramSamplesForRange(const LogData& log,
                                                             std::string_view firstText,
                                                             std::string_view lastText,
                                                             const TableSettings& settings,
                                                             const std::string& item) {
    const std::string names[] = {item};
    return KeepSamples(SourcesForRange(log, firstText, lastText, settings), names, 1,
                       settings.conditions);
}

QString PlotLackNotice(const PlotLack& lack, const TableSettings& settings) {
    const QString name = lack.log == 0 ? settings.loadedName : settings.included[lack.log - 1].name;
    return name + " has no item " + DisplayText(lack.item);
}

std::optional<ScatterGrids> DrawScatterForRange(
    DrawingArea& area, const LogData& log, std::string_view firstText, std::string_view lastText,
    const DisplayColors& colors, const TableSettings& settings, const ScatterItems& items,
    const std::optional<VersusLog>& versus) {
    auto samples = ScatterSamplesForRange(log, firstText, lastText, settings, items);
    if (const auto* lack = std::get_if<PlotLack>(&samples)) {
        PlacePlot(area);
        DrawPlotNotice(area, PlotLackNotice(*lack, settings), colors);
        return std::nullopt;
    }
    const auto versusSamples =
        versus ? std::optional(KeepVersusSamples(
                     versus->name, VersusSourceForRange(*versus->log, firstText, lastText), items,
                     settings.conditions))
               : std::nullopt;
    return DrawScatter(area, std::get<KeptSamples>(samples), items, settings.conditions, colors,
                       versusSamples ? &*versusSamples : nullptr);
}

std::optional<Histogram> DrawHistogramForRange(
    DrawingArea& area, const LogData& log, std::string_view firstText, std::string_view lastText,
    const DisplayColors& colors, const TableSettings& settings, const std::string& item,
    const HistogramChoice& choice) {
    const auto samples = HistogramSamplesForRange(log, firstText, lastText, settings, item);
    if (const auto* lack = std::get_if<PlotLack>(&samples)) {
        PlacePlot(area);
        DrawPlotNotice(area, PlotLackNotice(*lack, settings), colors);
        return std::nullopt;
    }
    return DrawHistogram(area, std::get<KeptSamples>(samples), item, choice, settings.conditions,
                         colors);
}

}  // namespace grafolux

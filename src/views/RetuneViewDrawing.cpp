#include "views/RetuneViewDrawing.h"

namespace grafolux {

std::variant<RetuneOfLogs, RetuneLack> RetuneForRange(const LogData& log, const FuelMap& map,
                                                      std::string_view firstText,
                                                      std::string_view lastText,
                                                      const TableSettings& tables,
                                                      const RetuneChoices& choices) {
    return RetuneLogs(map, SourcesForRange(log, firstText, lastText, tables), choices.factor,
                      tables.conditions, choices.settings);
}

QString RetuneNotice(const RetuneLack& lack, const TableSettings& tables) {
    const QString name = lack.log == 0 ? tables.loadedName : tables.included[lack.log - 1].name;
    return "No retune: " + name + " has no item named " + QString::fromStdString(lack.item) + ".";
}

RetuneDrawn DrawRetuneForRange(DrawingArea& area, const LogData& log, const FuelMap* map,
                               std::string_view firstText, std::string_view lastText,
                               const DisplayColors& colors, const TableSettings& tables,
                               const RetuneChoices& choices) {
    if (!map) {
        DrawRetuneNotice(area,
                         QString::fromUtf8("Paste a fuel map (Ctrl+V) or open one "
                                           "(Table \u2192 Open Map\u2026)."),
                         colors);
        return {};
    }
    const auto retuned = RetuneForRange(log, *map, firstText, lastText, tables, choices);
    if (const auto* lack = std::get_if<RetuneLack>(&retuned)) {
        DrawRetuneNotice(area, RetuneNotice(*lack, tables), colors);
        return {};
    }
    const RetuneOfLogs& done = std::get<RetuneOfLogs>(retuned);
    DrawRetuneMap(area, *map, done.result, choices.settings.maxChange, colors);

    RetuneLegendInput legend;
    legend.factor = choices.factor ? QString::fromStdString(*choices.factor) : QString();
    legend.settings = choices.settings;
    legend.logs.push_back(tables.loadedName);
    for (const IncludedLog& included : tables.included) legend.logs.push_back(included.name);
    legend.conditions = tables.conditions;
    legend.conditionIgnored.assign(tables.conditions.size(), false);
    for (const std::vector<size_t>& missing : done.missingConditions)
        for (const size_t i : missing) legend.conditionIgnored[i] = true;
    legend.evidence = done.result.evidence;
    RetuneDrawn drawn{done.result, RetuneLegendLines(legend)};
    DrawTableLegend(area, drawn.legend, ChangeScale(choices.settings.maxChange), colors);
    return drawn;
}

}  // namespace grafolux

#include <charconv>

#include "cli/CliArgs.h"
#include "plots/Histogram.h"
#include "plots/KeptSamples.h"

namespace grafolux::cli {

namespace {

// --bins: a whole number 1 … kMostHistogramBins.
int32_t BinsArg(const CliArgs& args) {
    const std::string text = args.option("--bins").value_or(std::to_string(kDefaultHistogramBins));
    int32_t bins = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bins);
    if (error != std::errc() || end != text.data() + text.size() || bins < 1 ||
        bins > kMostHistogramBins)
        throw BadValue("histogram", "--bins needs a whole number 1 to " +
                                        std::to_string(kMostHistogramBins) + ", not " + text);
    return bins;
}

}  // namespace

void RunHistogram(const CliArgs& args, const Print& print) {
    args.expectPositional(2);
    const std::string& item = args.positional()[1];
    const int32_t bins = BinsArg(args);
    const std::string format = args.option("--format").value_or("text");
    if (format != "text" && format != "csv")
        throw BadValue("histogram", "--format must be text or csv, not " + format);
    const std::vector<SampleCondition> conditions = WhereConditions(args, "histogram");
    const std::vector<Definition> definitions = DefineArgs(args, "histogram");
    std::vector<std::string> read = {item};
    for (const SampleCondition& condition : conditions) read.push_back(condition.item);
    std::vector<std::string> paths = {args.positional()[0]};
    for (const std::string& path : args.options("--include")) paths.push_back(path);
    const PooledLogs logs =
        LoadRangedLogs(args, paths, 1, {ItemsToKeep(definitions, read), 0}, definitions);
    const std::string items[] = {item};
    const auto kept = KeepSamples(logs.Sources(), items, 1, conditions);
    if (const auto* lack = std::get_if<PlotLack>(&kept))
        throw RuntimeError(logs.paths[lack->log] + ": no item named " + lack->item);
    const KeptSamples& samples = std::get<KeptSamples>(kept);
    for (size_t i = 0; i < logs.paths.size(); ++i)
        CheckConditionItems(args, logs.paths[i], samples.missingConditions[i]);
    const auto histogram = HistogramOf(samples.values[0], bins);
    if (!histogram) throw RuntimeError("no value of " + item + " is left to count");
    print(format == "csv" ? HistogramCsv(*histogram) : HistogramText(*histogram));
}

}  // namespace grafolux::cli

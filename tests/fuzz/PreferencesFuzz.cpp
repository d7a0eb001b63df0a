// The table and retune preferences and the computed items' definitions on any keys and texts: each
// value outside its domain keeps its default (a definition that does not parse is left out), what
// is read is written back to the same keys and read again unchanged, and the same through a file:
// for a share of the inputs the bytes are a Preferences.ini, loaded, saved into that very file
// and loaded again.
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>

#include "FuzzKit.h"
#include "formula/Definitions.h"
#include "settings/DefinitionPreferences.h"
#include "settings/RetunePreferences.h"
#include "settings/TablePreferences.h"

using namespace grafolux;

namespace {

constexpr int kMostConditions = 100;

constexpr std::array<const char*, 20> kKeys = {
    "Table/Statistic",   "Table/MinimumSamples", "Table/Colour",         "Table/Filter1",
    "Table/Filter2",     "Table/Filter3",        "Table/Filter0",        "Table/Filter01",
    "Statistic",         "table/Statistic",      "Other/Colour",         "Table/Filter101",
    "Items/Definition1", "Items/Definition2",    "Items/Definition3",    "Items/Definition01",
    "Retune/Factor",     "Retune/Cells",         "Retune/MinimumWeight", "Retune/MaximumChange",
};

// The statistic a text names, Mean (the default) for any other text.
CellStatistic ExpectedStatistic(const std::string* text) {
    for (const auto s : {CellStatistic::Mean, CellStatistic::Count, CellStatistic::Minimum,
                         CellStatistic::Maximum, CellStatistic::StdDev})
        if (text && *text == StatisticName(s)) return s;
    return CellStatistic::Mean;
}

// A whole number from 1 to the largest int32 in plain digits, 1 (the default) for anything else.
int32_t ExpectedMinimum(const std::string* text) {
    if (!text || text->empty() || text->find_first_not_of("0123456789") != std::string::npos)
        return 1;
    int64_t number = 0;
    for (char digit : *text) {
        number = number * 10 + (digit - '0');
        if (number > std::numeric_limits<int32_t>::max()) return 1;
    }
    return number >= 1 ? static_cast<int32_t>(number) : 1;
}

void CheckDomains(const std::map<std::string, std::string>& values, const TablePreferences& read) {
    const auto value = [&](const char* key) -> const std::string* {
        const auto found = values.find(key);
        return found == values.end() ? nullptr : &found->second;
    };
    FUZZ_CHECK(read.look.show.statistic == ExpectedStatistic(value("Table/Statistic")));
    FUZZ_CHECK(read.look.show.minCount == ExpectedMinimum(value("Table/MinimumSamples")));
    const std::string* colour = value("Table/Colour");
    FUZZ_CHECK(read.look.coloured == (colour && *colour == "true"));

    // The conditions that parse among Filter1, Filter2 ... up to the first missing one.
    std::vector<SampleCondition> conditions;
    for (int n = 1; n <= kMostConditions; ++n) {
        const std::string* text = value(("Table/Filter" + std::to_string(n)).c_str());
        if (!text) break;
        auto parsed = ParseCondition(*text);
        if (auto* condition = std::get_if<SampleCondition>(&parsed))
            conditions.push_back(std::move(*condition));
    }
    FUZZ_CHECK(read.conditions == conditions);
}

// Definition1, Definition2 … up to the first one missing, each kept when the list reads it.
void CheckDefinitions(const std::map<std::string, std::string>& values,
                      const std::vector<std::string>& read) {
    std::vector<std::string> texts;
    for (int n = 1; n <= kMaxDefinitions; ++n) {
        const auto found = values.find("Items/Definition" + std::to_string(n));
        if (found == values.end()) break;
        texts.push_back(found->second);
    }
    const auto each = ParseEachDefinition(texts);
    std::vector<std::string> expected;
    for (size_t i = 0; i < texts.size(); ++i)
        if (std::holds_alternative<Definition>(each[i])) expected.push_back(texts[i]);
    FUZZ_CHECK(read == expected);
    FUZZ_CHECK(std::holds_alternative<std::vector<Definition>>(ParseDefinitions(read)));
    const auto written = DefinitionsValues(read);
    for (const auto& [key, text] : written) FUZZ_CHECK(key.starts_with("Items/Definition"));
    FUZZ_CHECK(DefinitionsFrom(written) == read);
}

// Plain decimals 0 or more that a double holds, `fallback` for anything else.
double ExpectedNumber(const std::string* text, double fallback) {
    if (!text || text->empty() || text->find_first_not_of("0123456789.") != std::string::npos ||
        text->front() == '.' || text->back() == '.' ||
        std::count(text->begin(), text->end(), '.') > 1)
        return fallback;
    const double value = std::strtod(text->c_str(), nullptr);
    return std::isfinite(value) ? value : fallback;
}

void CheckRetune(const std::map<std::string, std::string>& values) {
    const auto value = [&](const char* key) -> const std::string* {
        const auto found = values.find(key);
        return found == values.end() ? nullptr : &found->second;
    };
    const RetunePreferences read = RetunePreferencesFrom(values);
    const std::string* factor = value("Retune/Factor");
    FUZZ_CHECK(read.factor == (factor && !factor->empty() ? std::optional(*factor) : std::nullopt));
    const std::string* cells = value("Retune/Cells");
    FUZZ_CHECK((read.settings.weighting == CellWeighting::Nearest) ==
               (cells && *cells == "nearest"));
    FUZZ_CHECK(read.settings.minWeight == ExpectedNumber(value("Retune/MinimumWeight"), 5));
    FUZZ_CHECK(read.settings.maxChange == ExpectedNumber(value("Retune/MaximumChange"), 10));
    FUZZ_CHECK(!RetuneSettingsError(read.settings));
    const auto written = RetunePreferencesValues(read);
    for (const auto& [key, text] : written) FUZZ_CHECK(key.starts_with("Retune/"));
    FUZZ_CHECK(RetunePreferencesFrom(written) == read);
}

void CheckRoundTrip(const TablePreferences& read) {
    const auto values = TablePreferencesValues(read);
    for (const auto& [key, text] : values) FUZZ_CHECK(key.starts_with("Table/"));
    FUZZ_CHECK(TablePreferencesFrom(values) == read);
}

// Keys chosen by a byte each, then their texts; for one `mode` in eight (it is slow), a list of
// conditions longer than the most kept comes first.
std::map<std::string, std::string> ValuesFrom(fuzz::FuzzInput& input, uint8_t mode) {
    std::map<std::string, std::string> values;
    if (mode % 8 == 6)
        for (int n = 1; n <= kMostConditions + 1 + (mode >> 3) % 4; ++n)
            values["Table/Filter" + std::to_string(n)] = "A<" + std::to_string(n);
    while (!input.AtEnd()) {
        const char* key = kKeys[input.Byte() % kKeys.size()];
        values[key] = input.Until('\0');
    }
    return values;
}

void CheckFile(std::string_view text) {
    static const QTemporaryDir folder;
    static const std::string path = folder.filePath("Preferences.ini").toStdString();
    static int64_t written = 0;
    std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
    // Settings files read before are kept in memory until their size or time changes: a new
    // time each round, as if a second had passed.
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type(std::chrono::seconds(++written)));

    const TablePreferences read = LoadTablePreferences(path);
    const std::vector<std::string> definitions = LoadDefinitions(path);
    const RetunePreferences retune = LoadRetunePreferences(path);
    CheckRoundTrip(read);
    FUZZ_CHECK(SaveRetunePreferences(path, retune));
    FUZZ_CHECK(LoadRetunePreferences(path) == retune);
    FUZZ_CHECK(SaveTablePreferences(path, read));
    FUZZ_CHECK(LoadTablePreferences(path) == read);
    FUZZ_CHECK(LoadDefinitions(path) == definitions);  // the other group as it was
    FUZZ_CHECK(SaveDefinitions(path, definitions));
    FUZZ_CHECK(LoadDefinitions(path) == definitions);
    FUZZ_CHECK(LoadTablePreferences(path) == read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t mode = input.Byte();
    if (mode % 4 == 1) {
        CheckFile(input.Rest());
        return 0;
    }
    const auto values = ValuesFrom(input, mode);
    const TablePreferences read = TablePreferencesFrom(values);
    CheckDomains(values, read);
    CheckRoundTrip(read);
    CheckDefinitions(values, DefinitionsFrom(values));
    CheckRetune(values);
    return 0;
}

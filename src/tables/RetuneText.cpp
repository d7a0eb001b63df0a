#include "tables/RetuneText.h"

#include <charconv>
#include <vector>

#include "tables/CellTableText.h"

namespace grafolux {

namespace {

std::vector<std::vector<std::string>> RetuneFields(const FuelMap& map, const RetuneResult& result,
                                                   RetuneShow show, std::string_view notAvailable) {
    std::vector<std::vector<std::string>> rows(map.rowCount() + 1);
    rows[0].push_back(map.corner);
    rows[0].insert(rows[0].end(), map.columns.texts.begin(), map.columns.texts.end());
    for (size_t i = 0; i < map.rowCount(); ++i) {
        std::vector<std::string>& row = rows[i + 1];
        row.push_back(map.rows.texts[i]);
        for (size_t j = 0; j < map.columnCount(); ++j) {
            const auto text = RetuneCellText(map, result, show, i * map.columnCount() + j);
            row.push_back(text ? *text : std::string(notAvailable));
        }
    }
    return rows;
}

}  // namespace

std::string_view RetuneShowName(RetuneShow show) {
    switch (show) {
        case RetuneShow::Map:
            return "map";
        case RetuneShow::Change:
            return "change";
        case RetuneShow::Weight:
            return "weight";
        case RetuneShow::Factor:
            return "factor";
    }
    return "map";
}

std::optional<RetuneShow> RetuneShowNamed(std::string_view name) {
    for (const RetuneShow show :
         {RetuneShow::Map, RetuneShow::Change, RetuneShow::Weight, RetuneShow::Factor})
        if (name == RetuneShowName(show)) return show;
    return std::nullopt;
}

std::optional<std::string> RetuneCellText(const FuelMap& map, const RetuneResult& result,
                                          RetuneShow show, size_t cell) {
    const RetuneCell& c = result.cells[cell];
    switch (show) {
        case RetuneShow::Map:
            // Left as it was: as it was written, whatever a double would make of it.
            if (!c.trusted) return map.cellTexts[cell];
            return FixedText(c.value, DecimalPlaces(map.cellTexts[cell]));
        case RetuneShow::Change:
            if (!c.trusted) return std::nullopt;
            return FixedText((c.change - 1) * 100, 1);
        case RetuneShow::Weight:
            return FixedText(c.weight, 2);
        case RetuneShow::Factor:
            if (c.weight == 0) return std::nullopt;
            return FixedText(c.factor, 4);
    }
    return std::nullopt;
}

std::string RetuneText(const FuelMap& map, const RetuneResult& result, RetuneShow show) {
    return TabSeparatedText(RetuneFields(map, result, show, "N/A"));
}

std::string RetuneCsv(const FuelMap& map, const RetuneResult& result, RetuneShow show) {
    return CsvText(RetuneFields(map, result, show, ""));
}

std::string RetuneFileText(std::string_view path, const FuelMap& map, const RetuneResult& result) {
    return IsTextFileName(path) ? RetuneText(map, result, RetuneShow::Map)
                                : RetuneCsv(map, result, RetuneShow::Map);
}

std::string FixedText(double value, int decimals) {
    // Room for the integer digits of the largest double, a sign, a point and the decimals.
    std::string text(320 + static_cast<size_t>(decimals), '\0');
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    text.resize(static_cast<size_t>(end - text.data()));
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

}  // namespace grafolux

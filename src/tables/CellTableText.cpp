#include "tables/CellTableText.h"

#include <vector>

#include "logdata/TextFields.h"
#include "tables/CellLabels.h"

namespace grafolux {

namespace {

// The table as rows of fields; an empty optional cell shows no value.
std::vector<std::vector<std::string>> TableFields(const ShownCells& cells, CellStatistic statistic,
                                                  std::string_view notAvailable) {
    std::vector<std::vector<std::string>> rows(kTableRows + 1);
    rows[0].push_back("RPM");
    for (int m = 1; m <= kTableColumns; ++m) rows[0].push_back(std::to_string(ColumnMap(m)));
    for (int k = 1; k <= kTableRows; ++k) {
        std::vector<std::string>& row = rows[k];
        row.push_back(std::to_string(RowRpm(k)));
        for (int m = 1; m <= kTableColumns; ++m) {
            const ShownCell& cell = cells[k - 1][m - 1];
            const bool shows = cell.available || statistic == CellStatistic::Count;
            row.push_back(shows ? ShortestText(cell.value) : std::string(notAvailable));
        }
    }
    return rows;
}

std::string Joined(const std::vector<std::vector<std::string>>& rows, char separator,
                   std::string_view lineEnd, std::string (*field)(std::string_view)) {
    std::string out;
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i != 0) out += separator;
            out += field(row[i]);
        }
        out += lineEnd;
    }
    return out;
}

std::string AsIs(std::string_view text) { return std::string(text); }

}  // namespace

std::string CellTableText(const CellTable& table, const CellShow& show) {
    return ShownCellsText(CellsShown(table, show), show.statistic);
}

std::string CellTableCsv(const CellTable& table, const CellShow& show) {
    return ShownCellsCsv(CellsShown(table, show), show.statistic);
}

bool IsTextFileName(std::string_view path) {
    std::string ending(path.substr(path.size() < 4 ? 0 : path.size() - 4));
    for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ending == ".txt";
}

std::string ShownCellsText(const ShownCells& cells, CellStatistic statistic) {
    return TabSeparatedText(TableFields(cells, statistic, "N/A"));
}

std::string ShownCellsCsv(const ShownCells& cells, CellStatistic statistic) {
    return CsvText(TableFields(cells, statistic, ""));
}

std::string ShownCellsFileText(std::string_view path, const ShownCells& cells,
                               CellStatistic statistic) {
    return IsTextFileName(path) ? ShownCellsText(cells, statistic)
                                : ShownCellsCsv(cells, statistic);
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string TabSeparatedText(const std::vector<std::vector<std::string>>& rows) {
    return Joined(rows, '\t', "\n", AsIs);
}

std::string CsvText(const std::vector<std::vector<std::string>>& rows) {
    return Joined(rows, ',', "\r\n", CsvField);
}

}  // namespace grafolux

#include "tables/FuelMap.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "logdata/TextFields.h"

namespace grafolux {

namespace {

// The lines of the text without their line ends; blank lines at the end dropped.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    while (!lines.empty() && Trimmed(lines.back()).empty()) lines.pop_back();
    return lines;
}

std::vector<std::string_view> Fields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t end = line.find(separator, start);
        fields.push_back(Trimmed(line.substr(start, end - start)));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

// `-?digits(.digits)?`, read to the nearest double; nothing for any other text or a number
// beyond a double.
std::optional<double> Number(std::string_view text) {
    size_t at = text.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const size_t from = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        return at > from;
    };
    if (!digits()) return std::nullopt;
    if (at < text.size() && text[at] == '.' && (++at, !digits())) return std::nullopt;
    if (at != text.size()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A field quoted for a message: one line, and not the whole of a pasted megabyte. Appended
// piece by piece: GCC 12 takes "x" + string for an overflow at -O3.
std::string Quoted(std::string_view field) {
    constexpr size_t kShown = 40;
    size_t cut = std::min(field.size(), kShown);
    while (cut < field.size() && cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80)
        --cut;
    std::string quoted = "\"";
    quoted.append(OnOneLine(field.substr(0, cut)));
    if (cut < field.size()) quoted.append("\u2026");
    return quoted.append("\"");
}

class Reader {
public:
    explicit Reader(std::string_view name) : name_(name) {}

    MapError Error(std::string_view what) const { return {name_ + ": " + std::string(what)}; }
    MapError Error(size_t line, std::string_view what) const { return Error(line, 0, what); }
    MapError Error(size_t line, size_t field, std::string_view what) const {
        std::string message = name_ + " line " + std::to_string(line);
        if (field != 0) message += " field " + std::to_string(field);
        return {message + ": " + std::string(what)};
    }

    // Field `field` (1-based) of line `line`, a number, appended to `values`.
    std::optional<MapError> Read(std::string_view text, size_t line, size_t field,
                                 std::vector<double>& values) const {
        const std::optional<double> number = Number(text);
        if (!number) return Error(line, field, Quoted(text) + " is not a number");
        values.push_back(*number);
        return std::nullopt;
    }

    // The breakpoint just read follows the one before it upwards.
    std::optional<MapError> Increasing(const MapAxis& axis, std::string_view which, size_t line,
                                       size_t field) const {
        const size_t n = axis.values.size();
        if (n < 2) return std::nullopt;
        const double step = axis.values[n - 1] - axis.values[n - 2];
        // A step beyond any double would make every fraction between them 0 or NaN.
        if (step > 0 && step < std::numeric_limits<double>::infinity()) return std::nullopt;
        return Error(line, field,
                     "the " + std::string(which) + " axis " +
                         (step > 0 ? "steps beyond any number" : "is not increasing") + " (" +
                         Quoted(axis.texts[n - 1]) + " after " + Quoted(axis.texts[n - 2]) + ")");
    }

private:
    std::string name_;
};

std::string Counted(size_t n, std::string_view what) {
    return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : "s");
}

std::string BreakpointCount(size_t n, std::string_view what) {
    return Counted(n, what) + ", expected " + std::to_string(kMapMinBreakpoints) + " to " +
           std::to_string(kMapMaxBreakpoints);
}

}  // namespace

std::variant<FuelMap, MapError> ParseFuelMap(std::string_view text, std::string_view name) {
    const Reader reader(name);
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty()) return reader.Error("the map is empty");
    const char separator = lines[0].find('\t') != std::string_view::npos ? '\t' : ',';

    FuelMap map;
    const std::vector<std::string_view> header = Fields(lines[0], separator);
    const size_t columns = header.size() - 1;
    if (columns < kMapMinBreakpoints || columns > kMapMaxBreakpoints)
        return reader.Error(1, BreakpointCount(columns, "column"));
    map.corner = header[0];
    for (size_t f = 1; f < header.size(); ++f) {
        map.columns.texts.emplace_back(header[f]);
        if (auto error = reader.Read(header[f], 1, f + 1, map.columns.values)) return *error;
        if (auto error = reader.Increasing(map.columns, "column", 1, f + 1)) return *error;
    }

    const size_t rows = lines.size() - 1;
    if (rows < kMapMinBreakpoints) return reader.Error(BreakpointCount(rows, "row"));
    if (rows > kMapMaxBreakpoints)
        return reader.Error(kMapMaxBreakpoints + 2, BreakpointCount(rows, "row"));
    for (size_t line = 2; line <= lines.size(); ++line) {
        const std::vector<std::string_view> fields = Fields(lines[line - 1], separator);
        if (fields.size() != columns + 1)
            return reader.Error(line, Counted(fields.size() - 1, "value") + ", expected " +
                                          std::to_string(columns));
        map.rows.texts.emplace_back(fields[0]);
        if (auto error = reader.Read(fields[0], line, 1, map.rows.values)) return *error;
        if (auto error = reader.Increasing(map.rows, "row", line, 1)) return *error;
        for (size_t f = 1; f < fields.size(); ++f) {
            map.cellTexts.emplace_back(fields[f]);
            if (auto error = reader.Read(fields[f], line, f + 1, map.cells)) return *error;
        }
    }
    return map;
}

int DecimalPlaces(std::string_view number) {
    const size_t point = number.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(number.size() - point - 1);
}

}  // namespace grafolux

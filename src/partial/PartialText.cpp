#include "partial/PartialText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "logdata/TextFields.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace grafolux {

namespace {

const std::string kFirstLine = "grafolux partial " + std::to_string(kPartialVersion);
constexpr std::string_view kCheck = "check\t";

// A value on one line: backslash, CR and LF escaped.
std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\\' || c == '\n' || c == '\r') escaped += '\\';
        escaped += c == '\n' ? 'n' : c == '\r' ? 'r' : c;
    }
    return escaped;
}

std::string CheckText(std::string_view bytes) {
    char hex[17];
    const uint64_t check = XXH3_64bits(bytes.data(), bytes.size());
    const auto end = std::to_chars(hex, hex + 16, check, 16).ptr;
    return std::string(static_cast<size_t>(16 - (end - hex)), '0') + std::string(hex, end);
}

class Writer {
public:
    // The name and each value after a TAB.
    template <typename... Values>
    void Line(std::string_view name, const Values&... values) {
        text_.append(name);
        ((text_ += '\t', Append(values)), ...);
        text_ += '\n';
    }
    void Counts(std::string_view name, const std::vector<int64_t>& counts) {
        text_.append(name);
        for (const int64_t n : counts) (text_ += '\t', Append(n));
        text_ += '\n';
    }
    std::string Finish() { return text_.append(PartialCheckLine(text_)); }

private:
    void Append(int64_t n) { text_ += std::to_string(n); }
    void Append(size_t n) { text_ += std::to_string(n); }
    void Append(double v) { AppendShortestText(text_, v); }
    void Append(const ExactSum& sum) { text_ += sum.Text(); }
    void Append(const std::string& text) { text_ += Escaped(text); }

    std::string text_;
};

void WriteTable(Writer& out, const TableSums& sums) {
    out.Line("range", sums.samplesInRange);
    out.Line("passed", sums.samplesPassed);
    for (size_t k = 0; k < sums.cells.size(); ++k)
        for (size_t m = 0; m < sums.cells[k].size(); ++m) {
            const CellSums& c = sums.cells[k][m];
            if (c.count != 0)
                out.Line("cell", k + 1, m + 1, c.count, c.sum, c.squares, c.minimum, c.maximum);
        }
}

void WriteRetune(Writer& out, const RetuneSums& sums, size_t columns) {
    const RetuneEvidence& e = sums.evidence;
    out.Line("logs", int64_t{e.logs});
    out.Line("range", e.samplesInRange);
    out.Line("used", e.samplesUsed);
    out.Counts("failed", e.failedCondition);
    out.Line("missing", e.missingRpm, e.missingMap, e.missingFactor, e.missingAny);
    for (size_t cell = 0; cell < sums.cells.size(); ++cell) {
        const RetuneCellSums& c = sums.cells[cell];
        if (c.samples != 0 || c.weight.Text() != "0" || c.weighted.Text() != "0")
            out.Line("cell", cell / columns + 1, cell % columns + 1, c.samples, c.weight,
                     c.weighted);
    }
}

}  // namespace

std::string PartialCheckLine(std::string_view bytes) {
    return std::string(kCheck).append(CheckText(bytes)).append("\n");
}

std::string PartialBytes(const Partial& partial) {
    Writer out;
    out.Line(kFirstLine);
    for (const PartialField& field : partial.fingerprint) out.Line(field.name, field.value);
    if (const auto* table = std::get_if<TableSums>(&partial.sums))
        WriteTable(out, *table);
    else
        WriteRetune(out, std::get<RetuneSums>(partial.sums), PartialMap(partial).columnCount());
    return out.Finish();
}

namespace {

// The records of the file, one line at a time, split at TAB.
class Reader {
public:
    explicit Reader(std::string_view text) : rest_(text) {}

    bool AtEnd() const { return rest_.empty(); }
    // The next line's name; its fields are then read one by one.
    std::string_view Next() {
        const size_t end = rest_.find('\n');
        line_ = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return Field();
    }
    std::string_view Peek() const { return rest_.substr(0, rest_.find_first_of("\t\n")); }
    bool MoreFields() const { return more_; }
    // The rest of the line, unescaped.
    std::optional<std::string> Value() {
        if (!more_) return std::nullopt;
        std::string value;
        for (size_t i = 0; i < line_.size(); ++i) {
            char c = line_[i];
            if (c == '\\') {
                if (++i == line_.size()) return std::nullopt;
                c = line_[i] == 'n' ? '\n' : line_[i] == 'r' ? '\r' : line_[i];
                if (c != '\n' && c != '\r' && c != '\\') return std::nullopt;
            } else if (c == '\r') {
                return std::nullopt;
            }
            value += c;
        }
        line_ = {};
        more_ = false;
        return value;
    }
    std::string_view Field() {
        const size_t tab = line_.find('\t');
        const std::string_view field = line_.substr(0, tab);
        more_ = tab != std::string_view::npos;
        line_.remove_prefix(more_ ? tab + 1 : line_.size());
        return field;
    }
    // A count, at least `low` and at most `high`.
    std::optional<int64_t> Count(int64_t low = 0, int64_t high = kMostCounted) {
        if (!more_) return std::nullopt;
        const std::string_view text = Field();
        int64_t n = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (error != std::errc() || end != text.data() + text.size() || n < low || n > high ||
            (text.size() > 1 && text[0] == '0'))
            return std::nullopt;
        return n;
    }
    std::optional<ExactSum> Sum() {
        if (!more_) return std::nullopt;
        return ExactSum::FromText(Field());
    }
    std::optional<double> Finite() {
        if (!more_) return std::nullopt;
        const std::string_view text = Field();
        double v = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
            return std::nullopt;
        return v;
    }
    // The line was read to its end.
    bool Done() const { return !more_; }

private:
    std::string_view rest_, line_;
    bool more_ = false;
};

using Fault = std::string;

const Fault kDamaged = "damaged: a record does not read";

std::optional<Fault> ReadFingerprint(Reader& in, std::vector<PartialField>& fields) {
    const auto field = [&](std::string_view name) -> bool {
        if (in.Peek() != name) return false;
        in.Next();
        const auto value = in.Value();
        if (!value) return false;
        fields.push_back({std::string(name), *value});
        return true;
    };
    if (!field("command")) return kDamaged;
    const std::string& command = fields.back().value;
    if (command == "table") {
        if (!field("table") || (fields.back().value != "blm" && fields.back().value != "int"))
            return kDamaged;
    } else if (command == "retune") {
        std::string map;
        while (field("map")) map += fields.back().value + '\n';
        if (!std::holds_alternative<FuelMap>(ParseFuelMap(map, "map"))) return kDamaged;
        if (!field("factor") ||
            (fields.back().value != "trims" &&
             !(fields.back().value.starts_with("item ") && fields.back().value.size() > 5)))
            return kDamaged;
        if (!field("cells") || !CellWeightingNamed(fields.back().value)) return kDamaged;
    } else {
        return kDamaged;
    }
    while (field("where")) {
    }
    while (field("define")) {
    }
    return std::nullopt;
}

std::optional<Fault> ReadTable(Reader& in, TableSums& sums) {
    std::optional<int64_t> range, passed;
    if (in.Next() != "range" || !(range = in.Count()) || !in.Done()) return kDamaged;
    if (in.Next() != "passed" || !(passed = in.Count()) || !in.Done()) return kDamaged;
    sums.samplesInRange = *range;
    sums.samplesPassed = *passed;
    int64_t previous = 0;  // cells in order, each once
    while (!in.AtEnd()) {
        if (in.Next() != "cell") return kDamaged;
        const auto k = in.Count(1, kTableRows), m = in.Count(1, kTableColumns);
        const auto count = in.Count(1, INT32_MAX);  // what a table counts
        auto sum = in.Sum(), squares = in.Sum();
        const auto low = in.Finite(), high = in.Finite();
        if (!k || !m || !count || !sum || !squares || !low || !high || !in.Done() || *low > *high)
            return kDamaged;
        const int64_t at = *k * 16 + *m;
        if (at <= previous) return kDamaged;
        previous = at;
        sums.cells[*k - 1][*m - 1] = {*count, std::move(*sum), std::move(*squares), *low, *high};
    }
    return std::nullopt;
}

std::optional<Fault> ReadRetune(Reader& in, RetuneSums& sums, const FuelMap& map,
                                size_t conditions) {
    RetuneEvidence& e = sums.evidence;
    std::optional<int64_t> logs, range, used;
    if (in.Next() != "logs" || !(logs = in.Count(0, INT32_MAX)) || !in.Done()) return kDamaged;
    if (in.Next() != "range" || !(range = in.Count()) || !in.Done()) return kDamaged;
    if (in.Next() != "used" || !(used = in.Count()) || !in.Done()) return kDamaged;
    e.logs = static_cast<int32_t>(*logs);
    e.samplesInRange = *range;
    e.samplesUsed = *used;
    if (in.Next() != "failed") return kDamaged;
    for (size_t i = 0; i < conditions; ++i) {
        const auto n = in.Count();
        if (!n) return kDamaged;
        e.failedCondition.push_back(*n);
    }
    if (!in.Done() || in.Next() != "missing") return kDamaged;
    for (int64_t* n : {&e.missingRpm, &e.missingMap, &e.missingFactor, &e.missingAny}) {
        const auto read = in.Count();
        if (!read) return kDamaged;
        *n = *read;
    }
    if (!in.Done()) return kDamaged;
    sums.cells.resize(map.cells.size());
    int64_t previous = -1;
    const auto rows = static_cast<int64_t>(map.rowCount());
    const auto columns = static_cast<int64_t>(map.columnCount());
    while (!in.AtEnd()) {
        if (in.Next() != "cell") return kDamaged;
        const auto i = in.Count(1, rows), j = in.Count(1, columns), samples = in.Count();
        auto weight = in.Sum(), weighted = in.Sum();
        if (!i || !j || !samples || !weight || !weighted || !in.Done()) return kDamaged;
        const int64_t at = (*i - 1) * columns + *j - 1;
        if (at <= previous) return kDamaged;
        previous = at;
        sums.cells[static_cast<size_t>(at)] = {std::move(*weight), std::move(*weighted), *samples};
    }
    return std::nullopt;
}

}  // namespace

std::variant<Partial, std::string> ReadPartialBytes(std::string_view bytes) {
    const size_t firstEnd = bytes.find('\n');
    const std::string_view first = bytes.substr(0, firstEnd);
    if (first != kFirstLine) {
        constexpr std::string_view kPrefix = "grafolux partial ";
        if (first.starts_with(kPrefix))
            return "a partial of format version " + OnOneLine(first.substr(kPrefix.size())) +
                   "; this program reads version " + std::to_string(kPartialVersion);
        return std::string("not a partial result");
    }
    // The check line ends the file; without it the file was cut short.
    const size_t checkAt = bytes.rfind(std::string("\n").append(kCheck));
    if (checkAt == std::string_view::npos || !bytes.ends_with('\n') ||
        bytes.size() - checkAt != 1 + kCheck.size() + 16 + 1)
        return std::string("cut short: the check line at its end is missing");
    const std::string_view body = bytes.substr(0, checkAt + 1);
    if (bytes.substr(checkAt + 1 + kCheck.size(), 16) != CheckText(body))
        return std::string("damaged: its bytes do not match its check line");

    Reader in(body.substr(firstEnd + 1));
    Partial partial;
    if (auto fault = ReadFingerprint(in, partial.fingerprint)) return *fault;
    size_t conditions = 0;
    for (const PartialField& field : partial.fingerprint) conditions += field.name == "where";
    std::optional<Fault> fault;
    if (partial.fingerprint.front().value == "table") {
        fault = ReadTable(in, partial.sums.emplace<TableSums>());
    } else {
        fault = ReadRetune(in, partial.sums.emplace<RetuneSums>(), PartialMap(partial), conditions);
    }
    if (fault) return *fault;
    return partial;
}

}  // namespace grafolux

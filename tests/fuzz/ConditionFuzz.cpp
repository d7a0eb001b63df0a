// Table conditions on any text: what parses reads back from both its written forms, with the
// operator found first from the left; errors are one line; a filter resolved against a tiny log
// lets through, by each of its three ways of asking, exactly the samples its operators do. The
// same text as a cell label: accepted only when it is one of the labels the table prints.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "FuzzKit.h"
#include "logdata/TextFields.h"
#include "tables/CellSamples.h"
#include "tables/CellTableText.h"
#include "tables/SampleFilter.h"

using namespace grafolux;

namespace {

struct Spelling {
    std::string_view text;
    CompareOp op;
};
// Every spelling of every operator, the longer first where one begins another.
constexpr std::array<Spelling, 9> kSpellings = {{
    {"<=", CompareOp::LessEqual},
    {"\u2264", CompareOp::LessEqual},
    {">=", CompareOp::GreaterEqual},
    {"\u2265", CompareOp::GreaterEqual},
    {"!=", CompareOp::NotEqual},
    {"\u2260", CompareOp::NotEqual},
    {"<", CompareOp::Less},
    {">", CompareOp::Greater},
    {"=", CompareOp::Equal},
}};

bool Holds(CompareOp op, double x, double n) {
    switch (op) {
        case CompareOp::Equal:
            return x == n;
        case CompareOp::NotEqual:
            return x != n;
        case CompareOp::Less:
            return x < n;
        case CompareOp::LessEqual:
            return x <= n;
        case CompareOp::Greater:
            return x > n;
        case CompareOp::GreaterEqual:
            return x >= n;
    }
    return false;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool SameCondition(const SampleCondition& a, const SampleCondition& b) {
    return a.item == b.item && a.op == b.op && fuzz::SameBits(a.number, b.number);
}

void CheckReadsBack(const SampleCondition& condition, const std::string& written) {
    const auto again = ParseCondition(written);
    const auto* read = std::get_if<SampleCondition>(&again);
    FUZZ_CHECK(read != nullptr);
    FUZZ_CHECK(SameCondition(*read, condition));
}

// A number follows the operator when the rest begins as one: a digit, a point, a sign or the
// "&" of &H and &O.
bool BeginsLikeNumber(std::string_view rest) {
    return !rest.empty() && std::strchr("0123456789.+-&", rest.front()) && rest.front() != '\0';
}

void CheckText(std::string_view text, const std::variant<SampleCondition, ConditionError>& parsed) {
    size_t at = 0;
    const Spelling* found = nullptr;
    for (; at < text.size() && !found; ++at)
        for (const Spelling& spelling : kSpellings)
            if (text.substr(at).starts_with(spelling.text)) {
                found = &spelling;
                break;
            }
    const std::string_view name = found ? TrimBlanks(text.substr(0, at - 1)) : "";
    const std::string_view rest = found ? TrimBlanks(text.substr(at - 1 + found->text.size())) : "";
    const bool reads = !name.empty() && BeginsLikeNumber(rest);
    if (const auto* error = std::get_if<ConditionError>(&parsed)) {
        FUZZ_CHECK(!reads);
        FUZZ_CHECK(!error->message.empty());
        FUZZ_CHECK(error->message.find_first_of("\r\n") == std::string::npos);
        return;
    }
    FUZZ_CHECK(reads);
    const auto& condition = std::get<SampleCondition>(parsed);
    FUZZ_CHECK(condition.op == found->op);
    FUZZ_CHECK(condition.item == name);
    FUZZ_CHECK(std::isfinite(condition.number));
    FUZZ_CHECK(fuzz::SameBits(condition.number, Val(rest)));

    CheckReadsBack(condition, ConditionText(condition));
    CheckReadsBack(condition, ConditionDisplayText(condition));
}

// The labels as the table text prints them: the first line after "RPM", the first field of each
// line after it.
struct PrintedLabels {
    std::vector<std::string> rows, columns;
};

PrintedLabels LabelsOfTableText() {
    PrintedLabels labels;
    const std::string text = CellTableText(CellTable{});
    size_t begin = 0;
    for (size_t line = 0; begin < text.size(); ++line) {
        const size_t end = text.find('\n', begin);
        const std::string_view fields(text.data() + begin, end - begin);
        if (line == 0) {
            for (int32_t m = 2; !GetField(fields, m, "\t").empty(); ++m)
                labels.columns.emplace_back(GetField(fields, m, "\t"));
        } else {
            labels.rows.emplace_back(GetField(fields, 1, "\t"));
        }
        begin = end + 1;
    }
    return labels;
}

void CheckLabel(std::string_view text, const std::vector<std::string>& labels,
                std::optional<int> (*labelled)(std::string_view)) {
    const auto found = std::find(labels.begin(), labels.end(), text);
    const std::optional<int> index = labelled(text);
    if (found == labels.end()) {
        FUZZ_CHECK(!index.has_value());
    } else {
        FUZZ_CHECK(index.has_value() && *index == found - labels.begin() + 1);
    }
}

// A sample value near the condition's number, where the operators differ, or any finite one.
double SampleValue(fuzz::FuzzInput& input, double number) {
    constexpr double kUp = std::numeric_limits<double>::infinity();
    switch (input.Byte() % 6) {
        case 0:
            return number;
        case 1:
            return std::nextafter(number, -kUp);
        case 2:
            return std::nextafter(number, kUp);
        case 3:
            return -number;
        case 4:
            return 0;
    }
    uint64_t bits = 0;
    for (int byte = 0; byte < 8; ++byte) bits = bits << 8 | input.Byte();
    const double value = std::bit_cast<double>(bits);
    return std::isfinite(value) ? value : 0;  // a log's numbers are always finite
}

// A log of one or two items and up to eight samples; the parsed condition and a second one on
// either item, in one filter. Passes and MarkWeights must agree with the operators.
void CheckFilter(fuzz::FuzzInput& input, const SampleCondition& parsed) {
    const uint8_t shape = input.Byte();
    const bool lacksItem = shape & 1, secondItem = shape & 2, secondCondition = shape & 4;
    const int32_t count = 1 + (shape >> 3) % 8;

    LogData log;
    log.lngSampleCount = count;
    std::vector<ItemInfo> items = {{lacksItem ? parsed.item + " " : parsed.item}};
    if (secondItem) items.push_back({parsed.item + "#2"});
    for (const ItemInfo& item : items) {
        std::vector<double> samples;
        for (int32_t s = 1; s <= count; ++s) samples.push_back(SampleValue(input, parsed.number));
        log.AddItem(item, Column::Encoded(samples));
    }

    std::vector<SampleCondition> conditions = {parsed};
    if (secondCondition) {
        const double number = SampleValue(input, parsed.number);
        conditions.push_back({log.udtItems[log.lngItemCount].strName,
                              static_cast<CompareOp>(input.Byte() % 6), number});
    }
    const SampleFilter filter(log, conditions);

    std::vector<size_t> missing;
    for (size_t i = 0; i < conditions.size(); ++i)
        if (log.itemNamed(conditions[i].item) == 0) missing.push_back(i);
    FUZZ_CHECK(filter.missing() == missing);
    FUZZ_CHECK(filter.passesAll() == (missing.size() == conditions.size()));

    const int32_t first = 1 + input.Byte() % count;
    const int32_t marked = 1 + input.Byte() % (count - first + 1);
    std::vector<double> weights(marked, 7);
    filter.MarkWeights(first, marked, weights.data());
    for (int32_t s = 1; s <= count; ++s) {
        bool expected = true;
        for (const SampleCondition& c : conditions)
            if (const int32_t k = log.itemNamed(c.item))
                expected = expected && Holds(c.op, log.sample(k, s), c.number);
        FUZZ_CHECK(filter.Passes(s) == expected);
        if (s < first || s >= first + marked) continue;
        FUZZ_CHECK(weights[s - first] == (expected ? 1.0 : 0.0));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const PrintedLabels labels = LabelsOfTableText();
    fuzz::FuzzInput input(data, size);
    const std::string_view text = input.Until('\0');
    CheckLabel(text, labels.rows, RowLabelled);
    CheckLabel(text, labels.columns, ColumnLabelled);

    const auto parsed = ParseCondition(text);
    CheckText(text, parsed);
    if (const auto* condition = std::get_if<SampleCondition>(&parsed))
        CheckFilter(input, *condition);
    return 0;
}

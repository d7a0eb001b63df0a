// Formulas on any text. A small parser and a plain recursive evaluation written here, apart from
// the program's: the program accepts exactly the texts this parser accepts, and on a small log
// gives the same value in every sample, bit for bit (any NaN for missing), whole or in parts,
// read sample by sample and as a computed item. Errors are one line that quotes the text and
// names a column inside it; the same text as a definition fails at the same place, two columns on.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "FuzzKit.h"
#include "formula/ComputedItems.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaProgram.h"
#include "formula/FormulaReader.h"
#include "logdata/TextFields.h"

using namespace grafolux;

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

struct Node {
    std::string op;  // "num", "ref", a function's name, "neg", or the operator's text
    double number = 0;
    std::string name;
    __int128 offset = 0;
    std::vector<Node> operands;
};

// The language read character by character; nullopt for any text it does not accept.
class ReferenceParser {
public:
    explicit ReferenceParser(std::string_view text) : text_(text) {}

    std::optional<Node> Parse() {
        std::optional<Node> node = Or();
        Blanks();
        if (!node || at_ != text_.size()) return std::nullopt;
        return node;
    }

    std::vector<std::string> names;  // every name referenced

private:
    using Result = std::optional<Node>;

    void Blanks() {
        while (at_ < text_.size() && std::strchr(" \t\r\n", text_[at_]) && text_[at_]) ++at_;
    }
    char Peek() {
        Blanks();
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    static bool Letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool Digit(char c) { return c >= '0' && c <= '9'; }
    // The run of name characters at the current position, without moving.
    std::string_view Word() {
        Blanks();
        if (at_ >= text_.size() || !Letter(text_[at_])) return {};
        size_t end = at_;
        while (end < text_.size() &&
               (Letter(text_[end]) || Digit(text_[end]) || text_[end] == ':' || text_[end] == '.'))
            ++end;
        return text_.substr(at_, end - at_);
    }
    bool Keyword(std::string_view word) {
        if (Word() != word) return false;
        at_ += word.size();
        return true;
    }
    // The operator at the current position, longest first, or "".
    std::string_view Operator() {
        for (std::string_view op : {"<=", ">=", "!=", "<", ">", "=", "+", "-", "*", "/"})
            if (Peek() && text_.substr(at_).starts_with(op)) return op;
        return {};
    }
    static Node Make(std::string op, std::vector<Node> operands) {
        Node node;
        node.op = std::move(op);
        node.operands = std::move(operands);
        return node;
    }
    bool Deeper() { return ++depth_ <= kMaxNesting; }

    Result Or() {
        Result left = And();
        while (left && Keyword("or")) {
            Result right = And();
            if (!right) return std::nullopt;
            left = Make("or", {std::move(*left), std::move(*right)});
        }
        return left;
    }
    Result And() {
        Result left = Not();
        while (left && Keyword("and")) {
            Result right = Not();
            if (!right) return std::nullopt;
            left = Make("and", {std::move(*left), std::move(*right)});
        }
        return left;
    }
    Result Not() {
        if (!Keyword("not")) return Comparison();
        if (!Deeper()) return std::nullopt;
        Result operand = Not();
        --depth_;
        if (!operand) return std::nullopt;
        return Make("not", {std::move(*operand)});
    }
    static bool IsComparison(std::string_view op) {
        return op == "=" || op == "!=" || op == "<" || op == "<=" || op == ">" || op == ">=";
    }
    Result Comparison() {
        Result left = Sum();
        const std::string op(Operator());
        if (!left || !IsComparison(op)) return left;
        at_ += op.size();
        Result right = Sum();
        if (!right || IsComparison(Operator())) return std::nullopt;
        return Make(op, {std::move(*left), std::move(*right)});
    }
    Result Sum() {
        Result left = Product();
        for (std::string op(Operator()); left && (op == "+" || op == "-"); op = Operator()) {
            at_ += 1;
            Result right = Product();
            if (!right) return std::nullopt;
            left = Make(op, {std::move(*left), std::move(*right)});
        }
        return left;
    }
    Result Product() {
        Result left = Negation();
        for (std::string op(Operator()); left && (op == "*" || op == "/"); op = Operator()) {
            at_ += 1;
            Result right = Negation();
            if (!right) return std::nullopt;
            left = Make(op, {std::move(*left), std::move(*right)});
        }
        return left;
    }
    Result Negation() {
        if (Peek() != '-') return Offset();
        ++at_;
        if (!Deeper()) return std::nullopt;
        Result operand = Negation();
        --depth_;
        if (!operand) return std::nullopt;
        return Make("neg", {std::move(*operand)});
    }
    Result Offset() {
        Result node = Primary();
        if (!node || Peek() != '[') return node;
        if (!bareName_) return std::nullopt;
        ++at_;
        bool negative = false;
        if (Peek() == '+' || Peek() == '-') negative = text_[at_++] == '-';
        Peek();
        unsigned __int128 magnitude = 0;
        const size_t digits = at_;
        for (; at_ < text_.size() && Digit(text_[at_]); ++at_) {
            magnitude = magnitude * 10 + static_cast<unsigned>(text_[at_] - '0');
            if (magnitude > std::numeric_limits<uint64_t>::max()) return std::nullopt;
        }
        // A whole number token: no fraction or exponent may follow the digits.
        if (at_ == digits ||
            (at_ < text_.size() && (text_[at_] == '.' || text_[at_] == 'e' || text_[at_] == 'E')))
            return std::nullopt;
        if (Peek() != ']') return std::nullopt;
        ++at_;
        node->offset = negative ? -static_cast<__int128>(magnitude) : magnitude;
        if (Peek() == '[') return std::nullopt;
        return node;
    }
    Result Primary() {
        bareName_ = false;
        const char c = Peek();
        if (Digit(c) || (c == '.' && at_ + 1 < text_.size() && Digit(text_[at_ + 1])))
            return Number();
        if (c == '"') {
            const size_t close = text_.find('"', at_ + 1);
            if (close == std::string_view::npos) return std::nullopt;
            Node node = Make("ref", {});
            node.name = text_.substr(at_ + 1, close - at_ - 1);
            at_ = close + 1;
            names.push_back(node.name);
            bareName_ = true;
            return node;
        }
        if (c == '(') {
            ++at_;
            if (!Deeper()) return std::nullopt;
            Result inside = Or();
            --depth_;
            if (!inside || Peek() != ')') return std::nullopt;
            ++at_;
            bareName_ = false;
            return inside;
        }
        const std::string word(Word());
        if (word.empty() || word == "and" || word == "or" || word == "not") return std::nullopt;
        at_ += word.size();
        if (Peek() != '(') {
            Node node = Make("ref", {});
            node.name = word;
            names.push_back(word);
            bareName_ = true;
            return node;
        }
        return Call(word);
    }
    Result Number() {
        const size_t begin = at_;
        while (at_ < text_.size() && Digit(text_[at_])) ++at_;
        if (at_ < text_.size() && text_[at_] == '.')
            for (++at_; at_ < text_.size() && Digit(text_[at_]);) ++at_;
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (at_ >= text_.size() || !Digit(text_[at_])) return std::nullopt;
            while (at_ < text_.size() && Digit(text_[at_])) ++at_;
        }
        Node node = Make("num", {});
        const auto [end, error] = std::from_chars(text_.data() + begin, text_.data() + at_,
                                                  node.number, std::chars_format::general);
        if (error != std::errc() || end != text_.data() + at_) return std::nullopt;
        return node;
    }
    Result Call(const std::string& name) {
        const int wanted = name == "abs" || name == "sqrt"  ? 1
                           : name == "min" || name == "max" ? 2
                           : name == "if"                   ? 3
                                                            : 0;
        if (wanted == 0 || !Deeper()) return std::nullopt;
        ++at_;  // (
        std::vector<Node> operands;
        if (Peek() != ')') {
            for (;;) {
                Result argument = Or();
                if (!argument) return std::nullopt;
                operands.push_back(std::move(*argument));
                if (Peek() != ',') break;
                ++at_;
            }
        }
        --depth_;
        if (Peek() != ')' || static_cast<int>(operands.size()) != wanted) return std::nullopt;
        ++at_;
        bareName_ = false;
        return Make(name, std::move(operands));
    }

    std::string_view text_;
    size_t at_ = 0;
    int depth_ = 0;
    bool bareName_ = false;  // the last operand read was a name, which an offset may follow
};

// The values as the language defines them, one sample at a time: every operand first, missing
// when any operand is, missing when the result is not a finite number.
double Evaluate(const Node& node, const std::vector<const double*>& columns, size_t& nextColumn,
                int64_t s, int64_t count) {
    if (node.op == "num") return node.number;
    if (node.op == "ref") {
        const double* column = columns[nextColumn++];
        const __int128 at = std::clamp<__int128>(s + node.offset, 1, count);
        return column[static_cast<int64_t>(at) - 1];
    }
    std::vector<double> x;
    for (const Node& operand : node.operands)
        x.push_back(Evaluate(operand, columns, nextColumn, s, count));
    if (std::any_of(x.begin(), x.end(), [](double v) { return std::isnan(v); })) return kMissing;
    double r = 0;
    const std::string& op = node.op;
    if (op == "neg")
        r = -x[0];
    else if (op == "abs")
        r = std::fabs(x[0]);
    else if (op == "sqrt")
        r = std::sqrt(x[0]);
    else if (op == "+")
        r = x[0] + x[1];
    else if (op == "-")
        r = x[0] - x[1];
    else if (op == "*")
        r = x[0] * x[1];
    else if (op == "/")
        r = x[0] / x[1];
    else if (op == "=")
        r = x[0] == x[1];
    else if (op == "!=")
        r = x[0] != x[1];
    else if (op == "<")
        r = x[0] < x[1];
    else if (op == "<=")
        r = x[0] <= x[1];
    else if (op == ">")
        r = x[0] > x[1];
    else if (op == ">=")
        r = x[0] >= x[1];
    else if (op == "and")
        r = x[0] != 0 && x[1] != 0;
    else if (op == "or")
        r = x[0] != 0 || x[1] != 0;
    else if (op == "not")
        r = x[0] == 0;
    else if (op == "min")
        r = x[1] < x[0] ? x[1] : x[0];
    else if (op == "max")
        r = x[1] > x[0] ? x[1] : x[0];
    else if (op == "if")
        r = x[0] != 0 ? x[1] : x[2];
    else
        FUZZ_CHECK(!"an operation the evaluation knows");
    return std::isfinite(r) ? r : kMissing;
}

bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || fuzz::SameBits(a, b); }

// "TEXT": column N: WHAT, one line; the column.
size_t CheckMessage(const FormulaError& error, std::string_view text, FormulaErrorKind kind) {
    FUZZ_CHECK(error.kind == kind);
    FUZZ_CHECK(error.message.find_first_of("\r\n") == std::string::npos);
    const std::string head = "\"" + OnOneLine(text) + "\": column ";
    FUZZ_CHECK(error.message.starts_with(head));
    size_t column = 0;
    const char* digits = error.message.data() + head.size();
    const auto [end, failed] =
        std::from_chars(digits, error.message.data() + error.message.size(), column);
    FUZZ_CHECK(failed == std::errc() && column >= 1 && column <= text.size() + 1);
    FUZZ_CHECK(std::string_view(end).starts_with(": ") && std::strlen(end) > 2);
    return column;
}

// Sample values where the operators differ most, or any finite double.
double SampleValue(fuzz::FuzzInput& input) {
    constexpr double kPalette[] = {0,  -0.0,  1,      -1,     0.5,    2,  3,
                                   10, 1e308, -1e308, 1e-308, 5e-324, 51, -7.25};
    const uint8_t pick = input.Byte();
    if (pick < 224) return kPalette[pick % std::size(kPalette)];
    uint64_t bits = 0;
    for (int byte = 0; byte < 8; ++byte) bits = bits << 8 | input.Byte();
    const double value = std::bit_cast<double>(bits);
    return std::isfinite(value) ? value : 0;  // a log's values are finite
}

// One to four items of up to 40 samples, or now and then a few hundred samples, so that the
// program's blocks meet the log's ends and each other.
LogData MakeLog(fuzz::FuzzInput& input) {
    static const char* const kNames[] = {"A", "B", "min", "and", "C:1", "x.y", "\xff", "A B"};
    LogData log;
    const uint8_t shape = input.Byte();
    const int32_t items = 1 + shape % 4;
    const int32_t drawn = shape / 4 % 41;  // 0 .. 40
    log.lngSampleCount = drawn > 0 && shape >= 224 ? 250 + 11 * drawn : drawn;
    std::vector<ItemInfo> named;
    for (int32_t k = 1; k <= items; ++k)
        named.push_back({kNames[input.Byte() % std::size(kNames)]});
    for (const ItemInfo& item : named) {
        std::vector<double> samples;
        for (int32_t s = 0; s < log.lngSampleCount; ++s)
            samples.push_back(s < drawn ? SampleValue(input) : samples[(s * 7 + 3) % drawn]);
        log.AddItem(item, Column::Encoded(samples));
    }
    return log;
}

// The values of a bound program: whole, in a part, sample by sample.
void CheckValues(const FormulaProgram& program, const std::vector<double>& expected,
                 fuzz::FuzzInput& input) {
    const std::vector<double> column = program.Column();
    FUZZ_CHECK(column.size() == expected.size());
    for (size_t i = 0; i < column.size(); ++i) FUZZ_CHECK(Same(column[i], expected[i]));
    if (expected.empty()) return;
    const int32_t count = static_cast<int32_t>(expected.size());
    const int32_t first = 1 + input.Byte() % count;
    std::vector<double> part(static_cast<size_t>(1 + input.Byte() % (count - first + 1)));
    program.Evaluate(first, part);
    for (size_t i = 0; i < part.size(); ++i)
        FUZZ_CHECK(Same(part[i], expected[static_cast<size_t>(first - 1) + i]));
    FormulaReader reader(program);
    for (int32_t s = 1; s <= count; ++s) {
        FUZZ_CHECK(Same(reader.Value(s), expected[s - 1]));
        FUZZ_CHECK(reader.Holds(s) == (!std::isnan(expected[s - 1]) && expected[s - 1] != 0));
    }
}

// The text as the definition "Q=TEXT": the same fault two columns on, or the same values.
void CheckAsDefinition(std::string_view text, const std::optional<FormulaError>& error,
                       const std::vector<std::string>& names, const LogData& log,
                       const std::optional<std::vector<double>>& values) {
    const std::string definition = "Q=" + std::string(text);
    const auto parsed = ParseDefinitions(std::vector<std::string>{definition});
    if (const auto* fault = std::get_if<FormulaError>(&parsed)) {
        const size_t column = CheckMessage(*fault, definition, FormulaErrorKind::Text);
        if (error) {
            FUZZ_CHECK(column == CheckMessage(*error, text, FormulaErrorKind::Text) + 2);
        } else {
            FUZZ_CHECK(std::find(names.begin(), names.end(), "Q") != names.end());
        }
        return;
    }
    FUZZ_CHECK(!error && std::find(names.begin(), names.end(), "Q") == names.end());
    const auto items = ComputeItems(log, std::get<std::vector<Definition>>(parsed));
    FUZZ_CHECK(items.size() == 1 && items[0].name == "Q");
    FUZZ_CHECK(items[0].unavailable.has_value() == (!values || log.itemNamed("Q") != 0));
    if (items[0].unavailable) {
        CheckMessage(*items[0].unavailable, definition, FormulaErrorKind::Log);
        return;
    }
    FUZZ_CHECK(items[0].values.size() == values->size());
    for (size_t i = 0; i < values->size(); ++i) FUZZ_CHECK(Same(items[0].values[i], (*values)[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string_view text = input.Until('\0');
    const LogData log = MakeLog(input);

    ReferenceParser reference(text);
    const std::optional<Node> tree = reference.Parse();
    auto parsed = ParseExpression(text);
    std::optional<FormulaError> error;
    std::optional<std::vector<double>> values;
    if (auto* fault = std::get_if<FormulaError>(&parsed)) {
        FUZZ_CHECK(!tree);
        CheckMessage(*fault, text, FormulaErrorKind::Text);
        error = *fault;
    } else {
        FUZZ_CHECK(tree.has_value());
        std::vector<WholeColumn> held;
        std::vector<const double*> columns;
        for (const std::string& name : reference.names) {
            if (const int32_t k = log.itemNamed(name)) {
                held.push_back(log.wholeColumn(k));
                columns.push_back(held.back()->data());
            }
        }
        const auto bound = FormulaProgram::Bind(std::get<Expression>(parsed), log);
        if (const auto* unbound = std::get_if<FormulaError>(&bound)) {
            FUZZ_CHECK(columns.size() < reference.names.size());
            CheckMessage(*unbound, text, FormulaErrorKind::Log);
        } else {
            FUZZ_CHECK(columns.size() == reference.names.size());
            values.emplace();
            for (int64_t s = 1; s <= log.lngSampleCount; ++s) {
                size_t nextColumn = 0;
                values->push_back(Evaluate(*tree, columns, nextColumn, s, log.lngSampleCount));
            }
            CheckValues(std::get<FormulaProgram>(bound), *values, input);
        }
    }
    CheckAsDefinition(text, error, reference.names, log, values);
    return 0;
}

#include "formula/FormulaParser.h"

#include <charconv>
#include <limits>
#include <string>

#include "formula/FormulaTokens.h"

namespace grafolux {

namespace {

struct Function {
    std::string_view name;
    Operation op;
};
constexpr Function kFunctions[] = {{"abs", Operation::Abs},
                                   {"sqrt", Operation::Sqrt},
                                   {"min", Operation::Min},
                                   {"max", Operation::Max},
                                   {"if", Operation::If}};

Operation ComparisonOf(TokenKind kind) {
    switch (kind) {
        case TokenKind::Equal:
            return Operation::Equal;
        case TokenKind::NotEqual:
            return Operation::NotEqual;
        case TokenKind::Less:
            return Operation::Less;
        case TokenKind::LessEqual:
            return Operation::LessEqual;
        case TokenKind::Greater:
            return Operation::Greater;
        default:
            return Operation::GreaterEqual;
    }
}

// A recursive descent, one routine per precedence level; nodes are appended as each is complete,
// so that operands come before their users.
class Parser {
public:
    Parser(std::string_view text, size_t begin) : text_(text) {
        expression_.text = text;
        token_ = NextToken(text_, begin);
    }

    Expression Parse() && {
        Or();
        if (token_.kind == TokenKind::RightParen) Fail(token_.begin, "unmatched \")\"");
        if (token_.kind != TokenKind::End) Fail(token_.begin, "operator expected");
        return std::move(expression_);
    }

private:
    // Counts one level of nesting for as long as it lives.
    class Nested {
    public:
        Nested(Parser& parser, size_t at) : parser_(parser) {
            if (++parser_.depth_ > kMaxNesting)
                parser_.Fail(
                    at, "nested too deeply (at most " + std::to_string(kMaxNesting) + " levels)");
        }
        ~Nested() { --parser_.depth_; }
        Nested(const Nested&) = delete;
        Nested& operator=(const Nested&) = delete;

    private:
        Parser& parser_;
    };

    [[noreturn]] void Fail(size_t at, std::string what) { throw TextFault{at, std::move(what)}; }

    void Advance() { token_ = NextToken(text_, token_.end); }

    void Expect(TokenKind kind, std::string_view shown) {
        if (token_.kind != kind) Fail(token_.begin, "\"" + std::string(shown) + "\" expected");
        Advance();
    }

    int32_t Add(Operation op, size_t at, std::array<int32_t, 3> operands = {-1, -1, -1}) {
        ExpressionNode node;
        node.op = op;
        node.column = at + 1;
        node.operands = operands;
        expression_.nodes.push_back(std::move(node));
        return static_cast<int32_t>(expression_.nodes.size() - 1);
    }

    int32_t Or() {
        int32_t left = And();
        while (token_.kind == TokenKind::Or) {
            const size_t at = token_.begin;
            Advance();
            left = Add(Operation::Or, at, {left, And(), -1});
        }
        return left;
    }

    int32_t And() {
        int32_t left = Not();
        while (token_.kind == TokenKind::And) {
            const size_t at = token_.begin;
            Advance();
            left = Add(Operation::And, at, {left, Not(), -1});
        }
        return left;
    }

    int32_t Not() {
        if (token_.kind != TokenKind::Not) return Comparison();
        const size_t at = token_.begin;
        const Nested nested(*this, at);
        Advance();
        return Add(Operation::Not, at, {Not(), -1, -1});
    }

    int32_t Comparison() {
        const int32_t left = Sum();
        if (!IsComparison(token_.kind)) return left;
        const Operation op = ComparisonOf(token_.kind);
        const size_t at = token_.begin;
        Advance();
        const int32_t node = Add(op, at, {left, Sum(), -1});
        if (IsComparison(token_.kind))
            Fail(token_.begin, "comparisons cannot be chained (join them with \"and\")");
        return node;
    }

    int32_t Sum() {
        int32_t left = Product();
        while (token_.kind == TokenKind::Plus || token_.kind == TokenKind::Minus) {
            const Operation op =
                token_.kind == TokenKind::Plus ? Operation::Add : Operation::Subtract;
            const size_t at = token_.begin;
            Advance();
            left = Add(op, at, {left, Product(), -1});
        }
        return left;
    }

    int32_t Product() {
        int32_t left = Negation();
        while (token_.kind == TokenKind::Star || token_.kind == TokenKind::Slash) {
            const Operation op =
                token_.kind == TokenKind::Star ? Operation::Multiply : Operation::Divide;
            const size_t at = token_.begin;
            Advance();
            left = Add(op, at, {left, Negation(), -1});
        }
        return left;
    }

    int32_t Negation() {
        if (token_.kind != TokenKind::Minus) return Operand();
        const size_t at = token_.begin;
        const Nested nested(*this, at);
        Advance();
        return Add(Operation::Negate, at, {Negation(), -1, -1});
    }

    // A value, and the offset that may follow a name.
    int32_t Operand() {
        const bool isName = token_.kind == TokenKind::QuotedName ||
                            (token_.kind == TokenKind::Name &&
                             NextToken(text_, token_.end).kind != TokenKind::LeftParen);
        const int32_t node = isName ? Reference() : Primary();
        if (token_.kind == TokenKind::LeftBracket)
            Fail(token_.begin, "an offset follows a name only, and only one");
        return node;
    }

    int32_t Reference() {
        const int32_t node = Add(Operation::Reference, token_.begin);
        expression_.nodes[node].name = token_.text;
        Advance();
        if (token_.kind == TokenKind::LeftBracket) {
            Advance();
            expression_.nodes[node].offset = Offset();
            Expect(TokenKind::RightBracket, "]");
        }
        return node;
    }

    // A whole number with an optional sign; beyond 64 bits is an error, and what fits is kept
    // saturated at the ends of int64 (the sample is clamped into the log in any case).
    int64_t Offset() {
        bool negative = false;
        if (token_.kind == TokenKind::Plus || token_.kind == TokenKind::Minus) {
            negative = token_.kind == TokenKind::Minus;
            Advance();
        }
        const std::string_view digits = token_.text;
        if (token_.kind != TokenKind::Number ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            Fail(token_.begin, "an offset is a whole number");
        uint64_t magnitude = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
        if (error != std::errc{}) Fail(token_.begin, "the offset is beyond 64 bits");
        Advance();
        constexpr uint64_t kMost = std::numeric_limits<int64_t>::max();
        if (magnitude > kMost) return negative ? std::numeric_limits<int64_t>::min() : kMost;
        return negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    }

    int32_t Primary() {
        switch (token_.kind) {
            case TokenKind::Number:
                return Number();
            case TokenKind::Name:
                return Call();
            case TokenKind::LeftParen: {
                const Nested nested(*this, token_.begin);
                Advance();
                const int32_t inside = Or();
                Expect(TokenKind::RightParen, ")");
                return inside;
            }
            default:
                Fail(token_.begin, "operand expected");
        }
    }

    int32_t Number() {
        double value = 0;
        const std::string_view digits = token_.text;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc{} || end != digits.data() + digits.size())
            Fail(token_.begin, "the number is beyond the range of a double");
        const int32_t node = Add(Operation::Number, token_.begin);
        expression_.nodes[node].number = value;
        Advance();
        return node;
    }

    // A function: its name, "(" and its arguments separated by commas, then ")".
    int32_t Call() {
        const Token name = token_;
        const Function* function = nullptr;
        for (const Function& f : kFunctions)
            if (f.name == name.text) function = &f;
        if (!function)
            Fail(name.begin, "unknown function \"" + std::string(name.text) +
                                 "\" (the functions are abs, sqrt, min, max and if)");
        const Nested nested(*this, name.begin);
        Advance();
        Advance();  // the "(" that made it a function
        std::array<int32_t, 3> operands{-1, -1, -1};
        int count = 0;
        const int wanted = OperandCount(function->op);
        if (token_.kind != TokenKind::RightParen) {
            for (;;) {
                const int32_t argument = Or();
                if (count < wanted) operands[count] = argument;
                ++count;
                if (token_.kind != TokenKind::Comma) break;
                Advance();
            }
        }
        if (count == wanted || token_.kind != TokenKind::RightParen)
            Expect(TokenKind::RightParen, ")");
        if (count != wanted) {
            // Appended, not added up: GCC 12 at -O3 takes "x" + std::string(...) for an overflow.
            std::string what = "\"";
            what.append(name.text).append("\" takes ").append(std::to_string(wanted));
            what.append(wanted == 1 ? " argument, not " : " arguments, not ");
            Fail(name.begin, what.append(std::to_string(count)));
        }
        return Add(function->op, name.begin, operands);
    }

    std::string_view text_;
    Token token_;
    Expression expression_;
    int depth_ = 0;
};

}  // namespace

Expression ParseExpressionIn(std::string_view text, size_t begin) {
    return Parser(text, begin).Parse();
}

std::variant<Expression, FormulaError> ParseExpression(std::string_view text) {
    try {
        return ParseExpressionIn(text, 0);
    } catch (const TextFault& fault) {
        return ErrorAt(FormulaErrorKind::Text, text, fault.at + 1, fault.what);
    }
}

}  // namespace grafolux

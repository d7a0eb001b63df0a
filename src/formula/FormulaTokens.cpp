#include "formula/FormulaTokens.h"

#include <algorithm>
#include <cstdio>

#include "logdata/TextFields.h"

namespace grafolux {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameCharacter(char c) { return IsLetter(c) || IsDigit(c) || c == ':' || c == '.'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// Where the number beginning at `at` ends: digits, an optional '.' and digits, then an optional
// exponent, which must have digits.
size_t NumberEnd(std::string_view text, size_t at) {
    at = SkipDigits(text, at);
    if (at < text.size() && text[at] == '.') at = SkipDigits(text, at + 1);
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        size_t digits = at + 1;
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
        if (digits >= text.size() || !IsDigit(text[digits]))
            throw TextFault{digits, "digits expected in the exponent"};
        at = SkipDigits(text, digits);
    }
    return at;
}

TokenKind KeywordOrName(std::string_view name) {
    if (name == "and") return TokenKind::And;
    if (name == "or") return TokenKind::Or;
    if (name == "not") return TokenKind::Not;
    return TokenKind::Name;
}

std::string Unexpected(char c) {
    if (c > ' ' && c < 0x7F) return std::string("unexpected \"") + c + "\"";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(c));
    std::string what = std::string("unexpected byte ") + hex;
    if (static_cast<unsigned char>(c) >= 0x80) what += " (a name of such characters is quoted)";
    return what;
}

}  // namespace

Token NextToken(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at >= text.size()) return {TokenKind::End, text.size(), text.size(), {}};
    const char c = text[at];
    const auto single = [&](TokenKind kind) { return Token{kind, at, at + 1, text.substr(at, 1)}; };
    const auto pair = [&](TokenKind kind) { return Token{kind, at, at + 2, text.substr(at, 2)}; };
    const bool equalFollows = at + 1 < text.size() && text[at + 1] == '=';

    if (IsDigit(c) || (c == '.' && at + 1 < text.size() && IsDigit(text[at + 1]))) {
        const size_t end = NumberEnd(text, at);
        return {TokenKind::Number, at, end, text.substr(at, end - at)};
    }
    if (IsLetter(c)) {
        size_t end = at + 1;
        while (end < text.size() && IsNameCharacter(text[end])) ++end;
        const std::string_view name = text.substr(at, end - at);
        return {KeywordOrName(name), at, end, name};
    }
    switch (c) {
        case '"': {
            const size_t close = text.find('"', at + 1);
            if (close == std::string_view::npos) throw TextFault{at, "this quote is not closed"};
            return {TokenKind::QuotedName, at, close + 1, text.substr(at + 1, close - at - 1)};
        }
        case '(':
            return single(TokenKind::LeftParen);
        case ')':
            return single(TokenKind::RightParen);
        case '[':
            return single(TokenKind::LeftBracket);
        case ']':
            return single(TokenKind::RightBracket);
        case ',':
            return single(TokenKind::Comma);
        case '+':
            return single(TokenKind::Plus);
        case '-':
            return single(TokenKind::Minus);
        case '*':
            return single(TokenKind::Star);
        case '/':
            return single(TokenKind::Slash);
        case '=':
            return single(TokenKind::Equal);
        case '!':
            if (equalFollows) return pair(TokenKind::NotEqual);
            break;
        case '<':
            return equalFollows ? pair(TokenKind::LessEqual) : single(TokenKind::Less);
        case '>':
            return equalFollows ? pair(TokenKind::GreaterEqual) : single(TokenKind::Greater);
    }
    throw TextFault{at, Unexpected(c)};
}

std::string WrittenName(std::string_view name) {
    const bool bare = !name.empty() && IsLetter(name[0]) &&
                      std::all_of(name.begin(), name.end(), IsNameCharacter) &&
                      KeywordOrName(name) == TokenKind::Name;
    if (bare) return std::string(name);
    // Appended piece by piece: GCC 12 at -O3 takes "\"" + string for an overlapping copy.
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted.push_back('"');
    quoted.append(name);
    quoted.push_back('"');
    return quoted;
}

bool IsComparison(TokenKind kind) {
    switch (kind) {
        case TokenKind::Equal:
        case TokenKind::NotEqual:
        case TokenKind::Less:
        case TokenKind::LessEqual:
        case TokenKind::Greater:
        case TokenKind::GreaterEqual:
            return true;
        default:
            return false;
    }
}

}  // namespace grafolux

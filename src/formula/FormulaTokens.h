#pragma once
// The words of the formula language: cuts a text into tokens, one at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace grafolux {

enum class TokenKind {
    End,
    Number,  // digits with an optional '.' and exponent, or '.' and digits: "12", ".5", "2.5E-2"
    Name,    // a letter or '_' and then letters, digits, '_', ':' and '.'
    QuotedName,  // any text between double quotes; `text` is without the quotes
    LeftParen,
    RightParen,
    LeftBracket,
    RightBracket,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    And,
    Or,
    Not,
};

struct Token {
    TokenKind kind = TokenKind::End;
    size_t begin = 0;       // 0-based position of the token's first character
    size_t end = 0;         // one past its last character
    std::string_view text;  // the number's digits, the name (quoted: its inside)
};

// A fault of the text at a 0-based position; the parser turns it into a FormulaError.
struct TextFault {
    size_t at;
    std::string what;
};

// The token that begins at or after `at` (blanks, tabs and line breaks are skipped). Throws
// TextFault on a character that begins no token, an unclosed quote or an exponent without digits.
Token NextToken(std::string_view text, size_t at);

// Whether a token compares two values.
bool IsComparison(TokenKind kind);

// The name as a formula writes it: bare when it reads back as that name (SENSOR:MAP), else in
// double quotes ("Item - 2", "and"). A name holding a double quote cannot be written.
std::string WrittenName(std::string_view name);

}  // namespace grafolux

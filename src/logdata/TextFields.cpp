#include "logdata/TextFields.h"

#include <charconv>
#include <cmath>
#include <string>

namespace grafolux {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
// ASCII folding only: the result must not depend on the locale the program runs in.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// &H / &O integers: 16-bit when they fit in 16 bits, else 32-bit; more than 32 bits reads 0.
double RadixValue(std::string_view digits, int radix) {
    uint64_t value = 0;
    for (char c : digits) {
        int digit;
        if (IsDigit(c))
            digit = c - '0';
        else if (radix == 16 && Lower(c) >= 'a' && Lower(c) <= 'f')
            digit = Lower(c) - 'a' + 10;
        else
            break;
        if (digit >= radix) break;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFull) return 0;
    }
    if (value <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

double DecimalValue(std::string_view s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        size_t e = i + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        if (e < s.size() && IsDigit(s[e])) {
            while (e < s.size() && IsDigit(s[e])) ++e;
            i = e;
        }
    }
    double value = 0;
    const auto result = std::from_chars(s.data() + start, s.data() + i, value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0;  // 1E999 and the like
    return (negative ? -value : value) + 0.0;                         // + 0.0 turns "-0" into 0
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

double Val(std::string_view text) {
    std::string compact;
    bool hasBlank = false;
    for (char c : text) hasBlank |= IsBlank(c);
    if (hasBlank) {
        compact.reserve(text.size());
        for (char c : text)
            if (!IsBlank(c)) compact += c;
        text = compact;
    }
    if (text.size() >= 2 && text[0] == '&') {
        if (Lower(text[1]) == 'h') return RadixValue(text.substr(2), 16);
        if (Lower(text[1]) == 'o') return RadixValue(text.substr(2), 8);
        return 0;
    }
    return DecimalValue(text);
}

size_t FindInText(std::string_view text, std::string_view searched, size_t from, bool ignoreCase) {
    if (searched.empty()) return std::string_view::npos;
    if (!ignoreCase) return text.find(searched, from);
    for (size_t pos = from; pos < text.size() && searched.size() <= text.size() - pos; ++pos) {
        size_t k = 0;
        while (k < searched.size() && Lower(text[pos + k]) == Lower(searched[k])) ++k;
        if (k == searched.size()) return pos;
    }
    return std::string_view::npos;
}

std::string_view GetField(std::string_view line, int32_t index, std::string_view separator) {
    if (index < 1) return {};
    size_t start = 0;
    for (int32_t counter = 1;; ++counter) {
        const size_t found = FindInText(line, separator, start, true);
        if (counter == index) {
            std::string_view field =
                line.substr(start, (found == std::string_view::npos ? line.size() : found) - start);
            if (field.ends_with("\r\n")) field.remove_suffix(2);
            return field;
        }
        if (found == std::string_view::npos) return {};
        start = found + separator.size();
    }
}

std::string& AppendShortestText(std::string& text, double value) {
    char buffer[32];  // the longest, such as -2.2250738585072014e-308, takes 24
    return text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string ShortestText(double value) {
    std::string text;
    return AppendShortestText(text, value);
}

std::string OnOneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else
            line += c;
    }
    return line;
}

}  // namespace grafolux

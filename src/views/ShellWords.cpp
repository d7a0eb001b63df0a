#include "views/ShellWords.h"

namespace grafolux {

std::string ShellQuoted(std::string_view word) {
    constexpr std::string_view kPlain =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+=:,./@%";
    if (!word.empty() && word.find_first_not_of(kPlain) == std::string_view::npos)
        return std::string(word);
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'')
            quoted += "'\\''";  // out of the quotes, an escaped quote, back in
        else
            quoted += c;
    }
    return quoted + '\'';
}

std::string ShellCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) line += ' ';
        line += ShellQuoted(word);
    }
    return line;
}

}  // namespace grafolux

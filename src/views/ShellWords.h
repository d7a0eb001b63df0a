#pragma once
// Command lines as a POSIX shell reads them, for the commands the window copies.

#include <string>
#include <string_view>
#include <vector>

namespace grafolux {

// The word as the shell reads it back: as it is when it holds nothing but letters, digits and
// _ - + = : , . / @ % (and is not empty), else in single quotes, a quote in it written '\''.
std::string ShellQuoted(std::string_view word);

// The words, each quoted, joined by blanks.
std::string ShellCommandLine(const std::vector<std::string>& words);

}  // namespace grafolux

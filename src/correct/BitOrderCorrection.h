#pragma once
// Rewrites a log whose flag-bit groups were named in reversed bit order.

#include <string>
#include <string_view>
#include <vector>

namespace grafolux {

// The output path: ".txt" cut from the file name part (last occurrence, case kept), then
// "_corrected.txt".
std::string CorrectedPath(const std::string& path);

struct CorrectionResult {
    bool ok = false;
    std::string outputPath;
    std::string error;  // one line when !ok
};

// Writes the corrected copy beside `path`, atomically; nothing is written on failure.
CorrectionResult CorrectLogFile(const std::string& path);

}  // namespace grafolux

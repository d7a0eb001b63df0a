#pragma once
// Rewrites a log whose flag-bit groups were named in reversed bit order into a corrected copy
// beside it. The header's groups are reversed, every data line is copied byte for byte, and
// every line of the copy ends with CR LF.

#include <QtGlobal>
#include <string>
#include <string_view>

class QIODevice;

namespace grafolux {

// The output path: ".txt" cut from the file name part (last occurrence, case kept), then
// "_corrected.txt".
std::string CorrectedPath(const std::string& path);

struct CorrectionResult {
    bool ok = false;
    std::string outputPath;
    std::string error;  // one line when !ok
};

// Writes the corrected copy of the log at `path` to CorrectedPath(path), atomically: on any
// failure nothing is written and an older copy stays as it was.
CorrectionResult CorrectLogFile(const std::string& path);

// The same for a log read from `input`, written to `outputPath`, `blockSize` bytes at a time.
CorrectionResult CorrectLog(QIODevice& input, const std::string& outputPath, qint64 blockSize);

}  // namespace grafolux

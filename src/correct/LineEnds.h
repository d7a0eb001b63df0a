#pragma once
// The corrected copy's line ends: every line ends with CR LF, whatever the log's line-end rule.

#include <optional>
#include <string>
#include <string_view>

#include "logdata/LogFormat.h"

namespace grafolux {

// Rewrites a log, chunk by chunk, so that every line ends with CR LF, the last one included;
// every other byte passes unchanged. Chunks may split the stream anywhere, even inside CR LF.
class CrLfConverter {
public:
    // The converted chunk: `chunk` itself when nothing in it changes (the common case of a
    // CR LF log, which then costs one scan), else a buffer that the next call reuses.
    std::string_view convert(std::string_view chunk);
    // What the stream still needs at its end: the line end of an unterminated last line.
    std::string_view finish();

private:
    std::optional<LineEndRule> rule_;  // decided by the stream's first CR or LF
    bool afterCr_ = false;  // the last byte seen was a CR; its LF may start the next chunk
    bool inLine_ = false;   // bytes were seen since the last line end
    std::string buffer_;
};

}  // namespace grafolux

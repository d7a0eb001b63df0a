#pragma once
// Line ends of log files. A file whose first LF comes before its first CR (or that has LFs and
// no CR) ends its lines with LF, CR LF or CR; every other file with CR LF or CR, and a lone LF
// there is text inside its line.

#include <string>
#include <string_view>

namespace grafolux {

// Position of the first CR or LF in `text`, or npos. Under either rule that byte ends line 1.
size_t FirstLineEnd(std::string_view text);

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
    enum class Rule { Undecided, CrLfOrCr, AnyEnd };
    Rule rule_ = Rule::Undecided;
    bool afterCr_ = false;  // the last byte seen was a CR; its LF may start the next chunk
    bool inLine_ = false;   // bytes were seen since the last line end
    std::string buffer_;
};

}  // namespace grafolux

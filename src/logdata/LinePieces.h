#pragma once
// A log's bytes as they are read, cut into pieces of whole lines for the workers that parse
// them: each piece but the last holds whole blocks of samples, so that the blocks a worker
// encodes are the column's own. Only the pieces being parsed are in memory, never the file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "logdata/LineBreaks.h"
#include "logdata/LogFormat.h"

namespace grafolux {

// Where a log's bytes come from, in order: a file's reads, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `most` further bytes into `into`; 0 at the end. Throws ReadFailure.
    virtual size_t Read(char* into, size_t most) = 0;
    // The bytes there are in all, when known ahead; 0 when not.
    virtual uint64_t size() const = 0;
};

struct ReadFailure {
    std::string reason;  // "cannot be read (Input/output error)"
};

// Bytes that grow without being cleared first.
class TextBuffer {
public:
    char* data() { return data_.get(); }
    const char* data() const { return data_.get(); }
    size_t size() const { return size_; }
    // Room for `capacity` bytes, keeping those there are.
    void Reserve(size_t capacity);
    // Appends up to `most` bytes read from `source`; false at its end.
    bool ReadFrom(ByteSource& source, size_t most);
    // The first `size` bytes (at most the room reserved) hold the text.
    void SetSize(size_t size) { size_ = size; }

private:
    std::unique_ptr<char[]> data_;
    size_t size_ = 0, capacity_ = 0;
};

// The header line of a log and what was read past it.
struct HeaderLine {
    std::string text;                 // without its line end
    std::optional<LineEndRule> rule;  // none: the file holds no line end
    TextBuffer rest;                  // bytes read after the header's line end
    bool atEnd = false;               // the source has no more
};
// Reads from the start of `source` until the header line has ended.
HeaderLine ReadHeaderLine(ByteSource& source, size_t readBytes);

struct LinePiece {
    size_t index = 0;       // pieces are numbered in file order from 0
    int64_t firstLine = 0;  // the sample (0-based) of its first line
    int64_t lines = 0;
    TextBuffer text;           // exactly the piece's lines
    std::vector<size_t> ends;  // where each line ends in `text`: its line end, or text's end
};

// How pieces are cut: a piece ends at the first block boundary where it holds `pieceBytes` of
// text.
struct PieceLimits {
    size_t readBytes = 128 << 10;
    size_t pieceBytes = 1 << 20;
};

class LinePieces {
public:
    LinePieces(ByteSource& source, HeaderLine header, const PieceLimits& limits);

    // The next piece, or none when the source is exhausted. Not thread-safe: one caller at a
    // time. Throws ReadFailure.
    std::optional<LinePiece> Next();
    // A parsed piece's bytes and line ends, for a later piece to reuse.
    void Recycle(LinePiece piece);

    const LineBreaks& breaks() const { return breaks_; }
    int64_t linesCut() const { return linesCut_; }
    bool exhausted() const { return finished_; }

private:
    bool LineEndsAtBlock();
    LinePiece Cut(size_t at);

    ByteSource& source_;
    LineBreaks breaks_;
    PieceLimits limits_;
    TextBuffer buffer_;
    size_t lineStart_ = 0;  // of the line not yet ended
    size_t search_ = 0;     // no line ends between the line's start and here
    int64_t lines_ = 0;     // lines of the buffer so far
    bool atEnd_ = false, finished_ = false;
    size_t pieces_ = 0;
    int64_t linesCut_ = 0;
    std::vector<size_t> ends_;  // of the lines so far
    std::vector<LinePiece> spare_;
};

}  // namespace grafolux

#include "logdata/LinePieces.h"

#include <algorithm>
#include <cstring>

#include "logdata/CompactBlock.h"

namespace grafolux {

void TextBuffer::Reserve(size_t capacity) {
    if (capacity <= capacity_) return;
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
}

bool TextBuffer::ReadFrom(ByteSource& source, size_t most) {
    if (capacity_ - size_ < most) Reserve(std::max(capacity_ * 2, size_ + most));
    const size_t got = source.Read(data_.get() + size_, most);
    size_ += got;
    return got > 0;
}

HeaderLine ReadHeaderLine(ByteSource& source, size_t readBytes) {
    HeaderLine header;
    TextBuffer bytes;
    size_t searched = 0;
    for (;;) {
        const std::string_view read(bytes.data(), bytes.size());
        const size_t end = read.find_first_of("\r\n", searched);
        // A CR as the last byte read may be the first of a CR LF.
        if (end != std::string_view::npos &&
            (end + 1 < read.size() || read[end] == '\n' || header.atEnd)) {
            header.text = read.substr(0, end);
            header.rule = read[end] == '\n' ? LineEndRule::AnyEnd : LineEndRule::CrLfOrCr;
            const size_t next =
                LineBreaks::nextLine(read.data() + end, read.data() + read.size()) - read.data();
            header.rest.Reserve(std::max(read.size() - next, readBytes));
            std::memcpy(header.rest.data(), read.data() + next, read.size() - next);
            header.rest.SetSize(read.size() - next);
            return header;
        }
        if (header.atEnd) {
            header.text = read;
            return header;
        }
        searched = end == std::string_view::npos ? read.size() : end;
        header.atEnd = !bytes.ReadFrom(source, readBytes);
    }
}

LinePieces::LinePieces(ByteSource& source, HeaderLine header, const PieceLimits& limits)
    : source_(source),
      breaks_(header.rule.value_or(LineEndRule::CrLfOrCr)),
      limits_(limits),
      buffer_(std::move(header.rest)),
      atEnd_(header.atEnd) {}

std::optional<LinePiece> LinePieces::Next() {
    while (!finished_) {
        if (LineEndsAtBlock()) return Cut(lineStart_);
        if (atEnd_) {
            if (lineStart_ < buffer_.size()) {  // the last line, without a line end
                ends_.push_back(buffer_.size());
                ++lines_;
            }
            finished_ = true;
            if (lines_ > 0) return Cut(buffer_.size());
            break;
        }
        atEnd_ = !buffer_.ReadFrom(source_, limits_.readBytes);
    }
    return std::nullopt;
}

// Counts the lines read so far, until one ends a piece; false when more must be read.
bool LinePieces::LineEndsAtBlock() {
    const char* begin = buffer_.data();
    const char* end = begin + buffer_.size();
    for (;;) {
        const char* stop = breaks_.lineEnd(begin + search_, end);
        if (stop == end || (*stop == '\r' && stop + 1 == end && !atEnd_)) {
            search_ = static_cast<size_t>(stop - begin);  // from its CR, which LF may follow
            return false;
        }
        ends_.push_back(static_cast<size_t>(stop - begin));
        lineStart_ = search_ = static_cast<size_t>(LineBreaks::nextLine(stop, end) - begin);
        ++lines_;
        if (lines_ % kBlockSamples == 0 && lineStart_ >= limits_.pieceBytes) return true;
    }
}

LinePiece LinePieces::Cut(size_t at) {
    TextBuffer next;
    std::vector<size_t> nextEnds;
    if (!spare_.empty()) {
        next = std::move(spare_.back().text);
        nextEnds = std::move(spare_.back().ends);
        nextEnds.clear();
        spare_.pop_back();
    }
    const size_t rest = buffer_.size() - at;
    next.SetSize(0);
    next.Reserve(std::max(rest, limits_.readBytes));
    if (rest > 0) std::memcpy(next.data(), buffer_.data() + at, rest);
    next.SetSize(rest);
    LinePiece piece{pieces_++, linesCut_, lines_, std::move(buffer_), std::move(ends_)};
    piece.text.SetSize(at);
    buffer_ = std::move(next);
    ends_ = std::move(nextEnds);
    linesCut_ += lines_;
    lineStart_ = search_ = search_ - at;
    lines_ = 0;
    return piece;
}

void LinePieces::Recycle(LinePiece piece) { spare_.push_back(std::move(piece)); }

}  // namespace grafolux

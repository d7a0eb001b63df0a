#include "correct/LineEnds.h"

#include <algorithm>
#include <cstring>

namespace grafolux {

namespace {

// Index of the first `byte` in data[from, size), or size.
size_t Find(const char* data, size_t from, size_t size, char byte) {
    const void* hit = std::memchr(data + from, byte, size - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : size;
}

}  // namespace

std::string_view CrLfConverter::convert(std::string_view chunk) {
    const char* const data = chunk.data();
    const size_t size = chunk.size();
    if (size == 0) return chunk;
    if (!rule_) rule_ = LineEndRuleOf(chunk);

    // Output = chunk with insertions; runs between them are appended whole.
    buffer_.clear();
    size_t copied = 0;
    bool changed = false;
    auto insert = [&](size_t at, std::string_view text) {
        buffer_.append(data + copied, at - copied);
        buffer_.append(text);
        copied = at;
        changed = true;
    };

    size_t pos = 0;
    size_t lastEnd = std::string_view::npos;  // just past the last line end in this chunk
    if (afterCr_) {
        afterCr_ = false;
        if (data[0] == '\n')
            pos = 1;
        else
            insert(0, "\n");
        lastEnd = pos;
    }
    size_t nextCr = Find(data, pos, size, '\r');
    // A lone LF ends a line only under the LF rule; under the other it is text.
    size_t nextLf = rule_ == LineEndRule::AnyEnd ? Find(data, pos, size, '\n') : size;
    while (std::min(nextCr, nextLf) < size) {
        if (nextCr < nextLf) {
            const size_t at = nextCr;
            if (at + 1 == size) {
                afterCr_ = true;
                lastEnd = size;
                break;
            }
            if (data[at + 1] == '\n') {
                pos = at + 2;
                if (nextLf == at + 1) nextLf = Find(data, pos, size, '\n');
            } else {
                pos = at + 1;
                insert(pos, "\n");
            }
            nextCr = Find(data, pos, size, '\r');
        } else {  // an LF without a CR before it, under the LF rule
            insert(nextLf, "\r");
            pos = nextLf + 1;
            nextLf = Find(data, pos, size, '\n');
        }
        lastEnd = pos;
    }
    inLine_ = lastEnd != size;

    if (!changed) return chunk;
    buffer_.append(data + copied, size - copied);
    return buffer_;
}

std::string_view CrLfConverter::finish() {
    std::string_view missing = afterCr_ ? "\n" : inLine_ ? "\r\n" : "";
    afterCr_ = inLine_ = false;
    return missing;
}

}  // namespace grafolux

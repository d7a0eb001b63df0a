#include "logdata/LogParser.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstring>
#include <limits>
#include <new>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <vector>

#include "logdata/HugePages.h"
#include "logdata/LineBreaks.h"
#include "logdata/LogFormat.h"
#include "logdata/PhysicalMemory.h"
#include "logdata/TextFields.h"
#include "logdata/ThreadedRun.h"

namespace grafolux {

namespace {

constexpr int64_t kLinesPerReport = 1024;  // a worker publishes its count and checks for a stop
constexpr int64_t kMaxCount = std::numeric_limits<int32_t>::max();

// A range of whole data lines, counted and then parsed by one worker.
struct Chunk {
    const char* begin = nullptr;
    const char* end = nullptr;
    int64_t lines = 0;
    int64_t firstSample = 0;  // 0-based
    std::atomic<int64_t> parsed{0};
};

// Items named by the header, bytes as written; element 0 is the empty placeholder.
std::vector<ItemInfo> ReadItems(std::string_view header, Colour colour) {
    std::vector<ItemInfo> items(1);
    for (const std::string_view name : HeaderNames(header))
        items.push_back({std::string(name), false, colour, false});
    return items;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A field of at most 15 digits with an optional "-" and ".": the digits as a whole number
// and the power of ten are both exact doubles, so one division rounds correctly and gives
// the very value that from_chars and Val give. Returns nullptr for any other field.
// Inlined into every line parser: most fields are read here, and a call per field made the
// full load a third slower.
[[gnu::always_inline]] inline const char* ReadShortDecimal(const char* p, const char* end,
                                                           double& value) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMaxDigits = 15;
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    uint64_t digits = 0;
    int count = 0, decimals = 0;
    for (; p != end && IsDigit(*p) && count <= kMaxDigits; ++p, ++count)
        digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    if (p != end && *p == '.') {
        for (++p; p != end && IsDigit(*p) && count <= kMaxDigits; ++p, ++count, ++decimals)
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (count == 0 || count > kMaxDigits || (p != end && *p != '\t')) return nullptr;
    value = static_cast<double>(digits);
    if (decimals > 0) value /= kPowersOfTen[decimals];  // whole numbers skip the slow divide
    if (negative) value = -value;
    value += 0.0;  // "-0" reads as 0, as in Val
    return p;
}

// ReadField for the fields ReadShortDecimal leaves: longer decimals and exponents by
// from_chars, which reads them exactly as Val does, anything else (blanks, &H, text, a number
// that does not fit) by Val. Kept out of line so that the common path stays small.
[[gnu::noinline]] const char* ReadOtherField(const char* p, const char* end, double& value) {
    const bool plain = p != end && (IsDigit(*p) || *p == '.' ||
                                    (*p == '-' && p + 1 != end && (IsDigit(p[1]) || p[1] == '.')));
    if (plain) {
        const auto [stop, error] = std::from_chars(p, end, value);
        if (error == std::errc() && (stop == end || *stop == '\t')) {
            value += 0.0;
            return stop;
        }
    }
    const void* tab = p == end ? nullptr : std::memchr(p, '\t', static_cast<size_t>(end - p));
    const char* fieldEnd = tab ? static_cast<const char*>(tab) : end;
    value = Val({p, static_cast<size_t>(fieldEnd - p)});
    return fieldEnd;
}

// The value of the field at `p` (it runs to the next tab or `end`) by the number rule;
// returns the field's end.
[[gnu::always_inline]] inline const char* ReadField(const char* p, const char* end, double& value) {
    if (const char* fieldEnd = ReadShortDecimal(p, end, value)) return fieldEnd;
    return ReadOtherField(p, end, value);
}

// Item k of the line gets field min(k, fields in the line); extra fields are ignored.
void ParseLine(const char* p, const char* end, double* cell, size_t stride, int32_t items) {
    double value = 0;
    int32_t k = 0;
    for (;;) {
        const char* fieldEnd = ReadField(p, end, value);
        cell[static_cast<size_t>(k++) * stride] = value;
        if (k == items) return;
        if (fieldEnd == end) break;
        p = fieldEnd + 1;
    }
    for (; k < items; ++k) cell[static_cast<size_t>(k) * stride] = value;
}

// ParseLine for the kept columns only: fields[j] (ascending, 0-based) is the field of kept
// column j. Skipped fields are stepped over unread; a line too short for a kept column gives
// it the line's last field, as ParseLine does.
void ParseKeptFields(const char* p, const char* end, double* cell, size_t stride,
                     std::span<const int32_t> fields) {
    double value = 0;
    size_t j = 0;
    for (int32_t field = 0; j < fields.size(); ++field) {
        if (field != fields[j]) {
            const void* tab = std::memchr(p, '\t', static_cast<size_t>(end - p));
            if (tab) {
                p = static_cast<const char*>(tab) + 1;
                continue;
            }
            ReadField(p, end, value);  // the line's last field
            break;
        }
        const char* fieldEnd = ReadField(p, end, value);
        cell[j++ * stride] = value;
        if (fieldEnd == end) break;
        p = fieldEnd + 1;
    }
    for (; j < fields.size(); ++j) cell[j * stride] = value;
}

// Cuts [begin, end) into `count` ranges that start at line starts; some may be empty.
std::vector<Chunk> SplitIntoChunks(const char* begin, const char* end, int count,
                                   const LineBreaks& breaks) {
    std::vector<Chunk> chunks(static_cast<size_t>(count));
    const char* start = begin;
    for (int i = 0; i < count; ++i) {
        const char* stop = end;
        if (i + 1 < count) {
            const char* target = begin + (end - begin) * (i + 1) / count;
            const char* lineEnd = breaks.lineEnd(std::max(target, start), end);
            stop = lineEnd == end ? end : LineBreaks::nextLine(lineEnd, end);
        }
        chunks[static_cast<size_t>(i)].begin = start;
        chunks[static_cast<size_t>(i)].end = stop;
        start = stop;
    }
    return chunks;
}

LoadResult Parse(std::string_view bytes, Colour itemColour, const LoadProgress& progress,
                 int workers, const std::vector<std::string>& keep) {
    if (bytes.empty()) return LoadError{"the file is empty"};
    const LineBreaks breaks(bytes);
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();
    const char* headerEnd = breaks.lineEnd(begin, end);

    LogData log;
    log.udtItems = ReadItems({begin, static_cast<size_t>(headerEnd - begin)}, itemColour);
    const int64_t items = static_cast<int64_t>(log.udtItems.size()) - 1;
    if (items == 0) return LoadError{"the header names no item"};
    if (items > kMaxCount) return LoadError{"the header names more items than can be counted"};
    std::vector<int32_t> keptFields;  // empty: every column
    if (!keep.empty()) {
        std::vector<ItemInfo> kept(1);
        for (int32_t k = 1; k <= items; ++k) {
            if (std::find(keep.begin(), keep.end(), log.udtItems[k].strName) == keep.end())
                continue;
            keptFields.push_back(k - 1);
            kept.push_back(std::move(log.udtItems[k]));
        }
        log.udtItems = std::move(kept);
    }
    const int64_t columns = keep.empty() ? items : static_cast<int64_t>(keptFields.size());

    const char* data = headerEnd == end ? end : LineBreaks::nextLine(headerEnd, end);
    std::vector<Chunk> chunks = SplitIntoChunks(data, end, std::max(workers, 1), breaks);
    int64_t total = 0;  // while the lines are counted
    const auto report = [&] {
        if (!progress) return;
        int64_t parsed = 0;
        for (const Chunk& chunk : chunks) parsed += chunk.parsed.load(std::memory_order_relaxed);
        progress(parsed, total);
    };
    RunThreaded(
        chunks.size(), chunks.size(),
        [&](size_t i, std::stop_token stop) {
            Chunk& chunk = chunks[i];
            breaks.forEachLine(chunk.begin, chunk.end, [&](const char*, const char*) {
                // a stop is looked for now and then, as while parsing
                return ++chunk.lines % kLinesPerReport != 0 || !stop.stop_requested();
            });
        },
        report);
    int64_t samples = 0;
    for (Chunk& chunk : chunks) {
        chunk.firstSample = samples;
        samples += chunk.lines;
    }
    if (samples > kMaxCount) return LoadError{"the log has more lines than can be counted"};

    log.lngItemCount = static_cast<int32_t>(columns);
    log.lngSampleCount = static_cast<int32_t>(samples);
    const size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(samples);
    if (cells > PhysicalMemory() / sizeof(double)) throw std::bad_alloc();
    log.dblSamples.reserve(cells);
    AdviseHugePages(log.dblSamples.data(), cells * sizeof(double));
    log.dblSamples.resize(cells);
    double* table = log.dblSamples.data();
    total = samples;
    RunThreaded(
        chunks.size(), chunks.size(),
        [&](size_t i, std::stop_token stop) {
            Chunk& chunk = chunks[i];
            int64_t line = 0;
            breaks.forEachLine(chunk.begin, chunk.end, [&](const char* p, const char* lineEnd) {
                double* cell = table + chunk.firstSample + line;
                if (keep.empty())
                    ParseLine(p, lineEnd, cell, static_cast<size_t>(samples), log.lngItemCount);
                else
                    ParseKeptFields(p, lineEnd, cell, static_cast<size_t>(samples), keptFields);
                if (++line % kLinesPerReport == 0) {
                    chunk.parsed.store(line, std::memory_order_relaxed);
                    if (stop.stop_requested()) return false;
                }
                return line < chunk.lines;  // never past the rows counted for this range
            });
            chunk.parsed.store(line, std::memory_order_relaxed);
        },
        report);
    return log;
}

}  // namespace

LoadResult ParseLog(std::string_view bytes, Colour itemColour, const LoadProgress& progress,
                    int workers, const std::vector<std::string>& items) {
    try {
        return Parse(bytes, itemColour, progress, workers, items);
    } catch (const std::bad_alloc&) {
        return LoadError{"not enough memory to hold the log"};
    } catch (const std::length_error&) {
        return LoadError{"not enough memory to hold the log"};
    }
}

}  // namespace grafolux

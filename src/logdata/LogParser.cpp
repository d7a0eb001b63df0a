#include "logdata/LogParser.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <vector>

#include "logdata/CompactBlock.h"
#include "logdata/HugePages.h"
#include "logdata/LogFormat.h"
#include "logdata/PhysicalMemory.h"
#include "logdata/TextFields.h"
#include "logdata/ThreadedRun.h"

namespace grafolux {

namespace {

constexpr int64_t kMaxCount = std::numeric_limits<int32_t>::max();
// A field waiting to be encoded.
constexpr size_t kStagedBytes = sizeof(int64_t);

struct TooManyLines {};

// Items named by the header, bytes as written; element 0 is the empty placeholder.
std::vector<ItemInfo> ReadItems(std::string_view header, Colour colour) {
    std::vector<ItemInfo> items(1);
    for (const std::string_view name : HeaderNames(header))
        items.push_back({std::string(name), false, colour, false});
    return items;
}

// A field of at most 15 digits with an optional "-" and ".": its digits as the mantissa and the
// digits after the point as the decimals, whose quotient is the very value that from_chars and
// Val give ("-0" reads as 0, as in Val). Returns nullptr for any other field. Inlined into every
// line parser: most fields are read here, and a call per field made the full load a third
// slower.
[[gnu::always_inline]] inline const char* ReadShortDecimal(const char* p, const char* end,
                                                           int64_t& field) {
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
    const auto mantissa = static_cast<int64_t>(digits);
    field = DecimalField(negative ? -mantissa : mantissa, decimals);
    return p;
}

// The fields ReadShortDecimal leaves: longer decimals and exponents by from_chars, which reads
// them exactly as Val does, anything else (blanks, &H, text, a number that does not fit) by
// Val. Kept out of line so that the common path stays small.
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

// The field at `p` (it runs to the next tab or `end`) as the encoder takes it, its value put
// among `others` when it is no short decimal; returns the field's end.
[[gnu::always_inline]] inline const char* ReadField(const char* p, const char* end, int64_t& field,
                                                    std::vector<double>& others) {
    if (const char* fieldEnd = ReadShortDecimal(p, end, field)) return fieldEnd;
    double value = 0;
    const char* fieldEnd = ReadOtherField(p, end, value);
    field = OtherField(static_cast<int64_t>(others.size()));
    others.push_back(value);
    return fieldEnd;
}

constexpr size_t kTileLines = 8;  // a line of the cache of each column

// The fields of a block of lines, column after column (column k of line i at k * stride + i),
// the tile they are first parsed into, and the values of the fields that are no short decimals.
struct Staging {
    std::unique_ptr<int64_t[]> fields;
    size_t capacity = 0;
    std::vector<int64_t> tile;
    std::vector<double> others;

    void Reserve(size_t count, size_t columns) {
        tile.resize(columns * kTileLines);
        if (count <= capacity) return;
        fields.reset(new int64_t[count]);
        capacity = count;
    }
};

// Item k of the line gets field min(k, fields in the line); extra fields are ignored.
void ParseLine(const char* p, const char* end, int64_t* cell, size_t stride, int32_t items,
               std::vector<double>& others) {
    int64_t field = 0;
    int32_t k = 0;
    for (;;) {
        const char* fieldEnd = ReadField(p, end, field, others);
        cell[static_cast<size_t>(k++) * stride] = field;
        if (k == items) return;
        if (fieldEnd == end) break;
        p = fieldEnd + 1;
    }
    for (; k < items; ++k) cell[static_cast<size_t>(k) * stride] = field;
}

// ParseLine for the kept columns only: fields[j] (ascending, 0-based) is the field of kept
// column j. Skipped fields are stepped over unread; a line too short for a kept column gives
// it the line's last field, as ParseLine does.
void ParseKeptFields(const char* p, const char* end, int64_t* cell, size_t stride,
                     std::span<const int32_t> fields, std::vector<double>& others) {
    int64_t field = 0;
    size_t j = 0;
    for (int32_t at = 0; j < fields.size(); ++at) {
        if (at != fields[j]) {
            const void* tab = std::memchr(p, '\t', static_cast<size_t>(end - p));
            if (tab) {
                p = static_cast<const char*>(tab) + 1;
                continue;
            }
            ReadField(p, end, field, others);  // the line's last field
            break;
        }
        const char* fieldEnd = ReadField(p, end, field, others);
        cell[j++ * stride] = field;
        if (fieldEnd == end) break;
        p = fieldEnd + 1;
    }
    for (; j < fields.size(); ++j) cell[j * stride] = field;
}

// A piece's columns in blocks, column after column.
struct EncodedPiece {
    size_t index = 0;
    std::vector<SampleBlock> blocks;
};

// The memory the blocks' bytes lie in, which the log's columns keep alive together.
using BlockMemory = std::vector<std::vector<uint8_t>>;

// Where a worker encodes the blocks' bytes for good: pieces of memory of a size that suits the
// log, never grown once asked for (so that what is written there stays where it is), and backed
// by huge pages where the system has them.
class BlockArena {
public:
    explicit BlockArena(size_t chunk) : chunk_(std::max(chunk, kLargestBlock)) {}

    // Bytes to append a block's to: room for the largest there is.
    std::vector<uint8_t>& Room() {
        if (memory_.empty() || memory_.back().capacity() - memory_.back().size() < kLargestBlock) {
            memory_.emplace_back().reserve(chunk_);
            AdviseHugePages(memory_.back().data(), chunk_);
        }
        return memory_.back();
    }
    BlockMemory& memory() { return memory_; }

private:
    static constexpr size_t kLargestBlock = kBlockSamples * sizeof(double);  // raw
    size_t chunk_;
    BlockMemory memory_;
};

class StreamParser {
public:
    // `keptFields`: the fields (0-based, ascending) of the columns kept; none: every field.
    StreamParser(ByteSource& source, const PieceLimits& limits, const LoadProgress& progress,
                 int64_t columns, std::optional<std::vector<int32_t>> keptFields)
        : source_(source),
          progress_(progress),
          columns_(columns),
          everyColumn_(!keptFields),
          keptFields_(keptFields.value_or(std::vector<int32_t>{})),
          limits_(limits) {}

    struct Samples {
        int32_t count = 0;
        std::vector<Column> columns;
    };
    // The lines after the header, each a sample.
    Samples Run(HeaderLine header, int workers);

private:
    void Work(std::stop_token stop);
    void Report();
    void CheckRoom(const LinePiece& piece);
    EncodedPiece Encode(const LinePiece& piece, Staging& staging, BlockArena& arena,
                        std::stop_token stop);

    ByteSource& source_;
    const LoadProgress& progress_;
    int64_t columns_;
    bool everyColumn_;
    std::vector<int32_t> keptFields_;
    PieceLimits limits_;

    std::mutex mutex_;  // guards what follows
    std::optional<LinePieces> pieces_;
    std::vector<EncodedPiece> encoded_;
    std::shared_ptr<BlockMemory> memory_ = std::make_shared<BlockMemory>();
    int64_t linesDone_ = 0;
    uint64_t bytesDone_ = 0;
    std::atomic<size_t> held_{0};  // bytes of the columns so far
};

StreamParser::Samples StreamParser::Run(HeaderLine header, int workers) {
    pieces_.emplace(source_, std::move(header), limits_);
    RunThreaded(
        static_cast<size_t>(std::max(workers, 1)), static_cast<size_t>(std::max(workers, 1)),
        [&](size_t, std::stop_token stop) { Work(stop); }, [&] { Report(); });

    std::sort(encoded_.begin(), encoded_.end(),
              [](const EncodedPiece& a, const EncodedPiece& b) { return a.index < b.index; });
    Samples samples{static_cast<int32_t>(pieces_->linesCut()), {}};
    std::vector<std::vector<SampleBlock>> blocks(static_cast<size_t>(columns_));
    for (EncodedPiece& piece : encoded_) {
        const size_t perColumn = blocks.empty() ? 0 : piece.blocks.size() / blocks.size();
        for (size_t c = 0; c < blocks.size(); ++c)
            blocks[c].insert(blocks[c].end(), piece.blocks.begin() + c * perColumn,
                             piece.blocks.begin() + (c + 1) * perColumn);
    }
    for (std::vector<SampleBlock>& column : blocks)
        samples.columns.push_back(Column::OfBlocks(samples.count, std::move(column), memory_));
    return samples;
}

// Takes the next piece until none is left: the reading is shared, one worker at a time, the
// parsing and encoding are each worker's own.
void StreamParser::Work(std::stop_token stop) {
    Staging staging;
    // About a quarter of the text's size for the whole log, in eight pieces at least.
    const uint64_t size = source_.size();
    BlockArena arena(size == 0 ? size_t{1} << 20
                               : std::clamp<size_t>(size / 32, size_t{64} << 10, size_t{8} << 20));
    while (!stop.stop_requested()) {
        std::optional<LinePiece> piece;
        {
            const std::lock_guard lock(mutex_);
            piece = pieces_->Next();
            if (piece && piece->firstLine + piece->lines > kMaxCount) throw TooManyLines{};
        }
        if (!piece) break;
        if (piece->index == 0) CheckRoom(*piece);
        EncodedPiece encoded = Encode(*piece, staging, arena, stop);
        const std::lock_guard lock(mutex_);
        linesDone_ += piece->lines;
        bytesDone_ += piece->text.size();
        encoded_.push_back(std::move(encoded));
        pieces_->Recycle(std::move(*piece));
    }
    const std::lock_guard lock(mutex_);
    for (auto& memory : arena.memory()) memory_->push_back(std::move(memory));
}

// A log whose columns could not fit in memory even at their smallest (a block description per
// block), judged from its first piece, is refused before any of it is parsed.
void StreamParser::CheckRoom(const LinePiece& piece) {
    const uint64_t size = source_.size();
    if (size == 0 || piece.text.size() == 0) return;
    const double lines = static_cast<double>(piece.lines) * static_cast<double>(size) /
                         static_cast<double>(piece.text.size());
    const double least = static_cast<double>(columns_) * (lines / kBlockSamples + 1) *
                         static_cast<double>(sizeof(SampleBlock));
    if (least > static_cast<double>(PhysicalMemory())) throw std::bad_alloc();
}

// A block of lines at a time, parsed and at once encoded while its fields are in the cache.
EncodedPiece StreamParser::Encode(const LinePiece& piece, Staging& staging, BlockArena& arena,
                                  std::stop_token stop) {
    const auto lines = static_cast<size_t>(piece.lines);
    const auto columns = static_cast<size_t>(columns_);
    // A column a cache line longer than its block: columns a multiple of 4 KiB apart would put a
    // line's fields all into one set of the cache.
    constexpr size_t kStride = kBlockSamples + 8;
    if (static_cast<double>(kStride) * static_cast<double>(columns) * kStagedBytes >
        static_cast<double>(PhysicalMemory()) / 4)
        throw std::bad_alloc();
    staging.Reserve(kStride * columns, columns);
    const size_t blocks = (lines + kBlockSamples - 1) / kBlockSamples;
    EncodedPiece encoded{piece.index, std::vector<SampleBlock>(blocks * columns)};
    size_t held = encoded.blocks.size() * sizeof(SampleBlock);
    const char* text = piece.text.data();
    const char* textEnd = text + piece.text.size();
    const char* p = text;
    for (size_t block = 0; block < blocks && !stop.stop_requested(); ++block) {
        const size_t first = block * kBlockSamples;
        const size_t n = std::min<size_t>(kBlockSamples, lines - first);
        staging.others.clear();
        // A few lines at a time into a tile that stays in the first-level cache, each column's
        // part of it then copied whole: a line's fields written straight into their columns
        // would each wait for a line of the cache.
        for (size_t line = 0; line < n && columns > 0; ++line) {
            const char* end = text + piece.ends[first + line];
            int64_t* cell = staging.tile.data() + line % kTileLines;
            if (everyColumn_)
                ParseLine(p, end, cell, kTileLines, static_cast<int32_t>(columns), staging.others);
            else
                ParseKeptFields(p, end, cell, kTileLines, keptFields_, staging.others);
            p = end == textEnd ? end : LineBreaks::nextLine(end, textEnd);
            if (line % kTileLines == kTileLines - 1 || line + 1 == n) {
                const size_t rows = line % kTileLines + 1, row = line + 1 - rows;
                for (size_t c = 0; c < columns; ++c) {
                    int64_t* to = staging.fields.get() + c * kStride + row;
                    const int64_t* from = staging.tile.data() + c * kTileLines;
                    if (rows == kTileLines)  // a size known here: a few moves, not a call
                        std::memcpy(to, from, kTileLines * sizeof(int64_t));
                    else
                        std::copy_n(from, rows, to);
                }
            }
        }
        for (size_t c = 0; c < columns; ++c) {
            std::vector<uint8_t>& bytes = arena.Room();
            const size_t at = bytes.size();
            SampleBlock& encodedBlock = encoded.blocks[c * blocks + block];
            encodedBlock = EncodeBlock(staging.fields.get() + c * kStride, staging.others.data(),
                                       static_cast<int32_t>(n), bytes);
            encodedBlock.bytes = bytes.data() + at;
            held += bytes.size() - at;
        }
    }
    if (held_.fetch_add(held) + held > PhysicalMemory()) throw std::bad_alloc();
    return encoded;
}

// Samples of the pieces done, of a total judged from their share of the bytes; 0 of 0 before
// any is done or when the size is not known, and every sample of every sample at the end.
void StreamParser::Report() {
    if (!progress_) return;
    int64_t done = 0, total = 0;
    {
        const std::lock_guard lock(mutex_);
        if (pieces_->exhausted() && linesDone_ == pieces_->linesCut()) {
            done = total = linesDone_;
        } else if (bytesDone_ > 0 && source_.size() > 0) {
            done = linesDone_;
            total = std::max(done, static_cast<int64_t>(static_cast<double>(done) *
                                                        static_cast<double>(source_.size()) /
                                                        static_cast<double>(bytesDone_)));
        }
    }
    progress_(done, total);
}

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : rest_(bytes), size_(bytes.size()) {}
    size_t Read(char* into, size_t most) override {
        const size_t n = std::min(most, rest_.size());
        if (n > 0) std::memcpy(into, rest_.data(), n);
        rest_.remove_prefix(n);
        return n;
    }
    uint64_t size() const override { return size_; }

private:
    std::string_view rest_;
    uint64_t size_;
};

LoadResult Parse(ByteSource& source, Colour itemColour, const LoadProgress& progress, int workers,
                 const std::vector<std::string>& keep, const PieceLimits& limits) {
    HeaderLine header = ReadHeaderLine(source, limits.readBytes);
    if (header.text.empty() && !header.rule) return LoadError{"the file is empty"};

    LogData log;
    std::vector<ItemInfo> items = ReadItems(header.text, itemColour);
    const int64_t named = static_cast<int64_t>(items.size()) - 1;
    if (named == 0) return LoadError{"the header names no item"};
    if (named > kMaxCount) return LoadError{"the header names more items than can be counted"};
    std::optional<std::vector<int32_t>> keptFields;  // none: every column
    if (!keep.empty()) {
        keptFields.emplace();
        std::vector<ItemInfo> kept(1);
        for (int32_t k = 1; k <= named; ++k) {
            if (std::find(keep.begin(), keep.end(), items[k].strName) == keep.end()) continue;
            keptFields->push_back(k - 1);
            kept.push_back(std::move(items[k]));
        }
        items = std::move(kept);
    }
    const int64_t columns = static_cast<int64_t>(items.size()) - 1;
    StreamParser parser(source, limits, progress, columns, std::move(keptFields));
    StreamParser::Samples samples = parser.Run(std::move(header), workers);
    log.lngSampleCount = samples.count;
    for (size_t c = 0; c < samples.columns.size(); ++c)
        log.AddItem(std::move(items[c + 1]), std::move(samples.columns[c]));
    return log;
}

}  // namespace

LoadResult ParseStream(ByteSource& source, Colour itemColour, const LoadProgress& progress,
                       int workers, const std::vector<std::string>& items, PieceLimits limits) {
    try {
        return Parse(source, itemColour, progress, workers, items, limits);
    } catch (const ReadFailure& failure) {
        return LoadError{failure.reason};
    } catch (const TooManyLines&) {
        return LoadError{"the log has more lines than can be counted"};
    } catch (const std::bad_alloc&) {
        return LoadError{"not enough memory to hold the log"};
    } catch (const std::length_error&) {
        return LoadError{"not enough memory to hold the log"};
    }
}

LoadResult ParseLog(std::string_view bytes, Colour itemColour, const LoadProgress& progress,
                    int workers, const std::vector<std::string>& items, const PieceLimits& limits) {
    MemorySource source(bytes);
    return ParseStream(source, itemColour, progress, workers, items, limits);
}

}  // namespace grafolux

#include "logcache/CacheEntry.h"

#include <unistd.h>
#include <xxhash.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace grafolux {

namespace {

// The layout, every number little-endian:
//   0  "GFXCACHE"   8  version        12 samples per block   16 bytes of the entry
//   24 checksum: XXH3-64 of every byte from 32 on
//   32 log's size   40 log's modification time (ns)    48 hash of the log (128 bits)
//   64 items        68 samples
//   72 per item: name length (u32) and name; then zeros to a multiple of 8
//   then per item, per block: form, width, exponent, 0, kept aside (u16), 0 (u16), base (i64),
//   offset of its bytes (u64) from the start of the blocks' bytes, which follow.
constexpr char kMagic[8] = {'G', 'F', 'X', 'C', 'A', 'C', 'H', 'E'};
constexpr size_t kChecked = 32;  // the checksum covers the bytes from here
constexpr size_t kHeaderBytes = 72;
constexpr size_t kEntryBytes = 24;

size_t Aligned(size_t n) { return (n + 7) / 8 * 8; }

// Buffers what is written and checksums it.
class EntryWriter {
public:
    explicit EntryWriter(int descriptor) : descriptor_(descriptor), state_(XXH3_createState()) {
        XXH3_64bits_reset(state_);
    }
    ~EntryWriter() { XXH3_freeState(state_); }

    template <typename T>
    void Put(T value) {
        Bytes(&value, sizeof value);
    }
    void Bytes(const void* data, size_t size) {
        const auto* bytes = static_cast<const char*>(data);
        buffer_.insert(buffer_.end(), bytes, bytes + size);
        if (buffer_.size() >= kFlushAt) Flush();
    }
    // Writes what is left and puts the checksum in its place; false when any write failed.
    bool Finish() {
        Flush();
        const uint64_t checksum = XXH3_64bits_digest(state_);
        return ok_ && pwrite(descriptor_, &checksum, sizeof checksum, 24) == sizeof checksum;
    }

private:
    static constexpr size_t kFlushAt = size_t{1} << 20;

    void Flush() {
        const size_t skipped =
            written_ < kChecked ? std::min(kChecked - written_, buffer_.size()) : 0;
        XXH3_64bits_update(state_, buffer_.data() + skipped, buffer_.size() - skipped);
        for (size_t at = 0; ok_ && at < buffer_.size();) {
            const ssize_t n = write(descriptor_, buffer_.data() + at, buffer_.size() - at);
            if (n < 0 && errno == EINTR) continue;
            ok_ = n > 0;
            at += n > 0 ? static_cast<size_t>(n) : 0;
        }
        written_ += buffer_.size();
        buffer_.clear();
    }

    int descriptor_;
    XXH3_state_t* state_;
    std::vector<char> buffer_;
    size_t written_ = 0;
    bool ok_ = true;
};

// Reads numbers and bytes in order, never past the end.
class EntryReader {
public:
    explicit EntryReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    template <typename T>
    bool Get(T& value) {
        if (bytes_.size() - at_ < sizeof value) return false;
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return true;
    }
    bool Skip(size_t count) {
        if (bytes_.size() - at_ < count) return false;
        at_ += count;
        return true;
    }
    size_t at() const { return at_; }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

}  // namespace

bool WriteCacheEntry(int descriptor, const CacheKey& key, const LogData& log) {
    const auto items = static_cast<size_t>(log.loggedItemCount());
    const int32_t samples = log.lngSampleCount;
    size_t names = 0, blocks = 0, payload = 0;
    for (int32_t k = 1; k <= log.loggedItemCount(); ++k) {
        names += sizeof(uint32_t) + log.udtItems[k].strName.size();
        const std::span<const SampleBlock> column = log.column(k).blocks();
        blocks += column.size();
        for (size_t b = 0; b < column.size(); ++b)
            payload += BlockBytes(column[b], BlockLength(samples, b));
    }
    const size_t total = Aligned(kHeaderBytes + names) + blocks * kEntryBytes + payload;

    EntryWriter out(descriptor);
    out.Bytes(kMagic, sizeof kMagic);
    out.Put(kCacheVersion);
    out.Put(static_cast<uint32_t>(kBlockSamples));
    out.Put(static_cast<uint64_t>(total));
    out.Put(uint64_t{0});  // the checksum, once known
    out.Put(key.size);
    out.Put(key.modified);
    out.Put(key.hash.low);
    out.Put(key.hash.high);
    out.Put(static_cast<uint32_t>(items));
    out.Put(samples);
    for (int32_t k = 1; k <= log.loggedItemCount(); ++k) {
        const std::string& name = log.udtItems[k].strName;
        out.Put(static_cast<uint32_t>(name.size()));
        out.Bytes(name.data(), name.size());
    }
    const std::vector<char> padding(Aligned(kHeaderBytes + names) - (kHeaderBytes + names));
    out.Bytes(padding.data(), padding.size());
    uint64_t offset = 0;
    for (int32_t k = 1; k <= log.loggedItemCount(); ++k) {
        const std::span<const SampleBlock> column = log.column(k).blocks();
        for (size_t b = 0; b < column.size(); ++b) {
            const SampleBlock& block = column[b];
            out.Put(static_cast<uint8_t>(block.form));
            out.Put(block.width);
            out.Put(block.exponent);
            out.Put(uint8_t{0});
            out.Put(block.exceptions);
            out.Put(uint16_t{0});
            out.Put(block.base);
            out.Put(offset);
            offset += BlockBytes(block, BlockLength(samples, b));
        }
    }
    for (int32_t k = 1; k <= log.loggedItemCount(); ++k) {
        const std::span<const SampleBlock> column = log.column(k).blocks();
        for (size_t b = 0; b < column.size(); ++b)
            out.Bytes(column[b].bytes, BlockBytes(column[b], BlockLength(samples, b)));
    }
    return out.Finish();
}

std::optional<CachedLog> ReadCacheEntry(std::span<const uint8_t> bytes,
                                        std::shared_ptr<const void> owner, Colour colour) {
    EntryReader in(bytes);
    char magic[sizeof kMagic];
    uint32_t version = 0, blockSamples = 0, items = 0;
    uint64_t total = 0, checksum = 0;
    CachedLog entry;
    CacheKey& key = entry.key;
    int32_t samples = 0;
    if (!in.Get(magic) || !in.Get(version) || !in.Get(blockSamples) || !in.Get(total) ||
        !in.Get(checksum))
        return std::nullopt;
    if (std::memcmp(magic, kMagic, sizeof kMagic) != 0) return std::nullopt;
    if (version != kCacheVersion || blockSamples != kBlockSamples) return std::nullopt;
    if (total != bytes.size()) return std::nullopt;  // cut short, or grown
    const std::string_view checked(reinterpret_cast<const char*>(bytes.data()) + kChecked,
                                   bytes.size() - kChecked);
    if (checksum != Checksum(checked)) return std::nullopt;
    if (!in.Get(key.size) || !in.Get(key.modified) || !in.Get(key.hash.low) ||
        !in.Get(key.hash.high) || !in.Get(items) || !in.Get(samples) || samples < 0)
        return std::nullopt;
    std::vector<std::string> names;
    for (uint32_t k = 0; k < items; ++k) {
        uint32_t length = 0;
        const size_t start = in.at() + sizeof length;
        if (!in.Get(length) || !in.Skip(length)) return std::nullopt;
        names.emplace_back(reinterpret_cast<const char*>(bytes.data()) + start, length);
    }
    if (!in.Skip(Aligned(in.at()) - in.at())) return std::nullopt;
    const size_t perColumn = (static_cast<size_t>(samples) + kBlockSamples - 1) / kBlockSamples;
    const size_t directory = in.at();
    if (static_cast<double>(items) * static_cast<double>(perColumn) * kEntryBytes >
        static_cast<double>(bytes.size() - directory))
        return std::nullopt;
    const size_t payload = directory + items * perColumn * kEntryBytes;
    const size_t payloadBytes = bytes.size() - payload;

    LogData& log = entry.log;
    log.lngSampleCount = samples;
    for (uint32_t k = 0; k < items; ++k) {
        std::vector<SampleBlock> blocks(perColumn);
        for (size_t b = 0; b < perColumn; ++b) {
            SampleBlock& block = blocks[b];
            uint8_t form = 0, zero = 0;
            uint16_t zeros = 0;
            uint64_t offset = 0;
            if (!in.Get(form) || !in.Get(block.width) || !in.Get(block.exponent) || !in.Get(zero) ||
                !in.Get(block.exceptions) || !in.Get(zeros) || !in.Get(block.base) ||
                !in.Get(offset) || zero != 0 || zeros != 0 || offset > payloadBytes)
                return std::nullopt;
            block.form = static_cast<BlockForm>(form);
            block.bytes = bytes.data() + payload + offset;
            if (!BlockIsSound(block, BlockLength(samples, b), payloadBytes - offset))
                return std::nullopt;
        }
        log.AddItem({names[k], false, colour, false},
                    Column::OfBlocks(samples, std::move(blocks), owner));
    }
    return entry;
}

}  // namespace grafolux

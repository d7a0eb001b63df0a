#include "logcache/ContentHash.h"

#include <fcntl.h>
#include <unistd.h>
#include <xxhash.h>

#include <algorithm>
#include <cerrno>
#include <future>
#include <new>

namespace grafolux {

namespace {

// Bytes from..to of the file into `state`; false when fewer can be read.
bool HashRange(int descriptor, uint64_t from, uint64_t to, XXH3_state_t* state,
               const std::function<void()>& tick) {
    constexpr size_t kPiece = size_t{1} << 20;
    const std::unique_ptr<char[]> buffer(new char[kPiece]);
    while (from < to) {
        const auto want = static_cast<size_t>(std::min<uint64_t>(kPiece, to - from));
        const ssize_t got = pread(descriptor, buffer.get(), want, static_cast<off_t>(from));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        XXH3_128bits_update(state, buffer.get(), static_cast<size_t>(got));
        from += static_cast<uint64_t>(got);
        if (tick) tick();
    }
    return true;
}

}  // namespace

ContentHasher::ContentHasher(uint64_t size)
    : halves_{XXH3_createState(), XXH3_createState()}, half_(size / 2) {
    if (!halves_[0] || !halves_[1]) {
        XXH3_freeState(halves_[0]);
        XXH3_freeState(halves_[1]);
        throw std::bad_alloc();
    }
    XXH3_128bits_reset(halves_[0]);
    XXH3_128bits_reset(halves_[1]);
}

ContentHasher::~ContentHasher() {
    XXH3_freeState(halves_[0]);
    XXH3_freeState(halves_[1]);
}

void ContentHasher::Add(std::string_view bytes) {
    const auto first =
        static_cast<size_t>(std::min<uint64_t>(bytes.size(), half_ - std::min(half_, bytes_)));
    XXH3_128bits_update(halves_[0], bytes.data(), first);
    XXH3_128bits_update(halves_[1], bytes.data() + first, bytes.size() - first);
    bytes_ += bytes.size();
}

ContentHash ContentHasher::Finish() const {
    const XXH128_hash_t first = XXH3_128bits_digest(halves_[0]);
    const XXH128_hash_t second = XXH3_128bits_digest(halves_[1]);
    const uint64_t both[] = {first.low64, first.high64, second.low64, second.high64};
    const XXH128_hash_t hash = XXH3_128bits(both, sizeof both);
    return {hash.low64, hash.high64};
}

std::optional<ContentHash> HashFile(int descriptor, uint64_t size,
                                    const std::function<void()>& tick) {
    posix_fadvise(descriptor, 0, static_cast<off_t>(size), POSIX_FADV_SEQUENTIAL);
    ContentHasher hasher(size);
    auto second = std::async(std::launch::async, [&] {
        return HashRange(descriptor, hasher.half_, size, hasher.halves_[1], {});
    });
    const bool first = HashRange(descriptor, 0, hasher.half_, hasher.halves_[0], tick);
    if (!second.get() || !first) return std::nullopt;
    hasher.bytes_ = size;
    return hasher.Finish();
}

uint64_t Checksum(std::string_view bytes) { return XXH3_64bits(bytes.data(), bytes.size()); }

}  // namespace grafolux

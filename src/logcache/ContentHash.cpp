#include "logcache/ContentHash.h"

#include <fcntl.h>
#include <unistd.h>
#include <xxhash.h>

#include <cerrno>
#include <memory>
#include <new>

namespace grafolux {

ContentHasher::ContentHasher() : state_(XXH3_createState()) {
    if (!state_) throw std::bad_alloc();
    XXH3_128bits_reset(state_);
}

ContentHasher::~ContentHasher() { XXH3_freeState(state_); }

void ContentHasher::Add(std::string_view bytes) {
    XXH3_128bits_update(state_, bytes.data(), bytes.size());
    bytes_ += bytes.size();
}

ContentHash ContentHasher::Finish() const {
    const XXH128_hash_t hash = XXH3_128bits_digest(state_);
    return {hash.low64, hash.high64};
}

std::optional<ContentHash> HashFile(int descriptor, uint64_t size,
                                    const std::function<void()>& tick) {
    constexpr size_t kPiece = size_t{1} << 20;
    const std::unique_ptr<char[]> buffer(new char[kPiece]);
    posix_fadvise(descriptor, 0, static_cast<off_t>(size), POSIX_FADV_SEQUENTIAL);
    ContentHasher hasher;
    while (hasher.bytes() < size) {
        const auto want = static_cast<size_t>(std::min<uint64_t>(kPiece, size - hasher.bytes()));
        const ssize_t got =
            pread(descriptor, buffer.get(), want, static_cast<off_t>(hasher.bytes()));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        hasher.Add({buffer.get(), static_cast<size_t>(got)});
        if (tick) tick();
    }
    return hasher.Finish();
}

uint64_t Checksum(std::string_view bytes) { return XXH3_64bits(bytes.data(), bytes.size()); }

}  // namespace grafolux

#pragma once
// The fingerprint of a log's bytes that its cache entry is found by: 128 bits of XXH3, fast
// enough to take of every byte at every open.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

struct XXH3_state_s;

namespace grafolux {

struct ContentHash {
    uint64_t low = 0, high = 0;
    bool operator==(const ContentHash&) const = default;
};

class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    void Add(std::string_view bytes);
    ContentHash Finish() const;
    uint64_t bytes() const { return bytes_; }

private:
    XXH3_state_s* state_;
    uint64_t bytes_ = 0;
};

// The hash of the first `size` bytes of the open file, read from its start whatever it has
// read so far; none when fewer can be read. `tick` is called after every piece read.
std::optional<ContentHash> HashFile(int descriptor, uint64_t size,
                                    const std::function<void()>& tick);

// XXH3's 64 bits of `bytes`: the cache entry's own check against damage.
uint64_t Checksum(std::string_view bytes);

}  // namespace grafolux

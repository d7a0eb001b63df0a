#pragma once
// The fingerprint of a log's bytes that its cache entry is found by: 128 bits of XXH3, fast
// enough to take of every byte at every open. The file's two halves are hashed apart and their
// hashes then together, so that a reopen hashes them side by side.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

struct XXH3_state_s;

namespace grafolux {

struct ContentHash {
    uint64_t low = 0, high = 0;
    bool operator==(const ContentHash&) const = default;
};

// The hash of a file of `size` bytes, taken as it is read.
class ContentHasher {
public:
    explicit ContentHasher(uint64_t size);
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    // The next bytes, in the file's order.
    void Add(std::string_view bytes);
    ContentHash Finish() const;
    uint64_t bytes() const { return bytes_; }

private:
    friend std::optional<ContentHash> HashFile(int descriptor, uint64_t size,
                                               const std::function<void()>& tick);
    XXH3_state_s* halves_[2];
    uint64_t half_, bytes_ = 0;
};

// The hash of the first `size` bytes of the open file, read from its start whatever it has
// read so far, its halves on two threads; none when fewer can be read. `tick` is called on the
// calling thread after every piece it reads.
std::optional<ContentHash> HashFile(int descriptor, uint64_t size,
                                    const std::function<void()>& tick);

// XXH3's 64 bits of `bytes`: the cache entry's own check against damage.
uint64_t Checksum(std::string_view bytes);

}  // namespace grafolux

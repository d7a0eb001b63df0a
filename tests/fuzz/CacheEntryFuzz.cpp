// The reopen cache's reader on any bytes: an entry it accepts decodes whole, and written again
// reads back the same. With the first byte odd, the length and checksum are set right first, so
// that what lies behind them is tried as well.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "FuzzKit.h"
#include "logcache/CacheEntry.h"

using namespace grafolux;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 32 && data[0] % 2 == 1) {
        const uint64_t length = size;
        std::memcpy(&bytes[16], &length, sizeof length);
        const uint64_t checksum =
            Checksum({reinterpret_cast<const char*>(bytes.data()) + 32, size - 32});
        std::memcpy(&bytes[24], &checksum, sizeof checksum);
    }
    const auto entry = ReadCacheEntry(bytes, nullptr, 0);
    if (!entry) return 0;
    const LogData& log = entry->log;
    std::FILE* file = std::tmpfile();
    FUZZ_CHECK(file && WriteCacheEntry(fileno(file), entry->key, log));
    std::vector<uint8_t> written(static_cast<size_t>(lseek(fileno(file), 0, SEEK_END)));
    FUZZ_CHECK(pread(fileno(file), written.data(), written.size(), 0) ==
               static_cast<ssize_t>(written.size()));
    std::fclose(file);
    const auto again = ReadCacheEntry(written, nullptr, 0);
    FUZZ_CHECK(again && again->key == entry->key && again->log.lngItemCount == log.lngItemCount &&
               again->log.lngSampleCount == log.lngSampleCount);
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        FUZZ_CHECK(again->log.udtItems[k].strName == log.udtItems[k].strName);
        const WholeColumn a = log.wholeColumn(k), b = again->log.wholeColumn(k);
        FUZZ_CHECK(std::equal(a->begin(), a->end(), b->begin(), b->end(), fuzz::SameBits));
    }
    return 0;
}

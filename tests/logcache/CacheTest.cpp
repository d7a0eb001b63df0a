#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "logcache/CacheEntry.h"
#include "logcache/CacheFolder.h"
#include "logcache/CachedLoad.h"
#include "logdata/LogParser.h"
#include "support/LogTestKit.h"
#include "support/TestFiles.h"

namespace {

using namespace grafolux;
namespace fs = std::filesystem;

// Every form a block takes, and the odd fields the number rule reads.
std::string LogText(int seed) {
    std::string text = "T\tSENSOR:MAP\tMW2:7\tODD\r\n";
    const char* odd[] = {"1e300", "&HFF", "abc", "-0", "0.30000000000000004", "", "1,5"};
    for (int i = 0; i < 3000; ++i)
        text += std::to_string(i * seed) + "\t" + std::to_string(i % 900 / 10.0) + "\t" +
                (i % 3 ? "1" : "0") + "\t" + odd[(i + seed) % 7] + "\r\n";
    return text;
}

ContentHash HashOf(const std::string& path) {
    const std::string bytes = ReadAll(QString::fromStdString(path)).toStdString();
    ContentHasher hasher(bytes.size());
    for (size_t at = 0; at < bytes.size(); at += 1000)  // as the file is read, a piece at a time
        hasher.Add(std::string_view(bytes).substr(at, 1000));
    return hasher.Finish();
}

// A test's own cache folder: the process's environment names it.
class Cache : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CACHE_HOME", home_.path().toLocal8Bit().data(), 1); }

    std::string WriteLog(const std::string& name, const std::string& text) {
        return WriteTempFile(home_.path().toStdString() + "-logs", name, text);
    }
    static LogData Open(const std::string& path, const LoadOptions& options = {},
                        uint64_t limit = kDefaultCacheLimit) {
        LoadResult result = OpenLog(path, 0, {}, options, CacheChoicesFor(false, limit));
        FinishCacheWrites();
        return std::get<LogData>(std::move(result));
    }
    static std::vector<double> Parsed(const std::string& path) {
        return test::Table(std::get<LogData>(LoadLog(path, 0)));
    }
    // The entries that read as sound, by the key they hold.
    static std::vector<CacheKey> SoundEntries() {
        std::vector<CacheKey> keys;
        std::error_code error;
        for (const auto& file : fs::directory_iterator(CacheFolder(), error)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            const std::span<const uint8_t> span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                bytes.size());
            if (const auto entry = ReadCacheEntry(span, nullptr, 0)) keys.push_back(entry->key);
        }
        return keys;
    }
    static std::vector<fs::path> Entries() {
        std::vector<fs::path> paths;
        std::error_code error;
        for (const auto& file : fs::directory_iterator(CacheFolder(), error))
            paths.push_back(file.path());
        return paths;
    }

    QTemporaryDir home_;
};

// The reopen reads the entry, not the file: an entry made to hold other values with the file's
// key gives those values.
TEST_F(Cache, ReopeningReadsTheEntryTheFirstOpenWrote) {
    const std::string path = WriteLog("run.txt", LogText(3));
    EXPECT_EQ(test::Table(Open(path)), Parsed(path));
    const std::vector<CacheKey> keys = SoundEntries();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].size, fs::file_size(path));

    const std::string other = WriteLog("other.txt", LogText(5));
    const int descriptor = open(Entries()[0].c_str(), O_WRONLY | O_TRUNC);
    ASSERT_TRUE(WriteCacheEntry(descriptor, keys[0], std::get<LogData>(LoadLog(other, 0))));
    close(descriptor);
    EXPECT_EQ(test::Table(Open(path)), Parsed(other));
    const LoadOptions some{{"MW2:7", "T"}, 0};
    EXPECT_EQ(test::Table(Open(path, some)),
              test::Table(std::get<LogData>(LoadLog(other, 0, {}, some))));
}

// What is wrong with an entry is found, the file is parsed, and its entry written anew.
TEST_F(Cache, DamagedForeignOrStaleEntriesAreIgnoredAndWrittenAnew) {
    // The byte at `at` (from the end when negative) with its bits in `flip` turned over.
    const auto flipped = [](std::streamoff at, char flip) {
        return [=](const fs::path& entry, const std::string&) {
            std::fstream file(entry, std::ios::in | std::ios::out | std::ios::binary);
            file.seekg(at, at < 0 ? std::ios::end : std::ios::beg);
            const auto where = file.tellg();
            const char byte = static_cast<char>(file.get());
            file.seekp(where);
            file.put(static_cast<char>(byte ^ flip));
        };
    };
    const struct {
        const char* what;
        std::function<void(const fs::path& entry, const std::string& log)> damage;
    } cases[] = {
        {"cut short",
         [](const fs::path& entry, auto&) { fs::resize_file(entry, fs::file_size(entry) / 2); }},
        {"empty", [](const fs::path& entry, auto&) { fs::resize_file(entry, 0); }},
        {"a bit flipped in the blocks", flipped(-100, 4)},
        {"a bit flipped in the key", flipped(50, 1)},
        {"another version", flipped(8, 3)},
        {"the same size and time, other bytes",
         [](const fs::path&, const std::string& log) {
             struct stat before {};
             stat(log.c_str(), &before);
             std::string text = LogText(3);
             text[text.find('\n') + 1] = '9';  // the first sample's T
             std::ofstream(log, std::ios::binary) << text;
             const timespec times[2] = {before.st_atim, before.st_mtim};
             utimensat(AT_FDCWD, log.c_str(), times, 0);
         }},
    };
    for (const auto& c : cases) {
        fs::remove_all(CacheFolder());
        const std::string path = WriteLog("run.txt", LogText(3));
        Open(path);
        ASSERT_EQ(Entries().size(), 1u) << c.what;
        const fs::path entry = Entries()[0];
        const std::string sound = ReadAll(QString::fromStdString(entry)).toStdString();
        c.damage(entry, path);
        EXPECT_EQ(test::Table(Open(path)), Parsed(path)) << c.what;
        const bool stale = &c == &cases[std::size(cases) - 1];
        EXPECT_TRUE(stale || ReadAll(QString::fromStdString(entry)).toStdString() == sound)
            << c.what;
        const auto keys = SoundEntries();
        EXPECT_EQ(std::count_if(keys.begin(), keys.end(),
                                [&](const CacheKey& key) {
                                    return key.hash == HashOf(path) &&
                                           key.size == fs::file_size(path);
                                }),
                  1)
            << c.what;
    }
}

// Only a log read whole, from a file, and asked to be kept is written.
TEST_F(Cache, OnlyLogsReadWholeAreKept) {
    const struct {
        const char* what;
        std::string text;
        LoadOptions options;
        bool use;
        size_t entries;
    } cases[] = {
        {"read whole", LogText(2), {}, true, 1},
        {"some items", LogText(2), {{"T"}, 0}, true, 0},
        {"a header alone", "A\tB\r\n", {}, true, 0},
        {"the cache bypassed", LogText(2), {}, false, 0},
    };
    for (const auto& c : cases) {
        fs::remove_all(CacheFolder());
        const std::string path = WriteLog("run.txt", c.text);
        OpenLog(path, 0, {}, c.options, CacheChoicesFor(!c.use, kDefaultCacheLimit));
        FinishCacheWrites();
        EXPECT_EQ(Entries().size(), c.entries) << c.what;
    }
}

// Entries used longest ago go first; a reopen counts as a use.
TEST_F(Cache, TheEntriesUsedLongestAgoGoBeyondTheLimit) {
    std::vector<std::string> logs;
    for (int i = 0; i < 4; ++i)
        logs.push_back(WriteLog("run" + std::to_string(i) + ".txt", LogText(i + 2)));
    Open(logs[0]);
    const uint64_t entry = fs::file_size(Entries()[0]);
    const uint64_t twoEntries = 2 * entry + entry / 2;
    const auto keptLogs = [&] {
        std::vector<size_t> kept;
        for (const CacheKey& key : SoundEntries())
            for (size_t i = 0; i < logs.size(); ++i)
                if (key.size == fs::file_size(logs[i])) kept.push_back(i);
        std::sort(kept.begin(), kept.end());
        return kept;
    };
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Open(logs[1], {}, twoEntries);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Open(logs[0], {}, twoEntries);  // used again
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Open(logs[2], {}, twoEntries);
    EXPECT_EQ(keptLogs(), (std::vector<size_t>{0, 2}));
    Open(logs[3], {}, entry / 2);  // larger than the limit: not kept
    EXPECT_EQ(keptLogs(), (std::vector<size_t>{0, 2}));
}

// A cache that cannot be written costs only the cache; two opens at once both get the log.
TEST_F(Cache, NeitherAnUnwritableFolderNorTwoOpensAtOnceCostTheOpen) {
    const std::string path = WriteLog("run.txt", LogText(7));
    std::ofstream(CacheFolder()) << "a file where the folder would be";
    EXPECT_EQ(test::Table(Open(path)), Parsed(path));
    fs::remove(CacheFolder());

    std::vector<double> first, second;
    std::thread other([&] { first = test::Table(Open(path)); });
    second = test::Table(Open(path));
    other.join();
    EXPECT_EQ(first, Parsed(path));
    EXPECT_EQ(second, Parsed(path));
    EXPECT_EQ(SoundEntries().size(), 1u);
}

TEST(ParseCacheLimit, WholeBytesWithAnOptionalBinaryUnit) {
    const struct {
        const char* text;
        std::optional<uint64_t> bytes;
    } cases[] = {
        {"0", 0},
        {"4096", 4096},
        {"2G", 2ULL << 30},
        {"500MiB", 500ULL << 20},
        {"3k", 3 << 10},
        {"1TB", 1ULL << 40},
        {"", std::nullopt},
        {"G", std::nullopt},
        {"-1", std::nullopt},
        {"1.5G", std::nullopt},
        {"2 G", std::nullopt},
        {"2X", std::nullopt},
        {"99999999999T", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCacheLimit(c.text), c.bytes) << c.text;
}

}  // namespace

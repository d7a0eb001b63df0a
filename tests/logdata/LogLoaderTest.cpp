#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "logdata/LogLoader.h"

namespace {

using grafolux::LoadError;
using grafolux::LoadLog;
using grafolux::LogData;

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const auto folder = std::filesystem::path(testing::TempDir()) / "log_loader_test";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(LoadLog, FailuresGiveOneLineNamingThePath) {
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {WriteFile("x", "") + "-missing", "no such file"},
        {std::filesystem::path(WriteFile("x", "")).parent_path().string(), "is a folder"},
        {WriteFile("empty.txt", ""), "the file is empty"},
        {WriteFile("noitem.txt", "\tA\r\n1\r\n"), "the header names no item"},
        {"", "no such file"},
    };
    for (const auto& c : cases) {
        const auto result = LoadLog(c.path, 0);
        ASSERT_TRUE(std::holds_alternative<LoadError>(result)) << c.path;
        const std::string& message = std::get<LoadError>(result).message;
        EXPECT_TRUE(message.starts_with(c.path + ": ")) << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

TEST(LoadLog, UnreadableFileFails) {
    const std::string path = "/proc/self/mem";  // opens, but reading at offset 0 fails
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
    const auto result = LoadLog(path, 0);
    ASSERT_TRUE(std::holds_alternative<LoadError>(result));
    EXPECT_TRUE(std::get<LoadError>(result).message.starts_with(path + ": cannot be read ("));
}

TEST(LoadLog, HostileBytesLoadWithoutCrashing) {
    std::mt19937 random(5);
    std::string garbage = "A\tB\r\n";
    for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(random() % 4 ? random() : 0);
    const auto noise = LoadLog(WriteFile("garbage.txt", garbage), 0);
    ASSERT_TRUE(std::holds_alternative<LogData>(noise));
    EXPECT_GT(std::get<LogData>(noise).lngSampleCount, 0);

    // A 10 MB number beyond a double reads 0; a 10 MB line of fields keeps the first ones.
    const std::string digits(10 << 20, '7');
    std::string tabs;
    for (int i = 0; i < (5 << 20); ++i) tabs += "3\t";
    const auto huge =
        LoadLog(WriteFile("huge.txt", "A\tB\r\n" + digits + "\r\n" + tabs + "\r\n5"), 0);
    ASSERT_TRUE(std::holds_alternative<LogData>(huge));
    const auto& log = std::get<LogData>(huge);
    ASSERT_EQ(log.lngSampleCount, 3);
    EXPECT_EQ(log.dblSamples, (std::vector<double>{0, 3, 5, 0, 3, 5}));
}

TEST(LoadLog, ProgressRunsOnTheCallingThreadAndAStopPassesThrough) {
    std::string bytes = "A\tB\tC\tD\tE\tF\tG\tH\r\n";
    for (int line = 0; line < 300000; ++line) bytes += "1234.5\t2\t3\t4\t5\t6\t7\t8\r\n";
    const std::string path = WriteFile("long.txt", bytes);

    const auto caller = std::this_thread::get_id();
    int64_t lastDone = 0;
    const auto result = LoadLog(path, 0, [&](int64_t done, int64_t total) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        EXPECT_TRUE(total == 0 ? done == 0 : done >= lastDone && done <= total);
        lastDone = done;
    });
    ASSERT_TRUE(std::holds_alternative<LogData>(result));
    EXPECT_EQ(std::get<LogData>(result).sample(1, 300000), 1234.5);

    struct Stop {};
    bool called = false;
    try {
        LoadLog(path, 0, [&](int64_t, int64_t) {
            called = true;
            throw Stop{};
        });
    } catch (const Stop&) {
        return;
    }
    EXPECT_FALSE(called) << "a stop thrown by progress was swallowed";
}

}  // namespace

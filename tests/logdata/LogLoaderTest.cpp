#include <gtest/gtest.h>

#include <random>

#include "logdata/LogLoader.h"
#include "support/TestFiles.h"

namespace {

using namespace grafolux;

std::string WriteFile(const std::string& name, const std::string& bytes) {
    return WriteTempFile("log_loader_test", name, bytes);
}

TEST(LoadLog, FailuresGiveOneLineNamingThePath) {
    const std::string folder = std::filesystem::path(WriteFile("x", "")).parent_path().string();
    const struct {
        std::string path, reason, shown = {};  // shown: the path as the message writes it
    } cases[] = {
        {WriteFile("x", "") + "-missing", "no such file"},
        {folder + "/line\nbreak\r.txt", "no such file", folder + "/line\\nbreak\\r.txt"},
        {"", "no such file"},
        {folder, "is a folder"},
        {WriteFile("empty.txt", ""), "the file is empty"},
        {WriteFile("noitem.txt", "\tA\r\n1\r\n"), "the header names no item"},
        {WriteFile("blankheader.txt", "\n1\n"), "the header names no item"},
        {"/proc/self/mem", "cannot be read ("},  // opens, but reading at offset 0 fails
    };
    for (const auto& c : cases) {
        const auto result = LoadLog(c.path, 0);
        ASSERT_TRUE(std::holds_alternative<LoadError>(result)) << c.path;
        const std::string& message = std::get<LoadError>(result).message;
        EXPECT_TRUE(message.starts_with((c.shown.empty() ? c.path : c.shown) + ": " + c.reason))
            << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

TEST(LoadLog, HostileBytesLoadWithoutCrashing) {
    std::mt19937 random(5);
    std::string bytes = "A\tB\r\n";
    bytes.append(10 << 20, '7') += "\r\n";               // beyond a double
    for (int i = 0; i < (5 << 20); ++i) bytes += "3\t";  // a 10 MB line
    bytes += "\r\n5\r\n";
    for (int i = 0; i < 100000; ++i) bytes += static_cast<char>(random() % 4 ? random() : 0);
    const auto log = std::get<LogData>(LoadLog(WriteFile("hostile.txt", bytes), 0));
    ASSERT_GT(log.lngSampleCount, 3);
    EXPECT_EQ(log.lngItemCount, 2);
    EXPECT_EQ((std::vector<double>{log.sample(1, 1), log.sample(1, 2), log.sample(1, 3)}),
              (std::vector<double>{0, 3, 5}));
}

// 2^20 items by 2^24 samples: a sample table of 128 TiB, which no machine can hold.
TEST(LoadLog, TableTooLargeForMemoryIsAClearFailure) {
    std::string bytes;
    for (int item = 0; item < (1 << 20); ++item) bytes += "a\t";
    bytes.back() = '\r';
    bytes.append(size_t{1} << 24, '\r');
    const std::string path = WriteFile("huge.txt", bytes);
    const auto result = LoadLog(path, 0);
    ASSERT_TRUE(std::holds_alternative<LoadError>(result));
    EXPECT_EQ(std::get<LoadError>(result).message, path + ": not enough memory to hold the log");
}

TEST(LoadLog, ProgressClimbsToTheSampleCount) {
    std::string bytes = "A\tB\tC\tD\tE\tF\tG\tH\r\n";
    for (int line = 0; line < 3000; ++line) bytes += "1234.5\t2\t3\t4\t5\t6\t7\t8\r\n";
    std::vector<std::pair<int64_t, int64_t>> reports;
    const auto log = std::get<LogData>(
        LoadLog(WriteFile("long.txt", bytes), 0,
                [&](int64_t done, int64_t total) { reports.emplace_back(done, total); }));
    EXPECT_EQ(log.sample(1, 3000), 1234.5);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), std::make_pair(int64_t{3000}, int64_t{3000}));
    for (size_t i = 1; i < reports.size(); ++i) {
        const auto [done, total] = reports[i];
        EXPECT_TRUE(total == 0 ? done == 0 : done >= reports[i - 1].first && done <= total);
    }
}

}  // namespace

// The file changes at the moment the loader has it open (its first progress report): what is
// read is the file as it was then, or, when it shrank, what was left of it.
TEST(LoadLog, FileChangedWhileLoadingIsReadAsOpened) {
    namespace fs = std::filesystem;
    const std::string original = "A\tB\r\n1\t2\r\n3\t4\r\n5\t6\r\n";
    const struct {
        const char* what;
        void (*change)(const std::string& path);
        int32_t samples;
        double lastA;
    } cases[] = {
        {"appended to",
         [](const std::string& path) {
             std::ofstream(path, std::ios::binary | std::ios::app) << "7\t8\r\n9\t9\r\n";
         },
         3, 5},
        {"truncated in a line", [](const std::string& path) { fs::resize_file(path, 12); }, 2, 3},
        {"deleted", [](const std::string& path) { fs::remove(path); }, 3, 5},
        {"replaced",
         [](const std::string& path) {
             const std::string other = WriteFile("other.txt", "X\r\n42\r\n");
             fs::rename(other, path);
         },
         3, 5},
    };
    for (const auto& c : cases) {
        const std::string path = WriteFile("changing.txt", original);
        bool changed = false;
        const auto result = LoadLog(path, 0, [&](int64_t, int64_t) {
            if (!changed) c.change(path);
            changed = true;
        });
        ASSERT_TRUE(changed) << c.what;
        ASSERT_TRUE(std::holds_alternative<LogData>(result)) << c.what;
        const auto& log = std::get<LogData>(result);
        EXPECT_EQ(log.lngItemCount, 2) << c.what;
        EXPECT_EQ(log.lngSampleCount, c.samples) << c.what;
        EXPECT_EQ(log.sample(1, log.lngSampleCount), c.lastA) << c.what;
    }
}

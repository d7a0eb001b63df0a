#include <gtest/gtest.h>

#include "logdata/LogSetLoader.h"
#include "support/LogTestKit.h"
#include "support/TestFiles.h"

namespace {

using namespace grafolux;

std::string WriteSetFile(const std::string& name, const std::string& bytes) {
    return WriteTempFile("log_set_loader_test", name, bytes);
}

std::string Lines(int count, int seed) {
    std::string bytes = "T\tSENSOR:RPM\tX\tSENSOR:MAP\r\n";
    for (int i = 0; i < count; ++i)
        bytes += std::to_string(i) + "\t" + std::to_string(800 + seed * i % 5000) + "\t7\t" +
                 std::to_string(30 + i % 60) + "\r\n";
    return bytes;
}

// Each file's result is what loading it alone gives, a failing file fails alone, and the
// progress climbs to its total.
TEST(LoadLogs, EachResultAsLoadingAloneFailuresStayInTheirPlace) {
    const std::vector<std::string> paths = {
        WriteSetFile("a.txt", Lines(30000, 3)), WriteSetFile("b.txt", Lines(10, 5)),
        WriteSetFile("missing.txt", "") + "-gone", WriteSetFile("c.txt", Lines(20000, 7))};
    const LoadOptions options{{"SENSOR:RPM", "SENSOR:MAP"}, 0};
    int64_t lastDone = -1, lastTotal = -1;
    const auto results = LoadLogs(paths, 0, options, [&](int64_t done, int64_t total) {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        lastTotal = total;
    });
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(lastDone, 4000);
    EXPECT_EQ(lastTotal, 4000);
    for (size_t i = 0; i < paths.size(); ++i) {
        const LoadResult alone = LoadLog(paths[i], 0, {}, options);
        ASSERT_EQ(results[i].index(), alone.index()) << paths[i];
        if (const auto* error = std::get_if<LoadError>(&alone)) {
            EXPECT_EQ(std::get<LoadError>(results[i]).message, error->message);
            continue;
        }
        const auto& log = std::get<LogData>(results[i]);
        EXPECT_EQ(log.lngItemCount, 2);
        EXPECT_EQ(test::Table(log), test::Table(std::get<LogData>(alone))) << paths[i];
    }
}

}  // namespace

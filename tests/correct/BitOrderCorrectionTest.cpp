#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "correct/BitOrderCorrection.h"

namespace fs = std::filesystem;
using namespace grafolux;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// tests/data/correct/<case>/: input.txt, and expected.txt or, when nothing may be written,
// expected.none.
class GoldenCorrection : public testing::TestWithParam<std::string> {};

TEST_P(GoldenCorrection, OutputMatchesExpectedWhateverTheBlockSize) {
    const fs::path folder = fs::path(TEST_DATA_DIR) / "correct" / GetParam();
    const bool fails = fs::exists(folder / "expected.none");
    const std::string input = ReadBytes(folder / "input.txt");
    const std::string expected = fails ? "" : ReadBytes(folder / "expected.txt");
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();

    WriteBytes(dir / "run1.txt", input);
    const CorrectionResult result = CorrectLogFile((dir / "run1.txt").string());
    EXPECT_EQ(result.ok, !fails) << result.error;
    EXPECT_EQ(ReadBytes(dir / "run1.txt"), input);
    if (fails) {
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"run1.txt"});
        return;
    }
    EXPECT_EQ(result.outputPath, (dir / "run1_corrected.txt").string());
    EXPECT_EQ(ReadBytes(result.outputPath), expected);

    // Tiny blocks split CR LF pairs and the header across reads.
    for (qint64 blockSize : {1, 2, 3, 5}) {
        QByteArray bytes(input.data(), std::ssize(input));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const std::string output = (dir / "small_blocks.txt").string();
        EXPECT_TRUE(CorrectLog(buffer, output, blockSize).ok);
        EXPECT_EQ(ReadBytes(output), expected) << "block size " << blockSize;
    }
}

std::vector<std::string> GoldenCases() { return Entries(fs::path(TEST_DATA_DIR) / "correct"); }

INSTANTIATE_TEST_SUITE_P(Correct, GoldenCorrection, testing::ValuesIn(GoldenCases()),
                         [](const auto& info) { return info.param; });

TEST(CorrectedPath, CutsTheLastDotTxtOfTheFileNameOnly) {
    const std::pair<std::string, std::string> rows[] = {
        {"/logs/run1.txt", "/logs/run1_corrected.txt"},
        {"/logs/run1.TXT", "/logs/run1.TXT_corrected.txt"},
        {"/logs/run1", "/logs/run1_corrected.txt"},
        {"/logs/dir.txt/run1", "/logs/dir.txt/run1_corrected.txt"},
        {"/logs/run1_corrected.txt", "/logs/run1_corrected_corrected.txt"},
        {"run.txt.txt", "run.txt_corrected.txt"},
        {"run.txt.old", "run_corrected.txt"},
    };
    for (const auto& [path, expected] : rows) EXPECT_EQ(CorrectedPath(path), expected) << path;
}

TEST(CorrectLogFile, FailureWritesNothing) {
    const std::pair<const char*, std::function<void(const fs::path&)>> rows[] = {
        {"missing log", [](const fs::path&) {}},
        {"empty log", [](const fs::path& dir) { WriteBytes(dir / "run1.txt", ""); }},
        {"log is a folder", [](const fs::path& dir) { fs::create_directory(dir / "run1.txt"); }},
        {"output is a folder",
         [](const fs::path& dir) {
             WriteBytes(dir / "run1.txt", "A\r\n1\r\n");
             fs::create_directory(dir / "run1_corrected.txt");
         }},
    };
    for (const auto& [name, prepare] : rows) {
        QTemporaryDir temp;
        const fs::path dir = temp.path().toStdString();
        prepare(dir);
        const std::vector<std::string> before = Entries(dir);
        const CorrectionResult result = CorrectLogFile((dir / "run1.txt").string());
        EXPECT_FALSE(result.ok) << name;
        EXPECT_FALSE(result.error.empty() || result.error.find('\n') != std::string::npos) << name;
        EXPECT_EQ(Entries(dir), before) << name;
        const fs::path output = dir / "run1_corrected.txt";
        EXPECT_FALSE(fs::is_directory(output) && !fs::is_empty(output)) << name;
    }
}

// A file-size limit makes writes fail the way a full disk does, even for root.
TEST(CorrectLogFile, FullDiskKeepsTheOlderCopyUntilANewOneIsComplete) {
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    WriteBytes(dir / "run1.txt", "A\r\n" + std::string(1 << 20, '7'));
    WriteBytes(dir / "run1_corrected.txt", "older");

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 << 10;
    setrlimit(RLIMIT_FSIZE, &small);
    const CorrectionResult full = CorrectLogFile((dir / "run1.txt").string());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_FALSE(full.ok);
    EXPECT_NE(full.error.find("cannot write"), std::string::npos) << full.error;
    EXPECT_EQ(ReadBytes(dir / "run1_corrected.txt"), "older");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"run1.txt", "run1_corrected.txt"}));

    EXPECT_TRUE(CorrectLogFile((dir / "run1.txt").string()).ok);
    EXPECT_EQ(ReadBytes(dir / "run1_corrected.txt").size(), 3 + (1 << 20) + 2);
}

}  // namespace

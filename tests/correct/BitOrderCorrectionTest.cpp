
#include <QBuffer>
#include <set>

#include "correct/BitOrderCorrection.h"
#include "support/FileSizeLimit.h"
#include "support/Golden.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;
using namespace grafolux;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// tests/data/correct/<case>/: input.txt, and expected.txt or, when nothing may be written,
// expected.none. The fuzz target replays each input in blocks of 1 to 16 bytes and checks that
// the loader reads the same samples from both files.
class GoldenCorrection : public testing::TestWithParam<std::string> {};

TEST_P(GoldenCorrection, OutputMatchesExpected) {
    const fs::path folder = fs::path(TEST_DATA_DIR) / "correct" / GetParam();
    const bool fails = fs::exists(folder / "expected.none");
    const std::string input = ReadBytes(folder / "input.txt");
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    WriteBytes(dir / "run1.txt", input);

    const CorrectionResult result = CorrectLogFile((dir / "run1.txt").string());
    EXPECT_EQ(result.ok, !fails) << result.error;
    EXPECT_EQ(ReadBytes(dir / "run1.txt"), input);
    if (fails) {
        EXPECT_EQ(Entries(dir), std::set<std::string>{"run1.txt"});
        return;
    }
    EXPECT_EQ(result.outputPath, (dir / "run1_corrected.txt").string());
    EXPECT_TRUE(
        ::test::SameAsGoldenText(QByteArray::fromStdString(ReadBytes(result.outputPath)),
                                 QString::fromStdString((folder / "expected.txt").string())));
}

INSTANTIATE_TEST_SUITE_P(Correct, GoldenCorrection, testing::ValuesIn([] {
                             const auto cases = Entries(fs::path(TEST_DATA_DIR) / "correct");
                             return std::vector<std::string>(cases.begin(), cases.end());
                         }()),
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

TEST(CorrectLogFile, FullDiskKeepsTheOlderCopyUntilANewOneIsComplete) {
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    WriteBytes(dir / "run1.txt", std::string("A\r\n").append(1 << 20, '7'));
    WriteBytes(dir / "run1_corrected.txt", "older");

    const CorrectionResult full = [&] {
        const FileSizeLimit limit(64 << 10);
        return CorrectLogFile((dir / "run1.txt").string());
    }();

    EXPECT_NE(full.error.find("cannot write"), std::string::npos) << full.error;
    EXPECT_TRUE(full.error.ends_with(": File too large")) << full.error;  // the system's reason
    EXPECT_EQ(ReadBytes(dir / "run1_corrected.txt"), "older");
    EXPECT_EQ(Entries(dir), (std::set<std::string>{"run1.txt", "run1_corrected.txt"}));
    EXPECT_TRUE(CorrectLogFile((dir / "run1.txt").string()).ok);
    EXPECT_EQ(ReadBytes(dir / "run1_corrected.txt").size(), 3 + (1 << 20) + 2);
}

// An output that cannot be opened: a clear error, and nothing written. (A write that fails
// midway is the full disk's test.)
TEST(CorrectLog, OutputInAFolderThatIsGoneIsAClearError) {
    QTemporaryDir temp;
    const fs::path output = fs::path(temp.path().toStdString()) / "gone" / "run_corrected.txt";
    QByteArray bytes("A\tB\r\n1\t2\r\n");
    QBuffer log(&bytes);
    log.open(QIODevice::ReadOnly);
    const CorrectionResult result = CorrectLog(log, output.string(), 4096);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.starts_with("cannot write " + output.string() + ": ")) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
    EXPECT_EQ(Entries(temp.path().toStdString()), std::set<std::string>{});
}

}  // namespace

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

CliRun RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(GRAFOLUX_CLI, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

const char kLog[] = "A\tMW2:0\tMW2:1\tMW2:2\tMW2:3\tMW2:4\tMW2:5\tMW2:6\tMW2:7\r\n1\t0";

TEST(CliCorrect, PrintsThePathOfTheCorrectedCopy) {
    QTemporaryDir temp;
    const fs::path dir = temp.path().toStdString();
    WriteBytes(dir / "run1.txt", kLog);
    const CliRun run = RunCli({"correct", QString::fromStdString((dir / "run1.txt").string())});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, (dir / "run1_corrected.txt").string() + "\n");
    EXPECT_EQ(run.err, "");
    std::ifstream in(dir / "run1_corrected.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "A\tMW2:7\tMW2:6\tMW2:5\tMW2:4\tMW2:3\tMW2:2\tMW2:1\tMW2:0\r\n1\t0\r\n");
}

TEST(CliCorrect, FailureIsOneLineOnStderrAndNoCopy) {
    const std::pair<const char*, std::function<void(const fs::path&)>> rows[] = {
        {"missing log", [](const fs::path&) {}},
        {"empty log", [](const fs::path& dir) { WriteBytes(dir / "run1.txt", ""); }},
        {"group at the end", [](const fs::path& dir) { WriteBytes(dir / "run1.txt", "A\tMW2:0"); }},
        {"output cannot be written",
         [](const fs::path& dir) {
             WriteBytes(dir / "run1.txt", kLog);
             fs::create_directory(dir / "run1_corrected.txt");
         }},
    };
    for (const auto& [name, prepare] : rows) {
        QTemporaryDir temp;
        const fs::path dir = temp.path().toStdString();
        prepare(dir);
        const CliRun run = RunCli({"correct", QString::fromStdString((dir / "run1.txt").string())});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.out, "") << name;
        EXPECT_TRUE(run.err.starts_with("grafolux-cli: ")) << name << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << name;
        EXPECT_FALSE(fs::is_regular_file(dir / "run1_corrected.txt")) << name;
    }
}

}  // namespace



#include "RunCli.h"

namespace fs = std::filesystem;

namespace {

const char kCorrectLog[] = "A\tMW2:0\tMW2:1\tMW2:2\tMW2:3\tMW2:4\tMW2:5\tMW2:6\tMW2:7\r\n1\t0";

// Success prints the copy's path; failure exits 1 with one line on stderr and writes nothing.
// Which logs fail is the correction's own table.
TEST(CliCorrect, PrintsThePathOrOneErrorLine) {
    const struct {
        const char* name;
        const char* log;  // nullptr: no log
        bool outputIsFolder;
        int exitCode;
    } rows[] = {
        {"corrected", kCorrectLog, false, 0},
        {"missing log", nullptr, false, 1},
        {"output cannot be written", kCorrectLog, true, 1},
    };
    for (const auto& row : rows) {
        QTemporaryDir temp;
        const fs::path dir = temp.path().toStdString();
        const fs::path output = dir / "run1_corrected.txt";
        if (row.log) WriteBytes(dir / "run1.txt", row.log);
        if (row.outputIsFolder) fs::create_directory(output);
        const auto entries = std::distance(fs::directory_iterator(dir), {});
        const CliRun run = RunCli({"correct", QString::fromStdString((dir / "run1.txt").string())});
        EXPECT_EQ(fs::is_regular_file(output), row.exitCode == 0) << row.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), entries + (row.exitCode == 0))
            << row.name;  // and no temporary file left behind
        ExpectOutcome(run, row.exitCode, row.exitCode == 0 ? output.string() + "\n" : "", false,
                      row.name);
    }
}

}  // namespace

// --define and find: computed items on the command line, their output, and their failures as
// one line with the exit code of their kind.

#include <QImage>

#include "RunCli.h"

namespace {

// MAP 30, 40, 50, 60, 70, 50: R = 1/(MAP - 50) is missing in samples 3 and 6.
const char kDefineLog[] =
    "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:TPS\r\n"
    "1200\t30\t120\t0\r\n1200\t40\t124\t5\r\n1200\t50\t128\t10\r\n1200\t60\t132\t15\r\n"
    "2000\t70\t136\t20\r\n1200\t50\t140\t25\r\n";
const QString kR = "R = 1 / (SENSOR:MAP - 50)", kDMap = "dMAP = SENSOR:MAP - SENSOR:MAP[-1]";

TEST(CliDefine, ComputedItemsInEveryCommandAndTheirFailures) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run.txt", kDefineLog);
    const struct {
        const char* name;
        QStringList args;  // after the command; LOG stands for the log's path
        int exitCode;
        std::string said;  // on stdout, or after a failure on stderr after "grafolux-cli: "
    } rows[] = {
        {"dump: a column each, empty where missing",
         {"dump", "LOG", "--define", kR, "--define", "S=R*-100"},
         0,
         "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:TPS\tR\tS\n1200\t30\t120\t0\t-0.05\t5\n"
         "1200\t40\t124\t5\t-0.1\t10\n1200\t50\t128\t10\t\t\n1200\t60\t132\t15\t0.1\t-10\n"
         "2000\t70\t136\t20\t0.05\t-5\n1200\t50\t140\t25\t\t\n"},
        {"dump: a fault of the text",
         {"dump", "LOG", "--define", "R = abs(1"},
         2,
         R"m(--define "R = abs(1": column 10: ")" expected (see grafolux-cli dump --help))m"},
        {"dump: an item the log lacks",
         {"dump", "LOG", "--define", "K = KNOCK"},
         1,
         R"m(LOG: "K = KNOCK": column 5: the log has no item "KNOCK")m"},
        {"table: a computed condition",
         {"table", "blm", "LOG", "--define", kDMap, "--where", "dMAP<=0"},
         0,
         TableText({{{1200, 30}, "120"}, {{1200, 50}, "140"}})},
        {"table: a definition of an item the table does not read",
         {"table", "blm", "LOG", "--define", "T = SENSOR:TPS"},
         0,
         TableText({{{1200, 30}, "120"},
                    {{1200, 40}, "124"},
                    {{1200, 50}, "134"},
                    {{1200, 60}, "132"},
                    {{2000, 70}, "136"}})},
        {"cells: a computed condition",
         {"cells", "blm", "LOG", "--row", "1200", "--column", "50", "--define", kDMap, "--where",
          "dMAP<0"},
         0,
         "6\t6\n"},
        {"find: offset -2^31 is the first sample",
         {"find", "LOG", "--when", "SENSOR:MAP[-2147483648] = 30"},
         0,
         "1\t6\n"},
        {"find: a missing value never holds",
         {"find", "LOG", "--define", kR, "--when", "R"},
         0,
         "1\t2\n4\t5\n"},
        {"find: within the range",
         {"find", "LOG", "--when", "SENSOR:MAP", "--first", "2.5", "--last", "4"},
         0,
         "2\t4\n"},
        {"find: a fault of the condition",
         {"find", "LOG", "--when", "SENSOR:MAP >"},
         2,
         R"m(--when "SENSOR:MAP >": column 13: operand expected (see grafolux-cli find --help))m"},
        {"find: an item the log lacks",
         {"find", "LOG", "--when", "KNOCK"},
         1,
         R"m(LOG: "KNOCK": column 1: the log has no item "KNOCK")m"},
    };
    for (const auto& row : rows) {
        const std::string said = QString::fromStdString(row.said).replace("LOG", log).toStdString();
        ExpectOutcome(RunCli(WithPaths(row.args, {{"LOG", log}})), row.exitCode,
                      row.exitCode == 0 ? said : said + "\n", false, row.name);
    }
    const CliRun noCondition = RunCli({"find", log});
    EXPECT_EQ(noCondition.exitCode, 2);
    EXPECT_TRUE(noCondition.err.starts_with("grafolux-cli: --when is needed\nusage:"));
}

// --item names a computed item (by name, or by its number after the log's items); its curve
// breaks where a value is missing: the red columns of the graph are two runs.
TEST(CliDefine, ExportDrawsAComputedItemWithItsGaps) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run.txt", kDefineLog), out = dir.filePath("r.png");
    for (const char* item : {"R", "5"}) {
        QFile::remove(out);
        const CliRun run = RunCli({"export", "graph", log, out, "--define", kR, "--item", item});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QImage picture(out);
        int runs = 0;
        for (int x = 0, before = 0; x < 537; ++x) {
            int red = 0;
            for (int y = 0; y < picture.height(); ++y)
                red |= picture.pixel(x, y) == qRgb(255, 0, 0);
            runs += red && !before;
            before = red;
        }
        EXPECT_EQ(runs, 2) << item;
    }
}

}  // namespace

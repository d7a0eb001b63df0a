// --define and find: computed items on the command line, their output, and their failures as
// one line with the exit code of their kind.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <fstream>

#include "RunCli.h"

namespace {

// MAP 30, 40, 50, 60, 70, 50: R = 1/(MAP - 50) is missing in samples 3 and 6.
const char kLog[] =
    "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:TPS\r\n"
    "1200\t30\t120\t0\r\n1200\t40\t124\t5\r\n1200\t50\t128\t10\r\n1200\t60\t132\t15\r\n"
    "2000\t70\t136\t20\r\n1200\t50\t140\t25\r\n";
const QString kR = "R = 1 / (SENSOR:MAP - 50)", kDMap = "dMAP = SENSOR:MAP - SENSOR:MAP[-1]";

// The BLM table: 1,200 rpm at 30 to 60 kPa, and 2,000 rpm at 70 kPa; N/A elsewhere.
std::string Table(const char* c30, const char* c40, const char* c50, const char* c60,
                  const char* c70) {
    const char* cells[] = {c30, c40, c50, c60};
    std::string text = "RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n";
    for (int rpm = 400; rpm <= 6400; rpm += 400) {
        text += std::to_string(rpm);
        for (int map = 20; map <= 100; map += 10) {
            const bool filled = rpm == 1200 && map >= 30 && map <= 60;
            text += std::string("\t") + (filled                     ? cells[(map - 30) / 10]
                                         : rpm == 2000 && map == 70 ? c70
                                                                    : "N/A");
        }
        text += '\n';
    }
    return text;
}

TEST(CliDefine, ComputedItemsInEveryCommandAndTheirFailures) {
    QTemporaryDir dir;
    const QString log = dir.filePath("run.txt");
    std::ofstream(log.toStdString(), std::ios::binary) << kLog;
    const struct {
        const char* name;
        QStringList args;  // after the command; LOG stands for the log's path
        int exitCode;
        std::string out;
        std::string err;  // after "grafolux-cli: "; LOG stands for the path
    } rows[] = {
        {"dump: a column each, empty where missing",
         {"dump", "LOG", "--define", kR, "--define", "S=R*-100"},
         0,
         "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:TPS\tR\tS\n1200\t30\t120\t0\t-0.05\t5\n"
         "1200\t40\t124\t5\t-0.1\t10\n1200\t50\t128\t10\t\t\n1200\t60\t132\t15\t0.1\t-10\n"
         "2000\t70\t136\t20\t0.05\t-5\n1200\t50\t140\t25\t\t\n",
         ""},
        {"dump: a fault of the text",
         {"dump", "LOG", "--define", "R = abs(1"},
         2,
         "",
         R"m(--define "R = abs(1": column 10: ")" expected (see grafolux-cli dump --help))m"},
        {"dump: an item the log lacks",
         {"dump", "LOG", "--define", "K = KNOCK"},
         1,
         "",
         R"m(LOG: "K = KNOCK": column 5: the log has no item "KNOCK")m"},
        {"dump: a name the log has",
         {"dump", "LOG", "--define", "SENSOR:BLM=1"},
         1,
         "",
         R"m(LOG: "SENSOR:BLM=1": column 1: the log has an item named "SENSOR:BLM")m"},
        {"table: a computed condition",
         {"table", "blm", "LOG", "--define", kDMap, "--where", "dMAP<=0"},
         0,
         Table("120", "N/A", "140", "N/A", "N/A"),
         ""},
        {"table: a missing value fails even !=",
         {"table", "blm", "LOG", "--define", kR, "--where", "R!=1"},
         0,
         Table("120", "124", "N/A", "132", "136"),
         ""},
        {"table: a definition of an item the table does not read",
         {"table", "blm", "LOG", "--define", "T = SENSOR:TPS"},
         0,
         Table("120", "124", "134", "132", "136"),
         ""},
        {"cells: a computed condition",
         {"cells", "blm", "LOG", "--row", "1200", "--column", "50", "--define", kDMap, "--where",
          "dMAP<0"},
         0,
         "6\t6\n",
         ""},
        {"find: offsets",
         {"find", "LOG", "--when", "SENSOR:MAP > SENSOR:MAP[-1]"},
         0,
         "2\t5\n",
         ""},
        {"find: offset -2^31 is the first sample",
         {"find", "LOG", "--when", "SENSOR:MAP[-2147483648] = 30"},
         0,
         "1\t6\n",
         ""},
        {"find: a missing value never holds",
         {"find", "LOG", "--define", kR, "--when", "R"},
         0,
         "1\t2\n4\t5\n",
         ""},
        {"find: within the range",
         {"find", "LOG", "--when", "SENSOR:MAP", "--first", "2.5", "--last", "4"},
         0,
         "2\t4\n",
         ""},
        {"find: a fault of the condition",
         {"find", "LOG", "--when", "SENSOR:MAP >"},
         2,
         "",
         R"m(--when "SENSOR:MAP >": column 13: operand expected (see grafolux-cli find --help))m"},
        {"find: an item the log lacks",
         {"find", "LOG", "--when", "KNOCK"},
         1,
         "",
         R"m(LOG: "KNOCK": column 1: the log has no item "KNOCK")m"},
    };
    for (const auto& row : rows) {
        QStringList args;
        for (const QString& word : row.args) args << (word == "LOG" ? log : word);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.name << ": " << run.err;
        EXPECT_EQ(run.out, row.out) << row.name;
        std::string err = row.err;
        if (const size_t at = err.find("LOG"); at != std::string::npos)
            err.replace(at, 3, log.toStdString());
        EXPECT_EQ(run.err, err.empty() ? "" : "grafolux-cli: " + err + "\n") << row.name;
    }
    const CliRun noCondition = RunCli({"find", log});
    EXPECT_EQ(noCondition.exitCode, 2);
    EXPECT_TRUE(noCondition.err.starts_with("grafolux-cli: --when is needed\nusage:"));
}

// --item names a computed item (by name, or by its number after the log's items); its curve
// breaks where a value is missing: the red columns of the graph are two runs.
TEST(CliDefine, ExportDrawsAComputedItemWithItsGaps) {
    QTemporaryDir dir;
    const QString log = dir.filePath("run.txt"), out = dir.filePath("r.png");
    std::ofstream(log.toStdString(), std::ios::binary) << kLog;
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

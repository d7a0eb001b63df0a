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
const QString kR = "R = 1 / (SENSOR:MAP - 50)";

struct Row {
    const char* name;
    QStringList args;  // LOG stands for the log's path
    int exitCode;
    std::string out;
    std::string err;  // after "grafolux-cli: "; LOG stands for the path
};

class CliDefine : public testing::Test {
protected:
    QTemporaryDir dir;
    QString log = dir.filePath("run.txt");
    void SetUp() override { std::ofstream(log.toStdString(), std::ios::binary) << kLog; }

    void Check(const Row& row) {
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
};

TEST_F(CliDefine, DumpAppendsAColumnPerDefinitionEmptyWhereMissing) {
    const Row rows[] = {
        {"two definitions, the second reading the first",
         {"dump", "LOG", "--define", kR, "--define", "S=R*-100"},
         0,
         "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:TPS\tR\tS\n"
         "1200\t30\t120\t0\t-0.05\t5\n1200\t40\t124\t5\t-0.1\t10\n1200\t50\t128\t10\t\t\n"
         "1200\t60\t132\t15\t0.1\t-10\n2000\t70\t136\t20\t0.05\t-5\n"
         "1200\t50\t140\t25\t\t\n",
         ""},
        {"a fault of the text",
         {"dump", "LOG", "--define", "R = abs(SENSOR:MAP"},
         2,
         "",
         R"m(--define "R = abs(SENSOR:MAP": column 19: ")" expected (see grafolux-cli dump --help))m"},
        {"an item the log lacks",
         {"dump", "LOG", "--define", "K = KNOCK + 1"},
         1,
         "",
         R"m(LOG: "K = KNOCK + 1": column 5: the log has no item "KNOCK")m"},
        {"a name the log has",
         {"dump", "LOG", "--define", "SENSOR:BLM = 1"},
         1,
         "",
         R"m(LOG: "SENSOR:BLM = 1": column 1: the log has an item named "SENSOR:BLM")m"},
    };
    for (const Row& row : rows) Check(row);
}

// A condition on a computed item; a sample whose value there is missing fails it, even "!=".
TEST_F(CliDefine, TableAndCellsConditionsNameComputedItems) {
    const QString dMap = "dMAP = SENSOR:MAP - SENSOR:MAP[-1]";
    // The 1,200 rpm row's cells from 30 to 60 kPa; 2,000 rpm holds only sample 5.
    const auto table = [](const char* c30, const char* c40, const char* c50, const char* c60,
                          const char* c70) {
        const char* row1200[] = {c30, c40, c50, c60};
        std::string text = "RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n";
        for (int rpm = 400; rpm <= 6400; rpm += 400) {
            text += std::to_string(rpm);
            for (int map = 20; map <= 100; map += 10) {
                const char* cell = "N/A";
                if (rpm == 1200 && map >= 30 && map <= 60) cell = row1200[(map - 30) / 10];
                if (rpm == 2000 && map == 70) cell = c70;
                text += std::string("\t") + cell;
            }
            text += '\n';
        }
        return text;
    };
    const Row rows[] = {
        {"every sample", {"table", "blm", "LOG"}, 0, table("120", "124", "134", "132", "136"), ""},
        {"a computed condition",
         {"table", "blm", "LOG", "--define", dMap, "--where", "dMAP<=0"},
         0,
         table("120", "N/A", "140", "N/A", "N/A"),
         ""},
        {"missing fails even !=",
         {"table", "blm", "LOG", "--define", kR, "--where", "R!=1"},
         0,
         table("120", "124", "N/A", "132", "136"),
         ""},
        {"a definition the table does not read, of an item it does not read",
         {"table", "blm", "LOG", "--define", "T = SENSOR:TPS"},
         0,
         table("120", "124", "134", "132", "136"),
         ""},
        {"a condition on an undefined name",
         {"table", "blm", "LOG", "--where", "dMAP<=0"},
         1,
         "",
         "LOG: no item named dMAP (in --where dMAP<=0)"},
        {"a fault of the text",
         {"table", "blm", "LOG", "--define", "X=1 2"},
         2,
         "",
         R"m(--define "X=1 2": column 5: operator expected (see grafolux-cli table --help))m"},
        {"an unavailable definition, unused",
         {"table", "blm", "LOG", "--define", "K=KNOCK"},
         1,
         "",
         R"m(LOG: "K=KNOCK": column 3: the log has no item "KNOCK")m"},
        {"cells under a computed condition",
         {"cells", "blm", "LOG", "--row", "1200", "--column", "50", "--define", kR, "--where",
          "R<0"},
         0,
         "",
         ""},
        {"cells under a computed condition that holds",
         {"cells", "blm", "LOG", "--row", "1200", "--column", "50", "--define", dMap, "--where",
          "dMAP<0"},
         0,
         "6\t6\n",
         ""},
    };
    for (const Row& row : rows) Check(row);
}

TEST_F(CliDefine, FindPrintsTheRunsWhereTheConditionHolds) {
    const Row rows[] = {
        {"an item's condition", {"find", "LOG", "--when", "SENSOR:MAP >= 50"}, 0, "3\t6\n", ""},
        {"with offsets", {"find", "LOG", "--when", "SENSOR:MAP > SENSOR:MAP[-1]"}, 0, "2\t5\n", ""},
        {"a missing value never holds",
         {"find", "LOG", "--define", kR, "--when", "R"},
         0,
         "1\t2\n4\t5\n",
         ""},
        {"within the range",
         {"find", "LOG", "--when", "SENSOR:MAP", "--first", "2.5", "--last", "4"},
         0,
         "2\t4\n",
         ""},
        {"a range beyond the log",
         {"find", "LOG", "--when", "SENSOR:BLM > 130", "--first", "-9", "--last", "99"},
         0,
         "4\t6\n",
         ""},
        {"nowhere", {"find", "LOG", "--when", "SENSOR:MAP > 100"}, 0, "", ""},
        {"missing everywhere", {"find", "LOG", "--when", "sqrt(-SENSOR:MAP)"}, 0, "", ""},
        {"a fault of the condition",
         {"find", "LOG", "--when", "SENSOR:MAP >"},
         2,
         "",
         R"m(--when "SENSOR:MAP >": column 13: operand expected (see grafolux-cli find --help))m"},
        {"a fault of a definition",
         {"find", "LOG", "--define", "=1", "--when", "1"},
         2,
         "",
         R"m(--define "=1": column 1: a name is expected before "=" (see grafolux-cli find --help))m"},
        {"an item the log lacks",
         {"find", "LOG", "--when", "KNOCK > 0"},
         1,
         "",
         R"m(LOG: "KNOCK > 0": column 1: the log has no item "KNOCK")m"},
        {"a log that cannot be read",
         {"find", "missing.txt", "--when", "1"},
         1,
         "",
         "missing.txt: no such file"},
    };
    for (const Row& row : rows) Check(row);

    const CliRun noCondition = RunCli({"find", log});
    EXPECT_EQ(noCondition.exitCode, 2);
    EXPECT_TRUE(noCondition.err.starts_with("grafolux-cli: --when is needed\nusage:"))
        << noCondition.err;
}

// What no log holds: a clear line or a defined result, never a crash.
TEST_F(CliDefine, HostileDefinitionsGiveALineOrADefinedResult) {
    const QString longName = QString(100000, 'x');
    QStringList chain = {"dump", "LOG", "--define", "D0 = SENSOR:MAP"};
    for (int i = 1; i < 1000; ++i)
        chain << "--define" << QString("D%1 = D%2[-1] + 1").arg(i).arg(i - 1);
    const Row rows[] = {
        {"an offset of -2^31: the first sample",
         {"find", "LOG", "--when", "SENSOR:MAP[-2147483648] = 30"},
         0,
         "1\t6\n",
         ""},
        {"an offset of 2^31: the last sample",
         {"find", "LOG", "--when", "SENSOR:MAP[2147483648] = 50"},
         0,
         "1\t6\n",
         ""},
        {"an offset beyond 64 bits",
         {"find", "LOG", "--when", "SENSOR:MAP[99999999999999999999]"},
         2,
         "",
         R"m(--when "SENSOR:MAP[99999999999999999999]": column 12: the offset is beyond 64 bits (see grafolux-cli find --help))m"},
        {"a 100,000-character name",
         {"find", "LOG", "--when", "\"" + longName + "\" > 1"},
         1,
         "",
         "LOG: \"\"" + longName.toStdString() + "\" > 1\": column 1: the log has no item \"" +
             longName.toStdString() + "\""},
        {"nested 10,000 deep",
         {"find", "LOG", "--when", QString(10000, '(') + "1" + QString(10000, ')')},
         2,
         "",
         "--when \"" + std::string(10000, '(') + "1" + std::string(10000, ')') +
             "\": column 257: nested too deeply (at most 256 levels) (see grafolux-cli find "
             "--help)"},
    };
    for (const Row& row : rows) Check(row);

    // A thousand definitions, each reading the one before a sample earlier: the last is MAP 999
    // samples back, the first sample's once clamped into the log, plus 999.
    QStringList args;
    for (const QString& word : chain) args << (word == "LOG" ? log : word);
    const CliRun run = RunCli(args);
    ASSERT_EQ(run.exitCode, 0) << run.err.substr(0, 200);
    std::vector<std::string> last;
    for (size_t at = 0; at < run.out.size();) {
        const size_t end = run.out.find('\n', at);
        const std::string text = run.out.substr(at, end - at);
        last.push_back(text.substr(text.rfind('\t') + 1));
        at = end + 1;
    }
    EXPECT_EQ(last,
              (std::vector<std::string>{"D999", "1029", "1029", "1029", "1029", "1029", "1029"}));
}

// --item and --lock name a computed item; its curve breaks where a value is missing.
TEST_F(CliDefine, ExportDrawsAComputedItemWithItsGaps) {
    const QString out = dir.filePath("r.png");
    const Row rows[] = {
        {"the current item",
         {"export", "graph", "LOG", out, "--define", kR, "--item", "R"},
         0,
         "",
         ""},
        {"its number after the log's",
         {"export", "graph", "LOG", out, "--define", kR, "--item", "5", "--lock", "R"},
         0,
         "",
         ""},
        {"an unavailable one",
         {"export", "graph", "LOG", out, "--define", "K=KNOCK", "--item", "SENSOR:MAP"},
         1,
         "",
         R"m(LOG: "K=KNOCK": column 3: the log has no item "KNOCK")m"},
        {"a name not defined",
         {"export", "graph", "LOG", out, "--lock", "R"},
         1,
         "",
         "the log has no item named R"},
    };
    for (const Row& row : rows) {
        QFile::remove(out);
        Check(row);
        const QImage picture(out);
        EXPECT_EQ(picture.isNull(), row.exitCode != 0) << row.name;
        if (picture.isNull()) continue;
        // The red curve's columns on the graph: two runs, the missing sample 3 between them
        // (and sample 6, at the right edge).
        int runs = 0;
        bool before = false;
        for (int x = 0; x < 537; ++x) {
            bool red = false;
            for (int y = 0; y < picture.height(); ++y)
                red |= picture.pixel(x, y) == qRgb(255, 0, 0);
            runs += red && !before;
            before = red;
        }
        EXPECT_EQ(runs, 2) << row.name;
    }
}

}  // namespace

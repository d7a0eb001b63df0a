#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <map>

#include "RunCli.h"

namespace {

// The printed table: `empty` everywhere but in the cells given as {rpm, map} -> text.
std::string TableText(const std::map<std::pair<int, int>, std::string>& cells,
                      const std::string& empty = "N/A") {
    std::string text = "RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n";
    for (int rpm = 400; rpm <= 6400; rpm += 400) {
        text += std::to_string(rpm);
        for (int map = 20; map <= 100; map += 10)
            text += '\t' + (cells.contains({rpm, map}) ? cells.at({rpm, map}) : empty);
        text += '\n';
    }
    return text;
}

// B's cell minus A's: the rules of the difference are the core's tests; here the options reach
// it, --first/--last apply to every log, and the faults of its logs are one line each.
TEST(CliTableVersus, PrintsBMinusAOrFailsClearly) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt"), c = dir.filePath("c.txt");
    std::ofstream(a.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n400\t20\t120\r\n400\t20\t130\r\n800\t30\t128\r\n";
    std::ofstream(b.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n400\t20\t140\r\n400\t20\t110.5\r\n"
           "400\t20\t121\r\n1200\t40\t100\r\n";
    std::ofstream(c.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n800\t30\t138\r\n";
    const QString missing = dir.filePath("missing.txt");
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        std::string out;  // "" for a failure
        std::string err;  // the start of the line on stderr
    } cases[] = {
        {"mean", {"blm", a, "--versus", b}, 0, TableText({{{400, 20}, "-1.1666666666666714"}}), ""},
        {"reversed",
         {"blm", b, "--versus", a},
         0,
         TableText({{{400, 20}, "1.1666666666666714"}}),
         ""},
        {"count, always",
         {"blm", a, "--versus", b, "--show", "count"},
         0,
         TableText({{{400, 20}, "1"}, {{800, 30}, "-1"}, {{1200, 40}, "1"}}, "0"),
         ""},
        {"pooled versus logs",
         {"blm", a, "--versus", b, c},
         0,
         TableText({{{400, 20}, "-1.1666666666666714"}, {{800, 30}, "10"}}),
         ""},
        {"range of every log",
         {"blm", a, "--first", "2", "--versus", b},
         0,
         TableText({{{400, 20}, "-14.25"}}),
         ""},
        {"included with A",
         {"blm", a, "--include", c, "--versus", c},
         0,
         TableText({{{800, 30}, "5"}}),
         ""},
        {"minimum samples", {"blm", a, "--versus", b, "--min-count", "3"}, 0, TableText({}), ""},
        {"the same log",
         {"blm", a, "--versus", a},
         0,
         TableText({{{400, 20}, "0"}, {{800, 30}, "0"}}),
         ""},
        {"no log after it",
         {"blm", a, "--versus", "--show", "count"},
         2,
         "",
         "grafolux-cli: option --versus needs a value"},
        {"no log at the end",
         {"blm", a, "--versus"},
         2,
         "",
         "grafolux-cli: option --versus needs a value"},
        {"a log that fails",
         {"blm", a, "--versus", b, missing},
         1,
         "",
         "grafolux-cli: " + missing.toStdString() + ": no such file"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(QStringList{"table"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_TRUE(run.err.starts_with(c.err)) << c.name << ": " << run.err;
        if (c.exitCode == 1) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name;
        }
    }
    const CliRun csv = RunCli({"table", "blm", a, "--versus", b, "--format", "csv"});
    EXPECT_TRUE(csv.out.starts_with("RPM,20,30,40,50,60,70,80,90,100\r\n400,-1.1666666666666714,,"))
        << csv.out;
}

// The picture of a comparison is pinned, dashes and all; the options that go with it are
// checked before anything is drawn.
TEST(CliExportVersus, DrawsTheComparisonOrRefusesItsOptions) {
    QTemporaryDir dir;
    const QString data = TEST_DATA_DIR "/compare/";
    const QString out = dir.filePath("versus.gif");
    const QStringList graph = {"export", "graph", data + "before.txt", out};
    const CliRun run = RunCli(graph + QStringList{"--versus", data + "after.txt", "--offset", "5",
                                                  "--item", "SENSOR:BLM", "--lock", "SENSOR:TPS",
                                                  "--lock", "SENSOR:CTS", "--zoom", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QFile made(out), golden(data + "versus.gif");
    ASSERT_TRUE(made.open(QIODevice::ReadOnly) && golden.open(QIODevice::ReadOnly));
    EXPECT_TRUE(made.readAll() == golden.readAll()) << "differs from tests/data/compare/versus.gif";

    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        std::string err;
    } cases[] = {
        {"offset without versus", graph + QStringList{"--offset", "3"}, 2,
         "grafolux-cli: --offset needs"},
        {"offset not whole", graph + QStringList{"--versus", data + "after.txt", "--offset", "2.5"},
         2, "grafolux-cli: --offset needs a whole number"},
        {"two logs", graph + QStringList{"--versus", data + "after.txt", data + "after.txt"}, 2,
         "grafolux-cli: --versus takes one log"},
        {"a table",
         QStringList{"export", "blm", data + "before.txt", out, "--versus", data + "after.txt"}, 2,
         "grafolux-cli: --versus applies to the graph view only"},
        {"missing log", graph + QStringList{"--versus", dir.filePath("none.txt")}, 1,
         "grafolux-cli: " + dir.filePath("none.txt").toStdString() + ": no such file"},
        {"offset far beyond",
         graph + QStringList{"--versus", data + "after.txt", "--offset", "-99999999999"}, 0, ""},
    };
    for (const Case& c : cases) {
        const CliRun failed = RunCli(c.args);
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.name << ": " << failed.err;
        EXPECT_TRUE(failed.err.starts_with(c.err)) << c.name << ": " << failed.err;
    }
}

}  // namespace

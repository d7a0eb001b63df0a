#include <gtest/gtest.h>

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

// Ranges are clamped by the core's rule; here the options reach it and the cells print.
TEST(CliTable, PrintsTheCellMeansOfTheRangeOrFailsClearly) {
    QTemporaryDir dir;
    const QString log = dir.filePath("run.txt");
    std::ofstream(log.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\r\n"
           "400\t20\t127\t100\r\n400\t20\t130\t101\r\n6400\t100\t90\t102\r\n1000\t50\t64\t103\r\n";
    struct Case {
        QStringList args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"blm", log},
         0,
         TableText({{{400, 20}, "128.5"}, {{6400, 100}, "90"}, {{1200, 50}, "64"}})},
        {{"int", log, "--first", "2", "--last", "3.5"},
         0,
         TableText({{{400, 20}, "101"}, {{6400, 100}, "102"}, {{1200, 50}, "103"}})},
        {{"egt", log}, 2, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(QStringList{"table"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err.starts_with("grafolux-cli: "), c.exitCode != 0) << run.err;
    }
}

// Several logs, statistics, minimum samples, conditions and CSV over two small logs; every
// failure is one line on stderr and nothing on stdout.
TEST(CliTable, StatisticsFiltersPooledLogsAndCsv) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt"), c = dir.filePath("c.txt");
    std::ofstream(a.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\tMW2:7\r\n"
           "400\t20\t120\t1\t1\r\n400\t20\t130\t2\t0\r\n400\t20\t126\t3\t1\r\n";
    std::ofstream(b.toStdString(), std::ios::binary)
        << "SENSOR:INT\tSENSOR:MAP\tSENSOR:RPM\tSENSOR:BLM\tMW2:7\r\n4\t20\t400\t140\t1\r\n";
    std::ofstream(c.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n400\t20\t100\r\n400\t20\t110\r\n";
    const QString missing = dir.filePath("missing.txt");
    struct Case {
        QStringList args;
        int exitCode;
        std::string out;  // "" for a failure
        std::string err;  // the start of the one line on stderr
    } cases[] = {
        {{a, b}, 0, TableText({{{400, 20}, "129"}}), ""},
        {{a, b, "--first", "2"}, 0, TableText({{{400, 20}, "132"}}), ""},  // each log's own numbers
        {{a, c, "--first", "2"}, 0, TableText({{{400, 20}, "122"}}), ""},
        // Included logs count whole, after the others, under every condition.
        {{a, "--include", c, "--first", "2"}, 0, TableText({{{400, 20}, "116.5"}}), ""},
        {{"--include", c, a, "--last", "1", "--include", b},
         0,
         TableText({{{400, 20}, "117.5"}}),
         ""},
        {{a, "--include", a, "--first", "3", "--show", "count"},
         0,
         TableText({{{400, 20}, "4"}}, "0"),
         ""},
        {{a, "--include", c, "--where", "MW2:7=1"},
         1,
         "",
         "grafolux-cli: " + c.toStdString() + ": no item named MW2:7"},
        {{a, "--include", missing}, 1, "", "grafolux-cli: " + missing.toStdString() + ": no such"},
        {{a, a}, 0, TableText({{{400, 20}, "125.33333333333333"}}), ""},
        {{a, b, "--show", "count"}, 0, TableText({{{400, 20}, "4"}}, "0"), ""},
        {{a, "--show", "min"}, 0, TableText({{{400, 20}, "120"}}), ""},
        {{a, "--show", "max"}, 0, TableText({{{400, 20}, "130"}}), ""},
        {{a, "--show", "sd"}, 0, TableText({{{400, 20}, "5.033222956847167"}}), ""},
        {{a, "--min-count", "4"}, 0, TableText({}), ""},
        {{a, b, "--min-count", "4"}, 0, TableText({{{400, 20}, "129"}}), ""},
        {{a, b, "--where", "MW2:7=1"}, 0, TableText({{{400, 20}, "128.66666666666666"}}), ""},
        {{a, "--where", "MW2:7 = 1", "--where", "SENSOR:INT<3"},
         0,
         TableText({{{400, 20}, "120"}}),
         ""},
        {{a, "--where", "SENSOR:INT>1E308"}, 0, TableText({}), ""},
        {{a, "--where", "MW2:7", "--show", "count"},
         2,
         "",
         "grafolux-cli: --where MW2:7: no operator"},
        {{a, "--where", "SENSOR:EGT<900"}, 1, "", "grafolux-cli: " + a.toStdString() + ": no item"},
        // A line break in an argument is written as \n: the error stays one line.
        {{a, "--where", "SENSOR:E\nGT<900"},
         1,
         "",
         "grafolux-cli: " + a.toStdString() + ": no item named SENSOR:E\\nGT"},
        {{a, "--show", "me\ndian"}, 2, "", "grafolux-cli: --show must be"},
        {{a, "--min-count", "0"}, 2, "", "grafolux-cli: --min-count needs a whole number"},
        {{a, "--min-count", "2.5"}, 2, "", "grafolux-cli: --min-count needs a whole number"},
        {{a, "--show", "median"}, 2, "", "grafolux-cli: --show must be"},
        {{a, "--format", "xml"}, 2, "", "grafolux-cli: --format must be"},
        {{a, missing}, 1, "", "grafolux-cli: " + missing.toStdString() + ": no such file"},
        {{}, 2, "", "grafolux-cli: wrong number of arguments"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(QStringList{"table", "blm"} + c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err;
        if (c.exitCode == 0) {
            EXPECT_EQ(run.out, c.out) << what;
            EXPECT_EQ(run.err, "") << what;
            continue;
        }
        EXPECT_EQ(run.out, "") << what;
        EXPECT_TRUE(run.err.starts_with(c.err)) << what << ": " << run.err;
        if (c.args.size() > 1) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << what << run.err;
        }
    }

    // The same cells comma-separated, N/A empty, CR LF line ends.
    const CliRun csv = RunCli({"table", "blm", a, b, "--format", "csv"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_TRUE(csv.out.starts_with("RPM,20,30,40,50,60,70,80,90,100\r\n400,129,,,,,,,,\r\n"))
        << csv.out;
}

}  // namespace

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <map>

#include "RunCli.h"

namespace {

// The printed table: "N/A" everywhere but in the cells given as {rpm, map} -> text.
std::string TableText(const std::map<std::pair<int, int>, std::string>& cells) {
    std::string text = "RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n";
    for (int rpm = 400; rpm <= 6400; rpm += 400) {
        text += std::to_string(rpm);
        for (int map = 20; map <= 100; map += 10)
            text += '\t' + (cells.contains({rpm, map}) ? cells.at({rpm, map}) : "N/A");
        text += '\n';
    }
    return text;
}

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
        {{"blm", log, "--first", "-3", "--last", "2.5"}, 0, TableText({{{400, 20}, "128.5"}})},
        {{"blm", log, "--last", "900", "--first", "3"},
         0,
         TableText({{{6400, 100}, "90"}, {{1200, 50}, "64"}})},
        {{"blm", log, "--first", "4", "--last", "3"}, 0, TableText({})},
        {{"egt", log}, 2, ""},
        {{"blm", dir.filePath("missing.txt")}, 1, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(QStringList{"table"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err.starts_with("grafolux-cli: "), c.exitCode != 0) << run.err;
    }
}

}  // namespace

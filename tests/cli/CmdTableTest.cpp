

#include "RunCli.h"

namespace {

// The options reach the tables (their rules are the core's tests): a statistic, minimum samples,
// conditions and CSV over two small logs. Every failure is one line on stderr (a usage error
// adds the usage) and nothing on stdout.
TEST(CliTable, PrintsTheCellsOfTheLogsOrFailsClearly) {
    QTemporaryDir dir;
    const QString a = WriteIn(dir, "a.txt",
                              "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\tMW2:7\r\n"
                              "400\t20\t120\t1\t1\r\n400\t20\t130\t2\t0\r\n400\t20\t126\t3\t1\r\n");
    const QString b = WriteIn(dir, "b.txt",
                              "SENSOR:INT\tSENSOR:MAP\tSENSOR:RPM\tSENSOR:BLM\tMW2:7\r\n"
                              "4\t20\t400\t140\t1\r\n");
    const QString c = WriteIn(
        dir, "c.txt", "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n400\t20\t100\r\n400\t20\t110\r\n");
    const QString missing = dir.filePath("missing.txt");
    struct Case {
        QStringList args;
        int exitCode;
        std::string said;    // stdout, or the start of the line on stderr after "grafolux-cli: "
        bool usage = false;  // the usage text follows the line
    } cases[] = {
        {{"blm", a}, 0, TableText({{{400, 20}, "125.33333333333333"}})},
        {{"int", a, "--first", "2", "--last", "3.5"}, 0, TableText({{{400, 20}, "2.5"}})},
        {{"blm", a, b}, 0, TableText({{{400, 20}, "129"}})},
        {{"blm", a, b, "--first", "2"}, 0, TableText({{{400, 20}, "132"}})},  // each log's own
        {{"blm", a, c, "--first", "2"}, 0, TableText({{{400, 20}, "122"}})},
        // Included logs count whole, after the others, under every condition.
        {{"blm", a, "--include", c, "--first", "2"}, 0, TableText({{{400, 20}, "116.5"}})},
        {{"blm", "--include", c, a, "--last", "1", "--include", b},
         0,
         TableText({{{400, 20}, "117.5"}})},
        {{"blm", a, "--include", a, "--first", "3", "--show", "count"},
         0,
         TableText({{{400, 20}, "4"}}, "0")},
        {{"blm", a, "--include", c, "--where", "MW2:7=1"},
         1,
         c.toStdString() + ": no item named MW2:7"},
        {{"blm", a, "--include", missing}, 1, missing.toStdString() + ": no such"},
        {{"blm", a, b, "--show", "count"}, 0, TableText({{{400, 20}, "4"}}, "0")},
        {{"blm", a, "--show", "min"}, 0, TableText({{{400, 20}, "120"}})},
        {{"blm", a, "--show", "max"}, 0, TableText({{{400, 20}, "130"}})},
        {{"blm", a, "--show", "sd"}, 0, TableText({{{400, 20}, "5.033222956847166"}})},
        {{"blm", a, "--min-count", "999999999"}, 0, TableText({})},
        {{"blm", a, b, "--min-count", "4"}, 0, TableText({{{400, 20}, "129"}})},
        {{"blm", a, b, "--where", "MW2:7=1"}, 0, TableText({{{400, 20}, "128.66666666666666"}})},
        {{"blm", a, "--where", "MW2:7 = 1", "--where", "SENSOR:INT<3"},
         0,
         TableText({{{400, 20}, "120"}})},
        {{"egt", a}, 2, "table kind must be blm or int", true},
        {{"blm", a, "--where", "MW2:7", "--show", "count"}, 2, "--where MW2:7: no operator"},
        {{"blm", a, "--where", "SENSOR:EGT<900"}, 1, a.toStdString() + ": no item"},
        // A line break in an argument is written as \n: the error stays one line.
        {{"blm", a, "--where", "SENSOR:E\nGT<900"},
         1,
         a.toStdString() + ": no item named SENSOR:E\\nGT"},
        {{"blm", a, "--show", "me\ndian"}, 2, "--show must be"},
        {{"blm", a, "--min-count", "0"}, 2, "--min-count needs a whole number"},
        {{"blm", a, "--min-count", "2.5"}, 2, "--min-count needs a whole number"},
        {{"blm", a, "--format", "xml"}, 2, "--format must be"},
        {{"blm", a, missing}, 1, missing.toStdString() + ": no such file"},
        {{"blm"}, 2, "wrong number of arguments", true},
    };
    for (const Case& c : cases)
        ExpectOutcome(RunCli(QStringList{"table"} + c.args), c.exitCode, c.said, c.usage,
                      c.args.join(' ').toStdString());

    // The same cells comma-separated, N/A empty, CR LF line ends.
    const CliRun csv = RunCli({"table", "blm", a, b, "--format", "csv"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_TRUE(csv.out.starts_with("RPM,20,30,40,50,60,70,80,90,100\r\n400,129,,,,,,,,\r\n"))
        << csv.out;
}

}  // namespace

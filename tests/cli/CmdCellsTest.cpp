

#include "RunCli.h"

namespace {

// Samples 1, 2 and 6, 7 lie in the cell of 1,200 rpm and 50 kPa (sample 6 is cold); 3 and 4
// in that of 400 rpm and 20 kPa.
const char kCellsLog[] =
    "SENSOR:RPM\tSENSOR:MAP\tSENSOR:CTS\r\n"
    "1000\t50\t90\r\n1399.99\t54.99\t90\r\n400\t20\t90\r\n200\t15\t90\r\n"
    "1400\t50\t90\r\n1200\t45\t20\r\n1200\t50\t90\r\n";

// The options reach the cell's marks (their rules are the core's tests).
TEST(CliCells, PrintsTheRunsOfACellOrFailsWithOneLine) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run.txt", kCellsLog),
                  noMap = WriteIn(dir, "nomap.txt", "SENSOR:RPM\tSENSOR:BLM\r\n1200\t1\r\n");
    const QStringList cell = {"--row", "1200", "--column", "50"};
    struct Case {
        QStringList args;
        int exitCode;
        std::string out;
        bool usage = false;  // the usage text follows the line
    } cases[] = {
        {QStringList{"blm", log} + cell, 0, "1\t2\n6\t7\n"},
        {QStringList{"int", log, "--row", "400", "--column", "20"}, 0, "3\t4\n"},
        {QStringList{"blm", log, "--first", "2", "--last", "6.5"} + cell, 0, "2\t2\n6\t6\n"},
        {QStringList{"blm", log, "--where", "SENSOR:CTS>=80"} + cell, 0, "1\t2\n7\t7\n"},
        {QStringList{"blm", log, "--row", "6400", "--column", "100"}, 0, ""},
        {QStringList{"blm", log, "--row", "1000", "--column", "50"}, 2, ""},
        {QStringList{"blm", log, "--row", "1200"}, 2, "", true},
        {QStringList{"egt", log} + cell, 2, "", true},
        {QStringList{"blm", log, "--where", "SENSOR:CTS>>1"} + cell, 2, ""},
        {QStringList{"blm", log, "--where", "SENSOR:EGT>1"} + cell, 1, ""},
        {QStringList{"blm", noMap} + cell, 1, ""},
        {QStringList{"blm", dir.filePath("missing.txt")} + cell, 1, ""},
    };
    for (const Case& c : cases)
        ExpectOutcome(RunCli(QStringList{"cells"} + c.args), c.exitCode, c.out, c.usage,
                      c.args.join(' ').toStdString());
}

}  // namespace

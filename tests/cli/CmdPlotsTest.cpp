#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "RunCli.h"
#include "support/TestFiles.h"

namespace {

// MAP 20 … 60, RPM rising, CTS constant, a second log with one more MAP value.
const char kPlotsLog[] =
    "SENSOR:RPM\tSENSOR:MAP\tSENSOR:CTS\r\n1000\t20\t90\r\n1500\t30\t90\r\n2000\t40\t90\r\n"
    "2500\t50\t90\r\n3000\t60\t90\r\n";
const char kOther[] = "SENSOR:RPM\tSENSOR:MAP\tSENSOR:CTS\r\n3500\t70\t90\r\n";

struct Case {
    QStringList arguments;
    int exitCode;
    std::string said;
    bool usage;
};

// The bins' rule reaches the command with the range, filters, pooled logs and computed items
// (its edges are the core's tests); every failure is one line, a usage error with the usage.
TEST(CliHistogram, PrintsBinsOrFailsWithOneLine) {
    QTemporaryDir dir;
    const QString log = dir.filePath("run.txt"), other = dir.filePath("other.txt");
    WriteBytes(log.toStdString(), kPlotsLog);
    WriteBytes(other.toStdString(), kOther);
    const Case cases[] = {
        {{"LOG", "SENSOR:MAP", "--bins", "4"},
         0,
         "20\t30\t1\n30\t40\t1\n40\t50\t1\n50\t60\t2\n",
         false},
        {{"LOG", "SENSOR:MAP", "--bins", "2", "--first", "2", "--last", "4"},
         0,
         "30\t40\t1\n40\t50\t2\n",
         false},
        {{"LOG", "SENSOR:MAP", "--bins", "1", "--include", "OTHER", "--where", "SENSOR:RPM>1200"},
         0,
         "30\t70\t5\n",
         false},
        {{"LOG", "SENSOR:CTS"}, 0, "90\t90\t5\n", false},  // one value: one bin
        {{"LOG", "SENSOR:MAP", "--bins", "2", "--format", "csv"},
         0,
         "20,40,2\r\n40,60,3\r\n",
         false},
        // Missing values are not kept.
        {{"LOG", "Q", "--bins", "2", "--define", "Q=SENSOR:MAP / (SENSOR:MAP > 30)"},
         0,
         "40\t50\t1\n50\t60\t2\n",
         false},
        {{"LOG", "SENSOR:MAP", "--where", "SENSOR:MAP>100"}, 1, "no value of SENSOR:MAP", false},
        {{"LOG", "SENSOR:EGT"}, 1, log.toStdString() + ": no item named SENSOR:EGT", false},
        {{"LOG", "SENSOR:MAP", "--where", "SENSOR:EGT<1"},
         1,
         log.toStdString() + ": no item named SENSOR:EGT",
         false},
        {{"LOG", "SENSOR:MAP", "--bins", "0"}, 2, "--bins needs a whole number", false},
        {{"LOG", "SENSOR:MAP", "--bins", "2x"}, 2, "--bins needs a whole number", false},
        {{"LOG"}, 2, "wrong number of arguments", true},
    };
    for (const auto& c : cases) {
        const QStringList arguments =
            QStringList{"histogram"} + WithPaths(c.arguments, {{"LOG", log}, {"OTHER", other}});
        ExpectOutcome(RunCli(arguments), c.exitCode, c.said, c.usage,
                      arguments.join(' ').toStdString());
    }
}

// Bad input draws or fails with one line: the same item twice, a constant item, no sample
// left, a 1 × 1 size, items or options that do not fit.
TEST(CliExportScatter, DrawsOrFailsWithOneLine) {
    QTemporaryDir dir;
    const QString log = dir.filePath("run.txt"), out = dir.filePath("out.png");
    WriteBytes(log.toStdString(), kPlotsLog);
    const Case cases[] = {
        {{"--x", "SENSOR:MAP", "--y", "SENSOR:MAP"}, 0, "", false},
        {{"--x", "SENSOR:CTS", "--y", "SENSOR:MAP", "--colour", "SENSOR:RPM"}, 0, "", false},
        {{"--x", "SENSOR:RPM", "--y", "SENSOR:MAP", "--where", "SENSOR:MAP>100"}, 0, "", false},
        {{"--x", "SENSOR:RPM", "--y", "SENSOR:EGT"},
         1,
         log.toStdString() + ": no item named SENSOR:EGT",
         false},
        {{"--x", "SENSOR:RPM", "--y", "SENSOR:MAP", "--colour", "SENSOR:EGT"},
         1,
         log.toStdString() + ": no item named SENSOR:EGT",
         false},
        {{"--x", "SENSOR:RPM"}, 2, "a scatter plot needs --x ITEM and --y ITEM", true},
        {{"--x", "SENSOR:RPM", "--y", "SENSOR:MAP", "--zoom", "2"},
         2,
         "--zoom applies to the graph view only",
         true},
    };
    for (const auto& c : cases) {
        QFile::remove(out);
        const QStringList arguments = QStringList{"export", "scatter", log, out} + c.arguments;
        ExpectOutcome(RunCli(arguments), c.exitCode, c.said, c.usage,
                      arguments.join(' ').toStdString());
        EXPECT_EQ(QFile::exists(out), c.exitCode == 0) << arguments.join(' ').toStdString();
    }
    ExpectOutcome(RunCli({"export", "scatter", log, out, "--x", "SENSOR:RPM", "--y", "SENSOR:MAP",
                          "--size", "1x1"}),
                  0, "", false, "1x1");
    EXPECT_EQ(QImage(out).height(), 1);
    ExpectOutcome(RunCli({"export", "graph", log, out, "--x", "SENSOR:RPM"}), 2,
                  "--x applies to the scatter plot only", true, "--x on the graph");
}

}  // namespace



#include "RunCli.h"

namespace {

// Two samples in the cell of 1000 rpm and 20 kPa (factors 1 and 1.09375), two in that of 2000
// and 40 (0.9375 each; the second cold), one in that of 3000 and 60 (1.09375).
const char kRetuneLog[] =
    "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\tSENSOR:CTS\r\n"
    "1000\t20\t128\t128\t90\r\n1000\t20\t140\t128\t90\r\n2000\t40\t120\t128\t90\r\n"
    "2000\t40\t120\t128\t40\r\n3000\t60\t128\t140\t90\r\n";
// Half way between every breakpoint, and a trim of 0 at the first ones.
const char kBetween[] =
    "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\r\n1500\t30\t144\t128\r\n"
    "1000\t20\t0\t128\r\n";
const char kRetuneMap[] =
    "RPM\\kPa\t20\t40\t60\n1000\t50.0\t60.0\t70.0\n2000\t55.5\t65.5\t75.5\n3000\t60\t70\t80\n";

std::string Map(const std::string& row1000, const std::string& row2000,
                const std::string& row3000) {
    return "RPM\\kPa\t20\t40\t60\n1000\t" + row1000 + "\n2000\t" + row2000 + "\n3000\t" + row3000 +
           "\n";
}

// The options reach the retune (its rules and the map's faults are the core's tests): weights,
// factors, filters, ranges, pooled logs and the figures shown. Every failure is one line on stderr
// (a usage error adds the usage) and nothing on stdout.
TEST(CliRetune, PrintsTheNewMapOrAFigureOrFailsWithOneLine) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run.txt", kRetuneLog),
                  between = WriteIn(dir, "between.txt", kBetween),
                  map = WriteIn(dir, "map.txt", kRetuneMap),
                  noInt = WriteIn(dir, "noint.txt",
                                  "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n1000\t20\t1\r\n"),
                  missing = dir.filePath("missing.txt");
    const QStringList one = {"--min-weight", "1"};
    const std::string loose = Map("52.3\t60.0\t70.0", "55.5\t61.4\t75.5", "60\t70\t88");
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        std::string out;  // for a failure the start of the line after "grafolux-cli: "
        QByteArray input = {};
        bool usage = false;  // the usage text follows the line
    } cases[] = {
        {"the default weight trusts no cell: the map as read", {log, "--map", map}, 0, kRetuneMap},
        {"a weight of 1 trusts three cells", QStringList{log, "--map", map} + one, 0, loose},
        {"a condition drops the cold sample",
         QStringList{log, "--map", map, "--where", "SENSOR:CTS>50", "--show", "weight"} + one, 0,
         Map("2.00\t0.00\t0.00", "0.00\t1.00\t0.00", "0.00\t0.00\t1.00")},
        {"every sample filtered out: the map as read",
         QStringList{log, "--map", map, "--where", "SENSOR:CTS>100"} + one, 0, kRetuneMap},
        {"the range of each log",
         QStringList{log, "--map", map, "--first", "3", "--last", "4", "--show", "change"} + one, 0,
         Map("N/A\tN/A\tN/A", "N/A\t-6.2\tN/A", "N/A\tN/A\tN/A")},
        {"nearest cells: the lower breakpoints at a half, not a quarter each",
         {between, "--map", map, "--last", "1", "--show", "weight", "--cells", "nearest"},
         0,
         Map("1.00\t0.00\t0.00", "0.00\t0.00\t0.00", "0.00\t0.00\t0.00")},
        {"a factor of 0 is not trusted",
         {between, "--map", map, "--first", "2", "--show", "factor", "--min-weight", "0.5"},
         0,
         Map("0.0000\tN/A\tN/A", "N/A\tN/A\tN/A", "N/A\tN/A\tN/A")},
        {"an included log counts whole",
         {log, "--map", map, "--last", "1", "--include", between, "--show", "factor"},
         0,
         Map("0.5694\t1.1250\tN/A", "1.1250\t1.1250\tN/A", "N/A\tN/A\tN/A")},
        {"a computed factor",
         QStringList{log, "--map", map, "--define", "F=SENSOR:INT/128", "--factor", "F", "--show",
                     "factor"} +
             one,
         0, Map("1.0000\tN/A\tN/A", "N/A\t1.0000\tN/A", "N/A\tN/A\t1.0938")},
        {"CSV with the trusted changes",
         QStringList{log, "--map", map, "--show", "change", "--format", "csv"} + one, 0,
         "RPM\\kPa,20,40,60\r\n1000,4.7,,\r\n2000,,-6.2,\r\n3000,,,9.4\r\n"},
        {"the map from standard input", QStringList{log, "--map", "-"} + one, 0, loose, kRetuneMap},
        {"a fault of the map from standard input",
         {log, "--map", "-"},
         1,
         "standard input line 1: 0 columns, expected 2 to 64",
         "RPM\n"},
        {"no map file", {log, "--map", missing}, 1, missing.toStdString()},
        {"a log without the integrator of the default factor",
         {log, "--map", map, "--include", noInt},
         1,
         noInt.toStdString() + ": no item named SENSOR:INT"},
        {"a condition on an item the log lacks",
         {log, "--map", map, "--where", "SENSOR:EGT<900"},
         1,
         log.toStdString() + ": no item named SENSOR:EGT (in --where"},
        {"a bad weighting", {log, "--map", map, "--cells", "cubic"}, 2, "--cells"},
        {"a negative change",
         {log, "--map", map, "--max-change", "-1"},
         2,
         "--max-change needs a number 0 or more, not -1"},
        {"a weight that is no number",
         {log, "--map", map, "--min-weight", "1e3"},
         2,
         "--min-weight needs"},
        {"a bad figure", {log, "--map", map, "--show", "mean"}, 2, "--show must"},
        {"a bad format", {log, "--map", map, "--format", "xml"}, 2, "--format must"},
        {"no map", {log}, 2, "--map is needed", {}, true},
        {"no log", {"--map", map}, 2, "wrong number of arguments", {}, true},
    };
    for (const Case& c : cases)
        ExpectOutcome(RunCli(QStringList{"retune"} + c.args, c.input), c.exitCode, c.out, c.usage,
                      c.name);
    EXPECT_EQ(ReadAll(map), QByteArray(kRetuneMap));  // read, never written
}

}  // namespace

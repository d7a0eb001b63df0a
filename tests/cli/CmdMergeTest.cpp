

#include "RunCli.h"

namespace {

const char kHeader[] = "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\tSENSOR:CTS\r\n";
const char kMergeMap[] = "RPM\t20\t40\n1000\t50.0\t60.0\n2000\t55.5\t65.5\n";

// Partials written by table and retune, merged in any order and split, print what the pooled
// command prints; every failure is one line naming the files (a usage error adds the usage).
TEST(CliMerge, PrintsWhatThePooledCommandPrintsOrFailsWithOneLine) {
    QTemporaryDir dir;
    // Appended piece by piece: GCC 12 takes "x" + string for an overflow.
    const auto log = [&](const QString& name, const char* lines) {
        return WriteIn(dir, name, std::string(kHeader).append(lines));
    };
    const QString a = log("a.txt", "1000\t20\t120.1\t128\t90\r\n1000\t20\t130.3\t127\t90\r\n"),
                  b = log("b.txt", "1000\t22\t126.7\t130\t90\r\n2000\t40\t1e17\t131\t90\r\n"),
                  c = log("c.txt", "1000\t20\t0.1\t126\t40\r\n2000\t40\t-1e17\t129\t90\r\n"),
                  map = WriteIn(dir, "map.txt", kMergeMap), notPartial = a,
                  missing = dir.filePath("none");
    const QStringList warm = {"--where", "SENSOR:CTS>50"};
    const auto made = [&](const QStringList& args) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out.empty(), !args.contains("-"));  // "-" prints the partial
        return run;
    };
    const QString ab = dir.filePath("ab"), pc = dir.filePath("c"), pab = dir.filePath("pab");
    const QString rb = dir.filePath("rb"), rac = dir.filePath("rac");
    made(QStringList{"table", "blm", b, a, "--partial", ab} + warm);
    made(QStringList{"table", "blm", c, "--partial", pc} + warm);
    made({"merge", pc, ab, "--partial", pab});
    made({"retune", b, "--map", map, "--partial", rb});
    made({"retune", a, c, "--map", map, "--partial", rac});
    const std::string bytes = ReadAll(ab).toStdString();
    EXPECT_EQ(made(QStringList{"table", "blm", b, a, "--partial", "-"} + warm).out, bytes);
    const QString other = dir.filePath("other");
    made({"table", "int", a, "--partial", other});

    struct Case {
        QStringList merge, pooled;  // pooled: the command whose output the merge must print
        int exitCode = 0;
        std::string said = "";  // for a failure, the start of the line after "grafolux-cli: "
        bool usage = false;
    } cases[] = {
        {{ab, pc}, QStringList{"table", "blm", a, b, c} + warm},
        {{pc, ab, "--show", "sd", "--format", "csv"},
         QStringList{"table", "blm", c, a, b, "--show", "sd", "--format", "csv"} + warm},
        {{pab, "--show", "count", "--min-count", "2"},
         QStringList{"table", "blm", b, c, a, "--show", "count", "--min-count", "2"} + warm},
        {{rac, rb, "--min-weight", "0.5", "--show", "factor"},
         {"retune", a, b, c, "--map", map, "--min-weight", "0.5", "--show", "factor"}},
        {{rb, rac, "--min-weight", "1", "--max-change", "5"},
         {"retune", c, b, a, "--map", map, "--min-weight", "1", "--max-change", "5"}},
        {{ab, other},
         {},
         1,
         ab.toStdString() + " and " + other.toStdString() +
             " cannot be merged: they differ in the table (blm or int)"},
        {{ab, rb}, {}, 1, ab.toStdString() + " and " + rb.toStdString() + " cannot be merged"},
        {{notPartial}, {}, 1, notPartial.toStdString() + ": not a partial result"},
        {{missing}, {}, 1, missing.toStdString() + ": "},
        {{ab, "--partial", dir.filePath("no/such/folder/out")},
         {},
         1,
         dir.filePath("no").toStdString()},
        {{}, {}, 2, "wrong number of arguments", true},
        {{ab, "--min-weight", "2"}, {}, 2, "--min-weight is for retune partials"},
        {{rb, "--min-count", "2"}, {}, 2, "--min-count is for table partials"},
        {{rb, "--show", "sd"}, {}, 2, "--show must be map, change, weight or factor"},
        {{ab, "--partial", pab, "--show", "sd"}, {}, 2, "--show is for what merge prints"},
        {{"table", "blm", a, "--partial", ab, "--format", "csv"},
         {},
         2,
         "--format is for what merge prints"},
        {{"table", "blm", a, "--versus", b, "--partial", ab}, {}, 2, "--versus cannot make"},
        {{"table", "blm", a, "--where", "NOPE=1", "--partial", ab},
         {},
         1,
         a.toStdString() + ": no item named NOPE (in --where NOPE=1)"},
        {{"retune", a, "--map", map, "--partial", rb, "--show", "weight"},
         {},
         2,
         "--show is for what merge prints"},
    };
    for (const Case& c : cases) {
        // Rows that begin with a command run it; the others run merge.
        const QStringList args = c.merge.value(0) == "table" || c.merge.value(0) == "retune"
                                     ? c.merge
                                     : QStringList{"merge"} + c.merge;
        const CliRun run = RunCli(args);
        const std::string expected = c.exitCode == 0 ? RunCli(c.pooled).out : c.said;
        ExpectOutcome(run, c.exitCode, expected, c.usage, args.join(' ').toStdString());
    }
}

}  // namespace

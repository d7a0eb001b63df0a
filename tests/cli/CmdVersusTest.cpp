

#include "RunCli.h"
#include "support/Golden.h"

namespace {

// The printed line of one row label, "" when there is none.
std::string Row(const std::string& table, const std::string& label) {
    const size_t at = table.find("\n" + label + "\t");
    return at == std::string::npos ? "" : table.substr(at + 1, table.find('\n', at + 1) - at - 1);
}

// B's cell minus A's: the rules of the difference are the core's tests; here the options reach
// it, --first/--last apply to every log, and the faults of its logs are one line each.
TEST(CliTableVersus, PrintsBMinusAOrFailsClearly) {
    QTemporaryDir dir;
    const std::string header = "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n";
    const QString a =
        WriteIn(dir, "a.txt", header + "400\t20\t120\r\n400\t20\t130\r\n800\t30\t128\r\n");
    const QString b =
        WriteIn(dir, "b.txt", header + "400\t20\t140\r\n400\t20\t110.5\r\n400\t20\t121\r\n");
    const QString c = WriteIn(dir, "c.txt", header + "800\t30\t138\r\n");
    const std::string na8 = "\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A";
    const QString missing = dir.filePath("missing.txt");
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        std::string row400, row800;  // of the output; for a failure, the start of the error
    } cases[] = {
        {"mean", {a, "--versus", b}, 0, "400\t-1.1666666666666714" + na8, "800\tN/A" + na8},
        {"pooled",
         {a, "--versus", b, c},
         0,
         "400\t-1.1666666666666714" + na8,
         "800\tN/A\t10\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A"},
        {"range of every log",
         {a, "--first", "2", "--versus", b},
         0,
         "400\t-14.25" + na8,
         "800\tN/A" + na8},
        {"the same log",
         {a, "--versus", a},
         0,
         "400\t0" + na8,
         "800\tN/A\t0\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A"},
        {"no log after it",
         {a, "--versus", "--show", "count"},
         2,
         "grafolux-cli: option --versus needs a value",
         ""},
        {"a log that fails",
         {a, "--versus", b, missing},
         1,
         "grafolux-cli: " + missing.toStdString() + ": no such file",
         ""},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(QStringList{"table", "blm"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << ": " << run.err;
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.err.starts_with(c.row400) && run.out.empty()) << c.name << run.err;
            continue;
        }
        EXPECT_EQ(Row(run.out, "400"), c.row400) << c.name;
        EXPECT_EQ(Row(run.out, "800"), c.row800) << c.name;
    }
}

// The picture of a comparison is pinned, dashes and all; the options that go with it are
// checked before anything is drawn.
TEST(CliExportVersus, DrawsTheComparisonOrRefusesItsOptions) {
    QTemporaryDir dir;
    const QString data = TEST_DATA_DIR "/compare/", out = dir.filePath("versus.gif");
    const QStringList graph = {"export", "graph", data + "before.txt", out};
    const QStringList versus = {"--versus", data + "after.txt"};
    const CliRun run = RunCli(graph + versus +
                              QStringList{"--offset", "5", "--item", "SENSOR:BLM", "--lock",
                                          "SENSOR:TPS", "--lock", "SENSOR:CTS", "--zoom", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(::test::SameAsGoldenBytes(ReadAll(out), data + "versus.gif"));

    const std::pair<QStringList, std::string> refused[] = {
        {graph + QStringList{"--offset", "3"}, "--offset needs a log"},
        {graph + versus + QStringList{"--offset", "2.5"}, "--offset needs a whole number"},
        {graph + versus + QStringList{data + "after.txt"}, "--versus takes one log"},
        {QStringList{"export", "blm", data + "before.txt", out} + versus,
         "--versus applies to the graph and the scatter plot only"},
        {QStringList{"export", "scatter", data + "before.txt", out, "--x", "SENSOR:RPM", "--y",
                     "SENSOR:MAP"} +
             versus + QStringList{"--offset", "3"},
         "--offset applies to the graph view only"},
    };
    for (const auto& [args, err] : refused) {
        const CliRun failed = RunCli(args);
        EXPECT_EQ(failed.exitCode, 2) << err;
        EXPECT_TRUE(failed.err.starts_with("grafolux-cli: " + err)) << failed.err;
    }
}

}  // namespace

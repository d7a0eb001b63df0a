
#include <QDir>

#include "RunCli.h"

namespace {

QString WriteLog(const std::string& name, const std::string& bytes) {
    return QString::fromStdString(WriteTempFile("cmd_dump_test", name, bytes));
}

TEST(CmdDump, PrintsNamesThenSamplesInShortestRoundTripForm) {
    const QString log = WriteLog("good.txt",
                                 "RPM\tSENSOR:MAP\tX\r\n800\t30\t0.1\r\n900\t31.5\r\n"
                                 "-0\t1e300\t0.30000000000000004\r\n\r\n&HFFFF\tkPa\t-2.50\r\n");
    const CliRun run = RunCli({"dump", log});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "RPM\tSENSOR:MAP\tX\n800\t30\t0.1\n900\t31.5\t31.5\n"
              "0\t1e+300\t0.30000000000000004\n0\t0\t0\n-1\t0\t-2.5\n");

    const CliRun pipe = RunCli({"dump", "/dev/stdin"}, "A\tB\n1\t2\n3");  // read to its end
    EXPECT_EQ(pipe.exitCode, 0);
    EXPECT_EQ(pipe.out, "A\tB\n1\t2\n3\t3\n");

    // Output that cannot be written is a failure, not a success.
    const ProgramRun full =
        RunProgram("sh", {"-c", "exec \"$0\" dump \"$1\" >/dev/full", GRAFOLUX_CLI, log});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "grafolux-cli: cannot write standard output\n");
}

// The reopen cache changes no byte: every test log dumped with the cache bypassed (nothing is
// written then), from a cold cache and from the entry that run wrote.
TEST(CmdDump, SameBytesWithTheCacheBypassedColdAndWarm) {
    QTemporaryDir cache;
    const std::map<QString, QString> environment = {{"XDG_CACHE_HOME", cache.path()}};
    QStringList logs = {WriteLog("forms.txt",
                                 "A\tB\tC\r\n-0\t1e300\t&HFF\r\n0.30000000000000004\t\tx\r\n"
                                 "5e-324\t1.5E2\t12.5kPa\r\n")};
    for (const auto& file : std::filesystem::recursive_directory_iterator(TEST_DATA_DIR))
        if (file.path().extension() == ".txt") logs << QString::fromStdString(file.path());
    for (const QString& log : logs) {
        const CliRun bypassed = RunCli({"--no-cache", "dump", log}, {}, environment);
        EXPECT_FALSE(QDir(cache.filePath("grafolux")).exists()) << log.toStdString();
        const CliRun cold = RunCli({"dump", log}, {}, environment);
        const CliRun warm = RunCli({"dump", log}, {}, environment);
        for (const CliRun* run : {&cold, &warm}) {
            EXPECT_EQ(run->exitCode, bypassed.exitCode) << log.toStdString();
            EXPECT_EQ(run->out, bypassed.out) << log.toStdString();
            EXPECT_EQ(run->err, bypassed.err) << log.toStdString();
        }
        QDir(cache.filePath("grafolux")).removeRecursively();
    }
}

}  // namespace

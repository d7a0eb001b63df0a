
#include <QDir>

#include "RunCli.h"

namespace {

// Runs grafolux-cli with a small, fresh file system mounted on `folder` (a tmpfs in a mount
// namespace of its own: no privileges needed where user namespaces are allowed). `setup` runs
// in there first. Exit status 125 means the mount itself was refused.
CliRun RunOnSmallDisk(const QString& folder, const QString& size, const QString& setup,
                      const QStringList& arguments) {
    const QString script =
        "mount -t tmpfs -o size=" + size + " tmpfs \"$0\" || exit 125\n" + setup + "\nexec \"$@\"";
    return RunProgram("unshare",
                      QStringList{"-rm", "sh", "-c", script, folder, GRAFOLUX_CLI} + arguments);
}

TEST(CliFullDisk, WritesThatFailForWantOfSpaceSayWhy) {
    QTemporaryDir temp;
    const QString full = temp.filePath("full");
    QDir().mkdir(full);
    const QString ppm = temp.filePath("noise.ppm"), log = temp.filePath("run1.txt");
    {
        std::ofstream picture(ppm.toStdString(), std::ios::binary);
        picture << "P6\n400 300\n255\n";
        for (unsigned n = 0; n < 400 * 300 * 3; ++n) picture.put(char(n * n * 2654435761u >> 24));
        std::ofstream text(log.toStdString(), std::ios::binary);
        text << "SENSOR:RPM\tSENSOR:MAP\r\n";
        for (int i = 0; i < 2000; ++i) text << 800 + i << "\t" << i % 100 << "\r\n";
    }
    const struct {
        const char* what;
        QString setup;
        QStringList args;
        QString failed;  // what the line on stderr says, before the system's reason
    } cases[] = {
        {"gif", "", {"gif", ppm, full + "/out.gif"}, "cannot write " + full + "/out.gif"},
        {"export",
         "",
         {"export", "graph", log, full + "/out.gif", "--size", "2000x2000"},
         "cannot write " + full + "/out.gif"},
        {"correct",
         "cp '" + log + "' \"$0\"/",
         {"correct", full + "/run1.txt"},
         full + "/run1.txt: cannot write " + full + "/run1_corrected.txt"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunOnSmallDisk(full, "32k", c.setup, c.args);
        if (run.exitCode == 125 || run.err.starts_with("unshare:"))
            GTEST_SKIP() << "no mount namespace here: " << run.err;
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_EQ(run.out, "") << c.what;
        EXPECT_EQ(run.err,
                  "grafolux-cli: " + c.failed.toStdString() + ": No space left on device\n")
            << c.what;
    }
}

// A cache that the disk cannot take costs only the cache: the log is read and printed.
TEST(CliFullDisk, ACacheThatCannotBeWrittenCostsOnlyTheCache) {
    QTemporaryDir temp;
    const QString full = temp.filePath("full"), log = temp.filePath("run1.txt");
    QDir().mkdir(full);
    {
        std::ofstream text(log.toStdString(), std::ios::binary);
        text << "SENSOR:RPM\tSENSOR:MAP\r\n";
        for (int i = 0; i < 20000; ++i)
            text << 800 + i * 7 % 5000 << "\t" << i % 1000 / 10.0 << "\r\n";
    }
    const CliRun bypassed = RunCli({"dump", log, "--no-cache"});
    const CliRun run = RunOnSmallDisk(full, "16k", "export XDG_CACHE_HOME=\"$0\"", {"dump", log});
    if (run.exitCode == 125 || run.err.starts_with("unshare:"))
        GTEST_SKIP() << "no mount namespace here: " << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, bypassed.out);
}

}  // namespace

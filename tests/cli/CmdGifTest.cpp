#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QByteArray kTwoPixels =
    QByteArray("P6\n# made by hand\n2 1\n255\n") + QByteArray::fromHex("FFFFFF00FF00");

struct CliResult {
    int exitCode;
    QByteArray out, err;
};

CliResult RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(GRAFOLUX_CLI, args);
    cli.waitForFinished(30000);
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

TEST(CliGif, ExitCodesAndMessages) {
    const struct {
        const char* name;
        QByteArray ppm;
        QStringList options;
        const char* target;
        int exitCode;
        const char* message;  // in the one line on stderr
    } cases[] = {
        {"cube", kTwoPixels, {}, "out.gif", 0, ""},
        {"transparent", kTwoPixels, {"--transparent", "00ff00"}, "out.gif", 0, ""},
        {"bad magic", "P3\n2 1\n255\n255 255 255 0 0 0\n", {}, "out.gif", 1, "not a binary PPM"},
        {"bad maxval", "P6\n1 1\n65535\n\1\2\3\4\5\6", {}, "out.gif", 1, "maxval 65535"},
        {"damaged header", "P6\n1\n", {}, "out.gif", 1, "damaged PPM header"},
        {"truncated", kTwoPixels.chopped(1), {}, "out.gif", 1, "truncated"},
        {"empty", "P6 0 0 255\n", {}, "out.gif", 1, "empty"},
        {"unwritable", kTwoPixels, {}, "in.ppm/out.gif", 1, "cannot write"},
        {"bad colour", kTwoPixels, {"--transparent", "0F0"}, "out.gif", 2, "RRGGBB"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QFile input(dir.filePath("in.ppm"));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly) && input.write(c.ppm) == c.ppm.size());
        input.close();
        const QString target = dir.filePath(c.target);
        const CliResult run = RunCli(QStringList{"gif", input.fileName(), target} << c.options);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        if (c.exitCode == 0) {
            EXPECT_EQ(run.err, "") << c.name;
            const QImage decoded(target, "GIF");
            EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 255, 255)) << c.name;
            EXPECT_EQ(decoded.pixel(1, 0), c.options.isEmpty() ? qRgb(0, 255, 0) : 0x0000FF00u);
        } else {
            EXPECT_TRUE(run.err.startsWith("grafolux-cli: ")) << c.name;
            EXPECT_TRUE(run.err.contains(c.message)) << c.name << ": " << run.err.toStdString();
            EXPECT_EQ(run.err.count('\n') == 1, c.exitCode == 1) << c.name;
            EXPECT_FALSE(QFile::exists(dir.filePath("out.gif"))) << c.name;
        }
    }
}

TEST(CliGif, MissingInputIsARuntimeError) {
    QTemporaryDir dir;
    const CliResult run = RunCli({"gif", dir.filePath("none.ppm"), dir.filePath("out.gif")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("grafolux-cli: cannot read ")) << run.err.toStdString();
    EXPECT_EQ(RunCli({"gif", dir.filePath("none.ppm")}).exitCode, 2);
}

}  // namespace

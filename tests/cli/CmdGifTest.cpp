
#include <QImage>
#include <optional>

#include "RunCli.h"

namespace {

// A comment may follow the magic number at once.
const QByteArray kTwoPixels = "P6# white, blue\n2 1\n255\n" + QByteArray::fromHex("FFFFFF0000FF");

TEST(CliGif, ExitCodesAndMessages) {
    const struct {
        std::optional<QByteArray> ppm;  // none: no input file
        QStringList options;
        const char* target;
        int exitCode;
        const char* message;  // within stderr
    } cases[] = {
        {kTwoPixels, {}, "out.gif", 0, ""},
        {kTwoPixels, {"--transparent", "0000ff"}, "out.gif", 0, ""},
        {"P3\n2 1\n255\n255 255 255 0 0 0\n", {}, "out.gif", 1, "not a binary PPM"},
        {"P61 1 255\n\1\2\3", {}, "out.gif", 1, "not a binary PPM"},  // "P6" glued to the width
        {"P6\n1 1\n65535\n\1\2\3\4\5\6", {}, "out.gif", 1, "maxval 65535"},
        {"P6\n1\n", {}, "out.gif", 1, "damaged PPM header"},
        {"P6\n0 899999909\n255\n", {}, "out.gif", 1, "PPM picture is empty"},
        {kTwoPixels.chopped(1), {}, "out.gif", 1, "truncated"},
        {std::nullopt, {}, "out.gif", 1, "grafolux-cli: cannot read "},
        {kTwoPixels, {}, "in.ppm/out.gif", 1, "cannot write"},
        {kTwoPixels, {"--transparent", "0F0"}, "out.gif", 2, "RRGGBB"},
        {kTwoPixels, {"--transparent"}, "out.gif", 2, "usage:"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QFile input(dir.filePath("in.ppm"));
        if (c.ppm && input.open(QIODevice::WriteOnly)) input.write(*c.ppm);
        input.close();
        const CliRun run =
            RunCli(QStringList{"gif", input.fileName(), dir.filePath(c.target)} << c.options);
        const QByteArray err = QByteArray::fromStdString(run.err);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        // Success is silent; a runtime error is one line, a usage error adds the usage text.
        EXPECT_EQ(err.startsWith("grafolux-cli: "), c.exitCode != 0) << err.toStdString();
        EXPECT_EQ(err.count('\n') == 1, c.exitCode == 1) << err.toStdString();
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
        const QImage decoded(dir.filePath("out.gif"), "GIF");
        EXPECT_EQ(decoded.isNull(), c.exitCode != 0) << c.message;
        if (c.exitCode == 0) {  // blue, transparent with the option
            EXPECT_EQ(decoded.pixel(1, 0), c.options.isEmpty() ? qRgb(0, 0, 255) : 0x000000FFu)
                << c.options.join(' ').toStdString();
        }
    }
}

}  // namespace


#include <QDir>
#include <QImage>
#include <QImageReader>

#include "RunCli.h"

namespace {

struct ExportCase {
    QStringList args;  // after "export"; LOG and OUT stand for the paths
    int exitCode;
    QSize size;  // of the written picture; 0 x 0 when nothing is written
};

TEST(CliExport, WritesTheViewAtTheDrawingSizeOrNothing) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run1.txt",
                                "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n800\t30\t128\r\n"
                                "1200\t50\t130\r\n1600\t70\t126\r\n");
    const ExportCase cases[] = {
        {{"graph", "LOG", "OUT"}, 0, {537 + 121, 289}},  // the window's default size + legend
        {{"blm", "LOG", "OUT"}, 0, {537, 289}},          // a table has no legend
        {{"graph", "LOG", "OUT", "--size", "400x300", "--item", "SENSOR:MAP", "--fill",
          "SENSOR:BLM", "--zoom", "2"},
         0,
         {400 + 121, 300}},
        {{"int", "LOG", "OUT", "--first", "-3", "--last", "99"}, 0, {537, 289}},
        {{"graph", "LOG", "OUT", "--lock", "SENSOR:EGT"}, 1, {0, 0}},
        {{"graph", "LOG", "OUT", "--item", "3"}, 0, {537 + 121, 289}},  // the last item
        {{"graph", "LOG", "OUT", "--item", "4"}, 1, {0, 0}},
        {{"graph", "missing.txt", "OUT"}, 1, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", "400"}, 2, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", " 5x 5"}, 2, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", "5x5 "}, 2, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", "+5x5"}, 2, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", "0x5"}, 2, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", "32767x32767"}, 2, {0, 0}},  // refused before drawing
        {{"graph", "LOG", "OUT", "--size", "32647x1"}, 2, {0, 0}},      // with its legend
        {{"blm", "LOG", "OUT", "--size", "32767x1"}, 0, {32767, 1}},    // a table has none
        {{"blm", "LOG", "OUT", "--item", "2"}, 2, {0, 0}},  // only the graph has an item
        {{"int", "LOG", "OUT", "--zoom", "2"}, 2, {0, 0}},
        {{"chart", "LOG", "OUT"}, 2, {0, 0}},
    };
    for (const ExportCase& c : cases) {
        const QString out = dir.filePath("view.gif");
        QFile::remove(out);
        const QStringList args =
            QStringList{"export"} + WithPaths(c.args, {{"LOG", log}, {"OUT", out}});
        const CliRun run = RunCli(args);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << "\n" << run.err;
        EXPECT_EQ(run.out, "") << what;
        EXPECT_EQ(QImage(out, "GIF").size(), c.size) << what;
        // A failure is one line (and the usage), success says nothing.
        EXPECT_EQ(run.err.empty(), c.exitCode == 0) << what << "\n" << run.err;
        if (c.exitCode == 1) {
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        }
    }
}

TEST(CliExport, ChoosesGifOrPngByTheExtensionAndRefusesAnyOtherBeforeDrawing) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run1.txt", "A\tB\r\n1\t2\r\n3\t4\r\n");
    QDir(dir.path()).mkdir("folder.png");
    WriteIn(dir, "file", "");
    const struct {
        QString out;  // in the temporary folder
        QStringList more;
        int exitCode;
        QByteArray format;  // of the picture written
        QSize size;
    } cases[] = {
        {"view.png", {}, 0, "png", {537 + 121, 289}},
        {"view.PNG", {}, 0, "png", {537 + 121, 289}},
        {"view.Gif", {}, 0, "gif", {537 + 121, 289}},
        {"view.png", {"--size", "32647x1"}, 0, "png", {32768, 1}},  // beyond a GIF's sides
        {"view.jpg", {}, 2, "", {}},
        {"view", {}, 2, "", {}},
        {"view.png.txt", {}, 2, "", {}},
        {"folder.png", {}, 1, "", {}},
        {"file/view.png", {}, 1, "", {}},
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const auto& c : cases) {
        const QString out = dir.filePath(c.out);
        const CliRun run = RunCli(QStringList{"export", "graph", log, out} + c.more);
        const std::string what = (c.out + " " + c.more.join(' ')).toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << "\n" << run.err;
        if (c.exitCode == 0) {
            QImageReader picture(out);
            EXPECT_EQ(picture.format(), c.format) << what;
            EXPECT_EQ(picture.size(), c.size) << what;
            QFile::remove(out);
        } else if (c.exitCode == 1) {
            EXPECT_EQ(LineCount(run.err), 1) << run.err;
        } else {
            EXPECT_TRUE(
                run.err.starts_with("grafolux-cli: the picture's name must end in .gif or "
                                    ".png: " +
                                    out.toStdString() + "\nusage:"))
                << run.err;
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before)
            << what;
    }
    // Refused before the log is even read.
    EXPECT_EQ(RunCli({"export", "graph", dir.filePath("missing.txt"), "view.jpg"}).exitCode, 2);
}

// Values near ±1e308 are labelled in exponent form: a label too wide for its box would run to
// the picture's left edge (a value label) or its right edge (the legend's lines).
TEST(CliExport, HugeValuesLabelledWithinTheirBoxes) {
    QTemporaryDir dir;
    const QString out = dir.filePath("huge.png");
    const QString log =
        WriteIn(dir, "huge.txt",
                "P\tN\tPN\r\n0\t-1E+308\t1E+308\r\n1E+308\t0\t-1E+308\r\n5E+307\t-5E+307\t0\r\n");
    ASSERT_EQ(RunCli({"export", "graph", log, out, "--lock", "N", "--lock", "PN"}).exitCode, 0);
    const QImage picture(out);
    int left = picture.width(), right = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == qRgb(0, 255, 255)) {  // the labels' colour
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(left, 1);
    EXPECT_LT(right, picture.width() - 2);
}

// The command never needs a display: a windowing platform without one is no reason to fail,
// and Qt's own complaints (no runtime folder) stay off stderr.
TEST(CliExport, DrawsWithoutADisplayAndWithoutQtChatter) {
    QTemporaryDir dir;
    const QString log = WriteIn(dir, "run1.txt", "A\tB\r\n1\t2\r\n3\t4\r\n"),
                  out = dir.filePath("view.gif");
    const std::map<QString, QString> noDisplay = {{"QT_QPA_PLATFORM", "xcb"},
                                                  {"DISPLAY", ""},
                                                  {"WAYLAND_DISPLAY", ""},
                                                  {"XDG_RUNTIME_DIR", ""}};
    const CliRun drawn = RunCli({"export", "graph", log, out}, {}, noDisplay);
    EXPECT_EQ(drawn.exitCode, 0);
    EXPECT_EQ(drawn.err, "");
    EXPECT_EQ(QImage(out, "GIF").size(), QSize(537 + 121, 289));
    const CliRun usage = RunCli({"export", "graph", log}, {}, noDisplay);
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.starts_with("grafolux-cli: wrong number of arguments\nusage:"))
        << usage.err;
    for (const QStringList& args :
         {QStringList{"dump", ""}, QStringList{"gif", "", out}, QStringList{"correct", ""}}) {
        const CliRun empty = RunCli(args, {}, noDisplay);
        EXPECT_EQ(empty.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(LineCount(empty.err), 1) << empty.err;
    }
}

}  // namespace

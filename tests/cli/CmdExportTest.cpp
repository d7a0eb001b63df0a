#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <fstream>

#include "RunCli.h"

namespace {

struct ExportCase {
    QStringList args;  // after "export"; LOG and OUT stand for the paths
    int exitCode;
    QSize size;  // of the written picture; 0 x 0 when nothing is written
};

TEST(CliExport, WritesTheViewAtTheDrawingSizeOrNothing) {
    QTemporaryDir dir;
    const QString log = dir.filePath("run1.txt");
    std::ofstream(log.toStdString(), std::ios::binary)
        << "SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n800\t30\t128\r\n1200\t50\t130\r\n"
           "1600\t70\t126\r\n";
    const ExportCase cases[] = {
        {{"graph", "LOG", "OUT"}, 0, {537 + 121, 289}},  // the window's design size + legend
        {{"blm", "LOG", "OUT"}, 0, {537, 289}},          // a table has no legend
        {{"graph", "LOG", "OUT", "--size", "400x300", "--item", "SENSOR:MAP", "--fill",
          "SENSOR:BLM", "--zoom", "2"},
         0,
         {400 + 121, 300}},
        {{"int", "LOG", "OUT", "--first", "-3", "--last", "99"}, 0, {537, 289}},
        {{"graph", "LOG", "OUT", "--lock", "SENSOR:EGT"}, 1, {0, 0}},
        {{"graph", "LOG", "OUT", "--item", "4"}, 1, {0, 0}},
        {{"graph", "missing.txt", "OUT"}, 1, {0, 0}},
        {{"graph", "LOG", "OUT", "--size", "400"}, 2, {0, 0}},
        {{"chart", "LOG", "OUT"}, 2, {0, 0}},
    };
    for (const ExportCase& c : cases) {
        const QString out = dir.filePath("view.gif");
        QFile::remove(out);
        QStringList args{"export"};
        for (const QString& word : c.args) args << (word == "LOG" ? log : word == "OUT" ? out : word);
        const CliRun run = RunCli(args);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << "\n" << run.err;
        EXPECT_EQ(run.out, "") << what;
        EXPECT_EQ(QImage(out, "GIF").size(), c.size) << what;
    }
}

}  // namespace

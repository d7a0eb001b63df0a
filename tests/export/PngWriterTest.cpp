// PNG pictures: every colour kept, and a failed save that leaves everything as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "export/PngWriter.h"
#include "support/FileSizeLimit.h"

namespace grafolux {
namespace {

QImage Noise(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int n = 0; n < width * height; ++n)
        picture.setPixel(n % width, n / width, n * 2654435761u);
    return picture;
}

TEST(SavePng, ReplacesTheFileWithEveryColourOfThePicture) {
    QTemporaryDir dir;
    const QString path = dir.filePath("view.png");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old picture") == 11);
    old.close();
    const QImage picture = Noise(301, 97);
    QString error;
    ASSERT_TRUE(SavePng(picture, path, &error)) << error.toStdString();
    EXPECT_EQ(QImage(path, "PNG").convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"view.png"});
}

TEST(SavePng, FailureSaysWhyAndLeavesTheOldFileAsItWas) {
    const struct {
        const char* what;
        QImage picture;
        const char* target;  // "old" is there beforehand, "dir" is a folder
        rlim_t sizeLimit;    // for a full disk
        const char* reason;  // within the error
    } cases[] = {
        {"empty picture", QImage(), "old", RLIM_INFINITY, "the picture is empty"},
        {"full disk", Noise(400, 300), "old", 1000, "File too large"},
        {"a folder", Noise(4, 3), "dir", RLIM_INFINITY, "cannot write"},
        {"below a file", Noise(4, 3), "old/new.png", RLIM_INFINITY, "Not a directory"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("dir");
        QFile old(dir.filePath("old"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old picture") == 11);
        old.close();
        QString error;
        {
            const FileSizeLimit limit(c.sizeLimit);
            EXPECT_FALSE(SavePng(c.picture, dir.filePath(c.target), &error)) << c.what;
        }
        EXPECT_TRUE(error.contains(c.reason)) << c.what << ": " << error.toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old picture") << c.what;
        old.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList({"dir", "old"}))
            << c.what;
    }
}

}  // namespace
}  // namespace grafolux

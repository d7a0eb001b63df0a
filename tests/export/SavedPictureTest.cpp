// Pictures saved as GIF or PNG: a PNG keeps every colour, and a failed save of either says why
// and leaves everything as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <functional>

#include "export/GifEncoder.h"
#include "export/PngWriter.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

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
    WriteBytes(path.toStdString(), "old picture");
    const QImage picture = Noise(301, 97);
    QString error;
    ASSERT_TRUE(SavePng(picture, path, &error)) << error.toStdString();
    EXPECT_EQ(QImage(path, "PNG").convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"view.png"});
}

using Save = std::function<bool(const QImage&, const QString&, QString*)>;

TEST(SavedPicture, FailureSaysWhyAndLeavesTheOldFileAsItWas) {
    const Save gif = [](const QImage& picture, const QString& path, QString* error) {
        GIF encoder;
        const bool saved = encoder.SaveGIF(picture, path, false, 0, error);
        EXPECT_FALSE(encoder.blnBusy);  // a failure does not block the next save
        return saved;
    };
    const std::pair<const char*, Save> formats[] = {{"GIF", gif}, {"PNG", SavePng}};
    const struct {
        const char* what;
        QImage picture;
        const char* target;  // "old" is there beforehand, "dir" is a folder
        rlim_t sizeLimit;    // for a full disk
        const char* reason;  // within the error
        bool gifOnly;
    } cases[] = {
        {"too wide", QImage(32768, 1, QImage::Format_Indexed8), "old", RLIM_INFINITY, "32767",
         true},
        {"too high", QImage(1, 32768, QImage::Format_Indexed8), "old", RLIM_INFINITY, "32767",
         true},
        {"empty", QImage(), "old", RLIM_INFINITY, "empty", false},
        {"full disk", Noise(400, 300), "old", 1000, "File too large", false},
        {"folder", Noise(400, 300), "dir", RLIM_INFINITY, "cannot write", false},
        {"parent is a file", Noise(4, 3), "old/new", RLIM_INFINITY, "Not a directory", false},
    };
    for (const auto& [format, save] : formats) {
        for (const auto& c : cases) {
            if (c.gifOnly && format != std::string("GIF")) continue;
            const std::string what = std::string(format) + ", " + c.what;
            QTemporaryDir dir;
            QDir(dir.path()).mkdir("dir");
            WriteBytes(dir.filePath("old").toStdString(), "old picture");
            QString error;
            {
                const FileSizeLimit limit(c.sizeLimit);
                EXPECT_FALSE(save(c.picture, dir.filePath(c.target), &error)) << what;
            }
            EXPECT_TRUE(error.contains(c.reason)) << what << ": " << error.toStdString();
            EXPECT_EQ(ReadAll(dir.filePath("old")), "old picture") << what;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                      QStringList({"dir", "old"}))
                << what;
        }
    }
}

}  // namespace
}  // namespace grafolux

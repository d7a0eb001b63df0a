// Every picture in tests/data/gif (.ppm or .png) is encoded and compared byte for byte with the
// .gif of the same name; a .transparent file beside it holds the transparent colour, RRGGBB.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "export/GifEncoder.h"

namespace grafolux {
namespace {

const QDir kGolden(TEST_DATA_DIR "/gif");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> Pictures() {
    std::vector<std::string> names;
    for (const QString& name : kGolden.entryList({"*.ppm", "*.png"}, QDir::Files))
        names.push_back(name.toStdString());
    return names;
}

class GoldenGif : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenGif, MatchesExpectedBytes) {
    const QFileInfo input(kGolden.filePath(QString::fromStdString(GetParam())));
    const QString stem = kGolden.filePath(input.completeBaseName());
    const QByteArray transparent = ReadAll(stem + ".transparent").trimmed();
    const uint32_t rgb = transparent.toUInt(nullptr, 16);

    QTemporaryDir dir;
    GIF encoder;
    ASSERT_TRUE(encoder.SaveGIF(QImage(input.filePath()), dir.filePath("out.gif"),
                                !transparent.isEmpty(),
                                RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)));
    const QByteArray expected = ReadAll(stem + ".gif");
    ASSERT_FALSE(expected.isEmpty()) << "no " << stem.toStdString() << ".gif";
    EXPECT_EQ(ReadAll(dir.filePath("out.gif")).toHex(), expected.toHex());
}

INSTANTIATE_TEST_SUITE_P(Pictures, GoldenGif, ::testing::ValuesIn(Pictures()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

}  // namespace
}  // namespace grafolux

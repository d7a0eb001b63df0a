// Each picture in tests/data/gif (.ppm, .png) is encoded and compared byte for byte with the
// .gif of its name; a .transparent file beside it holds the transparent colour as RRGGBB.

#include <QDir>
#include <QRegularExpression>

#include "export/GifEncoder.h"
#include "support/Golden.h"
#include "support/TestFiles.h"

namespace grafolux {
namespace {

const QDir kGolden(TEST_DATA_DIR "/gif");

class GoldenGif : public ::testing::TestWithParam<QString> {};

TEST_P(GoldenGif, MatchesExpectedBytes) {
    const QString stem = kGolden.filePath(QFileInfo(GetParam()).completeBaseName());
    const QByteArray transparent = ReadAll(stem + ".transparent").trimmed();
    const uint32_t rgb = transparent.toUInt(nullptr, 16);
    QTemporaryDir dir;
    ASSERT_TRUE(GIF().SaveGIF(QImage(kGolden.filePath(GetParam())), dir.filePath("out.gif"),
                              !transparent.isEmpty(), RGB(rgb >> 16, (rgb >> 8) & 255, rgb & 255)));
    EXPECT_TRUE(::test::SameAsGoldenBytes(ReadAll(dir.filePath("out.gif")), stem + ".gif"));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, GoldenGif, ::testing::ValuesIn(kGolden.entryList({"*.ppm", "*.png"}, QDir::Files)),
    [](const auto& info) {
        return QString(info.param).replace(QRegularExpression("\\W"), "_").toStdString();
    });

}  // namespace
}  // namespace grafolux

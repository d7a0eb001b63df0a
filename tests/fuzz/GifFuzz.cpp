// The GIF encoder on small pictures of any pixels: Qt's GIF reader must give back every pixel,
// as the palette entry it was coded as (the picture's own for 8-bit indexed pictures, the
// nearest of the colour cube for any other), and the transparent entry as transparent.
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdlib>

#include "FuzzKit.h"
#include "export/GifEncoder.h"
#include "export/GifPalette.h"

using namespace grafolux;

namespace {

QImage MakePicture(fuzz::FuzzInput& input) {
    const int width = input.Byte() % 40 + 1, height = input.Byte() % 40 + 1;
    const uint8_t kind = input.Byte();
    if (kind % 2 == 0) {
        QImage picture(width, height, QImage::Format_Indexed8);
        QList<QRgb> table(input.Byte() + 1);
        for (QRgb& colour : table) colour = qRgb(input.Byte(), input.Byte(), input.Byte());
        picture.setColorTable(table);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) picture.scanLine(y)[x] = input.Byte();
        return picture;
    }
    QImage picture(width, height, kind % 4 == 1 ? QImage::Format_RGB32 : QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(input.Byte(), input.Byte(), input.Byte()));
    return picture;
}

// The palette entry a pixel is coded as.
uint8_t IndexOf(const QImage& picture, int x, int y) {
    if (picture.format() == QImage::Format_Indexed8) return picture.constScanLine(y)[x];
    const QRgb rgb = picture.pixel(x, y);
    return CubeIndex(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void CheckCubeIsNearest(QRgb wanted, const GifPalette& cube, uint8_t index) {
    FUZZ_CHECK(index < 125);
    FUZZ_CHECK(std::abs(cube[3 * index] - qRed(wanted)) <= 32);
    FUZZ_CHECK(std::abs(cube[3 * index + 1] - qGreen(wanted)) <= 32);
    FUZZ_CHECK(std::abs(cube[3 * index + 2] - qBlue(wanted)) <= 32);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath("picture.gif");
    fuzz::FuzzInput input(data, size);
    const bool useTrans = input.Byte() % 2 == 1;
    const Colour transColor = RGB(input.Byte(), input.Byte(), input.Byte());
    const QImage picture = MakePicture(input);

    GIF encoder;
    QString error;
    FUZZ_CHECK(encoder.SaveGIF(picture, path, useTrans, transColor, &error) && error.isEmpty());
    FUZZ_CHECK(!encoder.blnBusy);
    QImageReader reader(path, "gif");
    const QImage decoded = reader.read();
    FUZZ_CHECK(!decoded.isNull() && decoded.size() == picture.size());

    GifPalette palette = ColourCube();
    if (picture.format() == QImage::Format_Indexed8) {
        palette.fill(0);
        for (int n = 0; n < picture.colorCount(); ++n) {
            const QRgb colour = picture.color(n);
            palette[3 * n] = static_cast<uint8_t>(qRed(colour));
            palette[3 * n + 1] = static_cast<uint8_t>(qGreen(colour));
            palette[3 * n + 2] = static_cast<uint8_t>(qBlue(colour));
        }
    }
    const uint8_t transIndex = PaletteIndexOf(palette, transColor);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const uint8_t index = IndexOf(picture, x, y);
            if (picture.format() != QImage::Format_Indexed8)
                CheckCubeIsNearest(picture.pixel(x, y), palette, index);
            const QRgb got = decoded.pixel(x, y);
            if (useTrans && index == transIndex) {
                FUZZ_CHECK(qAlpha(got) == 0);
                continue;
            }
            FUZZ_CHECK(qAlpha(got) == 255);
            FUZZ_CHECK(got ==
                       qRgb(palette[3 * index], palette[3 * index + 1], palette[3 * index + 2]));
        }
    QFile::remove(path);
    return 0;
}

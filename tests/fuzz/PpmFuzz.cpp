// The PPM reader on any bytes: a picture comes only from a P6 header whose pixels are all
// there, holds exactly those pixels, and survives being written out and read again.
#include <QByteArray>
#include <variant>

#include "FuzzKit.h"
#include "export/PpmReader.h"

using namespace grafolux;

namespace {

QByteArray PixelBytes(const QImage& image) {
    QByteArray pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            pixels.append(static_cast<char>(qRed(rgb)));
            pixels.append(static_cast<char>(qGreen(rgb)));
            pixels.append(static_cast<char>(qBlue(rgb)));
        }
    return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto result = ParsePpm(bytes);
    if (const auto* why = std::get_if<std::string>(&result)) {
        FUZZ_CHECK(!why->empty() && why->find('\n') == std::string::npos);
        return 0;
    }
    const QImage& image = std::get<QImage>(result);
    FUZZ_CHECK(bytes.startsWith("P6 ") || bytes.startsWith("P6\n") || bytes.startsWith("P6\r") ||
               bytes.startsWith("P6\t") || bytes.startsWith("P6#") || bytes.startsWith("P6\v") ||
               bytes.startsWith("P6\f"));
    FUZZ_CHECK(!image.isNull() && image.width() > 0 && image.height() > 0);
    const QByteArray pixels = PixelBytes(image);
    constexpr qsizetype kShortestHeader = 11;  // "P6 1 1 255 "
    FUZZ_CHECK(pixels.size() <= bytes.size() - kShortestHeader);
    FUZZ_CHECK(bytes.indexOf(pixels, kShortestHeader) >= 0);

    const QByteArray header = "P6\n" + QByteArray::number(image.width()) + " " +
                              QByteArray::number(image.height()) + "\n255\n";
    const auto again = ParsePpm(header + pixels);
    FUZZ_CHECK(std::holds_alternative<QImage>(again));
    FUZZ_CHECK(PixelBytes(std::get<QImage>(again)) == pixels);
    FUZZ_CHECK(std::get<QImage>(again).size() == image.size());
    FUZZ_CHECK(std::holds_alternative<std::string>(ParsePpm(header + pixels.chopped(1))));
    return 0;
}

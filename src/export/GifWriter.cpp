#include "export/GifWriter.h"

#include <vector>

#include "export/GifLzw.h"
#include "export/GifPalette.h"
#include "logdata/Rounding.h"

namespace grafolux {

namespace {

constexpr int kLargestSide = 32767;  // sizes are stored as signed 16-bit numbers
constexpr size_t kWriteChunk = 1 << 15;

void PutWord(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

// Everything up to the first byte of image data.
void PutHeader(std::vector<uint8_t>& out, int width, int height, const GifPalette& palette,
               bool useTrans, uint8_t transIndex) {
    const char* signature = useTrans ? "GIF89a" : "GIF87a";
    out.insert(out.end(), signature, signature + 6);
    PutWord(out, width);
    PutWord(out, height);
    out.insert(out.end(), {0xF7, 0x00, 0x00});  // 256-entry global table, background 0
    out.insert(out.end(), palette.begin(), palette.end());
    if (useTrans)  // restore to background, transparent index set, no delay
        out.insert(out.end(), {0x21, 0xF9, 0x04, 0x09, 0x00, 0x00, transIndex, 0x00});
    out.push_back(0x2C);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, width);
    PutWord(out, height);
    out.insert(out.end(), {0x07, 0x08});  // no local table, not interlaced; 8-bit pixels
}

bool WriteOut(QIODevice& out, std::vector<uint8_t>& bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    const bool written = out.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
    bytes.clear();
    return written;
}

}  // namespace

QString GifSizeProblem(QSize size) {
    if (size.width() <= 0 || size.height() <= 0) return QStringLiteral("the picture is empty");
    if (size.width() > kLargestSide || size.height() > kLargestSide)
        return QStringLiteral("a GIF is at most %1 pixels wide and high, not %2 x %3")
            .arg(kLargestSide)
            .arg(size.width())
            .arg(size.height());
    return {};
}

bool WriteGif(const QImage& pic, QIODevice& out, bool useTrans, Colour transColor,
              const std::function<void(int)>& progress, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (const QString problem = GifSizeProblem(pic.size()); !problem.isEmpty())
        return fail(problem);
    const int lngWidth = pic.width(), lngHeight = pic.height();
    IndexedRows rows(pic);

    std::vector<uint8_t> bytes;
    bytes.reserve(2 * kWriteChunk);
    PutHeader(bytes, lngWidth, lngHeight, rows.bytPalette(), useTrans,
              PaletteIndexOf(rows.bytPalette(), transColor));
    LzwRowCoder coder(bytes);
    for (int y = 1; y <= lngHeight; ++y) {
        coder.CodeRow(rows.row(y - 1), lngWidth);
        if (bytes.size() >= kWriteChunk && !WriteOut(out, bytes)) return fail(out.errorString());
        if (y % 10 == 0 && progress) progress(RoundInteger(y * 100.0 / lngHeight));
    }
    coder.Finish();
    bytes.push_back(0x3B);
    if (!WriteOut(out, bytes)) return fail(out.errorString());
    return true;
}

}  // namespace grafolux

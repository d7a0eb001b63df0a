#include <gtest/gtest.h>

#include "export/GifEncoder.h"
#include "export/GifPalette.h"
#include "support/TestFiles.h"

namespace grafolux {
namespace {

constexpr int kAfterPalette = 13 + 768;

// Indices beyond the palette are black to the encoder and to the reader.
QImage Indexed(int width, const std::vector<uint8_t>& indices, QList<QRgb> palette = {0}) {
    QImage pic(width, static_cast<int>(indices.size()) / width, QImage::Format_Indexed8);
    pic.setColorTable(palette);
    for (int y = 0; y < pic.height(); ++y)
        std::copy_n(indices.begin() + y * width, width, pic.scanLine(y));
    return pic;
}

std::string Hex(const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); }

// The bytes of `pic` encoded. That Qt's reader gets every pixel back is the fuzz target's check.
QByteArray Encode(const QImage& pic, bool useTrans = false, Colour transColor = 0) {
    QTemporaryDir dir;
    EXPECT_TRUE(GIF().SaveGIF(pic, dir.filePath("out.gif"), useTrans, transColor));
    return ReadAll(dir.filePath("out.gif"));
}

// The sub-blocks of image data with their counts and terminator.
QByteArray ImageData(const QByteArray& gif) {
    const int start = kAfterPalette + (gif[kAfterPalette] == '\x21' ? 8 : 0) + 11;
    return gif.mid(start, gif.size() - 1 - start);
}

std::vector<int> Codes(const QByteArray& gif) {
    const QByteArray blocks = ImageData(gif);
    QByteArray data;
    for (int at = 0; blocks[at] != 0; at += 1 + uint8_t(blocks[at]))
        data += blocks.mid(at + 1, uint8_t(blocks[at]));
    std::vector<int> codes(data.size() * 8 / 9);
    for (size_t bit = 0; bit < codes.size() * 9; ++bit)
        codes[bit / 9] |= ((data[bit / 8] >> (bit % 8)) & 1) << (bit % 9);
    return codes;
}

TEST(SaveGIF, DataBytesOfSmallRows) {
    EXPECT_EQ(Hex(ImageData(Encode(Indexed(1, {0})))), "04 00 01 04 04 00");
    EXPECT_EQ(Hex(ImageData(Encode(Indexed(3, {5, 5, 5})))), "05 00 0b 08 0c 08 00");
}

TEST(SaveGIF, ClearsTableAfterItsLastEntry) {
    std::vector<uint8_t> row(300);  // no pair of neighbours repeats: every code is one pixel
    for (size_t x = 0; x < row.size(); ++x) row[x] = static_cast<uint8_t>(x % 256);
    const std::vector<int> codes = Codes(Encode(Indexed(300, row)));
    ASSERT_GT(codes.size(), 257u);
    EXPECT_EQ(std::vector<int>(codes.begin() + 253, codes.begin() + 258),
              (std::vector<int>{252, 253, 256, 254, 255}));
}

TEST(SaveGIF, HeaderAndTransparency) {
    QImage pic(3, 2, QImage::Format_RGB888);
    pic.fill(Qt::white);
    pic.setPixel(1, 1, qRgb(255, 0, 0));
    const struct {
        const char* name;
        bool useTrans;
        Colour colour;
        std::string control;  // the graphic control extension, if any
    } cases[] = {
        {"opaque", false, RGB(255, 0, 0), ""},
        {"red transparent", true, RGB(255, 0, 0), "21 f9 04 09 00 00 04 00 "},
        {"a colour not in the picture: entry 0", true, RGB(1, 2, 3), "21 f9 04 09 00 00 00 00 "}};
    for (const auto& c : cases) {
        const QByteArray gif = Encode(pic, c.useTrans, c.colour);
        EXPECT_EQ(gif.left(13),
                  (c.useTrans ? "GIF89a" : "GIF87a") + QByteArray("\3\0\2\0\xF7\0\0", 7))
            << c.name;
        EXPECT_EQ(Hex(gif.mid(kAfterPalette, c.useTrans ? 19 : 11)),
                  c.control + "2c 00 00 00 00 03 00 02 00 07 08")
            << c.name;
        EXPECT_EQ(Hex(gif.right(2)), "00 3b") << c.name;
    }
}

TEST(CubeIndex, NearestLevelPerChannel) {
    const struct {
        int r, g, b, index;
    } cases[] = {{255, 255, 255, 124}, {0, 0, 0, 0},        {255, 0, 0, 4},    {0, 0, 255, 100},
                 {31, 32, 33, 25},     {96, 160, 224, 112}, {223, 191, 97, 68}};
    for (const auto& c : cases)
        EXPECT_EQ(CubeIndex(c.r, c.g, c.b), c.index) << c.r << "," << c.g << "," << c.b;
    const QByteArray cube(reinterpret_cast<const char*>(ColourCube().data()), 768);
    EXPECT_EQ(Hex(cube.mid(3 * 123, 9)), "c0 ff ff ff ff ff 00 00 00");  // 123, white, black
}

TEST(SaveGIF, IndexedPictureKeepsPaletteAndIndices) {
    const QList<QRgb> palette = {qRgb(10, 20, 30), qRgb(200, 100, 7), qRgb(10, 20, 30)};
    const QByteArray gif = Encode(Indexed(3, {2, 1, 0}, palette), true, RGB(10, 20, 30));
    EXPECT_EQ(Hex(gif.mid(13, 12)), "0a 14 1e c8 64 07 0a 14 1e 00 00 00");
    EXPECT_EQ(gif[kAfterPalette + 6], 0);  // the first entry of the colour
    EXPECT_EQ(Codes(gif), (std::vector<int>{256, 2, 1, 0, 257}));
}

TEST(SaveGIF, ProgressEveryTenthRowAndRefusesSecondCall) {
    const std::map<int, std::vector<int>> percents = {
        {25, {40, 80}},
        {30, {33, 67, 100}},
        {9, {}},
        {80, {12, 25, 38, 50, 62, 75, 88, 100}}};  // halves go to the even neighbour
    QTemporaryDir dir;
    for (const auto& [height, expected] : percents) {
        GIF encoder;
        std::vector<int> seen;
        encoder.Progress = [&](int percent) {
            seen.push_back(percent);
            EXPECT_FALSE(
                encoder.SaveGIF(QImage(1, 1, QImage::Format_RGB32), dir.filePath("b"), 0, 0))
                << "height " << height;
        };
        ASSERT_TRUE(
            encoder.SaveGIF(QImage(4, height, QImage::Format_RGB32), dir.filePath("a"), 0, 0))
            << "height " << height;
        EXPECT_EQ(seen, expected) << "height " << height;
        EXPECT_FALSE(encoder.blnBusy) << "height " << height;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("b")));
}

}  // namespace
}  // namespace grafolux

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <map>
#include <random>

#include "GifFileParts.h"
#include "export/GifEncoder.h"

namespace grafolux {
namespace {

using testing::Codes;
using testing::ImageData;

// Indices beyond the palette are black to the encoder and to the reader.
QImage Indexed(int width, int height, const std::vector<uint8_t>& indices,
               QList<QRgb> palette = {qRgb(0, 0, 0)}) {
    QImage pic(width, height, QImage::Format_Indexed8);
    pic.setColorTable(palette);
    for (int y = 0; y < height; ++y)
        std::copy_n(indices.begin() + y * width, width, pic.scanLine(y));
    return pic;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where a real decoder does not get back the palette colour of a pixel, or "".
std::string FirstMismatch(const QImage& pic, const QByteArray& gif, const QImage& decoded) {
    if (decoded.size() != pic.size()) return "decoded size differs";
    const auto* palette = reinterpret_cast<const uint8_t*>(gif.constData()) + 13;
    const int transIndex = testing::HasControlExtension(gif)
                               ? static_cast<uint8_t>(gif[testing::kControlExtensionAt + 6])
                               : -1;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            const int n = testing::ExpectedIndex(pic, x, y);
            const QRgb got = decoded.pixel(x, y);
            if ((got & RGB_MASK) !=
                    (qRgb(palette[3 * n], palette[3 * n + 1], palette[3 * n + 2]) & RGB_MASK) ||
                (qAlpha(got) == 0) != (n == transIndex))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    return "";
}

QByteArray Encode(const QImage& pic, bool useTrans = false, Colour transColor = 0) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.gif");
    GIF encoder;
    QString error;
    EXPECT_TRUE(encoder.SaveGIF(pic, path, useTrans, transColor, &error)) << error.toStdString();
    const QByteArray gif = ReadAll(path);
    EXPECT_EQ(FirstMismatch(pic, gif, QImage(path, "GIF")), "");
    return gif;
}

std::string Hex(const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); }

TEST(SaveGIF, DataBytesOfSmallRows) {
    const struct {
        QImage pic;
        QByteArray data;
    } cases[] = {
        {Indexed(1, 1, {0}), QByteArray::fromHex("040001040400")},
        {Indexed(3, 1, {5, 5, 5}), QByteArray::fromHex("05000B080C0800")},
    };
    for (const auto& c : cases) EXPECT_EQ(Hex(ImageData(Encode(c.pic))), Hex(c.data));
}

TEST(SaveGIF, ClearsTableAfterItsLastEntry) {
    // No pair of neighbours repeats before the table is full, so every code is one pixel.
    std::vector<uint8_t> row(300);
    for (size_t x = 0; x < row.size(); ++x) row[x] = static_cast<uint8_t>(x % 256);
    const std::vector<int> codes = Codes(Encode(Indexed(300, 1, row)));
    ASSERT_GT(codes.size(), 257u);
    EXPECT_EQ(codes[0], 256);
    EXPECT_EQ(codes[254], 253);  // the 254th code still belongs to the full table
    EXPECT_EQ(codes[255], 256);
    EXPECT_EQ(codes[256], 254);
}

// The coding rules written out plainly: (code, pixel) to code, emptied at every clear.
std::vector<int> PlainCodes(const QImage& indexed) {
    std::vector<int> codes;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* p = indexed.constScanLine(y);
        std::map<std::pair<int, int>, int> table;
        codes.push_back(256);
        int k = p[0];
        for (int x = 1; x < indexed.width(); ++x) {
            if (const auto longer = table.find({k, p[x]}); longer != table.end()) {
                k = longer->second;
                continue;
            }
            codes.push_back(k);
            if (table.size() == 253) {
                codes.push_back(256);
                table.clear();
            } else {
                table[{k, p[x]}] = 258 + static_cast<int>(table.size());
            }
            k = p[x];
        }
        codes.push_back(k);
    }
    codes.push_back(257);
    return codes;
}

// Runs of a few colours, repeating patterns like a grid, and one colour across many clears.
TEST(SaveGIF, RunsCodeAsPlainLzwDoes) {
    std::mt19937 random(12345);
    const auto runs = [&](int width, int height, int colours, int longest) {
        std::vector<uint8_t> pixels;
        while (pixels.size() < size_t(width * height))
            pixels.insert(pixels.end(), 1 + random() % longest, uint8_t(random() % colours));
        pixels.resize(width * height);
        return Indexed(width, height, pixels);
    };
    std::vector<uint8_t> grid(3000 * 4);
    for (size_t x = 0; x < grid.size(); ++x) grid[x] = x % 80 == 0 ? 7 : (x % 997 < 3 ? 9 : 0);
    for (const QImage& pic :
         {runs(700, 6, 3, 40), runs(3000, 3, 5, 400), runs(500, 4, 200, 3), Indexed(3000, 4, grid),
          Indexed(32767, 1, std::vector<uint8_t>(32767, 4))})
        EXPECT_EQ(Codes(Encode(pic)), PlainCodes(pic)) << pic.width() << " x " << pic.height();
}

TEST(SaveGIF, CodesStayBelow511OnLongRuns) {
    QImage pic(3000, 3, QImage::Format_RGB32);
    pic.fill(Qt::black);
    for (int code : Codes(Encode(pic))) ASSERT_LT(code, 511);
}

TEST(SaveGIF, HeaderAndTransparency) {
    QImage pic(3, 2, QImage::Format_RGB32);
    pic.fill(Qt::white);
    pic.setPixel(1, 1, qRgb(255, 0, 0));
    const struct {
        bool useTrans;
        Colour colour;
        QByteArray afterPalette;
    } cases[] = {
        {false, RGB(255, 255, 255), QByteArray::fromHex("2C000000000300020007 08")},
        {true, RGB(255, 0, 0), QByteArray::fromHex("21F904090000 0400 2C000000000300020007 08")},
        {true, RGB(255, 255, 255),
         QByteArray::fromHex("21F904090000 7C00 2C000000000300020007 08")},
        {true, RGB(1, 2, 3), QByteArray::fromHex("21F904090000 0000 2C000000000300020007 08")},
    };
    for (const auto& c : cases) {
        const QByteArray gif = Encode(pic, c.useTrans, c.colour);
        EXPECT_EQ(Hex(gif.left(13)), Hex(QByteArray(c.useTrans ? "GIF89a" : "GIF87a") +
                                         QByteArray::fromHex("03000200F70000")));
        EXPECT_EQ(Hex(gif.mid(781, c.afterPalette.size())), Hex(c.afterPalette));
        EXPECT_EQ(Hex(gif.right(2)), "00 3b");
    }
}

TEST(CubeIndex, NearestLevelPerChannel) {
    const struct {
        int r, g, b, index;
    } cases[] = {
        {255, 255, 255, 124}, {0, 0, 0, 0},        {255, 0, 0, 4},     {0, 0, 255, 100},
        {31, 32, 33, 25},     {96, 160, 224, 112}, {223, 191, 97, 68},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CubeIndex(c.r, c.g, c.b), c.index) << c.r << "," << c.g << "," << c.b;
    const GifPalette& cube = ColourCube();
    EXPECT_EQ(Hex(QByteArray(reinterpret_cast<const char*>(&cube[3 * 123]), 9)),
              "c0 ff ff ff ff ff 00 00 00");  // entry 123, white, then black
}

TEST(SaveGIF, IndexedPictureKeepsPaletteAndIndices) {
    const QList<QRgb> palette = {qRgb(10, 20, 30), qRgb(200, 100, 7), qRgb(10, 20, 30)};
    const QByteArray gif = Encode(Indexed(3, 1, {2, 1, 0}, palette), true, RGB(10, 20, 30));
    EXPECT_EQ(Hex(gif.mid(13, 12)), "0a 14 1e c8 64 07 0a 14 1e 00 00 00");
    EXPECT_EQ(static_cast<uint8_t>(gif[testing::kControlExtensionAt + 6]), 0);  // the first one
    EXPECT_EQ(Codes(gif), (std::vector<int>{256, 2, 1, 0, 257}));
}

TEST(SaveGIF, ProgressEveryTenthRow) {
    const struct {
        int height;
        std::vector<int> percents;
    } cases[] = {
        {25, {40, 80}},
        {30, {33, 67, 100}},
        {80, {12, 25, 38, 50, 62, 75, 88, 100}},  // halves go to the even neighbour
        {9, {}},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        GIF encoder;
        std::vector<int> seen;
        encoder.Progress = [&](int percents) { seen.push_back(percents); };
        ASSERT_TRUE(encoder.SaveGIF(QImage(4, c.height, QImage::Format_RGB32),
                                    dir.filePath("p.gif"), false, 0));
        EXPECT_EQ(seen, c.percents) << "height " << c.height;
    }
}

TEST(SaveGIF, SecondCallWhileBusyIsRefused) {
    QTemporaryDir dir;
    GIF encoder;
    QImage pic(2, 20, QImage::Format_RGB32);
    pic.fill(Qt::blue);
    std::vector<bool> nested;
    encoder.Progress = [&](int) {
        nested.push_back(encoder.SaveGIF(pic, dir.filePath("b.gif"), false, 0));
    };
    EXPECT_TRUE(encoder.SaveGIF(pic, dir.filePath("a.gif"), false, 0));
    EXPECT_EQ(nested, (std::vector<bool>{false, false}));
    EXPECT_FALSE(QFile::exists(dir.filePath("b.gif")));
    EXPECT_FALSE(encoder.blnBusy);
}

// Fails every write past `bytes` as a full disk would.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, SIG_DFL);
    }
    rlimit old{};
};

TEST(SaveGIF, FailureLeavesOldFileAsItWas) {
    QImage noise(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, qRgb(x * 7, y * 13, x * y));
    const struct {
        const char* name;
        QImage pic;
        bool fullDisk;
    } cases[] = {
        {"too wide", QImage(32768, 1, QImage::Format_Indexed8), false},
        {"too high", QImage(1, 32768, QImage::Format_Indexed8), false},
        {"empty", QImage(), false},
        {"full disk", noise, true},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.gif");
        const QByteArray old("the old picture");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        }
        GIF encoder;
        QString error;
        {
            std::optional<FileSizeLimit> limit;
            if (c.fullDisk) limit.emplace(old.size() + 100);
            EXPECT_FALSE(encoder.SaveGIF(c.pic, path, false, 0, &error)) << c.name;
        }
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_EQ(ReadAll(path), old) << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.gif"}) << c.name;
        EXPECT_FALSE(encoder.blnBusy) << c.name;
    }
}

TEST(SaveGIF, UnwritableTargetIsReported) {
    QTemporaryDir dir;
    QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkpath("folder/inside");
    for (const char* target : {"plain/out.gif", "folder"}) {
        GIF encoder;
        QString error;
        EXPECT_FALSE(encoder.SaveGIF(QImage(2, 2, QImage::Format_RGB32), dir.filePath(target),
                                     false, 0, &error))
            << target;
        EXPECT_TRUE(error.contains(target)) << error.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("folder/inside")).isDir());
}

TEST(SaveGIF, DecodesToTheMappedPicture) {
    QImage chart(333, 47, QImage::Format_RGB32);
    chart.fill(Qt::black);
    {
        QPainter painter(&chart);
        painter.setPen(QColor(128, 128, 128));
        for (int x = 0; x < chart.width(); x += 40) painter.drawLine(x, 0, x, chart.height());
        painter.setPen(Qt::red);
        painter.drawLine(0, 40, 332, 3);
        painter.fillRect(10, 10, 30, 8, QColor(100, 200, 30));
    }
    QImage noise(700, 12, QImage::Format_ARGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 37) ^ y, (x * x) >> 3, (x + y * 11) * 5));
    for (const QImage& pic : {chart, noise, noise.convertToFormat(QImage::Format_RGB888)})
        Encode(pic);
    Encode(chart, true, RGB(255, 0, 0));
}

}  // namespace
}  // namespace grafolux

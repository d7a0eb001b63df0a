// The window's pictures: the application icon at every theme size, and pictures sharp on 2x
// screens.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <algorithm>

#include "app/Icons.h"

using namespace grafolux;

namespace {

TEST(ApplicationIcon, CarriesThePictureOfEveryThemeSizeDrawnFromTheSvg) {
    const QIcon icon = ApplicationIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    EXPECT_EQ(sizes,
              QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    for (const QSize& size : sizes) {
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size) << size.width();
        // Opaque in the middle, the rounded corner transparent, the locked item's red drawn.
        EXPECT_EQ(image.pixelColor(size.width() / 2, size.height() / 2).alpha(), 255)
            << size.width();
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << size.width();
        const QColor peak = image.pixelColor(148 * size.width() / 256, 52 * size.height() / 256);
        EXPECT_GT(peak.red() - peak.green(), 128) << size.width();
    }
}

TEST(WindowPictures, A2xScreenGetsPicturesDrawnWithTwiceThePixels) {
    WindowIcons icons;
    struct Case {
        const char* what;
        QIcon icon;
        int size;
        QIcon::Mode mode;
    };
    const Case cases[] = {
        {"graph button", icons.ViewButton("GRAPH_ON", "GRAPH_DIS"), 21, QIcon::Normal},
        {"disabled BLM button", icons.ViewButton("BLM_OFF", "BLM_DIS"), 21, QIcon::Disabled},
        {"zoom in", ZoomInIcon(), 21, QIcon::Normal},
        {"zoom out", ZoomOutIcon(), 21, QIcon::Normal},
        {"save", SaveGifIcon(), 21, QIcon::Normal},
        {"locked item", icons.LockedItem(), 16, QIcon::Normal},
        {"application", ApplicationIcon(), 16, QIcon::Normal},
    };
    for (const Case& c : cases) {
        for (const qreal scale : {1.0, 2.0}) {
            const QPixmap pixmap = c.icon.pixmap(QSize(c.size, c.size), scale, c.mode);
            EXPECT_EQ(pixmap.size(), QSize(c.size, c.size) * scale) << c.what << " at " << scale;
            EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(c.size, c.size)) << c.what;
        }
    }
    // The disabled 2x picture is ours, not Qt's greyed normal picture.
    const QImage disabled =
        icons.ViewButton("INT_ON", "INT_DIS").pixmap(QSize(21, 21), 2.0, QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.pixelColor(1, 1), QColor(64, 64, 64));
}

}  // namespace

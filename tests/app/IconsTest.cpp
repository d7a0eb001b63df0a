// The window's pictures: the application icon's SVG reader, and pictures sharp on 2x screens.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include "app/IconSvg.h"
#include "app/Icons.h"

using namespace grafolux;

namespace {

QByteArray Svg(const char* viewBox, const char* shapes) {
    return QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox=")") + viewBox + "\">" +
           shapes + "</svg>";
}

struct Probe {
    QPoint pixel;
    QColor colour;  // transparent: nothing drawn there
};

struct DrawCase {
    const char* what;
    QByteArray svg;
    int size;
    std::vector<Probe> probes;
};

TEST(IconSvg, DrawsEachShapeWithSvgDefaultsAndTheViewBoxFillingTheImage) {
    const QColor none = Qt::transparent, red = Qt::red, blue = Qt::blue, black = Qt::black;
    const DrawCase cases[] = {
        {"filled rect",
         Svg("0 0 10 10", R"(<rect x="2" y="2" width="6" height="6" fill="#ff0000"/>)"),
         10,
         {{{5, 5}, red}, {{0, 0}, none}, {{9, 9}, none}}},
        {"a shape without fill is black",
         Svg("0 0 10 10", R"(<rect x="0" y="0" width="10" height="10"/>)"),
         10,
         {{{5, 5}, black}}},
        {"fill none with a stroke leaves the inside empty",
         Svg("0 0 20 20", R"(<rect x="2" y="2" width="16" height="16" fill="none"
                             stroke="#0000ff" stroke-width="2"/>)"),
         20,
         {{{10, 10}, none}, {{2, 10}, blue}, {{10, 17}, blue}}},
        {"circle",
         Svg("0 0 10 10", R"(<circle cx="5" cy="5" r="3" fill="#0000ff"/>)"),
         10,
         {{{5, 5}, blue}, {{1, 1}, none}}},
        {"a line without stroke is not drawn",
         Svg("0 0 10 10", R"(<line x1="0" y1="5" x2="10" y2="5" stroke-width="4"/>)"),
         10,
         {{{5, 5}, none}}},
        {"a zero stroke width is no stroke",
         Svg("0 0 10 10",
             R"(<line x1="0" y1="5" x2="10" y2="5" stroke="#ff0000" stroke-width="0"/>)"),
         10,
         {{{5, 5}, none}}},
        {"line",
         Svg("0 0 10 10",
             R"(<line x1="0" y1="5" x2="10" y2="5" stroke="#ff0000" stroke-width="4"/>)"),
         10,
         {{{5, 5}, red}, {{5, 1}, none}}},
        {"a polyline's stroke stays open",
         Svg("0 0 20 20", R"(<polyline points="2,2 18,2 18,18" fill="none" stroke="#ff0000"
                             stroke-width="2"/>)"),
         20,
         {{{10, 2}, red}, {{18, 10}, red}, {{10, 10}, none}}},
        {"a polygon's stroke closes",
         Svg("0 0 20 20", R"(<polygon points="2,2 18,2 18,18" fill="none" stroke="#ff0000"
                             stroke-width="2"/>)"),
         20,
         {{{10, 10}, red}}},
        {"the viewBox is scaled to the image",
         Svg("0 0 10 10", R"(<rect x="5" y="5" width="5" height="5" fill="#0000ff"/>)"),
         40,
         {{{30, 30}, blue}, {{39, 39}, blue}, {{15, 15}, none}}},
        {"the viewBox's origin is the image's corner",
         Svg("10 10 10 10", R"(<rect x="10" y="10" width="5" height="5" fill="#0000ff"/>)"),
         10,
         {{{2, 2}, blue}, {{7, 7}, none}}},
    };
    for (const DrawCase& c : cases) {
        const SvgDrawing drawing = DrawSvgIcon(c.svg, c.size);
        ASSERT_FALSE(drawing.image.isNull()) << c.what << ": " << drawing.error.toStdString();
        EXPECT_EQ(drawing.image.size(), QSize(c.size, c.size)) << c.what;
        for (const Probe& probe : c.probes)
            EXPECT_EQ(drawing.image.pixelColor(probe.pixel), probe.colour)
                << c.what << " at " << probe.pixel.x() << "," << probe.pixel.y();
    }
}

TEST(IconSvg, RefusesWhatItWouldDrawDifferentlyFromADesktop) {
    const std::pair<QByteArray, const char*> cases[] = {
        {Svg("0 0 10 10", R"(<g><rect width="5" height="5"/></g>)"), "<g>"},
        {Svg("0 0 10 10", R"(<path d="M0 0 L5 5"/>)"), "<path>"},
        {Svg("0 0 10 10", R"s(<rect width="5" height="5" transform="rotate(45)"/>)s"), "transform"},
        {Svg("0 0 10 10", R"(<rect width="5" height="5" opacity="0.5"/>)"), "opacity"},
        {Svg("0 0 10 10", R"s(<rect width="5" height="5" fill="url(#shade)"/>)s"), "url(#shade)"},
        {Svg("0 0 10 10", R"(<rect width="5" height="5" fill="#ff000080"/>)"), "#ff000080"},
        {Svg("0 0 10 10", R"(<line x2="5" y2="5" stroke="red" stroke-linecap="fancy"/>)"), "fancy"},
        {Svg("0 0 10 10", R"(<polyline points="1,1 2"/>)"), "points"},
        {Svg("0 0 10 10", R"(<circle r="5cm"/>)"), "5cm"},
        {Svg("0 0 0 10", ""), "viewBox"},
        {R"(<svg xmlns="http://www.w3.org/2000/svg"><rect width="5" height="5"/></svg>)",
         "viewBox"},
        {R"(<rect width="5" height="5"/>)", "root"},
        {Svg("0 0 10 10", "<rect"), "line 1"},
        {"", "document"},
    };
    for (const auto& [svg, why] : cases) {
        const SvgDrawing drawing = DrawSvgIcon(svg, 16);
        EXPECT_TRUE(drawing.image.isNull()) << svg.toStdString();
        EXPECT_TRUE(drawing.error.contains(why)) << drawing.error.toStdString() << " for " << why;
    }
}

TEST(ApplicationIcon, IsDrawnAtEveryThemeSizeFromTheShippedSvg) {
    const QIcon icon = ApplicationIcon();
    QList<QSize> sizes;
    for (int size : ApplicationIconSizes()) sizes << QSize(size, size);
    EXPECT_EQ(icon.availableSizes(), sizes);
    for (const QSize& size : sizes) {
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size);
        // Opaque in the middle, the rounded corner transparent.
        EXPECT_EQ(image.pixelColor(size.width() / 2, size.height() / 2).alpha(), 255);
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
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

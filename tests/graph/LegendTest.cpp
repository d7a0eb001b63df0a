#include <gtest/gtest.h>

#include "Pixels.h"
#include "graph/Legend.h"

namespace grafolux {
namespace {

using test::PixelAt;
using test::Runs;

class LegendTest : public testing::Test {
protected:
    void SetUp() override { area.pbLegend.SetSize(3000, 3000); }
    DrawingArea area;
    DisplayColors colors;
};

TEST_F(LegendTest, EntriesStackFortyPixelsApartAfterClear) {
    AddLegendEntry(area, RGB(1, 2, 3), "old", "0", "1", colors);
    ClearLegend(area);
    EXPECT_EQ(area.lngLegendLines, 0);
    EXPECT_EQ(PixelAt(area.pbLegend, 5, 5), colors.lngBackColor);

    const Colour first = RGB(255, 0, 0), second = RGB(0, 128, 0);
    AddLegendEntry(area, first, "SENSOR:RPM", "800", "6,400", colors);
    AddLegendEntry(area, second, "SENSOR:MAP", "20", "100", colors);
    EXPECT_EQ(area.lngLegendLines, 2);
    const struct {
        int x, y;
        Colour colour;
    } probes[] = {
        {5, 5, first},   {24, 32, first},  {4, 5, colors.lngBackColor}, {5, 4, colors.lngBackColor},
        {5, 45, second}, {24, 72, second}, {5, 44, colors.lngBackColor}};
    for (const auto& p : probes)
        EXPECT_EQ(PixelAt(area.pbLegend, p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST_F(LegendTest, NameAboveValueLineBesideSwatch) {
    ClearLegend(area);
    AddLegendEntry(area, RGB(255, 0, 0), "SENSOR:RPM", "12", "1,234", colors);
    const QRect text(31, 0, 150, 40);  // right of the swatch (5 + 20 px) and the 90-twip gap
    const auto names = Runs(area.pbLegend, text, colors.lngForeColor, false);
    const auto values = Runs(area.pbLegend, text, colors.lngTextColor, false);
    ASSERT_EQ(names.size(), 1u);
    ASSERT_EQ(values.size(), 1u);
    const int lineHeight = static_cast<int>(area.pbLegend.TextHeight("12 - 1,234") / 15);
    EXPECT_NEAR(values[0].begin - names[0].begin, lineHeight, 1);

    // The value line reads "12 - 1,234": the same pixels as that text printed there.
    Surface reference;
    reference.SetSize(3000, 3000);
    reference.SetFont("Arial", 8, true);
    reference.SetForeColor(colors.lngTextColor);
    reference.CurrentX = 75 + 300 + 90;
    reference.CurrentY = 75 + reference.TextHeight("x");
    reference.Print("12 - 1,234");
    for (int y = values[0].begin; y <= values[0].end; ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            ASSERT_EQ(PixelAt(area.pbLegend, x, y) == colors.lngTextColor,
                      PixelAt(reference, x, y) == colors.lngTextColor)
                << x << "," << y;
}

TEST_F(LegendTest, EmptyNameStillDrawsSwatchAndValues) {
    ClearLegend(area);
    AddLegendEntry(area, RGB(0, 0, 255), "", "1", "2", colors);
    EXPECT_EQ(PixelAt(area.pbLegend, 5, 5), RGB(0, 0, 255));
    EXPECT_EQ(Runs(area.pbLegend, QRect(31, 0, 150, 40), colors.lngTextColor, false).size(), 1u);
}

}  // namespace
}  // namespace grafolux

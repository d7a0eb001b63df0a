#include <gtest/gtest.h>

#include "support/DrawingTestKit.h"
#include "views/Readout.h"

namespace grafolux {
namespace {

constexpr Colour kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 192);

// Samples 1..4; B and D locked, C not.
LogData Log() {
    return test::MakeLog({{"A", {12.6, 12.7, 1e20, -0.25}},
                          {"B", {3000, 3100, 2900, 3000}, true, kGreen},
                          {"C", {1, 2, 3, 4}},
                          {"D\xe9", {0.1, 0.2, 0.3, 0.4}, true, kBlue}});
}

ReadoutRow Row(Colour colour, QStringList cells, bool text = false) {
    return {colour, cells, text};
}
ReadoutRow Item(Colour colour, QStringList cells) { return {colour, cells, false, true}; }

TEST(ReadoutRows, ValuesAtCursorMarkersAndTheirDifference) {
    const DisplayColors colors;
    const Colour text = colors.lngTextColor;
    const QString minus = QString::fromUtf8("B \u2212 A");
    const struct {
        const char* what;
        ReadoutRequest request;
        std::vector<ReadoutRow> rows;
    } cases[] = {
        {"cursor only",
         {1, 3, {}, {}, {}},
         {Row(text, {"Sample", "3"}), Item(kRed, {"A", "1E+20"}), Item(kGreen, {"B", "2900"}),
          Item(kBlue, {QString::fromLatin1("D\xe9"), "0.3"})}},
        {"current item locked: listed once, in red",
         {2, 4, {}, {}, {}},
         {Row(text, {"Sample", "4"}), Item(kRed, {"B", "3000"}),
          Item(kBlue, {QString::fromLatin1("D\xe9"), "0.4"})}},
        {"both markers",
         {1, 4, {1, 2}, {}, {}},
         {Row(text, {"", "Cursor", "A", "B", minus}), Row(text, {"Sample", "4", "1", "2", "1"}),
          Item(kRed, {"A", "-0.25", "12.6", "12.7", "0.1"}),
          Item(kGreen, {"B", "3000", "3000", "3100", "100"}),
          Item(kBlue, {QString::fromLatin1("D\xe9"), "0.4", "0.1", "0.2", "0.1"})}},
        {"B before A: a negative distance",
         {3, 1, {4, 2}, "1,200 rpm \u00d7 50 kPa", {}},
         {Row(text, {"", "Cursor", "A", "B", minus}), Row(text, {"Sample", "1", "4", "2", "-2"}),
          Item(kRed, {"C", "1", "4", "2", "-2"}),
          Item(kGreen, {"B", "3000", "3000", "3100", "100"}),
          Item(kBlue, {QString::fromLatin1("D\xe9"), "0.1", "0.4", "0.2", "-0.2"}),
          Row(colors.lngCellMarkColor, {"Cell", "1,200 rpm \u00d7 50 kPa"}, true)}},
        {"only B",
         {3, 2, {std::nullopt, 3}, {}, {}},
         {Row(text, {"", "Cursor", "B"}), Row(text, {"Sample", "2", "3"}),
          Item(kRed, {"C", "2", "3"}), Item(kGreen, {"B", "3100", "2900"}),
          Item(kBlue, {QString::fromLatin1("D\xe9"), "0.2", "0.3"})}},
    };
    const LogData log = Log();
    for (const auto& c : cases) EXPECT_EQ(ReadoutRows(log, c.request, colors), c.rows) << c.what;
}

// An item's own colour where it reads on the box's background (4.5:1 or more), else black or
// white.
TEST(ReadoutTextColour, TheItemsOwnWhereItReadsElseBlackOrWhite) {
    constexpr Colour kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
    const struct {
        const char* what;
        Colour colour, background, text;
    } cases[] = {
        {"the current curve's red on black", RGB(255, 0, 0), kBlack, RGB(255, 0, 0)},
        {"the default item blue on black", RGB(0, 0, 192), kBlack, kWhite},
        {"black on black", kBlack, kBlack, kWhite},
        {"yellow on white", RGB(255, 255, 0), kWhite, kBlack},
        {"grey at 4.54:1 on white", RGB(118, 118, 118), kWhite, RGB(118, 118, 118)},
        {"grey at 4.48:1 on white", RGB(119, 119, 119), kWhite, kBlack},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadoutTextColour(c.colour, c.background), c.text) << c.what;
}

// A 100 x 40 box in a 500 x 300 frame.
TEST(ReadoutBoxPlace, TopLeftUnlessTheMouseComesNear) {
    const struct {
        QPoint mouse;
        QPoint place;
    } cases[] = {
        {{300, 150}, {4, 4}}, {{128, 50}, {4, 4}}, {{127, 50}, {396, 4}}, {{50, 67}, {396, 4}},
        {{50, 68}, {4, 4}},   {{450, 20}, {4, 4}}, {{60, 20}, {396, 4}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadoutBoxPlace({100, 40}, {500, 300}, c.mouse), c.place) << c.mouse.x();
    // A frame the box's width: the mouse near both top corners sends it to the bottom.
    EXPECT_EQ(ReadoutBoxPlace({100, 40}, {108, 300}, {50, 20}), QPoint(4, 256));
    EXPECT_EQ(ReadoutBoxPlace({100, 40}, {60, 30}, {10, 10}), QPoint(4, 4));
}

}  // namespace
}  // namespace grafolux

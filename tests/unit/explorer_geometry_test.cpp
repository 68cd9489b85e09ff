#include <gtest/gtest.h>

#include "explorer/explorer_geometry.h"

using namespace morvel::explorer_rules;
using morvel::DesignScale;

TEST(ExplorerGeometry, DefaultSizeCentred) {
    const struct {
        int sw, sh;
        Rect expected;
    } cases[] = {
        {640, 480, {120, 90, 400, 300}},   {800, 600, {200, 150, 400, 300}},   {801, 600, {200, 150, 400, 300}},
        {1024, 768, {256, 192, 512, 384}}, {1280, 1024, {320, 256, 640, 512}}, {641, 481, {160, 120, 320, 240}},
    };
    for (const auto& c : cases) {
        const Rect r = Centred(DefaultSize(c.sw, c.sh), c.sw, c.sh);
        EXPECT_EQ(r.left, c.expected.left) << c.sw << "x" << c.sh;
        EXPECT_EQ(r.top, c.expected.top) << c.sw << "x" << c.sh;
        EXPECT_EQ(r.width, c.expected.width) << c.sw << "x" << c.sh;
        EXPECT_EQ(r.height, c.expected.height) << c.sw << "x" << c.sh;
    }
}

TEST(ExplorerGeometry, RestoreDecisions) {
    const struct {
        const char* name;
        StoredGeometry stored;
        bool restores;
    } cases[] = {
        {"fits", {10, 300, 500, 400}, true},
        {"right edge exactly at screen", {0, 300, 500, 600}, true},
        {"600 + 500 reaches past 800", {0, 600, 500, 400}, false},
        {"too tall", {300, 0, 200, 301}, false},
        {"width missing", {10, 10, std::nullopt, 100}, false},
        {"top missing", {std::nullopt, 10, 100, 100}, false},
        {"zero width", {10, 10, 0, 100}, false},
        {"negative height", {10, 10, 100, -50}, false},
        {"negative left", {10, -200, 100, 100}, false},
        {"sum overflows 32 bits", {10, 2147483000, 2147483000, 100}, false},
    };
    for (const auto& c : cases) {
        const auto r = RestoredGeometry(c.stored, 800, 600);
        EXPECT_EQ(r.has_value(), c.restores) << c.name;
        if (r) {
            EXPECT_EQ(r->left, *c.stored.left) << c.name;
            EXPECT_EQ(r->top, *c.stored.top) << c.name;
            EXPECT_EQ(r->width, *c.stored.width) << c.name;
            EXPECT_EQ(r->height, *c.stored.height) << c.name;
        }
    }
}

TEST(ExplorerGeometry, LayoutPlacesFieldsAndButtons) {
    // At 96 dpi: 400-pixel panel, 60-pixel label, field at 68, 24-pixel speed buttons, 75-pixel OK.
    const DesignScale at96(96);
    const LayoutResult r = LayOut({400, 60, 68, 24, 75, at96});
    EXPECT_EQ(r.fieldWidth, 400 - (60 + 24 + 75 + 24));  // 217
    EXPECT_EQ(r.btnUpLeft, 68 + 217 + 8);                // 293
    EXPECT_EQ(r.btnMenuLeft, 293 + 26);
    EXPECT_EQ(r.btnHelpLeft, 293 + 52);
    EXPECT_EQ(r.btnJpegLeft, 293 + 78);
    // OK ends at 368; half of the 32 pixels to the edge moves it right.
    EXPECT_EQ(r.btnOkLeft, 293 + 16);
    const LayoutResult odd = LayOut({401, 60, 68, 24, 75, at96});
    EXPECT_EQ(odd.btnOkLeft, odd.btnUpLeft + 16);  // 33 / 2 rounds toward zero
    // The same window at 192 dpi: every width doubled, and the gaps with them (48, 16, 4 or 5).
    const LayoutResult twice = LayOut({800, 120, 136, 48, 150, DesignScale(192)});
    EXPECT_EQ(twice.fieldWidth, 800 - (120 + 48 + 150 + 48));  // 434
    EXPECT_EQ(twice.btnUpLeft, 136 + 434 + 16);                // 586
    EXPECT_EQ(twice.btnMenuLeft, 586 + 48 + 5);
    EXPECT_EQ(twice.btnJpegLeft, 586 + 3 * (48 + 5)) << "the last button ends 7 pixels before the frame";
}

TEST(ExplorerGeometry, ListRowsHoldGlyphAndFont) {
    struct Case {
        int dpi, fontCell, glyph, height;
    };
    const Case cases[] = {
        {96, 13, 16, 18},   // MS Sans Serif 8 pt: the glyph sets the height
        {144, 20, 24, 26},  //
        {192, 25, 32, 34},  //
        {96, 24, 16, 26},   // a large font sets it
    };
    for (const Case& c : cases) {
        const ListRow row = ListRowFor(DesignScale(c.dpi), c.fontCell);
        EXPECT_EQ(row.glyph, c.glyph) << c.dpi << " dpi";
        EXPECT_EQ(row.height, c.height) << c.dpi << " dpi, font cell " << c.fontCell;
    }
}

TEST(ExplorerGeometry, Columns) {
    const DesignScale at96(96);
    EXPECT_EQ(ColumnWidth(40, 22, at96), 82);
    EXPECT_EQ(ColumnWidth(60, 22, at96), 82);
    EXPECT_EQ(ColumnWidth(118, 22, at96), 140);
    EXPECT_EQ(ColumnWidth(100, 44, DesignScale(192)), 120 + 44) << "the narrowest column grows with the screen";
    EXPECT_EQ(ColumnCount(300, 140), 2);
    EXPECT_EQ(ColumnCount(300, 400), 1);
    EXPECT_EQ(ColumnCount(280, 140), 2);
    EXPECT_EQ(ColumnCount(279, 140), 1);
    EXPECT_EQ(ColumnCount(300, 0), 1);
}

TEST(ExplorerGeometry, FittedWidths) {
    EXPECT_EQ(FittedWindowWidth(8, 3, 100), 312);
    EXPECT_FALSE(LeftToFit(100, 500, 800).has_value());
    EXPECT_FALSE(LeftToFit(300, 500, 800).has_value());
    EXPECT_EQ(LeftToFit(301, 500, 800), 150);
    EXPECT_EQ(LeftToFit(0, 1001, 800), -100);
}

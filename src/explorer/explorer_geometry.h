// Window and list arithmetic of the Explorer: default size and centring, geometry restore,
// the layout of the panels' controls, the list's columns and the fitted window widths.
#pragma once

#include <optional>

#include "common/design_scale.h"

namespace morvel::explorer_rules {

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// 400 x 300 on a screen exactly 640 pixels wide, else half the screen each way.
Size DefaultSize(int screenWidth, int screenHeight);
// (screen - window) / 2 each way, rounded toward zero.
Rect Centred(Size size, int screenWidth, int screenHeight);

struct StoredGeometry {
    std::optional<int> top, left, width, height;  // bWinT, bWinL, bWinW, bWinH; nothing for -1
};

// The stored window, or nothing when any value is missing or the window would reach past the
// screen. Sizes that are not positive and negative positions are refused as well: the keys then
// hold no window the user could have left.
std::optional<Rect> RestoredGeometry(const StoredGeometry& stored, int screenWidth, int screenHeight);

// Widths of the bottom panel's controls, as they are before the layout, in pixels; the gaps
// between them (24, 8 and 2 pixels at 96 dpi) grow with `scale`.
struct LayoutInput {
    int panelWidth = 0;
    int nameLabelWidth = 0;
    int nameFieldLeft = 0;
    int btnUpWidth = 0;
    int btnOkWidth = 0;
    DesignScale scale;
};

struct LayoutResult {
    int fieldWidth = 0;  // name field (or BPPtype), file-type box and Look-in box
    int btnOkLeft = 0;   // BtnOK and BtnExit
    int btnUpLeft = 0;
    int btnMenuLeft = 0;
    int btnHelpLeft = 0;
    int btnJpegLeft = 0;
};

LayoutResult LayOut(const LayoutInput& in);

// Width of one list column: the widest entry (at least 60 pixels at 96 dpi, more at `scale`)
// and the width of "WW".
int ColumnWidth(int widestEntry, int wwWidth, DesignScale scale);
// Whole columns that fit in the list, at least 1.
int ColumnCount(int listWidth, int columnWidth);

// A row of the file list or the Look-in box: a glyph 20 design pixels square (16 pixels at 96
// dpi, 24 at 144, 32 at 192) and a height that holds the glyph and the font's character cell,
// with a pixel to spare above and below.
struct ListRow {
    int glyph = 0;
    int height = 0;
};
ListRow ListRowFor(DesignScale scale, int fontCellHeight);

// "&Optimize files list" / "Maximi&ze files list": the window width for a number of columns,
// and the left edge that brings it back on screen when it reaches past it.
int FittedWindowWidth(int frame, int columns, int columnWidth);
std::optional<int> LeftToFit(int left, int width, int screenWidth);

}  // namespace morvel::explorer_rules

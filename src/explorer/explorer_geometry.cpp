#include "explorer/explorer_geometry.h"

#include <algorithm>
#include <cstdint>

namespace morvel::explorer_rules {

Size DefaultSize(int screenWidth, int screenHeight) {
    if (screenWidth == 640) return {400, 300};
    return {screenWidth / 2, screenHeight / 2};
}

Rect Centred(Size size, int screenWidth, int screenHeight) {
    return {(screenWidth - size.width) / 2, (screenHeight - size.height) / 2, size.width, size.height};
}

std::optional<Rect> RestoredGeometry(const StoredGeometry& s, int screenWidth, int screenHeight) {
    if (!s.top || !s.left || !s.width || !s.height) return std::nullopt;
    if (*s.width <= 0 || *s.height <= 0 || *s.left < 0 || *s.top < 0) return std::nullopt;
    // 64-bit sums: stored values come from a file and may be near the integer limits.
    if (std::int64_t{*s.left} + *s.width > screenWidth) return std::nullopt;
    if (std::int64_t{*s.top} + *s.height > screenHeight) return std::nullopt;
    return Rect{*s.left, *s.top, *s.width, *s.height};
}

LayoutResult LayOut(const LayoutInput& in) {
    LayoutResult r;
    const DesignScale& scale = in.scale;
    r.fieldWidth = in.panelWidth - (in.nameLabelWidth + in.btnUpWidth + in.btnOkWidth + scale(30));
    const int okLeft = in.nameFieldLeft + r.fieldWidth + scale(10);
    r.btnUpLeft = okLeft;
    r.btnMenuLeft = r.btnUpLeft + in.btnUpWidth + scale(3);
    r.btnHelpLeft = r.btnMenuLeft + in.btnUpWidth + scale(3);
    r.btnJpegLeft = r.btnHelpLeft + in.btnUpWidth + scale(3);
    const int space = in.panelWidth - (okLeft + in.btnOkWidth);
    r.btnOkLeft = okLeft + space / 2;
    return r;
}

int ColumnWidth(int widestEntry, int wwWidth, DesignScale scale) {
    return std::max(widestEntry, scale(75)) + wwWidth;
}

ListRow ListRowFor(DesignScale scale, int fontCellHeight) {
    const int glyph = scale(20);
    return {glyph, std::max(glyph, fontCellHeight) + 2};
}

int ColumnCount(int listWidth, int columnWidth) {
    if (columnWidth <= 0) return 1;
    return std::max(1, listWidth / columnWidth);
}

int FittedWindowWidth(int frame, int columns, int columnWidth) {
    return frame + columns * columnWidth + 4;
}

std::optional<int> LeftToFit(int left, int width, int screenWidth) {
    if (std::int64_t{left} + width <= screenWidth) return std::nullopt;
    return (screenWidth - width) / 2;
}

}  // namespace morvel::explorer_rules

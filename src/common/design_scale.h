// The one unit system of the windows: every length (control rectangles, gaps, row and item
// heights, glyphs, panel and strip heights, font heights given in pixels) is written in design
// pixels at 120 pixels per inch and shown at the resolution of the window's screen, converted
// once, here. Font sizes given in points go through `FontPixels`.
#pragma once

#include <cstdint>

namespace morvel {

// The resolution the windows' tables are written for.
inline constexpr int kDesignDpi = 120;

class DesignScale {
public:
    // Design pixels as they are.
    constexpr DesignScale() = default;
    // A screen of `dpi` pixels per inch; a resolution the system did not give (0 or less) is
    // taken as the standard 96.
    explicit constexpr DesignScale(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}

    constexpr int dpi() const { return dpi_; }

    // A length in design pixels at this resolution: nearest pixel, halves away from zero. A
    // length that is not zero keeps at least one pixel, so no line or gap disappears.
    constexpr int operator()(int designPixels) const { return Convert(designPixels, dpi_, kDesignDpi); }
    // A font size in points as a character height in pixels at this resolution.
    constexpr int FontPixels(int points) const { return Convert(points, dpi_, 72); }

private:
    static constexpr int Convert(int value, int to, int from) {
        if (value == 0) return 0;
        const std::int64_t scaled = std::int64_t{value} * to;
        const std::int64_t half = from / 2;
        const std::int64_t rounded = (scaled >= 0 ? scaled + half : scaled - half) / from;
        if (rounded == 0) return value > 0 ? 1 : -1;
        return static_cast<int>(rounded);
    }

    int dpi_ = kDesignDpi;
};

}  // namespace morvel

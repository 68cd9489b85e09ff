// Glyphs drawn as vectors at the size they are shown: a glyph is written once on a grid of 16 x 16
// units, and the canvas maps the grid onto a square of any size, with lines that thicken with
// it. A 16-pixel glyph is then the 96-dpi picture, and a 32-pixel one the same picture drawn
// anew at 192 dpi, never stretched.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "common/win/gdi.h"

namespace morvel::win {

class GlyphCanvas {
public:
    inline static constexpr int kGrid = 16;

    // Draws into the square of `size` pixels at (left, top), outlines in `ink`, fills in `fill`.
    GlyphCanvas(HDC dc, int left, int top, int size, COLORREF ink, COLORREF fill);
    ~GlyphCanvas();
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    // The colour of the shapes drawn next.
    void SetFill(COLORREF fill);
    // Shapes in grid units: right and bottom edges included, as a person counts the grid's cells.
    void Polygon(std::initializer_list<POINT> points);
    void Box(int left, int top, int right, int bottom);
    void Circle(int left, int top, int right, int bottom);
    void Line(int fromX, int fromY, int toX, int toY);

private:
    int X(int grid) const;
    int Y(int grid) const;

    HDC dc_;
    int left_, top_, size_;
    GdiObject<HPEN> pen_;
    Brush brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

}  // namespace morvel::win

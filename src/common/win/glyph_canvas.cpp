#include "common/win/glyph_canvas.h"

#include <algorithm>
#include <vector>

namespace morvel::win {

GlyphCanvas::GlyphCanvas(HDC dc, int left, int top, int size, COLORREF ink, COLORREF fill)
    : dc_(dc),
      left_(left),
      top_(top),
      size_(size),
      pen_(CreatePen(PS_SOLID, std::max(1, size / kGrid), ink)),
      brush_(CreateSolidBrush(fill)),
      oldPen_(SelectObject(dc, pen_.get())),
      oldBrush_(SelectObject(dc, brush_.get())) {}

GlyphCanvas::~GlyphCanvas() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
}

void GlyphCanvas::SetFill(COLORREF fill) {
    Brush brush(CreateSolidBrush(fill));
    SelectObject(dc_, brush.get());
    brush_ = std::move(brush);
}

int GlyphCanvas::X(int grid) const {
    return left_ + MulDiv(grid, size_, kGrid);
}

int GlyphCanvas::Y(int grid) const {
    return top_ + MulDiv(grid, size_, kGrid);
}

void GlyphCanvas::Polygon(std::initializer_list<POINT> points) {
    std::vector<POINT> mapped;
    mapped.reserve(points.size());
    for (const POINT& p : points) mapped.push_back({X(p.x), Y(p.y)});
    ::Polygon(dc_, mapped.data(), static_cast<int>(mapped.size()));
}

void GlyphCanvas::Box(int left, int top, int right, int bottom) {
    Rectangle(dc_, X(left), Y(top), X(right + 1), Y(bottom + 1));
}

void GlyphCanvas::Circle(int left, int top, int right, int bottom) {
    Ellipse(dc_, X(left), Y(top), X(right + 1), Y(bottom + 1));
}

void GlyphCanvas::Line(int fromX, int fromY, int toX, int toY) {
    MoveToEx(dc_, X(fromX), Y(fromY), nullptr);
    LineTo(dc_, X(toX), Y(toY));
}

}  // namespace morvel::win

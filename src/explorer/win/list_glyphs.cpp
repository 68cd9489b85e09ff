#include "explorer/win/list_glyphs.h"

#include "common/win/glyph_canvas.h"

namespace morvel {

namespace {

constexpr COLORREF kInk = RGB(64, 64, 64);

win::Bitmap MakeGlyph(int size, bool folder) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    win::Bitmap bitmap(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap.get());
    RECT all{0, 0, size, size};
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    {
        win::GlyphCanvas canvas(dc, 0, 0, size, kInk, folder ? RGB(255, 208, 64) : RGB(255, 255, 255));
        if (folder) {
            canvas.Polygon({{1, 2}, {6, 2}, {7, 4}, {14, 4}, {14, 13}, {1, 13}});
            canvas.Line(1, 5, 14, 5);
        } else {
            canvas.Polygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}});
            canvas.Line(10, 1, 10, 4);
            canvas.Line(10, 4, 13, 4);
            for (const int y : {7, 9, 11}) canvas.Line(5, y, 11, y);
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

COLORREF DriveColour(DriveType type) {
    switch (type) {
        case DriveType::Removable:
            return RGB(200, 200, 200);
        case DriveType::CdRom:
            return RGB(120, 160, 220);
        case DriveType::Remote:
            return RGB(120, 200, 120);
        case DriveType::RamDisk:
            return RGB(220, 160, 120);
        default:
            return RGB(160, 160, 160);
    }
}

}  // namespace

win::Bitmap MakeFileGlyph(int size) {
    return MakeGlyph(size, false);
}

win::Bitmap MakeFolderGlyph(int size) {
    return MakeGlyph(size, true);
}

void DrawDriveGlyph(HDC dc, int left, int top, int size, DriveType type) {
    win::GlyphCanvas canvas(dc, left, top, size, RGB(0, 0, 0), DriveColour(type));
    canvas.Box(1, 5, 14, 11);
    canvas.SetFill(RGB(0, 160, 0));
    canvas.Box(11, 8, 12, 9);
}

}  // namespace morvel

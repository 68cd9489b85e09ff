#include "common/win/gdi.h"

#include "common/win/layer_state.h"

#include <algorithm>
#include <cstdlib>

namespace morvel::win {

namespace {
HCURSOR CursorOf(LPCSTR id) {
    return LoadCursorA(nullptr, id);
}
}  // namespace

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

DesignScale ScreenScale() {
    return DesignScale(ScreenDpi());
}

namespace {

HFONT MakeFont(const FontArgs& args, int characterHeight, const char* face) {
    return CreateFontA(-characterHeight, 0, 0, 0, args.bold ? FW_BOLD : FW_NORMAL, args.italic ? TRUE : FALSE, FALSE,
                       FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// Whether the font drawn is a bitmap whose character height is more than a tenth (and more
// than a pixel) away from the height asked for.
bool IsBitmapOfOtherSize(HFONT font, int characterHeight) {
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    const HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    const bool measured = GetTextMetricsA(screen, &metrics) != FALSE;
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    if (!measured || (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE))) return false;
    const int drawn = metrics.tmHeight - metrics.tmInternalLeading;
    return std::abs(drawn - characterHeight) > std::max(1, characterHeight / 10);
}

}  // namespace

HFONT CreateUiFont(const FontArgs& args) {
    const DesignScale scale(args.dpi > 0 ? args.dpi : ScreenDpi());
    const int height = args.designHeight != 0 ? scale(std::abs(args.designHeight)) : scale.FontPixels(args.points);
    HFONT font = MakeFont(args, height, args.face.c_str());
    if (!font || !IsBitmapOfOtherSize(font, height)) return font;
    if (HFONT outline = MakeFont(args, height, "MS Shell Dlg")) {
        DeleteObject(font);
        return outline;
    }
    return font;
}

int PointsOfHeight(int pixelHeight, int dpi) {
    if (dpi <= 0) dpi = ScreenDpi();
    return MulDiv(std::abs(pixelHeight), 72, dpi);
}

void SetWindowFont(HWND window, HFONT font, bool children) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (!children) return;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void BusyCursor::Begin() {
    ++Layer().busyDepth;
    SetCursor(CursorOf(reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

void BusyCursor::End() {
    int& depth = Layer().busyDepth;
    if (depth > 0 && --depth == 0) SetCursor(CursorOf(reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

bool BusyCursor::Active() {
    return Layer().busyDepth > 0;
}

}  // namespace morvel::win

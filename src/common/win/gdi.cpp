#include "common/win/gdi.h"

#include "common/win/layer_state.h"

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

HFONT CreateUiFont(const FontArgs& args) {
    const int dpi = args.dpi > 0 ? args.dpi : ScreenDpi();
    const int height = args.pixelHeight != 0 ? -std::abs(args.pixelHeight) : -MulDiv(args.points, dpi, 72);
    return CreateFontA(height, 0, 0, 0, args.bold ? FW_BOLD : FW_NORMAL, args.italic ? TRUE : FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, args.face.c_str());
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

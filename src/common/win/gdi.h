// Fonts, screen resolution and the busy cursor.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "common/design_scale.h"

namespace morvel::win {

// Pixels per logical inch of the screen, vertically (what font heights are scaled by).
int ScreenDpi();
// Design pixels at the screen's resolution.
DesignScale ScreenScale();

// One GDI object, deleted with its owner.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

struct FontArgs {
    std::string face = "MS Sans Serif";
    int points = 8;        // size in points; used when designHeight is 0
    int designHeight = 0;  // character height in design pixels (120 dpi), when given
    bool bold = false;
    bool italic = false;
    int dpi = 0;  // 0: the screen's
};
// A font as the dialogs show it (ANSI character set, default quality), its height scaled to the
// resolution. A face that exists only as a bitmap in a few sizes ("MS Sans Serif") and has
// none near the height asked for is replaced by the system's outline dialog face ("MS Shell
// Dlg") at that height, so that text grows with the screen instead of staying at the bitmap's
// largest size.
HFONT CreateUiFont(const FontArgs& args);
// The font's height in points, at the screen's resolution.
int PointsOfHeight(int pixelHeight, int dpi = 0);

// Sets the font of a window (and of its direct children with `children`).
void SetWindowFont(HWND window, HFONT font, bool children = false);

// The hourglass for as long as the object lives, whatever the mouse does meanwhile: every window
// of the layer answers WM_SETCURSOR with it while any wait is open. Waits nest; code whose waits
// do not follow a scope opens and closes them with `Begin` and `End`.
class BusyCursor {
public:
    BusyCursor() { Begin(); }
    ~BusyCursor() { End(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    static void Begin();
    static void End();
    static bool Active();
};

}  // namespace morvel::win

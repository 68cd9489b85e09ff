#include "player/win/media_bar.h"

#include <mmsystem.h>

#include <memory>
#include <vector>

#include "common/win/glyph_canvas.h"
#include "morvel32.h"

namespace morvel {

namespace {
const win::WindowClass kBarClass{.name = "MorvelMediaBar"};

bool IsSet(std::uint16_t set, int button) {
    return (set >> button) & 1u;
}

// A glyph per button in the button's centre, drawn anew at the screen's scale: 20 design pixels
// square (16 at 96 dpi), its shapes in the middle half of the grid.
void DrawGlyph(HDC dc, const RECT& r, int button, bool enabled) {
    const COLORREF colour = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
    const int size = win::ScreenScale()(20);
    win::GlyphCanvas canvas(dc, (r.left + r.right - size) / 2, (r.top + r.bottom - size) / 2, size, colour, colour);
    switch (static_cast<MediaButton>(button)) {
        case MediaButton::Play:
            canvas.Polygon({{6, 4}, {6, 12}, {10, 8}});
            break;
        case MediaButton::Pause:
            canvas.Box(5, 4, 6, 12);
            canvas.Box(9, 4, 10, 12);
            break;
        case MediaButton::Stop:
            canvas.Box(4, 4, 11, 11);
            break;
        case MediaButton::Next:
            canvas.Polygon({{5, 4}, {5, 12}, {9, 8}});
            canvas.Box(10, 4, 11, 12);
            break;
        case MediaButton::Prev:
            canvas.Box(4, 4, 5, 12);
            canvas.Polygon({{11, 4}, {11, 12}, {7, 8}});
            break;
        case MediaButton::Step:
            canvas.Box(4, 4, 5, 12);
            canvas.Polygon({{7, 4}, {7, 12}, {11, 8}});
            break;
        case MediaButton::Back:
            canvas.Polygon({{9, 4}, {9, 12}, {5, 8}});
            canvas.Box(10, 4, 11, 12);
            break;
        case MediaButton::Record:
            canvas.Circle(4, 4, 11, 11);
            break;
        case MediaButton::Eject:
            canvas.Polygon({{4, 8}, {12, 8}, {8, 4}});
            canvas.Box(4, 10, 12, 11);
            break;
    }
}
}  // namespace

HWND MediaBar::Create(HWND parent, int id, int left, int top, int width, int height) {
    return CreateOwned(
        std::unique_ptr<Window>(new MediaBar), kBarClass,
        {.style = WS_CHILD, .x = left, .y = top, .width = width, .height = height, .parent = parent, .id = id});
}

void MediaBar::Attach(HWND bar, MediaControl& control) {
    auto* self = dynamic_cast<MediaBar*>(reinterpret_cast<Window*>(GetWindowLongPtrA(bar, GWLP_USERDATA)));
    if (self == nullptr) return;
    self->control_ = &control;
    // By handle: the control may still change its sets while the window closes.
    control.onButtonsChanged = [bar] {
        if (IsWindow(bar)) InvalidateRect(bar, nullptr, TRUE);
    };
    InvalidateRect(bar, nullptr, TRUE);
}

RECT MediaBar::ButtonRect(int visibleIndex, int visibleCount) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = visibleCount > 0 ? client.right / visibleCount : 0;
    return RECT{visibleIndex * width, 0, (visibleIndex + 1) * width, client.bottom};
}

int MediaBar::ButtonAt(int x) const {
    if (control_ == nullptr) return -1;
    const std::uint16_t visible = control_->VisibleButtons();
    std::vector<int> shown;
    for (int b = 0; b < kMediaButtonCount; ++b)
        if (IsSet(visible, b)) shown.push_back(b);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const RECT r = ButtonRect(static_cast<int>(i), static_cast<int>(shown.size()));
        if (x >= r.left && x < r.right) return shown[i];
    }
    return -1;
}

void MediaBar::Paint(HDC dc) const {
    if (control_ == nullptr) return;
    const std::uint16_t visible = control_->VisibleButtons();
    const std::uint16_t enabled = control_->EnabledButtons();
    int count = 0;
    for (int b = 0; b < kMediaButtonCount; ++b) count += IsSet(visible, b);
    int index = 0;
    for (int b = 0; b < kMediaButtonCount; ++b) {
        if (!IsSet(visible, b)) continue;
        RECT r = ButtonRect(index++, count);
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (b == pressed_ ? DFCS_PUSHED : 0));
        DrawGlyph(dc, r, b, IsSet(enabled, b));
    }
}

void MediaBar::Press(int button) {
    if (control_ == nullptr || button < 0 || button >= kMediaButtonCount) return;
    if (!IsSet(control_->VisibleButtons(), button) || !IsSet(control_->EnabledButtons(), button)) return;
    const HWND bar = hwnd();
    SendMessageA(GetParent(bar), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(bar), kClickNotify + button),
                 reinterpret_cast<LPARAM>(bar));
}

LRESULT MediaBar::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(hwnd(), &ps);
            Paint(dc);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            pressed_ = ButtonAt(static_cast<short>(LOWORD(lParam)));
            SetCapture(hwnd());
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        case WM_LBUTTONUP: {
            const int released = ButtonAt(static_cast<short>(LOWORD(lParam)));
            const int pressed = pressed_;
            pressed_ = -1;
            if (GetCapture() == hwnd()) ReleaseCapture();
            InvalidateRect(hwnd(), nullptr, TRUE);
            if (released == pressed) Press(pressed);
            return 0;
        }
        case MORVEL_WM_MEDIABUTTON:
            Press(static_cast<int>(wParam));
            return 0;
        case MORVEL_WM_MEDIABUTTONSETS:
            return control_ ? MAKELRESULT(control_->VisibleButtons(), control_->EnabledButtons()) : 0;
        case MM_MCINOTIFY:
            SendMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), kDeviceNotify),
                         reinterpret_cast<LPARAM>(hwnd()));
            return 0;
        default:
            return DefaultMessage(msg, wParam, lParam);
    }
}

}  // namespace morvel

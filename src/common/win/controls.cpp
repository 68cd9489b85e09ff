#include "common/win/controls.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win/guard.h"
#include "common/win/text.h"
#include "common/win/window.h"

namespace morvel::win {

HWND CreateChild(HWND parent, const ChildArgs& args) {
    DWORD style = WS_CHILD | args.style;
    if (args.visible) style |= WS_VISIBLE;
    if (!args.enabled) style |= WS_DISABLED;
    const std::string text(args.text);
    const HWND child = CreateWindowExA(args.exStyle, args.className, text.c_str(), style, args.x, args.y, args.width,
                                       args.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                                       ModuleInstance(), args.createParam);
    if (child && args.font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    return child;
}

std::string Control::Text() const {
    return WindowText(handle_);
}

void Control::SetText(const std::string& text) const {
    win::SetText(handle_, text);
}

void Edit::Select(int start, int end) const {
    SendMessageA(handle_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Edit::SelectEnd() const {
    const auto end = static_cast<int>(SendMessageA(handle_, WM_GETTEXTLENGTH, 0, 0));
    Select(end, end);
}

void Edit::LimitText(int characters) const {
    SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

namespace {
constexpr const char* kScrollBarProperty = "MorvelScrollBar";
}  // namespace

ScrollBar::~ScrollBar() {
    if (handle_ && IsWindow(handle_) && GetPropA(handle_, kScrollBarProperty) == this)
        RemovePropA(handle_, kScrollBarProperty);
}

void ScrollBar::Attach(HWND bar, const Range& range, int position) {
    handle_ = bar;
    if (bar) SetPropA(bar, kScrollBarProperty, this);
    range_ = range;
    position_ = std::clamp(position, range_.min, std::max(range_.min, range_.max));
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, range_.min, range_.max, 0, position_, 0};
    if (range_.disabledWhenEmpty) info.fMask |= SIF_DISABLENOSCROLL;
    if (handle_) SetScrollInfo(handle_, SB_CTL, &info, TRUE);
}

void ScrollBar::SetLimits(int min, int max) {
    Range range = range_;
    range.min = min;
    range.max = max;
    Attach(handle_, range, position_);
}

bool ScrollBar::SetPosition(int position) {
    position = std::clamp(position, range_.min, std::max(range_.min, range_.max));
    if (position == position_) return false;
    position_ = position;
    if (handle_) SetScrollPos(handle_, SB_CTL, position_, TRUE);
    return true;
}

void ScrollBar::Request(WPARAM request) {
    const int code = LOWORD(request);
    if (onRequest) onRequest(code);
    long long target = position_;
    switch (code) {
        case SB_LINELEFT:
            target -= range_.smallStep;
            break;
        case SB_LINERIGHT:
            target += range_.smallStep;
            break;
        case SB_PAGELEFT:
            target -= range_.largeStep;
            break;
        case SB_PAGERIGHT:
            target += range_.largeStep;
            break;
        case SB_LEFT:
            target = range_.min;
            break;
        case SB_RIGHT:
            target = range_.max;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            // The message carries 16 bits; a wider range reads the thumb from the bar.
            if (range_.min >= 0 && range_.max <= 0xFFFF) {
                target = HIWORD(request);
            } else {
                SCROLLINFO info{sizeof info, SIF_TRACKPOS};
                GetScrollInfo(handle_, SB_CTL, &info);
                target = info.nTrackPos;
            }
            break;
        default:
            return;
    }
    const long long clamped = std::clamp<long long>(target, range_.min, std::max(range_.min, range_.max));
    if (SetPosition(static_cast<int>(clamped)) && onChange) onChange(position_);
}

bool ScrollBar::Scrolled(LPARAM bar, WPARAM request) {
    const auto handle = reinterpret_cast<HWND>(bar);
    if (!handle) return false;
    auto* typed = static_cast<ScrollBar*>(GetPropA(handle, kScrollBarProperty));
    if (!typed) return false;
    typed->Request(request);
    return true;
}

LRESULT DefaultButton(HWND dialog, int okId) {
    const HWND focus = GetFocus();
    int id = okId;
    if (focus && IsChild(dialog, focus) &&
        (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        id = GetDlgCtrlID(focus);
    }
    return MAKELRESULT(id, DC_HASDEFID);
}

ControlHook::~ControlHook() {
    for (HWND control : hooked_) {
        if (IsWindow(control)) RemoveWindowSubclass(control, Procedure, reinterpret_cast<UINT_PTR>(this));
    }
}

void ControlHook::Hook(HWND control) {
    if (!control) return;
    if (SetWindowSubclass(control, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)) &&
        std::find(hooked_.begin(), hooked_.end(), control) == hooked_.end()) {
        hooked_.push_back(control);
    }
}

void ControlHook::Unhook(HWND control) {
    RemoveWindowSubclass(control, Procedure, reinterpret_cast<UINT_PTR>(this));
    hooked_.erase(std::remove(hooked_.begin(), hooked_.end(), control), hooked_.end());
}

LRESULT ControlHook::PassOn(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(control, msg, wParam, lParam);
}

LRESULT CALLBACK ControlHook::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* hook = reinterpret_cast<ControlHook*>(data);
    if (msg == WM_NCDESTROY) {
        hook->Unhook(hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    bool failed = true;
    GuardedWith(
        0,
        [&] {
            handled = hook->ControlMessage(hwnd, msg, wParam, lParam, result);
            failed = false;
            return 0;
        },
        [hwnd](const std::exception* failure) { ShowFailureBox(VisibleRoot(hwnd), failure); });
    if (failed) return 0;
    return handled ? result : DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace morvel::win

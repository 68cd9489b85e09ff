#include "player/Xscroll.h"

#include <algorithm>

namespace morvel {

namespace {
constexpr const char* kSelfProp = "MorvelXScrollbar";
}

HWND TXScrollbar::Create(HWND parent, int id, int left, int top, int width, int height) {
    handle_ =
        CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, left, top, width, height,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (handle_ == nullptr) return nullptr;
    SetPropA(handle_, kSelfProp, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TXScrollbar::SubclassProc)));
    SetMax(0);
    return handle_;
}

void TXScrollbar::SetMax(int max) {
    max_ = std::max(0, max);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, max_, 0, 0, 0};
    if (handle_) SetScrollInfo(handle_, SB_CTL, &info, TRUE);
    if (position_ > max_) SetPosition(max_);
}

void TXScrollbar::SetPosition(int position) {
    position = std::clamp(position, 0, max_);
    if (position == position_) return;
    position_ = position;
    if (handle_) SetScrollPos(handle_, SB_CTL, position_, TRUE);
    if (OnChange) OnChange();
}

void TXScrollbar::HandleScroll(WPARAM wParam) {
    const int code = LOWORD(wParam);
    int target = position_;
    switch (code) {
        case SB_LINELEFT:
            target = position_ - 1;
            break;
        case SB_LINERIGHT:
            target = position_ + 1;
            break;
        case SB_PAGELEFT:
            target = position_ - LargeChange;
            break;
        case SB_PAGERIGHT:
            target = position_ + LargeChange;
            break;
        case SB_LEFT:
            target = 0;
            break;
        case SB_RIGHT:
            target = max_;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            target = HIWORD(wParam);
            break;  // the range stays within 16 bits
        default:
            break;
    }
    if (OnScroll) OnScroll(code);
    SetPosition(target);
}

LRESULT CALLBACK TXScrollbar::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TXScrollbar*>(GetPropA(hwnd, kSelfProp));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC original = self->original_;
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (self->KeyPreview && self->KeyPreview(message, wParam)) return 0;
            break;
        case WM_LBUTTONDOWN: {
            // The control tracks the mouse inside this call; when it returns the click is over.
            const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
            if (IsWindow(hwnd) && self->OnMouseDown) self->OnMouseDown();
            return result;
        }
        case WM_NCDESTROY:
            RemovePropA(hwnd, kSelfProp);
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            self->handle_ = nullptr;
            return CallWindowProcA(original, hwnd, message, wParam, lParam);
        default:
            break;
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

}  // namespace morvel

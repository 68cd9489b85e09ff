#include "player/win/seek_bar.h"

#include <algorithm>

namespace morvel {

HWND TXScrollbar::Create(HWND parent, int id, int left, int top, int width, int height) {
    handle_ = win::CreateChild(parent, {.className = "SCROLLBAR",
                                        .id = id,
                                        .style = WS_TABSTOP | SBS_HORZ,
                                        .x = left,
                                        .y = top,
                                        .width = width,
                                        .height = height});
    if (handle_ == nullptr) return nullptr;
    Hook(handle_);
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

bool TXScrollbar::HandleCommand(WPARAM wParam, LPARAM lParam) {
    if (handle_ == nullptr || reinterpret_cast<HWND>(lParam) != handle_ || HIWORD(wParam) != kMouseDownNotify)
        return false;
    if (OnMouseDown) OnMouseDown();
    return true;
}

bool TXScrollbar::ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            // The control tracks the mouse inside this call; when it returns the click is over.
            // Only the handle is used afterwards: the window may have gone meanwhile.
            result = PassOn(control, msg, wParam, lParam);
            if (IsWindow(control)) {
                const int id = GetDlgCtrlID(control);
                SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, kMouseDownNotify),
                             reinterpret_cast<LPARAM>(control));
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace morvel

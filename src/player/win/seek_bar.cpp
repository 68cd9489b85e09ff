#include "player/win/seek_bar.h"

#include <algorithm>

namespace morvel {

HWND SeekBar::Create(HWND parent, int id, int left, int top, int width, int height) {
    const HWND bar = win::CreateChild(parent, {.className = "SCROLLBAR",
                                               .id = id,
                                               .style = WS_TABSTOP | SBS_HORZ,
                                               .x = left,
                                               .y = top,
                                               .width = width,
                                               .height = height});
    if (bar == nullptr) return nullptr;
    bar_.Attach(bar, {.min = 0, .max = 0, .smallStep = 1, .largeStep = kLargeStep, .disabledWhenEmpty = true});
    bar_.onRequest = [this](int code) {
        if (OnScroll) OnScroll(code);
    };
    bar_.onChange = [this](int) {
        if (OnChange) OnChange();
    };
    Hook(bar);
    return bar;
}

void SeekBar::SetMax(int max) {
    const int before = bar_.Position();
    bar_.SetLimits(0, std::max(0, max));
    if (bar_.Position() != before && OnChange) OnChange();
}

void SeekBar::SetPosition(int position) {
    if (bar_.SetPosition(position) && OnChange) OnChange();
}

bool SeekBar::HandleCommand(WPARAM wParam, LPARAM lParam) {
    if (Handle() == nullptr || reinterpret_cast<HWND>(lParam) != Handle() || HIWORD(wParam) != kMouseDownNotify)
        return false;
    if (OnMouseDown) OnMouseDown();
    return true;
}

bool SeekBar::ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_LBUTTONDOWN) return false;
    // The control tracks the mouse inside this call; when it returns the click is over. Only the
    // handle is used afterwards: the window may have gone meanwhile.
    result = PassOn(control, msg, wParam, lParam);
    if (IsWindow(control)) {
        const int id = GetDlgCtrlID(control);
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, kMouseDownNotify),
                     reinterpret_cast<LPARAM>(control));
    }
    return true;
}

}  // namespace morvel

#include "editor/win/progress_gauge.h"

#include <commctrl.h>

#include <algorithm>

namespace morvel {

namespace {
// Below about a fifth of a second a wait feels immediate; a bar that flashed up for it would only
// slow it down. Once shown, a few moves a second read as steady progress.
constexpr DWORD kShowAfterMs = 150;
constexpr DWORD kMoveEveryMs = 100;
}  // namespace

void WindowGauge::Show(int min, int max) {
    min_ = min;
    max_ = max;
    step_ = std::max(1, (max - min) / 100);
    last_ = min - step_;
    started_ = GetTickCount();
    shown_ = false;
}

void WindowGauge::Position(int value) {
    if (value - last_ < step_) return;
    last_ = value;
    const DWORD now = GetTickCount();
    if (now - (shown_ ? painted_ : started_) < (shown_ ? kMoveEveryMs : kShowAfterMs)) return;
    Paint(value, now);
}

void WindowGauge::Paint(int value, DWORD now) {
    if (!shown_) {
        SendMessageA(bar_, PBM_SETRANGE32, min_, max_);
        SendMessageA(bar_, PBM_SETPOS, value, 0);
        SetWindowPos(bar_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        shown_ = true;
    } else {
        SendMessageA(bar_, PBM_SETPOS, value, 0);
    }
    UpdateWindow(bar_);
    painted_ = now;
}

void WindowGauge::Hide() {
    if (shown_) ShowWindow(bar_, SW_HIDE);
    shown_ = false;
}

}  // namespace morvel

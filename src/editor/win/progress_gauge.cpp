#include "editor/win/progress_gauge.h"

#include <commctrl.h>

#include <algorithm>

namespace morvel {

namespace {
// Showing the bar and painting it costs a couple of milliseconds. It appears once the work has
// gone on several times that long, so that painting adds at most a few milliseconds to a work
// that ends soon after and nothing to a shorter one, while a wait of a large file shows its
// progress. Once shown, it moves a few times a second, which reads as steady progress.
constexpr double kShowAfterMs = 10;
constexpr double kMoveEveryMs = 100;
}  // namespace

void WindowGauge::Show(int min, int max) {
    min_ = min;
    max_ = max;
    step_ = std::max(1, (max - min) / 100);
    last_ = min - step_;
    // The performance counter: the tick count moves in steps as long as the wait itself.
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&started_);
    shown_ = false;
}

double WindowGauge::Elapsed() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return frequency_.QuadPart > 0 ? static_cast<double>(now.QuadPart - started_.QuadPart) * 1000.0 /
                                         static_cast<double>(frequency_.QuadPart)
                                   : 0.0;
}

void WindowGauge::Position(int value) {
    // The last position is always shown on a shown bar: what follows (the file's write) waits
    // with a full bar.
    const bool last = value >= max_;
    if (value - last_ < step_ && !(last && shown_)) return;
    last_ = value;
    const double now = Elapsed();
    if (shown_ ? (now - painted_ < kMoveEveryMs && !last) : (now < kShowAfterMs)) return;
    Paint(value, now);
}

void WindowGauge::Paint(int value, double now) {
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

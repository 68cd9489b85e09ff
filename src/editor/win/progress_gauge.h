// The editor's progress gauge over the path panel, as the AVL reader and writer drive it.
#pragma once

#include <windows.h>

#include "editor/avl_file.h"

namespace morvel {

// A read or a write calls Position for every slide, but a repaint of the bar costs far more
// than a slide does. So the bar appears only once the work has gone on for a while (a short one
// is over before a gauge could be read), and then moves at most a few times a second; Hide takes
// it away only when it was shown.
class WindowGauge final : public editor::Gauge {
public:
    explicit WindowGauge(HWND bar) : bar_(bar) {}
    void Show(int min, int max) override;
    void Position(int value) override;
    void Hide() override;

private:
    // Shows the bar at `value` (the first time) or moves it there.
    void Paint(int value, double now);
    // Milliseconds since Show.
    double Elapsed() const;

    HWND bar_;
    int min_ = 0, max_ = 0;
    int step_ = 1;  // positions closer than this to the last one looked at are not even timed
    int last_ = 0;
    LARGE_INTEGER started_{}, frequency_{};
    double painted_ = 0;
    bool shown_ = false;
};

}  // namespace morvel

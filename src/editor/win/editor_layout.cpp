#include "editor/win/editor_layout.h"

#include <algorithm>

#include "morvel32.h"

namespace morvel {

namespace {

enum Follow : unsigned { kWidth = 1, kHeight = 2, kBottom = 4 };

// The controls that grow; every other control of the window keeps its place at the bottom edge.
constexpr struct {
    int id;
    unsigned follow;
} kGrowing[] = {
    {MORVEL_ID_FULLNAME, kWidth},
    {MORVEL_ID_GAUGE, kWidth},
    {MORVEL_ID_GRID, kWidth | kHeight},
};

unsigned FollowOf(HWND control) {
    const int id = GetDlgCtrlID(control);
    for (const auto& growing : kGrowing) {
        if (growing.id == id) return growing.follow;
    }
    return kBottom;
}

}  // namespace

void EditorLayout::Remember(HWND window) {
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    client_ = {client.right, client.bottom};
    window_ = {frame.right - frame.left, frame.bottom - frame.top};
    controls_.clear();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT start{};
        GetWindowRect(child, &start);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&start), 2);
        controls_.push_back({child, start, FollowOf(child)});
    }
}

void EditorLayout::Place(HWND window) const {
    if (controls_.empty()) return;
    RECT client{};
    GetClientRect(window, &client);
    // Below the starting size (a maximised window on a small screen) the layout stays as it started.
    const int dx = std::max(0, static_cast<int>(client.right - client_.cx));
    const int dy = std::max(0, static_cast<int>(client.bottom - client_.cy));
    for (const Placed& placed : controls_) {
        RECT r = placed.start;
        if (placed.follow & kWidth) r.right += dx;
        if (placed.follow & kHeight) r.bottom += dy;
        if (placed.follow & kBottom) OffsetRect(&r, 0, dy);
        SetWindowPos(placed.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void EditorLayout::Limit(MINMAXINFO& info) const {
    // Asked for before the window has its controls: the system's limits stand until then.
    if (controls_.empty()) return;
    info.ptMinTrackSize = {window_.cx, window_.cy};
}

}  // namespace morvel

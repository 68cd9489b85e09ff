#include "editor/win/row_drag.h"

#include <commctrl.h>

#include <cstdlib>

namespace morvel {

namespace {

constexpr int kLineThickness = 2;

int RowCountOf(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

RECT RowRect(HWND list, int index) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

}  // namespace

void RowDrag::Press(POINT at) {
    pressed_ = true;
    dragging_ = false;
    start_ = at;
    gap_ = -1;
}

bool RowDrag::Move(HWND list, POINT at) {
    if (!pressed_) return false;
    if (!dragging_) {
        const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
        if (std::abs(at.x - start_.x) < dx && std::abs(at.y - start_.y) < dy) return false;
        dragging_ = true;
    }
    // Near the top or bottom edge the list scrolls a row, so that rows out of sight can be reached.
    RECT client{};
    GetClientRect(list, &client);
    const RECT first = RowRect(list, static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)));
    const int height = first.bottom - first.top;
    if (height > 0 && at.y < first.top) {
        ShowGap(list, -1);
        SendMessageA(list, LVM_SCROLL, 0, -height);
    } else if (height > 0 && at.y >= client.bottom - height / 2) {
        ShowGap(list, -1);
        SendMessageA(list, LVM_SCROLL, 0, height);
    }
    const std::optional<int> gap = GapAt(list, at);
    ShowGap(list, gap.value_or(-1));
    return true;
}

std::optional<int> RowDrag::Release(HWND list, POINT at) {
    const bool dropped = dragging_;
    Cancel(list);
    if (!dropped) return std::nullopt;
    return GapAt(list, at);
}

void RowDrag::Cancel(HWND list) {
    pressed_ = false;
    dragging_ = false;
    ShowGap(list, -1);
}

std::optional<int> RowDrag::GapAt(HWND list, POINT at) {
    RECT client{};
    GetClientRect(list, &client);
    if (!PtInRect(&client, at)) return std::nullopt;
    const int count = RowCountOf(list);
    if (count == 0) return 0;
    // Rows are found by their height from the first row shown, wherever the point is across them.
    const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    const RECT first = RowRect(list, top);
    const int height = first.bottom - first.top;
    if (at.y < first.top || height <= 0) return top;
    const int index = top + (at.y - first.top) / height;
    if (index >= count) return count;
    const int rowTop = first.top + (index - top) * height;
    return at.y <= rowTop + height / 2 ? index : index + 1;
}

RECT RowDrag::LineRect(HWND list, int gap) {
    const int count = RowCountOf(list);
    RECT client{};
    GetClientRect(list, &client);
    const int y = gap < count ? RowRect(list, gap).top : RowRect(list, count - 1).bottom;
    return {client.left, y - kLineThickness / 2, client.right, y + kLineThickness - kLineThickness / 2};
}

void RowDrag::ShowGap(HWND list, int gap) {
    if (gap == gap_) return;
    if (gap_ >= 0) {
        const RECT old = LineRect(list, gap_);
        InvalidateRect(list, &old, FALSE);
    }
    gap_ = gap;
    if (gap_ >= 0) {
        const RECT now = LineRect(list, gap_);
        InvalidateRect(list, &now, FALSE);
    }
}

void RowDrag::DrawLine(HWND list, HDC dc) const {
    if (!dragging_ || gap_ < 0) return;
    const RECT line = LineRect(list, gap_);
    FillRect(dc, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
}

}  // namespace morvel

// TXScrollbar: a plain horizontal scroll bar that also reports its scroll steps, its changes and
// the end of a mouse click or drag on it.
#pragma once

#include <windows.h>

#include <functional>

namespace morvel {

class TXScrollbar {
public:
    TXScrollbar() = default;
    TXScrollbar(const TXScrollbar&) = delete;
    TXScrollbar& operator=(const TXScrollbar&) = delete;

    HWND Create(HWND parent, int id, int left, int top, int width, int height);
    HWND Handle() const { return handle_; }

    int Position() const { return position_; }
    // Moves the bar; reports OnChange when the position changes.
    void SetPosition(int position);
    int Max() const { return max_; }
    void SetMax(int max);
    int LargeChange = 10;

    // The parent passes its WM_HSCROLL here.
    void HandleScroll(WPARAM wParam);

    std::function<void(int code)> OnScroll;  // every scroll step, before the position moves
    std::function<void()> OnChange;
    std::function<void()> OnMouseDown;  // the click or drag on the bar has ended
    // Keys reach the window before the bar; true when the window used the key.
    std::function<bool(UINT message, WPARAM key)> KeyPreview;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC original_ = nullptr;
    int position_ = 0;
    int max_ = 0;
};

}  // namespace morvel

// TXScrollbar: a plain horizontal scroll bar that also reports its scroll steps, its changes and
// the end of a mouse click or drag on it. The bar's parent passes the bar's WM_HSCROLL to
// `HandleScroll` and its WM_COMMAND to `HandleCommand`; the bar tells the end of a click as a
// WM_COMMAND with the code kMouseDownNotify, so that it reaches the window the way a control's
// notification does.
#pragma once

#include <windows.h>

#include <functional>

#include "common/win/controls.h"

namespace morvel {

class TXScrollbar final : public win::ControlHook {
public:
    static constexpr WORD kMouseDownNotify = 0x4001;

    TXScrollbar() = default;

    HWND Create(HWND parent, int id, int left, int top, int width, int height);
    HWND Handle() const { return handle_; }

    int Position() const { return position_; }
    // Moves the bar; reports OnChange when the position changes.
    void SetPosition(int position);
    int Max() const { return max_; }
    void SetMax(int max);
    int LargeChange = 10;

    void HandleScroll(WPARAM wParam);
    // True when the command was the bar's.
    bool HandleCommand(WPARAM wParam, LPARAM lParam);

    std::function<void(int code)> OnScroll;  // every scroll step, before the position moves
    std::function<void()> OnChange;
    std::function<void()> OnMouseDown;  // the click or drag on the bar has ended

protected:
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND handle_ = nullptr;
    int position_ = 0;
    int max_ = 0;
};

}  // namespace morvel

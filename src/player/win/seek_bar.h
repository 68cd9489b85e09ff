// The player's seek bar: a plain horizontal scroll bar from 0 to the clip's last bar value, with
// the small step 1, that also reports its scroll requests, its changes and the end of a mouse
// click or drag on it. The window layer hands the bar its WM_HSCROLL; the bar tells the end of a
// click as a WM_COMMAND with the code kMouseDownNotify, so that it reaches the window the way a
// control's notification does, and the parent passes that on to `HandleCommand`.
#pragma once

#include <windows.h>

#include <functional>

#include "common/win/controls.h"

namespace morvel {

class SeekBar final : public win::ControlHook {
public:
    static constexpr WORD kMouseDownNotify = 0x4001;
    static constexpr int kLargeStep = 10;

    SeekBar() = default;

    HWND Create(HWND parent, int id, int left, int top, int width, int height);
    HWND Handle() const { return bar_.hwnd(); }

    int Position() const { return bar_.Position(); }
    // Moves the bar; reports OnChange when the position changes.
    void SetPosition(int position);
    void SetMax(int max);

    // True when the command was the bar's.
    bool HandleCommand(WPARAM wParam, LPARAM lParam);

    std::function<void(int code)> OnScroll;  // every scroll request, before the position moves
    std::function<void()> OnChange;
    std::function<void()> OnMouseDown;  // the click or drag on the bar has ended

protected:
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    win::ScrollBar bar_;
};

}  // namespace morvel

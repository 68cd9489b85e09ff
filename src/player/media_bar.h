// The media control's button bar (MediaPlayer1): the nine media buttons, drawn here, of which the
// visible ones share the bar's width in bar order. A click on an enabled button is reported; the
// device's completion notices (MM_MCINOTIFY) arrive at this window and are passed on.
#pragma once

#include <windows.h>

#include <functional>

#include "player/media_control.h"

namespace morvel {

class MediaBar {
public:
    MediaBar() = default;
    MediaBar(const MediaBar&) = delete;
    MediaBar& operator=(const MediaBar&) = delete;

    static void Register(HINSTANCE instance);
    HWND Create(HWND parent, int id, int left, int top, int width, int height);
    // The control whose button sets the bar shows; none until the device exists.
    void Attach(MediaControl& control);
    HWND Handle() const { return handle_; }
    void Repaint() const;

    std::function<void(MediaButton)> OnClick;
    std::function<void()> OnNotify;
    std::function<bool(UINT message, WPARAM key)> KeyPreview;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    int ButtonAt(int x) const;
    RECT ButtonRect(int visibleIndex, int visibleCount) const;
    void Paint(HDC dc) const;
    void Press(int button);

    MediaControl* control_ = nullptr;
    HWND handle_ = nullptr;
    int pressed_ = -1;
};

}  // namespace morvel

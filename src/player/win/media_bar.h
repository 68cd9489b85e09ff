// The media control's button bar: the nine media buttons, drawn here, of which the
// visible ones share the bar's width in bar order. The bar tells its parent as a control does,
// with WM_COMMAND: a click on an enabled button (code kClickNotify + button) and the device's
// completion notice (MM_MCINOTIFY arrives at the bar; code kDeviceNotify).
#pragma once

#include <windows.h>

#include "common/win/window.h"
#include "player/media_control.h"

namespace morvel {

class MediaBar final : public win::Window {
public:
    static constexpr WORD kClickNotify = 0x4100;  // + the button
    static constexpr WORD kDeviceNotify = 0x4200;

    // Creates the hidden bar, owned by its window; null when refused.
    static HWND Create(HWND parent, int id, int left, int top, int width, int height);
    // Shows the control's button sets on the bar (the control outlives the bar's window).
    static void Attach(HWND bar, MediaControl& control);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override { delete this; }

private:
    MediaBar() = default;
    int ButtonAt(int x) const;
    RECT ButtonRect(int visibleIndex, int visibleCount) const;
    void Paint(HDC dc) const;
    // Tells the parent; nothing of the bar is used afterwards, since the handler may close the
    // player window.
    void Press(int button);

    MediaControl* control_ = nullptr;
    int pressed_ = -1;
};

}  // namespace morvel

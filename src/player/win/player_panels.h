// The parts of the player window: its panels (the video background and picture, the control
// strip with its media, seek and menu panels, the status bar), the look of its menu button, and
// the popup menu. A panel fills itself with its colour, draws an optional lowered bevel and text,
// and passes its children's notifications on to its parent, so that the window sees them as if
// the children were its own (a click on a panel too, as kMsgPanelClick).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/win/window.h"
#include "player/player_menu.h"

namespace morvel {

struct PanelLook {
    COLORREF colour = GetSysColor(COLOR_BTNFACE);
    bool loweredBevel = false;
    bool showsText = false;
    HFONT font = nullptr;            // the text's font; the window keeps it
    std::function<void(HDC)> paint;  // drawn over the background
};

// Sent up to the window when a panel itself is clicked (the button released over it, not over a
// child); wParam: the panel's ID.
inline constexpr UINT kMsgPanelClick = WM_APP + 0x511;

class PlayerPanel final : public win::Window {
public:
    // Creates the panel as a child of `parent`, visible, at 0,0 with no size (the window lays it
    // out). The panel is owned by its window; null when refused.
    static HWND Create(HWND parent, int id, PanelLook look);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override { delete this; }

private:
    explicit PlayerPanel(PanelLook look) : look_(std::move(look)) {}
    void Paint(HDC dc);
    PanelLook look_;
};

// Draws the owner-drawn menu button: a push button with three lines, the menu's icon.
void DrawMenuButton(const DRAWITEMSTRUCT& item);

// The popup menu of the items (submenus included); the caller destroys it.
HMENU CreatePlayerMenu(const std::vector<PlayerMenuItem>& items);

}  // namespace morvel

// The player's commands and the menu that offers them (MenuOptions). The keys (player_keys.h)
// and the menu items name the same commands, and the window carries them out in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace morvel {

enum class PlayerCommand {
    None,
    CloseRequest,  // Esc, "Close and E&xit "
    Play,
    Pause,
    Zoom1,
    Zoom2,
    Zoom3,
    Zoom4,
    Menu,  // open the player menu as MenuButton does
    Optimize,
    StatusBar,  // "Video Status Bar"
    Configure,
    Options,  // "Playbac&k Options"
    Quiet,
    Loop,
    Update1000,  // the six "Status &Update" rates, in menu order
    Update500,
    Update333,
    Update250,
    Update200,
    Update167,
};

// The zoom factor of Zoom1..Zoom4, else 0.
int ZoomFactorOf(PlayerCommand command);
// The index into UpdateRates of Update1000..Update167, else -1.
int UpdateRateIndexOf(PlayerCommand command);

// What the menu shows besides the play mode.
struct PlayerMenuState {
    bool statusVisible = true;
    bool quiet = false;
    bool loop = false;
    std::size_t updateIndex = 1;  // the checked rate; UpdateRates.size() for none
};

struct PlayerMenuItem {
    int id = 0;                // MORVEL_ID_*: the WM_COMMAND ID, or the item's ID for separators and submenus
    std::string_view caption;  // empty for a separator
    PlayerCommand command = PlayerCommand::None;
    bool checked = false;
    std::vector<PlayerMenuItem> submenu;
    bool IsSeparator() const { return caption.empty(); }
};

// The items of MenuOptions in order, as a play mode shows them (hidden items left out).
std::vector<PlayerMenuItem> PlayerMenu(std::int32_t playMode, const PlayerMenuState& state);

// The command of a menu item's ID (MORVEL_ID_MNU...), or None.
PlayerCommand CommandOfMenuId(int id);

}  // namespace morvel

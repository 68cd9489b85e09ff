#include "player/player_menu.h"

#include <array>

#include "morvel32.h"
#include "player/play_modes.h"

namespace morvel {

namespace {

struct CommandItem {
    int id;
    std::string_view caption;
    PlayerCommand command;
};

constexpr std::array<CommandItem, 4> kZoomItems = {{
    {MORVEL_ID_MNUZOOM100, "100%  Ctrl+1", PlayerCommand::Zoom1},
    {MORVEL_ID_MNUZOOM200, "200%  Ctrl+2", PlayerCommand::Zoom2},
    {MORVEL_ID_MNUZOOM300, "300%  Ctrl+3", PlayerCommand::Zoom3},
    {MORVEL_ID_MNUZOOM400, "400%  Ctrl+4", PlayerCommand::Zoom4},
}};

constexpr std::array<PlayerCommand, 6> kUpdateCommands = {PlayerCommand::Update1000, PlayerCommand::Update500,
                                                          PlayerCommand::Update333,  PlayerCommand::Update250,
                                                          PlayerCommand::Update200,  PlayerCommand::Update167};
static_assert(kUpdateCommands.size() == UpdateRates.size());
constexpr std::array<int, 6> kUpdateIds = {MORVEL_ID_MNUUPDATE1000, MORVEL_ID_MNUUPDATE500, MORVEL_ID_MNUUPDATE333,
                                           MORVEL_ID_MNUUPDATE250,  MORVEL_ID_MNUUPDATE200, MORVEL_ID_MNUUPDATE167};

// Every item that carries a command, for the ID look-up.
constexpr std::array<CommandItem, 10> kCommandItems = {{
    {MORVEL_ID_MNUOPTIMIZE, "&Optimize Window\tCtrl+O", PlayerCommand::Optimize},
    {MORVEL_ID_DISPLAYSTATUS, "Video Status Bar", PlayerCommand::StatusBar},
    {MORVEL_ID_MNUCONFIGURE, "Configure Video", PlayerCommand::Configure},
    {MORVEL_ID_VIDEOOPTIONS1, "Playbac&k Options", PlayerCommand::Options},
    {MORVEL_ID_MNUQUIETPLAYBACK, "&Quiet Playback\tCtrl+Q", PlayerCommand::Quiet},
    {MORVEL_ID_MNUPLAYBACKLOOP, " &Loop Playback", PlayerCommand::Loop},
    {MORVEL_ID_MNUPLAY, "&Play\tShift+Ins", PlayerCommand::Play},
    {MORVEL_ID_MNUPAUSE, "Pau&se\tShift+Del", PlayerCommand::Pause},
    {MORVEL_ID_MNUEXIT, "Close and E&xit ", PlayerCommand::CloseRequest},
    {MORVEL_ID_MENUBUTTON, "", PlayerCommand::Menu},  // the menu button's click
}};

PlayerMenuItem Item(int id, bool checked = false) {
    for (const CommandItem& item : kCommandItems)
        if (item.id == id) return {item.id, item.caption, item.command, checked, {}};
    return {};
}

PlayerMenuItem Separator(int id) {
    return {id, {}, PlayerCommand::None, false, {}};
}

}  // namespace

int ZoomFactorOf(PlayerCommand command) {
    for (std::size_t i = 0; i < kZoomItems.size(); ++i)
        if (kZoomItems[i].command == command) return static_cast<int>(i) + 1;
    return 0;
}

int UpdateRateIndexOf(PlayerCommand command) {
    for (std::size_t i = 0; i < kUpdateCommands.size(); ++i)
        if (kUpdateCommands[i] == command) return static_cast<int>(i);
    return -1;
}

std::vector<PlayerMenuItem> PlayerMenu(std::int32_t playMode, const PlayerMenuState& state) {
    const PlayModeTraits traits = TraitsOf(playMode);
    PlayerMenuItem zoom{MORVEL_ID_ZOOMWINDOW1, "Zoom Window", PlayerCommand::None, false, {}};
    for (const CommandItem& item : kZoomItems) zoom.submenu.push_back({item.id, item.caption, item.command, false, {}});
    PlayerMenuItem rates{MORVEL_ID_STATUSUPDATE1, "Status &Update", PlayerCommand::None, false, {}};
    for (std::size_t i = 0; i < UpdateRates.size(); ++i)
        rates.submenu.push_back(
            {kUpdateIds[i], UpdateRates[i].caption, kUpdateCommands[i], i == state.updateIndex, {}});

    std::vector<PlayerMenuItem> menu;
    menu.push_back(std::move(zoom));
    menu.push_back(Item(MORVEL_ID_MNUOPTIMIZE));
    menu.push_back(Item(MORVEL_ID_DISPLAYSTATUS, state.statusVisible));
    menu.push_back(Separator(MORVEL_ID_N3));
    menu.push_back(std::move(rates));
    menu.push_back(Item(MORVEL_ID_MNUCONFIGURE));
    menu.push_back(Separator(MORVEL_ID_N2));
    if (traits.optionsItemsShown) {
        menu.push_back(Item(MORVEL_ID_VIDEOOPTIONS1));
        menu.push_back(Item(MORVEL_ID_MNUQUIETPLAYBACK, state.quiet));
    }
    if (traits.loopItemShown) menu.push_back(Item(MORVEL_ID_MNUPLAYBACKLOOP, state.loop));
    menu.push_back(Separator(MORVEL_ID_N1));
    menu.push_back(Item(MORVEL_ID_MNUPLAY));
    menu.push_back(Item(MORVEL_ID_MNUPAUSE));
    menu.push_back(Item(MORVEL_ID_MNUEXIT));
    return menu;
}

PlayerCommand CommandOfMenuId(int id) {
    for (const CommandItem& item : kZoomItems)
        if (item.id == id) return item.command;
    for (const CommandItem& item : kCommandItems)
        if (item.id == id) return item.command;
    for (std::size_t i = 0; i < kUpdateIds.size(); ++i)
        if (kUpdateIds[i] == id) return kUpdateCommands[i];
    return PlayerCommand::None;
}

}  // namespace morvel

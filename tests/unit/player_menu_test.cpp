// The player menu as each play mode shows it, and the commands its items and the keys reach.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "morvel32.h"
#include "player/play_modes.h"
#include "player/player_keys.h"
#include "player/player_menu.h"

namespace morvel {
namespace {

std::vector<std::string> Captions(const std::vector<PlayerMenuItem>& items) {
    std::vector<std::string> captions;
    for (const PlayerMenuItem& item : items) captions.emplace_back(item.IsSeparator() ? "-" : item.caption);
    return captions;
}

const PlayerMenuItem* Find(const std::vector<PlayerMenuItem>& items, int id) {
    for (const PlayerMenuItem& item : items) {
        if (item.id == id) return &item;
        if (const PlayerMenuItem* inner = Find(item.submenu, id)) return inner;
    }
    return nullptr;
}

TEST(PlayerMenu, ItemsPerPlayMode) {
    const std::vector<std::string> mode0 = {"Zoom Window",
                                            "&Optimize Window\tCtrl+O",
                                            "Video Status Bar",
                                            "-",
                                            "Status &Update",
                                            "Configure Video",
                                            "-",
                                            "Playbac&k Options",
                                            "&Quiet Playback\tCtrl+Q",
                                            " &Loop Playback",
                                            "-",
                                            "&Play\tShift+Ins",
                                            "Pau&se\tShift+Del",
                                            "Close and E&xit "};
    const std::vector<std::string> mode1 = {"Zoom Window",
                                            "&Optimize Window\tCtrl+O",
                                            "Video Status Bar",
                                            "-",
                                            "Status &Update",
                                            "Configure Video",
                                            "-",
                                            "Playbac&k Options",
                                            "&Quiet Playback\tCtrl+Q",
                                            "-",
                                            "&Play\tShift+Ins",
                                            "Pau&se\tShift+Del",
                                            "Close and E&xit "};
    const std::vector<std::string> mode2 = {"Zoom Window",
                                            "&Optimize Window\tCtrl+O",
                                            "Video Status Bar",
                                            "-",
                                            "Status &Update",
                                            "Configure Video",
                                            "-",
                                            " &Loop Playback",
                                            "-",
                                            "&Play\tShift+Ins",
                                            "Pau&se\tShift+Del",
                                            "Close and E&xit "};
    EXPECT_EQ(Captions(PlayerMenu(0, {})), mode0);
    EXPECT_EQ(Captions(PlayerMenu(1, {})), mode1);
    EXPECT_EQ(Captions(PlayerMenu(2, {})), mode2);
    EXPECT_EQ(Captions(PlayerMenu(5, {})), mode0) << "an unknown mode shows what mode 0 shows";
}

TEST(PlayerMenu, SubmenusAndTheirIds) {
    const std::vector<PlayerMenuItem> menu = PlayerMenu(0, {});
    EXPECT_EQ(Captions(menu[0].submenu),
              (std::vector<std::string>{"100%  Ctrl+1", "200%  Ctrl+2", "300%  Ctrl+3", "400%  Ctrl+4"}));
    EXPECT_EQ(Captions(menu[4].submenu),
              (std::vector<std::string>{"1:1 sec.", "2:1 sec.", "3:1 sec.", "4:1 sec.", "5:1 sec.", "6:1 sec."}));
    EXPECT_EQ(menu[0].submenu[2].id, MORVEL_ID_MNUZOOM300);
    EXPECT_EQ(menu[4].submenu[5].id, MORVEL_ID_MNUUPDATE167);
    EXPECT_EQ(menu[3].id, MORVEL_ID_N3);
    EXPECT_EQ(menu.back().id, MORVEL_ID_MNUEXIT);
}

TEST(PlayerMenu, CheckMarksFollowTheState) {
    const std::vector<PlayerMenuItem> start = PlayerMenu(0, {});
    EXPECT_TRUE(Find(start, MORVEL_ID_DISPLAYSTATUS)->checked) << "the status line starts shown";
    EXPECT_FALSE(Find(start, MORVEL_ID_MNUQUIETPLAYBACK)->checked);
    EXPECT_FALSE(Find(start, MORVEL_ID_MNUPLAYBACKLOOP)->checked);
    EXPECT_TRUE(Find(start, MORVEL_ID_MNUUPDATE500)->checked) << "2:1 sec. is the design rate";

    const std::vector<PlayerMenuItem> changed =
        PlayerMenu(0, {.statusVisible = false, .quiet = true, .loop = true, .updateIndex = 5});
    EXPECT_FALSE(Find(changed, MORVEL_ID_DISPLAYSTATUS)->checked);
    EXPECT_TRUE(Find(changed, MORVEL_ID_MNUQUIETPLAYBACK)->checked);
    EXPECT_TRUE(Find(changed, MORVEL_ID_MNUPLAYBACKLOOP)->checked);
    int checkedRates = 0;
    for (const PlayerMenuItem& rate : changed[4].submenu) checkedRates += rate.checked;
    EXPECT_EQ(checkedRates, 1);
    EXPECT_TRUE(Find(changed, MORVEL_ID_MNUUPDATE167)->checked);

    int afterReset = 0;
    const std::vector<PlayerMenuItem> reset = PlayerMenu(0, {.updateIndex = UpdateRates.size()});
    for (const PlayerMenuItem& rate : reset[4].submenu) afterReset += rate.checked;
    EXPECT_EQ(afterReset, 0) << "UpdateReset leaves no rate checked";
}

TEST(PlayerMenu, ItemIdsReachTheirCommands) {
    struct Case {
        int id;
        PlayerCommand command;
    };
    const Case cases[] = {
        {MORVEL_ID_MNUZOOM100, PlayerCommand::Zoom1},
        {MORVEL_ID_MNUZOOM400, PlayerCommand::Zoom4},
        {MORVEL_ID_MNUOPTIMIZE, PlayerCommand::Optimize},
        {MORVEL_ID_DISPLAYSTATUS, PlayerCommand::StatusBar},
        {MORVEL_ID_MNUCONFIGURE, PlayerCommand::Configure},
        {MORVEL_ID_VIDEOOPTIONS1, PlayerCommand::Options},
        {MORVEL_ID_MNUQUIETPLAYBACK, PlayerCommand::Quiet},
        {MORVEL_ID_MNUPLAYBACKLOOP, PlayerCommand::Loop},
        {MORVEL_ID_MNUPLAY, PlayerCommand::Play},
        {MORVEL_ID_MNUPAUSE, PlayerCommand::Pause},
        {MORVEL_ID_MNUEXIT, PlayerCommand::CloseRequest},
        {MORVEL_ID_MENUBUTTON, PlayerCommand::Menu},
        {MORVEL_ID_MNUUPDATE1000, PlayerCommand::Update1000},
        {MORVEL_ID_MNUUPDATE167, PlayerCommand::Update167},
        {MORVEL_ID_N1, PlayerCommand::None},
        {MORVEL_ID_ZOOMWINDOW1, PlayerCommand::None},
        {MORVEL_ID_STATUSUPDATE1, PlayerCommand::None},
        {0, PlayerCommand::None},
    };
    for (const Case& c : cases) EXPECT_EQ(CommandOfMenuId(c.id), c.command) << "ID " << c.id;
}

TEST(PlayerMenu, KeysAndItemsNameTheSameCommands) {
    const KeyModifiers ctrl{false, true, false, false}, shift{true, false, false, false};
    EXPECT_EQ(KeyCommand('O', ctrl), CommandOfMenuId(MORVEL_ID_MNUOPTIMIZE));
    EXPECT_EQ(KeyCommand('Q', ctrl), CommandOfMenuId(MORVEL_ID_MNUQUIETPLAYBACK));
    EXPECT_EQ(KeyCommand('3', ctrl), CommandOfMenuId(MORVEL_ID_MNUZOOM300));
    EXPECT_EQ(KeyCommand(vkey::Insert, shift), CommandOfMenuId(MORVEL_ID_MNUPLAY));
    EXPECT_EQ(KeyCommand(vkey::Delete, shift), CommandOfMenuId(MORVEL_ID_MNUPAUSE));
    EXPECT_EQ(KeyCommand(vkey::Escape, {}), CommandOfMenuId(MORVEL_ID_MNUEXIT));
}

TEST(PlayerMenu, ZoomFactorsAndUpdateIntervals) {
    EXPECT_EQ(ZoomFactorOf(PlayerCommand::Zoom1), 1);
    EXPECT_EQ(ZoomFactorOf(PlayerCommand::Zoom4), 4);
    EXPECT_EQ(ZoomFactorOf(PlayerCommand::Optimize), 0);
    EXPECT_EQ(UpdateRateIndexOf(PlayerCommand::Zoom1), -1);
    struct Case {
        PlayerCommand command;
        unsigned intervalMs;
    };
    for (const Case c : {Case{PlayerCommand::Update1000, 1000}, Case{PlayerCommand::Update500, 500},
                         Case{PlayerCommand::Update333, 333}, Case{PlayerCommand::Update250, 250},
                         Case{PlayerCommand::Update200, 200}, Case{PlayerCommand::Update167, 167}}) {
        const int index = UpdateRateIndexOf(c.command);
        ASSERT_GE(index, 0);
        EXPECT_EQ(UpdateRates[static_cast<std::size_t>(index)].intervalMs, c.intervalMs);
    }
}

}  // namespace
}  // namespace morvel

// Play modes, end-of-clip decisions, status texts, the open-failure message, the keyboard table
// and the options dialog's value rules.
#include <gtest/gtest.h>

#include "player/play_modes.h"
#include "player/playback.h"
#include "player/player_keys.h"
#include "player/player_options.h"
#include "player_fakes.h"

namespace morvel {
namespace {

TEST(PlayerEndOfClip, DecisionPerPlayMode) {
    struct Case {
        const char* name;
        int bar;
        int playMode;
        bool loop;
        bool firstStop;
        EndAction expected;
        bool firstStopAfter;
    };
    const Case cases[] = {
        {"mode 0 stopped early", 10, 0, false, true, EndAction::ShowStoppedBefore, true},
        {"mode 1 stopped early", 10, 1, true, true, EndAction::ShowStoppedBefore, true},
        {"mode 0 at end, no loop", 99, 0, false, true, EndAction::ShowStoppedAtEnd, true},
        {"mode 0 at end, loop", 99, 0, true, false, EndAction::Loop, false},
        {"mode 1 at end", 99, 1, false, true, EndAction::ShowStoppedAtEnd, true},
        {"mode 2 early stop counts as end: first stop", 0, 2, false, true, EndAction::KeepButtons, false},
        {"mode 2 later stop", 0, 2, false, false, EndAction::ShowStoppedAtEnd, false},
        {"mode 2 loop wins over first stop", 40, 2, true, true, EndAction::Loop, true},
        {"unknown mode behaves as 0", 10, 7, false, true, EndAction::ShowStoppedBefore, true},
    };
    for (const Case& c : cases) {
        bool firstStop = c.firstStop;
        // A clip of 100 frames whose position is its bar value (a short clip).
        EXPECT_EQ(EndOfClip({c.bar, 99, c.bar, 100}, c.playMode, c.loop, firstStop), c.expected) << c.name;
        EXPECT_EQ(firstStop, c.firstStopAfter) << c.name;
    }
}

TEST(PlayerEndOfClip, LastFrameOrLastBarValue) {
    struct Case {
        const char* name;
        StopPoint stop;
        bool atEnd;
    };
    const Case cases[] = {
        {"bar at its maximum", {3277, 3277, 32771, 32771}, true},
        {"last frame, bar one short", {3276, 3277, 32770, 32771}, true},
        {"one frame before the last", {3276, 3277, 32769, 32771}, false},
        {"no length reported", {0, 0, 0, 0}, true},
        {"no length, bar short", {0, 5, 0, 0}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.stop.AtEnd(), c.atEnd) << c.name;
}

TEST(PlayerPlayModes, OpeningVolumeOnceTheWindowIsShown) {
    struct Case {
        int playMode;
        int volume;
    };
    for (const Case c : {Case{0, 1000}, Case{1, 500}, Case{2, 1000}, Case{3, 1000}}) {
        test::SlotFields host;
        PlayerSlot& slot = host.Slot();
        StartPlayer(slot, c.playMode);
        PlayerState state = OpeningState(0, "c:\\clip.avi");
        EXPECT_EQ(state.volume, 1000) << "play mode " << c.playMode << " before the window is shown";
        PlayerShown(slot, state);
        EXPECT_EQ(state.volume, c.volume) << "play mode " << c.playMode;
        EXPECT_EQ(PlayerStatusValue(slot), 256 + c.playMode);
    }
}

TEST(PlayerPlayModes, PaletteChangesPerModeAndSender) {
    struct Case {
        const char* name;
        int playMode;
        bool closing, fromPlayer;
        PaletteAction expected;
    };
    const Case cases[] = {
        {"another window, mode 0", 0, false, false, PaletteAction::RepaintFrame},
        {"another window, mode 1", 1, false, false, PaletteAction::RepaintFrame},
        {"another window, mode 2", 2, false, false, PaletteAction::Ignore},
        {"the player itself", 0, false, true, PaletteAction::DefaultOnly},
        {"the player itself, mode 2", 2, false, true, PaletteAction::Ignore},
        {"while closing", 1, true, false, PaletteAction::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaletteChangeAction(c.playMode, c.closing, c.fromPlayer), c.expected) << c.name;
}

TEST(PlayerTexts, StatusCaptions) {
    EXPECT_EQ(TickStatusText(Playing, 120), "Playing Frame:120");
    EXPECT_EQ(TickStatusText(Stopped, 0), "Stopped Frame:0");
    EXPECT_EQ(StepStatusText(Paused, 57), "PausedFrame:57");
    EXPECT_EQ(SeekStatusText(30), "Seek Frame:30");
    EXPECT_EQ(TickStatusText(-3, 5), "Not ready Frame:5");
    EXPECT_EQ(TickStatusText(7, 5), "Not ready Frame:5");
    for (std::string_view name : ModeNames) EXPECT_LE(name.size(), 10u) << name;
}

TEST(PlayerTexts, OpenErrorMessage) {
    EXPECT_EQ(OpenErrorMessage("No device.", 263), "No device.\nPlease see README file.");
    EXPECT_EQ(OpenErrorMessage("No device.", 281), "No device.\nPlease see README file.");
    EXPECT_EQ(OpenErrorMessage("Cannot open.", 275), "Cannot open.ErrCode=275");
    EXPECT_EQ(OpenErrorMessage("", 0), "ErrCode=0");
}

TEST(PlayerButtons, SetsNameTheTabledButtons) {
    using enum MediaButton;
    EXPECT_EQ(buttons::Enabled,
              ButtonBit(Play) | ButtonBit(Pause) | ButtonBit(Stop) | ButtonBit(Prev) | ButtonBit(Step));
    EXPECT_EQ(buttons::AtActivation, ButtonBit(Play) | ButtonBit(Stop));
    EXPECT_EQ(buttons::WhilePlaying, ButtonBit(Pause) | ButtonBit(Stop));
    EXPECT_EQ(buttons::StoppedBefore, ButtonBit(Play) | ButtonBit(Step));
    EXPECT_EQ(buttons::StoppedAtEnd, ButtonBit(Stop) | ButtonBit(Prev));
}

TEST(PlayerKeys, ExactModifierRules) {
    const KeyModifiers none{}, shift{true, false, false, false}, ctrl{false, true, false, false};
    const KeyModifiers ctrlAlt{false, true, true, false}, shiftCtrl{true, true, false, false};
    const KeyModifiers ctrlMouse{false, true, false, true}, shiftAlt{true, false, true, false};
    struct Case {
        const char* name;
        int key;
        KeyModifiers mods;
        PlayerCommand expected;
    };
    const Case cases[] = {
        {"Esc", vkey::Escape, none, PlayerCommand::CloseRequest},
        {"Ctrl+Esc", vkey::Escape, ctrl, PlayerCommand::CloseRequest},
        {"Shift+Ctrl+Alt+Esc", vkey::Escape, KeyModifiers{true, true, true, true}, PlayerCommand::CloseRequest},
        {"Shift+Insert", vkey::Insert, shift, PlayerCommand::Play},
        {"Insert alone", vkey::Insert, none, PlayerCommand::None},
        {"Shift+Ctrl+Insert", vkey::Insert, shiftCtrl, PlayerCommand::None},
        {"Shift+Alt+Insert", vkey::Insert, shiftAlt, PlayerCommand::None},
        {"Shift+Delete", vkey::Delete, shift, PlayerCommand::Pause},
        {"Ctrl+Delete", vkey::Delete, ctrl, PlayerCommand::None},
        {"Ctrl+1", '1', ctrl, PlayerCommand::Zoom1},
        {"Ctrl+2", '2', ctrl, PlayerCommand::Zoom2},
        {"Ctrl+3", '3', ctrl, PlayerCommand::Zoom3},
        {"Ctrl+4", '4', ctrl, PlayerCommand::Zoom4},
        {"Ctrl+5", '5', ctrl, PlayerCommand::None},
        {"Ctrl+Alt+2", '2', ctrlAlt, PlayerCommand::None},
        {"Shift+Ctrl+2", '2', shiftCtrl, PlayerCommand::None},
        {"Ctrl+2 with a mouse button", '2', ctrlMouse, PlayerCommand::None},
        {"2 alone", '2', none, PlayerCommand::None},
        {"Shift+2", '2', shift, PlayerCommand::None},
        {"Ctrl+M", 'M', ctrl, PlayerCommand::Menu},
        {"Ctrl+O", 'O', ctrl, PlayerCommand::Optimize},
        {"Ctrl+Q", 'Q', ctrl, PlayerCommand::Quiet},
        {"Shift+Q", 'Q', shift, PlayerCommand::None},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyCommand(c.key, c.mods), c.expected) << c.name;
}

TEST(PlayerOptions, LabelsUseIntegerDivision) {
    EXPECT_EQ(VolumeLabelText(995), "&Volume: 99%");
    EXPECT_EQ(VolumeLabelText(1000), "&Volume: 100%");
    EXPECT_EQ(VolumeLabelText(9), "&Volume: 0%");
    EXPECT_EQ(SpeedLabelText(1000), "&Speed: 100%");
    EXPECT_EQ(SpeedLabelText(2000), "&Speed: 200%");
    EXPECT_EQ(SpeedLabelText(15), "&Speed: 1%");
}

TEST(PlayerOptions, DefaultsAndAcceptedValues) {
    EXPECT_EQ(DefaultPlaybackValues(0), (PlaybackValues{1000, 1000}));
    EXPECT_EQ(DefaultPlaybackValues(1), (PlaybackValues{500, 1000}));
    EXPECT_EQ(DefaultPlaybackValues(2), (PlaybackValues{500, 1000}));
    struct Case {
        const char* name;
        int volume, speed;
        PlaybackValues expected;
    };
    const Case cases[] = {
        {"speed 0 is normal speed", 300, 0, {300, 1000}},
        {"speed 10 kept", 300, 10, {300, 10}},
        {"limits kept", 0, 2000, {0, 2000}},
        {"out of range brought in", 1500, 2500, {1000, 2000}},
        {"negative volume", -5, 500, {0, 500}},
    };
    for (const Case& c : cases) EXPECT_EQ(AcceptedPlaybackValues(c.volume, c.speed), c.expected) << c.name;
}

}  // namespace
}  // namespace morvel

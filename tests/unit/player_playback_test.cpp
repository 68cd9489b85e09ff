// The player's playback rules against a recording device: what is sent, in which order and with
// which waiting and notice flags, and what the host and the user see.
#include <gtest/gtest.h>

#include <algorithm>

#include "player_fakes.h"

namespace morvel::test {
namespace {

bool Logged(const RecordingDevice& device, const std::string& entry) {
    return std::find(device.log.begin(), device.log.end(), entry) != device.log.end();
}

TEST(PlayerPlayback, PlaySendsVolumeAndSpeedThenPlaysWithoutWaiting) {
    struct Case {
        int playMode;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, {"volume 1000", "speed 1000", "play wait=0 notify=1"}},
        {1, {"volume 500", "speed 1000", "play wait=0 notify=1"}},
        {2, {"play wait=0 notify=1"}},
    };
    for (const Case& c : cases) {
        PlayerRig rig(c.playMode, 100);
        if (c.playMode == 1) rig.state.volume = 500;  // as VideoWinPlayer95 leaves it
        rig.playback.OnMediaButton(MediaButton::Play);
        EXPECT_EQ(rig.device.log, c.expected) << "play mode " << c.playMode;
        EXPECT_EQ(rig.control.VisibleButtons(), buttons::WhilePlaying) << "play mode " << c.playMode;
        EXPECT_TRUE(rig.view.tickRunning) << "play mode " << c.playMode;
        EXPECT_EQ(rig.control.NextFlags(), DeviceFlags{}) << "flags apply to one command only";
    }
}

TEST(PlayerPlayback, PlayAtTheEndRewindsFirst) {
    struct Case {
        const char* name;
        std::int32_t position;
        bool rewinds;
    };
    const Case cases[] = {
        {"on the last frame", 29, true},
        {"at the length", 30, true},
        {"one frame before the last", 28, false},
        {"at the start", 0, false},
    };
    for (const Case& c : cases) {
        PlayerRig rig(0, 30);
        rig.device.position = c.position;
        rig.playback.Play();
        ASSERT_GE(rig.device.log.size(), 2u) << c.name;
        EXPECT_EQ(rig.device.log[rig.device.log.size() - 2] == "seek start wait=1 notify=0", c.rewinds) << c.name;
        EXPECT_EQ(rig.device.log.back(), "play wait=0 notify=1") << c.name;
    }
}

TEST(PlayerPlayback, TickEndLogicPerModeAndLoop) {
    struct Case {
        const char* name;
        int playMode;
        bool loop;
        bool atEnd;
        std::uint16_t buttonsAfter;
        bool restarted;
    };
    const Case cases[] = {
        {"mode 0 stopped at frame 0", 0, false, false, buttons::StoppedBefore, false},
        {"mode 0 at end", 0, false, true, buttons::StoppedAtEnd, false},
        {"mode 0 at end with loop", 0, true, true, buttons::WhilePlaying, true},
        {"mode 1 at end", 1, false, true, buttons::StoppedAtEnd, false},
        {"mode 2 first stop keeps buttons", 2, false, false, buttons::AtActivation, false},
        {"mode 2 at end with loop", 2, true, true, buttons::WhilePlaying, true},
    };
    for (const Case& c : cases) {
        PlayerRig rig(c.playMode, 50);
        rig.view.loop = c.loop;
        rig.view.tickRunning = true;
        if (c.atEnd) rig.device.position = 49;
        rig.playback.OnTick();
        EXPECT_EQ(rig.control.VisibleButtons(), c.buttonsAfter) << c.name;
        EXPECT_EQ(Logged(rig.device, "play wait=0 notify=1"), c.restarted) << c.name;
        EXPECT_EQ(rig.view.tickRunning, c.restarted) << c.name;
        if (c.restarted && c.playMode == 2) {
            EXPECT_EQ(rig.device.log.front(), "seek start wait=1 notify=0") << c.name;
        }
    }
}

TEST(PlayerPlayback, LongClipStoppedOnItsLastFrameIsAtTheEnd) {
    // 32771 frames: one bar step per 10 frames, barMax 3277. The driver stops on frame 32770,
    // whose bar value is 3276: by the bar alone the clip would read as stopped before its end.
    struct Case {
        const char* name;
        std::int32_t length;
        bool loop;
        std::uint16_t buttonsAfter;
        bool restarted;
    };
    const Case cases[] = {
        {"length - 1 a multiple of ten", 32771, false, buttons::StoppedAtEnd, false},
        {"the same with loop", 32771, true, buttons::WhilePlaying, true},
        {"length - 1 not a multiple of ten", 32775, false, buttons::StoppedAtEnd, false},
        {"short clip", 500, false, buttons::StoppedAtEnd, false},
    };
    for (const Case& c : cases) {
        PlayerRig rig(0, c.length);
        rig.view.loop = c.loop;
        rig.view.tickRunning = true;
        rig.device.RunToEnd();
        rig.playback.OnTick();
        EXPECT_EQ(rig.control.VisibleButtons(), c.buttonsAfter) << c.name;
        EXPECT_EQ(Logged(rig.device, "play wait=0 notify=1"), c.restarted) << c.name;
    }
    PlayerRig early(0, 32771);
    early.device.position = 32759;  // stopped by the user two bar steps before the end
    early.playback.OnTick();
    EXPECT_EQ(early.control.VisibleButtons(), buttons::StoppedBefore);
}

TEST(PlayerPlayback, ModeTwoLaterStopShowsStopAndPrevious) {
    PlayerRig rig(2, 50);
    rig.playback.OnTick();
    EXPECT_EQ(rig.control.VisibleButtons(), buttons::AtActivation);
    rig.playback.OnTick();
    EXPECT_EQ(rig.control.VisibleButtons(), buttons::StoppedAtEnd);
}

TEST(PlayerPlayback, TickCaptionAndBarWithoutSeekText) {
    PlayerRig rig(0, 40000);
    rig.device.mode = Playing;
    rig.device.position = 12345;
    rig.view.tickRunning = true;
    rig.playback.OnTick();
    EXPECT_EQ(rig.view.caption, "Playing Frame:12345");
    EXPECT_EQ(rig.view.bar, 1234);
    EXPECT_TRUE(rig.view.tickRunning);
    EXPECT_FALSE(rig.state.tickMovesBar);
}

TEST(PlayerPlayback, SeekBarTextsAndSeeks) {
    PlayerRig rig(0, 32761);
    rig.view.SetBarPosition(5);
    EXPECT_EQ(rig.view.caption, "Seek Frame:50");
    rig.playback.OnSeekBarReleased();
    EXPECT_EQ(rig.device.log.back(), "seek 50");
    EXPECT_EQ(rig.control.VisibleButtons(), buttons::StoppedBefore);
    EXPECT_FALSE(rig.view.busy);
}

TEST(PlayerPlayback, DraggingWhilePlayingPausesOnce) {
    PlayerRig rig(0, 100);
    rig.device.mode = Playing;
    rig.view.tickRunning = true;
    rig.playback.OnSeekBarScrolled();
    rig.playback.OnSeekBarScrolled();
    EXPECT_EQ(std::count(rig.device.log.begin(), rig.device.log.end(), "pause wait=1 notify=0"), 1);
    EXPECT_FALSE(rig.view.tickRunning);
    EXPECT_EQ(rig.control.VisibleButtons(), buttons::StoppedBefore);
}

TEST(PlayerPlayback, StepShowsThePositionBeforeTheStep) {
    PlayerRig rig(0, 100);
    rig.device.mode = Paused;
    rig.device.position = 57;
    rig.playback.OnMediaButton(MediaButton::Step);
    EXPECT_EQ(rig.view.caption, "PausedFrame:57");
    EXPECT_EQ(rig.device.position, 58);
    EXPECT_EQ(rig.device.log.back(), "step 1 wait=1 notify=0");
}

TEST(PlayerPlayback, PreviousResetsBarAndCaption) {
    PlayerRig rig(0, 100);
    rig.view.bar = 70;
    rig.playback.OnMediaButton(MediaButton::Prev);
    EXPECT_EQ(rig.view.bar, 0);
    EXPECT_EQ(rig.view.caption, "Ready");
    EXPECT_EQ(rig.device.log.back(), "seek start wait=1 notify=0");
}

TEST(PlayerPlayback, PauseButtonPausesAndResumes) {
    PlayerRig rig(0, 100);
    rig.device.mode = Playing;
    rig.view.tickRunning = true;
    rig.playback.OnMediaButton(MediaButton::Pause);
    EXPECT_EQ(rig.device.log.back(), "pause wait=1 notify=0");
    EXPECT_FALSE(rig.view.tickRunning);
    rig.playback.OnMediaButton(MediaButton::Pause);
    EXPECT_EQ(rig.device.log.back(), "resume wait=1 notify=0");
}

TEST(PlayerPlayback, MenuPauseNeverResumes) {
    PlayerRig rig(0, 100);
    rig.device.mode = Paused;
    rig.playback.Pause();
    EXPECT_TRUE(rig.device.log.empty());
    rig.device.mode = Playing;
    rig.playback.Pause();
    EXPECT_EQ(rig.device.log, std::vector<std::string>{"pause wait=1 notify=0"});
}

TEST(PlayerPlayback, NoticeAsksForTheNextNoticeOnly) {
    PlayerRig rig(0, 100);
    rig.playback.OnDeviceNotice();
    EXPECT_EQ(rig.control.NextFlags(), (DeviceFlags{true, true}));
    rig.control.Stop();
    EXPECT_EQ(rig.device.log.back(), "stop wait=1 notify=1");
    rig.control.Stop();
    EXPECT_EQ(rig.device.log.back(), "stop wait=1 notify=0");
}

TEST(PlayerPlayback, QuietPlaybackToggles) {
    PlayerRig rig(2, 100);
    rig.playback.ToggleQuiet();
    rig.playback.ToggleQuiet();
    EXPECT_EQ(rig.device.log, (std::vector<std::string>{"audio off", "audio on"}));
    EXPECT_FALSE(rig.view.quiet);
}

TEST(PlayerPlayback, OptionsDialogPausesAndNewValuesGoWithNextPlay) {
    PlayerRig rig(0, 100);
    rig.device.mode = Playing;
    rig.view.tickRunning = true;
    rig.playback.PauseForOptions();
    EXPECT_EQ(rig.device.log.back(), "pause wait=1 notify=0");
    EXPECT_EQ(rig.control.VisibleButtons(), buttons::StoppedBefore);
    rig.playback.OptionsAccepted(AcceptedPlaybackValues(250, 0));
    rig.playback.Play();
    EXPECT_TRUE(Logged(rig.device, "volume 250"));
    EXPECT_TRUE(Logged(rig.device, "speed 1000"));
}

TEST(PlayerClose, StopButtonClosesAtTheNextTick) {
    PlayerRig rig(0, 100);
    rig.playback.OnMediaButton(MediaButton::Stop);
    EXPECT_TRUE(rig.host.closeRequest);
    EXPECT_TRUE(rig.view.tickRunning);
    EXPECT_EQ(rig.view.closes, 0);
    rig.playback.OnTick();
    EXPECT_EQ(rig.view.closes, 1);
    EXPECT_FALSE(rig.device.open);
    EXPECT_EQ(PlayerStatusValue(rig.host.Slot()), 0);
    EXPECT_FALSE(rig.host.closeRequest);
}

TEST(PlayerClose, SecondRequestClosesAtOnce) {
    PlayerRig rig(1, 100);
    EXPECT_EQ(PlayerStatusValue(rig.host.Slot()), 257);
    rig.playback.CloseRequestFromUser();
    EXPECT_EQ(rig.view.closes, 0);
    rig.playback.CloseRequestFromUser();
    EXPECT_EQ(rig.view.closes, 1);
    EXPECT_EQ(rig.device.log, (std::vector<std::string>{"close wait=1 notify=0"}));
}

TEST(PlayerClose, ClosingAPlayingClipStopsItFirst) {
    PlayerRig rig(0, 100);
    rig.device.mode = Playing;
    rig.playback.ClosePlayback();
    EXPECT_EQ(rig.device.log, (std::vector<std::string>{"stop wait=1 notify=0", "close wait=1 notify=0"}));
    EXPECT_FALSE(rig.state.closing);
}

TEST(PlayerClose, RequestRule) {
    const struct {
        const char* name;
        bool pending, windowOpen;
        bool closeNow;
    } cases[] = {
        {"first request, window open", false, true, false},
        {"second request, window open", true, true, true},
        {"no window", false, false, false},
        {"no window, one pending", true, false, false},
    };
    for (const auto& c : cases) {
        SlotFields host;
        host.closeRequest = c.pending;
        PlayerSlot& slot = host.Slot();
        EXPECT_EQ(TakeCloseRequest(slot, c.windowOpen), c.closeNow) << c.name;
        EXPECT_TRUE(host.closeRequest) << c.name;
    }
    // A request made while no window was open does not reach the next player.
    SlotFields host;
    host.closeRequest = true;
    StartPlayer(host.Slot(), 1);
    EXPECT_FALSE(host.closeRequest);
}

TEST(PlayerClose, FirstRequestStartsTheStoppedTick) {
    PlayerRig rig(0, 100);
    rig.device.mode = Paused;
    rig.playback.CloseRequestFromUser();
    EXPECT_TRUE(rig.view.tickRunning);
    rig.playback.OnTick();
    EXPECT_EQ(rig.view.closes, 1);
}

TEST(PlayerStart, OptionLowBitsAndStatusValue) {
    SlotFields host;
    StartPlayer(host.Slot(), 2);
    const PlayerState state = OpeningState(0x00050008, "c:\\clip.avi");
    EXPECT_EQ(state.playOption, 8);
    EXPECT_TRUE(state.firstStop);
    EXPECT_EQ(PlayerStatusValue(host.Slot()), 2);
    host.playerActive = 1;
    EXPECT_EQ(PlayerStatusValue(host.Slot()), 258);
    host.playMode = 0;
    EXPECT_EQ(PlayerStatusValue(host.Slot()), 256);
}

TEST(PlayerReseek, OnlyWithOptionEight) {
    for (int option : {0, 8}) {
        PlayerRig rig(0, 100, option);
        rig.device.mode = Playing;
        rig.view.bar = 42;
        rig.playback.PauseForChange();
        rig.playback.ReseekFrame();
        const bool acts = option == 8;
        EXPECT_EQ(Logged(rig.device, "pause wait=0 notify=1"), acts) << "option " << option;
        EXPECT_EQ(Logged(rig.device, "seek 42"), acts) << "option " << option;
        EXPECT_EQ(rig.device.mode, acts ? Stopped : Playing) << "option " << option;
    }
}

TEST(PlayerDevice, ClosedDeviceRefusesControlCommands) {
    RecordingDevice device;
    MediaControl control(device);
    try {
        control.Play();
        FAIL() << "play on a closed device";
    } catch (const MediaDeviceError& e) {
        EXPECT_STREQ(e.what(), "No MCI device open");
    }
    EXPECT_THROW(control.Step(), MediaDeviceError);
    EXPECT_TRUE(device.log.empty());
}

TEST(PlayerDevice, FailedOpenKeepsTheCodeAndText) {
    RecordingDevice device;
    device.openError = 263;
    MediaControl control(device);
    control.FileName = "c:\\x.zzz";
    EXPECT_FALSE(control.Open());
    EXPECT_EQ(control.Error(), 263u);
    EXPECT_EQ(control.ErrorMessage(), "The specified device is not open or is not recognized by MCI.");
    device.openError = 999;
    EXPECT_FALSE(control.Open());
    EXPECT_EQ(control.ErrorMessage(), "Unknown error code");
}

TEST(PlayerDevice, ClipWithoutPictureHasNoSize) {
    PlayerRig rig(0, 100);
    EXPECT_EQ(rig.state.videoWidth, 160) << "the previous clip's picture";
    rig.device.sourceError = 296;
    rig.playback.ReadVideoSize();
    EXPECT_EQ(rig.state.videoWidth, 0);
    EXPECT_EQ(rig.state.videoHeight, 0);
    EXPECT_EQ(rig.state.frameCount, 100);
}

TEST(PlayerDevice, SourceSizeTakesLow16Bits) {
    PlayerRig rig(0, 100);
    rig.device.source = SourceRect{0, 0, 0x10140, 0x200F0};
    rig.playback.ReadVideoSize();
    EXPECT_EQ(rig.state.videoWidth, 0x140);
    EXPECT_EQ(rig.state.videoHeight, 0xF0);
    EXPECT_EQ(rig.state.frameCount, 100);
}

}  // namespace
}  // namespace morvel::test

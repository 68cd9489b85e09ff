// Wine's MCI video device with the generated clips, directly and through the player: opening,
// length, source size, palette clips, long clips, configure and realize on a playing clip.
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <string>

#include "morvel32.h"
#include "win/player/player_test_support.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

std::string Mci(const std::string& command, MCIERROR* error = nullptr) {
    char answer[256] = {};
    const MCIERROR result = mciSendStringA(command.c_str(), answer, sizeof answer, nullptr);
    if (error) *error = result;
    return answer;
}

class PlayerMciTest : public testing::Test {
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override {
        ClosePlayerIfOpen();
        RemoveSettings();
    }
    TempFolder folder_{"mci"};
};

TEST_F(PlayerMciTest, DeviceOpensGeneratedClips) {
    struct Case {
        const char* name;
        AviClip clip;
    };
    const Case cases[] = {
        {"24-bit 160x120", AviClip{160, 120, 30, 15, 24, false, 1}},
        {"8-bit 64x48 with palette", AviClip{64, 48, 12, 10, 8, false, 1}},
        {"odd width 33x7", AviClip{33, 7, 5, 10, 24, false, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PrepareClip(folder_, "clip.avi", c.clip);
        MCIERROR error = 0;
        Mci("open \"" + path + "\" type avivideo alias clip", &error);
        ASSERT_EQ(error, 0u);
        Mci("set clip time format frames");
        EXPECT_EQ(Mci("status clip length"), std::to_string(c.clip.frames));
        EXPECT_EQ(Mci("where clip source"),
                  "0 0 " + std::to_string(c.clip.width) + " " + std::to_string(c.clip.height));
        Mci("close clip");
    }
    MCIERROR error = 0;
    Mci("open \"" + folder_ / "clip.zzz" + "\" alias other", &error);
    EXPECT_EQ(error, 281u) << "no device for an unknown extension";
}

TEST_F(PlayerMciTest, LongClipHasTenFramesPerBarStep) {
    PrepareClip(folder_, "long.avi", AviClip{8, 8, 32761, 30, 8, false, 1});
    ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
    ASSERT_TRUE(WaitForStatus("Stopped Frame:0", 20000)) << StatusText();
    // An 8-pixel clip leaves no room for the seek bar: widen the window first.
    SetWindowPos(PlayerWindow(), nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(900);  // the re-layout restarts the tick, which stops itself again
    HWND bar = Descendant(PlayerWindow(), MORVEL_ID_XSCROLLBAR1);
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 3276);
    SendMessageA(GetParent(bar), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(StatusText(), "Seek Frame:50");
    RECT r;
    GetClientRect(bar, &r);
    PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 3, r.bottom / 2));
    PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 3, r.bottom / 2));
    PumpFor(300);
    EXPECT_EQ(StatusText(), "Seek Frame:60");
    PressMediaButton(MORVEL_MEDIA_STEP);
    EXPECT_EQ(StatusText(), "StoppedFrame:60") << "the step shows the exact frame";
    PressMediaButton(MORVEL_MEDIA_STEP);
    EXPECT_EQ(StatusText(), "StoppedFrame:61");
}

TEST_F(PlayerMciTest, ShortClipAtTheLimitHasOneStepPerFrame) {
    PrepareClip(folder_, "limit.avi", AviClip{8, 8, 32760, 30, 8, false, 1});
    ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
    ASSERT_TRUE(WaitForStatus("Stopped Frame:0", 20000)) << StatusText();
    HWND bar = Descendant(PlayerWindow(), MORVEL_ID_XSCROLLBAR1);
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 32759);
    SendMessageA(GetParent(bar), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(StatusText(), "Seek Frame:5");
}

TEST_F(PlayerMciTest, ConfigureVolumeAndSpeedLeavePlaybackWorking) {
    // The device takes configure, volume, speed and realize without acting on them; the player
    // still pauses for configure and plays on afterwards with the values sent.
    PrepareClip(folder_, "clip.avi", AviClip{160, 120, 90, 30, 24, false, 1});
    ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
    ASSERT_TRUE(WaitForStatus("Stopped Frame:0"));
    PressMediaButton(MORVEL_MEDIA_PLAY);
    ASSERT_TRUE(WaitForStatusPrefix("Playing Frame:"));
    PlayerCommand(MORVEL_ID_MNUCONFIGURE);
    EXPECT_EQ(VisibleButtons(), 33);
    PumpFor(700);
    const int pausedAt = FrameOf(StatusText());
    PumpFor(600);
    EXPECT_EQ(StatusText().rfind("Playing", 0), std::string::npos) << "configure pauses: " << StatusText();
    EXPECT_EQ(FrameOf(StatusText()), pausedAt) << "the clip does not move on";
    SendMessageA(Descendant(PlayerWindow(), MORVEL_ID_VIDEOWIN), WM_LBUTTONUP, 0, 0);  // realize and redraw
    PlayerCommand(MORVEL_ID_MNUQUIETPLAYBACK);
    PlayerCommand(MORVEL_ID_MNUPLAY);
    EXPECT_EQ(VisibleButtons(), 6);
    EXPECT_TRUE(WaitUntil([&] { return FrameOf(StatusText()) > pausedAt + 3; })) << StatusText();
    EXPECT_TRUE(WaitForStatus("Stopped Frame:89", 8000)) << StatusText();
    EXPECT_EQ(VisibleButtons(), 20);
}

}  // namespace

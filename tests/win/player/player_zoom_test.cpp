// Zoom against the screen's size, on a 640 x 480 desktop.
#include <windows.h>

#include <gtest/gtest.h>

#include "morvel32.h"
#include "win/player/player_test_support.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

class PlayerZoomTest : public testing::Test {
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override {
        ClosePlayerIfOpen();
        RemoveSettings();
    }
    TempFolder folder_{"zoom"};
};

TEST_F(PlayerZoomTest, ZoomWithinAndBeyondTheScreen) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    struct Case {
        const char* name;
        int clipWidth, clipHeight;
        int menuItem;
        int factor;  // 0: the window keeps its size
    };
    const Case cases[] = {
        {"160x120 at 200%", 160, 120, MORVEL_ID_MNUZOOM200, 2},
        {"160x120 at 300%", 160, 120, MORVEL_ID_MNUZOOM300, 3},
        {"160x120 at 400% is wider than the screen", 160, 120, MORVEL_ID_MNUZOOM400, 0},
        {"320x240 at 200% is wider than the screen", 320, 240, MORVEL_ID_MNUZOOM200, 0},
        {"320x240 at 100%", 320, 240, MORVEL_ID_MNUZOOM100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrepareClip(folder_, "zoom.avi", AviClip{c.clipWidth, c.clipHeight, 10, 15, 24, false, 1});
        ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
        HWND window = PlayerWindow();
        ASSERT_TRUE(WaitForStatus("Stopped Frame:0"));
        const SIZE before = WindowSize(window), areaBefore = VideoAreaSize();
        EXPECT_EQ(areaBefore.cx, c.clipWidth) << "the window opens at the clip's size";
        EXPECT_EQ(areaBefore.cy, c.clipHeight);
        PlayerCommand(c.menuItem);
        if (c.factor) {
            EXPECT_EQ(VideoAreaSize().cx, c.factor * c.clipWidth);
            EXPECT_EQ(VideoAreaSize().cy, c.factor * c.clipHeight);
        } else {
            EXPECT_EQ(WindowSize(window).cx, before.cx) << "the window keeps its size";
            EXPECT_EQ(WindowSize(window).cy, before.cy);
        }
        ClosePlayerIfOpen();
    }
}

}  // namespace

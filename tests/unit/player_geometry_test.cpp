// The seek-bar scale and the player window's geometry.
#include <gtest/gtest.h>

#include "player/seek_scale.h"
#include "player/video_fit.h"

namespace morvel {
namespace {

TEST(PlayerSeekScale, ShortAndLongClipsAtTheBoundary) {
    struct Case {
        const char* name;
        std::int32_t frames;
        bool longClip;
        std::uint16_t barMax;
    };
    const Case cases[] = {
        {"one frame", 1, false, 0},          {"exactly 32760 frames", 32760, false, 32759},
        {"32761 frames", 32761, true, 3276}, {"100000 frames", 100000, true, 9999},
        {"no frames reported", 0, false, 0}, {"more than the bar can hold", 2000000, true, 0xFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLongClip(c.frames), c.longClip) << c.name;
        EXPECT_EQ(LastBarValue(c.frames), c.barMax) << c.name;
    }
}

TEST(PlayerSeekScale, FramesAndBarValues) {
    struct Case {
        const char* name;
        std::int32_t frames, frame, bar, frameOfBar;
    };
    const Case cases[] = {
        {"short: frame is bar", 32760, 1234, 1234, 1234},
        {"short: last frame", 32760, 32759, 32759, 32759},
        {"long: frame 0", 32761, 0, 0, 0},
        {"long: frame 1", 32761, 1, 0, 0},
        {"long: frame 10", 32761, 10, 0, 0},
        {"long: frame 11", 32761, 11, 1, 10},
        {"long: last frame", 32761, 32760, 3275, 32750},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BarValueOfFrame(c.frame, c.frames), c.bar) << c.name;
        EXPECT_EQ(FrameOfBarValue(c.bar, c.frames), c.frameOfBar) << c.name;
    }
}

TEST(PlayerFitVideo, OnePixelMarginAndCentring) {
    struct Case {
        const char* name;
        int areaW, areaH;
        std::uint16_t videoW, videoH;
        VideoRect expected;
    };
    const Case cases[] = {
        {"area the clip's size: one pixel larger at the corner", 160, 120, 160, 120, {0, 0, 161, 121}},
        {"zoom 200% of 320x240", 640, 480, 320, 240, {0, 0, 641, 481}},
        {"wider area: centred horizontally", 400, 120, 160, 120, {119, 0, 161, 121}},
        {"taller area: centred vertically", 160, 300, 160, 120, {0, 89, 161, 121}},
        {"scaled down", 80, 80, 160, 120, {0, 9, 81, 61}},
        {"odd width rounds to nearest", 100, 100, 3, 2, {0, 16, 101, 67}},
        {"no picture: the whole area", 200, 150, 0, 0, {0, 0, 200, 150}},
        {"no height: the whole area", 200, 150, 160, 0, {0, 0, 200, 150}},
        {"empty area", 0, 0, 160, 120, {0, 0, 1, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(FitVideo(c.areaW, c.areaH, c.videoW, c.videoH), c.expected) << c.name;
}

TEST(PlayerFitVideo, TheNarrowerLimitWins) {
    // Box 161 x 121 for a 7 x 5 clip: 161/7 = 23 limits (121/5 = 24.2), so 161 x 115, 2 pixels
    // down. For 5 x 7 the height limits: 121/7 = 17.29 gives 86.4 -> 86 x 121, 37 pixels in.
    EXPECT_EQ(FitVideo(160, 120, 7, 5), (VideoRect{0, 2, 161, 115}));
    EXPECT_EQ(FitVideo(160, 120, 5, 7), (VideoRect{37, 0, 86, 121}));
    // 2.5 rounds away from zero: a 2 x 1 clip in a 4 x 4 area (box 5 x 5) is 5 x 2.5 -> 5 x 3.
    EXPECT_EQ(FitVideo(4, 4, 2, 1), (VideoRect{0, 0, 5, 3}));
}

TEST(PlayerZoom, SizesAndScreenLimit) {
    const WindowChrome chrome{8, 27, 22, 31};
    struct Case {
        const char* name;
        int factor;
        int screenW, screenH;
        std::optional<WindowSize> expected;
    };
    const Case cases[] = {
        {"100%", 1, 1024, 768, WindowSize{328, 320}},
        {"200% fits", 2, 1024, 768, WindowSize{648, 560}},
        {"200% exactly the screen", 2, 648, 560, WindowSize{648, 560}},
        {"200% one pixel too wide", 2, 647, 768, std::nullopt},
        {"400% too high", 4, 2000, 1000, std::nullopt},
        {"factor 0 refused", 0, 1024, 768, std::nullopt},
        {"factor 5 refused", 5, 4096, 4096, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZoomWindowSize(c.factor, 320, 240, chrome, c.screenW, c.screenH), c.expected) << c.name;
}

TEST(PlayerZoom, HiddenStatusLineAndHugeClip) {
    EXPECT_EQ(ZoomWindowSize(1, 320, 240, WindowChrome{8, 27, 0, 31}, 1024, 768), (WindowSize{328, 298}));
    EXPECT_EQ(ZoomWindowSize(4, 60000, 100, WindowChrome{8, 27, 22, 31}, 1000000, 1000000), std::nullopt);
}

TEST(PlayerGeometry, WindowForPictureAndMenuPoint) {
    EXPECT_EQ(WindowForPicture(WindowChrome{8, 27, 22, 31}, 160, 120), (WindowSize{168, 200}));
    // A picture narrower than the bottom bar needs: the window is widened, its height kept.
    EXPECT_EQ(WindowForPicture(WindowChrome{8, 27, 22, 31, 156}, 32, 24), (WindowSize{164, 104}));
    EXPECT_EQ(WindowForPicture(WindowChrome{8, 27, 22, 31, 156}, 157, 24), (WindowSize{165, 104}));
    EXPECT_EQ(ZoomWindowSize(2, 32, 24, WindowChrome{8, 27, 22, 31, 156}, 1024, 768), (WindowSize{164, 128}));
    EXPECT_EQ(MenuButtonPoint(100, 50, 169, 203), (ScreenPoint{184, 100}));
    EXPECT_EQ(MenuButtonPoint(-10, -20, 7, 7), (ScreenPoint{-7, -19}));
}

}  // namespace
}  // namespace morvel

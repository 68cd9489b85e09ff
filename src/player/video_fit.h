// Geometry of the player window: fitting the clip into the video area, the window sizes of
// activation, zoom and optimize, and where the menu button opens the menu.
#pragma once

#include <cstdint>
#include <optional>

namespace morvel {

struct VideoRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const VideoRect&) const = default;
};

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// Places VideoWin inside a video area of areaWidth x areaHeight. The target box is one pixel
// larger than the area each way; the largest scale that keeps the aspect ratio inside it is used,
// in single precision, and the result is centred with truncating division. A clip without a
// picture (zero width or height) gets the whole area, which shows black.
VideoRect FitVideo(int areaWidth, int areaHeight, std::uint16_t videoWidth, std::uint16_t videoHeight);

// The frame and bars the window adds around the picture.
struct WindowChrome {
    int frameExtraX = 0;
    int frameExtraY = 0;
    int statusHeight = 0;  // 0 when the status line is hidden
    int panel4Height = 0;
    // The narrowest client area that holds the bottom bar's parts with a seek bar that still
    // shows its thumb; a narrower picture gets a wider window and is centred in it.
    int minClientWidth = 0;
};

// The window that shows a picture of width x height at its own size.
WindowSize WindowForPicture(const WindowChrome& chrome, int width, int height);

// ZoomVideo's new size, or nothing when it would not fit the screen (or the factor is not
// 1..4). Sizes that the 16-bit arithmetic could not hold do not fit either.
std::optional<WindowSize> ZoomWindowSize(int factor, std::uint16_t videoWidth, std::uint16_t videoHeight,
                                         const WindowChrome& chrome, int screenWidth, int screenHeight);

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The menu button opens the menu at the window's horizontal centre, a quarter of the way down.
ScreenPoint MenuButtonPoint(int windowLeft, int windowTop, int windowWidth, int windowHeight);

}  // namespace morvel

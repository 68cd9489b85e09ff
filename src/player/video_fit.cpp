#include "player/video_fit.h"

#include <algorithm>
#include <cmath>

namespace morvel {

VideoRect FitVideo(int areaWidth, int areaHeight, std::uint16_t videoWidth, std::uint16_t videoHeight) {
    if (videoWidth == 0 || videoHeight == 0) return {0, 0, std::max(areaWidth, 0), std::max(areaHeight, 0)};
    const float boxWidth = static_cast<float>(areaWidth + 1);
    const float boxHeight = static_cast<float>(areaHeight + 1);
    const float sourceWidth = static_cast<float>(videoWidth);
    const float sourceHeight = static_cast<float>(videoHeight);
    const float scale = std::max(0.0f, std::min(boxWidth / sourceWidth, boxHeight / sourceHeight));
    const auto fitted = [](float value) {
        return static_cast<std::uint16_t>(std::clamp(std::lround(value), 0L, 0xFFFFL));
    };
    const std::uint16_t width = fitted(sourceWidth * scale);
    const std::uint16_t height = fitted(sourceHeight * scale);
    return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

WindowSize WindowForPicture(const WindowChrome& chrome, int width, int height) {
    return {chrome.frameExtraX + std::max(width, chrome.minClientWidth),
            chrome.frameExtraY + height + chrome.statusHeight + chrome.panel4Height};
}

std::optional<WindowSize> ZoomWindowSize(int factor, std::uint16_t videoWidth, std::uint16_t videoHeight,
                                         const WindowChrome& chrome, int screenWidth, int screenHeight) {
    if (factor < 1 || factor > 4) return std::nullopt;
    const WindowSize size = WindowForPicture(chrome, factor * videoWidth, factor * videoHeight);
    if (size.width > 0xFFFF || size.height > 0xFFFF) return std::nullopt;
    if (size.width > screenWidth || size.height > screenHeight) return std::nullopt;
    return size;
}

ScreenPoint MenuButtonPoint(int windowLeft, int windowTop, int windowWidth, int windowHeight) {
    return {windowLeft + windowWidth / 2, windowTop + windowHeight / 4};
}

}  // namespace morvel

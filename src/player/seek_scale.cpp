#include "player/seek_scale.h"

#include <algorithm>

namespace morvel {

bool IsLongClip(std::int32_t frameCount) {
    return frameCount > kShortClipMaxFrames;
}

std::int32_t BarValueOfFrame(std::int32_t frame, std::int32_t frameCount) {
    if (!IsLongClip(frameCount)) return frame;
    return (frame - 1) / kLongClipFramesPerStep;
}

std::int32_t FrameOfBarValue(std::int32_t barValue, std::int32_t frameCount) {
    if (!IsLongClip(frameCount)) return barValue;
    return barValue * kLongClipFramesPerStep;
}

std::uint16_t LastBarValue(std::int32_t frameCount) {
    const std::int64_t last = IsLongClip(frameCount)
                                  ? (static_cast<std::int64_t>(frameCount) - 1) / kLongClipFramesPerStep
                                  : static_cast<std::int64_t>(frameCount) - 1;
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(last, 0, 0xFFFF));
}

}  // namespace morvel

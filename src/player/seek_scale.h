// The seek bar's scale. A scroll bar's range is 16 bits, so clips longer than 32760 frames get
// one bar step per 10 frames.
#pragma once

#include <cstdint>

namespace morvel {

inline constexpr std::int32_t kShortClipMaxFrames = 32760;
inline constexpr std::int32_t kLongClipFramesPerStep = 10;

bool IsLongClip(std::int32_t frameCount);
// p for a short clip, (p - 1) div 10 for a long one (truncating, so frame 0 gives 0).
std::int32_t BarValueOfFrame(std::int32_t frame, std::int32_t frameCount);
// b for a short clip, b * 10 for a long one.
std::int32_t FrameOfBarValue(std::int32_t barValue, std::int32_t frameCount);
// barMax: frameCount - 1, or (frameCount - 1) div 10 for a long clip; never below 0 and never
// beyond the 16-bit range, whatever length the device reports.
std::uint16_t LastBarValue(std::int32_t frameCount);

}  // namespace morvel

// The value rules of the "Playback Options" dialog.
#pragma once

#include <cstdint>
#include <string>

namespace morvel {

inline constexpr int kSpeedMin = 0, kSpeedMax = 2000, kSpeedNormal = 1000;
inline constexpr int kVolumeMin = 0, kVolumeMax = 1000;
inline constexpr int kBarSmallStep = 10, kBarLargeStep = 100;

// "&Speed: 100%" and "&Volume: 99%": the position divided by 10, truncating.
std::string SpeedLabelText(int speedPosition);
std::string VolumeLabelText(int volumePosition);

struct PlaybackValues {
    std::int32_t volume = 1000;
    std::int32_t speed = 1000;
    bool operator==(const PlaybackValues&) const = default;
};

// "&Default": normal speed; volume 1000 in play mode 0, 500 in every other mode.
PlaybackValues DefaultPlaybackValues(std::int32_t playMode);
// What OK stores from the bar positions: a speed of 0 means normal speed. Positions outside the
// bars' ranges are brought into them.
PlaybackValues AcceptedPlaybackValues(int volumePosition, int speedPosition);

}  // namespace morvel

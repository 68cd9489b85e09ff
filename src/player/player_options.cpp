#include "player/player_options.h"

#include <algorithm>

#include "player/play_modes.h"

namespace morvel {

std::string SpeedLabelText(int speedPosition) {
    return "&Speed: " + std::to_string(speedPosition / 10) + "%";
}

std::string VolumeLabelText(int volumePosition) {
    return "&Volume: " + std::to_string(volumePosition / 10) + "%";
}

PlaybackValues DefaultPlaybackValues(std::int32_t playMode) {
    return {TraitsOf(playMode).defaultVolume, kSpeedNormal};
}

PlaybackValues AcceptedPlaybackValues(int volumePosition, int speedPosition) {
    const int speed = std::clamp(speedPosition, kSpeedMin, kSpeedMax);
    return {std::clamp(volumePosition, kVolumeMin, kVolumeMax), speed == 0 ? kSpeedNormal : speed};
}

}  // namespace morvel

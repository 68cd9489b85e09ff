// TVidOptions: the modal "Playback Options" dialog for the clip's speed and volume.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "player/player_options.h"

namespace morvel {

// Runs the dialog owned by the player window, its bars at `current`; "&Default" gives the
// defaults of `playMode`. Returns the bars' positions after OK, nothing after Cancel.
std::optional<PlaybackValues> RunPlaybackOptions(HWND owner, std::int32_t playMode, const PlaybackValues& current);

}  // namespace morvel

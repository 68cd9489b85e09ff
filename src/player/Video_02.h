// TVideoForm: the video player window, and the bodies of the player's three exports.
#pragma once

#include <cstdint>

#include "player/player_state.h"

namespace morvel {

// The one player's state, kept while the library is loaded.
extern PlayerState player;

// VideoWinPlayer95: opens the clip named by SaveName; 1 when the window is on screen, 0 when the
// clip could not be opened (the user has seen why).
std::int32_t OpenVideoPlayer(std::int32_t playMode, std::int32_t option);
// VideoWinClose95: clears the play mode, then closes now or at the next tick.
void RequestPlayerClose();

// The long name of the file a path names, as stored on disk; the path's name part when the
// file is not found.
std::string LongFileName(const std::string& path);

}  // namespace morvel

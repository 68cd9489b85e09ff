// The player's state in two parts. `PlayerState` is what lives while a player window is open: the
// window holds it. `PlayerSlot` (hostlink/player_slot.h) is what the host polls and sets between
// windows: it outlives every window, so the library object keeps it and the rules reach it by
// reference.
#pragma once

#include <cstdint>
#include <string>

#include "hostlink/player_slot.h"

namespace morvel {

struct PlayerState {
    std::uint16_t playOption = 0;  // low 16 bits of VideoWinPlayer95's option; 8 = pause and re-seek
    bool firstStop = true;         // consumed by the first stop in play mode 2
    bool closing = false;          // keeps activation, ticks and palette handling out
    bool tickMovesBar = false;     // the tick is moving the seek bar: no "Seek Frame:" text
    bool layoutBusy = false;       // resize notifications caused by our own layout are ignored
    std::int32_t volume = 1000;    // device units 0..1000
    std::int32_t speed = 1000;     // device units 0..2000, 1000 normal
    std::string videoFile;
    std::int32_t framePosition = 0;
    std::int32_t frameCount = 0;
    std::uint16_t barMax = 0;
    std::uint16_t videoWidth = 0;
    std::uint16_t videoHeight = 0;
    std::uint16_t frameExtraX = 0;
    std::uint16_t frameExtraY = 0;
};

}  // namespace morvel

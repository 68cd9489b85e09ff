// The player's state in two parts. `PlayerState` is what lives while a player window is open: the
// window holds it. `PlayerSlot` is what the host polls and sets between windows (the play mode,
// the active flag, a pending close request): it outlives every window, so the library object
// keeps it and the rules reach it by reference.
#pragma once

#include <cstdint>
#include <string>

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

struct PlayerSlot {
    std::int32_t playMode = 0;       // first argument of VideoWinPlayer95; 0 after a close
    std::uint16_t playerActive = 0;  // 1 from the window's first showing until it closes
    bool closeRequest = false;       // a close is pending
};

// What VideoWinStatus95 reports: the active flag in bit 8, or-ed with the play mode.
inline std::int32_t PlayerStatusValue(const PlayerSlot& slot) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(slot.playerActive) << 8) | slot.playMode;
}

// A close request from the host, Esc or "Close and E&xit ": true when the window must close now
// (a request was already pending and a window is open); otherwise the request is recorded and the
// next status tick carries it out.
inline bool TakeCloseRequest(PlayerSlot& slot, bool windowOpen) {
    if (slot.closeRequest && windowOpen) return true;
    slot.closeRequest = true;
    return false;
}

}  // namespace morvel

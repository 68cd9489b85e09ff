// What the host polls and sets of the player between windows (VideoWinPlayer95's mode, the active
// flag that VideoWinStatus95 reports, a pending close request). It outlives every player window:
// the library object keeps it, and the player's rules reach it by reference.
#pragma once

#include <cstdint>

namespace morvel {

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

// The player's library-wide state: one player at a time, kept while the library is loaded.
// The window holds its own handles; what outlives it (the mode and the close request the host
// polls and sets, volume and speed) lives here.
#pragma once

#include <cstdint>
#include <string>

namespace morvel {

struct PlayerState {
    std::int32_t PlayMode = 0;       // first argument of VideoWinPlayer95; 0 after a close
    std::uint16_t PlayOption = 0;    // low 16 bits of the second argument; 8 = pause and re-seek
    std::uint16_t PlayerActive = 0;  // 1 from the window's first showing until it closes
    bool CloseRequest = false;       // a close is pending; survives a closed window
    bool FirstStop = false;          // consumed by the first stop in play mode 2
    bool PlayerClosing = false;      // keeps activation, ticks and palette handling out
    bool TimerUpdate = false;        // the tick is moving the seek bar: no "Seek Frame:" text
    bool LayoutBusy = false;         // resize notifications caused by our own layout are ignored
    std::int32_t PlayVolume = 1000;  // device units 0..1000
    std::int32_t PlaySpeed = 1000;   // device units 0..2000, 1000 normal
    std::string VideoFile;
    std::int32_t FramePos = 0;
    std::int32_t FrameCount = 0;
    std::uint16_t BarMax = 0;
    std::uint16_t VideoWidth = 0;
    std::uint16_t VideoHeight = 0;
    std::uint16_t FrameExtraX = 0;
    std::uint16_t FrameExtraY = 0;
};

// What VideoWinStatus95 reports: the active flag in bit 8, or-ed with the play mode.
inline std::int32_t PlayerStatusValue(const PlayerState& state) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(state.PlayerActive) << 8) | state.PlayMode;
}

// A close request from the host, Esc or "Close and E&xit ": true when the window must close now
// (a request was already pending and a window is open); otherwise the request is recorded and the
// next status tick carries it out.
inline bool TakeCloseRequest(PlayerState& state, bool windowOpen) {
    if (state.CloseRequest && windowOpen) return true;
    state.CloseRequest = true;
    return false;
}

}  // namespace morvel

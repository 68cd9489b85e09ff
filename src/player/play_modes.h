// The player's rules that depend on the play mode and the device mode: the device mode names,
// the media button sets, the play-mode table, the end-of-clip decision of the status tick, the
// status texts and the open-failure message.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "morvel32.h"

namespace morvel {

// Device modes as the media control reports them (MCI mode less 524).
enum DeviceMode : int { NotReady = 0, Stopped = 1, Playing = 2, Recording = 3, Seeking = 4, Paused = 5, ModeOpen = 6 };

inline constexpr std::array<std::string_view, 7> ModeNames = {"Not ready", "Stopped", "Playing", "Recording",
                                                              "Seeking",   "Paused",  "Open"};
// The name of a device mode; a value outside the table (a device in a state we do not know)
// reads as "Not ready".
std::string_view ModeName(int mode);

// The nine media buttons, in bar order; bit n of a set is button n.
enum class MediaButton : int {
    Play = MORVEL_MEDIA_PLAY,
    Pause = MORVEL_MEDIA_PAUSE,
    Stop = MORVEL_MEDIA_STOP,
    Next = MORVEL_MEDIA_NEXT,
    Prev = MORVEL_MEDIA_PREV,
    Step = MORVEL_MEDIA_STEP,
    Back = MORVEL_MEDIA_BACK,
    Record = MORVEL_MEDIA_RECORD,
    Eject = MORVEL_MEDIA_EJECT,
};
inline constexpr int kMediaButtonCount = MORVEL_MEDIA_EJECT + 1;
inline constexpr std::uint16_t ButtonBit(MediaButton button) {
    return static_cast<std::uint16_t>(1u << static_cast<int>(button));
}

namespace buttons {
inline constexpr std::uint16_t Enabled = 55;        // play, pause, stop, previous, step
inline constexpr std::uint16_t AtActivation = 5;    // play, stop
inline constexpr std::uint16_t WhilePlaying = 6;    // pause, stop
inline constexpr std::uint16_t StoppedBefore = 33;  // play, step: paused, early stop, after a seek
inline constexpr std::uint16_t StoppedAtEnd = 20;   // stop, previous
}  // namespace buttons

// What the play mode changes, and nothing else.
struct PlayModeTraits {
    std::int32_t openingVolume;
    bool loopItemShown;
    bool optionsItemsShown;    // "Playbac&k Options" and "&Quiet Playback"
    bool sendsVolumeAndSpeed;  // with each Play
    bool earlyStopIsEnd;       // a stop before the last bar value counts as the end
    bool rewindBeforeLoop;     // loop restart seeks to the start first
    bool firstStopKeepsButtons;
    bool repaintOnPaletteChange;
    bool relayoutAfterConfigure;
    std::int32_t defaultVolume;  // "&Default" in the options dialog
};
// Modes 1 and 2 as tabled; every other value behaves as mode 0, except that the options
// dialog's default volume is 500 for any mode but 0.
PlayModeTraits TraitsOf(std::int32_t playMode);

// What the status tick does when it finds the device stopped.
enum class EndAction {
    ShowStoppedBefore,  // visible buttons 33
    Loop,               // restart (rewind first when the traits say so)
    KeepButtons,        // the first stop of play mode 2
    ShowStoppedAtEnd,   // visible buttons 20
};
// Where the device stopped: the seek bar's position and maximum, and the frame and length.
struct StopPoint {
    std::int32_t barPosition = 0;
    std::uint16_t barMax = 0;
    std::int32_t framePos = 0;
    std::int32_t frameCount = 0;
    // At the end: the bar at its last value, or the frame at or after length - 1 (a driver stops
    // on the last frame, whose bar value on a long clip can be one step short of the maximum).
    bool AtEnd() const { return barPosition >= barMax || (frameCount > 0 && framePos >= frameCount - 1); }
};
// Decides, and consumes firstStop when it is the reason for the decision.
EndAction EndOfClip(const StopPoint& stop, std::int32_t playMode, bool loopChecked, bool& firstStop);

// What a palette change announced by a window does to the player (WM_PALETTECHANGED).
enum class PaletteAction {
    Ignore,        // swallowed: the window is closing, or play mode 2
    DefaultOnly,   // the player window itself changed the palette
    RepaintFrame,  // UpdateVideoBkgd
};
PaletteAction PaletteChangeAction(std::int32_t playMode, bool playerClosing, bool fromPlayerWindow);

// "Playing Frame:120": the tick's caption.
std::string TickStatusText(int mode, std::int32_t framePos);
// "PausedFrame:57": the step button's caption, no blank before "Frame:".
std::string StepStatusText(int mode, std::int32_t framePos);
// "Seek Frame:30": the seek bar's caption.
std::string SeekStatusText(std::int32_t frame);

inline constexpr std::uint32_t kErrInvalidDeviceName = 263;
inline constexpr std::uint32_t kErrExtensionNotFound = 281;
// The device's text for the code, then a line break and "Please see README file." when no device
// handles the clip's type, else "ErrCode=" and the code.
std::string OpenErrorMessage(std::string_view deviceText, std::uint32_t errorCode);

// "Status &Update" rates.
struct UpdateRate {
    std::string_view caption;
    unsigned intervalMs;
};
inline constexpr std::array<UpdateRate, 6> UpdateRates = {{
    {"1:1 sec.", 1000},
    {"2:1 sec.", 500},
    {"3:1 sec.", 333},
    {"4:1 sec.", 250},
    {"5:1 sec.", 200},
    {"6:1 sec.", 167},
}};
inline constexpr unsigned kDefaultTickMs = 500;

}  // namespace morvel

// The media control: one opened device, its button bar's enabled and visible sets,
// the waiting and notice rules for the next command, and the last error code.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "player/media_device.h"
#include "player/play_modes.h"

namespace morvel {

inline constexpr const char* kNoDeviceOpen = "No MCI device open";
inline constexpr const char* kUnknownErrorCode = "Unknown error code";

// A command given to the control while no device is open.
class MediaDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class MediaControl {
public:
    explicit MediaControl(MediaDevice& device) : device_(device) {}

    std::string FileName;
    std::int32_t Frames = 1;  // step size

    // The next command only: send it without waiting / with a completion notice.
    void SetNextWait() { wait_ = true; }
    void SetNextNoWait() { wait_ = false; }
    void SetNextNotify() { notify_ = true; }
    DeviceFlags NextFlags() const { return {wait_, notify_}; }

    std::uint32_t Error() const { return error_; }
    // The device's text for the last error, or "Unknown error code".
    std::string ErrorMessage() const;
    bool IsOpen() const { return device_.IsOpen(); }

    // Opens FileName; false (and Error() set) when the device refuses.
    bool Open();
    void Close();
    // Plays from the current position; a clip that stands at its end (its last frame or the
    // length) is rewound first.
    void Play();
    void Pause();
    // Resumes a paused device, plays any other.
    void Resume();
    void Stop();
    void Previous();
    void Step();
    void Display(void* window);
    void DisplayRect(const VideoRect& rect);
    void TimeFormatFrames();
    int Mode();
    std::int32_t Position();
    std::int32_t Length();

    // The command a media button carries out after the player's own handling.
    void ButtonCommand(MediaButton button);

    std::uint16_t EnabledButtons() const { return enabled_; }
    std::uint16_t VisibleButtons() const { return visible_; }
    void SetEnabledButtons(std::uint16_t set);
    void SetVisibleButtons(std::uint16_t set);
    // Called after a change of either set (the bar repaints).
    std::function<void()> onButtonsChanged;

private:
    void RequireOpen() const;
    // Sends one command with the pending flags, then returns to waiting without a notice.
    template <typename Command>
    void Send(Command command);

    MediaDevice& device_;
    bool wait_ = true;
    bool notify_ = false;
    std::uint32_t error_ = 0;
    std::uint16_t enabled_ = 0;
    std::uint16_t visible_ = 0x1FF;
};

}  // namespace morvel

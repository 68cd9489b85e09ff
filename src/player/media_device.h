// The player's boundary to the media device. One opened device per player; every command returns
// the device's error code (0 for success). The MCI implementation is the Win32 one; the player's
// logic only sees this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "player/video_fit.h"

namespace morvel {

// How a command is sent: waiting for it to finish, and asking for a completion notice.
struct DeviceFlags {
    bool wait = true;
    bool notify = false;
    bool operator==(const DeviceFlags&) const = default;
};

// The device's source rectangle; the device reports width and height in right and bottom.
struct SourceRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

inline constexpr std::uint32_t kMciModeBase = 524;  // MCI_MODE_NOT_READY

class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    virtual bool IsOpen() const = 0;

    // Commands of the media control, sent with the control's flags.
    virtual std::uint32_t Open(const std::string& path, DeviceFlags flags) = 0;
    virtual std::uint32_t Close(DeviceFlags flags) = 0;
    virtual std::uint32_t Play(DeviceFlags flags) = 0;
    virtual std::uint32_t Pause(DeviceFlags flags) = 0;
    virtual std::uint32_t Resume(DeviceFlags flags) = 0;
    virtual std::uint32_t Stop(DeviceFlags flags) = 0;
    virtual std::uint32_t SeekToStart(DeviceFlags flags) = 0;
    virtual std::uint32_t Step(std::int32_t frames, DeviceFlags flags) = 0;
    virtual std::uint32_t SetDisplayWindow(void* window, DeviceFlags flags) = 0;
    virtual std::uint32_t PutDestination(const VideoRect& rect, DeviceFlags flags) = 0;
    virtual std::uint32_t SetTimeFormatFrames(DeviceFlags flags) = 0;

    // Status queries (always waiting, no notice).
    virtual std::uint32_t QueryMode(int& mode) = 0;  // MCI mode less 524
    virtual std::uint32_t QueryLength(std::int32_t& frames) = 0;
    virtual std::uint32_t QueryPosition(std::int32_t& frame) = 0;
    virtual std::uint32_t QuerySource(SourceRect& rect) = 0;

    // Direct commands to the device ID, callback 0.
    virtual std::uint32_t SeekTo(std::int32_t frame) = 0;
    virtual std::uint32_t Realize() = 0;
    virtual std::uint32_t UpdateInto(void* deviceContext) = 0;
    virtual std::uint32_t SetAudio(bool on) = 0;
    virtual std::uint32_t SetVolume(std::int32_t volume) = 0;
    virtual std::uint32_t SetSpeed(std::int32_t speed) = 0;
    virtual std::uint32_t Configure() = 0;

    // The device's text for an error code; empty when it has none.
    virtual std::string ErrorText(std::uint32_t code) const = 0;
};

// The MCI device of the Win32 build; completion notices go to notifyWindow (a window handle).
std::unique_ptr<MediaDevice> CreateMciDevice(void* notifyWindow);

}  // namespace morvel

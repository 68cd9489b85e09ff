#include "player/media_control.h"

namespace morvel {

std::string MediaControl::ErrorMessage() const {
    std::string text = device_.ErrorText(error_);
    return text.empty() ? std::string(kUnknownErrorCode) : text;
}

void MediaControl::RequireOpen() const {
    if (!device_.IsOpen()) throw MediaDeviceError(kNoDeviceOpen);
}

template <typename Command>
void MediaControl::Send(Command command) {
    const DeviceFlags flags = NextFlags();
    wait_ = true;
    notify_ = false;
    error_ = command(flags);
}

bool MediaControl::Open() {
    if (device_.IsOpen()) Close();
    Send([&](DeviceFlags flags) { return device_.Open(FileName, flags); });
    return error_ == 0 && device_.IsOpen();
}

void MediaControl::Close() {
    if (!device_.IsOpen()) return;
    Send([&](DeviceFlags flags) { return device_.Close(flags); });
}

void MediaControl::Play() {
    RequireOpen();
    std::int32_t position = 0, length = 0;
    // A device that has played to the end stands on its last frame (some report the length).
    if (device_.QueryPosition(position) == 0 && device_.QueryLength(length) == 0 && length > 0 &&
        position >= length - 1)
        device_.SeekToStart(DeviceFlags{});
    Send([&](DeviceFlags flags) { return device_.Play(flags); });
}

void MediaControl::Pause() {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.Pause(flags); });
}

void MediaControl::Resume() {
    RequireOpen();
    if (Mode() == Paused)
        Send([&](DeviceFlags flags) { return device_.Resume(flags); });
    else
        Play();
}

void MediaControl::Stop() {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.Stop(flags); });
}

void MediaControl::Previous() {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.SeekToStart(flags); });
}

void MediaControl::Step() {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.Step(Frames, flags); });
}

void MediaControl::Display(void* window) {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.SetDisplayWindow(window, flags); });
}

void MediaControl::DisplayRect(const VideoRect& rect) {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.PutDestination(rect, flags); });
}

void MediaControl::TimeFormatFrames() {
    RequireOpen();
    Send([&](DeviceFlags flags) { return device_.SetTimeFormatFrames(flags); });
}

int MediaControl::Mode() {
    RequireOpen();
    int mode = NotReady;
    error_ = device_.QueryMode(mode);
    return error_ == 0 ? mode : NotReady;
}

std::int32_t MediaControl::Position() {
    RequireOpen();
    std::int32_t frame = 0;
    error_ = device_.QueryPosition(frame);
    return frame;
}

std::int32_t MediaControl::Length() {
    RequireOpen();
    std::int32_t frames = 0;
    error_ = device_.QueryLength(frames);
    return frames;
}

void MediaControl::ButtonCommand(MediaButton button) {
    switch (button) {
        case MediaButton::Play:
            Play();
            break;
        case MediaButton::Pause:
            if (Mode() == Paused)
                Resume();
            else
                Pause();
            break;
        case MediaButton::Stop:
            Stop();
            break;
        case MediaButton::Prev:
            Previous();
            break;
        case MediaButton::Step:
            Step();
            break;
        case MediaButton::Next:
        case MediaButton::Back:
        case MediaButton::Record:
        case MediaButton::Eject:
            break;  // never shown by the player
    }
}

void MediaControl::SetEnabledButtons(std::uint16_t set) {
    enabled_ = set;
    if (onButtonsChanged) onButtonsChanged();
}

void MediaControl::SetVisibleButtons(std::uint16_t set) {
    visible_ = set;
    if (onButtonsChanged) onButtonsChanged();
}

}  // namespace morvel

// A recording media device and a recording player view for the player's rules.
#pragma once

#include <string>
#include <vector>

#include "player/media_device.h"
#include "player/play_modes.h"
#include "player/playback.h"
#include "player/seek_scale.h"

namespace morvel::test {

// Records every command as text ("play wait=0 notify=1", "volume 500", ...), and plays a clip
// of `length` frames by moving `position` only when told to.
class RecordingDevice : public MediaDevice {
public:
    bool open = false;
    int mode = 1;  // stopped
    std::int32_t position = 0;
    std::int32_t length = 100;
    SourceRect source{0, 0, 160, 120};
    std::uint32_t openError = 0;
    std::uint32_t sourceError = 0;  // a clip without a picture: the device cannot say where it is
    std::vector<std::string> log;

    bool IsOpen() const override { return open; }
    std::uint32_t Open(const std::string& path, DeviceFlags flags) override {
        Record("open " + path, flags);
        if (openError != 0) return openError;
        open = true;
        return 0;
    }
    std::uint32_t Close(DeviceFlags flags) override {
        Record("close", flags);
        open = false;
        return 0;
    }
    std::uint32_t Play(DeviceFlags flags) override {
        Record("play", flags);
        mode = 2;
        return 0;
    }
    std::uint32_t Pause(DeviceFlags flags) override {
        Record("pause", flags);
        mode = 5;
        return 0;
    }
    std::uint32_t Resume(DeviceFlags flags) override {
        Record("resume", flags);
        mode = 2;
        return 0;
    }
    std::uint32_t Stop(DeviceFlags flags) override {
        Record("stop", flags);
        mode = 1;
        return 0;
    }
    std::uint32_t SeekToStart(DeviceFlags flags) override {
        Record("seek start", flags);
        position = 0;
        mode = 1;
        return 0;
    }
    std::uint32_t Step(std::int32_t frames, DeviceFlags flags) override {
        Record("step " + std::to_string(frames), flags);
        position += frames;
        return 0;
    }
    std::uint32_t SetDisplayWindow(void*, DeviceFlags flags) override { return Record("window", flags); }
    std::uint32_t PutDestination(const VideoRect& r, DeviceFlags flags) override {
        return Record("put " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
                          "," + std::to_string(r.height),
                      flags);
    }
    std::uint32_t SetTimeFormatFrames(DeviceFlags flags) override { return Record("frames", flags); }
    std::uint32_t QueryMode(int& m) override {
        m = mode;
        return 0;
    }
    std::uint32_t QueryLength(std::int32_t& frames) override {
        frames = length;
        return 0;
    }
    std::uint32_t QueryPosition(std::int32_t& frame) override {
        frame = position;
        return 0;
    }
    std::uint32_t QuerySource(SourceRect& rect) override {
        if (sourceError != 0) return sourceError;
        rect = source;
        return 0;
    }
    std::uint32_t SeekTo(std::int32_t frame) override {
        log.push_back("seek " + std::to_string(frame));
        position = frame;
        mode = 1;
        return 0;
    }
    std::uint32_t Realize() override { return Direct("realize"); }
    std::uint32_t UpdateInto(void*) override { return Direct("update"); }
    std::uint32_t SetAudio(bool on) override { return Direct(on ? "audio on" : "audio off"); }
    std::uint32_t SetVolume(std::int32_t v) override { return Direct("volume " + std::to_string(v)); }
    std::uint32_t SetSpeed(std::int32_t s) override { return Direct("speed " + std::to_string(s)); }
    std::uint32_t Configure() override { return Direct("configure"); }
    std::string ErrorText(std::uint32_t code) const override {
        return code == 263 ? "The specified device is not open or is not recognized by MCI." : "";
    }

    // The clip ran to its end and the device stopped by itself on its last frame.
    void RunToEnd() {
        position = length - 1;
        mode = 1;
    }

private:
    std::uint32_t Record(const std::string& what, DeviceFlags flags) {
        log.push_back(what + " wait=" + std::to_string(flags.wait) + " notify=" + std::to_string(flags.notify));
        return 0;
    }
    std::uint32_t Direct(const std::string& what) {
        log.push_back(what);
        return 0;
    }
};

class RecordingView : public PlayerView {
public:
    explicit RecordingView(VideoPlayback*& playback) : playback_(playback) {}
    bool tickRunning = false;
    int tickStarts = 0;
    std::string caption = "Ready";
    int bar = 0;
    bool loop = false;
    bool quiet = false;
    int closes = 0;
    bool busy = false;

    void StartTick() override {
        tickRunning = true;
        ++tickStarts;
    }
    void StopTick() override { tickRunning = false; }
    void SetStatusCaption(const std::string& text) override { caption = text; }
    int BarPosition() const override { return bar; }
    void SetBarPosition(int position) override {
        if (position == bar) return;
        bar = position;
        if (playback_) playback_->OnSeekBarChanged(position);
    }
    bool LoopChecked() const override { return loop; }
    bool QuietChecked() const override { return quiet; }
    void SetQuietChecked(bool checked) override { quiet = checked; }
    void CloseWindow() override {
        ++closes;
        if (playback_) playback_->ClosePlayback();
    }
    void BusyCursor() override { busy = true; }
    void NormalCursor() override { busy = false; }
    void ProcessMessages() override {}

private:
    VideoPlayback*& playback_;
};

// A player with an opened clip, as activation leaves it.
// What the library object keeps of the player, for the rules to reach through a PlayerSlot.
struct SlotFields : PlayerSlot {
    PlayerSlot& Slot() { return *this; }
};

struct PlayerRig {
    SlotFields host;
    PlayerState state;
    RecordingDevice device;
    MediaControl control{device};
    VideoPlayback* playbackRef = nullptr;
    RecordingView view{playbackRef};
    VideoPlayback playback{host.Slot(), state, control, device, view};

    PlayerRig(std::int32_t playMode, std::int32_t length, std::int32_t option = 0) {
        playbackRef = &playback;
        StartPlayer(host.Slot(), playMode);
        state = OpeningState(option, "c:\\clip.avi");
        device.length = length;
        control.FileName = state.videoFile;
        control.Open();
        host.playerActive = 1;
        playback.ReadVideoSize();
        state.barMax = LastBarValue(state.frameCount);
        control.SetVisibleButtons(buttons::AtActivation);
        device.log.clear();
    }
};

}  // namespace morvel::test

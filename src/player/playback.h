// The player's playback rules: the Play preparation, the status tick with its end logic, the
// media buttons, the seek bar, the menu commands that drive the device, volume and speed, the
// pause-and-re-seek option and the close protocol. The window (TVideoForm) supplies the view;
// the device sits behind the media control.
#pragma once

#include <cstdint>
#include <string>

#include "player/media_control.h"
#include "player/player_options.h"
#include "player/player_state.h"

namespace morvel {

// What the rules need from the window.
class PlayerView {
public:
    virtual ~PlayerView() = default;
    virtual void StartTick() = 0;
    virtual void StopTick() = 0;
    virtual void SetStatusCaption(const std::string& text) = 0;
    virtual int BarPosition() const = 0;
    // Moves the seek bar; the bar reports the change (OnSeekBarChanged) as a user's move would.
    virtual void SetBarPosition(int position) = 0;
    virtual bool LoopChecked() const = 0;
    virtual bool QuietChecked() const = 0;
    virtual void SetQuietChecked(bool checked) = 0;
    virtual void CloseWindow() = 0;
    virtual void BusyCursor() = 0;
    virtual void NormalCursor() = 0;
    // Lets the messages pending for the thread run; only as the last step of a handler, since
    // the window may be gone afterwards.
    virtual void ProcessMessages() = 0;
};

inline constexpr std::uint16_t kReseekOption = 8;

// VideoWinPlayer95's first step: the play mode, kept even when the clip fails to open, and no
// close request pending (one made while no window was open was meant for none).
void StartPlayer(PlayerSlot& slot, std::int32_t playMode);
// A new window's state: the option's low 16 bits, the clip, volume and speed afresh.
PlayerState OpeningState(std::int32_t option, std::string videoFile);
// VideoWinPlayer95's last step, once the window is on screen: the player is active, and play
// mode 1 plays at its own volume.
void PlayerShown(PlayerSlot& slot, PlayerState& state);

class VideoPlayback {
public:
    VideoPlayback(PlayerSlot& slot, PlayerState& state, MediaControl& control, MediaDevice& device, PlayerView& view)
        : slot_(slot), state_(state), control_(control), device_(device), view_(view) {}

    void PlayPreparation();
    void OnTick();
    void OnMediaButton(MediaButton button);
    void OnDeviceNotice();
    void ShowStepFrame();
    void ReadVideoSize();
    void SendVolume();
    void SendSpeed();
    void Play();
    void Pause();
    void ToggleQuiet();
    void OnSeekBarChanged(int barPosition);
    void OnSeekBarScrolled();
    void OnSeekBarReleased();
    // Esc, "Close and E&xit " and VideoWinClose95 (after it has cleared the play mode): closes at
    // once when a request is pending, else records one and starts the tick, as the stop button
    // does, so that a paused or ended clip closes at the next tick too.
    void CloseRequestFromUser();
    // The device side of closing; the window is destroyed by the caller.
    void ClosePlayback();
    void PauseForChange();
    void ReseekFrame();
    // The options dialog's opening step: stop the tick, pause a playing clip.
    void PauseForOptions();
    void OptionsAccepted(const PlaybackValues& values);

private:
    bool DeviceOpen() const { return control_.IsOpen(); }
    // Reads the position into framePosition and moves the bar without a seek text; returns the mode.
    int ReadPosition();

    PlayerSlot& slot_;
    PlayerState& state_;
    MediaControl& control_;
    MediaDevice& device_;
    PlayerView& view_;
};

}  // namespace morvel

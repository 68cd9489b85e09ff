#include "player/playback.h"

#include <utility>

#include "player/play_modes.h"
#include "player/seek_scale.h"

namespace morvel {

void StartPlayer(PlayerSlot& slot, std::int32_t playMode) {
    slot.playMode = playMode;
    slot.closeRequest = false;
}

PlayerState OpeningState(std::int32_t option, std::string videoFile) {
    PlayerState state;
    state.playOption = static_cast<std::uint16_t>(static_cast<std::uint32_t>(option) & 0xFFFFu);
    state.videoFile = std::move(videoFile);
    return state;
}

void PlayerShown(PlayerSlot& slot, PlayerState& state) {
    slot.playerActive = 1;
    state.volume = TraitsOf(slot.playMode).openingVolume;
}

void VideoPlayback::PlayPreparation() {
    control_.SetVisibleButtons(buttons::WhilePlaying);
    view_.StartTick();
    control_.SetNextNoWait();
    control_.SetNextNotify();
    if (TraitsOf(slot_.playMode).sendsVolumeAndSpeed) {
        SendVolume();
        SendSpeed();
    }
}

int VideoPlayback::ReadPosition() {
    const int mode = control_.Mode();
    state_.framePosition = control_.Position();
    state_.tickMovesBar = true;
    view_.SetBarPosition(BarValueOfFrame(state_.framePosition, state_.frameCount));
    state_.tickMovesBar = false;
    return mode;
}

void VideoPlayback::OnTick() {
    if (state_.closing || !DeviceOpen()) return;
    const bool stopped = control_.Mode() == Stopped;
    if (stopped) view_.StopTick();
    const int mode = ReadPosition();
    view_.SetStatusCaption(TickStatusText(mode, state_.framePosition));
    if (stopped) {
        const StopPoint stop{view_.BarPosition(), state_.barMax, state_.framePosition, state_.frameCount};
        switch (EndOfClip(stop, slot_.playMode, view_.LoopChecked(), state_.firstStop)) {
            case EndAction::ShowStoppedBefore:
                control_.SetVisibleButtons(buttons::StoppedBefore);
                break;
            case EndAction::Loop:
                if (TraitsOf(slot_.playMode).rewindBeforeLoop) control_.Previous();
                PlayPreparation();
                control_.Play();
                break;
            case EndAction::KeepButtons:
                break;
            case EndAction::ShowStoppedAtEnd:
                control_.SetVisibleButtons(buttons::StoppedAtEnd);
                break;
        }
    }
    if (slot_.closeRequest) view_.CloseWindow();
}

void VideoPlayback::OnMediaButton(MediaButton button) {
    switch (button) {
        case MediaButton::Play:
            PlayPreparation();
            break;
        case MediaButton::Pause:
            control_.SetVisibleButtons(buttons::StoppedBefore);
            view_.StopTick();
            break;
        case MediaButton::Stop:
            view_.BusyCursor();
            slot_.closeRequest = true;
            view_.StartTick();
            break;
        case MediaButton::Prev:
            control_.SetVisibleButtons(buttons::StoppedBefore);
            view_.SetBarPosition(0);
            view_.SetStatusCaption("Ready");
            break;
        case MediaButton::Step:
            ShowStepFrame();
            break;
        default:
            return;  // next, back, record and eject are never shown
    }
    control_.ButtonCommand(button);
}

void VideoPlayback::OnDeviceNotice() {
    control_.SetNextNotify();
    view_.ProcessMessages();
}

void VideoPlayback::ShowStepFrame() {
    if (!DeviceOpen()) return;
    const int mode = ReadPosition();
    view_.SetStatusCaption(StepStatusText(mode, state_.framePosition));
}

void VideoPlayback::ReadVideoSize() {
    // A clip whose device cannot say where its picture is has none: no size of a previous clip.
    SourceRect source;
    if (device_.QuerySource(source) != 0) source = {};
    state_.videoWidth = static_cast<std::uint16_t>(source.right & 0xFFFF);
    state_.videoHeight = static_cast<std::uint16_t>(source.bottom & 0xFFFF);
    std::int32_t length = 0;
    state_.frameCount = device_.QueryLength(length) == 0 ? length : 0;
}

void VideoPlayback::SendVolume() {
    if (!DeviceOpen()) return;
    view_.StopTick();
    device_.SetVolume(state_.volume);
    view_.StartTick();
}

void VideoPlayback::SendSpeed() {
    if (!DeviceOpen()) return;
    view_.StopTick();
    device_.SetSpeed(state_.speed);
    view_.StartTick();
}

void VideoPlayback::Play() {
    if (!DeviceOpen()) return;
    const int mode = control_.Mode();
    if (mode != Stopped && mode != Paused) return;
    PlayPreparation();
    control_.Play();
}

void VideoPlayback::Pause() {
    if (!DeviceOpen() || control_.Mode() != Playing) return;
    control_.SetVisibleButtons(buttons::StoppedBefore);
    view_.StopTick();
    control_.Pause();
}

void VideoPlayback::ToggleQuiet() {
    if (!DeviceOpen()) return;
    view_.BusyCursor();
    const bool quiet = view_.QuietChecked();
    device_.SetAudio(quiet);
    view_.SetQuietChecked(!quiet);
    view_.NormalCursor();
    view_.ProcessMessages();
}

void VideoPlayback::OnSeekBarChanged(int barPosition) {
    if (state_.tickMovesBar) return;
    view_.SetStatusCaption(SeekStatusText(FrameOfBarValue(barPosition, state_.frameCount)));
}

void VideoPlayback::OnSeekBarScrolled() {
    if (!DeviceOpen() || control_.Mode() != Playing) return;
    view_.StopTick();
    control_.Pause();
    control_.SetVisibleButtons(buttons::StoppedBefore);
}

void VideoPlayback::OnSeekBarReleased() {
    if (!DeviceOpen()) return;
    view_.BusyCursor();
    device_.SeekTo(FrameOfBarValue(view_.BarPosition(), state_.frameCount));
    view_.NormalCursor();
    control_.SetVisibleButtons(buttons::StoppedBefore);
}

void VideoPlayback::CloseRequestFromUser() {
    if (TakeCloseRequest(slot_, true))
        view_.CloseWindow();
    else
        view_.StartTick();
}

void VideoPlayback::ClosePlayback() {
    view_.BusyCursor();
    state_.closing = true;
    view_.StopTick();
    if (DeviceOpen()) {
        if (control_.Mode() != Stopped) control_.Stop();
        control_.Close();
    }
    state_.closing = false;
    slot_.closeRequest = false;
    slot_.playMode = 0;
    slot_.playerActive = 0;
    view_.NormalCursor();
}

void VideoPlayback::PauseForChange() {
    if (state_.playOption != kReseekOption || !DeviceOpen() || control_.Mode() != Playing) return;
    PlayPreparation();
    control_.Pause();
}

void VideoPlayback::ReseekFrame() {
    if (state_.playOption != kReseekOption || !DeviceOpen()) return;
    view_.BusyCursor();
    device_.SeekTo(FrameOfBarValue(view_.BarPosition(), state_.frameCount));
    view_.NormalCursor();
    control_.SetVisibleButtons(buttons::StoppedBefore);
}

void VideoPlayback::PauseForOptions() {
    view_.StopTick();
    if (control_.Mode() == Playing) {
        control_.Pause();
        control_.SetVisibleButtons(buttons::StoppedBefore);
    }
}

void VideoPlayback::OptionsAccepted(const PlaybackValues& values) {
    state_.volume = values.volume;
    state_.speed = values.speed;
}

}  // namespace morvel

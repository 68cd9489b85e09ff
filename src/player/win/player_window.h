// TVideoForm: the video player window. The entry points (player_exports.cpp) create it, open
// the clip and show it; from then on it lives in the host's message loop until it closes, and it
// deletes itself with its window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"
#include "hostlink/win/library.h"
#include "player/media_control.h"
#include "player/media_device.h"
#include "player/playback.h"
#include "player/player_menu.h"
#include "player/player_state.h"
#include "player/video_fit.h"
#include "player/win/player_panels.h"
#include "player/win/seek_bar.h"

namespace morvel {

class TVideoForm final : public win::Window, public PlayerView {
public:
    // Creates the hidden window for a player starting in `state`, centred at its design size;
    // null when the system refuses it. The window is library.player.window until it is destroyed.
    static TVideoForm* Create(PlayerState state);

    bool Destroyed() const { return hwnd() == nullptr; }
    // The device driver's configuration dialog is open: the player cannot close until it returns.
    bool InDriverDialog() const { return inDriverDialog_; }
    MediaControl& Media() { return *control_; }
    const PlayerState& State() const { return state_; }
    // Runs the activation while the window is still hidden (sized to the clip, the display
    // attached, the tick started), then shows the window, which activates it. A failure has
    // shown its box and closed the window.
    void ShowAndActivate();
    // The last step of opening, once the window is on screen.
    void Shown() { PlayerShown(library.player.slot, state_); }
    // Closes the window at once, as a second close request does.
    void CloseNow();
    // The host's close request (VideoWinClose95), handled as Esc is.
    void CloseRequest();
    // Destroys the window of a clip that did not open; the player state stays as it is.
    void DestroyWithoutClosing();

    // PlayerView
    void StartTick() override;
    void StopTick() override;
    void SetStatusCaption(const std::string& text) override { SetWindowTextA(statusPanel_, text.c_str()); }
    int BarPosition() const override { return seekBar_.Position(); }
    void SetBarPosition(int position) override { seekBar_.SetPosition(position); }
    bool LoopChecked() const override { return menuState_.loop; }
    bool QuietChecked() const override { return menuState_.quiet; }
    void SetQuietChecked(bool checked) override { menuState_.quiet = checked; }
    void CloseWindow() override;
    void BusyCursor() override;
    void NormalCursor() override;
    void ProcessMessages() override;

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override { delete this; }
    // The window's keys, wherever its focus is; the table is KeyCommand's.
    bool KeyPreview(const MSG& msg) override;
    // A failing handler ends the player with its error box (creation and destruction excepted).
    void ReportFailure(UINT msg, const std::exception* failure) override;

private:
    explicit TVideoForm(PlayerState state) : state_(std::move(state)) {}

    void OnCreate();
    void OnFirstShow();
    // The player's side of closing: device stopped and closed, state reset. The window is
    // destroyed by the caller.
    void ClosePlayer();
    void OnDestroy();
    void Layout();
    WindowChrome Chrome() const;
    void SetWindowSize(const WindowSize& size);
    // Fits the seek bar, the media bar and the picture to the window, then re-seeks and attaches
    // the display again: the end of activation and of every resize.
    void RefitAndRedisplay();
    void UpdateVideo();
    void RedrawVideoFrame();
    // Both: the tick stopped; the palette realised, or the current frame redrawn into the
    // window; the display attached to videoPanel_ at its size; the tick started.
    void RedisplayVideo(bool redrawFrame);
    void PaintVideo(HDC dc);
    void FitVideo();
    void OnResized();
    // The pause-layout-resume sequence of zoom, optimize and the status toggle: hourglass, the
    // clip paused (option 8) and the tick stopped, `change` with layoutBusy set, then one
    // OnResized and the tick again.
    template <typename Change>
    void ChangeLayout(Change change);
    void ZoomVideo(std::int16_t factor);
    void OptimizeSize();
    void ToggleStatusBar();
    void StopUpdates();
    void SetUpdateRate(std::size_t index);
    void ConfigureDevice();
    void ShowPlaybackOptions();
    void ShowMenuAtButton();
    void ShowMenu(int x, int y);
    bool CommandKey(WPARAM key, LPARAM flags);
    void EndBusyWaits();
    void RunCommand(PlayerCommand command);
    bool ControlNotification(WPARAM wParam, LPARAM lParam);
    void PlayerError();

    PlayerState state_;
    DesignScale scale_ = win::ScreenScale();
    // Children: panels and bar are owned by their windows; the form keeps their handles.
    HWND videoBackground_ = nullptr, videoPanel_ = nullptr, imageHolder_ = nullptr, controlStrip_ = nullptr,
         mediaPanel_ = nullptr;
    HWND seekPanel_ = nullptr, menuPanel_ = nullptr, menuButton_ = nullptr, statusPanel_ = nullptr, mediaBar_ = nullptr;
    SeekBar seekBar_;
    win::Font formFont_, statusFont_;
    std::unique_ptr<MediaDevice> device_;
    std::unique_ptr<MediaControl> control_;
    std::unique_ptr<VideoPlayback> playback_;
    int busyWaits_ = 0;  // the hourglass's waits this window has open
    bool tickRunning_ = false;
    unsigned tickInterval_ = kDefaultTickMs;
    PlayerMenuState menuState_;
    bool activated_ = false, closing_ = false, inError_ = false;
    bool inDriverDialog_ = false, closeAfterDialog_ = false;
};

}  // namespace morvel

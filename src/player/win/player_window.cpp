#include "player/win/player_window.h"

#include <algorithm>
#include <stdexcept>

#include "common/win/guard.h"
#include "common/win/message_box.h"
#include "common/win/modal.h"
#include "hostlink/win/library.h"
#include "morvel32.h"
#include "player/play_modes.h"
#include "player/player_keys.h"
#include "player/seek_scale.h"
#include "player/win/media_bar.h"
#include "player/win/playback_options_dialog.h"

namespace morvel {

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kMsgCloseNow = WM_APP + 0x510;      // close the window at once
constexpr UINT kMsgCloseRequest = WM_APP + 0x513;  // the host's close request

// Sizes of the window's parts, in design pixels: at 96 dpi the bottom bar is 31 pixels high, the
// status line 22, the media bar 73 x 27, the menu button 31 x 27 and the seek bar 18 high, and
// each grows with the screen's resolution.
constexpr int kDesignWidth = 216, kDesignHeight = 270;
constexpr int kControlStripHeight = 39, kStatusHeight = 28, kMediaPanelWidth = 91, kMenuPanelWidth = 40;
constexpr int kBarLeft = 1, kBarTop = 5, kBarHeight = 23, kBarMargin = 5;
constexpr int kButtonTop = 3, kMenuButtonWidth = 39, kButtonHeight = 34;
// The form's fonts: Arial bold of 18 and 15 pixels at 96 dpi.
constexpr int kFormFontHeight = 23, kStatusFontHeight = 19;

win::WindowClass FormClass() {
    return {.name = "TVideoForm",
            .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
            .icon = reinterpret_cast<LPCSTR>(IDI_APPLICATION)};
}

}  // namespace

TVideoForm* TVideoForm::Create(PlayerState state) {
    const DesignScale scale = win::ScreenScale();
    const int width = scale(kDesignWidth);
    const int height = scale(kDesignHeight);
    auto* form = new TVideoForm(std::move(state));
    const HWND window = CreateOwned(std::unique_ptr<Window>(form), FormClass(),
                                    {.title = "Video",
                                     .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                     .exStyle = WS_EX_TOPMOST,
                                     .x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                     .y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                                     .width = width,
                                     .height = height});
    if (window == nullptr) return nullptr;  // the object went with the refused window
    // What the frame and caption add to the client area, read from the window itself: the sum of
    // the frame metrics is one pixel short under some systems, which cut the clip's last row.
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    form->state_.frameExtraX = static_cast<std::uint16_t>((outer.right - outer.left) - client.right);
    form->state_.frameExtraY = static_cast<std::uint16_t>((outer.bottom - outer.top) - client.bottom);
    library.player.window = form;
    // The window sees the keys of every focusable control first: a press on the menu button that
    // does not end as a click leaves the focus there.
    form->TakeKeysFromHostLoop();
    return form;
}

void TVideoForm::OnCreate() {
    formFont_.Reset(win::CreateUiFont({.face = "Arial", .designHeight = kFormFontHeight, .bold = true}));
    statusFont_.Reset(win::CreateUiFont({.face = "Arial", .designHeight = kStatusFontHeight, .bold = true}));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    const PanelLook black{.colour = RGB(0, 0, 0)};
    const PanelLook face{};
    const auto panel = [](HWND parent, int id, PanelLook look) {
        return PlayerPanel::Create(parent, id, std::move(look));
    };

    videoBackground_ = panel(hwnd(), MORVEL_ID_VIDEOWINBACK, black);
    videoPanel_ = panel(videoBackground_, MORVEL_ID_VIDEOWIN,
                        {.colour = RGB(0, 0, 0), .paint = [this](HDC dc) { PaintVideo(dc); }});
    imageHolder_ = win::CreateChild(hwnd(), {.id = MORVEL_ID_IMAGE1, .visible = false});
    controlStrip_ = panel(hwnd(), MORVEL_ID_PANEL4, face);
    mediaPanel_ = panel(controlStrip_, MORVEL_ID_MEDIAPANEL, face);
    mediaBar_ = MediaBar::Create(mediaPanel_, MORVEL_ID_MEDIAPLAYER1, 0, scale_(kButtonTop), scale_(kMediaPanelWidth),
                                 scale_(kButtonHeight));
    seekPanel_ = panel(controlStrip_, MORVEL_ID_PANEL2, face);
    seekBar_.Create(seekPanel_, MORVEL_ID_XSCROLLBAR1, scale_(kBarLeft), scale_(kBarTop), 10, scale_(kBarHeight));
    menuPanel_ = panel(controlStrip_, MORVEL_ID_MENUPANEL, face);
    menuButton_ = win::CreateChild(menuPanel_, {.className = "BUTTON",
                                              .id = MORVEL_ID_MENUBUTTON,
                                              .style = BS_OWNERDRAW,
                                              .x = 0,
                                              .y = scale_(kButtonTop),
                                              .width = scale_(kMenuButtonWidth),
                                              .height = scale_(kButtonHeight),
                                              .visible = false});
    statusPanel_ = panel(hwnd(), MORVEL_ID_STATUS, {.loweredBevel = true, .showsText = true, .font = statusFont_.get()});
    if (!videoBackground_ || !videoPanel_ || !controlStrip_ || !mediaPanel_ || !mediaBar_ || !seekPanel_ || !seekBar_.Handle() ||
        !menuPanel_ || !menuButton_ || !statusPanel_)
        throw std::runtime_error("Unable to create the video window.");
    SetWindowTextA(statusPanel_, "Ready");

    device_ = CreateMciDevice(mediaBar_);
    control_ = std::make_unique<MediaControl>(*device_);
    playback_ = std::make_unique<VideoPlayback>(library.player.slot, state_, *control_, *device_, *this);
    MediaBar::Attach(mediaBar_, *control_);

    seekBar_.OnChange = [this] { playback_->OnSeekBarChanged(seekBar_.Position()); };
    seekBar_.OnScroll = [this](int) { playback_->OnSeekBarScrolled(); };
    seekBar_.OnMouseDown = [this] { playback_->OnSeekBarReleased(); };
    Layout();
}

WindowChrome TVideoForm::Chrome() const {
    // The seek bar keeps room for its two arrows and a thumb as wide as an arrow.
    const int minClientWidth =
        scale_(kMediaPanelWidth) + scale_(kMenuPanelWidth) + scale_(kBarMargin) + 3 * GetSystemMetrics(SM_CXHSCROLL);
    return {state_.frameExtraX, state_.frameExtraY, menuState_.statusVisible ? scale_(kStatusHeight) : 0,
            scale_(kControlStripHeight), minClientWidth};
}

void TVideoForm::SetWindowSize(const WindowSize& size) {
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVideoForm::Layout() {
    RECT client;
    GetClientRect(hwnd(), &client);
    const int width = client.right, height = client.bottom;
    const int strip = scale_(kControlStripHeight), status = scale_(kStatusHeight);
    const int media = scale_(kMediaPanelWidth), menu = scale_(kMenuPanelWidth);
    const int statusHeight = menuState_.statusVisible ? status : 0;
    const int videoHeight = std::max(0, height - statusHeight - strip);
    MoveWindow(statusPanel_, 0, height - status, width, status, TRUE);
    MoveWindow(controlStrip_, 0, videoHeight, width, strip, TRUE);
    MoveWindow(videoBackground_, 0, 0, width, videoHeight, TRUE);
    MoveWindow(mediaPanel_, 0, 0, std::min(media, width), strip, TRUE);
    const int menuLeft = std::max(media, width - menu);
    MoveWindow(menuPanel_, menuLeft, 0, menu, strip, TRUE);
    MoveWindow(seekPanel_, media, 0, std::max(0, menuLeft - media), strip, TRUE);
}

void TVideoForm::ShowAndActivate() {
    // The activation's work (the clip's size, the layout, the display) is done while the window
    // is still hidden: it then appears once, at the clip's size and painted once, where showing
    // it first would lay out and paint it at the design size, then again at the clip's. Its
    // top-left corner is where the centred design-size window has it, as before.
    win::GuardedWith(
        0,
        [&] {
            OnFirstShow();
            return 0;
        },
        [&](const std::exception*) { PlayerError(); });
    if (Destroyed()) return;
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

// Runs once, as VideoWinPlayer95 shows the window; the messages pending meanwhile run when the
// entry point lets them, right after.
void TVideoForm::OnFirstShow() {
    if (library.player.slot.playerActive == 1 || state_.closing || activated_) return;
    activated_ = true;
    control_->SetEnabledButtons(buttons::Enabled);
    control_->SetVisibleButtons(buttons::AtActivation);
    BusyCursor();
    state_.layoutBusy = true;
    control_->Display(videoPanel_);
    control_->TimeFormatFrames();
    control_->Frames = 1;
    playback_->ReadVideoSize();
    state_.barMax = LastBarValue(state_.frameCount);
    seekBar_.SetMax(state_.barMax);
    // A clip without a picture keeps the design size; its video area stays black.
    if (state_.videoWidth != 0 && state_.videoHeight != 0)
        SetWindowSize(WindowForPicture(Chrome(), state_.videoWidth, state_.videoHeight));
    // A device just opened is stopped already, and stopping it again takes the driver as long as
    // opening it did.
    if (control_->Mode() != Stopped) control_->Stop();
    RefitAndRedisplay();
    state_.layoutBusy = false;
    ShowWindow(mediaBar_, SW_SHOW);
    ShowWindow(menuButton_, SW_SHOW);
    NormalCursor();
}

void TVideoForm::RefitAndRedisplay() {
    const HWND bar = seekBar_.Handle();
    RECT seekArea;
    GetClientRect(seekPanel_, &seekArea);
    ShowWindow(bar, SW_HIDE);
    MoveWindow(bar, scale_(kBarLeft), scale_(kBarTop), std::max(0, static_cast<int>(seekArea.right) - scale_(kBarMargin)),
               scale_(kBarHeight), TRUE);
    MoveWindow(mediaBar_, 0, scale_(kButtonTop), scale_(kMediaPanelWidth), scale_(kButtonHeight), TRUE);
    FitVideo();
    ShowWindow(bar, SW_SHOW);
    playback_->ReseekFrame();
    UpdateVideo();
}

void TVideoForm::StartTick() {
    // A modal loop of a handler (the driver's dialog) may have seen the window destroyed: no
    // timer of the thread in its place.
    if (Destroyed()) return;
    SetTimer(hwnd(), kTickTimer, tickInterval_, nullptr);
    tickRunning_ = true;
}

void TVideoForm::StopTick() {
    if (tickRunning_) KillTimer(hwnd(), kTickTimer);
    tickRunning_ = false;
}

// The hourglass holds across mouse moves until its wait is over; waits nest (a fit inside a
// resize), and whatever is left goes with the window at the latest.
void TVideoForm::BusyCursor() {
    win::BusyCursor::Begin();
    ++busyWaits_;
}

void TVideoForm::NormalCursor() {
    if (busyWaits_ == 0) return;
    --busyWaits_;
    win::BusyCursor::End();
}

void TVideoForm::EndBusyWaits() {
    while (busyWaits_ > 0) NormalCursor();
}

void TVideoForm::ProcessMessages() {
    win::PumpPending();
}

void TVideoForm::UpdateVideo() {
    RedisplayVideo(false);
}

void TVideoForm::RedrawVideoFrame() {
    RedisplayVideo(true);
}

void TVideoForm::RedisplayVideo(bool redrawFrame) {
    if (!control_->IsOpen()) return;
    StopTick();
    if (redrawFrame) {
        const HDC dc = GetDC(hwnd());
        device_->UpdateInto(dc);
        ReleaseDC(hwnd(), dc);
    } else {
        device_->Realize();
    }
    control_->SetNextWait();
    control_->Display(videoPanel_);
    RECT r;
    GetClientRect(videoPanel_, &r);
    control_->DisplayRect({0, 0, r.right, r.bottom});
    StartTick();
}

void TVideoForm::PaintVideo(HDC dc) {
    // The device draws while it plays; an uncovered picture is redrawn from its current frame.
    if (control_ && control_->IsOpen() && activated_ && !state_.closing) device_->UpdateInto(dc);
}

void TVideoForm::FitVideo() {
    if (!control_->IsOpen()) return;
    BusyCursor();
    RECT area;
    GetClientRect(videoBackground_, &area);
    const VideoRect fit = ::morvel::FitVideo(area.right, area.bottom, state_.videoWidth, state_.videoHeight);
    MoveWindow(videoPanel_, fit.left, fit.top, fit.width, fit.height, TRUE);
    NormalCursor();
}

void TVideoForm::OnResized() {
    if (!control_->IsOpen() || state_.layoutBusy || !activated_ || library.player.slot.playerActive == 0) return;
    BusyCursor();
    state_.layoutBusy = true;
    playback_->PauseForChange();
    RefitAndRedisplay();
    state_.layoutBusy = false;
    NormalCursor();
}

template <typename Change>
void TVideoForm::ChangeLayout(Change change) {
    BusyCursor();
    playback_->PauseForChange();
    StopTick();
    state_.layoutBusy = true;
    change();
    state_.layoutBusy = false;
    OnResized();
    StartTick();
    NormalCursor();
}

void TVideoForm::ZoomVideo(std::int16_t factor) {
    ChangeLayout([&] {
        const auto size = ZoomWindowSize(factor, state_.videoWidth, state_.videoHeight, Chrome(),
                                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        if (size) SetWindowSize(*size);
    });
}

void TVideoForm::OptimizeSize() {
    ChangeLayout([&] {
        RECT video;
        GetClientRect(videoPanel_, &video);
        SetWindowSize(WindowForPicture(Chrome(), video.right, video.bottom));
    });
}

void TVideoForm::ToggleStatusBar() {
    ChangeLayout([&] {
        menuState_.statusVisible = !menuState_.statusVisible;
        ShowWindow(statusPanel_, menuState_.statusVisible ? SW_SHOW : SW_HIDE);
        Layout();
    });
}

void TVideoForm::StopUpdates() {
    StopTick();
    menuState_.updateIndex = UpdateRates.size();  // none checked
}

void TVideoForm::SetUpdateRate(std::size_t index) {
    StopUpdates();
    menuState_.updateIndex = index;
    tickInterval_ = UpdateRates[index].intervalMs;
    StartTick();
}

void TVideoForm::ConfigureDevice() {
    if (!control_->IsOpen()) return;
    StopTick();
    control_->SetNextWait();
    control_->Pause();
    control_->SetVisibleButtons(buttons::StoppedBefore);
    BusyCursor();
    // The driver's dialog runs its own loop, in which the host's calls arrive: a close waits for
    // the dialog to return, so that the device is never closed under it.
    inDriverDialog_ = true;
    device_->Configure();
    inDriverDialog_ = false;
    if (closeAfterDialog_) return CloseWindow();
    StartTick();
    if (TraitsOf(library.player.slot.playMode).relayoutAfterConfigure) OnResized();
    NormalCursor();
}

void TVideoForm::ShowPlaybackOptions() {
    if (!control_->IsOpen()) return;
    playback_->PauseForOptions();
    const auto chosen = RunPlaybackOptions(hwnd(), library.player.slot.playMode, {state_.volume, state_.speed});
    if (chosen) playback_->OptionsAccepted(AcceptedPlaybackValues(chosen->volume, chosen->speed));
}

void TVideoForm::ShowMenuAtButton() {
    RECT window;
    GetWindowRect(hwnd(), &window);
    const ScreenPoint at =
        MenuButtonPoint(window.left, window.top, window.right - window.left, window.bottom - window.top);
    ShowMenu(at.x, at.y);
}

void TVideoForm::ShowMenu(int x, int y) {
    const HMENU menu = CreatePlayerMenu(PlayerMenu(library.player.slot.playMode, menuState_));
    SetForegroundWindow(hwnd());
    // The chosen item comes back as WM_COMMAND, to the one dispatcher.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    DestroyMenu(menu);  // destroys the submenus with it
}

bool TVideoForm::CommandKey(WPARAM key, LPARAM flags) {
    if (flags & (1L << 30)) return KeyCommand(static_cast<int>(key), {}) != PlayerCommand::None;  // auto-repeat
    const auto down = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
    const KeyModifiers modifiers{down(VK_SHIFT), down(VK_CONTROL), down(VK_MENU),
                                 down(VK_LBUTTON) || down(VK_RBUTTON) || down(VK_MBUTTON)};
    const PlayerCommand command = KeyCommand(static_cast<int>(key), modifiers);
    if (command == PlayerCommand::None) return false;
    if (command == PlayerCommand::Menu) {
        // Ctrl+M also became a carriage return in the queue; left there it would close the menu.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE) && msg.wParam == '\r')
            PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE);
    }
    RunCommand(command);
    return true;
}

void TVideoForm::RunCommand(PlayerCommand command) {
    if (const int factor = ZoomFactorOf(command)) return ZoomVideo(static_cast<std::int16_t>(factor));
    if (const int rate = UpdateRateIndexOf(command); rate >= 0) return SetUpdateRate(static_cast<std::size_t>(rate));
    switch (command) {
        case PlayerCommand::CloseRequest:
            return playback_->CloseRequestFromUser();
        case PlayerCommand::Play:
            return playback_->Play();
        case PlayerCommand::Pause:
            return playback_->Pause();
        case PlayerCommand::Menu:
            return ShowMenuAtButton();
        case PlayerCommand::Optimize:
            return OptimizeSize();
        case PlayerCommand::StatusBar:
            return ToggleStatusBar();
        case PlayerCommand::Configure:
            return ConfigureDevice();
        case PlayerCommand::Options:
            return ShowPlaybackOptions();
        case PlayerCommand::Quiet:
            return playback_->ToggleQuiet();
        case PlayerCommand::Loop:
            menuState_.loop = !menuState_.loop;
            return;
        default:
            return;
    }
}

bool TVideoForm::ControlNotification(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    const WORD code = HIWORD(wParam);
    if (from == mediaBar_ && code == MediaBar::kDeviceNotify) {
        playback_->OnDeviceNotice();
        return true;
    }
    if (from == mediaBar_ && code >= MediaBar::kClickNotify && code < MediaBar::kClickNotify + kMediaButtonCount) {
        playback_->OnMediaButton(static_cast<MediaButton>(code - MediaBar::kClickNotify));
        return true;
    }
    if (from == menuButton_ && code == BN_CLICKED) {
        RunCommand(PlayerCommand::Menu);
        // The menu's loop runs the host's calls, which may have closed the window.
        if (!Destroyed()) SetFocus(hwnd());
        return true;
    }
    return seekBar_.HandleCommand(wParam, lParam);
}

void TVideoForm::PlayerError() {
    if (inError_ || Destroyed()) return;
    inError_ = true;
    EndBusyWaits();
    SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowMessage(hwnd(), BoxKind::Error, control_ ? control_->ErrorMessage() : std::string(kUnknownErrorCode));
    inError_ = false;
    CloseWindow();
}

void TVideoForm::ReportFailure(UINT msg, const std::exception* failure) {
    if (msg == WM_CREATE || msg == WM_DESTROY || msg == WM_NCDESTROY) return Window::ReportFailure(msg, failure);
    PlayerError();
}

void TVideoForm::CloseWindow() {
    if (closing_) return;  // also set for every window already destroyed
    if (inDriverDialog_) {
        closeAfterDialog_ = true;
        return;
    }
    ClosePlayer();
    DestroyWindow(hwnd());
}

void TVideoForm::ClosePlayer() {
    closing_ = true;
    try {
        playback_->ClosePlayback();
    } catch (...) {
        // The device is released with the window whatever it answered.
    }
    StopTick();
    state_.closing = false;
    library.player.slot.closeRequest = false;
    library.player.slot.playMode = 0;
    library.player.slot.playerActive = 0;
    NormalCursor();
}

void TVideoForm::CloseNow() {
    SendMessageA(hwnd(), kMsgCloseNow, 0, 0);
}

void TVideoForm::CloseRequest() {
    SendMessageA(hwnd(), kMsgCloseRequest, 0, 0);
}

void TVideoForm::DestroyWithoutClosing() {
    closing_ = true;
    DestroyWindow(hwnd());
}

void TVideoForm::OnDestroy() {
    // Destroyed from outside (the host's DestroyWindow): the player ends as a close ends it.
    if (!closing_) ClosePlayer();
    StopTick();
    KillTimer(hwnd(), kTickTimer);
    if (control_) control_->Close();
}

bool TVideoForm::KeyPreview(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    return CommandKey(msg.wParam, msg.lParam);
}

LRESULT TVideoForm::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SETFOCUS:
            // The window keeps the keyboard itself unless a control had it when it was left.
            if (IsChild(hwnd(), RememberedFocus()) && win::CanTakeFocus(RememberedFocus()))
                return DefaultMessage(msg, wParam, lParam);
            return 0;
        case WM_GETMINMAXINFO: {
            // Never narrower than the bottom bar with a usable seek bar.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const WindowChrome chrome = Chrome();
            limits->ptMinTrackSize.x = std::max<LONG>(limits->ptMinTrackSize.x, chrome.frameExtraX + chrome.minClientWidth);
            return 0;
        }
        case WM_SIZE:
            Layout();
            if (wParam != SIZE_MINIMIZED) OnResized();
            return 0;
        case WM_TIMER:
            if (wParam == kTickTimer) playback_->OnTick();
            return 0;
        case WM_COMMAND:
            // Menu items and accelerators come without a control; a control's other
            // notifications are not commands.
            if (lParam == 0)
                RunCommand(CommandOfMenuId(LOWORD(wParam)));
            else
                ControlNotification(wParam, lParam);
            return 0;
        case WM_CONTEXTMENU: {
            const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
            if (x == -1 && y == -1)
                ShowMenuAtButton();
            else
                ShowMenu(x, y);
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID != MORVEL_ID_MENUBUTTON) break;
            DrawMenuButton(*item);
            return TRUE;
        }
        case kMsgPanelClick:  // a click on the video area's background or on the picture
            if (wParam == MORVEL_ID_VIDEOWIN || wParam == MORVEL_ID_VIDEOWINBACK) UpdateVideo();
            return 0;
        case WM_LBUTTONUP:
            UpdateVideo();
            return 0;
        case WM_PALETTECHANGED:
            switch (PaletteChangeAction(library.player.slot.playMode, state_.closing,
                                        reinterpret_cast<HWND>(wParam) == hwnd())) {
                case PaletteAction::Ignore:
                    return 0;
                case PaletteAction::DefaultOnly:
                    break;
                case PaletteAction::RepaintFrame:
                    RedrawVideoFrame();
                    return 0;
            }
            break;
        case kMsgCloseRequest:
            playback_->CloseRequestFromUser();
            return 0;
        case kMsgCloseNow:
        case WM_CLOSE:
            CloseWindow();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_NCDESTROY:
            if (library.player.window == this) library.player.window = nullptr;
            break;
        default:
            break;
    }
    return DefaultMessage(msg, wParam, lParam);
}

}  // namespace morvel

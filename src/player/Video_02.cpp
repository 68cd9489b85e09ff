#include "player/Video_02.h"

#include <windows.h>

#include <memory>
#include <string>

#include "common/path_parts.h"
#include "common/win/message_box.h"
#include "common/win/win_file_system.h"
#include "hostlink/library_state.h"
#include "hostlink/long_name.h"
#include "hostlink/settings_file.h"
#include "morvel32.h"
#include "player/Vidopt02.h"
#include "player/Xclass.h"
#include "player/Xscroll.h"
#include "player/media_bar.h"
#include "player/media_control.h"
#include "player/play_modes.h"
#include "player/playback.h"
#include "player/player_keys.h"
#include "player/seek_scale.h"
#include "player/video_fit.h"

namespace morvel {

PlayerState player;

namespace {

constexpr const char* kFormClass = "TVideoForm";
constexpr const char* kPanelClass = "MorvelPlayerPanel";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kMsgCloseNow = WM_APP + 0x510;    // close the window at once (VideoWinClose95)
constexpr UINT kMsgPanelClick = WM_APP + 0x511;  // wParam: ID of the panel clicked

// Sizes of the window's parts, in pixels.
constexpr int kDesignWidth = 216, kDesignHeight = 270, kDesignPixelsPerInch = 120;
constexpr int kPanel4Height = 31, kStatusHeight = 22, kMediaPanelWidth = 73, kMenuPanelWidth = 32;

HFONT ArialBold(int height) {
    return CreateFontA(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

// How a panel looks: its colour, an optional lowered bevel, and whether it shows its text.
struct PanelLook {
    COLORREF colour = GetSysColor(COLOR_BTNFACE);
    bool loweredBevel = false;
    bool showsText = false;
    HFONT font = nullptr;
    std::function<void(HDC)> paint;  // drawn over the background
};

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* look = reinterpret_cast<PanelLook*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            HBRUSH brush = CreateSolidBrush(look ? look->colour : 0);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            if (look && look->loweredBevel) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            if (look && look->showsText) {
                char text[256] = {};
                GetWindowTextA(hwnd, text, sizeof text);
                HGDIOBJ old = SelectObject(dc, look->font);
                SetBkMode(dc, TRANSPARENT);
                RECT inner{r.left + 6, r.top + 2, r.right - 4, r.bottom - 2};
                DrawTextA(dc, text, -1, &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
                SelectObject(dc, old);
            }
            if (look && look->paint) look->paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_DRAWITEM:
        case kMsgPanelClick:
            return SendMessageA(GetParent(hwnd), message, wParam, lParam);
        case WM_LBUTTONUP:
            SendMessageA(GetParent(hwnd), kMsgPanelClick, static_cast<WPARAM>(GetDlgCtrlID(hwnd)), 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class TVideoForm final : public PlayerView {
public:
    static void Register(HINSTANCE instance);
    // Creates the hidden window, centred at its design size.
    static TVideoForm* Create(HINSTANCE instance);

    HWND Handle() const { return hwnd_; }
    MediaControl& MediaPlayer1Control() { return *control_; }

    // Keeps the object alive while a caller outside the window procedure uses it.
    struct Hold {
        explicit Hold(TVideoForm& form) : form_(form) { ++form_.depth_; }
        ~Hold() { form_.Release(); }
        TVideoForm& form_;
    };
    bool Destroyed() const { return destroyed_; }
    void DestroyWithoutClosing();
    void ShowAndActivate();

    // PlayerView
    void StartTick() override;
    void StopTick() override;
    void SetStatusCaption(const std::string& text) override { SetWindowTextA(Status, text.c_str()); }
    int BarPosition() const override { return XScrollbar1.Position(); }
    void SetBarPosition(int position) override { XScrollbar1.SetPosition(position); }
    bool LoopChecked() const override { return loopChecked_; }
    bool QuietChecked() const override { return quietChecked_; }
    void SetQuietChecked(bool checked) override { quietChecked_ = checked; }
    void CloseWindow() override;
    void BusyCursor() override { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))); }
    void NormalCursor() override { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }
    void ProcessMessages() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Release();
    // Runs one handler; a failure ends in PlayerError.
    template <typename Body>
    void Guard(Body body);

    void FormCreate();
    void FormActivate();
    void FormDestroy();
    void Layout();
    WindowChrome Chrome() const;
    void UpdateVideo();
    void UpdateVideoBkgd();
    void PaintVideoWin(HDC dc);
    void FitVideo();
    void FormResize();
    void ZoomVideo(std::int16_t factor);
    void mnuOptimizeClick();
    void DisplayStatusClick();
    void UpdateReset();
    void SetUpdateRate(std::size_t index);
    void mnuConfigureClick();
    void VideoOptions1Click();
    void MenuButtonClick();
    void ShowMenu(int x, int y);
    bool FormKeyDown(WPARAM key, LPARAM flags);
    void RunCommand(PlayerCommand command);
    void MenuCommand(int id);
    void PlayerError();

    HWND hwnd_ = nullptr;
    HWND VideoWinBack = nullptr, VideoWin = nullptr, Image1 = nullptr, Panel4 = nullptr, MediaPanel = nullptr;
    HWND Panel2 = nullptr, MenuPanel = nullptr, MenuButton = nullptr, Status = nullptr;
    PanelLook blackLook_, faceLook_, statusLook_, videoLook_;
    MediaBar MediaPlayer1;
    TXScrollbar XScrollbar1;
    TIntercept Intercept1{this};
    std::unique_ptr<MediaDevice> device_;
    std::unique_ptr<MediaControl> control_;
    std::unique_ptr<VideoPlayback> playback_;
    HFONT formFont_ = nullptr, statusFont_ = nullptr;
    bool tickRunning_ = false;
    unsigned tickInterval_ = kDefaultTickMs;
    std::size_t updateIndex_ = 1;
    bool loopChecked_ = false, quietChecked_ = false, statusVisible_ = true;
    bool activated_ = false, closing_ = false, inError_ = false;
    int depth_ = 0;
    bool destroyed_ = false;
};

void TVideoForm::Register(HINSTANCE instance) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kFormClass, &wc)) {
        wc.lpfnWndProc = &TVideoForm::WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kFormClass;
        RegisterClassA(&wc);
    }
    WNDCLASSA panel{};
    if (!GetClassInfoA(instance, kPanelClass, &panel)) {
        panel.lpfnWndProc = &PanelProc;
        panel.hInstance = instance;
        panel.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        panel.lpszClassName = kPanelClass;
        RegisterClassA(&panel);
    }
    MediaBar::Register(instance);
    TVidOptions::Register(instance);
}

TVideoForm* TVideoForm::Create(HINSTANCE instance) {
    Register(instance);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    const int width = MulDiv(kDesignWidth, dpi, kDesignPixelsPerInch);
    const int height = MulDiv(kDesignHeight, dpi, kDesignPixelsPerInch);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    auto form = std::make_unique<TVideoForm>();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (!CreateWindowExA(WS_EX_TOPMOST, kFormClass, "Video", style, left, top, width, height, nullptr, nullptr,
                         instance, form.get()))
        return nullptr;
    return form.release();  // owned by its window from here on
}

HWND MakePanel(HWND parent, int id, PanelLook& look, DWORD extraStyle = 0) {
    return CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | extraStyle,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), &look);
}

void TVideoForm::FormCreate() {
    formFont_ = ArialBold(18);
    statusFont_ = ArialBold(15);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), FALSE);
    blackLook_.colour = RGB(0, 0, 0);
    videoLook_.colour = RGB(0, 0, 0);
    videoLook_.paint = [this](HDC dc) { PaintVideoWin(dc); };
    statusLook_.loweredBevel = true;
    statusLook_.showsText = true;
    statusLook_.font = statusFont_;

    VideoWinBack = MakePanel(hwnd_, MORVEL_ID_VIDEOWINBACK, blackLook_);
    VideoWin = MakePanel(VideoWinBack, MORVEL_ID_VIDEOWIN, videoLook_);
    Image1 = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(MORVEL_ID_IMAGE1)), nullptr, nullptr);
    Panel4 = MakePanel(hwnd_, MORVEL_ID_PANEL4, faceLook_);
    MediaPanel = MakePanel(Panel4, MORVEL_ID_MEDIAPANEL, faceLook_);
    MediaPlayer1.Create(MediaPanel, MORVEL_ID_MEDIAPLAYER1, 0, 2, kMediaPanelWidth, kPanel4Height - 4);
    Panel2 = MakePanel(Panel4, MORVEL_ID_PANEL2, faceLook_);
    XScrollbar1.Create(Panel2, MORVEL_ID_XSCROLLBAR1, 1, 4, 10, 18);
    MenuPanel = MakePanel(Panel4, MORVEL_ID_MENUPANEL, faceLook_);
    MenuButton = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW, 0, 2, 31, 27, MenuPanel,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(MORVEL_ID_MENUBUTTON)), nullptr, nullptr);
    Status = MakePanel(hwnd_, MORVEL_ID_STATUS, statusLook_);
    SetWindowTextA(Status, "Ready");

    device_ = CreateMciDevice(MediaPlayer1.Handle());
    control_ = std::make_unique<MediaControl>(*device_);
    playback_ = std::make_unique<VideoPlayback>(player, *control_, *device_, *this);
    MediaPlayer1.Attach(*control_);

    const auto keyPreview = [this](UINT, WPARAM key) {
        bool used = false;
        Guard([&] { used = FormKeyDown(key, 0); });
        return used;
    };
    XScrollbar1.KeyPreview = keyPreview;
    MediaPlayer1.KeyPreview = keyPreview;
    MediaPlayer1.OnClick = [this](MediaButton button) { Guard([&] { playback_->MediaPlayer1Click(button); }); };
    MediaPlayer1.OnNotify = [this] { Guard([&] { playback_->MediaPlayer1Notify(); }); };
    XScrollbar1.OnChange = [this] { Guard([&] { playback_->XScrollbar1Change(XScrollbar1.Position()); }); };
    XScrollbar1.OnScroll = [this](int) { Guard([&] { playback_->XScrollbar1Scroll(); }); };
    XScrollbar1.OnMouseDown = [this] { Guard([&] { playback_->XScrollbar1MouseDown(); }); };
    Layout();
}

WindowChrome TVideoForm::Chrome() const {
    return {player.FrameExtraX, player.FrameExtraY, statusVisible_ ? kStatusHeight : 0, kPanel4Height};
}

void TVideoForm::Layout() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right, height = client.bottom;
    const int statusHeight = statusVisible_ ? kStatusHeight : 0;
    const int videoHeight = std::max(0, height - statusHeight - kPanel4Height);
    MoveWindow(Status, 0, height - kStatusHeight, width, kStatusHeight, TRUE);
    MoveWindow(Panel4, 0, videoHeight, width, kPanel4Height, TRUE);
    MoveWindow(VideoWinBack, 0, 0, width, videoHeight, TRUE);
    MoveWindow(MediaPanel, 0, 0, std::min(kMediaPanelWidth, width), kPanel4Height, TRUE);
    const int menuLeft = std::max(kMediaPanelWidth, width - kMenuPanelWidth);
    MoveWindow(MenuPanel, menuLeft, 0, kMenuPanelWidth, kPanel4Height, TRUE);
    MoveWindow(Panel2, kMediaPanelWidth, 0, std::max(0, menuLeft - kMediaPanelWidth), kPanel4Height, TRUE);
}

void TVideoForm::ShowAndActivate() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void TVideoForm::FormActivate() {
    if (player.PlayerActive == 1 || player.PlayerClosing || activated_) return;
    activated_ = true;
    ProcessMessages();
    if (destroyed_) return;
    control_->SetEnabledButtons(buttons::Enabled);
    control_->SetVisibleButtons(buttons::AtActivation);
    BusyCursor();
    player.LayoutBusy = true;
    control_->Display(VideoWin);
    control_->TimeFormatFrames();
    control_->Frames = 1;
    playback_->ReadVideoSize();
    player.BarMax = LastBarValue(player.FrameCount);
    XScrollbar1.SetMax(player.BarMax);
    if (player.VideoWidth != 0 && player.VideoHeight != 0) {
        // A clip without a picture keeps the design size; its video area stays black.
        const WindowSize size = WindowForPicture(Chrome(), player.VideoWidth, player.VideoHeight);
        SetWindowPos(hwnd_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    control_->Stop();
    RECT panel2;
    GetClientRect(Panel2, &panel2);
    ShowWindow(XScrollbar1.Handle(), SW_HIDE);
    MoveWindow(XScrollbar1.Handle(), 1, 4, std::max(0, static_cast<int>(panel2.right) - 4), 18, TRUE);
    FitVideo();
    ProcessMessages();
    if (destroyed_) return;
    ShowWindow(XScrollbar1.Handle(), SW_SHOW);
    playback_->ReseekFrame();
    UpdateVideo();
    player.LayoutBusy = false;
    ShowWindow(MediaPlayer1.Handle(), SW_SHOW);
    ShowWindow(MenuButton, SW_SHOW);
    NormalCursor();
}

void TVideoForm::StartTick() {
    if (hwnd_ == nullptr || destroyed_) return;
    SetTimer(hwnd_, kTimer1, tickInterval_, nullptr);
    tickRunning_ = true;
}

void TVideoForm::StopTick() {
    if (hwnd_ != nullptr && tickRunning_) KillTimer(hwnd_, kTimer1);
    tickRunning_ = false;
}

void TVideoForm::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TVideoForm::UpdateVideo() {
    if (!control_->IsOpen()) return;
    StopTick();
    device_->Realize();
    control_->SetNextWait();
    control_->Display(VideoWin);
    RECT r;
    GetClientRect(VideoWin, &r);
    control_->DisplayRect({0, 0, r.right, r.bottom});
    StartTick();
}

void TVideoForm::UpdateVideoBkgd() {
    if (!control_->IsOpen()) return;
    StopTick();
    HDC dc = GetDC(hwnd_);
    device_->UpdateInto(dc);
    ReleaseDC(hwnd_, dc);
    control_->SetNextWait();
    control_->Display(VideoWin);
    RECT r;
    GetClientRect(VideoWin, &r);
    control_->DisplayRect({0, 0, r.right, r.bottom});
    StartTick();
}

void TVideoForm::PaintVideoWin(HDC dc) {
    // The device draws while it plays; an uncovered picture is redrawn from its current frame.
    if (control_ && control_->IsOpen() && activated_ && !player.PlayerClosing) device_->UpdateInto(dc);
}

void TVideoForm::FitVideo() {
    if (!control_->IsOpen()) return;
    BusyCursor();
    RECT area;
    GetClientRect(VideoWinBack, &area);
    const VideoRect fit = ::morvel::FitVideo(area.right, area.bottom, player.VideoWidth, player.VideoHeight);
    MoveWindow(VideoWin, fit.left, fit.top, fit.width, fit.height, TRUE);
    NormalCursor();
}

void TVideoForm::FormResize() {
    if (!control_->IsOpen() || player.LayoutBusy || !activated_ || player.PlayerActive == 0) return;
    BusyCursor();
    player.LayoutBusy = true;
    playback_->PauseForChange();
    ProcessMessages();
    if (destroyed_) return;
    ShowWindow(XScrollbar1.Handle(), SW_HIDE);
    RECT panel2;
    GetClientRect(Panel2, &panel2);
    MoveWindow(XScrollbar1.Handle(), 1, 4, std::max(0, static_cast<int>(panel2.right) - 4), 18, TRUE);
    MoveWindow(MediaPlayer1.Handle(), 0, 2, kMediaPanelWidth, kPanel4Height - 4, TRUE);
    FitVideo();
    ProcessMessages();
    if (destroyed_) return;
    ShowWindow(XScrollbar1.Handle(), SW_SHOW);
    playback_->ReseekFrame();
    UpdateVideo();
    player.LayoutBusy = false;
    NormalCursor();
}

void TVideoForm::ZoomVideo(std::int16_t factor) {
    BusyCursor();
    playback_->PauseForChange();
    StopTick();
    const auto size = ZoomWindowSize(factor, player.VideoWidth, player.VideoHeight, Chrome(),
                                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    player.LayoutBusy = true;
    if (size) SetWindowPos(hwnd_, nullptr, 0, 0, size->width, size->height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    player.LayoutBusy = false;
    FormResize();
    StartTick();
    NormalCursor();
}

void TVideoForm::mnuOptimizeClick() {
    BusyCursor();
    StopTick();
    playback_->PauseForChange();
    player.LayoutBusy = true;
    RECT video;
    GetClientRect(VideoWin, &video);
    const WindowSize size = WindowForPicture(Chrome(), video.right, video.bottom);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    player.LayoutBusy = false;
    FormResize();
    StartTick();
    NormalCursor();
}

void TVideoForm::DisplayStatusClick() {
    BusyCursor();
    StopTick();
    playback_->PauseForChange();
    player.LayoutBusy = true;
    statusVisible_ = !statusVisible_;
    ShowWindow(Status, statusVisible_ ? SW_SHOW : SW_HIDE);
    Layout();
    player.LayoutBusy = false;
    FormResize();
    StartTick();
    NormalCursor();
}

void TVideoForm::UpdateReset() {
    StopTick();
    updateIndex_ = UpdateRates.size();  // none checked
}

void TVideoForm::SetUpdateRate(std::size_t index) {
    UpdateReset();
    updateIndex_ = index;
    tickInterval_ = UpdateRates[index].intervalMs;
    StartTick();
}

void TVideoForm::mnuConfigureClick() {
    if (!control_->IsOpen()) return;
    StopTick();
    control_->SetNextWait();
    control_->Pause();
    control_->SetVisibleButtons(buttons::StoppedBefore);
    BusyCursor();
    device_->Configure();
    StartTick();
    ProcessMessages();
    if (destroyed_) return;
    if (TraitsOf(player.PlayMode).relayoutAfterConfigure) FormResize();
    NormalCursor();
}

void TVideoForm::VideoOptions1Click() {
    if (!control_->IsOpen()) return;
    playback_->PauseForOptions();
    TVidOptions dialog;
    dialog.playMode = player.PlayMode;
    dialog.volume = player.PlayVolume;
    dialog.speed = player.PlaySpeed;
    player.optionsDialog = &dialog;
    const bool ok = dialog.ShowModal(hwnd_);
    player.optionsDialog = nullptr;
    if (ok && !destroyed_) playback_->OptionsAccepted(AcceptedPlaybackValues(dialog.volume, dialog.speed));
}

void TVideoForm::MenuButtonClick() {
    RECT window;
    GetWindowRect(hwnd_, &window);
    const ScreenPoint at =
        MenuButtonPoint(window.left, window.top, window.right - window.left, window.bottom - window.top);
    ShowMenu(at.x, at.y);
}

void TVideoForm::ShowMenu(int x, int y) {
    const PlayModeTraits traits = TraitsOf(player.PlayMode);
    HMENU zoom = CreatePopupMenu();
    AppendMenuA(zoom, MF_STRING, MORVEL_ID_MNUZOOM100, "100%  Ctrl+1");
    AppendMenuA(zoom, MF_STRING, MORVEL_ID_MNUZOOM200, "200%  Ctrl+2");
    AppendMenuA(zoom, MF_STRING, MORVEL_ID_MNUZOOM300, "300%  Ctrl+3");
    AppendMenuA(zoom, MF_STRING, MORVEL_ID_MNUZOOM400, "400%  Ctrl+4");
    HMENU rates = CreatePopupMenu();
    for (std::size_t i = 0; i < UpdateRates.size(); ++i)
        AppendMenuA(rates, MF_STRING | (i == updateIndex_ ? MF_CHECKED : 0), MORVEL_ID_MNUUPDATE1000 + i,
                    std::string(UpdateRates[i].caption).c_str());
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(zoom), "Zoom Window");
    AppendMenuA(menu, MF_STRING, MORVEL_ID_MNUOPTIMIZE, "&Optimize Window\tCtrl+O");
    AppendMenuA(menu, MF_STRING | (statusVisible_ ? MF_CHECKED : 0), MORVEL_ID_DISPLAYSTATUS, "Video Status Bar");
    AppendMenuA(menu, MF_SEPARATOR, MORVEL_ID_N3, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(rates), "Status &Update");
    AppendMenuA(menu, MF_STRING, MORVEL_ID_MNUCONFIGURE, "Configure Video");
    AppendMenuA(menu, MF_SEPARATOR, MORVEL_ID_N2, nullptr);
    if (traits.optionsItemsShown) {
        AppendMenuA(menu, MF_STRING, MORVEL_ID_VIDEOOPTIONS1, "Playbac&k Options");
        AppendMenuA(menu, MF_STRING | (quietChecked_ ? MF_CHECKED : 0), MORVEL_ID_MNUQUIETPLAYBACK,
                    "&Quiet Playback\tCtrl+Q");
    }
    if (traits.loopItemShown)
        AppendMenuA(menu, MF_STRING | (loopChecked_ ? MF_CHECKED : 0), MORVEL_ID_MNUPLAYBACKLOOP, " &Loop Playback");
    AppendMenuA(menu, MF_SEPARATOR, MORVEL_ID_N1, nullptr);
    AppendMenuA(menu, MF_STRING, MORVEL_ID_MNUPLAY, "&Play\tShift+Ins");
    AppendMenuA(menu, MF_STRING, MORVEL_ID_MNUPAUSE, "Pau&se\tShift+Del");
    AppendMenuA(menu, MF_STRING, MORVEL_ID_MNUEXIT, "Close and E&xit ");
    SetForegroundWindow(hwnd_);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, hwnd_, nullptr);
    DestroyMenu(menu);  // destroys the submenus with it
}

bool TVideoForm::FormKeyDown(WPARAM key, LPARAM flags) {
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
    switch (command) {
        case PlayerCommand::CloseRequest:
            playback_->CloseRequestFromUser();
            break;
        case PlayerCommand::Play:
            playback_->mnuPlayClick();
            break;
        case PlayerCommand::Pause:
            playback_->mnuPauseClick();
            break;
        case PlayerCommand::Zoom1:
            ZoomVideo(1);
            break;
        case PlayerCommand::Zoom2:
            ZoomVideo(2);
            break;
        case PlayerCommand::Zoom3:
            ZoomVideo(3);
            break;
        case PlayerCommand::Zoom4:
            ZoomVideo(4);
            break;
        case PlayerCommand::Menu:
            MenuButtonClick();
            break;
        case PlayerCommand::Optimize:
            mnuOptimizeClick();
            break;
        case PlayerCommand::Quiet:
            playback_->mnuQuietPlaybackClick();
            break;
        case PlayerCommand::None:
            break;
    }
}

void TVideoForm::MenuCommand(int id) {
    switch (id) {
        case MORVEL_ID_MNUZOOM100:
            ZoomVideo(1);
            return;
        case MORVEL_ID_MNUZOOM200:
            ZoomVideo(2);
            return;
        case MORVEL_ID_MNUZOOM300:
            ZoomVideo(3);
            return;
        case MORVEL_ID_MNUZOOM400:
            ZoomVideo(4);
            return;
        case MORVEL_ID_MNUOPTIMIZE:
            mnuOptimizeClick();
            return;
        case MORVEL_ID_DISPLAYSTATUS:
            DisplayStatusClick();
            return;
        case MORVEL_ID_MNUCONFIGURE:
            mnuConfigureClick();
            return;
        case MORVEL_ID_VIDEOOPTIONS1:
            VideoOptions1Click();
            return;
        case MORVEL_ID_MNUQUIETPLAYBACK:
            playback_->mnuQuietPlaybackClick();
            return;
        case MORVEL_ID_MNUPLAYBACKLOOP:
            loopChecked_ = !loopChecked_;
            return;
        case MORVEL_ID_MNUPLAY:
            playback_->mnuPlayClick();
            return;
        case MORVEL_ID_MNUPAUSE:
            playback_->mnuPauseClick();
            return;
        case MORVEL_ID_MNUEXIT:
            playback_->CloseRequestFromUser();
            return;
        case MORVEL_ID_MENUBUTTON:
            MenuButtonClick();
            if (!destroyed_) SetFocus(hwnd_);
            return;
        default:
            break;
    }
    if (id >= MORVEL_ID_MNUUPDATE1000 && id < MORVEL_ID_MNUUPDATE1000 + static_cast<int>(UpdateRates.size()))
        SetUpdateRate(static_cast<std::size_t>(id - MORVEL_ID_MNUUPDATE1000));
}

void TVideoForm::PlayerError() {
    if (inError_ || destroyed_) return;
    inError_ = true;
    NormalCursor();
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowMessage(hwnd_, BoxKind::Error, control_ ? control_->ErrorMessage() : std::string(kUnknownErrorCode));
    inError_ = false;
    CloseWindow();
}

template <typename Body>
void TVideoForm::Guard(Body body) {
    ++depth_;
    try {
        body();
    } catch (...) {
        try {
            PlayerError();
        } catch (...) {
            // Nothing more can be shown; the window stays as it is.
        }
    }
    Release();
}

void TVideoForm::CloseWindow() {
    if (closing_ || destroyed_) return;
    closing_ = true;
    ++depth_;
    try {
        playback_->FormClose();
    } catch (...) {
        // The device is released with the window whatever it answered.
    }
    StopTick();
    player.PlayerClosing = false;
    player.CloseRequest = false;
    player.PlayMode = 0;
    player.PlayerActive = 0;
    NormalCursor();
    DestroyWindow(hwnd_);
    Release();
}

void TVideoForm::DestroyWithoutClosing() {
    if (destroyed_) return;
    closing_ = true;
    DestroyWindow(hwnd_);
}

void TVideoForm::FormDestroy() {
    StopTick();
    if (hwnd_) KillTimer(hwnd_, kTimer1);
    control_->Close();
    if (player.playerWindow == hwnd_) player.playerWindow = nullptr;
    DeleteObject(formFont_);
    DeleteObject(statusFont_);
    formFont_ = statusFont_ = nullptr;
}

// Kept out of line: inlined into nested holders, GCC 12 cannot follow the count and reports a
// use after free that the count rules out.
__attribute__((noinline)) void TVideoForm::Release() {
    if (--depth_ == 0 && destroyed_) delete this;
}

LRESULT TVideoForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                Guard([&] { FormActivate(); });
                if (!destroyed_ && GetFocus() != hwnd_ && LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd_);
            }
            return 0;
        case WM_SIZE:
            Layout();
            if (wParam != SIZE_MINIMIZED) Guard([&] { FormResize(); });
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1) Guard([&] { playback_->Timer1Timer(); });
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == XScrollbar1.Handle()) XScrollbar1.HandleScroll(wParam);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            bool used = false;
            Guard([&] { used = FormKeyDown(wParam, lParam); });
            if (used) return 0;
            break;
        }
        case WM_COMMAND:
            Guard([&] { MenuCommand(LOWORD(wParam)); });
            return 0;
        case WM_CONTEXTMENU: {
            const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
            Guard([&] {
                if (x == -1 && y == -1)
                    MenuButtonClick();
                else
                    ShowMenu(x, y);
            });
            return 0;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID != MORVEL_ID_MENUBUTTON) break;
            RECT r = item->rcItem;
            DrawFrameControl(item->hDC, &r, DFC_BUTTON,
                             DFCS_BUTTONPUSH | ((item->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
            // Three lines: the menu's icon.
            for (int i = 0; i < 3; ++i) {
                RECT line{r.left + 9, r.top + 8 + i * 5, r.right - 9, r.top + 10 + i * 5};
                FillRect(item->hDC, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            }
            return TRUE;
        }
        case kMsgPanelClick:  // FormClick on the video area's background, VideoWinClick on the picture
            if (wParam == MORVEL_ID_VIDEOWIN || wParam == MORVEL_ID_VIDEOWINBACK) Guard([&] { UpdateVideo(); });
            return 0;
        case WM_LBUTTONUP:
            Guard([&] { UpdateVideo(); });
            return 0;
        case WM_PALETTECHANGED:
            if (player.PlayerClosing || !TraitsOf(player.PlayMode).repaintOnPaletteChange) return 0;
            if (reinterpret_cast<HWND>(wParam) == hwnd_) break;
            Guard([&] { UpdateVideoBkgd(); });
            return 0;
        case kMsgCloseNow:
        case WM_CLOSE:
            CloseWindow();
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK TVideoForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TVideoForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TVideoForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->destroyed_ = true;
        self->hwnd_ = nullptr;
        ++self->depth_;
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        self->Release();  // deletes the object unless a caller further up still holds it
        return result;
    }
    ++self->depth_;
    LRESULT result = 0;
    try {
        result = self->Handle(message, wParam, lParam);
    } catch (const std::exception& failure) {
        ShowFailure(hwnd, failure);
    } catch (...) {
        ShowMessage(hwnd, BoxKind::Error, "Unexpected failure in morvel32.dll");
    }
    self->Release();
    return result;
}

TVideoForm* FormOf(HWND window) {
    if (window == nullptr || !IsWindow(window)) return nullptr;
    return reinterpret_cast<TVideoForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

std::string LongFileName(const std::string& path) {
    return LongNamePart(path, RealFileSystem());
}

std::int32_t OpenVideoPlayer(std::int32_t playMode, std::int32_t option) {
    // One player at a time: a window still open is closed before the next clip opens.
    if (player.playerWindow != nullptr) {
        if (IsWindow(static_cast<HWND>(player.playerWindow)))
            SendMessageA(static_cast<HWND>(player.playerWindow), kMsgCloseNow, 0, 0);
        player.playerWindow = nullptr;
    }
    StartPlayer(player, playMode, option);
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    player.FrameExtraY = static_cast<std::uint16_t>(GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME) -
                                                    GetSystemMetrics(SM_CYBORDER));
    player.FrameExtraX = static_cast<std::uint16_t>(2 * GetSystemMetrics(SM_CXFRAME));
    player.VideoFile = Settings().ReadString(key::SaveName, kAbsentString);

    HINSTANCE instance = libraryInstance ? libraryInstance : GetModuleHandleA(nullptr);
    TVideoForm* form = TVideoForm::Create(instance);
    if (form == nullptr) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        ShowMessage(nullptr, BoxKind::Error, "Unable to create the video window.");
        return 0;
    }
    player.FirstStop = true;
    TVideoForm::Hold hold(*form);
    player.playerWindow = form->Handle();
    MediaControl& control = form->MediaPlayer1Control();
    control.FileName = player.VideoFile;
    form->ProcessMessages();
    const bool opened = !form->Destroyed() && control.Open();
    form->ProcessMessages();
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (!opened) {
        const std::uint32_t error = control.Error();
        ShowMessage(nullptr, BoxKind::Error, OpenErrorMessage(control.ErrorMessage(), error));
        form->DestroyWithoutClosing();
        player.playerWindow = nullptr;
        return 0;
    }
    SetWindowTextA(form->Handle(), std::string(path::NamePart(LongFileName(player.VideoFile))).c_str());
    form->ShowAndActivate();
    form->ProcessMessages();
    if (form->Destroyed()) return 0;  // activation failed and the user has seen why
    player.PlayerActive = 1;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (playMode == 1) player.PlayVolume = TraitsOf(playMode).openingVolume;
    return 1;
}

void RequestPlayerClose() {
    player.PlayMode = 0;
    TVideoForm* form = FormOf(static_cast<HWND>(player.playerWindow));
    if (TakeCloseRequest(player, form != nullptr)) SendMessageA(form->Handle(), kMsgCloseNow, 0, 0);
}

}  // namespace morvel

#include "player/win/playback_options_dialog.h"

#include <algorithm>
#include <string>

#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "morvel32.h"

namespace morvel {

namespace {

const win::WindowClass kOptionsClass{.name = "TVidOptions"};
constexpr int kClientWidth = 408, kClientHeight = 198;  // design pixels: 326 x 158 at 96 dpi

// From top to bottom: speed label and bar, volume label and bar, the button row. Design pixels
// at 120 dpi.
constexpr DWORD kBar = SBS_HORZ | WS_TABSTOP;
constexpr win::ChildArgs kControls[] = {
    {"STATIC", "", MORVEL_ID_SPEEDLABEL, SS_CENTER, 0, 38, 8, 333, 23},
    {"SCROLLBAR", "", MORVEL_ID_SPEEDSCROLL, kBar, 0, 38, 33, 333, 21},
    {"STATIC", "", MORVEL_ID_VOLUMELABEL, SS_CENTER, 0, 38, 65, 333, 23},
    {"SCROLLBAR", "", MORVEL_ID_VOLUMESCROLL, kBar, 0, 38, 90, 333, 21},
    {"BUTTON", "&Default", MORVEL_ID_BITBTN1, BS_PUSHBUTTON | WS_TABSTOP, 0, 38, 140, 103, 38},
    {"BUTTON", "Ok", MORVEL_ID_BUTTONOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 153, 140, 103, 38},
    {"BUTTON", "Cancel", MORVEL_ID_BUTTONCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 268, 140, 103, 38},
};

class TVidOptions final : public win::Dialog {
public:
    TVidOptions(std::int32_t playMode, const PlaybackValues& current) : playMode_(playMode), values_(current) {}

    std::optional<PlaybackValues> Show(HWND owner);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code) override;
    int DefaultId() const override { return MORVEL_ID_BUTTONOK; }

private:
    void OnCreate();
    void OnSpeedChanged();
    void OnVolumeChanged();
    void RestoreDefaults();

    std::int32_t playMode_;
    PlaybackValues values_;  // the bars' positions
    win::Font dialogFont_, labelFont_;
    win::ScrollBar speedBar_, volumeBar_;
};

std::optional<PlaybackValues> TVidOptions::Show(HWND owner) {
    // Fixed border, no system menu or close box; above the stay-on-top player.
    if (!CreateFrame(kOptionsClass, "Playback Options", kClientWidth, kClientHeight, owner, WS_POPUP | WS_CAPTION,
                     WS_EX_TOPMOST))
        return std::nullopt;
    if (Run() != IDOK) return std::nullopt;
    return values_;
}

void TVidOptions::OnCreate() {
    // Arial bold, 18 and 15 pixels high at 96 dpi.
    dialogFont_.Reset(win::CreateUiFont({.face = "Arial", .designHeight = 23, .bold = true}));
    labelFont_.Reset(win::CreateUiFont({.face = "Arial", .designHeight = 19, .bold = true}));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_.get()), FALSE);
    CreateControls(kControls, dialogFont_.get());
    for (const int label : {MORVEL_ID_SPEEDLABEL, MORVEL_ID_VOLUMELABEL})
        SendMessageA(Item(label), WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
    speedBar_.Attach(Item(MORVEL_ID_SPEEDSCROLL),
                     {.min = kSpeedMin, .max = kSpeedMax, .smallStep = kBarSmallStep, .largeStep = kBarLargeStep},
                     values_.speed);
    volumeBar_.Attach(Item(MORVEL_ID_VOLUMESCROLL),
                      {.min = kVolumeMin, .max = kVolumeMax, .smallStep = kBarSmallStep, .largeStep = kBarLargeStep},
                      values_.volume);
    speedBar_.onChange = [this](int) { OnSpeedChanged(); };
    volumeBar_.onChange = [this](int) { OnVolumeChanged(); };
    OnSpeedChanged();
    OnVolumeChanged();
    RememberFocus(speedBar_.hwnd());
}

void TVidOptions::OnSpeedChanged() {
    values_.speed = speedBar_.Position();
    SetWindowTextA(Item(MORVEL_ID_SPEEDLABEL), SpeedLabelText(values_.speed).c_str());
}

void TVidOptions::OnVolumeChanged() {
    values_.volume = volumeBar_.Position();
    SetWindowTextA(Item(MORVEL_ID_VOLUMELABEL), VolumeLabelText(values_.volume).c_str());
}

void TVidOptions::RestoreDefaults() {
    const PlaybackValues defaults = DefaultPlaybackValues(playMode_);
    speedBar_.SetPosition(defaults.speed);
    volumeBar_.SetPosition(defaults.volume);
    OnSpeedChanged();
    OnVolumeChanged();
}

void TVidOptions::OnCommand(int id, int) {
    switch (id) {
        case MORVEL_ID_BITBTN1:
            return RestoreDefaults();
        case MORVEL_ID_BUTTONOK:
        case IDOK:
            return End(IDOK);
        case MORVEL_ID_BUTTONCANCEL:
        case IDCANCEL:
            return End(IDCANCEL);
        default:
            return;
    }
}

LRESULT TVidOptions::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        OnCreate();
        return 0;
    }
    return Dialog::WindowMessage(msg, wParam, lParam);
}

}  // namespace

std::optional<PlaybackValues> RunPlaybackOptions(HWND owner, std::int32_t playMode, const PlaybackValues& current) {
    TVidOptions dialog(playMode, current);
    return dialog.Show(owner);
}

}  // namespace morvel

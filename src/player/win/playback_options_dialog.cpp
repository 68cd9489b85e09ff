#include "player/win/playback_options_dialog.h"

#include <algorithm>
#include <string>

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
constexpr win::ControlRow kControls[] = {
    {"STATIC", "", MORVEL_ID_SPEEDLABEL, SS_CENTER, 0, 38, 8, 333, 23},
    {"SCROLLBAR", "", MORVEL_ID_SPEEDSCROLL, kBar, 0, 38, 33, 333, 21},
    {"STATIC", "", MORVEL_ID_VOLUMELABEL, SS_CENTER, 0, 38, 65, 333, 23},
    {"SCROLLBAR", "", MORVEL_ID_VOLUMESCROLL, kBar, 0, 38, 90, 333, 21},
    {"BUTTON", "&Default", MORVEL_ID_BITBTN1, BS_PUSHBUTTON | WS_TABSTOP, 0, 38, 140, 103, 38},
    {"BUTTON", "Ok", MORVEL_ID_BUTTONOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 153, 140, 103, 38},
    {"BUTTON", "Cancel", MORVEL_ID_BUTTONCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 268, 140, 103, 38},
};

void SetBar(HWND bar, int min, int max, int position) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, min, max, 0, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

class TVidOptions final : public win::Dialog {
public:
    TVidOptions(std::int32_t playMode, const PlaybackValues& current) : playMode_(playMode), values_(current) {}

    std::optional<PlaybackValues> Show(HWND owner);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int DefaultId() const override { return MORVEL_ID_BUTTONOK; }

private:
    void FormCreate();
    void SpeedScrollChange();
    void VolumeScrollChange();
    void BitBtn1Click();
    void Scroll(HWND bar, WPARAM wParam);

    std::int32_t playMode_;
    PlaybackValues values_;  // the bars' positions
    win::Font dialogFont_, labelFont_;
};

std::optional<PlaybackValues> TVidOptions::Show(HWND owner) {
    // Fixed border, no system menu or close box; above the stay-on-top player.
    if (!CreateFrame(kOptionsClass, "Playback Options", kClientWidth, kClientHeight, owner, WS_POPUP | WS_CAPTION,
                     WS_EX_TOPMOST))
        return std::nullopt;
    if (Run() != IDOK) return std::nullopt;
    return values_;
}

void TVidOptions::FormCreate() {
    dialogFont_.Reset(win::CreateUiFont({.face = "Arial", .designHeight = 18, .bold = true}));
    labelFont_.Reset(win::CreateUiFont({.face = "Arial", .designHeight = 15, .bold = true}));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_.get()), FALSE);
    CreateControls(kControls, dialogFont_.get());
    for (const int label : {MORVEL_ID_SPEEDLABEL, MORVEL_ID_VOLUMELABEL})
        SendMessageA(Item(label), WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
    SetBar(Item(MORVEL_ID_SPEEDSCROLL), kSpeedMin, kSpeedMax, std::clamp<int>(values_.speed, kSpeedMin, kSpeedMax));
    SetBar(Item(MORVEL_ID_VOLUMESCROLL), kVolumeMin, kVolumeMax,
           std::clamp<int>(values_.volume, kVolumeMin, kVolumeMax));
    SpeedScrollChange();
    VolumeScrollChange();
    RememberFocus(Item(MORVEL_ID_SPEEDSCROLL));
}

void TVidOptions::SpeedScrollChange() {
    values_.speed = GetScrollPos(Item(MORVEL_ID_SPEEDSCROLL), SB_CTL);
    SetWindowTextA(Item(MORVEL_ID_SPEEDLABEL), SpeedLabelText(values_.speed).c_str());
}

void TVidOptions::VolumeScrollChange() {
    values_.volume = GetScrollPos(Item(MORVEL_ID_VOLUMESCROLL), SB_CTL);
    SetWindowTextA(Item(MORVEL_ID_VOLUMELABEL), VolumeLabelText(values_.volume).c_str());
}

void TVidOptions::BitBtn1Click() {
    const PlaybackValues defaults = DefaultPlaybackValues(playMode_);
    SetScrollPos(Item(MORVEL_ID_SPEEDSCROLL), SB_CTL, defaults.speed, TRUE);
    SetScrollPos(Item(MORVEL_ID_VOLUMESCROLL), SB_CTL, defaults.volume, TRUE);
    SpeedScrollChange();
    VolumeScrollChange();
}

void TVidOptions::Scroll(HWND bar, WPARAM wParam) {
    const bool isSpeed = bar == Item(MORVEL_ID_SPEEDSCROLL);
    const int max = isSpeed ? kSpeedMax : kVolumeMax;
    const int current = GetScrollPos(bar, SB_CTL);
    int target = current;
    switch (LOWORD(wParam)) {
        case SB_LINELEFT:
            target -= kBarSmallStep;
            break;
        case SB_LINERIGHT:
            target += kBarSmallStep;
            break;
        case SB_PAGELEFT:
            target -= kBarLargeStep;
            break;
        case SB_PAGERIGHT:
            target += kBarLargeStep;
            break;
        case SB_LEFT:
            target = 0;
            break;
        case SB_RIGHT:
            target = max;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            target = HIWORD(wParam);
            break;
        default:
            return;
    }
    target = std::clamp(target, 0, max);
    if (target == current) return;
    SetScrollPos(bar, SB_CTL, target, TRUE);
    if (isSpeed)
        SpeedScrollChange();
    else
        VolumeScrollChange();
}

LRESULT TVidOptions::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_HSCROLL:
            Scroll(reinterpret_cast<HWND>(lParam), wParam);
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case MORVEL_ID_BITBTN1:
                    BitBtn1Click();
                    return 0;
                case MORVEL_ID_BUTTONOK:
                case IDOK:
                    End(IDOK);
                    return 0;
                case MORVEL_ID_BUTTONCANCEL:
                case IDCANCEL:
                    End(IDCANCEL);
                    return 0;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return Dialog::WindowMessage(msg, wParam, lParam);
}

}  // namespace

std::optional<PlaybackValues> RunPlaybackOptions(HWND owner, std::int32_t playMode, const PlaybackValues& current) {
    TVidOptions dialog(playMode, current);
    return dialog.Show(owner);
}

}  // namespace morvel

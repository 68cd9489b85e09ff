#include "player/win/playback_options_dialog.h"

#include <algorithm>
#include <string>

#include "common/win/controls.h"
#include "common/win/modal.h"
#include "morvel32.h"
#include "player/player_options.h"

namespace morvel {

namespace {
const win::WindowClass kOptionsClass{.name = "TVidOptions"};
constexpr int kClientWidth = 326, kClientHeight = 158;

void SetBar(HWND bar, int min, int max, int position) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, min, max, 0, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}
}  // namespace

bool TVidOptions::ShowModal(HWND owner) {
    done_ = false;
    ok_ = false;
    // Fixed border, no system menu or close box; above the stay-on-top player.
    if (!Create(kOptionsClass, win::CentredDialog("Playback Options", kClientWidth, kClientHeight, owner,
                                                  WS_POPUP | WS_CAPTION, WS_EX_TOPMOST)))
        return false;
    {
        win::ModalRun run(hwnd());
        run.UseDialogKeys(true);
        ShowWindow(hwnd(), SW_SHOW);
        SetFocus(Item(MORVEL_ID_SPEEDSCROLL));
        run.Loop([this] { return done_; });
        run.End();
    }
    if (hwnd() != nullptr) DestroyWindow(hwnd());
    return ok_;
}

void TVidOptions::FormCreate() {
    dialogFont_.Reset(win::CreateUiFont({.face = "Arial", .pixelHeight = 18, .bold = true}));
    labelFont_.Reset(win::CreateUiFont({.face = "Arial", .pixelHeight = 15, .bold = true}));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_.get()), FALSE);
    const auto child = [&](win::ChildArgs args) { return win::CreateChild(hwnd(), args); };
    const HFONT label = labelFont_.get(), font = dialogFont_.get();
    child({.text = "",
           .id = MORVEL_ID_SPEEDLABEL,
           .style = SS_CENTER,
           .x = 30,
           .y = 6,
           .width = 266,
           .height = 18,
           .font = label});
    const HWND speedBar = child({.className = "SCROLLBAR",
                                 .id = MORVEL_ID_SPEEDSCROLL,
                                 .style = SBS_HORZ | WS_TABSTOP,
                                 .x = 30,
                                 .y = 26,
                                 .width = 266,
                                 .height = 17,
                                 .font = font});
    child({.text = "",
           .id = MORVEL_ID_VOLUMELABEL,
           .style = SS_CENTER,
           .x = 30,
           .y = 52,
           .width = 266,
           .height = 18,
           .font = label});
    const HWND volumeBar = child({.className = "SCROLLBAR",
                                  .id = MORVEL_ID_VOLUMESCROLL,
                                  .style = SBS_HORZ | WS_TABSTOP,
                                  .x = 30,
                                  .y = 72,
                                  .width = 266,
                                  .height = 17,
                                  .font = font});
    child({.className = "BUTTON",
           .text = "&Default",
           .id = MORVEL_ID_BITBTN1,
           .style = BS_PUSHBUTTON | WS_TABSTOP,
           .x = 30,
           .y = 112,
           .width = 82,
           .height = 30,
           .font = font});
    child({.className = "BUTTON",
           .text = "Ok",
           .id = MORVEL_ID_BUTTONOK,
           .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
           .x = 122,
           .y = 112,
           .width = 82,
           .height = 30,
           .font = font});
    child({.className = "BUTTON",
           .text = "Cancel",
           .id = MORVEL_ID_BUTTONCANCEL,
           .style = BS_PUSHBUTTON | WS_TABSTOP,
           .x = 214,
           .y = 112,
           .width = 82,
           .height = 30,
           .font = font});
    SetBar(speedBar, kSpeedMin, kSpeedMax, std::clamp(speed, kSpeedMin, kSpeedMax));
    SetBar(volumeBar, kVolumeMin, kVolumeMax, std::clamp(volume, kVolumeMin, kVolumeMax));
    SpeedScrollChange();
    VolumeScrollChange();
}

void TVidOptions::SpeedScrollChange() {
    speed = GetScrollPos(Item(MORVEL_ID_SPEEDSCROLL), SB_CTL);
    SetWindowTextA(Item(MORVEL_ID_SPEEDLABEL), SpeedLabelText(speed).c_str());
}

void TVidOptions::VolumeScrollChange() {
    volume = GetScrollPos(Item(MORVEL_ID_VOLUMESCROLL), SB_CTL);
    SetWindowTextA(Item(MORVEL_ID_VOLUMELABEL), VolumeLabelText(volume).c_str());
}

void TVidOptions::BitBtn1Click() {
    const PlaybackValues defaults = DefaultPlaybackValues(playMode);
    SetScrollPos(Item(MORVEL_ID_SPEEDSCROLL), SB_CTL, defaults.speed, TRUE);
    SetScrollPos(Item(MORVEL_ID_VOLUMESCROLL), SB_CTL, defaults.volume, TRUE);
    SpeedScrollChange();
    VolumeScrollChange();
}

void TVidOptions::ButtonOKClick() {
    ok_ = true;
    done_ = true;
}

void TVidOptions::ButtonCancelClick() {
    ok_ = false;
    done_ = true;
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
        case DM_GETDEFID:
            return MAKELRESULT(MORVEL_ID_BUTTONOK, DC_HASDEFID);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case MORVEL_ID_BITBTN1:
                    BitBtn1Click();
                    return 0;
                case MORVEL_ID_BUTTONOK:
                case IDOK:
                    ButtonOKClick();
                    return 0;
                case MORVEL_ID_BUTTONCANCEL:
                case IDCANCEL:
                    ButtonCancelClick();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            ButtonCancelClick();
            return 0;
        default:
            break;
    }
    return DefaultMessage(msg, wParam, lParam);
}

}  // namespace morvel

#include "player/Vidopt02.h"

#include <algorithm>
#include <string>

#include "common/win/message_box.h"
#include "morvel32.h"
#include "player/player_options.h"

namespace morvel {

namespace {
constexpr const char* kClassName = "TVidOptions";
constexpr int kClientWidth = 326, kClientHeight = 158;

HFONT ArialBold(int height) {
    return CreateFontA(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           HFONT font) {
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void SetBar(HWND bar, int min, int max, int position) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, min, max, 0, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}
}  // namespace

void TVidOptions::Register(HINSTANCE instance) {
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, kClassName, &wc)) return;
    wc.lpfnWndProc = &TVidOptions::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

bool TVidOptions::ShowModal(HWND owner) {
    HINSTANCE instance =
        owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)) : GetModuleHandleA(nullptr);
    Register(instance);
    const DWORD style = WS_POPUP | WS_CAPTION;  // fixed border, no system menu or close box
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    done_ = false;
    ok_ = false;
    if (!CreateWindowExA(exStyle, kClassName, "Playback Options", style, left, top, width, height, owner, nullptr,
                         instance, this))
        return false;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    SetFocus(Item(MORVEL_ID_SPEEDSCROLL));
    MSG msg;
    bool quit = false;
    while (!done_ && hwnd_ != nullptr) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit = got == 0;
            break;
        }
        if (IsDialogMessageA(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (owner) SetActiveWindow(owner);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return ok_;
}

void TVidOptions::FormCreate() {
    dialogFont_ = ArialBold(18);
    labelFont_ = ArialBold(15);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
    Child(hwnd_, "STATIC", "", SS_CENTER, 30, 6, 266, 18, MORVEL_ID_SPEEDLABEL, labelFont_);
    HWND speedBar =
        Child(hwnd_, "SCROLLBAR", "", SBS_HORZ | WS_TABSTOP, 30, 26, 266, 17, MORVEL_ID_SPEEDSCROLL, dialogFont_);
    Child(hwnd_, "STATIC", "", SS_CENTER, 30, 52, 266, 18, MORVEL_ID_VOLUMELABEL, labelFont_);
    HWND volumeBar =
        Child(hwnd_, "SCROLLBAR", "", SBS_HORZ | WS_TABSTOP, 30, 72, 266, 17, MORVEL_ID_VOLUMESCROLL, dialogFont_);
    Child(hwnd_, "BUTTON", "&Default", BS_PUSHBUTTON | WS_TABSTOP, 30, 112, 82, 30, MORVEL_ID_BITBTN1, dialogFont_);
    Child(hwnd_, "BUTTON", "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, 122, 112, 82, 30, MORVEL_ID_BUTTONOK, dialogFont_);
    Child(hwnd_, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 214, 112, 82, 30, MORVEL_ID_BUTTONCANCEL, dialogFont_);
    SetBar(speedBar, kSpeedMin, kSpeedMax, std::clamp(speed, kSpeedMin, kSpeedMax));
    SetBar(volumeBar, kVolumeMin, kVolumeMax, std::clamp(volume, kVolumeMin, kVolumeMax));
    SpeedScrollChange();
    VolumeScrollChange();
}

void TVidOptions::FormClose() {
    DeleteObject(dialogFont_);
    DeleteObject(labelFont_);
    dialogFont_ = labelFont_ = nullptr;
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

LRESULT TVidOptions::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
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
        case WM_DESTROY:
            FormClose();
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK TVidOptions::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TVidOptions*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TVidOptions*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->done_ = true;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& failure) {
        ShowFailure(hwnd, failure);
    } catch (...) {
        ShowMessage(hwnd, BoxKind::Error, "Unexpected failure in morvel32.dll");
    }
    self->ButtonCancelClick();
    return 0;
}

}  // namespace morvel

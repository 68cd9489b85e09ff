#include "editor/win/numeric_entry_dialog.h"

#include <algorithm>
#include <optional>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/modal.h"
#include "common/win/text.h"
#include "common/win/window.h"
#include "editor/scroll_value.h"
#include "morvel32.h"

namespace morvel {

namespace {

const win::WindowClass kClass{.name = "TScrlDlg"};
constexpr int kDesignDpi = 120;
constexpr int kClientWidth = 324, kClientHeight = 123;

class TScrlDlg final : public win::Window {
public:
    TScrlDlg(std::int32_t minimum, std::int32_t maximum, std::int32_t smallStep, std::int32_t largeStep,
             std::int32_t initial)
        : value_(minimum, maximum, initial), smallStep_(smallStep), largeStep_(largeStep) {}

    int Run(HWND owner, const std::string& caption) {
        const int dpi = win::ScreenDpi();
        // Dialog border, no border icons.
        if (!Create(kClass, win::CentredDialog(caption, win::ScaleToDpi(kClientWidth, dpi, kDesignDpi),
                                               win::ScaleToDpi(kClientHeight, dpi, kDesignDpi), owner))) {
            return -1;
        }
        win::ModalRun run(hwnd());
        run.UseDialogKeys(true);
        ShowWindow(hwnd(), SW_SHOW);
        SetFocus(edit_);  // FormActivate: the focus to the edit
        run.Loop([this] { return result_.has_value(); });
        run.End();
        DestroyWindow(hwnd());
        return result_.value_or(-1);
    }

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE:
                Build();
                return 0;
            case WM_COMMAND:
                Command(LOWORD(wParam), HIWORD(wParam));
                return 0;
            case WM_HSCROLL:
                if (reinterpret_cast<HWND>(lParam) == bar_) BarScrolled(LOWORD(wParam));
                return 0;
            case WM_CLOSE:
                return 0;  // no close box: OK and Cancel are the only ways out
            default:
                return DefaultMessage(msg, wParam, lParam);
        }
    }

private:
    int S(int v) const { return win::ScaleToDpi(v, dpi_, kDesignDpi); }

    void Build() {
        dpi_ = win::ScreenDpi();
        font_.Reset(win::CreateUiFont({.face = "Arial", .points = 9, .bold = true}));
        HFONT f = font_.get();
        win::CreateChild(hwnd(), {.text = std::to_string(value_.minimum()),
                                  .id = MORVEL_ID_LABELMIN,
                                  .x = S(112),
                                  .y = S(8),
                                  .width = S(90),
                                  .height = S(18),
                                  .font = f});
        win::CreateChild(hwnd(), {.text = std::to_string(value_.maximum()),
                                  .id = MORVEL_ID_LABELMAX,
                                  .style = SS_RIGHT,
                                  .x = S(216),
                                  .y = S(8),
                                  .width = S(96),
                                  .height = S(18),
                                  .font = f});
        edit_ = win::CreateChild(hwnd(), {.className = "EDIT",
                                          .text = std::to_string(value_.initial()),
                                          .id = MORVEL_ID_CUSTOMSETTING,
                                          .style = WS_TABSTOP | ES_AUTOHSCROLL,
                                          .exStyle = WS_EX_CLIENTEDGE,
                                          .x = S(12),
                                          .y = S(30),
                                          .width = S(88),
                                          .height = S(26),
                                          .font = f});
        win::CreateChild(hwnd(), {.id = MORVEL_ID_PANEL1,
                                  .style = SS_ETCHEDFRAME,
                                  .x = S(108),
                                  .y = S(28),
                                  .width = S(208),
                                  .height = S(30)});
        bar_ = win::CreateChild(hwnd(), {.className = "SCROLLBAR",
                                         .id = MORVEL_ID_CUSTOMSCROLLBAR,
                                         .style = SBS_HORZ | WS_TABSTOP,
                                         .x = S(112),
                                         .y = S(32),
                                         .width = S(200),
                                         .height = S(22)});
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, value_.minimum(), value_.maximum(), 0, value_.position(), 0};
        SetScrollInfo(bar_, SB_CTL, &info, TRUE);
        win::CreateChild(hwnd(), {.className = "BUTTON",
                                  .text = "&Ok",
                                  .id = MORVEL_ID_SCRL_BTNOK,
                                  .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
                                  .x = S(72),
                                  .y = S(80),
                                  .width = S(84),
                                  .height = S(30),
                                  .font = f});
        win::CreateChild(hwnd(), {.className = "BUTTON",
                                  .text = "Cancel",
                                  .id = MORVEL_ID_SCRL_BTNCANCEL,
                                  .style = BS_PUSHBUTTON | WS_TABSTOP,
                                  .x = S(168),
                                  .y = S(80),
                                  .width = S(84),
                                  .height = S(30),
                                  .font = f});
        RememberFocus(edit_);
        ready_ = true;
    }

    void Command(int id, int code) {
        if (id == MORVEL_ID_CUSTOMSETTING && code == EN_CHANGE && ready_) {
            Apply(value_.EditChanged(win::WindowText(edit_)));
        } else if (id == MORVEL_ID_SCRL_BTNOK || id == IDOK) {
            result_ = value_.result();
        } else if (id == MORVEL_ID_SCRL_BTNCANCEL || id == IDCANCEL) {
            result_ = -1;
        }
    }

    void BarScrolled(int code) {
        SCROLLINFO info{sizeof info, SIF_ALL};
        GetScrollInfo(bar_, SB_CTL, &info);
        std::int64_t pos = info.nPos;
        switch (code) {
            case SB_LINELEFT:
                pos -= smallStep_;
                break;
            case SB_LINERIGHT:
                pos += smallStep_;
                break;
            case SB_PAGELEFT:
                pos -= largeStep_;
                break;
            case SB_PAGERIGHT:
                pos += largeStep_;
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                pos = info.nTrackPos;
                break;
            case SB_LEFT:
                pos = info.nMin;
                break;
            case SB_RIGHT:
                pos = info.nMax;
                break;
            default:
                return;
        }
        pos = std::clamp<std::int64_t>(pos, info.nMin, info.nMax);
        if (pos == info.nPos) return;
        SetBar(static_cast<std::int32_t>(pos));
        Apply(value_.BarMoved(static_cast<std::int32_t>(pos)));
    }

    void SetBar(std::int32_t pos) {
        SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, pos, 0};
        SetScrollInfo(bar_, SB_CTL, &info, TRUE);
    }

    void Apply(const editor::ScrollValue::Effect& effect) {
        if (effect.beep) MessageBeep(0);
        if (effect.newPosition) SetBar(*effect.newPosition);
        // Setting the text comes back through EN_CHANGE, where the rules find nothing more to do.
        if (effect.newEditText) win::SetText(edit_, *effect.newEditText);
    }

    editor::ScrollValue value_;
    std::int32_t smallStep_;
    std::int32_t largeStep_;
    int dpi_ = 96;
    win::Font font_;
    HWND edit_ = nullptr;
    HWND bar_ = nullptr;
    bool ready_ = false;
    std::optional<int> result_;
};

}  // namespace

int ExecuteScrlDlg(HWND owner, const std::string& caption, std::int32_t minimum, std::int32_t maximum,
                   std::int32_t smallStep, std::int32_t largeStep, std::int32_t initial) {
    // The steps are 16-bit values.
    TScrlDlg dialog(minimum, maximum, static_cast<std::int16_t>(smallStep), static_cast<std::int16_t>(largeStep),
                    initial);
    return dialog.Run(owner, caption);
}

}  // namespace morvel

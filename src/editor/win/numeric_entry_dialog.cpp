#include "editor/win/numeric_entry_dialog.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/text.h"
#include "editor/scroll_value.h"
#include "morvel32.h"

namespace morvel {

namespace {

const win::WindowClass kClass{.name = "TScrlDlg"};
constexpr int kClientWidth = 324, kClientHeight = 123;

// The layout, in design pixels at 120 dpi. The numbers' texts are set from the question.
constexpr win::ControlRow kControls[] = {
    {.id = MORVEL_ID_LABELMIN, .x = 112, .y = 8, .width = 90, .height = 18},
    {.id = MORVEL_ID_LABELMAX, .style = SS_RIGHT, .x = 216, .y = 8, .width = 96, .height = 18},
    {.className = "EDIT",
     .id = MORVEL_ID_CUSTOMSETTING,
     .style = WS_TABSTOP | ES_AUTOHSCROLL,
     .exStyle = WS_EX_CLIENTEDGE,
     .x = 12,
     .y = 30,
     .width = 88,
     .height = 26},
    {.id = MORVEL_ID_PANEL1, .style = SS_ETCHEDFRAME, .x = 108, .y = 28, .width = 208, .height = 30},
    {.className = "SCROLLBAR",
     .id = MORVEL_ID_CUSTOMSCROLLBAR,
     .style = SBS_HORZ | WS_TABSTOP,
     .x = 112,
     .y = 32,
     .width = 200,
     .height = 22},
    {.className = "BUTTON",
     .text = "&Ok",
     .id = MORVEL_ID_SCRL_BTNOK,
     .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
     .x = 72,
     .y = 80,
     .width = 84,
     .height = 30},
    {.className = "BUTTON",
     .text = "Cancel",
     .id = MORVEL_ID_SCRL_BTNCANCEL,
     .style = BS_PUSHBUTTON | WS_TABSTOP,
     .x = 168,
     .y = 80,
     .width = 84,
     .height = 30},
};

class TScrlDlg final : public win::Dialog {
public:
    explicit TScrlDlg(const editor::FreeValueDialog& question)
        : value_(question.minimum, question.maximum, question.initial),
          smallStep_(static_cast<std::int16_t>(question.smallStep)),
          largeStep_(static_cast<std::int16_t>(question.largeStep)) {}

    int Execute(HWND owner, const std::string& caption) {
        // Dialog border, no border icons.
        if (!CreateFrame(kClass, caption, kClientWidth, kClientHeight, owner)) return CancelResult();
        return Run();
    }

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE:
                FormCreate();
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
                return Dialog::WindowMessage(msg, wParam, lParam);
        }
    }
    int CancelResult() const override { return -1; }
    int DefaultId() const override { return MORVEL_ID_SCRL_BTNOK; }

private:
    void FormCreate() {
        font_.Reset(win::CreateUiFont({.face = "Arial", .points = 9, .bold = true}));
        CreateControls(kControls, font_.get());
        win::SetText(Item(MORVEL_ID_LABELMIN), std::to_string(value_.minimum()));
        win::SetText(Item(MORVEL_ID_LABELMAX), std::to_string(value_.maximum()));
        edit_ = Item(MORVEL_ID_CUSTOMSETTING);
        win::SetText(edit_, std::to_string(value_.initial()));
        bar_ = Item(MORVEL_ID_CUSTOMSCROLLBAR);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, value_.minimum(), value_.maximum(), 0, value_.position(), 0};
        SetScrollInfo(bar_, SB_CTL, &info, TRUE);
        RememberFocus(edit_);  // FormActivate: the focus to the edit
        ready_ = true;
    }

    void Command(int id, int code) {
        if (id == MORVEL_ID_CUSTOMSETTING && code == EN_CHANGE && ready_) {
            Apply(value_.EditChanged(win::WindowText(edit_)));
        } else if (id == MORVEL_ID_SCRL_BTNOK || id == IDOK) {
            End(value_.result());
        } else if (id == MORVEL_ID_SCRL_BTNCANCEL || id == IDCANCEL) {
            End(CancelResult());
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
    win::Font font_;
    HWND edit_ = nullptr;
    HWND bar_ = nullptr;
    bool ready_ = false;
};

}  // namespace

int ExecuteScrlDlg(HWND owner, const editor::FreeValueDialog& question) {
    TScrlDlg dialog(question);
    return dialog.Execute(owner, std::string(question.caption));
}

}  // namespace morvel

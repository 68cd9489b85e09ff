#include "editor/win/numeric_entry_dialog.h"

#include <cstdint>
#include <string>

#include "common/win/controls.h"
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
constexpr win::ChildArgs kControls[] = {
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
                OnCreate();
                return 0;
            case WM_CLOSE:
                return 0;  // no close box: OK and Cancel are the only ways out
            default:
                return Dialog::WindowMessage(msg, wParam, lParam);
        }
    }
    void OnCommand(int id, int code) override {
        if (id == MORVEL_ID_CUSTOMSETTING && code == EN_CHANGE && ready_) {
            Apply(value_.EditChanged(field_.Text()));
        } else if (id == MORVEL_ID_SCRL_BTNOK || id == IDOK) {
            End(value_.result());
        } else if (id == MORVEL_ID_SCRL_BTNCANCEL || id == IDCANCEL) {
            End(CancelResult());
        }
    }
    int CancelResult() const override { return -1; }
    int DefaultId() const override { return MORVEL_ID_SCRL_BTNOK; }

private:
    void OnCreate() {
        font_.Reset(win::CreateUiFont({.face = "Arial", .points = 9, .bold = true}));
        CreateControls(kControls, font_.get());
        win::SetText(Item(MORVEL_ID_LABELMIN), std::to_string(value_.minimum()));
        win::SetText(Item(MORVEL_ID_LABELMAX), std::to_string(value_.maximum()));
        field_.Attach(Item(MORVEL_ID_CUSTOMSETTING));
        field_.SetText(std::to_string(value_.initial()));
        bar_.Attach(
            Item(MORVEL_ID_CUSTOMSCROLLBAR),
            {.min = value_.minimum(), .max = value_.maximum(), .smallStep = smallStep_, .largeStep = largeStep_},
            value_.position());
        bar_.onChange = [this](int position) { Apply(value_.BarMoved(position)); };
        RememberFocus(field_.hwnd());  // the focus starts in the field
        ready_ = true;
    }

    void Apply(const editor::ScrollValue::Effect& effect) {
        if (effect.beep) MessageBeep(0);
        if (effect.newPosition) bar_.SetPosition(*effect.newPosition);
        // Setting the text comes back through EN_CHANGE, where the rules find nothing more to do.
        if (effect.newEditText) field_.SetText(*effect.newEditText);
    }

    editor::ScrollValue value_;
    std::int32_t smallStep_;
    std::int32_t largeStep_;
    win::Font font_;
    win::Edit field_;
    win::ScrollBar bar_;
    bool ready_ = false;
};

}  // namespace

int ExecuteScrlDlg(HWND owner, const editor::FreeValueDialog& question) {
    TScrlDlg dialog(question);
    return dialog.Execute(owner, std::string(question.caption));
}

}  // namespace morvel

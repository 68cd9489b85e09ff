#include "common/win/dialog.h"

#include "common/mnemonic.h"
#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/modal.h"
#include "common/win/text.h"

namespace morvel::win {

bool LabelLetter(char typed, std::span<const LabelTarget> labels, std::span<const HWND> buttons) {
    for (const LabelTarget& entry : labels) {
        if (!entry.label || !IsWindowVisible(entry.label) || !CanTakeFocus(entry.target)) continue;
        if (!MatchesMnemonic(WindowText(entry.label), typed)) continue;
        SetFocus(entry.target);
        return true;
    }
    for (HWND button : buttons) {
        if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) continue;
        if (!MatchesMnemonic(WindowText(button), typed)) continue;
        SendMessageA(button, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

bool Dialog::CreateFrame(const WindowClass& cls, std::string title, int designWidth, int designHeight, HWND owner,
                         DWORD style, DWORD exStyle) {
    scale_ = ScreenScale();
    ended_ = false;
    return Create(cls, CentredDialog(std::move(title), Scale(designWidth), Scale(designHeight), owner, style,
                                     exStyle)) != nullptr;
}

bool Dialog::CreateScaled(const WindowClass& cls, CreateArgs args) {
    scale_ = ScreenScale();
    ended_ = false;
    for (int* length : {&args.x, &args.y, &args.width, &args.height}) {
        if (*length != CW_USEDEFAULT) *length = Scale(*length);
    }
    return Create(cls, args) != nullptr;
}

HWND Dialog::CreateControls(std::span<const ChildArgs> table, HFONT font) {
    HWND first = nullptr;
    for (ChildArgs row : table) {
        row.x = Scale(row.x);
        row.y = Scale(row.y);
        row.width = Scale(row.width);
        row.height = Scale(row.height);
        if (font) row.font = font;
        const HWND control = CreateChild(hwnd(), row);
        if (!first) first = control;
    }
    return first;
}

void Dialog::End(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
}

int Dialog::Run() {
    if (!hwnd()) return CancelResult();
    // The object must outlive its window's last message even when a handler of the run closes it.
    Use use(*this);
    const HWND window = hwnd();
    ModalRun modal(window);
    modal.UseDialogKeys(UsesDialogKeys());
    running_ = true;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    const bool quit = !modal.Loop([this] { return ended_; });
    if (quit && !ended_ && IsWindow(window)) QuitDuringRun();
    running_ = false;
    const int result = ended_ ? result_ : CancelResult();
    modal.End();
    if (IsWindow(window)) DestroyWindow(window);
    return result;
}

LRESULT Dialog::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case DM_GETDEFID:
            return DefaultButton(hwnd(), DefaultId());
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            End(CancelResult());
            return 0;
        default:
            return DefaultMessage(msg, wParam, lParam);
    }
}

}  // namespace morvel::win

// The Explorer pane's keyboard, as the window layer's key route hands it the keys of its window:
// Esc, the Tab cycle, Alt with a caption's letter, Enter and Space in the file list, Enter in the
// name field and on the buttons; and the speed buttons that leave the focus where it is.
#include <windows.h>

#include <utility>

#include "common/win/dialog.h"
#include "common/win/keys.h"
#include "common/win/window.h"
#include "explorer/win/explorer_pane.h"
#include "morvel32.h"

namespace morvel {

// Alt with a caption's underlined letter: a label moves the focus to the control it names, a
// button is pressed. Captions change with the dialog kind, so they are read as they stand.
bool ExplorerPane::LetterKey(WPARAM typed) {
    if (typed > 0xFF) return false;
    const HWND nameTarget = depthBox_.Visible() ? depthBox_.hwnd() : nameField_.hwnd();
    const win::LabelTarget labels[] = {
        {lookInLabel_, lookIn_.hwnd()}, {nameLabel_, nameTarget}, {typeLabel_, fileTypeBox_.hwnd()}};
    const HWND buttons[] = {openButton_, closeButton_};
    return win::LabelLetter(static_cast<char>(typed), labels, buttons);
}

void ExplorerPane::CycleFocus(bool backwards) {
    // Controls that are disabled or hidden (the file type of kinds 0 and 254, the buttons in the
    // input-file view) are passed over.
    const HWND cycle[] = {lookIn_.hwnd(), fileList_.hwnd(), fileTypeBox_.hwnd(), openButton_, closeButton_};
    win::CycleFocus(cycle, backwards);
}

void ExplorerPane::Back() {
    if (inputViewShown_) {
        ToggleInputView();
    } else {
        Dismiss();
    }
}

void ExplorerPane::OpenFromList() {
    if (menus_.Checked(MORVEL_ID_PREVIEWMODE)) {
        NotifyAfterWriteBack(NotifyCode::Preview);
    } else {
        ConfirmChoice();
    }
}

bool ExplorerPane::KeyPreview(const MSG& msg) {
    if (msg.message == WM_SYSCHAR) return LetterKey(msg.wParam);
    if (msg.message == WM_CHAR) {
        if (msg.hwnd == nameField_.hwnd() && msg.wParam == '\r') {
            // The key is consumed; dialogs confirm.
            if (mode_.dialog) ConfirmChoice();
            return true;
        }
        // Already acted on as a key.
        return msg.wParam == '\t' || msg.wParam == 0x1B || (msg.wParam == ' ' && msg.hwnd == fileList_.hwnd());
    }
    enum Command { kBack = 1, kNextControl, kPreviousControl, kOpen };
    static constexpr win::Key kKeys[] = {
        {VK_ESCAPE, win::kNoModifier, kBack},
        {VK_TAB, win::kNoModifier, kNextControl},
        {VK_TAB, win::kShift, kPreviousControl},
        {VK_RETURN, win::kNoModifier, kOpen},
        {VK_SPACE, win::kNoModifier, kOpen},
    };
    const win::Key* key = win::FindKey(kKeys, msg);
    if (!key) return false;
    if (key->command == kOpen) {
        if (msg.hwnd == fileList_.hwnd()) {
            OpenFromList();
            return true;
        }
        if (msg.wParam != VK_RETURN || (msg.hwnd != openButton_ && msg.hwnd != closeButton_)) return false;
        SendMessageA(msg.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    // What is pending is processed first, for the keys the window acts on itself.
    if (!ProcessPending()) return true;
    if (key->command == kBack) {
        Back();
    } else {
        CycleFocus(key->command == kPreviousControl);
    }
    return true;
}

// Up, Goodies and Help act like speed buttons: a click on them leaves the focus where it was.
// The button takes the focus while it is pressed (it needs it to track the click) and hands it
// back once the click, and whatever the click opened, is over.
bool ExplorerPane::SpeedButtonMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        const HWND focus = GetFocus();
        if (focus != control && focus && IsChild(hwnd(), focus)) focusBeforeClick_ = focus;
        return false;
    }
    if (msg != WM_LBUTTONUP) return false;
    const HWND back = std::exchange(focusBeforeClick_, nullptr);
    result = PassOn(control, msg, wParam, lParam);
    if (IsWindow(control) && GetFocus() == control && win::CanTakeFocus(back)) SetFocus(back);
    return true;
}

bool ExplorerPane::ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (control == upButton_ || control == viewMenuButton_ || control == helpButton_)
        return SpeedButtonMessage(control, msg, wParam, lParam, result);
    // The name field and the file-type box show the window's file and view menus, not their own.
    if (msg != WM_CONTEXTMENU || (control != nameField_.hwnd() && control != fileTypeBox_.hwnd())) return false;
    result = SendMessageA(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), GetMessagePos());
    return true;
}

}  // namespace morvel

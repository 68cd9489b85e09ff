// The Explorer pane's keyboard: the keys the window sees before its controls (Esc, the Tab
// cycle), Alt with a caption's letter, Enter and Space in the file list, Enter in the name field
// and on the buttons, and the speed buttons that leave the focus where it is.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "common/win/dialog.h"
#include "common/win/window.h"
#include "explorer/win/explorer_pane.h"
#include "morvel32.h"

namespace morvel {

namespace {
bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}
}  // namespace

// Alt with a caption's underlined letter: a label moves the focus to the control it names, a
// button is pressed. Captions change with the dialog kind, so they are read as they stand.
bool ExplorerPane::LetterKey(WPARAM typed) {
    if (typed > 0xFF) return false;
    const HWND nameTarget = IsWindowVisible(depthBox_) ? depthBox_ : nameField_;
    const win::LabelTarget labels[] = {
        {lookInLabel_, lookIn_.hwnd()}, {nameLabel_, nameTarget}, {typeLabel_, fileTypeBox_}};
    const HWND buttons[] = {openButton_, closeButton_};
    return win::LabelLetter(static_cast<char>(typed), labels, buttons);
}

bool ExplorerPane::WindowKeyDown(WPARAM key) {
    // What is pending is processed first, for the two keys the window acts on; doing it for every
    // key would hand the typed characters queued behind this key to the controls ahead of it.
    if (key != VK_ESCAPE && key != VK_TAB) return false;
    // The modifiers as they were with this key, before the pending messages move the key state on.
    const bool shiftAlone = KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU);
    if (!ProcessPending()) return true;
    if (key == VK_TAB) {
        CycleFocus(shiftAlone);
    } else if (inputViewShown_) {
        ToggleInputView();
    } else {
        Dismiss();
    }
    return true;
}

void ExplorerPane::CycleFocus(bool backwards) {
    const HWND cycle[] = {lookIn_.hwnd(), fileList_.hwnd(), fileTypeBox_, openButton_, closeButton_};
    const auto at = std::find(std::begin(cycle), std::end(cycle), GetFocus());
    if (at == std::end(cycle)) return;
    // Controls that are disabled or hidden (the file type of kinds 0 and 254, the buttons in the
    // input-file view) are passed over.
    const auto count = static_cast<int>(std::size(cycle));
    const int step = backwards ? count - 1 : 1;
    int index = static_cast<int>(at - std::begin(cycle));
    for (int tried = 1; tried < count; ++tried) {
        index = (index + step) % count;
        if (win::CanTakeFocus(cycle[index])) {
            SetFocus(cycle[index]);
            return;
        }
    }
}

bool ExplorerPane::FileListKeyDown(WPARAM key) {
    if (key != VK_RETURN && key != VK_SPACE) return false;
    if (menus_.Checked(MORVEL_ID_PREVIEWMODE)) {
        NotifyAfterWriteBack(NotifyCode::Preview);
    } else {
        ConfirmChoice();
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
    switch (msg) {
        case WM_KEYDOWN:
            // The window sees every key before its controls.
            if (WindowKeyDown(wParam)) return true;
            if (control == fileList_.hwnd() && FileListKeyDown(wParam)) return true;
            if (wParam == VK_RETURN && (control == openButton_ || control == closeButton_)) {
                SendMessageA(control, BM_CLICK, 0, 0);
                return true;
            }
            return false;
        case WM_CHAR:
            if (control == nameField_ && wParam == '\r') {
                // The key is consumed; dialogs confirm.
                if (mode_.dialog) ConfirmChoice();
                return true;
            }
            // Already acted on as a key.
            return wParam == '\t' || wParam == 0x1B || (wParam == ' ' && control == fileList_.hwnd());
        case WM_SYSCHAR:
            return LetterKey(wParam);
        case WM_CONTEXTMENU:
            if (control != nameField_ && control != fileTypeBox_) return false;
            result = SendMessageA(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), GetMessagePos());
            return true;
        default:
            return false;
    }
}

}  // namespace morvel

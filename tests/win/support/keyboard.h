// Real keyboard and mouse input for the tests: what SendInput delivers to the foreground window,
// and where the system puts the focus.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace morvel::test {

// The control with the keyboard focus in the window's thread (GetGUIThreadInfo).
HWND FocusOf(HWND window);
// Waits until that focus is `control`.
bool WaitForFocus(HWND window, HWND control);

// Presses the modifiers, then the key, then lets everything go.
void PressKey(std::initializer_list<WORD> modifiers, WORD key);
inline void PressKey(WORD key) {
    PressKey({}, key);
}
// Types the text key by key (with Shift where a character needs it).
void TypeText(const std::string& text);
// Puts the text on the clipboard as CF_TEXT.
bool SetClipboardText(const std::string& text);

}  // namespace morvel::test

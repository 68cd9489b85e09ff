#include "win/support/keyboard.h"

#include <cstring>
#include <vector>

#include "win/support/ui_driver.h"

namespace morvel::test {

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool WaitForFocus(HWND window, HWND control) {
    return WaitUntil([&] { return FocusOf(window) == control; }, Millis(5000));
}

namespace {
INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Give the window's thread time to take the keys before the next ones or a check.
    Sleep(60);
}
}  // namespace

void PressKey(std::initializer_list<WORD> modifiers, WORD key) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(Key(m, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) inputs.push_back(Key(*m, true));
    Send(inputs);
}

void TypeText(const std::string& text) {
    for (const char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1) continue;
        const WORD vk = LOBYTE(scan);
        if (HIBYTE(scan) & 1) {
            PressKey({VK_SHIFT}, vk);
        } else {
            PressKey(vk);
        }
    }
}

bool SetClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool ok = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!ok) GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}

}  // namespace morvel::test

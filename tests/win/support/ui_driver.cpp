#include "win/support/ui_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace morvel::test {

namespace {
constexpr Millis kPoll{15};
constexpr int kMessageTextId = 0xFFFF;  // the text control of a message box

bool IsOwnProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM param) {
    if (IsOwnProcess(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
}  // namespace

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& condition, Millis timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        PumpMessages();
        Sleep(static_cast<DWORD>(kPoll.count()));
    }
}

std::vector<HWND> ProcessWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectOwnWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    return name;
}

std::string TextOf(HWND window) {
    // WM_GETTEXT through a timeout, so a hung window cannot hang the driver.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

std::string CaptionOf(HWND window) {
    // The caption as the window manager keeps it: no message is sent, so a window whose thread is
    // busy (in a modal loop, say) answers at once.
    wchar_t wide[512] = {};
    const int length = InternalGetWindowText(window, wide, 512);
    char text[1024] = {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text, nullptr, nullptr);
    return std::string(text, static_cast<size_t>(bytes));
}

HWND FindProcessWindow(const std::string& caption, const std::string& className) {
    for (HWND window : ProcessWindows()) {
        if (!className.empty() && ClassOf(window) != className) continue;
        if (!caption.empty() && CaptionOf(window) != caption) continue;
        return window;
    }
    return nullptr;
}

HWND WaitForWindow(const std::string& caption, const std::string& className, Millis timeout) {
    HWND found = nullptr;
    const bool ok = WaitUntil(
        [&] {
            found = FindProcessWindow(caption, className);
            return found != nullptr && IsWindowVisible(found);
        },
        timeout);
    if (!ok) {
        ADD_FAILURE() << "no window \"" << caption << "\" (class \"" << className << "\") within "
                      << timeout.count() << " ms";
        return nullptr;
    }
    return found;
}

bool WaitForWindowGone(const std::string& caption, Millis timeout) {
    return WaitUntil(
        [&] {
            HWND window = FindProcessWindow(caption);
            return window == nullptr || !IsWindowVisible(window);
        },
        timeout);
}

HWND Control(HWND parent, int id) {
    HWND control = parent ? GetDlgItem(parent, id) : nullptr;
    if (control == nullptr) ADD_FAILURE() << "no control with ID " << id;
    return control;
}

void SetText(HWND control, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        2000, &result);
}

void Click(HWND button) {
    if (button != nullptr) PostMessageA(button, BM_CLICK, 0, 0);
}

void ClickControl(HWND parent, int id) { Click(Control(parent, id)); }

std::optional<MessageBoxSeen> WaitForMessageBox(Millis timeout) {
    MessageBoxSeen seen;
    const bool ok = WaitUntil(
        [&] {
            for (HWND window : ProcessWindows()) {
                if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
                HWND text = GetDlgItem(window, kMessageTextId);
                if (text == nullptr) continue;
                seen.window = window;
                seen.caption = CaptionOf(window);
                seen.text = TextOf(text);
                return true;
            }
            return false;
        },
        timeout);
    if (!ok) return std::nullopt;
    return seen;
}

void AnswerMessageBox(const MessageBoxSeen& box, int button) {
    HWND control = GetDlgItem(box.window, button);
    if (control != nullptr) {
        Click(control);
    } else {
        PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
    WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

void DriveModal(const std::function<void()>& modal, const std::function<void()>& driver, Millis timeout) {
    std::atomic<bool> modalReturned{false};
    std::atomic<bool> driverDone{false};
    std::thread second([&] {
        driver();
        driverDone = true;
        // Whatever the driver left open is closed, so a failing test does not hang the run.
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!modalReturned && std::chrono::steady_clock::now() < deadline) Sleep(20);
        if (!modalReturned) {
            ADD_FAILURE() << "the modal window did not close within " << timeout.count()
                          << " ms after the driver finished; closing it";
            for (int round = 0; round < 50 && !modalReturned; ++round) {
                for (HWND window : ProcessWindows()) {
                    if (!IsWindowVisible(window)) continue;
                    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                    PostMessageA(window, WM_CLOSE, 0, 0);
                }
                Sleep(100);
            }
        }
    });
    modal();
    modalReturned = true;
    second.join();
    EXPECT_TRUE(driverDone.load());
}

}  // namespace morvel::test

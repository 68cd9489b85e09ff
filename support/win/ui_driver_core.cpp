#include "support/win/ui_driver_core.h"

#include <atomic>
#include <thread>

namespace morvel::driver {

namespace {
constexpr Millis kPoll{15};
constexpr int kMessageTextId = 0xFFFF;  // the text control of a message box
constexpr UINT kSendTimeoutMs = 2000;

bool IsOwnProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM param) {
    if (IsOwnProcess(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

struct DescendantSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchDescendant(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<DescendantSearch*>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

std::string Ms(Millis time) {
    return std::to_string(time.count()) + " ms";
}

// DriveModal, with the driver told when the modal call has returned (so that it can stop waiting
// for something the call will no longer show).
Outcome RunModal(const std::function<void()>& modal,
                 const std::function<void(const std::atomic<bool>& modalReturned)>& driver, Millis timeout) {
    std::atomic<bool> modalReturned{false};
    std::atomic<bool> closedByWatchdog{false};
    std::atomic<bool> driverDone{false};
    std::thread second([&] {
        struct Finished {
            std::atomic<bool>& done;
            ~Finished() { done = true; }
        } finished{driverDone};
        driver(modalReturned);
        // Whatever the driver left open is closed, so that a failing run does not hang.
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!modalReturned && std::chrono::steady_clock::now() < deadline) Sleep(20);
        if (modalReturned) return;
        closedByWatchdog = true;
        for (int round = 0; round < 50 && !modalReturned; ++round) {
            for (HWND window : ProcessWindows()) {
                if (!IsWindowVisible(window)) continue;
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
            Sleep(100);
        }
    });
    modal();
    modalReturned = true;
    // The driver may still send a message to a window of this thread (a read of a list, say):
    // this thread keeps answering until the driver has finished, instead of blocking in join.
    while (!driverDone) {
        PumpMessages();
        Sleep(5);
    }
    second.join();
    if (closedByWatchdog) {
        return Outcome::Failed("the modal window did not close within " + Ms(timeout) +
                               " after the driver finished; it was closed");
    }
    return Outcome::Done();
}
}  // namespace

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpFor(Millis time) {
    WaitUntil([] { return false; }, time);
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
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied)) {
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

Found<HWND> WaitForWindow(const std::string& caption, const std::string& className, Millis timeout) {
    Found<HWND> result;
    const bool ok = WaitUntil(
        [&] {
            result.value = FindProcessWindow(caption, className);
            return result.value != nullptr && IsWindowVisible(result.value);
        },
        timeout);
    if (!ok) {
        result.value = nullptr;
        result.problem = "no window \"" + caption + "\" (class \"" + className + "\") within " + Ms(timeout);
    }
    return result;
}

bool WaitForWindowGone(const std::string& caption, Millis timeout) {
    return WaitUntil(
        [&] {
            HWND window = FindProcessWindow(caption);
            return window == nullptr || !IsWindowVisible(window);
        },
        timeout);
}

Found<HWND> Control(HWND parent, int id) {
    Found<HWND> result;
    result.value = parent ? GetDlgItem(parent, id) : nullptr;
    if (result.value == nullptr) result.problem = "no control with ID " + std::to_string(id);
    return result;
}

Found<HWND> Descendant(HWND window, int id) {
    DescendantSearch search{id, nullptr};
    if (window != nullptr) EnumChildWindows(window, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    Found<HWND> result;
    result.value = search.found;
    if (result.value == nullptr) result.problem = "no control with ID " + std::to_string(id) + " inside the window";
    return result;
}

Outcome SetText(HWND control, const std::string& text) {
    if (control == nullptr || !IsWindow(control)) return Outcome::Failed("set text \"" + text + "\": no such control");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &result)) {
        return Outcome::Failed("set text \"" + text + "\": the control did not answer");
    }
    return Outcome::Done();
}

Outcome Click(HWND button) {
    if (button == nullptr || !IsWindow(button)) return Outcome::Failed("click on no control");
    if (!PostMessageA(button, BM_CLICK, 0, 0)) return Outcome::Failed("click: the message could not be posted");
    return Outcome::Done();
}

Found<MessageBoxSeen> WaitForMessageBox(Millis timeout) {
    Found<MessageBoxSeen> result;
    const bool ok = WaitUntil(
        [&] {
            for (HWND window : ProcessWindows()) {
                if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
                HWND text = GetDlgItem(window, kMessageTextId);
                if (text == nullptr) continue;
                result.value.window = window;
                result.value.caption = CaptionOf(window);
                result.value.text = TextOf(text);
                return true;
            }
            return false;
        },
        timeout);
    if (!ok) result.problem = "no message box within " + Ms(timeout);
    return result;
}

Outcome AnswerMessageBox(const MessageBoxSeen& box, int button, Millis timeout) {
    if (box.window == nullptr) return Outcome::Failed("no message box to answer");
    HWND control = GetDlgItem(box.window, button);
    if (control != nullptr) {
        PostMessageA(control, BM_CLICK, 0, 0);
    } else {
        // A box without that button may still take the command (Esc on an OK box is IDCANCEL).
        PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
    if (!WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, timeout)) {
        return Outcome::Failed("message box \"" + box.text + "\" did not close on button " + std::to_string(button));
    }
    return Outcome::Done();
}

Outcome DriveModal(const std::function<void()>& modal, const std::function<void()>& driver, Millis timeout) {
    return RunModal(
        modal, [&](const std::atomic<bool>&) { driver(); }, timeout);
}

Found<std::string> RunExpectingBox(const std::function<void()>& action, int button, Millis timeout) {
    Found<std::string> result;
    const Outcome run = RunModal(
        action,
        [&](const std::atomic<bool>& actionReturned) {
            // A box that is already up when the action returns still counts: look once more.
            Found<MessageBoxSeen> box;
            WaitUntil(
                [&] {
                    const bool finished = actionReturned;
                    box = WaitForMessageBox(Millis(0));
                    return box.ok() || finished;
                },
                timeout);
            if (!box) {
                result.problem = actionReturned ? "no message box: the action returned without one"
                                                : "no message box within " + Ms(timeout);
                return;
            }
            result.value = box.value.text;
            const Outcome answered = AnswerMessageBox(box.value, button, timeout);
            if (!answered) result.problem = answered.problem;
        },
        timeout);
    if (result.ok() && !run.ok()) result.problem = run.problem;
    return result;
}

}  // namespace morvel::driver

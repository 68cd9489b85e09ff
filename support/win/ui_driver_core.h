// The UI driver's core: finds windows and controls of this process and works them as a user would,
// from the thread that runs them or from a second thread while a modal loop runs on the first.
// Every wait has a timeout. Nothing here fails a test: each call returns its outcome, and the
// caller decides what a problem means (the tests' adapter records a failure, the reference host's
// tour logs it and goes on).
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvel::driver {

using Millis = std::chrono::milliseconds;
inline constexpr Millis kWaitTimeout{10000};

// What a step came to: done, or why not.
struct Outcome {
    std::string problem;  // empty when the step was done

    bool ok() const { return problem.empty(); }
    explicit operator bool() const { return ok(); }
    static Outcome Done() { return {}; }
    static Outcome Failed(std::string why) { return {std::move(why)}; }
};

// A value found, or why it was not.
template <class T>
struct Found {
    T value{};
    std::string problem;

    bool ok() const { return problem.empty(); }
    explicit operator bool() const { return ok(); }
};

// Dispatches this thread's pending messages.
void PumpMessages();
// Keeps this thread's windows alive (painting, timers) for the time given.
void PumpFor(Millis time);
// Polls the condition (pumping this thread's messages meanwhile) until it holds or time runs out.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = kWaitTimeout);

// Top-level windows of this process, visible or not.
std::vector<HWND> ProcessWindows();
// A top-level window of this process whose caption is exactly `caption` (any caption when empty)
// and whose class is `className` (any class when empty).
HWND FindProcessWindow(const std::string& caption, const std::string& className = "");
// Waits for such a window to exist and be visible.
Found<HWND> WaitForWindow(const std::string& caption, const std::string& className = "", Millis timeout = kWaitTimeout);
// Waits until no visible window with that caption is left.
bool WaitForWindowGone(const std::string& caption, Millis timeout = kWaitTimeout);

// The direct child with the ID (GetDlgItem).
Found<HWND> Control(HWND parent, int id);
// A control at any depth inside the window (controls inside panels), the first in Z order.
Found<HWND> Descendant(HWND window, int id);

std::string ClassOf(HWND window);
// A control's text (WM_GETTEXT, with a timeout).
std::string TextOf(HWND window);
// A top-level window's caption, read without sending it a message.
std::string CaptionOf(HWND window);
// WM_SETTEXT with a timeout; a problem when the window is gone, hangs or refuses the text.
Outcome SetText(HWND control, const std::string& text);
// Posts a click, so that whatever the click opens (a message box, a dialog) cannot block the
// driver; a problem when there is no such window.
Outcome Click(HWND button);

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
// Waits for a message box (dialog class with a message text) of this process.
Found<MessageBoxSeen> WaitForMessageBox(Millis timeout = kWaitTimeout);
// Presses IDOK, IDYES, IDNO or IDCANCEL on it and waits until it is gone; a problem when the box
// has no such button or does not close.
Outcome AnswerMessageBox(const MessageBoxSeen& box, int button, Millis timeout = kWaitTimeout);

// Runs `modal` on this thread and `driver` on a second thread. When the driver has finished and
// the modal call has not returned within `timeout`, every window of this process is closed so
// that the run ends instead of hanging, and that is the problem reported.
Outcome DriveModal(const std::function<void()>& modal, const std::function<void()>& driver,
                   Millis timeout = kWaitTimeout);

// Runs `action` on this thread, expecting it to show a message box; a second thread reads the
// box's text and presses `button`. The text, or a problem when no box came or it would not close.
Found<std::string> RunExpectingBox(const std::function<void()>& action, int button, Millis timeout = kWaitTimeout);

}  // namespace morvel::driver

// The UI driver for GoogleTest: the driver core (support/win/ui_driver_core.h) with every problem
// it reports recorded as a test failure. Modal windows run their loop on the calling thread, so a
// test drives them from a second thread (DriveModal, RunExpectingBox). Every wait has a timeout
// and fails the test instead of hanging.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/win/ui_driver_core.h"

namespace morvel::test {

using Millis = driver::Millis;
inline constexpr Millis kWaitTimeout = driver::kWaitTimeout;

// Polls the condition (pumping this thread's messages meanwhile) until it holds or time runs out.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = kWaitTimeout);

// Top-level windows of this process, visible or not.
std::vector<HWND> ProcessWindows();
// A top-level window of this process whose caption is exactly `caption` (any caption when empty)
// and whose class is `className` (any class when empty).
HWND FindProcessWindow(const std::string& caption, const std::string& className = "");
// Waits for such a window to exist and be visible; records a test failure and returns nullptr on
// timeout.
HWND WaitForWindow(const std::string& caption, const std::string& className = "", Millis timeout = kWaitTimeout);
// Waits until no visible window with that caption is left.
bool WaitForWindowGone(const std::string& caption, Millis timeout = kWaitTimeout);

// The child control with the ID (fails the test when there is none).
HWND Control(HWND parent, int id);
// A control at any depth inside the window, such as one inside a panel (fails the test when there
// is none).
HWND DescendantControl(HWND window, int id);
std::string ClassOf(HWND window);
// A control's text (WM_GETTEXT, with a timeout).
std::string TextOf(HWND window);
// A top-level window's caption, read without sending it a message.
std::string CaptionOf(HWND window);
// Fails the test when the control is gone or does not answer.
void SetText(HWND control, const std::string& text);
// Posts a click, so that whatever the click opens (a message box, a dialog) cannot block the
// driver. A click on no control fails the test.
void Click(HWND button);
void ClickControl(HWND parent, int id);

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
// Waits for a message box (dialog class with a message text) of this process; nothing, without a
// failure, when none comes.
std::optional<MessageBoxSeen> WaitForMessageBox(Millis timeout = kWaitTimeout);
// Presses IDOK, IDYES, IDNO or IDCANCEL on it and waits until it is gone (fails the test when it
// stays).
void AnswerMessageBox(const MessageBoxSeen& box, int button);

// Runs `action` on this thread expecting a message box, presses `button` on it from a second
// thread and returns its text (fails the test, and returns "", when no box comes).
std::string RunExpectingBox(const std::function<void()>& action, int button, Millis timeout = kWaitTimeout);

// Runs `modal` on this thread and `driver` on a second thread. When the driver has finished and
// the modal call has not returned within `timeout`, every window of this process is closed so
// that the test fails instead of hanging.
void DriveModal(const std::function<void()>& modal, const std::function<void()>& driver, Millis timeout = kWaitTimeout);

// Dispatches this thread's pending messages.
void PumpMessages();

}  // namespace morvel::test

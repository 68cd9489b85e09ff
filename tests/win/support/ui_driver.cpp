#include "win/support/ui_driver.h"

#include <gtest/gtest.h>

namespace morvel::test {

namespace {
void Report(const driver::Outcome& outcome) {
    if (!outcome) ADD_FAILURE() << outcome.problem;
}

template <class T>
T Report(driver::Found<T> found) {
    if (!found) ADD_FAILURE() << found.problem;
    return std::move(found.value);
}
}  // namespace

void PumpMessages() {
    driver::PumpMessages();
}

bool WaitUntil(const std::function<bool()>& condition, Millis timeout) {
    return driver::WaitUntil(condition, timeout);
}

std::vector<HWND> ProcessWindows() {
    return driver::ProcessWindows();
}

std::string ClassOf(HWND window) {
    return driver::ClassOf(window);
}

std::string TextOf(HWND window) {
    return driver::TextOf(window);
}

std::string CaptionOf(HWND window) {
    return driver::CaptionOf(window);
}

HWND FindProcessWindow(const std::string& caption, const std::string& className) {
    return driver::FindProcessWindow(caption, className);
}

HWND WaitForWindow(const std::string& caption, const std::string& className, Millis timeout) {
    return Report(driver::WaitForWindow(caption, className, timeout));
}

bool WaitForWindowGone(const std::string& caption, Millis timeout) {
    return driver::WaitForWindowGone(caption, timeout);
}

HWND Control(HWND parent, int id) {
    return Report(driver::Control(parent, id));
}

HWND DescendantControl(HWND window, int id) {
    return Report(driver::Descendant(window, id));
}

void SetText(HWND control, const std::string& text) {
    Report(driver::SetText(control, text));
}

void Click(HWND button) {
    Report(driver::Click(button));
}

void ClickControl(HWND parent, int id) {
    // A missing control is reported once, by Control.
    if (HWND control = Control(parent, id)) Click(control);
}

std::optional<MessageBoxSeen> WaitForMessageBox(Millis timeout) {
    const driver::Found<driver::MessageBoxSeen> box = driver::WaitForMessageBox(timeout);
    if (!box) return std::nullopt;
    return MessageBoxSeen{box.value.window, box.value.caption, box.value.text};
}

void AnswerMessageBox(const MessageBoxSeen& box, int button) {
    Report(driver::AnswerMessageBox({box.window, box.caption, box.text}, button));
}

std::string RunExpectingBox(const std::function<void()>& action, int button, Millis timeout) {
    return Report(driver::RunExpectingBox(action, button, timeout));
}

void DriveModal(const std::function<void()>& modal, const std::function<void()>& drive, Millis timeout) {
    Report(driver::DriveModal(modal, drive, timeout));
}

}  // namespace morvel::test

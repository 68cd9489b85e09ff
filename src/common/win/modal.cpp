#include "common/win/modal.h"

#include "common/win/keys.h"

namespace morvel::win {

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // A key pressed meanwhile reaches its modal window's KeyPreview, as in the modal loop.
        if (RouteKey(msg, false)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

struct DisableContext {
    HWND modal;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM data) {
    auto* context = reinterpret_cast<DisableContext*>(data);
    if (window == context->modal || GetWindow(window, GW_OWNER) == context->modal) return TRUE;
    if (IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        context->disabled->push_back(window);
    }
    return TRUE;
}

}  // namespace

ModalRun::ModalRun(HWND modal, HWND returnTo) : modal_(modal), previousActive_(returnTo) {
    // A modal window that is active already gives the activation back to its owner.
    if (previousActive_ == modal_) previousActive_ = GetWindow(modal_, GW_OWNER);
    DisableContext context{modal_, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableThreadWindow, reinterpret_cast<LPARAM>(&context));
}

ModalRun::~ModalRun() {
    End();
}

bool ModalRun::Loop(const std::function<bool()>& done) {
    MSG msg;
    while (!ended_ && IsWindow(modal_) && !done()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit_ = true;
            quitCode_ = static_cast<int>(msg.wParam);
            return false;
        }
        if (got < 0) break;
        if (RouteKey(msg, false)) continue;
        if (dialogKeys_ && IsDialogMessageA(modal_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void ModalRun::End() {
    if (ended_) return;
    ended_ = true;
    for (HWND window : disabled_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabled_.clear();
    // The activation goes back while the modal window is still shown, so that hiding it leaves
    // the system no window to choose (it might choose another application's).
    const bool wasForeground = IsWindow(modal_) && GetForegroundWindow() == modal_;
    if (previousActive_ && IsWindow(previousActive_) && IsWindowVisible(previousActive_)) {
        if (wasForeground) SetForegroundWindow(previousActive_);
        SetActiveWindow(previousActive_);
    }
    if (IsWindow(modal_)) ShowWindow(modal_, SW_HIDE);
    if (quit_) PostQuitMessage(quitCode_);
}

}  // namespace morvel::win

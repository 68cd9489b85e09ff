// The library's message loops: the pump that processes what is pending, and the modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace morvel::win {

// Processes the messages pending for the thread and returns. A WM_QUIT met on the way is posted
// again, so that the loop that owns the thread still sees it.
void PumpPending();

// A window run modally on the calling thread. While it runs, every enabled top-level window of
// the thread (the host's windows, the library's modeless windows) is disabled. `End` enables
// them again before the modal window is hidden, so that the system never activates a window of
// another application in between, and gives the activation back to the window that had it, whose
// focus memory then gives the focus back.
class ModalRun {
public:
    // `returnTo` is the window to activate at the end; by default the window active now, so
    // construct the run before the modal window is shown, or name the window.
    explicit ModalRun(HWND modal, HWND returnTo = GetActiveWindow());
    ~ModalRun();
    ModalRun(const ModalRun&) = delete;
    ModalRun& operator=(const ModalRun&) = delete;

    // Gives the modal window the dialog keys while the loop runs (IsDialogMessageA): Tab and the
    // arrows move between controls, Enter sends IDOK (or presses the focused button), Escape
    // sends IDCANCEL, Alt+letter reaches a control's mnemonic.
    void UseDialogKeys(bool use) { dialogKeys_ = use; }
    // Runs the loop until `done()` is true or the modal window is gone. Returns false when the
    // thread was asked to quit (WM_QUIT); the quit is posted again at `End`. Keys go the layer's
    // route (keys.h) before they are dispatched.
    bool Loop(const std::function<bool()>& done);
    // Enables the windows, activates the window that was active before, then hides the modal
    // window. Later calls do nothing.
    void End();

    HWND previousActive() const { return previousActive_; }

private:
    HWND modal_;
    HWND previousActive_;
    std::vector<HWND> disabled_;
    bool ended_ = false;
    bool quit_ = false;
    bool dialogKeys_ = false;
    int quitCode_ = 0;
};

}  // namespace morvel::win

// The dialog base: every window the library runs modally (the Explorer dialog, the editor, the
// compression, rename, numeric entry and playback options dialogs) derives from `Dialog`.
//
// A dialog takes its inputs as plain members set before `Run` and gives its result back from
// `Run`, the value its handler passed to `End` (and anything else in members read after `Run`).
// `Run` is the one modal run of the library: it shows the window, disables the thread's other
// windows for the run (ModalRun), loops until `End`, then gives the activation back and
// destroys the window.
//
// Layout has one unit system: design pixels at 120 pixels per inch (common/design_scale.h),
// scaled to the screen once, when the window or a control is created (`Scale`). Controls are declared as tables of
// `ChildArgs` and created by `CreateControls`. Keys reach the dialog's `KeyPreview` from the run
// (keys.h); its controls' commands reach `OnCommand`.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "common/design_scale.h"
#include "common/win/controls.h"
#include "common/win/window.h"

namespace morvel::win {


// A label and the control that its underlined letter gives the focus to.
struct LabelTarget {
    HWND label;
    HWND target;
};

// Alt with a caption's underlined letter: the first shown label whose caption has that letter
// gives the focus to its target (when the target can take it), else the first usable button
// whose caption has it is pressed. Captions are read as they stand (some change at run time).
// Returns true when the letter was used.
bool LabelLetter(char typed, std::span<const LabelTarget> labels, std::span<const HWND> buttons = {});

class Dialog : public Window {
public:
    // Runs the created dialog modally and returns what its handler passed to `End`, or
    // `CancelResult()` when the window went away or the thread was asked to quit before.
    // Shows the window and makes it the foreground window first; destroys it at the end.
    int Run();
    // Whether `Run` is in its loop now.
    bool Running() const { return running_; }

protected:
    // Creates the window (hidden) with a fixed dialog frame around a client area given in design
    // pixels, centred on the screen. Returns false when the system refused it.
    bool CreateFrame(const WindowClass& cls, std::string title, int designWidth, int designHeight, HWND owner,
                     DWORD style = WS_POPUP | WS_CAPTION, DWORD exStyle = 0);
    // Creates the window (hidden) with its place and size given in design pixels, for a window of
    // another frame (one that may also stay open without `Run`). Returns false when refused.
    bool CreateScaled(const WindowClass& cls, CreateArgs args);

    // Ends the run with a result; the loop returns at its next turn. Later calls do nothing.
    void End(int result);
    bool Ended() const { return ended_; }

    // What `Run` returns when the dialog was closed without `End`.
    virtual int CancelResult() const { return IDCANCEL; }
    // The button that Enter presses when the focus is on no push button (DM_GETDEFID).
    virtual int DefaultId() const { return IDOK; }
    // A control's command or notification (WM_COMMAND): its ID and notification code. Menu
    // items and accelerators come with the code 0 or 1, IDOK and IDCANCEL from the dialog keys.
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    // Whether Tab, the arrows, Enter, Escape and Alt+letter work as in a system dialog
    // (IsDialogMessage) while the dialog runs.
    virtual bool UsesDialogKeys() const { return true; }
    // The thread was asked to quit while the dialog ran and had not ended: by default `Run` then
    // returns `CancelResult()`; a dialog that has a close step of its own runs it here.
    virtual void QuitDuringRun() {}

    // Design pixels at 120 dpi on this screen.
    int Scale(int designPixels) const { return scale_(designPixels); }
    const DesignScale& Scaling() const { return scale_; }
    // Creates the controls of a table, positions and sizes given in design pixels and each scaled
    // once, with the font given; returns the first control made (or null).
    HWND CreateControls(std::span<const ChildArgs> table, HFONT font = nullptr);
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    // DM_GETDEFID answered with the default button, WM_COMMAND handed to `OnCommand`, WM_CLOSE
    // ended with `CancelResult()`; the rest goes to DefaultMessage. Derived dialogs pass on what they do not handle.
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DesignScale scale_;
    int result_ = 0;
    bool ended_ = false;
    bool running_ = false;
};

}  // namespace morvel::win

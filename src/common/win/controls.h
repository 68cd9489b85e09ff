// Child controls: created from one small argument struct with defaulted members, and one way to
// subclass them (SetWindowSubclass) inside the layer's exception boundary.
//
//     CreateChild(hwnd(), {.className = WC_BUTTONA, .text = "&Ok", .id = MORVEL_ID_BTNOK,
//                          .style = BS_DEFPUSHBUTTON | WS_TABSTOP, .x = 8, .y = 8, .width = 75, .height = 24});
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace morvel::win {

struct ChildArgs {
    const char* className = "STATIC";
    std::string text;
    int id = 0;
    DWORD style = 0;  // added to WS_CHILD, and WS_VISIBLE unless `visible` is false
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool enabled = true;
    HFONT font = nullptr;  // sent with WM_SETFONT when given
    void* createParam = nullptr;
};

// Creates the child; returns null when the system refuses it.
HWND CreateChild(HWND parent, const ChildArgs& args);

// The answer to DM_GETDEFID of a window that runs with dialog keys: Enter presses the focused
// push button, else the button `okId`.
LRESULT DefaultButton(HWND dialog, int okId);

// A handler for messages of subclassed controls. One hook may serve several controls (a window
// usually hooks its own controls with itself). The hook is removed when a control is destroyed,
// and from every control still hooked when the hook object goes away.
class ControlHook {
public:
    ControlHook() = default;
    virtual ~ControlHook();
    ControlHook(const ControlHook&) = delete;
    ControlHook& operator=(const ControlHook&) = delete;

    void Hook(HWND control);
    void Unhook(HWND control);

protected:
    // A message of a hooked control, before the control's own procedure. Return true when
    // handled, with the result set; false passes the message on to the control.
    virtual bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The control's own handling, for a hook that wants it first.
    static LRESULT PassOn(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    std::vector<HWND> hooked_;
};

}  // namespace morvel::win

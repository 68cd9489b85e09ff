// Child controls: created from one small argument struct with defaulted members (also the row of
// a dialog's control table), typed controls for the messages of their kind, and one way to
// subclass them (SetWindowSubclass) inside the layer's exception boundary.
//
//     CreateChild(hwnd(), {.className = WC_BUTTONA, .text = "&Ok", .id = MORVEL_ID_BTNOK,
//                          .style = BS_DEFPUSHBUTTON | WS_TABSTOP, .x = 8, .y = 8, .width = 75, .height = 24});
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/win/text.h"

namespace morvel::win {

struct ChildArgs {
    const char* className = "STATIC";
    std::string_view text;
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

// A child control by its handle, for what every control answers.
class Control {
public:
    Control() = default;
    explicit Control(HWND handle) : handle_(handle) {}

    HWND hwnd() const { return handle_; }
    void Attach(HWND handle) { handle_ = handle; }
    std::string Text() const;
    void SetText(const std::string& text) const;
    bool Visible() const { return IsWindowVisible(handle_) != FALSE; }
    void Show(bool shown) const { ShowWindow(handle_, shown ? SW_SHOW : SW_HIDE); }
    bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }
    void Enable(bool enabled) const { EnableWindow(handle_, enabled ? TRUE : FALSE); }

protected:
    HWND handle_ = nullptr;
};

class Edit : public Control {
public:
    using Control::Control;
    void Select(int start, int end) const;
    // The caret after the last character.
    void SelectEnd() const;
    void LimitText(int characters) const;
};

// A control that holds a list of texts, over the messages of its kind.
template <UINT kAdd, UINT kReset, UINT kCount, UINT kGetSelection, UINT kSetSelection,
          std::string (*kItemText)(HWND, int)>
class TextList : public Control {
public:
    using Control::Control;
    void Add(const std::string& text) const { SendMessageA(handle_, kAdd, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    void Clear() const { SendMessageA(handle_, kReset, 0, 0); }
    int Count() const { return static_cast<int>(SendMessageA(handle_, kCount, 0, 0)); }
    // The selected item (of a single-selection list), or -1.
    int Selection() const { return static_cast<int>(SendMessageA(handle_, kGetSelection, 0, 0)); }
    void Select(int index) const { SendMessageA(handle_, kSetSelection, static_cast<WPARAM>(index), 0); }
    // Empty when there is no such item.
    std::string ItemText(int index) const { return kItemText(handle_, index); }
};

class ComboBox
    : public TextList<CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL, ComboItemText> {
public:
    using TextList::TextList;
};

class ListBox : public TextList<LB_ADDSTRING, LB_RESETCONTENT, LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL, ListItemText> {
public:
    using TextList::TextList;
};

// A scroll bar control that holds a value: its range, its small and large steps and the user's
// requests. The bar's parent needs no code for it: the window layer hands the bar's WM_HSCROLL
// and WM_VSCROLL to it.
class ScrollBar : public Control {
public:
    struct Range {
        int min = 0;
        int max = 0;
        int smallStep = 1;
        int largeStep = 10;
        bool disabledWhenEmpty = false;  // an empty range shows the bar disabled, not hidden
    };

    ScrollBar() = default;
    ~ScrollBar();
    ScrollBar(const ScrollBar&) = delete;
    ScrollBar& operator=(const ScrollBar&) = delete;

    // Takes the bar over with its range; the position is clamped into it.
    void Attach(HWND bar, const Range& range, int position = 0);
    void SetLimits(int min, int max);
    const Range& Limits() const { return range_; }
    int Position() const { return position_; }
    // Moves the bar without telling `onChange`; false when the (clamped) position is the same.
    bool SetPosition(int position);

    // Every scroll request of the user (SB_ code), before the bar moves.
    std::function<void(int request)> onRequest;
    // The user moved the bar to a new position.
    std::function<void(int position)> onChange;

    // The layer's call for a scroll message from the control `bar`: false when it is no typed bar.
    static bool Scrolled(LPARAM bar, WPARAM request);

private:
    void Request(WPARAM request);

    Range range_;
    int position_ = 0;
};

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

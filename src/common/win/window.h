// The window base of the library: every top-level window and every custom control is a class
// derived from `Window`. One window procedure serves them all: it attaches the object at
// WM_NCCREATE, dispatches to the virtual `WindowMessage`, runs it inside the exception boundary
// and detaches the object at WM_NCDESTROY.
//
// Classes are registered once, on first use, and unregistered when the library unloads
// (`UnregisterWindowClasses`, called from DllMain).
//
// Keys: the layer hands each key to `KeyPreview` of the windows that hold the focus before it is
// dispatched (keys.h); a window that stays open beside the host asks for that with
// `TakeKeysFromHostLoop`. Failures: `ReportFailure` says what a failing handler does.
//
// Focus memory: a window that loses activation remembers which of its children had the focus,
// and gives the focus back to it when it is activated again (Alt+Tab back, a message box
// closed, a modal window ended). A window sets the child to start with by `RememberFocus`.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

namespace morvel::win {

// What a window class looks like. The procedure is always the layer's own.
struct WindowClass {
    const char* name = nullptr;
    UINT style = 0;
    // Background brush (a system colour index + 1 as the system takes it, or a stock brush).
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    LPCSTR cursor = reinterpret_cast<LPCSTR>(IDC_ARROW);  // a system cursor
    LPCSTR icon = nullptr;                                // a system icon, or none
};

// Where and how a window is created.
struct CreateArgs {
    std::string title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;  // owner of a top-level window, parent of a child
    int id = 0;             // control ID of a child window
};

// A dialog-like window: a fixed frame around a client area of the given size, centred on the
// screen. `exStyle` gets WS_EX_DLGMODALFRAME and WS_EX_CONTROLPARENT added.
CreateArgs CentredDialog(std::string title, int clientWidth, int clientHeight, HWND owner,
                         DWORD style = WS_POPUP | WS_CAPTION, DWORD exStyle = 0);

// The module that holds this code: the DLL, or the program that links the layer statically.
HINSTANCE ModuleInstance();

// Registers the class once per module (later calls only check). Throws std::runtime_error
// when the system refuses it.
void RegisterWindowClass(const WindowClass& cls);
// Unregisters every class this module registered through the layer.
void UnregisterWindowClasses();

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The object of one of this module's windows, or null.
    static Window* FromHandle(HWND window);

    // Keeps the object usable across calls that may destroy its window: `OnDetached` waits until
    // the last Use has ended. Every message the procedure dispatches holds one; code outside the
    // procedure that pumps messages or may close the window (hooks, entry points) takes its own.
    class Use {
    public:
        explicit Use(Window& window) : window_(window) { ++window_.uses_; }
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

    private:
        Window& window_;
    };

    // Creates the window of the class (registered here on first use). The object is attached
    // from WM_NCCREATE on, so WM_CREATE and everything after reach `WindowMessage`. Returns
    // the handle, or null when the window could not be created.
    HWND Create(const WindowClass& cls, const CreateArgs& args);

    // Creates the window of an object that its window owns (one that deletes itself in
    // `OnDetached`). When the window cannot be created the object is deleted here; the result is
    // then null.
    static HWND CreateOwned(std::unique_ptr<Window> owned, const WindowClass& cls, const CreateArgs& args);

    // The focus memory: the child that gets the focus when the window is activated again.
    void RememberFocus(HWND child) { focusChild_ = child; }
    HWND RememberedFocus() const { return focusChild_; }
    // Gives the focus to the remembered child when it can take it, else to the first child
    // that can; returns the child that got it, or null.
    HWND RestoreFocus();

    // The key route's call (keys.h): `KeyPreview` inside the exception boundary, with the object
    // kept while the key may close the window. True when the window used the key.
    bool PreviewKey(const MSG& msg);
    // Whether the host's loop hands this window's keys to the route (a modeless window).
    bool KeysFromHostLoop() const { return keysFromHostLoop_; }

protected:
    // The handlers. Return `DefaultMessage(...)` for what the window does not handle.
    virtual LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // DefWindowProcA, with the focus memory on WM_ACTIVATE and WM_SETFOCUS.
    LRESULT DefaultMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the handle is gone and no message of the window is being
    // handled any more (nor any other Use held). An object that its window owns deletes itself
    // here.
    virtual void OnDetached() {}
    // The result of a message whose handler failed (after the failure was shown). Creation that
    // fails is refused.
    virtual LRESULT FailedResult(UINT msg) const { return msg == WM_CREATE ? -1 : 0; }
    // What a handler's failure does (null: one that is not a std::exception): by default it is
    // shown in a box owned by the window's top-level window when that is visible.
    virtual void ReportFailure(UINT msg, const std::exception* failure);
    // A key of the window or of a control in it, before it is dispatched; true for one it used.
    virtual bool KeyPreview(const MSG&) { return false; }
    // For a window that stays open beside the host: from now until the window is destroyed, the
    // host's message loop gives its keys to `KeyPreview`. Call it once the window exists.
    void TakeKeysFromHostLoop();

private:
    friend void RegisterWindowClass(const WindowClass& cls);
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HWND focusChild_ = nullptr;
    int uses_ = 0;
    bool detachPending_ = false;
    bool keysFromHostLoop_ = false;
};

// Whether a window can take the keyboard focus now: it exists, is visible and enabled, as are
// its ancestors up to its top-level window.
bool CanTakeFocus(HWND window);

}  // namespace morvel::win

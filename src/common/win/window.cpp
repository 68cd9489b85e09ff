#include "common/win/window.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/guard.h"
#include "common/win/keys.h"
#include "common/win/layer_state.h"

namespace morvel::win {

HINSTANCE ModuleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
    return module;
}

CreateArgs CentredDialog(std::string title, int clientWidth, int clientHeight, HWND owner, DWORD style, DWORD exStyle) {
    exStyle |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    return {.title = std::move(title),
            .style = style,
            .exStyle = exStyle,
            .x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
            .y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
            .width = width,
            .height = height,
            .parent = owner};
}

void RegisterWindowClass(const WindowClass& cls) {
    const HINSTANCE instance = ModuleInstance();
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, cls.name, &existing)) return;
    WNDCLASSA wc{};
    wc.style = cls.style;
    wc.lpfnWndProc = Window::Procedure;
    wc.hInstance = instance;
    wc.hbrBackground = cls.background;
    wc.hCursor = cls.cursor ? LoadCursorA(nullptr, cls.cursor) : nullptr;
    wc.hIcon = cls.icon ? LoadIconA(nullptr, cls.icon) : nullptr;
    wc.lpszClassName = cls.name;
    if (!RegisterClassA(&wc)) throw std::runtime_error(std::string("Cannot register the window class ") + cls.name);
    Layer().registeredClasses.emplace_back(cls.name);
}

void UnregisterWindowClasses() {
    const HINSTANCE instance = ModuleInstance();
    for (const std::string& name : Layer().registeredClasses) UnregisterClassA(name.c_str(), instance);
    Layer().registeredClasses.clear();
}

Window::~Window() {
    // A window object that goes away before its window: the window must not reach it again.
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

HWND Window::Create(const WindowClass& cls, const CreateArgs& args) {
    RegisterWindowClass(cls);
    HMENU menuOrId = nullptr;
    if (args.style & WS_CHILD) menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id));
    return CreateWindowExA(args.exStyle, cls.name, args.title.c_str(), args.style, args.x, args.y, args.width,
                           args.height, args.parent, menuOrId, ModuleInstance(), this);
}

HWND Window::CreateOwned(std::unique_ptr<Window> owned, const WindowClass& cls, const CreateArgs& args) {
    RegisterWindowClass(cls);  // a refusal throws while the object is still ours
    Window* window = owned.release();
    HWND handle = nullptr;
    bool neverAttached = false;
    {
        const Use use(*window);
        handle = window->Create(cls, args);
        neverAttached = handle == nullptr && !window->detachPending_;
    }  // a window that was attached and then refused has deleted its object here
    if (neverAttached) delete window;
    return handle;
}

bool CanTakeFocus(HWND window) {
    if (!window || !IsWindow(window)) return false;
    for (HWND w = window; w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
        if (!IsWindowVisible(w) || !IsWindowEnabled(w)) return false;
    }
    return true;
}

Window* Window::FromHandle(HWND window) {
    if (!window || reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)) != &Window::Procedure)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Window::PreviewKey(const MSG& msg) {
    const Use use(*this);
    return GuardedWith(
        false, [&] { return KeyPreview(msg); },
        [&](const std::exception* failure) { ReportFailure(msg.message, failure); });
}

void Window::TakeKeysFromHostLoop() {
    if (keysFromHostLoop_ || !hwnd_) return;
    keysFromHostLoop_ = true;
    AddHostLoopKeys();
}

void Window::ReportFailure(UINT, const std::exception* failure) {
    ShowFailureBox(VisibleRoot(hwnd_), failure);
}

HWND Window::RestoreFocus() {
    HWND target = focusChild_;
    if (!(target && IsChild(hwnd_, target) && CanTakeFocus(target))) {
        target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (target && !CanTakeFocus(target)) target = nullptr;
    }
    if (target) SetFocus(target);
    return target;
}

LRESULT Window::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultMessage(msg, wParam, lParam);
}

LRESULT Window::DefaultMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) focusChild_ = focus;
            }
            break;
        case WM_SETFOCUS:
            // Activation gives the focus to the frame; pass it on to the child that had it.
            if (!(GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD) && RestoreFocus()) return 0;
            break;
        case WM_SETCURSOR:
            if (BusyCursor::Active()) {
                SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

Window::Use::~Use() {
    if (--window_.uses_ == 0 && window_.detachPending_) {
        window_.detachPending_ = false;
        Guarded(nullptr, 0, [&] {
            window_.OnDetached();  // may delete the object: nothing of it is touched afterwards
            return 0;
        });
    }
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const Use use(*self);
    if (msg == WM_NCDESTROY) {
        if (self->keysFromHostLoop_) {
            self->keysFromHostLoop_ = false;
            RemoveHostLoopKeys();
        }
        const LRESULT result = Guarded(nullptr, LRESULT{0}, [&] { return self->WindowMessage(msg, wParam, lParam); });
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->detachPending_ = true;  // carried out when the last Use ends
        return result;
    }
    LRESULT result = 0;
    bool failed = true;
    GuardedWith(
        0,
        [&] {
            if ((msg == WM_HSCROLL || msg == WM_VSCROLL) && ScrollBar::Scrolled(lParam, wParam)) {
                result = 0;
            } else {
                result = self->WindowMessage(msg, wParam, lParam);
            }
            failed = false;
            return 0;
        },
        [&](const std::exception* failure) { self->ReportFailure(msg, failure); });
    if (failed) result = self->FailedResult(msg);
    return result;
}

}  // namespace morvel::win

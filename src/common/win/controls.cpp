#include "common/win/controls.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win/guard.h"
#include "common/win/window.h"

namespace morvel::win {

HWND CreateChild(HWND parent, const ChildArgs& args) {
    DWORD style = WS_CHILD | args.style;
    if (args.visible) style |= WS_VISIBLE;
    if (!args.enabled) style |= WS_DISABLED;
    const HWND child = CreateWindowExA(
        args.exStyle, args.className, args.text.c_str(), style, args.x, args.y, args.width, args.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), ModuleInstance(), args.createParam);
    if (child && args.font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    return child;
}

LRESULT DefaultButton(HWND dialog, int okId) {
    const HWND focus = GetFocus();
    int id = okId;
    if (focus && IsChild(dialog, focus) &&
        (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        id = GetDlgCtrlID(focus);
    }
    return MAKELRESULT(id, DC_HASDEFID);
}

ControlHook::~ControlHook() {
    for (HWND control : hooked_) {
        if (IsWindow(control)) RemoveWindowSubclass(control, Procedure, reinterpret_cast<UINT_PTR>(this));
    }
}

void ControlHook::Hook(HWND control) {
    if (!control) return;
    if (SetWindowSubclass(control, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)) &&
        std::find(hooked_.begin(), hooked_.end(), control) == hooked_.end()) {
        hooked_.push_back(control);
    }
}

void ControlHook::Unhook(HWND control) {
    RemoveWindowSubclass(control, Procedure, reinterpret_cast<UINT_PTR>(this));
    hooked_.erase(std::remove(hooked_.begin(), hooked_.end(), control), hooked_.end());
}

LRESULT ControlHook::PassOn(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(control, msg, wParam, lParam);
}

LRESULT CALLBACK ControlHook::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* hook = reinterpret_cast<ControlHook*>(data);
    if (msg == WM_NCDESTROY) {
        hook->Unhook(hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    bool failed = true;
    GuardedMessage(hwnd, 0, [&] {
        handled = hook->ControlMessage(hwnd, msg, wParam, lParam, result);
        failed = false;
        return 0;
    });
    if (failed) return 0;
    return handled ? result : DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace morvel::win

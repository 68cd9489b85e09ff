#include "common/win/keys.h"

#include <algorithm>
#include <iterator>

#include "common/win/layer_state.h"
#include "common/win/window.h"

namespace morvel::win {

namespace {

bool Held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Whether a popup menu's own loop runs: the keys it takes are the menu's.
bool InMenuMode() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE) != 0;
}

// Sees every message the thread's loops take from the queue; a key a modeless window used is
// emptied, so that the loop dispatches nothing.
LRESULT CALLBACK HostLoopHook(int code, WPARAM removal, LPARAM data) {
    if (code == HC_ACTION && removal == PM_REMOVE && !InMenuMode()) {
        auto* msg = reinterpret_cast<MSG*>(data);
        if (RouteKey(*msg, true)) {
            msg->message = WM_NULL;
            msg->wParam = 0;
            msg->lParam = 0;
        }
    }
    return CallNextHookEx(nullptr, code, removal, data);
}

}  // namespace

unsigned HeldModifiers() {
    return (Held(VK_CONTROL) ? kCtrl : 0) | (Held(VK_SHIFT) ? kShift : 0) | (Held(VK_MENU) ? kAlt : 0);
}

const Key* FindKey(std::span<const Key> table, const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return nullptr;
    const unsigned modifiers = HeldModifiers();
    const auto found = std::find_if(table.begin(), table.end(), [&](const Key& entry) {
        return entry.key == msg.wParam && entry.modifiers == modifiers;
    });
    return found == table.end() ? nullptr : &*found;
}

bool IsKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_SYSCHAR;
}

bool RouteKey(const MSG& msg, bool hostLoop) {
    if (!IsKeyMessage(msg.message) || !msg.hwnd) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    const Window* top = Window::FromHandle(root);
    if (!top || top->KeysFromHostLoop() != hostLoop) return false;
    for (HWND window = msg.hwnd; window; window = window == root ? nullptr : GetParent(window)) {
        if (Window* owner = Window::FromHandle(window); owner && owner->PreviewKey(msg)) return true;
    }
    return false;
}

void AddHostLoopKeys() {
    LayerState& layer = Layer();
    if (layer.hostLoopWindows++ == 0) {
        layer.hostLoopHook = SetWindowsHookExA(WH_GETMESSAGE, HostLoopHook, nullptr, GetCurrentThreadId());
    }
}

void RemoveHostLoopKeys() {
    LayerState& layer = Layer();
    if (layer.hostLoopWindows == 0 || --layer.hostLoopWindows > 0) return;
    if (layer.hostLoopHook) UnhookWindowsHookEx(layer.hostLoopHook);
    layer.hostLoopHook = nullptr;
}

bool CycleFocus(std::span<const HWND> cycle, bool backward) {
    const auto at = std::find(cycle.begin(), cycle.end(), GetFocus());
    if (at == cycle.end()) return false;
    const auto count = static_cast<int>(cycle.size());
    const int step = backward ? count - 1 : 1;
    int index = static_cast<int>(at - cycle.begin());
    for (int tried = 1; tried < count; ++tried) {
        index = (index + step) % count;
        if (CanTakeFocus(cycle[static_cast<std::size_t>(index)])) {
            SetFocus(cycle[static_cast<std::size_t>(index)]);
            break;
        }
    }
    return true;
}

}  // namespace morvel::win

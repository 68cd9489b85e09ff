// The one route for keys. The layer hands each key message to `KeyPreview` of the library's
// windows that hold the focus, from the innermost out to the top-level window, before the message
// is dispatched: a modal window's from its modal loop, a modeless window's from the host's loop
// (through a thread message hook that lives while such a window exists). A window declares the
// keys it acts on as a table of `Key`; where its behaviour needs a fixed Tab order, it gives the
// order as a table to `CycleFocus`.
#pragma once

#include <windows.h>

#include <span>

namespace morvel::win {

// Modifier bits of a key table.
inline constexpr unsigned kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4;

// A key a window acts on: the virtual key, exactly these modifiers, and the window's command.
struct Key {
    UINT key;
    unsigned modifiers = kNoModifier;
    int command = 0;
};

// The modifiers held now (Ctrl, Shift, Alt), as the key message being handled sees them.
unsigned HeldModifiers();
// The entry of `table` for a key-down message (WM_KEYDOWN, WM_SYSKEYDOWN) under the modifiers
// held now; null for another message or a key the table does not hold.
const Key* FindKey(std::span<const Key> table, const MSG& msg);

// Whether the message is one the route hands on: key down, and the characters keys make.
bool IsKeyMessage(UINT msg);
// Hands a key message to the windows that hold the focus: those of a modeless window when
// `hostLoop` (the hook's call), else those of the others (the modal loop's call). True when a
// window used the key, which then goes no further.
bool RouteKey(const MSG& msg, bool hostLoop);
// The hook that routes the host loop's keys, installed while any window asks for it.
void AddHostLoopKeys();
void RemoveHostLoopKeys();

// A fixed Tab order: moves the focus from the member of `cycle` that has it to the next (the
// previous when `backward`) that can take it, passing over hidden and disabled members. False
// when the focus is on none of them.
bool CycleFocus(std::span<const HWND> cycle, bool backward);

}  // namespace morvel::win

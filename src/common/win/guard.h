// The one exception boundary of the library's Win32 code: window procedures, subclassed controls
// and exports run their bodies through it, so that nothing thrown ever reaches the system or the
// host. A failure is shown to the user in a message box owned by the given window.
#pragma once

#include <windows.h>

#include <exception>

#include "common/win/message_box.h"

namespace morvel::win {

inline constexpr const char* kUnexpectedFailure = "Unexpected failure in morvel32.dll";

// The top-level window of `window` when it is shown, else null (a box owned by a hidden window
// would be hidden from the user).
inline HWND VisibleRoot(HWND window) {
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return root && IsWindowVisible(root) ? root : nullptr;
}

// Runs the body; on an exception shows it (owned by `owner`, which may be null) and returns
// `onFailure`.
template <typename Result, typename Body>
Result Guarded(HWND owner, Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::exception& failure) {
        ShowFailure(owner, failure);
    } catch (...) {
        ShowMessage(owner, BoxKind::Error, kUnexpectedFailure);
    }
    return onFailure;
}

// The same for a message of `window`: a failure is shown owned by the window's top-level
// window when that is visible. The owner is looked up only when something failed, since this
// runs for every message of every window and control.
template <typename Result, typename Body>
Result GuardedMessage(HWND window, Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::exception& failure) {
        ShowFailure(VisibleRoot(window), failure);
    } catch (...) {
        ShowMessage(VisibleRoot(window), BoxKind::Error, kUnexpectedFailure);
    }
    return onFailure;
}

}  // namespace morvel::win

// The one exception boundary of the library's Win32 code: window procedures, subclassed controls,
// key previews and exports run their bodies through it, so that nothing thrown ever reaches the
// system or the host. What a failure does is the caller's to say; by default it is shown to the
// user in a message box.
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

// Shows a failure (null: one that is not a std::exception) in a box owned by `owner`.
inline void ShowFailureBox(HWND owner, const std::exception* failure) {
    if (failure) {
        ShowFailure(owner, *failure);
    } else {
        ShowMessage(owner, BoxKind::Error, kUnexpectedFailure);
    }
}

// Runs the body; on an exception hands it to `report` (null for one that is not a
// std::exception) and returns `onFailure`. A report that fails in turn is dropped: nothing more
// can be shown.
template <typename Result, typename Body, typename Report>
Result GuardedWith(Result onFailure, Body&& body, Report&& report) noexcept {
    const auto reportQuietly = [&](const std::exception* failure) noexcept {
        try {
            report(failure);
        } catch (...) {
        }
    };
    try {
        return body();
    } catch (const std::exception& failure) {
        reportQuietly(&failure);
    } catch (...) {
        reportQuietly(nullptr);
    }
    return onFailure;
}

// The same, showing a failure in a box owned by `owner` (which may be null).
template <typename Result, typename Body>
Result Guarded(HWND owner, Result onFailure, Body&& body) noexcept {
    return GuardedWith(onFailure, body, [owner](const std::exception* failure) { ShowFailureBox(owner, failure); });
}

}  // namespace morvel::win

// The boundary of every export: nothing thrown inside reaches the host. A failure is shown to
// the user and the export returns its failure value.
#pragma once

#include <exception>

#include "common/win/message_box.h"

namespace morvel {

template <typename Result, typename Body>
Result Guarded(Result onFailure, Body body) noexcept {
    try {
        return body();
    } catch (const std::exception& failure) {
        ShowFailure(nullptr, failure);
    } catch (...) {
        ShowMessage(nullptr, BoxKind::Error, "Unexpected failure in morvel32.dll");
    }
    return onFailure;
}

}  // namespace morvel

// The boundary of every export: nothing thrown inside reaches the host. A failure is shown to
// the user and the export returns its failure value.
#pragma once

#include <utility>

#include "common/win/guard.h"

namespace morvel {

template <typename Result, typename Body>
Result Guarded(Result onFailure, Body&& body) noexcept {
    return win::Guarded(nullptr, onFailure, std::forward<Body>(body));
}

}  // namespace morvel

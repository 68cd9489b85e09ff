// Runs a step when the scope ends, however it ends: a flag put back, a state restored.
#pragma once

#include <utility>

namespace morvel {

template <typename Step>
class ScopeExit {
public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ~ScopeExit() { step_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Step step_;
};

}  // namespace morvel

// TIntercept: a non-visual component of the player window. It carries no behaviour of its own;
// the window keeps one so that its component set stays complete.
#pragma once

namespace morvel {

class TIntercept {
public:
    explicit TIntercept(void* owner) : owner_(owner) {}
    void* Owner() const { return owner_; }

private:
    void* owner_;
};

}  // namespace morvel

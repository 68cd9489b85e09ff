#include "hostlink/library_state.h"

#include <vector>

namespace morvel {

HINSTANCE libraryInstance = nullptr;

namespace {
// Built on first use, so that registrations from any unit find it whatever the order of the
// units' static objects.
std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}
}  // namespace

LoadReset::LoadReset(void (*reset)()) {
    Resets().push_back(reset);
}

void ResetLibraryState() {
    for (void (*reset)() : Resets()) reset();
}

}  // namespace morvel

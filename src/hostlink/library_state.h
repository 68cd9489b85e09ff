// What the library keeps while it is loaded, seen from its start-up: the module handle, and the
// load-time reset of every subsystem's state. Each subsystem keeps its state in a struct of its
// own (the Explorer's in explorer/explorer_state.h, the player's in player/player_state.h) and
// registers how to reset it with a `LoadReset`, so that this start-up knows no subsystem.
#pragma once

#include <windows.h>

namespace morvel {

extern HINSTANCE libraryInstance;

// Registers a subsystem's reset; define one per subsystem at namespace scope. Registrations run
// as the library's static objects are built, before DllMain is called.
class LoadReset {
public:
    explicit LoadReset(void (*reset)());
};

// Load-time reset: runs every registered reset in the order of registration. Creates no window
// and no thread.
void ResetLibraryState();

}  // namespace morvel

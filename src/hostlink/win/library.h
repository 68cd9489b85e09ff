// The library object: everything that lives as long as the library is loaded, in one place,
// reached one way (`library`). Windows own what lives while they are open; dialogs take their
// inputs and return their results. What is here outlives every window: the window layer's state
// (the hourglass, the registered classes, the key route), the slots of the windows that stay open
// beside the host (one modeless Explorer, one player), the Explorer's format memory, the editor's
// files and what the host polls of the player.
//
// Only plain data and forward-declared window types: every subsystem may include this header, and
// it includes only the plain state structs of the layer and of the player's slot.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "common/win/layer_state.h"
#include "hostlink/player_slot.h"

namespace morvel {

class ModelessExplorer;
class TVideoForm;

struct Library {
    win::LayerState layer;

    struct Explorer {
        ModelessExplorer* modeless = nullptr;  // the modeless Explorer while it exists
        bool dialogRunning = false;      // a RemoteDlg95 is in its modal run
        bool relistAfterDialog = false;  // RemoteWinUpdate95 came during a dialog: list afterwards
        // Last chosen format position per colour depth, in the order of the per-depth table.
        std::array<int, 5> lastFormatIndex{};
    } explorer;

    struct Editor {
        // Set from AVLFIL and AVLTMP at each start; "&Open" and "&Save" change the current file.
        std::string currentFile = "*";  // "*": none
        std::string testFile = "ERROR";
        // The colour dialog's custom colours, kept from one call to the next.
        std::array<COLORREF, 16> customColours{};
    } editor;

    struct Player {
        TVideoForm* window = nullptr;  // the player window while it exists
        // What the host polls and sets between windows (VideoWinStatus95, VideoWinClose95).
        PlayerSlot slot;
    } player;
};

extern Library library;

// Load-time reset: everything as a first call expects it. Creates no window and no thread.
void ResetLibrary();

}  // namespace morvel

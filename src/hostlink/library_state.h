// Library-wide state: one struct per subsystem, alive while the library is loaded.
#pragma once

#include <windows.h>

#include <string>

namespace morvel {

// Shared by the Explorer entries and the Explorer window.
struct ExplorerState {
    HWND explorerWindow = nullptr;  // the one Explorer slot: modeless window or dialog
    bool explorerOpen = false;
    bool dialogMode = false;
    int dialogKind = 0;
    bool convertMode = false;
    bool restrictedFormats = false;
    bool rememberGeometry = false;
    bool initialising = false;
    bool lookInBusy = false;
    HWND hostWindow = nullptr;
    int columnWidth = 0;
};

// What the editor takes from the library's start-up.
struct EditorBase {
    std::string baseCaption;
    std::string notApplicable;  // the separator and not-applicable mark
};

// Private messages the exports send to the Explorer window, so that the window keeps its own
// save step and listing.
inline constexpr UINT kMsgExplorerSaveState = WM_APP + 0x101;  // save geometry and last folder
inline constexpr UINT kMsgExplorerRelist = WM_APP + 0x102;     // list the current folder again

extern HINSTANCE libraryInstance;
extern ExplorerState explorer;
extern EditorBase editorBase;

// Load-time reset: the Explorer state as Explorer entries expect it on a first call, and the
// editor's base caption and separator. Creates no window and no thread.
void ResetLibraryState();

}  // namespace morvel

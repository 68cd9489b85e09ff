// Library-wide state: one struct per subsystem, alive while the library is loaded.
#pragma once

#include <windows.h>

#include <array>
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

    std::string startFolder;   // folder shown first: from LastDir, or SavePath for save kinds
    std::string exchangePath;  // Win95Tmp, or "c:\morvel.err" when the key is missing
    std::string maskList;      // masks of the selected file type, ";"-separated
    int columnWidth = 0;       // width of one file-list column; 0 until the first layout
    int defaultWidth = 0;      // default window size, computed at each creation
    int defaultHeight = 0;
    std::string initialFontName;  // the window font after the font rule ("&Reset window")
    int initialFontSize = 0;
    bool initialFontBold = false;
    HBITMAP fileGlyph = nullptr;    // owned by the Explorer window while it is open
    HBITMAP folderGlyph = nullptr;
    // Last chosen format position per colour depth 1, 4, 8, 16, 24.
    std::array<int, 5> lastFormatIndex{};
    // Format code of each entry of the format list last shown (positions beyond it keep older
    // values), and the code of the selected entry.
    std::array<int, 64> formatCodes{};
    int currentFormatCode = 0;
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

// The Explorer's library-wide state: what the exports and the Explorer window share and keep
// between calls. Windows are not part of it: each Explorer window registers itself (TFileForm)
// and holds its own handles and GDI objects.
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace morvel {

struct ExplorerState {
    bool explorerOpen = false;
    bool dialogMode = false;
    int dialogKind = 0;
    bool convertMode = false;
    bool restrictedFormats = false;
    bool rememberGeometry = false;
    bool initialising = false;
    bool lookInBusy = false;
    HWND hostWindow = nullptr;  // the host's window, given to RemoteWin95: notifications go there

    std::string startFolder;   // folder shown first: from LastDir, or SavePath for save kinds
    std::string exchangePath;  // Win95Tmp, or "c:\morvel.err" when the key is missing
    std::string maskList;      // masks of the selected file type, ";"-separated
    int columnWidth = 0;       // width of one file-list column; 0 until the first layout
    int defaultWidth = 0;      // default window size, computed at each creation
    int defaultHeight = 0;
    std::string initialFontName;  // the window font after the font rule ("&Reset window")
    int initialFontSize = 0;
    bool initialFontBold = false;
    // Last chosen format position per colour depth, in the order of the per-depth table.
    std::array<int, 5> lastFormatIndex{};
    // Format code of each entry of the format list last shown (positions beyond it keep older
    // values), and the code of the selected entry.
    std::array<int, 64> formatCodes{};
    int currentFormatCode = 0;
};

extern ExplorerState explorer;

// Private messages the exports send to the Explorer window, so that the window's own save step
// and listing run inside its exception boundary.
inline constexpr UINT kMsgExplorerSaveState = WM_APP + 0x101;  // save geometry and last folder
inline constexpr UINT kMsgExplorerRelist = WM_APP + 0x102;     // list the current folder again

}  // namespace morvel

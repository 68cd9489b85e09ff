// The modeless Explorer ("Morvel Explorer"): a TFileForm window around the Explorer's pane that
// stays open beside the host (RemoteWin95), tells the host what the user chose through its
// window, and records its place when it closes. Its window owns it; `library.explorer.modeless`
// names it while it exists.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win/window.h"
#include "explorer/win/explorer_pane.h"

namespace morvel {

// Private messages the exports send to the modeless Explorer, so that the window's own save step
// and listing run inside its exception boundary.
inline constexpr UINT kMsgExplorerSaveState = WM_APP + 0x101;  // save geometry and last folder
inline constexpr UINT kMsgExplorerRelist = WM_APP + 0x102;     // list the current folder again

class ModelessExplorer final : public win::Window, private ExplorerPane::Owner {
public:
    // RemoteWin95: opens the modeless Explorer, or brings the open one to the front.
    static void Open(HWND hostWindow, bool rememberGeometry);

    // Geometry restored at opening, saved at closing.
    bool RememberGeometry() const { return rememberGeometry_; }

private:
    ModelessExplorer(HWND hostWindow, bool rememberGeometry);
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override;
    bool KeyPreview(const MSG& msg) override { return pane_.KeyPreview(msg); }

    // The stored place, when it fits the screen; false when the window keeps its laid-out one.
    bool RestoreGeometry();
    // Shows the window and lists its start folder.
    void ShowAndList();

    void OnFileTypeChanged() override;
    // The modeless Explorer's confirm step tells the host and stays open; a choice it accepted
    // would close the window as "&Close" does.
    void OnChoiceAccepted() override { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }
    // Every control it shows is the pane's.
    void OnOwnerCommand(int, int) override {}

    ExplorerPane pane_;
    bool rememberGeometry_;
};

}  // namespace morvel

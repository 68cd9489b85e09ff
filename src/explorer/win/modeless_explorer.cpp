#include "explorer/win/modeless_explorer.h"

#include <memory>
#include <string>

#include "common/path_parts.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_settings.h"
#include "explorer/file_types.h"
#include "hostlink/win/library.h"
#include "hostlink/win/settings_file.h"

namespace morvel {

using namespace explorer_rules;

ModelessExplorer::ModelessExplorer(HWND hostWindow, bool rememberGeometry)
    : pane_(*this, *this, {}, hostWindow), rememberGeometry_(rememberGeometry) {}

void ModelessExplorer::Open(HWND hostWindow, bool rememberGeometry) {
    // While a dialog runs, the thread's other windows are disabled for it; a window opened now
    // would escape that. The host asks again once the dialog has ended.
    if (library.explorer.dialogRunning) return;
    if (ModelessExplorer* open = library.explorer.modeless) {
        open->rememberGeometry_ = rememberGeometry;
        const HWND window = open->hwnd();
        ShowWindow(window, SW_SHOW);
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        return;
    }
    auto owned = std::unique_ptr<ModelessExplorer>(new ModelessExplorer(hostWindow, rememberGeometry));
    ModelessExplorer& explorer = *owned;
    const win::CreateArgs args = explorer.pane_.CreationArgs(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, nullptr);
    if (!CreateOwned(std::move(owned), kExplorerClass, args)) return;
    library.explorer.modeless = &explorer;
    // The geometry restore lets pending messages run, which may close the window: the object
    // stays until this call is done with it.
    const Use use(explorer);
    explorer.ShowAndList();
}

void ModelessExplorer::ShowAndList() {
    pane_.ApplyFontRule();
    pane_.RecordDefaultSize();
    if (!rememberGeometry_) {
        pane_.PlaceDefault();
    } else {
        RestoreGeometry();  // when it declines, the window keeps its laid-out place
    }
    if (!hwnd()) return;
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    if (!path::EqualsNoCase(pane_.Folder(), pane_.StartFolder())) pane_.SetFolder(pane_.StartFolder());
    pane_.FinishSetup();
}

bool ModelessExplorer::RestoreGeometry() {
    const auto rect =
        RestoredGeometry(ReadStoredGeometry(Settings()), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!rect) return false;
    ShowWindow(hwnd(), SW_HIDE);
    SetWindowPos(hwnd(), nullptr, rect->left, rect->top, rect->width, rect->height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (pane_.ProcessPending()) ShowWindow(hwnd(), SW_SHOW);
    return true;
}

void ModelessExplorer::OnDetached() {
    if (library.explorer.modeless == this) library.explorer.modeless = nullptr;
    delete this;
}

void ModelessExplorer::OnFileTypeChanged() {
    pane_.SetMaskList(std::string(MaskListForPosition(pane_.SelectedType())));
}

LRESULT ModelessExplorer::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            pane_.Build();
            TakeKeysFromHostLoop();
            pane_.FileTypeBox().Select(kAllValidatedPosition);
            OnFileTypeChanged();
            return 0;
        case kMsgExplorerSaveState:
            pane_.SaveState();
            return 0;
        case kMsgExplorerRelist:
            pane_.ListFolder();
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (pane_.Message(msg, wParam, lParam, result)) return result;
    // The pane has run the close step: the window goes at once.
    if (msg == WM_CLOSE) {
        DestroyWindow(hwnd());
        return 0;
    }
    return DefaultMessage(msg, wParam, lParam);
}

}  // namespace morvel

// The Explorer's exports: the modeless Explorer beside the host (RemoteWin95 and the calls on the
// open window) and the modal dialog (RemoteDlg95).
#include <windows.h>

#include "common/win/guard.h"
#include "explorer/win/explorer_dialog.h"
#include "explorer/win/modeless_explorer.h"
#include "hostlink/win/library.h"
#include "morvel32.h"

using namespace morvel;

extern "C" {

__declspec(dllexport) void __stdcall RemoteWin95(MorvelInt hostWindow, MorvelInt rememberGeometry) {
    win::Guarded(nullptr, 0, [=] {
        ModelessExplorer::Open(reinterpret_cast<HWND>(static_cast<INT_PTR>(hostWindow)), rememberGeometry != 0);
        return 0;
    });
}

__declspec(dllexport) MorvelInt __stdcall RemoteDlg95(MorvelInt kind, MorvelInt restrictedFormats) {
    return win::Guarded(nullptr, MORVEL_DLG_CANCELLED, [=] { return RunExplorerDialog(kind, restrictedFormats); });
}

__declspec(dllexport) void __stdcall RemoteWinClose95(void) {
    win::Guarded(nullptr, 0, [] {
        const ModelessExplorer* open = library.explorer.modeless;
        if (!open) return 0;
        const HWND window = open->hwnd();
        if (open->RememberGeometry()) SendMessageA(window, kMsgExplorerSaveState, 0, 0);
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinHide95(void) {
    win::Guarded(nullptr, 0, [] {
        if (const ModelessExplorer* open = library.explorer.modeless) ShowWindow(open->hwnd(), SW_HIDE);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinUpdate95(void) {
    win::Guarded(nullptr, 0, [] {
        const ModelessExplorer* open = library.explorer.modeless;
        if (!open) return 0;
        if (library.explorer.dialogRunning) {
            library.explorer.relistAfterDialog = true;
        } else {
            SendMessageA(open->hwnd(), kMsgExplorerRelist, 0, 0);
        }
        return 0;
    });
}

}  // extern "C"

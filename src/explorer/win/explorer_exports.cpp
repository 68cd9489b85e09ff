// The Explorer's exports and its two entry points: the modeless Explorer beside the host
// (RemoteWin95 and the calls on the open window) and the modal dialog (RemoteDlg95).
#include <windows.h>

#include "common/win/guard.h"
#include "explorer/dialog_setup.h"
#include "explorer/win/explorer_window.h"
#include "hostlink/win/library.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;

void OpenModelessExplorer(HWND hostWindow, bool rememberGeometry) {
    // While a dialog runs, the thread's other windows are disabled for it; a window opened now
    // would escape that. The host asks again once the dialog has ended.
    if (library.explorer.dialogRunning) return;
    if (TFileForm* open = library.explorer.modeless) {
        open->SetRememberGeometry(rememberGeometry);
        const HWND window = open->hwnd();
        ShowWindow(window, SW_SHOW);
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        return;
    }
    TFileForm* form = TFileForm::OpenModeless(hostWindow, rememberGeometry);
    if (!form) return;
    // The geometry restore lets pending messages run, which may close the window: the object
    // stays until this call is done with it.
    const win::Window::Use use(*form);
    form->ApplyFontRule();
    form->RecordDefaultSize();
    if (!rememberGeometry) {
        form->PlaceDefault();
    } else {
        form->GeometryRestore();  // when it declines, the window keeps its laid-out place
    }
    if (!form->hwnd()) return;
    ShowWindow(form->hwnd(), SW_SHOW);
    SetForegroundWindow(form->hwnd());
    form->EnsureStartFolder();
    form->FinishModelessSetup();
}

int RunExplorerDialog(int kindArgument, int restrictedFlag) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    const bool wasRunning = library.explorer.dialogRunning;
    library.explorer.dialogRunning = true;
    // However the dialog ends: a relist that the host asked for meanwhile reaches the modeless
    // Explorer once no dialog runs any more.
    struct Finish {
        bool wasRunning;
        ~Finish() {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
            auto& explorer = library.explorer;
            explorer.dialogRunning = wasRunning;
            if (!explorer.modeless || explorer.dialogRunning) return;
            if (explorer.relistAfterDialog) PostMessageA(explorer.modeless->hwnd(), kMsgExplorerRelist, 0, 0);
            explorer.relistAfterDialog = false;
        }
    } finish{wasRunning};

    TFileForm form({ReduceKind(kindArgument), restrictedFlag > 0});
    if (!form.OpenDialog(GetActiveWindow())) return MORVEL_DLG_CANCELLED;
    return form.RunDialog();
}

}  // namespace morvel

using namespace morvel;

extern "C" {

__declspec(dllexport) void __stdcall RemoteWin95(MorvelInt hostWindow, MorvelInt rememberGeometry) {
    win::Guarded(nullptr, 0, [=] {
        OpenModelessExplorer(reinterpret_cast<HWND>(static_cast<INT_PTR>(hostWindow)), rememberGeometry != 0);
        return 0;
    });
}

__declspec(dllexport) MorvelInt __stdcall RemoteDlg95(MorvelInt kind, MorvelInt restrictedFormats) {
    return win::Guarded(nullptr, MORVEL_DLG_CANCELLED, [=] { return RunExplorerDialog(kind, restrictedFormats); });
}

__declspec(dllexport) void __stdcall RemoteWinClose95(void) {
    win::Guarded(nullptr, 0, [] {
        const TFileForm* open = library.explorer.modeless;
        if (!open) return 0;
        const HWND window = open->hwnd();
        if (open->RememberGeometry()) SendMessageA(window, kMsgExplorerSaveState, 0, 0);
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinHide95(void) {
    win::Guarded(nullptr, 0, [] {
        if (const TFileForm* open = library.explorer.modeless) ShowWindow(open->hwnd(), SW_HIDE);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinUpdate95(void) {
    win::Guarded(nullptr, 0, [] {
        const TFileForm* open = library.explorer.modeless;
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

// The Explorer's exports and its two entry points: the modeless Explorer beside the host
// (RemoteWin95 and the calls on the open window) and the modal dialog (RemoteDlg95).
#include <windows.h>

#include <exception>

#include "common/win/modal.h"
#include "explorer/win/explorer_window.h"
#include "explorer/dialog_setup.h"
#include "explorer/win/explorer_state.h"
#include "hostlink/export_guard.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;

namespace {

// Set while RemoteDlg95 runs its dialog: the Explorer state is the dialog's then.
bool dialogRunning = false;
// RemoteWinUpdate95 arrived during a dialog: the modeless window lists again afterwards.
bool relistAfterDialog = false;

void EndInitialising() {
    explorer.initialising = false;
    explorer.lookInBusy = false;
}

// What a dialog changes of the state that an open modeless Explorer lives by, given back to it
// when the dialog ends. The format positions and the exchange path stay as the dialog left them.
void RestoreModelessState(const ExplorerState& before) {
    const auto formats = explorer.lastFormatIndex;
    const std::string exchange = explorer.exchangePath;
    explorer = before;
    explorer.lastFormatIndex = formats;
    explorer.exchangePath = exchange;
}

}  // namespace

void OpenModelessExplorer(HWND hostWindow, bool rememberGeometry) {
    // The running dialog keeps its mode, kind and masks; the host asks again once it has ended.
    if (dialogRunning) return;
    explorer.dialogMode = false;
    explorer.convertMode = false;
    explorer.dialogKind = kModelessKind;
    explorer.rememberGeometry = rememberGeometry;
    if (TFileForm* open = TFileForm::Modeless()) {
        const HWND window = open->hwnd();
        ShowWindow(window, SW_SHOW);
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        return;
    }
    explorer.initialising = true;
    explorer.lookInBusy = true;
    TFileForm* form = TFileForm::Open(nullptr, false);
    if (!form) {
        EndInitialising();
        return;
    }
    try {
        form->ApplyFontRule();
        form->RecordDefaultSize();
        if (!rememberGeometry) {
            form->PlaceDefault();
        } else {
            form->GeometryRestore();  // when it declines, the window keeps its laid-out place
        }
        ShowWindow(form->hwnd(), SW_SHOW);
        SetForegroundWindow(form->hwnd());
        explorer.hostWindow = hostWindow;
        form->EnsureStartFolder();
        form->FinishModelessSetup();
    } catch (...) {
        EndInitialising();
        throw;
    }
}

int RunExplorerDialog(int kindArgument, int restrictedFlag) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    const ExplorerState before = explorer;
    const ReducedKind reduced = ReduceKind(kindArgument);
    explorer.dialogKind = reduced.dialogKind;
    explorer.convertMode = reduced.convertMode;
    explorer.restrictedFormats = restrictedFlag > 0;
    explorer.dialogMode = true;
    explorer.rememberGeometry = false;
    explorer.initialising = true;
    explorer.lookInBusy = true;

    const bool wasRunning = dialogRunning;
    dialogRunning = true;
    // However the dialog ends, the state goes back to the modeless Explorer that is still open.
    struct Finish {
        const ExplorerState& before;
        bool wasRunning;
        ~Finish() {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
            explorer.explorerOpen = false;
            EndInitialising();
            dialogRunning = wasRunning;
            TFileForm* modeless = TFileForm::Modeless();
            if (!modeless || dialogRunning) return;
            RestoreModelessState(before);
            if (relistAfterDialog) PostMessageA(modeless->hwnd(), kMsgExplorerRelist, 0, 0);
            relistAfterDialog = false;
        }
    } finish{before, wasRunning};

    TFileForm* form = TFileForm::Open(GetActiveWindow(), true);
    if (!form) return MORVEL_DLG_CANCELLED;
    const HWND window = form->hwnd();
    form->ApplyFontRule();
    form->PlaceDefault();

    win::ModalRun modal(window);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    form->PostSetup();
    // A quit met in the loop cancels the dialog; the loop posts it again when it ends.
    if (!modal.Loop([form] { return form->Finished(); }) && IsWindow(window)) form->CancelModal();

    int result = MORVEL_DLG_CANCELLED;
    std::exception_ptr failure;
    if (IsWindow(window) && form->Result() == TFileForm::ModalResult::Ok) {
        result = 0;
        if (IsSaveKind(explorer.dialogKind)) {
            try {
                result = form->SaveChoiceWriteBack();
            } catch (...) {
                // The dialog goes away however the write ends; the export shows the failure.
                failure = std::current_exception();
            }
        }
    }
    modal.End();
    if (IsWindow(window)) DestroyWindow(window);
    if (failure) std::rethrow_exception(failure);
    return result;
}

}  // namespace morvel

using namespace morvel;

extern "C" {

__declspec(dllexport) void __stdcall RemoteWin95(MorvelInt hostWindow, MorvelInt rememberGeometry) {
    Guarded(0, [=] {
        OpenModelessExplorer(reinterpret_cast<HWND>(static_cast<INT_PTR>(hostWindow)), rememberGeometry != 0);
        return 0;
    });
}

__declspec(dllexport) MorvelInt __stdcall RemoteDlg95(MorvelInt kind, MorvelInt restrictedFormats) {
    return Guarded(MORVEL_DLG_CANCELLED, [=] { return RunExplorerDialog(kind, restrictedFormats); });
}

__declspec(dllexport) void __stdcall RemoteWinClose95(void) {
    Guarded(0, [] {
        const TFileForm* open = TFileForm::Modeless();
        if (!open) return 0;
        const HWND window = open->hwnd();
        if (explorer.rememberGeometry) SendMessageA(window, kMsgExplorerSaveState, 0, 0);
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinHide95(void) {
    Guarded(0, [] {
        if (const TFileForm* open = TFileForm::Modeless()) ShowWindow(open->hwnd(), SW_HIDE);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinUpdate95(void) {
    Guarded(0, [] {
        const TFileForm* open = TFileForm::Modeless();
        if (!open) return 0;
        if (dialogRunning) {
            relistAfterDialog = true;
        } else {
            SendMessageA(open->hwnd(), kMsgExplorerRelist, 0, 0);
        }
        return 0;
    });
}

}  // extern "C"

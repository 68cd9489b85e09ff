// The exported entry points. Each catches everything at its boundary: a failure is shown to the
// user and never reaches the host.
#include <windows.h>

#include "common/win/win_file_system.h"
#include "explorer/FILE9546.h"
#include "hostlink/export_guard.h"
#include "hostlink/library_state.h"
#include "hostlink/long_name.h"
#include "hostlink/settings_file.h"
#include "morvel32.h"

namespace morvel {
namespace {

bool ExplorerReachable() {
    return explorer.explorerOpen && explorer.explorerWindow != nullptr && IsWindow(explorer.explorerWindow);
}

}  // namespace
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
        if (!ExplorerReachable()) return 0;
        const HWND window = explorer.explorerWindow;
        if (explorer.rememberGeometry) SendMessageA(window, kMsgExplorerSaveState, 0, 0);
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinHide95(void) {
    Guarded(0, [] {
        if (ExplorerReachable()) ShowWindow(explorer.explorerWindow, SW_HIDE);
        return 0;
    });
}

__declspec(dllexport) void __stdcall RemoteWinUpdate95(void) {
    Guarded(0, [] {
        if (ExplorerReachable()) SendMessageA(explorer.explorerWindow, kMsgExplorerRelist, 0, 0);
        return 0;
    });
}

__declspec(dllexport) void __stdcall ShortToLongName95(void) {
    Guarded(0, [] {
        const SettingsFile settings = Settings();
        const std::string saveName = settings.ReadString(key::SaveName, kAbsentString);
        settings.WriteString(key::LongName, LongNamePart(saveName, RealFileSystem()));
        return 0;
    });
}

__declspec(dllexport) MorvelInt __stdcall GDIflush95(void) {
    return Guarded(0, [] { return GdiFlush() ? 1 : 0; });
}

}  // extern "C"

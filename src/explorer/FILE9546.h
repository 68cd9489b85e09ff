// TFileForm: the Explorer window, as the modeless "Morvel Explorer" beside the host and as the
// modal dialog of RemoteDlg95.
#pragma once

#include <windows.h>

namespace morvel {

// RemoteWin95: opens the modeless Explorer (or brings the open one to the front).
void OpenModelessExplorer(HWND hostWindow, bool rememberGeometry);

// RemoteDlg95: runs the Explorer as a modal dialog; -1 when cancelled, else the dialog's result.
int RunExplorerDialog(int kindArgument, int restrictedFlag);

}  // namespace morvel

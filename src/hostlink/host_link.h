// The two ways the library reaches out: the notification to the host window and the help file.
#pragma once

#include <windows.h>

namespace morvel {

enum class NotifyCode : LPARAM {
    Info = 2305,
    Preview = 2307,
    Delete = 2308,
    Slideshow = 2311,
    Convert = 2312,
    Open = 2313,
    OpenMultiple = 2320,
};

// Sends message 2321 (wParam 0, lParam the code) to the host window given to RemoteWin95 and
// waits until the host has handled it. The result is ignored; nothing is sent when the library
// has no host window.
void NotifyHost(NotifyCode code);

enum class HelpContext : DWORD { Explorer = 100, ExplorerSave = 101, Compression = 101, Editor = 300 };

// Opens "MORVEL.HLP" at the context, owned by the window whose help button was pressed.
void ShowHelp(HWND window, HelpContext context);

}  // namespace morvel

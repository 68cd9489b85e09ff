// The two ways the library reaches out: the notification to the host window and the help file.
// The codes and contexts are those of morvel32.h, typed.
#pragma once

#include <windows.h>

#include "morvel32.h"

namespace morvel {

enum class NotifyCode : LPARAM {
    Info = MORVEL_NOTIFY_INFO,
    Preview = MORVEL_NOTIFY_PREVIEW,
    Delete = MORVEL_NOTIFY_DELETE,
    Slideshow = MORVEL_NOTIFY_SLIDESHOW,
    Convert = MORVEL_NOTIFY_CONVERT,
    Open = MORVEL_NOTIFY_OPEN,
    OpenMultiple = MORVEL_NOTIFY_OPEN_MULTIPLE,
};

// Sends message 2321 (wParam 0, lParam the code) to the host window and waits until the host has
// handled it. The result is ignored; nothing is sent when there is no such window.
void NotifyHost(HWND host, NotifyCode code);

enum class HelpContext : DWORD {
    Explorer = MORVEL_HELP_EXPLORER,
    ExplorerSave = MORVEL_HELP_EXPLORER_SAVE,
    Compression = MORVEL_HELP_COMPRESSION,
    Editor = MORVEL_HELP_EDITOR,
};

// Opens "MORVEL.HLP" at the context, owned by the window whose help button was pressed.
void ShowHelp(HWND window, HelpContext context);

}  // namespace morvel

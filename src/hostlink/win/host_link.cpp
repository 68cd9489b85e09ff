#include "hostlink/win/host_link.h"

namespace morvel {

void NotifyHost(HWND host, NotifyCode code) {
    if (host == nullptr || !IsWindow(host)) return;
    SendMessageA(host, MORVEL_WM_NOTIFY, 0, static_cast<LPARAM>(code));
}

void ShowHelp(HWND window, HelpContext context) {
    WinHelpA(window, MORVEL_HELP_FILE, HELP_CONTEXT, static_cast<ULONG_PTR>(context));
}

}  // namespace morvel

#include <windows.h>

#include "common/win/window.h"
#include "hostlink/win/library.h"

// Attach: the runtime is already initialised by the CRT entry that calls us; reset the library's
// state. Nothing else happens at load: no window, no thread. At unload the window classes go.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        morvel::ResetLibrary();
    } else if (reason == DLL_PROCESS_DETACH) {
        morvel::win::UnregisterWindowClasses();
    }
    return TRUE;
}

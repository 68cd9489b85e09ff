// morvel-host: the reference host. Loads morvel32.dll as a host application does, writes the
// input keys of each call to morvel.ini, calls the export, and shows the results and every
// notification it receives.
//   morvel-host [--dll PATH] [--tour FOLDER]
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "host_window.h"
#include "tour.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    std::string dllPath = "morvel32.dll";
    std::string tourFolder;
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "--dll") == 0 && i + 1 < __argc) dllPath = __argv[++i];
        else if (std::strcmp(__argv[i], "--tour") == 0 && i + 1 < __argc) tourFolder = __argv[++i];
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    HMODULE dll = LoadLibraryA(dllPath.c_str());
    if (dll == nullptr) {
        MessageBoxA(nullptr, ("Cannot load " + dllPath).c_str(), "Morvel Reference Host", MB_OK | MB_ICONERROR);
        return 2;
    }
    host::HostWindow window;
    if (!window.Create(instance, dll)) return 3;
    ShowWindow(window.handle(), tourFolder.empty() ? show : SW_SHOWNORMAL);
    UpdateWindow(window.handle());
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(dll, path, MAX_PATH);
    window.Log(std::string("loaded ") + path);
    for (const host::ExportInfo& item : host::Exports()) {
        window.Log(std::string(window.Has(item.name) ? "  export " : "  (not exported) ") + item.name);
    }

    int result = 0;
    if (!tourFolder.empty()) {
        result = host::RunTour(window, tourFolder);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    FreeLibrary(dll);
    return result;
}

#include "tour.h"

#include <windows.h>

#include <vector>

#include "screenshot.h"

namespace host {

namespace {

// Lets the windows paint and the library's windows settle.
void Settle(DWORD ms = 300) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

class Tour {
public:
    Tour(HostWindow& window, std::string folder) : window_(window), folder_(std::move(folder)) {}

    void Shot(const std::string& name) {
        Settle();
        const std::string path = folder_ + "\\" + std::to_string(++shots_) + "-" + name + ".bmp";
        window_.Log(SaveScreenshot(path) ? "screenshot " + path : "screenshot failed: " + path);
    }

    void Call(const char* name) {
        if (const ExportSpec* spec = window_.Find(name); spec != nullptr && window_.Has(name)) {
            window_.Call(*spec);
        } else {
            window_.Log(std::string(name) + ": not in this DLL, step skipped");
        }
        Settle(100);
    }

    // ShortToLongName95 turns the 8.3 name of a file whose long name has spaces into that long name.
    void ShortToLong() {
        const std::string dir = "C:\\morvel-tour\\Holiday Pictures 1996";
        CreateDirectoryA("C:\\morvel-tour", nullptr);
        CreateDirectoryA(dir.c_str(), nullptr);
        const std::string file = dir + "\\Summer at the Lake.avl";
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        char shortPath[MAX_PATH + 1] = {};
        GetShortPathNameA(file.c_str(), shortPath, MAX_PATH);
        window_.Log(std::string("tour: short name of \"") + file + "\" is " + shortPath);
        window_.SetField(kFieldSaveName, shortPath);
        Call("ShortToLongName95");
    }

private:
    HostWindow& window_;
    std::string folder_;
    int shots_ = 0;
};

}  // namespace

int RunTour(HostWindow& window, const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    Tour tour(window, folder);
    window.Log("tour: reference host started");
    tour.Shot("host");
    tour.ShortToLong();
    tour.Shot("short-to-long-name");
    tour.Call("GDIflush95");
    // With no Explorer open these change nothing; a host may call them at any time.
    tour.Call("RemoteWinUpdate95");
    tour.Call("RemoteWinHide95");
    tour.Call("RemoteWinClose95");
    tour.Shot("explorer-entries-idle");
    window.Log("tour: done");
    DestroyWindow(window.handle());
    return 0;
}

}  // namespace host

// The Explorer's listing against bare searches of the same folder, for folders of several sizes,
// side by side in one run:
// - the open dialog ("Open Slideshow", one mask) listing the folder again ("Refres&h") against
//   FindFirstFileA/FindNextFileA over the file mask and over every entry, the two searches a
//   listing by mask makes;
// - the modeless Explorer's default type "All validated formats" (nineteen masks) listing the
//   folder again against one search of every entry.
// - the same for 10,000 names in Greek, which the code page cannot hold.
// Then the time to write the multi-file list file for 10,000 selected files.
//   explorer_listing_bench [FILES...]   (default: 1000 10000 30000 100000)
// MORVEL_BENCH_ROOT names a folder (a Windows path) where scripts/bench.sh made the folders
// beforehand; creating 100,000 files through the system one by one takes longer than listing them.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "morvel32.h"

namespace {

using Clock = std::chrono::steady_clock;
double Millis(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

constexpr int kRuns = 5;

std::string FolderFor(int files) {
    char root[MAX_PATH] = "C:";
    const DWORD length = GetEnvironmentVariableA("MORVEL_BENCH_ROOT", root, sizeof root);
    if (length == 0 || length >= sizeof root) lstrcpyA(root, "C:");
    return std::string(root) + "\\bench-listing-" + std::to_string(files);
}

// Files named like a user's slideshows, with a few subfolders and other files among them.
void Prepare(const std::string& folder, int files, const char* extension) {
    // Folders made beforehand are taken as they are (looking a name up in a folder of 100,000
    // entries is itself slow under some systems).
    if (GetEnvironmentVariableA("MORVEL_BENCH_ROOT", nullptr, 0) != 0) return;
    const std::string marker = folder + "\\ready-" + std::to_string(files);
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        const std::string name = folder + "\\Holiday slide " + std::to_string(i * 7919 % 1000003) + extension;
        const HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    for (int i = 0; i < std::max(1, files / 500); ++i) {
        CreateDirectoryA((folder + "\\Folder " + std::to_string(i)).c_str(), nullptr);
        const std::string other = folder + "\\notes " + std::to_string(i) + ".txt";
        const HANDLE h = CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    const HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// Searches of the folder with nothing else: over the mask (when given), then over every entry.
double BareSearches(const std::string& folder, const char* mask, long& found) {
    const auto start = Clock::now();
    found = 0;
    std::vector<std::string> patterns;
    if (mask) patterns.push_back(folder + "\\" + mask);
    patterns.push_back(folder + "\\*.*");
    for (const std::string& pattern : patterns) {
        WIN32_FIND_DATAA data{};
        const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            ++found;
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    return Millis(start);
}

HWND WaitForExplorer(const char* caption, LRESULT entries) {
    for (int i = 0; i < 6000; ++i) {
        const HWND window = FindWindowA("TFileForm", caption);
        if (window && IsWindowEnabled(GetDlgItem(window, MORVEL_ID_XFILES)) &&
            SendMessageA(GetDlgItem(window, MORVEL_ID_XFILES), LB_GETCOUNT, 0, 0) >= entries) {
            return window;
        }
        Sleep(10);
    }
    return nullptr;
}

double Refresh(HWND explorer) {
    const auto start = Clock::now();
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_MNUREFRESH, 0), 0);
    return Millis(start);
}

// The bare searches and the Explorer's listing again ("Refres&h"), in turns, so that a busy
// moment of the machine weighs on both alike; the best of kRuns of each.
void SideBySide(HWND explorer, const std::string& folder, const char* mask, double& bare, double& listing,
                long& found) {
    bare = listing = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        bare = std::min(bare, BareSearches(folder, mask, found));
        listing = std::min(listing, Refresh(explorer));
    }
}

void SetKey(const char* key, const std::string& value) {
    WritePrivateProfileStringA("morvel", key, value.c_str(), "morvel.ini");
}

void BenchListing(int files) {
    const std::string folder = FolderFor(files);
    const auto preparing = Clock::now();
    Prepare(folder, files, ".avl");
    SetKey("LastDir", folder);
    std::printf("%8s        folder ready in %.1f ms\n", "", Millis(preparing));

    long found = 0;
    const double cold = BareSearches(folder, "*.avl", found);

    double bare = 1e30;
    double listing = 1e30;
    double opening = 0;
    LRESULT shown = 0;
    const auto called = Clock::now();
    std::thread driver([&] {
        const HWND dialog = WaitForExplorer("Open Slideshow", files);
        opening = Millis(called);
        if (!dialog) return;
        SideBySide(dialog, folder, "*.avl", bare, listing, found);
        shown = SendMessageA(GetDlgItem(dialog, MORVEL_ID_XFILES), LB_GETCOUNT, 0, 0);
        PostMessageA(GetDlgItem(dialog, MORVEL_ID_BTNEXIT), BM_CLICK, 0, 0);
    });
    RemoteDlg95(MORVEL_KIND_OPEN_SLIDESHOW, 0);
    const double total = Millis(called);
    driver.join();
    std::printf("%8d files  bare searches %9.1f ms (%ld entries)  listing %9.1f ms (%ld shown)  ratio %5.2f\n", files,
                bare, found, listing, static_cast<long>(shown), listing / bare);
    std::printf("%8s        first bare searches %9.1f ms, dialog open to listed %9.1f ms, whole dialog %9.1f ms\n", "",
                cold, opening, total);
    std::fflush(stdout);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeHost() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "BenchHost";
    RegisterClassA(&cls);
    return CreateWindowExA(0, "BenchHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, cls.hInstance,
                           nullptr);
}

// The modeless Explorer on its default type, against one search of every entry.
void BenchValidated(int files, const std::string& folder) {
    SetKey("LastDir", folder);
    double bare = 1e30;
    long found = 0;
    const HWND host = MakeHost();
    RemoteWin95(static_cast<MorvelInt>(reinterpret_cast<INT_PTR>(host)), 0);
    const HWND explorer = WaitForExplorer("Morvel Explorer", files);
    if (!explorer) {
        std::printf("%8d files  the Explorer did not list the folder\n", files);
    } else {
        double listing = 1e30;
        SideBySide(explorer, folder, nullptr, bare, listing, found);
        const LRESULT shown = SendMessageA(GetDlgItem(explorer, MORVEL_ID_XFILES), LB_GETCOUNT, 0, 0);
        std::printf(
            "%8d files  one search   %9.1f ms (%ld entries)  \"All validated formats\" %9.1f ms (%ld shown)  "
            "ratio %5.2f\n",
            files, bare, found, listing, static_cast<long>(shown), listing / bare);
    }
    RemoteWinClose95();
    DestroyWindow(host);
    std::fflush(stdout);
}

void BenchListFile(int files) {
    const std::string folder = FolderFor(files) + "-bmp";
    Prepare(folder, files, ".bmp");
    SetKey("LastDir", folder);
    const HWND host = MakeHost();
    const auto opened = Clock::now();
    RemoteWin95(static_cast<MorvelInt>(reinterpret_cast<INT_PTR>(host)), 0);
    const double opening = Millis(opened);
    const HWND explorer = WaitForExplorer("Morvel Explorer", files);
    if (!explorer) {
        std::printf("list file: the Explorer did not list %d files\n", files);
        return;
    }
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_MARKDIRECTORY, 0), 0);
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_BATCHCONVERT, 0), 0);
        best = std::min(best, Millis(start));
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA("C:\\bench-exchange.tmp", GetFileExInfoStandard, &data);
    std::printf("list file for %d selected files: %.1f ms (%lu bytes)\n", files, best,
                static_cast<unsigned long>(data.nFileSizeLow));
    const auto closing = Clock::now();
    RemoteWinClose95();
    std::printf("modeless Explorer on %d files: opened and listed in %.1f ms, closed in %.1f ms\n", files, opening,
                Millis(closing));
    DestroyWindow(host);
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = Clock::now();
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1000, 10000, 30000, 100000};
    SetKey("Win95Tmp", "C:\\bench-exchange.tmp");
    std::printf("Open dialog (\"*.avl\") against the searches over the mask and over every entry (best of %d)\n",
                kRuns);
    for (int files : sizes) BenchListing(files);
    std::printf("Modeless Explorer, \"All validated formats\", against one search of every entry (best of %d)\n",
                kRuns);
    for (int files : sizes) BenchValidated(files, FolderFor(files));
    // Made by scripts/bench.sh only: Greek names, which the code page cannot hold.
    std::printf("The same for names in Greek\n");
    BenchValidated(10000, FolderFor(10000) + "-greek");
    BenchListFile(10000);
    std::printf("whole run %.1f s\n", Millis(started) / 1000);
    return 0;
}

// The DLL as a host finds it: a PE32 i386 DLL that names its exports plainly, depends only on
// the system's own DLLs and functions that Windows XP SP3 has, carries its version, and does
// nothing but reset its state when loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "common/path_parts.h"
#include "support/pe_image.h"
#include "win/support/import_patch.h"
#include "win/support/test_env.h"

using namespace morvel::test;

namespace {

// The eleven exports of the library; each is implemented in full.
const std::set<std::string> kExports = {
    "EditorWin95",      "GDIflush95",       "RemoteDlg95",       "RemoteWin95",
    "RemoteWinClose95", "RemoteWinHide95",  "RemoteWinUpdate95", "ShortToLongName95",
    "VideoWinClose95",  "VideoWinPlayer95", "VideoWinStatus95",
};

const std::set<std::string> kAllowedDlls = {
    "kernel32.dll", "user32.dll", "gdi32.dll",   "comctl32.dll", "comdlg32.dll",
    "winmm.dll",    "mpr.dll",    "shell32.dll", "advapi32.dll", "msvcrt.dll",
};

PeImage LoadImage(const std::string& path = DllPath()) {
    auto bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.has_value()) << path;
    std::string error;
    auto image = ReadPeImage(bytes.value_or(""), &error);
    EXPECT_TRUE(image.has_value()) << error;
    return image.value_or(PeImage{});
}

// The runtime (linked in, not ours): its start-up code finds its own module by a wide name, and
// its thread support makes unnamed semaphores.
const std::set<std::string> kRuntimeWideCalls = {"GetModuleHandleW", "LoadLibraryW", "CreateSemaphoreW"};

// The wide calls of the file-system edge and of drawing names as they are: a wide search finds
// the names the code page cannot hold, their short names reach them, and the list draws them.
const std::set<std::string> kNameWideCalls = {"FindFirstFileW", "FindNextFileW", "GetShortPathNameW",
                                              "MoveFileW",      "DrawTextW",     "GetCharWidth32W"};

// A wide-character variant: the name ends in "W" right after a lower-case letter or digit
// (CreateWindowExW, DrawTextW), unlike names that merely end in a capital (GdiFlush) or "Window".
bool IsWideVariant(const std::string& name) {
    if (name.size() < 3 || name.back() != 'W') return false;
    const char before = name[name.size() - 2];
    return (before >= 'a' && before <= 'z') || (before >= '0' && before <= '9');
}

// The Windows versions that brought the functions the shipped programs import, as the system's
// documentation gives them (NT4 for what Windows 95 and NT 4 already had).
enum Windows { NT4, Windows2000, XP, Vista, Windows7, Windows8, Windows10 };
constexpr Windows kOldestSupported = XP;

struct Introduced {
    std::string dll;
    Windows version;
    std::vector<std::string> functions;
};

// Every function that morvel32.dll and morvel-ini.exe import, with the version that brought it.
// A new import goes here with its version; one newer than Windows XP must be looked up with
// GetProcAddress instead.
// clang-format off
const Introduced kImportAudit[] = {
    {"comctl32.dll", XP, {"DefSubclassProc", "RemoveWindowSubclass", "SetWindowSubclass"}},
    {"comctl32.dll", NT4, {"InitCommonControlsEx"}},
    {"comdlg32.dll", NT4, {"ChooseColorA", "ChooseFontA"}},
    {"gdi32.dll", NT4, {"BitBlt", "CreateCompatibleBitmap", "CreateCompatibleDC", "CreateFontA", "CreatePen",
     "CreateSolidBrush", "DeleteDC", "DeleteObject", "Ellipse", "GdiFlush",
     "GetCharWidth32A", "GetCharWidth32W", "GetDeviceCaps", "GetObjectA",
     "GetStockObject", "GetTextExtentPoint32A", "GetTextMetricsA", "LineTo", "MoveToEx",
     "Polygon", "Rectangle", "SelectObject", "SetBkColor", "SetBkMode", "SetTextColor"}},
    {"kernel32.dll", NT4, {"AreFileApisANSI", "CloseHandle", "CreateFileA", "CreateSemaphoreW",
     "DeleteCriticalSection", "DeleteFileA", "DisableThreadLibraryCalls",
     "EnterCriticalSection", "FindClose", "FindFirstFileW", "FindNextFileW",
     "FlushFileBuffers", "FreeLibrary", "GetCurrentProcessId", "GetCurrentThreadId",
     "GetDiskFreeSpaceA", "GetDriveTypeA", "GetFileAttributesA", "GetFileType",
     "GetLastError", "GetLogicalDrives", "GetModuleHandleA", "GetModuleHandleW",
     "GetProcAddress", "GetShortPathNameW", "GetStartupInfoA", "GetTickCount",
     "GetVolumeInformationA", "GetWindowsDirectoryA", "GlobalAlloc", "GlobalFree",
     "GlobalLock", "GlobalSize", "GlobalUnlock", "InitializeCriticalSection",
     "LeaveCriticalSection", "LoadLibraryA", "LoadLibraryW", "MoveFileA", "MoveFileExA",
     "MoveFileW", "MulDiv", "MultiByteToWideChar", "QueryPerformanceCounter",
     "QueryPerformanceFrequency", "ReadFile", "ReleaseSemaphore", "SetEndOfFile",
     "SetErrorMode", "SetLastError", "SetUnhandledExceptionFilter", "Sleep", "TlsAlloc",
     "TlsFree", "TlsGetValue", "TlsSetValue", "VirtualProtect", "VirtualQuery",
     "WaitForSingleObject", "WideCharToMultiByte", "WriteFile", "lstrcpynA"}},
    {"kernel32.dll", XP, {"GetModuleHandleExA"}},
    {"kernel32.dll", Windows2000, {"IsDBCSLeadByteEx", "SetFilePointerEx"}},
    {"mpr.dll", NT4, {"WNetGetConnectionA"}},
    {"msvcrt.dll", Windows2000, {"__getmainargs", "__initenv", "__mb_cur_max", "__p__acmdln", "__p__commode",
     "__p__fmode", "__set_app_type", "__setusermatherr", "_amsg_exit", "_cexit",
     "_close", "_errno", "_initterm", "_iob", "_lock", "_onexit", "_read", "_unlock",
     "abort", "atoi", "calloc", "exit", "fflush", "fprintf", "fputc", "fputs", "free",
     "fwrite", "localeconv", "malloc", "memchr", "memcmp", "memcpy", "memmove",
     "memset", "realloc", "setlocale", "signal", "strchr", "strcmp", "strerror",
     "strlen", "strncmp", "vfprintf", "wcslen"}},
    {"shell32.dll", NT4, {"DragAcceptFiles", "DragFinish", "DragQueryFileA", "SHBrowseForFolderA", "SHGetMalloc",
     "SHGetPathFromIDListA"}},
    {"user32.dll", NT4, {"AdjustWindowRectEx", "AppendMenuA", "BeginPaint", "BringWindowToTop", "CallNextHookEx",
     "CallWindowProcA", "CloseClipboard", "CreatePopupMenu", "CreateWindowExA", "DefWindowProcA", "DestroyMenu", "DestroyWindow",
     "DispatchMessageA",
     "DrawEdge", "DrawFocusRect", "DrawFrameControl", "DrawTextA", "DrawTextW", "EnableMenuItem", "EnableWindow",
     "EmptyClipboard", "EndPaint", "EnumThreadWindows", "FillRect", "GetActiveWindow", "GetCapture", "GetClassInfoA",
     "GetClipboardData",
     "GetClassLongA", "GetClientRect", "GetCursorPos", "GetDC", "GetDlgCtrlID", "GetDlgItem", "GetFocus",
     "GetForegroundWindow", "GetKeyState", "GetMessageA", "GetMessagePos", "GetMessageTime", "GetNextDlgTabItem",
     "GetParent", "GetPropA", "GetScrollInfo", "GetSysColor", "GetSysColorBrush", "GetSystemMenu", "GetSystemMetrics",
     "GetWindow", "GetWindowLongA", "GetWindowPlacement", "GetWindowRect", "GetWindowTextA", "GetWindowTextLengthA",
     "InsertMenuA", "InvalidateRect", "IsChild", "IsClipboardFormatAvailable", "IsDialogMessageA", "IsIconic", "IsWindow", "IsWindowEnabled",
     "IsWindowVisible", "IsZoomed", "KillTimer", "LoadCursorA", "LoadIconA", "MapWindowPoints", "MessageBeep",
     "MessageBoxA", "MoveWindow", "OffsetRect", "OpenClipboard", "PeekMessageA", "PtInRect", "PostMessageA", "PostQuitMessage", "RegisterClassA", "RegisterClipboardFormatA",
     "ReleaseCapture", "ReleaseDC", "RemovePropA", "ScreenToClient", "SendMessageA", "SetActiveWindow", "SetCapture",
     "SetClipboardData", "SetCursor", "SetFocus", "SetForegroundWindow", "SetPropA", "SetScrollInfo", "SetScrollPos", "SetTimer",
     "SetWindowLongA", "SetWindowPos", "SetWindowTextA", "SetWindowsHookExA", "ShowWindow", "TrackPopupMenu",
     "TranslateMessage", "UnhookWindowsHookEx", "UnregisterClassA", "UpdateWindow", "WinHelpA"}},
    {"user32.dll", Windows2000, {"GetAncestor", "GetGUIThreadInfo"}},
    {"winmm.dll", NT4, {"mciGetErrorStringA", "mciSendCommandA"}},
};
// clang-format on

}  // namespace

TEST(DllImage, IsPe32DllForI386WithVersionInfo) {
    const PeImage image = LoadImage();
    EXPECT_EQ(image.machine, 0x14c);
    EXPECT_TRUE(image.isDll);
    EXPECT_TRUE(image.is32Bit);
    EXPECT_NE(std::find(image.resourceTypes.begin(), image.resourceTypes.end(), 16u), image.resourceTypes.end())
        << "no VERSIONINFO resource";
}

TEST(DllImage, ExportsExactlyTheImplementedEntriesByPlainName) {
    const PeImage image = LoadImage();
    const std::set<std::string> exported(image.exports.begin(), image.exports.end());
    EXPECT_EQ(exported, kExports);
}

TEST(DllImage, ImportsOnlySystemDllsAndAnsiFunctions) {
    const PeImage image = LoadImage();
    ASSERT_FALSE(image.imports.empty());
    for (const PeImport& import : image.imports) {
        const std::string dll = morvel::path::ToLowerAscii(import.dll);
        EXPECT_TRUE(kAllowedDlls.count(dll)) << "imports from " << import.dll;
        for (const std::string& function : import.functions) {
            if (kRuntimeWideCalls.count(function) || kNameWideCalls.count(function)) continue;
            EXPECT_FALSE(IsWideVariant(function)) << import.dll << "!" << function << " is a wide-character call";
        }
    }
}

TEST(DllImage, ShippedProgramsImportOnlyAuditedFunctionsThatWindowsXpHas) {
    std::map<std::string, Windows> audit;
    for (const Introduced& group : kImportAudit) {
        for (const std::string& function : group.functions) audit[group.dll + "!" + function] = group.version;
    }
    std::set<std::string> imported;
    for (const std::string& program : {DllPath(), ProgramFolder() + "\\morvel-ini.exe"}) {
        for (const PeImport& import : LoadImage(program).imports) {
            for (const std::string& function : import.functions) {
                const std::string name = morvel::path::ToLowerAscii(import.dll) + "!" + function;
                imported.insert(name);
                const auto entry = audit.find(name);
                if (entry == audit.end()) {
                    ADD_FAILURE() << program << " imports " << name << ", which the audit lacks";
                } else {
                    EXPECT_LE(entry->second, kOldestSupported)
                        << program << " imports " << name << ", which Windows XP SP3 lacks";
                }
            }
        }
    }
    for (const auto& [name, version] : audit) EXPECT_TRUE(imported.count(name)) << name << " is no longer imported";
}

TEST(DllImage, HostFindsEveryExportWithGetProcAddress) {
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    for (const std::string& name : kExports) {
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())), nullptr) << name;
    }
    // No decorated forms: a host asks for the plain name only.
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "_GDIflush95@0")), nullptr);
    FreeLibrary(module);
}

TEST(DllImage, LoadingCreatesNoWindowAndNoThread) {
    const ResourceCounts before = CountResources();
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    const ResourceCounts after = CountResources();
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.threads, before.threads);
    FreeLibrary(module);
}

TEST(DllImage, HelpAndGraphicsCallsGoThroughTheImportTable) {
    // Tests observe WinHelpA and replace GdiFlush by patching these slots.
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindImportSlot(module, "user32.dll", "WinHelpA"), nullptr);
    EXPECT_NE(FindImportSlot(module, "gdi32.dll", "GdiFlush"), nullptr);
    FreeLibrary(module);
}

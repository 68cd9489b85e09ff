#include "host_profile.h"

#include <commctrl.h>
#include <mmsystem.h>
// After mmsystem.h, whose types it uses.
#include <digitalv.h>
#include <psapi.h>
#include <x86intrin.h>

#include <cxxabi.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <unordered_map>
#include <vector>

#include "win/support/import_patch.h"

namespace bench {

namespace {

// ---- The observed imports --------------------------------------------------------------------
// X(dll, result, name, parameters, arguments, sub-key): the sub-key splits a function's figures
// (the message of a message call, the command of an MCI call).
#define BENCH_OBSERVED(X)                                                                                              \
    X("kernel32.dll", HANDLE, FindFirstFileA, (LPCSTR a, LPWIN32_FIND_DATAA b), (a, b), 0)                             \
    X("kernel32.dll", BOOL, FindNextFileA, (HANDLE a, LPWIN32_FIND_DATAA b), (a, b), 0)                                \
    X("kernel32.dll", HANDLE, FindFirstFileW, (LPCWSTR a, LPWIN32_FIND_DATAW b), (a, b), 0)                            \
    X("kernel32.dll", BOOL, FindNextFileW, (HANDLE a, LPWIN32_FIND_DATAW b), (a, b), 0)                                \
    X("kernel32.dll", BOOL, FindClose, (HANDLE a), (a), 0)                                                             \
    X("kernel32.dll", HANDLE, CreateFileA,                                                                             \
      (LPCSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e, DWORD f, HANDLE g), (a, b, c, d, e, f, g), 0)     \
    X("kernel32.dll", BOOL, WriteFile, (HANDLE a, LPCVOID b, DWORD c, LPDWORD d, LPOVERLAPPED e), (a, b, c, d, e), 0)  \
    X("kernel32.dll", BOOL, ReadFile, (HANDLE a, LPVOID b, DWORD c, LPDWORD d, LPOVERLAPPED e), (a, b, c, d, e), 0)    \
    X("kernel32.dll", BOOL, FlushFileBuffers, (HANDLE a), (a), 0)                                                      \
    X("kernel32.dll", BOOL, SetEndOfFile, (HANDLE a), (a), 0)                                                          \
    X("kernel32.dll", BOOL, MoveFileExA, (LPCSTR a, LPCSTR b, DWORD c), (a, b, c), 0)                                  \
    X("kernel32.dll", BOOL, DeleteFileA, (LPCSTR a), (a), 0)                                                           \
    X("kernel32.dll", BOOL, CloseHandle, (HANDLE a), (a), 0)                                                           \
    X("kernel32.dll", DWORD, GetFileAttributesA, (LPCSTR a), (a), 0)                                                   \
    X("kernel32.dll", DWORD, GetShortPathNameA, (LPCSTR a, LPSTR b, DWORD c), (a, b, c), 0)                            \
    X("kernel32.dll", BOOL, GetDiskFreeSpaceA, (LPCSTR a, LPDWORD b, LPDWORD c, LPDWORD d, LPDWORD e),                 \
      (a, b, c, d, e), 0)                                                                                              \
    X("kernel32.dll", BOOL, GetVolumeInformationA,                                                                     \
      (LPCSTR a, LPSTR b, DWORD c, LPDWORD d, LPDWORD e, LPDWORD f, LPSTR g, DWORD h), (a, b, c, d, e, f, g, h), 0)    \
    X("kernel32.dll", UINT, GetDriveTypeA, (LPCSTR a), (a), 0)                                                         \
    X("user32.dll", LRESULT, SendMessageA, (HWND a, UINT b, WPARAM c, LPARAM d), (a, b, c, d), b)                      \
    X("user32.dll", LRESULT, CallWindowProcA, (WNDPROC a, HWND b, UINT c, WPARAM d, LPARAM e), (a, b, c, d, e), c)     \
    X("user32.dll", BOOL, PostMessageA, (HWND a, UINT b, WPARAM c, LPARAM d), (a, b, c, d), b)                         \
    X("user32.dll", LRESULT, DispatchMessageA, (const MSG* a), (a), a ? a->message : 0)                                \
    X("user32.dll", BOOL, PeekMessageA, (LPMSG a, HWND b, UINT c, UINT d, UINT e), (a, b, c, d, e), 0)                 \
    X("user32.dll", BOOL, GetMessageA, (LPMSG a, HWND b, UINT c, UINT d), (a, b, c, d), 0)                             \
    X("user32.dll", BOOL, IsDialogMessageA, (HWND a, LPMSG b), (a, b), 0)                                              \
    X("user32.dll", LRESULT, DefWindowProcA, (HWND a, UINT b, WPARAM c, LPARAM d), (a, b, c, d), b)                    \
    X("user32.dll", HWND, CreateWindowExA,                                                                             \
      (DWORD a, LPCSTR b, LPCSTR c, DWORD d, int e, int f, int g, int h, HWND i, HMENU j, HINSTANCE k, LPVOID l),       \
      (a, b, c, d, e, f, g, h, i, j, k, l), 0)                                                                         \
    X("user32.dll", BOOL, DestroyWindow, (HWND a), (a), 0)                                                             \
    X("user32.dll", BOOL, ShowWindow, (HWND a, int b), (a, b), 0)                                                      \
    X("user32.dll", BOOL, SetWindowPos, (HWND a, HWND b, int c, int d, int e, int f, UINT g), (a, b, c, d, e, f, g),   \
      0)                                                                                                               \
    X("user32.dll", BOOL, MoveWindow, (HWND a, int b, int c, int d, int e, BOOL f), (a, b, c, d, e, f), 0)             \
    X("user32.dll", BOOL, UpdateWindow, (HWND a), (a), 0)                                                              \
    X("user32.dll", BOOL, InvalidateRect, (HWND a, const RECT* b, BOOL c), (a, b, c), 0)                               \
    X("user32.dll", BOOL, SetWindowTextA, (HWND a, LPCSTR b), (a, b), 0)                                               \
    X("user32.dll", BOOL, EnableWindow, (HWND a, BOOL b), (a, b), 0)                                                   \
    X("user32.dll", HWND, SetFocus, (HWND a), (a), 0)                                                                  \
    X("user32.dll", BOOL, SetForegroundWindow, (HWND a), (a), 0)                                                       \
    X("user32.dll", HDC, BeginPaint, (HWND a, LPPAINTSTRUCT b), (a, b), 0)                                             \
    X("user32.dll", int, DrawTextA, (HDC a, LPCSTR b, int c, LPRECT d, UINT e), (a, b, c, d, e), 0)                    \
    X("user32.dll", int, FillRect, (HDC a, const RECT* b, HBRUSH c), (a, b, c), 0)                                     \
    X("user32.dll", HDC, GetDC, (HWND a), (a), 0)                                                                      \
    X("user32.dll", HCURSOR, SetCursor, (HCURSOR a), (a), 0)                                                           \
    X("user32.dll", UINT_PTR, SetTimer, (HWND a, UINT_PTR b, UINT c, TIMERPROC d), (a, b, c, d), 0)                    \
    X("user32.dll", ATOM, RegisterClassA, (const WNDCLASSA* a), (a), 0)                                                \
    X("gdi32.dll", HFONT, CreateFontA,                                                                                 \
      (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l, DWORD m,      \
       LPCSTR n),                                                                                                      \
      (a, b, c, d, e, f, g, h, i, j, k, l, m, n), 0)                                                                   \
    X("gdi32.dll", BOOL, GetTextMetricsA, (HDC a, LPTEXTMETRICA b), (a, b), 0)                                         \
    X("gdi32.dll", BOOL, GetCharWidth32A, (HDC a, UINT b, UINT c, LPINT d), (a, b, c, d), 0)                           \
    X("gdi32.dll", BOOL, GetTextExtentPoint32A, (HDC a, LPCSTR b, int c, LPSIZE d), (a, b, c, d), 0)                   \
    X("gdi32.dll", BOOL, BitBlt, (HDC a, int b, int c, int d, int e, HDC f, int g, int h, DWORD i),                    \
      (a, b, c, d, e, f, g, h, i), 0)                                                                                  \
    X("gdi32.dll", HDC, CreateCompatibleDC, (HDC a), (a), 0)                                                           \
    X("gdi32.dll", BOOL, DeleteDC, (HDC a), (a), 0)                                                                    \
    X("gdi32.dll", HGDIOBJ, SelectObject, (HDC a, HGDIOBJ b), (a, b), 0)                                               \
    X("gdi32.dll", HBITMAP, CreateCompatibleBitmap, (HDC a, int b, int c), (a, b, c), 0)                               \
    X("comctl32.dll", BOOL, InitCommonControlsEx, (const INITCOMMONCONTROLSEX* a), (a), 0)                             \
    X("comctl32.dll", LRESULT, DefSubclassProc, (HWND a, UINT b, WPARAM c, LPARAM d), (a, b, c, d), b)                 \
    X("winmm.dll", MCIERROR, mciSendCommandA, (MCIDEVICEID a, UINT b, DWORD_PTR c, DWORD_PTR d), (a, b, c, d), b)

enum Observed : std::uint32_t {
#define BENCH_ENUM(dll, result, name, parameters, arguments, sub) k##name,
    BENCH_OBSERVED(BENCH_ENUM)
#undef BENCH_ENUM
        kObservedCount
};

constexpr const char* kObservedNames[] = {
#define BENCH_NAME(dll, result, name, parameters, arguments, sub) #name,
    BENCH_OBSERVED(BENCH_NAME)
#undef BENCH_NAME
};

// Functions whose figures are split by message (the others by MCI command).
bool SplitByMessage(std::uint32_t function) {
    return function == kSendMessageA || function == kCallWindowProcA || function == kPostMessageA ||
           function == kDispatchMessageA || function == kDefWindowProcA || function == kDefSubclassProc;
}

std::string MessageName(UINT msg) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETREDRAW, "WM_SETREDRAW"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_MEASUREITEM, "WM_MEASUREITEM"},
        {WM_DELETEITEM, "WM_DELETEITEM"},
        {WM_SETFONT, "WM_SETFONT"},
        {WM_GETFONT, "WM_GETFONT"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_GETICON, "WM_GETICON"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_GETDLGCODE, "WM_GETDLGCODE"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_INITMENU, "WM_INITMENU"},
        {WM_ENTERIDLE, "WM_ENTERIDLE"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
        {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
        {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
        {WM_IME_NOTIFY, "WM_IME_NOTIFY"},
        {WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
        {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
        {WM_CHANGEUISTATE, "WM_CHANGEUISTATE"},
        {WM_UPDATEUISTATE, "WM_UPDATEUISTATE"},
        {WM_QUERYUISTATE, "WM_QUERYUISTATE"},
        {WM_USER + 0x1F6, "WM_USER+0x1F6"},
        {SBM_SETPOS, "SBM_SETPOS"},
        {SBM_SETRANGE, "SBM_SETRANGE"},
        {SBM_SETSCROLLINFO, "SBM_SETSCROLLINFO"},
        {SBM_GETSCROLLINFO, "SBM_GETSCROLLINFO"},
        {BM_CLICK, "BM_CLICK"},
        {BM_SETSTYLE, "BM_SETSTYLE"},
        {BM_SETSTATE, "BM_SETSTATE"},
        {BM_GETSTATE, "BM_GETSTATE"},
        {EM_SETREADONLY, "EM_SETREADONLY"},
        {EM_SETLIMITTEXT, "EM_SETLIMITTEXT"},
        {EM_SETSEL, "EM_SETSEL"},
        {LB_ADDSTRING, "LB_ADDSTRING"},
        {LB_INSERTSTRING, "LB_INSERTSTRING"},
        {LB_RESETCONTENT, "LB_RESETCONTENT"},
        {LB_SETSEL, "LB_SETSEL"},
        {LB_SETCURSEL, "LB_SETCURSEL"},
        {LB_GETSEL, "LB_GETSEL"},
        {LB_GETCURSEL, "LB_GETCURSEL"},
        {LB_GETTEXT, "LB_GETTEXT"},
        {LB_GETCOUNT, "LB_GETCOUNT"},
        {LB_SETTOPINDEX, "LB_SETTOPINDEX"},
        {LB_GETSELCOUNT, "LB_GETSELCOUNT"},
        {LB_GETSELITEMS, "LB_GETSELITEMS"},
        {LB_SETCOLUMNWIDTH, "LB_SETCOLUMNWIDTH"},
        {LB_SETCARETINDEX, "LB_SETCARETINDEX"},
        {LB_GETCARETINDEX, "LB_GETCARETINDEX"},
        {LB_SETITEMHEIGHT, "LB_SETITEMHEIGHT"},
        {LB_INITSTORAGE, "LB_INITSTORAGE"},
        {CB_ADDSTRING, "CB_ADDSTRING"},
        {CB_RESETCONTENT, "CB_RESETCONTENT"},
        {CB_SETCURSEL, "CB_SETCURSEL"},
        {CB_GETCURSEL, "CB_GETCURSEL"},
        {CB_GETLBTEXT, "CB_GETLBTEXT"},
        {CB_GETLBTEXTLEN, "CB_GETLBTEXTLEN"},
        {CB_SETITEMHEIGHT, "CB_SETITEMHEIGHT"},
        {CB_SETITEMDATA, "CB_SETITEMDATA"},
        {CB_GETCOUNT, "CB_GETCOUNT"},
        {PBM_SETRANGE32, "PBM_SETRANGE32"},
        {PBM_SETPOS, "PBM_SETPOS"},
        {LVM_SETITEMCOUNT, "LVM_SETITEMCOUNT"},
        {LVM_GETITEMCOUNT, "LVM_GETITEMCOUNT"},
        {LVM_INSERTCOLUMNA, "LVM_INSERTCOLUMNA"},
        {LVM_SETCOLUMNWIDTH, "LVM_SETCOLUMNWIDTH"},
        {LVM_GETCOLUMNWIDTH, "LVM_GETCOLUMNWIDTH"},
        {LVM_SETITEMSTATE, "LVM_SETITEMSTATE"},
        {LVM_ENSUREVISIBLE, "LVM_ENSUREVISIBLE"},
        {LVM_REDRAWITEMS, "LVM_REDRAWITEMS"},
        {LVM_GETSUBITEMRECT, "LVM_GETSUBITEMRECT"},
        {LVM_SETEXTENDEDLISTVIEWSTYLE, "LVM_SETEXTENDEDLISTVIEWSTYLE"},
        {TTM_ADDTOOLA, "TTM_ADDTOOLA"},
        {MM_MCINOTIFY, "MM_MCINOTIFY"},
    };
    const auto found = names.find(msg);
    if (found != names.end()) return found->second;
    char text[24];
    std::snprintf(text, sizeof text, msg >= WM_APP ? "WM_APP+0x%X" : (msg >= WM_USER ? "WM_USER+0x%X" : "0x%04X"),
                  msg >= WM_APP ? msg - WM_APP : (msg >= WM_USER ? msg - WM_USER : msg));
    return text;
}

std::string CommandName(UINT command) {
    static const std::map<UINT, const char*> names = {
        {MCI_OPEN, "MCI_OPEN"},       {MCI_CLOSE, "MCI_CLOSE"},   {MCI_PLAY, "MCI_PLAY"},
        {MCI_SEEK, "MCI_SEEK"},       {MCI_STOP, "MCI_STOP"},     {MCI_PAUSE, "MCI_PAUSE"},
        {MCI_STATUS, "MCI_STATUS"},   {MCI_SET, "MCI_SET"},       {MCI_STEP, "MCI_STEP"},
        {MCI_WINDOW, "MCI_WINDOW"},   {MCI_PUT, "MCI_PUT"},       {MCI_WHERE, "MCI_WHERE"},
        {MCI_REALIZE, "MCI_REALIZE"}, {MCI_UPDATE, "MCI_UPDATE"}, {MCI_SETAUDIO, "MCI_SETAUDIO"},
        {MCI_RESUME, "MCI_RESUME"},   {MCI_CUE, "MCI_CUE"},       {MCI_CONFIGURE, "MCI_CONFIGURE"},
    };
    const auto found = names.find(command);
    if (found != names.end()) return found->second;
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", command);
    return text;
}

// ---- The library's symbols -----------------------------------------------------------------------

struct Symbol {
    std::uintptr_t address;
    std::string name;
};

// The name without its parameter list, which says nothing here and takes a line of its own.
std::string Shorten(const std::string& name) {
    int angle = 0, brace = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '<') ++angle;
        if (c == '>') --angle;
        if (c == '{') ++brace;
        if (c == '}') --brace;
        if (c == '(' && angle == 0 && brace == 0 && i > 0) {
            std::string head = name.substr(0, i);
            const std::size_t clone = name.find("[clone", i);
            if (clone != std::string::npos) head += " " + name.substr(clone);
            return head;
        }
    }
    return name;
}

std::string Demangle(const char* raw) {
    // The i386 toolchain puts one more underscore before every C++ name, and "@bytes" after the
    // name of a __stdcall function.
    std::string name = (raw[0] == '_' && raw[1] == '_' && raw[2] == 'Z') ? raw + 1 : raw;
    const std::size_t at = name.rfind('@');
    if (at != std::string::npos && at > 0 && name.find_first_not_of("0123456789", at + 1) == std::string::npos)
        name.erase(at);
    int status = 0;
    char* readable = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    std::string result = status == 0 && readable ? std::string(readable) : std::string(raw);
    std::free(readable);
    for (std::size_t anonymous; (anonymous = result.find("(anonymous namespace)")) != std::string::npos;)
        result.replace(anonymous, 21, "{anon}");
    return Shorten(result);
}

// The functions of the library's code, from the COFF symbol table that the build leaves in the
// file (the installed package strips it; then only module figures are given).
std::vector<Symbol> ReadSymbols(HMODULE module) {
    std::vector<Symbol> symbols;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.size() < sizeof(IMAGE_DOS_HEADER)) return symbols;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    if (static_cast<std::size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32) > file.size()) return symbols;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(file.data() + dos->e_lfanew);
    const IMAGE_FILE_HEADER& header = nt->FileHeader;
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        reinterpret_cast<const char*>(&nt->OptionalHeader) + header.SizeOfOptionalHeader);
    const std::size_t table = header.PointerToSymbolTable;
    const std::size_t count = header.NumberOfSymbols;
    if (table == 0 || table + count * IMAGE_SIZEOF_SYMBOL > file.size()) return symbols;
    const char* strings = file.data() + table + count * IMAGE_SIZEOF_SYMBOL;
    const std::size_t stringsSize = file.size() - (table + count * IMAGE_SIZEOF_SYMBOL);
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    for (std::size_t i = 0; i < count; ++i) {
        IMAGE_SYMBOL symbol;
        std::memcpy(&symbol, file.data() + table + i * IMAGE_SIZEOF_SYMBOL, sizeof symbol);
        const std::size_t aux = symbol.NumberOfAuxSymbols;
        if (symbol.SectionNumber > 0 && symbol.SectionNumber <= header.NumberOfSections &&
            ISFCN(symbol.Type) != 0) {
            const IMAGE_SECTION_HEADER& section = sections[symbol.SectionNumber - 1];
            std::string raw;
            if (symbol.N.Name.Short == 0) {
                if (symbol.N.Name.Long < stringsSize) raw = strings + symbol.N.Name.Long;
            } else {
                raw.assign(reinterpret_cast<const char*>(symbol.N.ShortName),
                           strnlen(reinterpret_cast<const char*>(symbol.N.ShortName), 8));
            }
            if (!raw.empty()) symbols.push_back({base + section.VirtualAddress + symbol.Value, Demangle(raw.c_str())});
        }
        i += aux;
    }
    std::sort(symbols.begin(), symbols.end(), [](const Symbol& a, const Symbol& b) { return a.address < b.address; });
    return symbols;
}

const std::string* SymbolAt(const std::vector<Symbol>& symbols, std::uintptr_t address) {
    auto after = std::upper_bound(symbols.begin(), symbols.end(), address,
                                  [](std::uintptr_t a, const Symbol& s) { return a < s.address; });
    if (after == symbols.begin()) return nullptr;
    return &std::prev(after)->name;
}

struct Range {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    bool Holds(std::uintptr_t a) const { return a >= begin && a < end; }
};

Range CodeOf(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (section->Characteristics & IMAGE_SCN_CNT_CODE) {
            const auto begin = reinterpret_cast<std::uintptr_t>(base) + section->VirtualAddress;
            return {begin, begin + section->Misc.VirtualSize};
        }
    }
    return {};
}

// The Unix memory map of this process under Wine. Not /proc/self: Wine's server opens the file,
// and "self" would be the server. The process is the one that maps the library where we see it.
std::string UnixMapsOf(HMODULE library) {
    char address[32];
    std::snprintf(address, sizeof address, "%lx-", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(library)));
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::string found;
    do {
        if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9') continue;
        const std::string path = std::string("Z:\\proc\\") + entry.cFileName + "\\maps";
        std::ifstream maps(path);
        for (std::string line; std::getline(maps, line);) {
            if (line.rfind(address, 0) == 0) {
                found = path;
                break;
            }
        }
    } while (found.empty() && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

}  // namespace

// ---- The state -------------------------------------------------------------------------------

struct Profile::State {
    struct Figure {
        std::uint64_t count = 0;
        std::uint64_t inclusive = 0;
        std::uint64_t own = 0;
    };
    struct Frame {
        std::uint32_t key;
        std::uint64_t start;
        std::uint64_t nested;
    };

    HMODULE library = nullptr;
    DWORD thread = 0;
    HANDLE threadHandle = nullptr;
    Range code;
    std::vector<Symbol> symbols;

    // The stretch being measured: what it watches, or -1 between stretches.
    std::atomic<int> watching{-1};
    std::atomic<std::uint64_t> stopTsc{~std::uint64_t{0}};
    std::uint64_t startTsc = 0;
    LARGE_INTEGER startQpc{};
    std::uint64_t tscTicks = 0;
    double qpcMs = 0;
    std::array<double, 3> passMs{};
    std::array<int, 3> passStretches{};
    bool Watching(Watch what) const { return watching.load(std::memory_order_relaxed) == static_cast<int>(what); }

    std::unordered_map<std::uint32_t, Figure> figures;
    std::array<Frame, 512> stack{};
    std::size_t depth = 0;
    std::uint64_t topLevel = 0;
    std::uint64_t mallocs = 0, mallocBytes = 0, frees = 0, reallocs = 0;
    std::vector<std::uint32_t> messagesSent = std::vector<std::uint32_t>(0x10000);
    std::vector<std::uint32_t> messagesPosted = std::vector<std::uint32_t>(0x10000);
    HHOOK sentHook = nullptr;
    HHOOK postedHook = nullptr;

    std::vector<std::uintptr_t> samples = std::vector<std::uintptr_t>(1 << 18);  // instruction pointers
    std::atomic<std::size_t> sampleCount{0};
    std::atomic<bool> quit{false};
    HANDLE sampler = nullptr;
    int sampleMs = 1;

    std::vector<std::unique_ptr<morvel::test::ImportPatch>> patches;

    void Enter(std::uint32_t key) {
        if (depth < stack.size()) stack[depth] = {key, __rdtsc(), 0};
        ++depth;
    }
    void Leave() {
        --depth;
        if (depth >= stack.size()) return;
        const std::uint64_t now = std::min<std::uint64_t>(__rdtsc(), stopTsc.load(std::memory_order_relaxed));
        const Frame& frame = stack[depth];
        const std::uint64_t spent = now > frame.start ? now - frame.start : 0;
        Figure& figure = figures[frame.key];
        ++figure.count;
        figure.inclusive += spent;
        figure.own += spent - std::min(spent, frame.nested);
        if (depth > 0) {
            stack[depth - 1].nested += spent;
        } else {
            topLevel += spent;
        }
    }
    double Ms(std::uint64_t ticks) const { return tscTicks == 0 ? 0 : static_cast<double>(ticks) * qpcMs / tscTicks; }
    void Unhook() {
        if (sentHook) UnhookWindowsHookEx(sentHook);
        if (postedHook) UnhookWindowsHookEx(postedHook);
        sentHook = postedHook = nullptr;
    }

    void TakeSample();
};

namespace {

Profile::State* observing = nullptr;
void* originals[kObservedCount] = {};
void* originalMalloc = nullptr;
void* originalFree = nullptr;
void* originalRealloc = nullptr;

// One observed call on the library's thread while a stretch is measured.
class Call {
public:
    Call(std::uint32_t function, std::uint32_t sub) {
        Profile::State* s = observing;
        on_ = s && s->Watching(Profile::Watch::Calls) && GetCurrentThreadId() == s->thread;
        if (on_) s->Enter((function << 16) | (SplitByMessage(function) || function == kmciSendCommandA ? sub & 0xFFFF : 0));
    }
    ~Call() {
        if (on_) observing->Leave();
    }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

private:
    bool on_ = false;
};

#define BENCH_WRAPPER(dll, result, name, parameters, arguments, sub)                     \
    result WINAPI Observed##name parameters {                                            \
        const Call call(k##name, static_cast<std::uint32_t>(sub));                       \
        return reinterpret_cast<result(WINAPI*) parameters>(originals[k##name]) arguments; \
    }
BENCH_OBSERVED(BENCH_WRAPPER)
#undef BENCH_WRAPPER

const void* const kWrappers[] = {
#define BENCH_POINTER(dll, result, name, parameters, arguments, sub) reinterpret_cast<void*>(&Observed##name),
    BENCH_OBSERVED(BENCH_POINTER)
#undef BENCH_POINTER
};

constexpr const char* kDlls[] = {
#define BENCH_DLL(dll, result, name, parameters, arguments, sub) dll,
    BENCH_OBSERVED(BENCH_DLL)
#undef BENCH_DLL
};

bool Counting(Profile::Watch what) {
    Profile::State* s = observing;
    return s && s->Watching(what) && GetCurrentThreadId() == s->thread;
}

void* __cdecl ObservedMalloc(size_t size) {
    if (Counting(Profile::Watch::Calls)) {
        ++observing->mallocs;
        observing->mallocBytes += size;
    }
    return reinterpret_cast<void*(__cdecl*)(size_t)>(originalMalloc)(size);
}
void __cdecl ObservedFree(void* block) {
    if (block && Counting(Profile::Watch::Calls)) ++observing->frees;
    reinterpret_cast<void(__cdecl*)(void*)>(originalFree)(block);
}
void* __cdecl ObservedRealloc(void* block, size_t size) {
    if (Counting(Profile::Watch::Calls)) ++observing->reallocs;
    return reinterpret_cast<void*(__cdecl*)(void*, size_t)>(originalRealloc)(block, size);
}

LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && Counting(Profile::Watch::Messages))
        ++observing->messagesSent[reinterpret_cast<CWPSTRUCT*>(lParam)->message & 0xFFFF];
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK PostedHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && Counting(Profile::Watch::Messages))
        ++observing->messagesPosted[reinterpret_cast<MSG*>(lParam)->message & 0xFFFF];
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI SampleLoop(LPVOID parameter) {
    auto* s = static_cast<Profile::State*>(parameter);
    while (!s->quit.load()) {
        Sleep(static_cast<DWORD>(s->sampleMs));
        if (s->Watching(Profile::Watch::Samples)) s->TakeSample();
    }
    return 0;
}

}  // namespace

// Nothing here may allocate or take a lock while the library's thread is stopped: it may hold
// the heap's.
void Profile::State::TakeSample() {
    const std::size_t index = sampleCount.load();
    if (index >= samples.size()) return;
    if (SuspendThread(threadHandle) == static_cast<DWORD>(-1)) return;
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    if (GetThreadContext(threadHandle, &context)) {
        samples[index] = context.Eip;
        sampleCount.store(index + 1);
    }
    ResumeThread(threadHandle);
}

Profile::Profile(HMODULE library, int sampleMs) : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.library = library;
    s.sampleMs = sampleMs;
    s.thread = GetCurrentThreadId();
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &s.threadHandle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    s.code = CodeOf(library);
    s.symbols = ReadSymbols(library);
    observing = &s;
    for (std::uint32_t i = 0; i < kObservedCount; ++i) {
        auto patch = std::make_unique<morvel::test::ImportPatch>(library, kDlls[i], kObservedNames[i],
                                                                const_cast<void*>(kWrappers[i]));
        if (!patch->active()) continue;
        originals[i] = patch->original();
        s.patches.push_back(std::move(patch));
    }
    const struct {
        const char* name;
        void* wrapper;
        void** original;
    } allocation[] = {{"malloc", reinterpret_cast<void*>(&ObservedMalloc), &originalMalloc},
                      {"free", reinterpret_cast<void*>(&ObservedFree), &originalFree},
                      {"realloc", reinterpret_cast<void*>(&ObservedRealloc), &originalRealloc}};
    for (const auto& a : allocation) {
        auto patch = std::make_unique<morvel::test::ImportPatch>(library, "msvcrt.dll", a.name, a.wrapper);
        if (!patch->active()) continue;
        *a.original = patch->original();
        s.patches.push_back(std::move(patch));
    }
    if (sampleMs > 0) s.sampler = CreateThread(nullptr, 0, &SampleLoop, &s, 0, nullptr);
    if (s.sampler) SetThreadPriority(s.sampler, THREAD_PRIORITY_HIGHEST);
}

Profile::~Profile() {
    State& s = *state_;
    s.watching = -1;
    s.quit = true;
    if (s.sampler) {
        WaitForSingleObject(s.sampler, INFINITE);
        CloseHandle(s.sampler);
    }
    s.Unhook();
    s.patches.clear();
    observing = nullptr;
    CloseHandle(s.threadHandle);
}

void Profile::Reset() {
    State& s = *state_;
    s.figures.clear();
    s.topLevel = 0;
    s.mallocs = s.mallocBytes = s.frees = s.reallocs = 0;
    std::fill(s.messagesSent.begin(), s.messagesSent.end(), 0);
    std::fill(s.messagesPosted.begin(), s.messagesPosted.end(), 0);
    s.sampleCount = 0;
    s.tscTicks = 0;
    s.qpcMs = 0;
    s.passMs = {};
    s.passStretches = {};
}

void Profile::Start(Watch what) {
    State& s = *state_;
    // The hooks cost every message a round trip to the server: they are in place only for the
    // stretches that count messages.
    if (what == Watch::Messages && !s.sentHook) {
        s.sentHook = SetWindowsHookExA(WH_CALLWNDPROC, &SentHook, nullptr, s.thread);
        s.postedHook = SetWindowsHookExA(WH_GETMESSAGE, &PostedHook, nullptr, s.thread);
    } else if (what != Watch::Messages) {
        s.Unhook();
    }
    s.depth = 0;
    s.stopTsc = ~std::uint64_t{0};
    QueryPerformanceCounter(&s.startQpc);
    s.startTsc = __rdtsc();
    s.watching = static_cast<int>(what);
}

// Calls still running when it comes are counted up to this moment.
void Profile::Stop() {
    State& s = *state_;
    const int what = s.watching.exchange(-1);
    const std::uint64_t tsc = __rdtsc();
    LARGE_INTEGER qpc, frequency;
    QueryPerformanceCounter(&qpc);
    QueryPerformanceFrequency(&frequency);
    s.stopTsc = tsc;
    if (what < 0) return;
    const double ms =
        static_cast<double>(qpc.QuadPart - s.startQpc.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    s.tscTicks += tsc - s.startTsc;
    s.qpcMs += ms;
    s.passMs[static_cast<std::size_t>(what)] += ms;
    ++s.passStretches[static_cast<std::size_t>(what)];
}

void Profile::Print(const std::string& title) const {
    const State& s = *state_;
    std::printf("-- profile: %s\n", title.c_str());
    std::printf("   measured: %d run(s) timing the calls, %.1f ms each; %d counting messages, %.1f ms each; %d sampled, "
                "%.1f ms each\n",
                s.passStretches[0], s.passStretches[0] ? s.passMs[0] / s.passStretches[0] : 0, s.passStretches[1],
                s.passStretches[1] ? s.passMs[1] / s.passStretches[1] : 0, s.passStretches[2],
                s.passStretches[2] ? s.passMs[2] / s.passStretches[2] : 0);
    const double runs = std::max(1, s.passStretches[0]);

    // Calls into the system.
    std::vector<std::pair<std::uint32_t, State::Figure>> figures(s.figures.begin(), s.figures.end());
    std::sort(figures.begin(), figures.end(),
              [](const auto& a, const auto& b) { return a.second.inclusive > b.second.inclusive; });
    std::printf("   library calls into the system, by time with what they call back (top 24, and MCI), per run:\n");
    std::printf("   %-44s %9s %12s %12s\n", "call", "count", "ms (with)", "ms (own)");
    // The top of the list, and every MCI command, however quick: each is a trip to the driver.
    int shown = 0;
    for (const auto& [key, figure] : figures) {
        if (++shown > 24 && (key >> 16) != kmciSendCommandA) continue;
        const std::uint32_t function = key >> 16;
        std::string name = kObservedNames[function];
        if (SplitByMessage(function)) name += "(" + MessageName(key & 0xFFFF) + ")";
        if (function == kmciSendCommandA) name += "(" + CommandName(key & 0xFFFF) + ")";
        std::printf("   %-44s %9.0f %12.2f %12.2f\n", name.c_str(), static_cast<double>(figure.count) / runs,
                    s.Ms(figure.inclusive) / runs, s.Ms(figure.own) / runs);
    }
    std::printf("   outside every observed call: %.1f ms per run (the library's own code, and the host's)\n",
                (s.passMs[0] - s.Ms(s.topLevel)) / runs);
    std::printf("   allocations by the library per run: %.0f malloc (%.2f MB), %.0f free, %.0f realloc\n",
                static_cast<double>(s.mallocs) / runs, static_cast<double>(s.mallocBytes) / 1e6 / runs,
                static_cast<double>(s.frees) / runs, static_cast<double>(s.reallocs) / runs);

    // Messages.
    const double countingRuns = std::max(1, s.passStretches[1]);
    const auto printMessages = [countingRuns](const char* what, const std::vector<std::uint32_t>& counts) {
        std::vector<std::pair<std::uint32_t, UINT>> top;
        for (UINT m = 0; m < counts.size(); ++m)
            if (counts[m] != 0) top.push_back({counts[m], m});
        std::sort(top.rbegin(), top.rend());
        std::printf("   %s, per run:", what);
        for (std::size_t i = 0; i < top.size() && i < 16; ++i)
            std::printf("%s %s %.0f", i == 0 ? "" : ",", MessageName(top[i].second).c_str(), top[i].first / countingRuns);
        std::printf("\n");
    };
    printMessages("messages sent to the thread's windows", s.messagesSent);
    printMessages("messages taken from its queue", s.messagesPosted);

    // Samples.
    const std::size_t count = s.sampleCount.load();
    if (count == 0) return;
    struct ModuleRange {
        Range range;
        std::string name;
    };
    std::vector<ModuleRange> modules;
    HMODULE handles[512];
    DWORD needed = 0;
    if (EnumProcessModules(GetCurrentProcess(), handles, sizeof handles, &needed)) {
        for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
            MODULEINFO info{};
            char name[MAX_PATH] = {};
            if (!GetModuleInformation(GetCurrentProcess(), handles[i], &info, sizeof info)) continue;
            GetModuleBaseNameA(GetCurrentProcess(), handles[i], name, sizeof name);
            const auto begin = reinterpret_cast<std::uintptr_t>(info.lpBaseOfDll);
            modules.push_back({{begin, begin + info.SizeOfImage}, name});
        }
    }
    // Under Wine the process is a Unix process too: what lies outside the Windows modules (the
    // Unix side of Wine, the X libraries) is named from its memory map.
    std::ifstream maps(UnixMapsOf(s.library));
    for (std::string line; std::getline(maps, line);) {
        unsigned long begin = 0, end = 0;
        char path[512] = {};
        if (std::sscanf(line.c_str(), "%lx-%lx %*s %*s %*s %*s %511s", &begin, &end, path) < 2) continue;
        // [vdso] holds the way into the Linux kernel: a thread seen there waits in a system call.
        const char* slash = std::strrchr(path, '/');
        const std::string name = path[0] == 0 ? std::string("(anonymous memory)") : std::string(slash ? slash + 1 : path);
        modules.push_back({{begin, end}, name + (path[0] == '/' ? " (Unix)" : "")});
    }
    const auto moduleOf = [&](std::uintptr_t address) -> std::string {
        for (const ModuleRange& m : modules)
            if (m.range.Holds(address)) return m.name;
        return "(unknown)";
    };
    std::map<std::string, std::size_t> byModule;
    std::map<std::string, std::size_t> byFunction;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uintptr_t eip = s.samples[i];
        ++byModule[moduleOf(eip)];
        if (s.code.Holds(eip)) {
            const std::string* name = SymbolAt(s.symbols, eip);
            ++byFunction[name ? *name : "(no symbol)"];
        }
    }
    const auto percent = [&](std::size_t n) { return 100.0 * static_cast<double>(n) / static_cast<double>(count); };
    std::vector<std::pair<std::size_t, std::string>> modulesTop;
    for (const auto& [name, n] : byModule) modulesTop.push_back({n, name});
    std::sort(modulesTop.rbegin(), modulesTop.rend());
    std::printf("   %zu samples of the library's thread (every %d ms); where its instruction pointer was:\n     ", count,
                s.sampleMs);
    for (std::size_t i = 0; i < modulesTop.size() && i < 10; ++i)
        std::printf("%s %s %.1f%%", i == 0 ? "" : ",", modulesTop[i].second.c_str(), percent(modulesTop[i].first));
    std::printf("\n   the library's own code, by function:\n");
    std::vector<std::pair<std::size_t, std::string>> functionsTop;
    for (const auto& [name, n] : byFunction) functionsTop.push_back({n, name});
    std::sort(functionsTop.rbegin(), functionsTop.rend());
    for (std::size_t i = 0; i < functionsTop.size() && i < 12; ++i)
        std::printf("   %6.1f%%  %s\n", percent(functionsTop[i].first), functionsTop[i].second.c_str());
}

}  // namespace bench

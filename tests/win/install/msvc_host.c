/* A host built for the MSVC ABI (clang --target=i686-pc-windows-msvc) and linked by lld-link
 * against lib/morvel32.lib alone, without a C runtime: the exports resolve by their decorated
 * names through that import library and work. It runs two flows that end on their own:
 *   - ShortToLongName95 on the short name of a file with a long name;
 *   - RemoteDlg95(252), which a timer of this thread closes as soon as the dialog shows.
 * Prints what came back and exits with 0 when every result is the expected one. */
#include "morvel32.h"

#define IMPORT __declspec(dllimport)
#define WINAPI __stdcall
typedef void* Handle;
typedef void(WINAPI* TimerProc)(Handle, unsigned, unsigned, unsigned long);

IMPORT Handle WINAPI GetStdHandle(unsigned long which);
IMPORT int WINAPI WriteFile(Handle file, const void* data, unsigned long size, unsigned long* written,
                            void* overlapped);
IMPORT void WINAPI ExitProcess(unsigned code);
IMPORT int WINAPI CreateDirectoryA(const char* path, void* security);
IMPORT Handle WINAPI CreateFileA(const char* path, unsigned long access, unsigned long share, void* security,
                                 unsigned long disposition, unsigned long flags, Handle model);
IMPORT int WINAPI CloseHandle(Handle handle);
IMPORT unsigned long WINAPI GetShortPathNameA(const char* path, char* shortPath, unsigned long size);
IMPORT int WINAPI WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);
IMPORT unsigned long WINAPI GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                                     char* value, unsigned long size, const char* file);
IMPORT int WINAPI lstrlenA(const char* text);
IMPORT int WINAPI lstrcmpA(const char* a, const char* b);
IMPORT unsigned WINAPI SetTimer(Handle window, unsigned id, unsigned milliseconds, TimerProc proc);
IMPORT int WINAPI KillTimer(Handle window, unsigned id);
IMPORT Handle WINAPI FindWindowA(const char* className, const char* caption);
IMPORT int WINAPI PostMessageA(Handle window, unsigned message, unsigned wParam, long lParam);

#define STD_OUTPUT (-11)
#define GENERIC_WRITE 0x40000000UL
#define CREATE_ALWAYS 2
#define WM_CLOSE 0x0010
#define LONG_NAME "Harbour at Dawn.bmp"
#define FOLDER "C:\\msvc-host"

static unsigned closeTimer;
static int failures;

static void Print(const char* text) {
    unsigned long written;
    WriteFile(GetStdHandle((unsigned long)STD_OUTPUT), text, (unsigned long)lstrlenA(text), &written, 0);
}

static void PrintNumber(int value) {
    char digits[12];
    int at = 11;
    unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
    digits[at] = 0;
    do {
        digits[--at] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) digits[--at] = '-';
    Print(digits + at);
}

static void Expect(const char* what, int got, int expected) {
    Print(what);
    Print(" = ");
    PrintNumber(got);
    if (got != expected) {
        Print(", expected ");
        PrintNumber(expected);
        ++failures;
    }
    Print("\n");
}

static void ReadKey(const char* key, char* value, unsigned long size) {
    GetPrivateProfileStringA(MORVEL_INI_SECTION, key, MORVEL_ABSENT_STRING, value, size, MORVEL_INI_FILE);
    Print(key);
    Print("=");
    Print(value);
    Print("\n");
}

/* The user of this host closes the dialog the moment it is there. */
static void WINAPI CloseDialog(Handle window, unsigned message, unsigned id, unsigned long time) {
    Handle dialog = FindWindowA("TFileForm", 0);
    (void)window, (void)message, (void)id, (void)time;
    if (!dialog) return;
    KillTimer(0, closeTimer);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void HostMain(void) {
    char shortPath[260], value[1024];
    Handle file;

    CreateDirectoryA(FOLDER, 0);
    file = CreateFileA(FOLDER "\\" LONG_NAME, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(file);
    GetShortPathNameA(FOLDER "\\" LONG_NAME, shortPath, sizeof shortPath);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_WIN95TMP, FOLDER "\\exchange.tmp", MORVEL_INI_FILE);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_SAVENAME, shortPath, MORVEL_INI_FILE);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_LASTDIR, 0, MORVEL_INI_FILE);

    ShortToLongName95();
    ReadKey(MORVEL_KEY_LONGNAME, value, sizeof value);
    Expect("LongName is the stored name", lstrcmpA(value, LONG_NAME) == 0, 1);

    closeTimer = SetTimer(0, 0, 100, CloseDialog);
    Expect("RemoteDlg95(252, 0)", RemoteDlg95(MORVEL_KIND_REPLACE_SLIDE, 0), MORVEL_DLG_CANCELLED);
    ReadKey(MORVEL_KEY_LASTDIR, value, sizeof value);
    Expect("the closed dialog wrote LastDir", lstrcmpA(value, MORVEL_ABSENT_STRING) != 0, 1);

    Expect("VideoWinStatus95()", VideoWinStatus95(), 0);
    Expect("GDIflush95()", GDIflush95(), 1);
    ExitProcess(failures ? 1u : 0u);
}

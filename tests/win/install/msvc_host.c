/* A host built for the MSVC ABI (clang --target=i686-pc-windows-msvc) and linked by lld-link
 * against lib/morvel32.lib alone, without a C runtime: the exports resolve by their decorated
 * names through that import library and work. Two flows that end on their own: ShortToLongName95
 * on the short name of a file with a long name, and RemoteDlg95(252), which a timer of this
 * thread closes as soon as the dialog shows. Prints each check and exits with the failures. */
#include "morvel32.h"

#define IMPORT __declspec(dllimport)
#define WINAPI __stdcall
typedef void* Handle;
typedef void(WINAPI* TimerProc)(Handle, unsigned, unsigned, unsigned long);

IMPORT Handle WINAPI GetStdHandle(unsigned long which);
IMPORT int WINAPI WriteFile(Handle file, const void* data, unsigned long size, unsigned long* written, void* overlap);
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

#define FOLDER "C:\\msvc-host"
#define LONG_NAME "Harbour at Dawn.bmp"

static unsigned closeTimer, failures;

static void Check(const char* what, int holds) {
    unsigned long written;
    const char* verdict = holds ? ": yes\n" : ": NO\n";
    WriteFile(GetStdHandle((unsigned long)-11), what, (unsigned long)lstrlenA(what), &written, 0);
    WriteFile(GetStdHandle((unsigned long)-11), verdict, (unsigned long)lstrlenA(verdict), &written, 0);
    failures += !holds;
}

static int KeyIs(const char* key, const char* expected) {
    char value[1024];
    GetPrivateProfileStringA(MORVEL_INI_SECTION, key, MORVEL_ABSENT_STRING, value, sizeof value, MORVEL_INI_FILE);
    return lstrcmpA(value, expected) == 0;
}

/* This host's user closes the dialog the moment it is there. */
static void WINAPI CloseDialog(Handle window, unsigned message, unsigned id, unsigned long time) {
    Handle dialog = FindWindowA("TFileForm", 0);
    (void)window, (void)message, (void)id, (void)time;
    if (!dialog) return;
    KillTimer(0, closeTimer);
    PostMessageA(dialog, 0x0010 /* WM_CLOSE */, 0, 0);
}

void HostMain(void) {
    char shortPath[260];
    CreateDirectoryA(FOLDER, 0);
    CloseHandle(
        CreateFileA(FOLDER "\\" LONG_NAME, 0x40000000UL /* GENERIC_WRITE */, 0, 0, 2 /* CREATE_ALWAYS */, 0, 0));
    GetShortPathNameA(FOLDER "\\" LONG_NAME, shortPath, sizeof shortPath);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_WIN95TMP, FOLDER "\\exchange.tmp", MORVEL_INI_FILE);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_SAVENAME, shortPath, MORVEL_INI_FILE);
    WritePrivateProfileStringA(MORVEL_INI_SECTION, MORVEL_KEY_LASTDIR, 0, MORVEL_INI_FILE);

    ShortToLongName95();
    Check("ShortToLongName95 wrote the stored name", KeyIs(MORVEL_KEY_LONGNAME, LONG_NAME));
    closeTimer = SetTimer(0, 0, 100, CloseDialog);
    Check("RemoteDlg95(252, 0) closed by the user returned -1",
          RemoteDlg95(MORVEL_KIND_REPLACE_SLIDE, 0) == MORVEL_DLG_CANCELLED);
    Check("the closed dialog wrote LastDir", !KeyIs(MORVEL_KEY_LASTDIR, MORVEL_ABSENT_STRING));
    Check("VideoWinStatus95() is 0 with no player", VideoWinStatus95() == 0);
    Check("GDIflush95() is 1", GDIflush95() == 1);
    ExitProcess(failures);
}

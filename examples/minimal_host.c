/*
 * minimal_host.c - a host application for morvel32.dll in one C file.
 *
 * One window with a menu. Each item of its "Flows" menu runs one flow of docs/integrating.md
 * and prints what comes back: the export's result, the keys of morvel.ini, the exchange file,
 * the notifications and the player's status.
 *
 * Build it in the package folder (MinGW-w64, 32 bits) and run it beside the DLL:
 *
 *   i686-w64-mingw32-gcc -std=c99 -Wall -Werror -Iinclude \
 *       examples/minimal_host.c -Llib -lmorvel32 -o bin/minimal_host.exe
 *
 *   minimal_host.exe              the window: choose a flow from its menu
 *   minimal_host.exe --scripted   flow 1 once, with a second thread playing the user, then exit
 *
 * Everything runs on the one thread that runs the message loop: the library's windows live in
 * it, and its notifications arrive through it.
 */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "morvel32.h"

/* Where this host keeps its files. */
#define HOST_FOLDER    "C:\\minimal-host"
#define EXCHANGE_FILE  HOST_FOLDER "\\exchange.tmp" /* Win95Tmp: lists and instant slideshows */
#define TEST_SHOW      HOST_FOLDER "\\test.avl"     /* AVLTMP: the editor's "Test" writes it */
#define PICTURES       HOST_FOLDER "\\Pictures"

/* The picture the scripted user picks, as the Explorer lists it (in lower case). */
#define SCRIPTED_PICK  "harbour at dawn.bmp"

enum {
    ID_CHOOSE_PICTURE = 100,
    ID_EXPLORER_OPEN,
    ID_EXPLORER_UPDATE,
    ID_EXPLORER_CLOSE,
    ID_EDIT_SLIDESHOW,
    ID_PLAY_CLIP,
    ID_PLAYER_CLOSE,
    ID_EXIT,
};
#define WM_APP_RELIST  (WM_APP + 1) /* lists the Explorer's folder again, after a delete */
#define PLAYER_POLL    1            /* timer that polls VideoWinStatus95 */

static int lastPlayerStatus = -1;

/* ---- morvel.ini, section "morvel": the host writes inputs and reads results ---------------- */

static void WriteKey(const char* key, const char* value) {
    WritePrivateProfileStringA(MORVEL_INI_SECTION, key, value, MORVEL_INI_FILE);
    printf("  host writes %s=%s\n", key, value);
}

/* Values are at most 1023 characters long. */
static void ReadKey(const char* key, char* value, DWORD size) {
    GetPrivateProfileStringA(MORVEL_INI_SECTION, key, "(absent)", value, size, MORVEL_INI_FILE);
}

static void ShowKey(const char* key) {
    char value[1024];
    ReadKey(key, value, sizeof value);
    printf("  %s=%s\n", key, value);
}

/* The exchange file and slideshows are INI-form text: printed as they are. */
static void ShowFile(const char* path) {
    char line[1100];
    FILE* file = fopen(path, "r");
    printf("  %s:\n", path);
    if (file == NULL) {
        printf("    (no file)\n");
        return;
    }
    while (fgets(line, sizeof line, file) != NULL) printf("    %s", line);
    fclose(file);
}

static void MakeSampleFiles(void) {
    static const char* const names[] = {"Harbour at Dawn.bmp", "Lighthouse.pcx", "Old Town.tga"};
    char path[MAX_PATH];
    size_t i;
    CreateDirectoryA(HOST_FOLDER, NULL);
    CreateDirectoryA(PICTURES, NULL);
    for (i = 0; i < sizeof names / sizeof names[0]; ++i) {
        HANDLE file;
        snprintf(path, sizeof path, "%s\\%s", PICTURES, names[i]);
        /* Empty files will do: the library names files, it never opens a picture. */
        file = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
}

/* ---- Flow 1: choosing a picture to open (RemoteDlg95) -------------------------------------- */

static int ChoosePicture(void) {
    int result;
    printf("Flow 1: choosing a picture with RemoteDlg95\n");
    WriteKey(MORVEL_KEY_WIN95TMP, EXCHANGE_FILE); /* every Explorer window needs it */
    WriteKey(MORVEL_KEY_LASTDIR, PICTURES);       /* optional: the folder to start in */
    /* Kind 252 ("Replace Slide"): one existing file of any validated type. Returns when the
     * dialog closes; our windows are disabled meanwhile. */
    result = RemoteDlg95(MORVEL_KIND_REPLACE_SLIDE, 0);
    printf("  RemoteDlg95(%d, 0) returned %d\n", MORVEL_KIND_REPLACE_SLIDE, result);
    if (result == MORVEL_DLG_CANCELLED) {
        printf("  cancelled: only LastDir was written\n");
        ShowKey(MORVEL_KEY_LASTDIR);
        return result;
    }
    ShowKey(MORVEL_KEY_SAVENAME); /* the chosen file, short (8.3) path */
    ShowKey(MORVEL_KEY_LONGNAME); /* its name as the dialog showed it */
    ShowKey(MORVEL_KEY_LASTDIR);  /* the folder, short form, for the next dialog */
    /* The name as stored on disk: ShortToLongName95 reads SaveName and rewrites LongName. */
    ShortToLongName95();
    printf("  after ShortToLongName95:\n");
    ShowKey(MORVEL_KEY_LONGNAME);
    return result;
}

/* ---- Flow 2: the modeless Explorer beside this window -------------------------------------- */

static void OpenExplorer(HWND host) {
    char lastDir[1024];
    printf("Flow 2: the Explorer beside the host window\n");
    WriteKey(MORVEL_KEY_WIN95TMP, EXCHANGE_FILE);
    /* It opens where it was last closed; the first time, in our pictures. */
    ReadKey(MORVEL_KEY_LASTDIR, lastDir, sizeof lastDir);
    if (strcmp(lastDir, "(absent)") == 0) WriteKey(MORVEL_KEY_LASTDIR, PICTURES);
    /* Returns at once; the Explorer lives in our message loop and notifies `host`. 1: restore
     * the size and place it had when it last closed (the bWin keys). */
    RemoteWin95((MorvelInt)(INT_PTR)host, 1);
    printf("  RemoteWin95 returned; the Explorer stays open\n");
}

static const char* CodeName(LPARAM code) {
    switch (code) {
        case MORVEL_NOTIFY_INFO: return "Info";
        case MORVEL_NOTIFY_PREVIEW: return "Preview";
        case MORVEL_NOTIFY_DELETE: return "Delete";
        case MORVEL_NOTIFY_SLIDESHOW: return "Slideshow";
        case MORVEL_NOTIFY_CONVERT: return "Convert";
        case MORVEL_NOTIFY_OPEN: return "Open";
        case MORVEL_NOTIFY_OPEN_MULTIPLE: return "OpenMultiple";
        default: return "unknown";
    }
}

/* Message 2321, sent by the Explorer: everything it names is on disk when it arrives. */
static void OnNotify(HWND host, LPARAM code) {
    char file[1024];
    printf("notification %ld (%s)\n", (long)code, CodeName(code));
    switch (code) {
        case MORVEL_NOTIFY_OPEN:
        case MORVEL_NOTIFY_INFO:
        case MORVEL_NOTIFY_PREVIEW:
            ShowKey(MORVEL_KEY_WIN95FILE);
            ShowKey(MORVEL_KEY_LONGNAME);
            break;
        case MORVEL_NOTIFY_DELETE:
            ReadKey(MORVEL_KEY_WIN95FILE, file, sizeof file);
            /* The Explorer does not ask: deleting, and asking first, is the host's part. */
            if (MessageBoxA(host, file, "Delete this file?", MB_YESNO | MB_ICONQUESTION) == IDYES) {
                printf("  host deletes %s: %s\n", file, DeleteFileA(file) ? "done" : "failed");
                /* The Explorer lists its folder again once this handler has returned. */
                PostMessageA(host, WM_APP_RELIST, 0, 0);
            }
            break;
        case MORVEL_NOTIFY_OPEN_MULTIPLE:
        case MORVEL_NOTIFY_CONVERT:
        case MORVEL_NOTIFY_SLIDESHOW:
            ShowFile(EXCHANGE_FILE);
            break;
        default:
            break;
    }
}

static void CloseExplorer(void) {
    /* Closes the window now (nothing happens when none is open) and records its folder and
     * geometry for the next RemoteWin95. */
    RemoteWinClose95();
    printf("RemoteWinClose95 returned\n");
    ShowKey(MORVEL_KEY_LASTDIR);
    ShowKey(MORVEL_KEY_BWINL);
    ShowKey(MORVEL_KEY_BWINT);
    ShowKey(MORVEL_KEY_BWINW);
    ShowKey(MORVEL_KEY_BWINH);
}

/* ---- Flow 3: editing a slideshow and testing it (EditorWin95) ------------------------------ */

static void EditSlideshow(void) {
    char slideshow[MAX_PATH] = "*"; /* "*": the editor starts with a new slideshow */
    int result;
    printf("Flow 3: editing a slideshow and testing it\n");
    WriteKey(MORVEL_KEY_WIN95TMP, EXCHANGE_FILE); /* the editor's Explorer dialogs need it */
    WriteKey(MORVEL_KEY_AVLTMP, TEST_SHOW);
    for (;;) {
        WriteKey(MORVEL_KEY_AVLFIL, slideshow);
        /* Modal: returns when the editor closes. The user saves with the editor's own "Save". */
        result = EditorWin95();
        printf("  EditorWin95() returned %d\n", result);
        if (result != -1) return;
        /* -1: closed by "Test"; the slideshow to try out is in the AVLTMP file. */
        ShowFile(TEST_SHOW);
        if (MessageBoxA(NULL, "The host plays " TEST_SHOW " here.\n\nGo on editing it?", "minimal_host",
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return;
        }
        /* The editor starts again on the test file, where the user left off. */
        lstrcpynA(slideshow, TEST_SHOW, sizeof slideshow);
    }
}

/* ---- Flow 4: playing a clip and polling the player ----------------------------------------- */

static void PlayClip(HWND host) {
    char clip[1024];
    int result;
    printf("Flow 4: playing a clip\n");
    /* Any way of naming the clip will do; here the user picks it in the Explorer dialog. */
    WriteKey(MORVEL_KEY_WIN95TMP, EXCHANGE_FILE);
    if (RemoteDlg95(MORVEL_KIND_REPLACE_SLIDE, 0) == MORVEL_DLG_CANCELLED) return;
    ReadKey(MORVEL_KEY_SAVENAME, clip, sizeof clip);
    WriteKey(MORVEL_KEY_SAVENAME, clip); /* the key the player reads */
    /* Play mode 0, option 0. Returns once the window is shown (1), or 0 when the clip did not
     * open: the user has then seen the device's error and no window remains. */
    result = VideoWinPlayer95(0, 0);
    printf("  VideoWinPlayer95(0, 0) returned %d\n", result);
    if (result != 1) return;
    /* The player tells nothing by itself: poll it. */
    lastPlayerStatus = -1;
    SetTimer(host, PLAYER_POLL, 250, NULL);
}

static void PollPlayer(HWND host) {
    const int status = VideoWinStatus95(); /* returns at once */
    if (status != lastPlayerStatus) {
        printf("  VideoWinStatus95() = %d: %s, play mode %d\n", status,
               (status & 0x100) ? "window open" : "window closed", status & 0xFF);
        lastPlayerStatus = status;
    }
    if ((status & 0x100) == 0) KillTimer(host, PLAYER_POLL);
}

static void ClosePlayer(void) {
    /* The status drops to 256 at once; the window goes at its next status tick. */
    VideoWinClose95();
    printf("VideoWinClose95 returned\n");
}

/* ---- The window ---------------------------------------------------------------------------- */

/* The library's modeless windows go before the host does (and before any FreeLibrary). */
static void CloseLibraryWindows(void) {
    RemoteWinClose95();
    if (VideoWinStatus95() & 0x100) {
        VideoWinClose95();
        VideoWinClose95(); /* a second request closes the window at once */
    }
}

static void OnMenu(HWND host, int id) {
    switch (id) {
        case ID_CHOOSE_PICTURE: ChoosePicture(); break;
        case ID_EXPLORER_OPEN: OpenExplorer(host); break;
        case ID_EXPLORER_UPDATE: RemoteWinUpdate95(); break;
        case ID_EXPLORER_CLOSE: CloseExplorer(); break;
        case ID_EDIT_SLIDESHOW: EditSlideshow(); break;
        case ID_PLAY_CLIP: PlayClip(host); break;
        case ID_PLAYER_CLOSE: ClosePlayer(); break;
        case ID_EXIT: PostMessageA(host, WM_CLOSE, 0, 0); break;
        default: break;
    }
}

static LRESULT CALLBACK HostProc(HWND host, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case MORVEL_WM_NOTIFY:
            OnNotify(host, lParam);
            return 0;
        case WM_APP_RELIST:
            RemoteWinUpdate95();
            return 0;
        case WM_COMMAND:
            OnMenu(host, LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == PLAYER_POLL) PollPlayer(host);
            return 0;
        case WM_CLOSE:
            CloseLibraryWindows();
            DestroyWindow(host);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(host, message, wParam, lParam);
    }
}

static HWND CreateHostWindow(void) {
    WNDCLASSA windowClass;
    HMENU bar = CreateMenu();
    HMENU flows = CreatePopupMenu();
    HWND host;
    AppendMenuA(flows, MF_STRING, ID_CHOOSE_PICTURE, "&1 Choose a picture...");
    AppendMenuA(flows, MF_SEPARATOR, 0, NULL);
    AppendMenuA(flows, MF_STRING, ID_EXPLORER_OPEN, "&2 Open the Explorer");
    AppendMenuA(flows, MF_STRING, ID_EXPLORER_UPDATE, "   &Refresh the Explorer");
    AppendMenuA(flows, MF_STRING, ID_EXPLORER_CLOSE, "   Close the E&xplorer");
    AppendMenuA(flows, MF_SEPARATOR, 0, NULL);
    AppendMenuA(flows, MF_STRING, ID_EDIT_SLIDESHOW, "&3 Edit a slideshow...");
    AppendMenuA(flows, MF_SEPARATOR, 0, NULL);
    AppendMenuA(flows, MF_STRING, ID_PLAY_CLIP, "&4 Play a clip...");
    AppendMenuA(flows, MF_STRING, ID_PLAYER_CLOSE, "   &Close the player");
    AppendMenuA(flows, MF_SEPARATOR, 0, NULL);
    AppendMenuA(flows, MF_STRING, ID_EXIT, "E&xit");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)flows, "&Flows");

    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = "MinimalHost";
    RegisterClassA(&windowClass);
    host = CreateWindowA("MinimalHost", "Minimal host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 320,
                         NULL, bar, windowClass.hInstance, NULL);
    ShowWindow(host, SW_SHOWNORMAL);
    UpdateWindow(host);
    return host;
}

/* ---- Scripted mode: a second thread plays the user of flow 1 ------------------------------- */

/* What a test tool finds in the dialog before the user acts: the file list is a standard list
 * box, owner-drawn, holding its entries' texts; the first entry is current and marked, its name
 * is in the name field, and the focus (read from another thread) is in the list. */
static void DescribeStart(HWND dialog, HWND list) {
    char className[64], current[MAX_PATH] = "", field[MAX_PATH] = "";
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    const LRESULT caret = SendMessageA(list, LB_GETCARETINDEX, 0, 0);
    GUITHREADINFO gui;
    gui.cbSize = sizeof gui;
    GetClassNameA(list, className, sizeof className);
    printf("  file list: class %s%s%s%s\n", className, (style & LBS_OWNERDRAWFIXED) ? ", owner-drawn" : "",
           (style & LBS_HASSTRINGS) ? ", with strings" : "", (style & LBS_EXTENDEDSEL) ? ", extended selection" : "");
    if (caret >= 0 && SendMessageA(list, LB_GETTEXTLEN, (WPARAM)caret, 0) < MAX_PATH) {
        SendMessageA(list, LB_GETTEXT, (WPARAM)caret, (LPARAM)current);
    }
    GetWindowTextA(GetDlgItem(dialog, MORVEL_ID_NAME_FIELD), field, sizeof field);
    printf("  the dialog starts on entry %d \"%s\"%s, name field \"%s\", focus %s\n", (int)caret, current,
           SendMessageA(list, LB_GETSEL, (WPARAM)caret, 0) > 0 ? " (marked)" : "", field,
           GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &gui) && gui.hwndFocus == list ? "in the file list"
                                                                                                 : "elsewhere");
}

/* Works the dialog the way a user does: picks the picture in the file list, then presses
 * "&Open". The dialog runs on the main thread, inside RemoteDlg95. */
static DWORD WINAPI ScriptedUser(LPVOID unused) {
    HWND dialog = NULL;
    HWND list = NULL;
    LRESULT entry = LB_ERR;
    int waited;
    (void)unused;
    for (waited = 0; waited < 10000 && dialog == NULL; waited += 50) {
        dialog = FindWindowA("TFileForm", "Replace Slide");
        if (dialog == NULL) Sleep(50);
    }
    if (dialog == NULL) {
        printf("scripted user: no dialog\n");
        return 1;
    }
    /* The dialog has listed its folder once it is visible and its list is enabled and shows the
     * file. The list is looked up by its ID each time: the dialog may replace the box while it
     * sets itself up. */
    for (waited = 0; waited < 10000; waited += 50) {
        list = GetDlgItem(dialog, MORVEL_ID_FILE_LIST);
        entry = SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)SCRIPTED_PICK);
        if (IsWindowVisible(dialog) && IsWindowEnabled(list) && entry != LB_ERR) break;
        Sleep(50);
    }
    DescribeStart(dialog, list);
    if (entry == LB_ERR) {
        printf("scripted user: %s is not listed\n", SCRIPTED_PICK);
        PostMessageA(dialog, WM_CLOSE, 0, 0); /* RemoteDlg95 then returns -1 */
        return 1;
    }
    SendMessageA(list, LB_SETCURSEL, (WPARAM)entry, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(MORVEL_ID_FILE_LIST, LBN_SELCHANGE), (LPARAM)list);
    PostMessageA(GetDlgItem(dialog, MORVEL_ID_OK_BUTTON), BM_CLICK, 0, 0);
    return 0;
}

int main(int argc, char** argv) {
    const int scripted = argc > 1 && strcmp(argv[1], "--scripted") == 0;
    HWND host;
    MSG msg;
    setvbuf(stdout, NULL, _IONBF, 0); /* each line as it happens */
    MakeSampleFiles();
    host = CreateHostWindow();
    if (scripted) {
        HANDLE user = CreateThread(NULL, 0, ScriptedUser, NULL, 0, NULL);
        const int result = ChoosePicture();
        WaitForSingleObject(user, INFINITE);
        CloseHandle(user);
        DestroyWindow(host);
        return result == 0 ? 0 : 1;
    }
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

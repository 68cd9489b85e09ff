#include "tour.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "morvel32.h"
#include "screenshot.h"
#include "support/avi_writer.h"
#include "support/win/ui_driver_core.h"

namespace host {

namespace {

namespace driver = morvel::driver;

// Lets the windows paint and the library's windows settle.
void Settle(DWORD ms = 300) {
    driver::PumpFor(driver::Millis(ms));
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
        if (const ExportInfo* item = window_.Find(name); item != nullptr && window_.Has(name)) {
            window_.Call(*item);
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

    // The player opens a generated clip, plays it, and is shot mid-clip; the host polls its status
    // and closes it.
    void Player() {
        if (!window_.Has("VideoWinPlayer95")) {
            window_.Log("VideoWinPlayer95: not in this DLL, step skipped");
            return;
        }
        CreateDirectoryA("C:\\morvel-tour", nullptr);
        const std::string clip = "C:\\morvel-tour\\Lake at Sunset.avi";
        morvel::test::AviClip item;
        item.width = 160;
        item.height = 120;
        item.frames = 90;
        item.framesPerSecond = 15;
        if (!morvel::test::WriteAvi(clip, item)) window_.Log("tour: cannot write " + clip);
        window_.SetField(kFieldSaveName, clip);
        window_.SetField(kFieldKind, "0");
        window_.SetField(kFieldFlag, "0");
        Call("VideoWinPlayer95");
        HWND player = FindWindowA("TVideoForm", nullptr);
        HWND bar = player ? driver::Descendant(player, MORVEL_ID_MEDIAPLAYER1).value : nullptr;
        if (bar == nullptr) {
            window_.Log("tour: no player window");
            return;
        }
        window_.Log("tour: pressing Play");
        SendMessageA(bar, MORVEL_WM_MEDIABUTTON, MORVEL_MEDIA_PLAY, 0);
        Settle(2000);
        Shot("player-mid-clip");
        Call("VideoWinStatus95");
        // A close request is taken at the player's next tick.
        for (int attempt = 0; attempt < 3 && FindWindowA("TVideoForm", nullptr) != nullptr; ++attempt) {
            Call("VideoWinClose95");
            Settle(600);
        }
        Call("VideoWinStatus95");
    }

    // A folder worth browsing: slideshows, pictures, clips and a subfolder.
    std::string PrepareFolder() {
        const std::string dir = "C:\\morvel-tour\\Holiday Pictures 1996";
        CreateDirectoryA("C:\\morvel-tour", nullptr);
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA((dir + "\\Beach").c_str(), nullptr);
        CreateDirectoryA("C:\\morvel-host", nullptr);  // the exchange file's folder
        for (const char* name : {"Summer at the Lake.avl", "Winter.avl", "Dunes.bmp", "Harbour.bmp", "Lighthouse.tga",
                                 "Sunset.jpg", "Boat Trip.avi", "Seagulls.wav"}) {
            const std::string file = dir + "\\" + name;
            HANDLE h =
                CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
        return dir;
    }

    // The modeless Explorer beside the host, then closed by the host.
    void ModelessExplorer(const std::string& folder) {
        if (!window_.Has("RemoteWin95")) {
            window_.Log("RemoteWin95: not in this DLL, step skipped");
            return;
        }
        WriteKey(MORVEL_KEY_LASTDIR, folder);
        window_.Log("host writes LastDir = " + folder);
        window_.SetField(kFieldFlag, "0");
        Call("RemoteWin95");
        Shot("modeless-explorer");
        Call("RemoteWinClose95");
    }

    // The "Open Slideshow" dialog: shown, shot, and cancelled from a second thread while the
    // dialog's modal loop runs on this one.
    void OpenSlideshowDialog() {
        if (!window_.Has("RemoteDlg95")) {
            window_.Log("RemoteDlg95: not in this DLL, step skipped");
            return;
        }
        window_.SetField(kFieldKind, "254");
        window_.SetField(kFieldFlag, "0");
        std::string problem;
        const driver::Outcome run =
            driver::DriveModal([&] { Call("RemoteDlg95"); },
                               [&] {
                                   const auto dialog = driver::WaitForWindow("Open Slideshow");
                                   if (!dialog) {
                                       problem = dialog.problem;
                                       return;
                                   }
                                   Sleep(1200);
                                   ShotFromDriver("open-slideshow-dialog");
                                   const auto exit = driver::Control(dialog.value, MORVEL_ID_BTNEXIT);
                                   problem = exit ? driver::Click(exit.value).problem : exit.problem;
                               });
        if (!problem.empty()) window_.Log("tour: " + problem);
        if (!run) window_.Log("tour: " + run.problem);
    }

    // The Slideshow Editor on a prepared slideshow: two slides are added through the Explorer,
    // the first slide gets an effect by the keyboard, and "&Test" hands the slideshow to the host
    // in the test file, which the host shows.
    void Editor(const std::string& folder) {
        if (!window_.Has("EditorWin95")) {
            window_.Log("EditorWin95: not in this DLL, step skipped");
            return;
        }
        char shortFolder[MAX_PATH + 1] = {};
        GetShortPathNameA(folder.c_str(), shortFolder, MAX_PATH);
        const std::string show = "C:\\morvel-host\\tour.avl";
        char shortClip[MAX_PATH + 1] = {};
        GetShortPathNameA((folder + "\\Boat Trip.avi").c_str(), shortClip, MAX_PATH);
        const std::string clip = shortClip;
        const std::string content = std::string("[Header]\r\nVer=4\r\nN=3\r\n[Directory]\r\n0=") + shortFolder +
                                    "\\\r\n[1]\r\nF=dunes.bmp,0\r\nB=0\r\nX=0\r\n[2]\r\nF=" +
                                    clip.substr(clip.rfind('\\') + 1) + ",0\r\nX=0\r\n";
        HANDLE h = CreateFileA(show.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            CloseHandle(h);
        }
        WriteKey(MORVEL_KEY_LASTDIR, folder);
        window_.SetField(kFieldAvlFil, show);
        window_.SetField(kFieldAvlTmp, "C:\\morvel-host\\test.avl");
        DeleteFileA("C:\\morvel-host\\test.avl");
        struct Driver {
            Tour* tour;
            static HWND WaitFor(const char* cls, const char* caption) {
                HWND w = nullptr;
                for (int i = 0; i < 200 && (w == nullptr || !IsWindowVisible(w)); ++i) {
                    Sleep(50);
                    w = FindWindowA(cls, caption);
                }
                return w;
            }
            static void Keys(std::initializer_list<WORD> keys) {
                for (const WORD vk : keys) {
                    INPUT input[2] = {};
                    input[0].type = input[1].type = INPUT_KEYBOARD;
                    input[0].ki.wVk = input[1].ki.wVk = vk;
                    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
                    SendInput(2, input, sizeof(INPUT));
                    Sleep(60);
                }
            }
            static DWORD WINAPI Run(LPVOID param) {
                auto* self = static_cast<Driver*>(param);
                HWND editor = WaitFor("TEditorForm", nullptr);
                if (editor == nullptr) return 1;
                Sleep(800);
                self->tour->ShotFromDriver("editor-prepared-slideshow");
                PostMessageA(GetDlgItem(editor, MORVEL_ID_BTNADD), BM_CLICK, 0, 0);
                HWND add = WaitFor(nullptr, "Add Multiple Slides");
                if (add == nullptr) return 1;
                HWND list = GetDlgItem(add, MORVEL_ID_XFILES);
                for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) < 2; ++i) Sleep(50);
                const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
                for (int i = 0; i < count; ++i) {
                    char text[MAX_PATH] = {};
                    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                    if (lstrcmpiA(text, "harbour.bmp") == 0 || lstrcmpiA(text, "seagulls.wav") == 0) {
                        SendMessageA(list, LB_SETSEL, TRUE, i);
                    }
                }
                SendMessageA(add, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
                Sleep(800);
                self->tour->ShotFromDriver("editor-add-slides-dialog");
                PostMessageA(GetDlgItem(add, MORVEL_ID_BTNOK), BM_CLICK, 0, 0);
                HWND grid = GetDlgItem(editor, MORVEL_ID_GRID);
                for (int i = 0; i < 200 && !(IsWindowEnabled(editor) && SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0) == 4);
                     ++i) {
                    Sleep(50);
                }
                Sleep(300);
                // A click on the Effect cell of slide 1 selects it; Enter opens its menu, with the
                // pointer out of the menu's way.
                SetForegroundWindow(editor);
                RECT cell{};
                cell.top = 6;  // the Effect column
                cell.left = LVIR_BOUNDS;
                SendMessageA(grid, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
                POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
                ClientToScreen(grid, &at);
                SetCursorPos(at.x, at.y);
                INPUT click[2] = {};
                click[0].type = click[1].type = INPUT_MOUSE;
                click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                SendInput(2, click, sizeof(INPUT));
                char path[MAX_PATH] = {};
                for (int i = 0; i < 100; ++i) {
                    GetWindowTextA(GetDlgItem(editor, MORVEL_ID_FULLNAME), path, sizeof path);
                    if (std::string(path).find("dunes.bmp") != std::string::npos) break;
                    Sleep(50);
                }
                self->tour->Note("tour: clicked at " + std::to_string(at.x) + "," + std::to_string(at.y) +
                                 (GetForegroundWindow() == editor ? " (editor in front)" : " (editor not in front)") +
                                 ", path panel: " + path);
                SetCursorPos(0, 0);
                Keys({VK_RETURN});
                Sleep(600);
                self->tour->ShotFromDriver("editor-effect-menu");
                Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
                Sleep(600);
                self->tour->ShotFromDriver("editor-effect-set");
                PostMessageA(GetDlgItem(editor, MORVEL_ID_BTNTEST), BM_CLICK, 0, 0);
                // Should a step have gone astray, every window the editor opened is dismissed, so
                // that the tour goes on.
                for (int i = 0; i < 40 && IsWindow(editor); ++i) {
                    Sleep(500);
                    if (i < 10 || !IsWindow(editor)) continue;
                    if (HWND dialog = FindWindowA("TFileForm", nullptr)) {
                        PostMessageA(GetDlgItem(dialog, MORVEL_ID_BTNEXIT), BM_CLICK, 0, 0);
                    } else if (HWND box = FindWindowA("#32770", nullptr)) {
                        PostMessageA(box, WM_COMMAND, IDYES, 0);
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                    } else {
                        PostMessageA(GetDlgItem(editor, MORVEL_ID_BTNQUIT), BM_CLICK, 0, 0);
                    }
                }
                return 0;
            }
        } driver{this};
        HANDLE thread = CreateThread(nullptr, 0, &Driver::Run, &driver, 0, nullptr);
        Call("EditorWin95");
        if (thread != nullptr) {
            WaitForSingleObject(thread, 30000);
            CloseHandle(thread);
        }
        FlushDriverLog();
        window_.ShowFile("C:\\morvel-host\\test.avl");
        Shot("editor-test-file");
    }

    // A 24-bit "Save File" dialog: its JPEG button opens "Compression Setting", a new luminance
    // value is confirmed there, and the save dialog is cancelled; the host then shows the four
    // compression keys the button wrote.
    void CompressionSettings() {
        if (!window_.Has("RemoteDlg95")) return;
        window_.SetField(kFieldKind, "24");
        window_.SetField(kFieldFlag, "0");
        struct Driver {
            Tour* tour;
            static HWND WaitFor(const char* caption) {
                HWND found = nullptr;
                for (int i = 0; i < 200 && (found == nullptr || !IsWindowVisible(found)); ++i) {
                    Sleep(50);
                    found = FindWindowA(nullptr, caption);
                }
                return found;
            }
            static DWORD WINAPI Run(LPVOID param) {
                auto* self = static_cast<Driver*>(param);
                HWND save = WaitFor("Save File");
                if (save == nullptr) return 1;
                Sleep(800);
                PostMessageA(GetDlgItem(save, MORVEL_ID_BTNJPEG), BM_CLICK, 0, 0);
                if (HWND settings = WaitFor("Compression Setting")) {
                    SendMessageA(GetDlgItem(settings, MORVEL_ID_LUMAEDIT), WM_SETTEXT, 0,
                                 reinterpret_cast<LPARAM>("40"));
                    Sleep(600);
                    self->tour->ShotFromDriver("compression-setting");
                    PostMessageA(GetDlgItem(settings, MORVEL_ID_COMPRESS_BTNOK), BM_CLICK, 0, 0);
                    for (int i = 0; i < 100 && IsWindow(settings) && IsWindowVisible(settings); ++i) Sleep(50);
                }
                PostMessageA(GetDlgItem(save, MORVEL_ID_BTNEXIT), BM_CLICK, 0, 0);
                return 0;
            }
        } driver{this};
        HANDLE thread = CreateThread(nullptr, 0, &Driver::Run, &driver, 0, nullptr);
        Call("RemoteDlg95");
        if (thread != nullptr) {
            WaitForSingleObject(thread, 15000);
            CloseHandle(thread);
        }
    }

    // A screenshot taken while another thread's modal loop keeps the windows painted.
    void ShotFromDriver(const std::string& name) {
        const std::string path = folder_ + "\\" + std::to_string(++shots_) + "-" + name + ".bmp";
        pendingLog_ += (pendingLog_.empty() ? "" : "\n") +
                       (SaveScreenshot(path) ? "screenshot " + path : "screenshot failed: " + path);
    }
    void Note(const std::string& line) { pendingLog_ += (pendingLog_.empty() ? "" : "\n") + line; }
    void FlushDriverLog() {
        std::size_t start = 0;
        while (start < pendingLog_.size()) {
            const std::size_t end = pendingLog_.find('\n', start);
            window_.Log(pendingLog_.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        pendingLog_.clear();
    }

private:
    std::string pendingLog_;
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
    const std::string pictures = tour.PrepareFolder();
    tour.ModelessExplorer(pictures);
    tour.OpenSlideshowDialog();
    tour.FlushDriverLog();
    tour.CompressionSettings();
    tour.FlushDriverLog();
    tour.Editor(pictures);
    tour.Player();
    window.Log("tour: done");
    DestroyWindow(window.handle());
    return 0;
}

}  // namespace host

#include "tour.h"

#include <commctrl.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "morvel32.h"
#include "screenshot.h"
#include "support/avi_writer.h"
#include "support/win/ui_driver_core.h"

namespace host {

namespace {

namespace driver = morvel::driver;
using driver::Millis;

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// Whether every shown window of this process, and every control in it, has painted what it has
// to: a screenshot then shows what a person sees.
bool Painted() {
    for (HWND window : driver::ProcessWindows()) {
        if (!IsWindowVisible(window)) continue;
        if (GetUpdateRect(window, nullptr, FALSE)) return false;
        bool found = false;
        EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&found));
        if (found) return false;
    }
    return true;
}

// A shown window of this process with the class (menus and Explorer dialogs have no fixed caption).
HWND ShownWindowOfClass(const std::string& className) {
    for (HWND window : driver::ProcessWindows()) {
        if (IsWindowVisible(window) && driver::ClassOf(window) == className) return window;
    }
    return nullptr;
}

// Real key presses, to the window with the keyboard focus; the input queue keeps their order.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (const WORD vk : keys) {
        for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = vk;
            key.ki.dwFlags = flags;
            input.push_back(key);
        }
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Puts the pointer there. The first move of a run may be refused (the pointer stays where it
// was), so the move is asked for until the pointer is there.
bool MovePointer(POINT at) {
    return driver::WaitUntil(
        [&] {
            SetCursorPos(at.x, at.y);
            POINT now{};
            return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
        },
        Millis(3000));
}

// A left click with the pointer put there first.
void LeftClickAt(POINT at) {
    MovePointer(at);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

int ItemCount(HWND grid) {
    return static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0));
}

std::string CellText(HWND grid, int item, int column) {
    char text[MAX_PATH] = {};
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    SendMessageA(grid, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
    return text;
}

// Whether an Explorer window has set itself up: its file list is enabled and holds entries.
bool Listed(HWND explorer) {
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    return list != nullptr && IsWindowEnabled(list) && SendMessageA(list, LB_GETCOUNT, 0, 0) > 0;
}

int ListIndexOf(HWND list, const char* name) {
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = {};
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= MAX_PATH) continue;
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        if (lstrcmpiA(text, name) == 0) return i;
    }
    return -1;
}

void WriteFileText(const std::string& path, const std::string& content) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
}

class Tour {
public:
    Tour(HostWindow& window, std::string folder) : window_(window), folder_(std::move(folder)) {}

    void Shot(const std::string& name) { window_.Log(TakeShot(name)); }

    void Call(const char* name) {
        if (const ExportInfo* item = window_.Find(name); item != nullptr && window_.Has(name)) {
            window_.Call(*item);
        } else {
            window_.Log(std::string(name) + ": not in this DLL, step skipped");
        }
    }

    // ShortToLongName95 turns the 8.3 name of a file whose long name has spaces into that long name.
    void ShortToLong() {
        const std::string dir = "C:\\morvel-tour\\Holiday Pictures 1996";
        CreateDirectoryA("C:\\morvel-tour", nullptr);
        CreateDirectoryA(dir.c_str(), nullptr);
        const std::string file = dir + "\\Summer at the Lake.avl";
        WriteFileText(file, "");
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
        HWND player = ShownWindowOfClass("TVideoForm");
        HWND bar = player ? driver::Descendant(player, MORVEL_ID_MEDIAPLAYER1).value : nullptr;
        HWND seek = player ? driver::Descendant(player, MORVEL_ID_XSCROLLBAR1).value : nullptr;
        if (bar == nullptr || seek == nullptr) {
            window_.Log("tour: no player window");
            return;
        }
        window_.Log("tour: pressing Play");
        SendMessageA(bar, MORVEL_WM_MEDIABUTTON, MORVEL_MEDIA_PLAY, 0);
        // Mid-clip: the seek bar, one step per frame, a third of the way in.
        if (!driver::WaitUntil([&] { return GetScrollPos(seek, SB_CTL) >= item.frames / 3; })) {
            window_.Log("tour: the clip did not reach its middle");
        }
        Shot("player-mid-clip");
        Call("VideoWinStatus95");
        // A close request is taken at the player's next tick.
        for (int attempt = 0; attempt < 3 && ShownWindowOfClass("TVideoForm") != nullptr; ++attempt) {
            Call("VideoWinClose95");
            driver::WaitUntil([] { return ShownWindowOfClass("TVideoForm") == nullptr; }, Millis(3000));
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
            WriteFileText(dir + "\\" + name, "");
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
        if (!driver::WaitUntil([] {
                HWND explorer = ShownWindowOfClass("TFileForm");
                return explorer != nullptr && Listed(explorer);
            })) {
            window_.Log("tour: the modeless Explorer did not list its folder");
        }
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
        Drive([&] { Call("RemoteDlg95"); },
              [&] {
                  const auto dialog = driver::WaitForWindow("Open Slideshow");
                  if (!Check(dialog.ok(), dialog.problem)) return;
                  Check(driver::WaitUntil([&] { return Listed(dialog.value); }), "the dialog did not list its folder");
                  ShotFromDriver("open-slideshow-dialog");
                  Check(driver::Click(GetDlgItem(dialog.value, MORVEL_ID_BTNEXIT)));
              });
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
        WriteFileText(show, std::string("[Header]\r\nVer=4\r\nN=3\r\n[Directory]\r\n0=") + shortFolder +
                                "\\\r\n[1]\r\nF=dunes.bmp,0\r\nB=0\r\nX=0\r\n[2]\r\nF=" +
                                clip.substr(clip.rfind('\\') + 1) + ",0\r\nX=0\r\n");
        WriteKey(MORVEL_KEY_LASTDIR, folder);
        window_.SetField(kFieldAvlFil, show);
        window_.SetField(kFieldAvlTmp, "C:\\morvel-host\\test.avl");
        DeleteFileA("C:\\morvel-host\\test.avl");
        Drive([&] { Call("EditorWin95"); }, [&] { DriveEditor(); });
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
        Drive([&] { Call("RemoteDlg95"); },
              [&] {
                  const auto save = driver::WaitForWindow("Save File");
                  if (!Check(save.ok(), save.problem)) return;
                  // The list is made anew for some kinds: it is looked up each time.
                  Check(
                      driver::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(save.value, MORVEL_ID_XFILES)) != 0; }),
                      "the save dialog stayed busy");
                  Check(driver::Click(GetDlgItem(save.value, MORVEL_ID_BTNJPEG)));
                  const auto settings = driver::WaitForWindow("Compression Setting");
                  if (Check(settings.ok(), settings.problem)) {
                      Check(driver::SetText(GetDlgItem(settings.value, MORVEL_ID_LUMAEDIT), "40"));
                      ShotFromDriver("compression-setting");
                      Check(driver::Click(GetDlgItem(settings.value, MORVEL_ID_COMPRESS_BTNOK)));
                      Check(driver::WaitForWindowGone("Compression Setting"), "\"Compression Setting\" stayed open");
                  }
                  Check(driver::Click(GetDlgItem(save.value, MORVEL_ID_BTNEXIT)));
              });
    }

private:
    // Runs a modal call on this thread and its driver on a second one; the driver's notes and any
    // problem of the run are logged afterwards.
    void Drive(const std::function<void()>& modal, const std::function<void()>& steps) {
        const driver::Outcome run = driver::DriveModal(modal, steps);
        FlushDriverLog();
        if (!run) window_.Log("tour: " + run.problem);
    }

    // The editor's steps, on the driver's thread. A step that goes astray is noted, and the
    // editor is closed so that the tour goes on.
    void DriveEditor() {
        const auto found = driver::WaitForWindow("Slideshow Editor", "TEditorForm");
        if (!Check(found.ok(), found.problem)) return;
        const HWND editor = found.value;
        const HWND grid = GetDlgItem(editor, MORVEL_ID_GRID);
        if (!Check(driver::WaitUntil([&] { return ItemCount(grid) == 2; }), "the host's slideshow was not shown")) {
            return CloseEditor(editor);
        }
        ShotFromDriver("editor-prepared-slideshow");

        Check(driver::Click(GetDlgItem(editor, MORVEL_ID_BTNADD)));
        const auto add = driver::WaitForWindow("Add Multiple Slides");
        if (!Check(add.ok(), add.problem)) return CloseEditor(editor);
        // The dialog makes its list anew for several files: it is looked up each time.
        HWND list = nullptr;
        if (!Check(driver::WaitUntil([&] {
                       list = GetDlgItem(add.value, MORVEL_ID_XFILES);
                       return IsWindowEnabled(list) && ListIndexOf(list, "harbour.bmp") >= 0 &&
                              ListIndexOf(list, "seagulls.wav") >= 0;
                   }),
                   "the Explorer did not list the pictures")) {
            return CloseEditor(editor);
        }
        for (const char* name : {"harbour.bmp", "seagulls.wav"}) {
            SendMessageA(list, LB_SETSEL, TRUE, ListIndexOf(list, name));
        }
        SendMessageA(add.value, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        ShotFromDriver("editor-add-slides-dialog");
        Check(driver::Click(GetDlgItem(add.value, MORVEL_ID_BTNOK)));
        if (!Check(driver::WaitUntil([&] {
                       return !IsWindow(add.value) && IsWindowEnabled(editor) && ItemCount(grid) == 4 &&
                              GetForegroundWindow() == editor;
                   }),
                   "the slides were not added")) {
            return CloseEditor(editor);
        }

        // A click on the Effect cell of slide 1 selects it; Enter opens its menu, with the
        // pointer out of the menu's way.
        RECT cell{};
        cell.top = 6;  // the Effect column
        cell.left = LVIR_BOUNDS;
        SendMessageA(grid, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(grid, &at);
        LeftClickAt(at);
        const HWND path = GetDlgItem(editor, MORVEL_ID_FULLNAME);
        Check(driver::WaitUntil([&] { return driver::TextOf(path).find("dunes.bmp") != std::string::npos; }),
              "the click did not select slide 1");
        Note("tour: clicked at " + std::to_string(at.x) + "," + std::to_string(at.y) +
             ", path panel: " + driver::TextOf(path));
        MovePointer({0, 0});
        PressKeys({VK_RETURN});
        if (!Check(driver::WaitUntil([] { return ShownWindowOfClass("#32768") != nullptr; }), "no effect menu")) {
            return CloseEditor(editor);
        }
        ShotFromDriver("editor-effect-menu");
        PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
        if (Check(driver::WaitUntil([&] { return CellText(grid, 0, 6) != "none"; }), "the effect was not set")) {
            Note("tour: slide 1 has the effect " + CellText(grid, 0, 6));
        }
        ShotFromDriver("editor-effect-set");

        Check(driver::Click(GetDlgItem(editor, MORVEL_ID_BTNTEST)));
        if (!Check(driver::WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }),
                   "\"&Test\" did not close the editor")) {
            CloseEditor(editor);
        }
    }

    // Closes what a step that went astray left open: a message box is answered (Yes to discard),
    // an Explorer dialog cancelled, else the editor's "&Close" pressed; each time until the
    // editor is gone or nothing more happens.
    void CloseEditor(HWND editor) {
        const auto gone = [&] { return !IsWindow(editor) || !IsWindowVisible(editor); };
        for (int attempt = 0; attempt < 6 && !gone(); ++attempt) {
            if (const auto box = driver::WaitForMessageBox(Millis(0))) {
                Note("tour: answering \"" + box.value.text + "\"");
                driver::AnswerMessageBox(box.value, GetDlgItem(box.value.window, IDYES) ? IDYES : IDOK);
            } else if (HWND dialog = ShownWindowOfClass("TFileForm")) {
                driver::Click(GetDlgItem(dialog, MORVEL_ID_BTNEXIT));
            } else {
                driver::Click(GetDlgItem(editor, MORVEL_ID_BTNQUIT));
            }
            driver::WaitUntil([&] { return gone() || driver::WaitForMessageBox(Millis(0)).ok(); }, Millis(3000));
        }
    }

    // Notes a problem of a driver's step; returns whether the step was done.
    bool Check(bool done, const std::string& problem) {
        if (!done) Note("tour: " + problem);
        return done;
    }
    bool Check(const driver::Outcome& outcome) { return Check(outcome.ok(), outcome.problem); }

    // Waits until the windows have painted, then saves the screen; the line to log.
    std::string TakeShot(const std::string& name) {
        const bool painted = driver::WaitUntil(Painted, Millis(3000));
        const std::string path = folder_ + "\\" + std::to_string(++shots_) + "-" + name + ".bmp";
        std::string line = SaveScreenshot(path) ? "screenshot " + path : "screenshot failed: " + path;
        if (!painted) line += " (windows still painting)";
        return line;
    }

    // A screenshot taken while this thread's modal loop, driven from a second thread, keeps the
    // windows painted; its line is logged when the drive ends.
    void ShotFromDriver(const std::string& name) { Note(TakeShot(name)); }
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
    tour.CompressionSettings();
    tour.Editor(pictures);
    tour.Player();
    window.Log("tour: done");
    DestroyWindow(window.handle());
    return 0;
}

}  // namespace host

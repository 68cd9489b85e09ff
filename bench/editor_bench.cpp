// The editor's slideshow file at 10,000 slides:
//  - writing: the store (one pass, one write) on 10,000 slides against the same keys written one
//    by one through WritePrivateProfileStringA on 5,000 slides; the ratio is per slide;
//  - reading: 10,000 slides whose files exist, against the file-system lookups the reading must
//    make (one FindFirstFileA per slide, one GetShortPathNameA per folder);
//  - the editor through EditorWin95 showing that file: time until the grid holds every row;
//  - the same 10,000 slides on the clipboard pasted into an empty editor by Ctrl+V: time from the
//    key to the grid holding every row.
//   editor_bench FOLDER [PROFILE_SLIDES]
// FOLDER holds the 10,000 files made by scripts/bench.sh; PROFILE_SLIDES (default 5000, 0 to
// skip) is the size of the key-by-key run, which takes minutes. Times are wall-clock and, for the
// store, also the thread's processor time, which a loaded machine distorts less.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <string>

#include "common/ini_store.h"
#include "common/win/win_file_system.h"
#include "editor/avl_file.h"
#include "morvel32.h"

namespace {

using namespace morvel;
using Clock = std::chrono::steady_clock;
double Millis(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

// Processor time of the calling thread, user and kernel, in milliseconds.
double ThreadCpuMillis() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// 8.3 names, so that the system's lookups find them directly: Wine answers a mangled short name
// by scanning the whole folder, which at 10,000 entries would measure Wine, not the reader.
std::string FileName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "hs%05d.bmp", i);
    return name;
}

editor::SlideTable MakeTable(const FileSystem& fs, const std::string& folder, int slides) {
    std::vector<editor::Slide> rows;
    rows.reserve(static_cast<std::size_t>(slides));
    for (int i = 0; i < slides; ++i) {
        editor::Slide s;
        s[editor::kColNumber] = std::to_string(i + 1);
        const editor::FileNames names = editor::NamesOfFile(folder + "\\" + FileName(i), fs);
        s[editor::kColPath] = names.path;
        s[editor::kColName] = names.name;
        editor::SetUpKind(s, editor::SlideKind::Graphic);
        if (i % 3 == 0) s[editor::kColWait] = "5";
        rows.push_back(std::move(s));
    }
    editor::SlideTable table;
    table.Assign(std::move(rows));
    return table;
}

// Counts the lookups the reader makes.
class CountingFileSystem final : public FileSystem {
public:
    explicit CountingFileSystem(const FileSystem& inner) : inner_(inner) {}
    std::optional<std::string> FindFirstName(const std::string& p) const override { ++lookups; return inner_.FindFirstName(p); }
    std::string ShortPath(const std::string& p) const override { ++lookups; return inner_.ShortPath(p); }
    bool FolderExists(const std::string& p) const override { ++lookups; return inner_.FolderExists(p); }
    void Search(const std::string& p, const std::function<void(const FoundEntry&)>& v) const override {
        ++lookups;
        inner_.Search(p, v);
    }
    mutable int lookups = 0;

private:
    const FileSystem& inner_;
};

double EditorShowMillis(const std::string& show, int slides) {
    WritePrivateProfileStringA("morvel", "AVLFIL", show.c_str(), "morvel.ini");
    WritePrivateProfileStringA("morvel", "AVLTMP", "c:\\bench-test.avl", "morvel.ini");
    struct Watch {
        int slides;
        Clock::time_point start;
        double shown = -1;
        static DWORD WINAPI Run(LPVOID p) {
            auto* self = static_cast<Watch*>(p);
            for (int i = 0; i < 3000; ++i) {
                HWND editor = FindWindowA("TEditorForm", nullptr);
                HWND grid = editor ? GetDlgItem(editor, MORVEL_ID_GRID) : nullptr;
                if (grid && SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0) == self->slides) {
                    self->shown = Millis(self->start);
                    PostMessageA(GetDlgItem(editor, MORVEL_ID_BTNQUIT), BM_CLICK, 0, 0);
                    return 0;
                }
                Sleep(2);
            }
            return 1;
        }
    } watch{slides, Clock::now()};
    HANDLE thread = CreateThread(nullptr, 0, &Watch::Run, &watch, 0, nullptr);
    EditorWin95();
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return watch.shown;
}

// Puts the text on the clipboard in the editor's own format and as text, as a copy leaves it.
bool PutOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    bool ok = true;
    for (const UINT format : {RegisterClipboardFormatA("Morvel Slides"), static_cast<UINT>(CF_TEXT)}) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        ok = SetClipboardData(format, block) && ok;
    }
    CloseClipboard();
    return ok;
}

double EditorPasteMillis(int slides) {
    WritePrivateProfileStringA("morvel", "AVLFIL", nullptr, "morvel.ini");
    struct Watch {
        int slides;
        Clock::time_point start;
        double pasted = -1;
        static DWORD WINAPI Run(LPVOID p) {
            auto* self = static_cast<Watch*>(p);
            HWND editor = nullptr, grid = nullptr;
            for (int i = 0; i < 3000 && !(editor && GetForegroundWindow() == editor); ++i) {
                editor = FindWindowA("TEditorForm", nullptr);
                grid = editor ? GetDlgItem(editor, MORVEL_ID_GRID) : nullptr;
                Sleep(2);
            }
            if (!grid) return 1;
            Sleep(300);  // the first showing's work done
            INPUT keys[4] = {};
            for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
            keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
            keys[1].ki.wVk = keys[2].ki.wVk = 'V';
            keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
            self->start = Clock::now();
            SendInput(4, keys, sizeof(INPUT));
            for (int i = 0; i < 10000; ++i) {
                if (SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0) == self->slides) {
                    self->pasted = Millis(self->start);
                    break;
                }
                Sleep(1);
            }
            // Closing asks whether to discard the pasted slides.
            PostMessageA(GetDlgItem(editor, MORVEL_ID_BTNQUIT), BM_CLICK, 0, 0);
            for (int i = 0; i < 3000; ++i) {
                HWND box = FindWindowA("#32770", nullptr);
                if (box && GetWindowThreadProcessId(box, nullptr) == GetWindowThreadProcessId(editor, nullptr)) {
                    PostMessageA(box, WM_COMMAND, IDYES, 0);
                    return 0;
                }
                Sleep(2);
            }
            return 1;
        }
    } watch{slides, Clock::now()};
    HANDLE thread = CreateThread(nullptr, 0, &Watch::Run, &watch, 0, nullptr);
    EditorWin95();
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    return watch.pasted;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: editor_bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const FileSystem& fs = RealFileSystem();
    const editor::ScreenSize screen{1024, 768};

    // Writing.
    const editor::SlideTable big = MakeTable(fs, folder, 10000);
    const std::string target = folder + "\\bench-store.avl";
    const int profileSlides = argc > 2 ? std::atoi(argv[2]) : 5000;
    double storeMs = 1e9, storeCpuMs = 1e9;
    for (int run = 0; run < 5; ++run) {
        const double cpu = ThreadCpuMillis();
        const auto start = Clock::now();
        const editor::SaveResult saved = editor::SaveAvl(target, big, screen);
        storeMs = std::min(storeMs, Millis(start));
        storeCpuMs = std::min(storeCpuMs, ThreadCpuMillis() - cpu);
        if (!saved.ok) std::printf("store save failed: %s\n", saved.message.c_str());
    }
    std::printf("write  store 10,000 slides (best of 5): %10.2f ms wall, %.2f ms processor\n", storeMs, storeCpuMs);
    auto start = Clock::now();

    if (profileSlides > 0) {
    const editor::SlideTable half = MakeTable(fs, folder, profileSlides);
    const ini::Document keys = editor::WriteAvl(half, screen);
    const std::string profileTarget = folder + "\\bench-profile.avl";
    DeleteFileA(profileTarget.c_str());
    start = Clock::now();
    int calls = 0;
    for (const std::string& section : keys.SectionNames()) {
        for (const std::string& key : keys.KeyNames(section)) {
            WritePrivateProfileStringA(section.c_str(), key.c_str(), keys.Get(section, key)->c_str(),
                                       profileTarget.c_str());
            ++calls;
        }
    }
    const double profileMs = Millis(start);
    const double perSlideStore = storeMs / 10000, perSlideProfile = profileMs / profileSlides;
    std::printf("write  profile %d slides key by key: %10.0f ms (%d calls, %.0f us/slide)\n", profileSlides,
                profileMs, calls, perSlideProfile * 1000);
    std::printf("write  ratio per slide (profile / store, wall): %.0fx\n", perSlideProfile / perSlideStore);
    DeleteFileA(profileTarget.c_str());
    }

    // Reading.
    CountingFileSystem counted(fs);
    start = Clock::now();
    const editor::ReadResult read = editor::LoadAvl(target, counted);
    const double readMs = Millis(start);
    start = Clock::now();
    int found = 0;
    const std::string shortFolderOfFile = big.Row(1)[editor::kColPath].str().substr(0, big.Row(1)[editor::kColPath].view().rfind('\\') + 1);
    for (int i = 1; i <= 10000; ++i) {
        WIN32_FIND_DATAA data;
        const std::string path = big.Row(i)[editor::kColPath].str();
        const HANDLE h = FindFirstFileA((shortFolderOfFile + path.substr(path.rfind('\\') + 1)).c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            ++found;
            FindClose(h);
        }
    }
    char shortFolder[MAX_PATH + 1];
    GetShortPathNameA(folder.c_str(), shortFolder, MAX_PATH);
    const double lookupMs = Millis(start);
    std::printf("read   10,000 slides: %10.2f ms, %zu slides, %d lookups\n", readMs, read.slides.size(),
                counted.lookups);
    std::printf("read   bare lookups (10,000 FindFirstFileA + 1 GetShortPathNameA, %d found): %10.2f ms\n", found,
                lookupMs);
    std::printf("read   ratio (read / bare lookups): %.2fx\n", readMs / lookupMs);

    const double shownMs = EditorShowMillis(target, 10000);
    std::printf("editor EditorWin95 shows 10,000 slides in: %.0f ms\n", shownMs);

    std::vector<const editor::Slide*> slides;
    for (const editor::Slide& slide : read.slides) slides.push_back(&slide);
    const std::string text = editor::WriteSlideSections(slides);
    if (!PutOnClipboard(text)) std::printf("paste  the clipboard took no slides\n");
    const double pastedMs = EditorPasteMillis(static_cast<int>(slides.size()));
    std::printf("paste  10,000 slides (%zu bytes of text) by Ctrl+V into an empty editor: %.0f ms\n", text.size(),
                pastedMs);
    return 0;
}

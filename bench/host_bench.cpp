// What the host's user waits for, timed from outside the library as a host sees it: from the
// export call to the condition the user sees, beside the bare system calls that the work must
// make, timed in this process in the same run.
//   open      RemoteDlg95(254) ("Open Slideshow") until its file list is shown, holds every entry
//             and has nothing left to paint, minus the same over an empty folder; bare: the
//             searches FindFirstFileA/FindNextFileA over "*.avl" and over "*.*".
//   explorer  RemoteWin95 on its default type ("All validated formats"), the same measure; bare:
//             one search over "*.*".
//   test      "&Test" on a slideshow of as many slides as the size until EditorWin95 returns,
//             minus the same on a one-slide slideshow; bare: one WriteFile of the bytes that the
//             test file received (and, for comparison, that write with its open and close, and
//             the safe replace a careful writer makes).
//   player    VideoWinPlayer95 until the player window is shown, painted and its clip open; bare:
//             the host's own MCI open of the clip (avivideo), a window shown and painted, and
//             the close.
//   system    the system's open dialog (GetOpenFileNameA, "*.avl") on the same folder until its
//             list holds every entry and is painted, minus the same over an empty folder.
// Every figure is the best and the median of the runs; the runs of a row, of its empty-folder
// twin and of its bare calls take turns, so that a busy moment of the machine weighs on all
// alike. The user-visible condition is watched from a second thread while a modal loop runs
// (RemoteDlg95, EditorWin95, GetOpenFileNameA), and by this thread's own message loop for the
// modeless windows, as a host's loop would paint them.
//
//   host_bench [--sizes 1000,10000,30000,100000] [--runs 5] [--system-runs N] [--system-max N]
//              [--system-budget SECONDS] [--rows open,explorer,test,player,system]
//              [--profile SIZE] [--profile-runs N] [--sample-ms N]
// --system-runs: runs of the system dialog (default: --runs), cut short once a size has taken
// --system-budget seconds (default 40: at 100,000 entries one run takes over a minute under
// Wine); --system-max: the largest folder it is shown (default: every size).
// --profile SIZE: afterwards, each row again at that size (and over the empty folder or one
// slide), --profile-runs times with its calls timed, once with its messages counted and
// --profile-runs times sampled every --sample-ms (default 2; 0: no sampling), by
// bench/host_profile.h; then the pieces of the bare work done by the host itself in other ways
// (the searches apart, list boxes of other styles, the editor's gauge with fewer steps).
// MORVEL_BENCH_ROOT names the folder (a Windows path) where scripts/bench.sh made the folders:
// bench-listing-N (N slideshows, with some folders and other files), bench-empty, bench-slides
// (10,000 pictures with 8.3 names for the slideshows).
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
// After mmsystem.h, whose types it uses.
#include <digitalv.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "host_profile.h"
#include "morvel32.h"
#include "support/avi_writer.h"

namespace {

// ---- Clock, figures ----------------------------------------------------------------------------

double NowMs() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perMs;
}

struct Figures {
    std::vector<double> runs;
    std::optional<std::pair<double, double>> given;  // best and median taken from another line
    void Add(double ms) {
        if (ms >= 0) runs.push_back(ms);
    }
    bool Empty() const { return runs.empty() && !given; }
    double Best() const {
        if (given) return given->first;
        return runs.empty() ? -1 : *std::min_element(runs.begin(), runs.end());
    }
    double Median() const {
        if (given) return given->second;
        if (runs.empty()) return -1;
        std::vector<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

// One line of the table: a row at a size.
struct Line {
    std::string row;
    int size = 0;
    std::string bareWhat;
    std::string measuredWhat = "library";
    Figures bare;
    Figures library;
    Figures baseline;  // empty folder or one slide; none for the player
    std::string goal;
    double goalAtMost = 0;
    std::string note;
    double NetBest() const { return library.Best() - (baseline.Empty() ? 0 : baseline.Best()); }
    double NetMedian() const { return library.Median() - (baseline.Empty() ? 0 : baseline.Median()); }
};

std::string Ms(double ms) {
    char text[32];
    if (ms < 0) return "-";
    std::snprintf(text, sizeof text, ms < 10 ? "%.2f" : "%.1f", ms);
    return text;
}

std::string Ratio(double over, double under) {
    if (over < 0 || under <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, over / under < 10 ? "%.2fx" : "%.0fx", over / under);
    return text;
}

void PrintLine(const Line& l) {
    std::printf("%-9s %7d  %s %s/%s", l.row.c_str(), l.size, l.measuredWhat.c_str(), Ms(l.library.Best()).c_str(),
                Ms(l.library.Median()).c_str());
    if (!l.baseline.Empty())
        std::printf(" - %s/%s = %s/%s", Ms(l.baseline.Best()).c_str(), Ms(l.baseline.Median()).c_str(),
                    Ms(l.NetBest()).c_str(), Ms(l.NetMedian()).c_str());
    std::printf(" ms | %s %s/%s ms | ratio %s/%s", l.bareWhat.c_str(), Ms(l.bare.Best()).c_str(),
                Ms(l.bare.Median()).c_str(), Ratio(l.NetBest(), l.bare.Best()).c_str(),
                Ratio(l.NetMedian(), l.bare.Median()).c_str());
    if (!l.goal.empty()) std::printf(" (goal %s)", l.goal.c_str());
    if (!l.note.empty()) std::printf(" %s", l.note.c_str());
    std::printf("\n");
    std::fflush(stdout);
}

// ---- Options -----------------------------------------------------------------------------------

struct Options {
    std::vector<int> sizes{1000, 10000, 30000, 100000};
    int runs = 5;
    int systemRuns = -1;
    int systemMax = 1 << 30;
    double systemBudgetMs = 40000;
    std::vector<std::string> rows{"open", "explorer", "test", "player", "system"};
    int profileSize = 0;
    int profileRuns = 3;
    int sampleMs = 2;
    std::string root = "C:";

    bool Has(const std::string& row) const { return std::find(rows.begin(), rows.end(), row) != rows.end(); }
};

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

Options ReadOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--sizes") {
            o.sizes.clear();
            for (const std::string& s : Split(value)) o.sizes.push_back(std::atoi(s.c_str()));
        } else if (name == "--runs") {
            o.runs = std::max(1, std::atoi(value.c_str()));
        } else if (name == "--system-runs") {
            o.systemRuns = std::max(1, std::atoi(value.c_str()));
        } else if (name == "--system-budget") {
            o.systemBudgetMs = std::atof(value.c_str()) * 1000;
        } else if (name == "--system-max") {
            o.systemMax = std::atoi(value.c_str());
        } else if (name == "--rows") {
            o.rows = Split(value);
        } else if (name == "--profile") {
            o.profileSize = std::atoi(value.c_str());
        } else if (name == "--sample-ms") {
            o.sampleMs = std::max(0, std::atoi(value.c_str()));
        } else if (name == "--profile-runs") {
            o.profileRuns = std::max(1, std::atoi(value.c_str()));
        } else {
            std::fprintf(stderr, "host_bench: unknown option %s\n", name.c_str());
            std::exit(2);
        }
    }
    if (o.systemRuns < 0) o.systemRuns = o.runs;
    char root[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("MORVEL_BENCH_ROOT", root, sizeof root);
    if (length > 0 && length < sizeof root) o.root = root;
    return o;
}

// ---- The host's side: settings, folders, windows ------------------------------------------------

void SetKey(const char* key, const std::string& value) {
    WritePrivateProfileStringA(MORVEL_INI_SECTION, key, value.c_str(), MORVEL_INI_FILE);
}

std::string ListingFolder(const Options& o, int files) {
    return o.root + "\\bench-listing-" + std::to_string(files);
}

struct Counted {
    long files = 0;      // entries the searches returned, every search together
    long slideshows = 0;  // files matching "*.avl"
    long folders = 0;     // folders other than "." and ".."
};

// The bare work of a listing: searches of the folder, with nothing else.
Counted Search(const std::string& folder, const std::vector<std::string>& masks) {
    Counted c;
    for (const std::string& mask : masks) {
        WIN32_FIND_DATAA data{};
        const HANDLE search = FindFirstFileA((folder + "\\" + mask).c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            ++c.files;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (lstrcmpA(data.cFileName, ".") != 0 && lstrcmpA(data.cFileName, "..") != 0) ++c.folders;
            } else {
                const std::size_t n = lstrlenA(data.cFileName);
                if (n > 4 && lstrcmpiA(data.cFileName + n - 4, ".avl") == 0) ++c.slideshows;
            }
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    return c;
}

double TimeSearch(const std::string& folder, const std::vector<std::string>& masks) {
    const double start = NowMs();
    Search(folder, masks);
    return NowMs() - start;
}

long deleteItems = 0;  // WM_DELETEITEM received by the host's windows

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DELETEITEM) {
        ++deleteItems;
        return TRUE;
    }
    if (msg == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18;
        return TRUE;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterHostClass() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = "BenchHost";
    RegisterClassA(&cls);
}

HWND MakeHostWindow(const char* title, int width, int height) {
    return CreateWindowExA(0, "BenchHost", title, WS_OVERLAPPEDWINDOW, 20, 20, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// The host's message loop until the condition holds; false when time ran out. The condition is
// looked at when the queue is empty, that is when the windows are painted and idle: a look at
// every message would cost the measured loop more than the messages do.
bool PumpUntil(const std::function<bool()>& condition, double timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    for (;;) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (condition()) return true;
        if (NowMs() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void Pump(double ms) {
    PumpUntil([] { return false; }, ms);
}

BOOL CALLBACK FindPending(HWND child, LPARAM found) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// Nothing of the window is waiting to be painted: what the user sees is drawn.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(window, FindPending, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

LRESULT CountOf(HWND control, UINT message) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control, message, 0, 0, SMTO_NORMAL, 30000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

struct FindArgs {
    const char* className;
    HWND found;
};
BOOL CALLBACK FindOwnTopLevel(HWND window, LPARAM p) {
    auto* args = reinterpret_cast<FindArgs*>(p);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (process == GetCurrentProcessId() && lstrcmpA(cls, args->className) == 0 && IsWindowVisible(window)) {
        args->found = window;
        return FALSE;
    }
    return TRUE;
}
// A visible top-level window of this process of that class.
HWND OwnWindow(const char* className) {
    FindArgs args{className, nullptr};
    EnumWindows(FindOwnTopLevel, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

struct DescendantArgs {
    const char* className;
    HWND found;
};
BOOL CALLBACK FindDescendant(HWND window, LPARAM p) {
    auto* args = reinterpret_cast<DescendantArgs*>(p);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, args->className) == 0) {
        args->found = window;
        return FALSE;
    }
    return TRUE;
}

// Watches, from a second thread, for a condition on windows that a modal loop on this thread
// runs; notes the moment it first holds and then does what ends the loop.
class Watcher {
public:
    // `reached` is polled about every millisecond; `finish` runs once, when it held or time ran out.
    Watcher(double start, double timeoutMs, std::function<bool()> reached, std::function<void(bool)> finish)
        : thread_([=, this] {
              const double deadline = NowMs() + timeoutMs;
              bool held = false;
              while (!cancelled_ && !(held = reached()) && NowMs() < deadline) Sleep(1);
              if (held) at_ = NowMs() - start;
              finish(held);
          }) {}
    ~Watcher() {
        if (thread_.joinable()) thread_.join();
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    // Milliseconds from the start to the condition; -1 when it never held. The modal loop has
    // ended: a condition not seen by now never will be.
    double Reached() {
        cancelled_ = true;
        if (thread_.joinable()) thread_.join();
        return at_;
    }
private:
    double at_ = -1;
    std::atomic<bool> cancelled_{false};
    std::thread thread_;
};

// ---- Rows ----------------------------------------------------------------------------------------

bench::Profile* profile = nullptr;  // set while a profiled run is made
bench::Profile::Watch profileWatch = bench::Profile::Watch::Calls;

// RemoteDlg95(254): from the call until the list is shown with `entries` entries and painted.
double OpenSlideshowDialog(const std::string& folder, long entries) {
    SetKey(MORVEL_KEY_LASTDIR, folder);
    const double start = NowMs();
    if (profile) profile->Start(profileWatch);
    // Found once, then only its list is looked at: each look is a trip to the server.
    auto dialog = std::make_shared<HWND>(nullptr);
    Watcher watcher(
        start, 120000,
        [entries, dialog] {
            if (!*dialog) *dialog = OwnWindow("TFileForm");
            if (!*dialog) return false;
            const HWND list = GetDlgItem(*dialog, MORVEL_ID_XFILES);
            return list && IsWindowVisible(list) && IsWindowEnabled(list) && CountOf(list, LB_GETCOUNT) == entries &&
                   Painted(*dialog);
        },
        [](bool) {
            if (profile) profile->Stop();
            if (const HWND dialog = OwnWindow("TFileForm"))
                PostMessageA(GetDlgItem(dialog, MORVEL_ID_BTNEXIT), BM_CLICK, 0, 0);
        });
    RemoteDlg95(MORVEL_KIND_OPEN_SLIDESHOW, 0);
    return watcher.Reached();
}

// RemoteWin95 on its default type: from the call until the host's loop has shown the list with
// `entries` entries and painted it.
double ModelessExplorer(HWND host, const std::string& folder, long entries) {
    SetKey(MORVEL_KEY_LASTDIR, folder);
    const double start = NowMs();
    if (profile) profile->Start(profileWatch);
    RemoteWin95(static_cast<MorvelInt>(reinterpret_cast<INT_PTR>(host)), 0);
    HWND explorer = nullptr;
    const bool shown = PumpUntil(
        [&] {
            if (!explorer) explorer = OwnWindow("TFileForm");
            if (!explorer) return false;
            const HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
            return list && IsWindowVisible(list) && SendMessageA(list, LB_GETCOUNT, 0, 0) == entries &&
                   Painted(explorer);
        },
        120000);
    const double ms = NowMs() - start;
    if (profile) profile->Stop();
    RemoteWinClose95();
    PumpUntil([&] { return !explorer || !IsWindow(explorer); }, 10000);
    return shown ? ms : -1;
}

// A version-4 slideshow of `slides` pictures from the slides folder (its 10,000 files in turn).
std::string WriteSlideshow(const Options& o, int slides) {
    const std::string folder = o.root + "\\bench-slides";
    char shortFolder[MAX_PATH + 1] = {};
    GetShortPathNameA(folder.c_str(), shortFolder, MAX_PATH);
    CharLowerA(shortFolder);
    std::string text = "[Header]\r\nVer=4\r\nN=" + std::to_string(slides + 1) + "\r\n[Directory]\r\n0=c:\\\r\n1=" +
                       shortFolder + "\\\r\n";
    for (int i = 1; i <= slides; ++i) {
        char slide[96];
        std::snprintf(slide, sizeof slide, "[%d]\r\nF=hs%05d.bmp,1\r\nB=0\r\nX=%d\r\n%s", i, (i - 1) % 10000, i % 30,
                      i % 3 == 1 ? "W=5\r\n" : "");
        text += slide;
    }
    const std::string path = o.root + "\\bench-show-" + std::to_string(slides) + ".avl";
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return path;
}

std::string TestFile(const Options& o) {
    return o.root + "\\bench-test.avl";
}

SIZE editorGauge{600, 22};  // the editor's progress gauge, as last seen

struct EditorRun {
    double opened = -1;      // from the call until the grid shows every slide, painted
    double test = -1;        // from the click on "&Test" until EditorWin95 returned
    bool gaugeSeen = false;  // the progress gauge was seen shown while the test file was written
};

EditorRun TestSlideshow(const Options& o, const std::string& show, int slides) {
    SetKey(MORVEL_KEY_AVLFIL, show);
    SetKey(MORVEL_KEY_AVLTMP, TestFile(o));
    DeleteFileA(TestFile(o).c_str());
    EditorRun run;
    std::atomic<double> clicked{-1};
    const double start = NowMs();
    auto found = std::make_shared<HWND>(nullptr);
    Watcher watcher(
        start, 300000,
        [slides, found] {
            if (!*found) *found = OwnWindow("TEditorForm");
            const HWND editor = *found;
            if (!editor || !IsWindowEnabled(editor)) return false;
            const HWND grid = GetDlgItem(editor, MORVEL_ID_GRID);
            const HWND gauge = GetDlgItem(editor, MORVEL_ID_GAUGE);
            RECT r{};
            if (gauge && GetWindowRect(gauge, &r)) editorGauge = {r.right - r.left, r.bottom - r.top};
            return grid && !(gauge && IsWindowVisible(gauge)) && CountOf(grid, LVM_GETITEMCOUNT) == slides &&
                   Painted(editor);
        },
        [&](bool held) {
            const HWND editor = OwnWindow("TEditorForm");
            if (!editor) return;
            if (profile) profile->Start(profileWatch);
            clicked = NowMs();
            PostMessageA(GetDlgItem(editor, held ? MORVEL_ID_BTNTEST : MORVEL_ID_BTNQUIT), BM_CLICK, 0, 0);
            // The gauge, looked at now and then until the editor has gone: a save long enough to
            // be waited for shows its progress.
            const HWND gauge = GetDlgItem(editor, MORVEL_ID_GAUGE);
            while (held && IsWindow(editor) && !run.gaugeSeen) {
                run.gaugeSeen = IsWindowVisible(gauge) != FALSE;
                Sleep(1);
            }
        });
    const MorvelInt result = EditorWin95();
    const double returned = NowMs();
    if (profile) profile->Stop();
    run.opened = watcher.Reached();
    if (result == -1 && clicked >= 0) run.test = returned - clicked;
    return run;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(h, nullptr));
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(h);
    return bytes;
}

// Writes of the test file's bytes: the bare WriteFile (open and close untimed), the same with
// its open and close, and a safe replace (a new file written and flushed, then moved over).
struct BareWrites {
    double write = -1;
    double openWriteClose = -1;
    double safeReplace = -1;
};
BareWrites TimeWrites(const Options& o, const std::string& bytes) {
    BareWrites w;
    const std::string target = o.root + "\\bench-bare.avl";
    const std::string fresh = o.root + "\\bench-bare.avl.new";
    DWORD written = 0;
    HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    double start = NowMs();
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    w.write = NowMs() - start;
    CloseHandle(h);

    start = NowMs();
    h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    w.openWriteClose = NowMs() - start;

    start = NowMs();
    h = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
    MoveFileExA(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    w.safeReplace = NowMs() - start;
    DeleteFileA(target.c_str());
    return w;
}

std::string ClipPath(const Options& o) {
    return o.root + "\\bench-clip.avi";
}

bool Ready(HWND player) {
    return player && IsWindowVisible(player) && (VideoWinStatus95() & 0x100) != 0 && Painted(player);
}

struct PlayerRun {
    double shown = -1;
    double closed = -1;
};

// VideoWinPlayer95: from the call until the window is shown, its clip open and painted; then
// the host asks it to close.
PlayerRun PlayClip(const Options& o) {
    SetKey(MORVEL_KEY_SAVENAME, ClipPath(o));
    PlayerRun run;
    const double start = NowMs();
    if (profile) profile->Start(profileWatch);
    const MorvelInt opened = VideoWinPlayer95(0, 0);
    HWND player = nullptr;
    const bool ready = opened == 1 && PumpUntil(
                                          [&] {
                                              if (!player) player = OwnWindow("TVideoForm");
                                              return Ready(player);
                                          },
                                          30000);
    if (ready) run.shown = NowMs() - start;
    if (profile) profile->Stop();
    const double closing = NowMs();
    VideoWinClose95();
    if (PumpUntil([&] { return !player || !IsWindow(player); }, 10000)) run.closed = NowMs() - closing;
    return run;
}

struct BarePlayer {
    double open = 0, window = 0, shown = 0, close = 0;
    double Total() const { return open + window + shown + close; }
};

// What the host itself would do: its window, the clip opened on the video device and shown in
// it, painted; then closed.
BarePlayer BarePlay(const Options& o) {
    BarePlayer b;
    double at = NowMs();
    const HWND window = MakeHostWindow("clip", 360, 300);
    MCI_DGV_OPEN_PARMSA open{};
    const std::string clip = ClipPath(o);
    char device[] = "avivideo";
    std::string element = clip;
    open.lpstrDeviceType = device;
    open.lpstrElementName = element.data();
    open.hWndParent = window;
    open.dwStyle = WS_CHILD;
    const MCIERROR error =
        mciSendCommandA(0, MCI_OPEN,
                        MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open));
    b.open = NowMs() - at;
    if (error != 0) {
        char text[256] = {};
        mciGetErrorStringA(error, text, sizeof text);
        std::printf("bare MCI open failed: %s\n", text);
        DestroyWindow(window);
        return BarePlayer{-1, 0, 0, 0};
    }
    at = NowMs();
    MCI_DGV_WINDOW_PARMSA place{};
    place.nCmdShow = SW_SHOW;
    mciSendCommandA(open.wDeviceID, MCI_WINDOW, MCI_DGV_WINDOW_STATE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&place));
    b.window = NowMs() - at;
    at = NowMs();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    PumpUntil([&] { return Painted(window); }, 10000);
    b.shown = NowMs() - at;
    at = NowMs();
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
    DestroyWindow(window);
    b.close = NowMs() - at;
    Pump(0);
    return b;
}

// GetOpenFileNameA on the folder: from the call until its list holds `entries` entries and the
// dialog is painted; then cancelled.
double SystemDialog(HWND host, const std::string& folder, long entries) {
    char file[MAX_PATH * 4] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = host;
    ofn.lpstrFilter = "Slideshows (*.avl)\0*.avl\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const double start = NowMs();
    auto dialog = std::make_shared<HWND>(nullptr);
    Watcher watcher(
        start, 600000,
        [entries, dialog] {
            if (!*dialog) *dialog = OwnWindow("#32770");
            if (!*dialog) return false;
            DescendantArgs args{"SysListView32", nullptr};
            EnumChildWindows(*dialog, FindDescendant, reinterpret_cast<LPARAM>(&args));
            return args.found && IsWindowVisible(args.found) && CountOf(args.found, LVM_GETITEMCOUNT) == entries &&
                   Painted(*dialog);
        },
        [](bool) {
            if (const HWND dialog = OwnWindow("#32770")) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
    GetOpenFileNameA(&ofn);
    return watcher.Reached();
}

// ---- The table -----------------------------------------------------------------------------------

struct Context {
    Options options;
    HWND host = nullptr;
    std::vector<Line> lines;
};

void OpenRow(Context& c, int size) {
    const std::string folder = ListingFolder(c.options, size);
    const std::string empty = c.options.root + "\\bench-empty";
    const Counted counted = Search(folder, {"*.*"});
    const long entries = counted.slideshows + counted.folders;
    Line l{"open", size, "bare searches *.avl + *.*"};
    l.goal = "at most 1.0x, aim 0.8x";
    for (int run = 0; run < c.options.runs; ++run) {
        l.bare.Add(TimeSearch(folder, {"*.avl", "*.*"}));
        l.library.Add(OpenSlideshowDialog(folder, entries));
        l.baseline.Add(OpenSlideshowDialog(empty, 0));
    }
    if (l.library.runs.size() < static_cast<std::size_t>(c.options.runs))
        l.note = "(" + std::to_string(c.options.runs - l.library.runs.size()) + " run(s) never showed every entry)";
    PrintLine(l);
    c.lines.push_back(l);
}

void ExplorerRow(Context& c, int size) {
    const std::string folder = ListingFolder(c.options, size);
    const std::string empty = c.options.root + "\\bench-empty";
    const Counted counted = Search(folder, {"*.*"});
    const long entries = counted.slideshows + counted.folders;
    Line l{"explorer", size, "bare search *.*"};
    l.goal = "at most 1.5x, aim 1.2x";
    for (int run = 0; run < c.options.runs; ++run) {
        l.bare.Add(TimeSearch(folder, {"*.*"}));
        l.library.Add(ModelessExplorer(c.host, folder, entries));
        l.baseline.Add(ModelessExplorer(c.host, empty, 0));
    }
    if (l.library.runs.size() < static_cast<std::size_t>(c.options.runs))
        l.note = "(" + std::to_string(c.options.runs - l.library.runs.size()) + " run(s) never showed every entry)";
    PrintLine(l);
    c.lines.push_back(l);
}

void TestRow(Context& c, int size) {
    const std::string show = WriteSlideshow(c.options, size);
    const std::string one = WriteSlideshow(c.options, 1);
    Line l{"test", size, "bare WriteFile"};
    l.goal = "at most 25x";
    Figures opened, withOpenClose, safe;
    std::size_t bytes = 0;
    int gaugeSeen = 0;
    for (int run = 0; run < c.options.runs; ++run) {
        const EditorRun big = TestSlideshow(c.options, show, size);
        l.library.Add(big.test);
        gaugeSeen += big.gaugeSeen;
        opened.Add(big.opened);
        const std::string written = FileBytes(TestFile(c.options));
        bytes = written.size();
        const BareWrites bare = TimeWrites(c.options, written);
        l.bare.Add(bare.write);
        withOpenClose.Add(bare.openWriteClose);
        safe.Add(bare.safeReplace);
        l.baseline.Add(TestSlideshow(c.options, one, 1).test);
    }
    l.note = "(" + std::to_string(bytes / 1024) + " KB)";
    PrintLine(l);
    std::printf("%-9s %7s  opening %d slides until shown %s/%s ms; the same bytes with open and close %s/%s ms "
                "(ratio %s/%s), as a safe replace (new file, flush, move) %s/%s ms (ratio %s/%s); the gauge seen "
                "during the test in %d of %zu run(s)\n",
                "", "", size, Ms(opened.Best()).c_str(), Ms(opened.Median()).c_str(), Ms(withOpenClose.Best()).c_str(),
                Ms(withOpenClose.Median()).c_str(), Ratio(l.NetBest(), withOpenClose.Best()).c_str(),
                Ratio(l.NetMedian(), withOpenClose.Median()).c_str(), Ms(safe.Best()).c_str(),
                Ms(safe.Median()).c_str(), Ratio(l.NetBest(), safe.Best()).c_str(),
                Ratio(l.NetMedian(), safe.Median()).c_str(), gaugeSeen, l.library.runs.size());
    c.lines.push_back(l);
}

void PlayerRow(Context& c) {
    morvel::test::AviClip clip;
    clip.width = 160;
    clip.height = 120;
    clip.frames = 90;
    clip.framesPerSecond = 15;
    morvel::test::WriteAvi(ClipPath(c.options), clip);
    // The first open of a clip in a process loads the video drivers, for the host as for us.
    BarePlay(c.options);
    PlayClip(c.options);
    Line l{"player", 0, "bare MCI open + window + close"};
    l.goal = "at most 1.5x";
    Figures open, show, close, playerClose;
    for (int run = 0; run < c.options.runs; ++run) {
        const BarePlayer bare = BarePlay(c.options);
        if (bare.open >= 0) {
            l.bare.Add(bare.Total());
            open.Add(bare.open);
            show.Add(bare.window + bare.shown);
            close.Add(bare.close);
        }
        const PlayerRun run1 = PlayClip(c.options);
        l.library.Add(run1.shown);
        playerClose.Add(run1.closed);
    }
    PrintLine(l);
    std::printf("%-9s %7s  bare: open %s/%s, window shown %s/%s, close %s/%s ms; VideoWinClose95 until the window "
                "is gone %s/%s ms\n",
                "", "", Ms(open.Best()).c_str(), Ms(open.Median()).c_str(), Ms(show.Best()).c_str(),
                Ms(show.Median()).c_str(), Ms(close.Best()).c_str(), Ms(close.Median()).c_str(),
                Ms(playerClose.Best()).c_str(), Ms(playerClose.Median()).c_str());
    c.lines.push_back(l);
}

void SystemRow(Context& c, int size) {
    const std::string folder = ListingFolder(c.options, size);
    const std::string empty = c.options.root + "\\bench-empty";
    const Counted counted = Search(folder, {"*.*"});
    const long entries = counted.slideshows + counted.folders;
    Line l{"system", size, "library's open row (net)", "system dialog"};
    l.goal = "the library stays ahead";
    const double started = NowMs();
    for (int run = 0; run < c.options.systemRuns && NowMs() - started < c.options.systemBudgetMs; ++run) {
        l.library.Add(SystemDialog(c.host, folder, entries));
        l.baseline.Add(SystemDialog(c.host, empty, 0));
    }
    if (l.library.runs.size() < static_cast<std::size_t>(c.options.systemRuns))
        l.note = "(" + std::to_string(l.library.runs.size()) + " run(s) in the time given)";
    // The library's figure at the same size, from the open row, stands as the divisor.
    for (const Line& open : c.lines) {
        if (open.row == "open" && open.size == size) l.bare.given = {{open.NetBest(), open.NetMedian()}};
    }
    if (l.bare.Empty()) l.bareWhat = "(no open row to compare)";
    PrintLine(l);
    c.lines.push_back(l);
}

void PrintTable(const Context& c) {
    std::printf("\nSummary (ms, best/median of the runs; net = less the empty folder or the one-slide slideshow)\n");
    std::printf("%-9s %7s %19s %19s %19s %15s  %s\n", "row", "size", "measured", "net", "bare", "ratio", "goal");
    for (const Line& l : c.lines) {
        const auto pair = [](double a, double b) { return Ms(a) + "/" + Ms(b); };
        std::printf("%-9s %7d %19s %19s %19s %15s  %s\n", l.row.c_str(), l.size,
                    pair(l.library.Best(), l.library.Median()).c_str(), pair(l.NetBest(), l.NetMedian()).c_str(),
                    pair(l.bare.Best(), l.bare.Median()).c_str(),
                    (Ratio(l.NetBest(), l.bare.Best()) + "/" + Ratio(l.NetMedian(), l.bare.Median())).c_str(),
                    l.goal.c_str());
    }
    std::printf("(system: bare is the library's own net open time at that size, so the ratio is how many times "
                "the library is faster)\n");
}

// ---- Variants of the bare calls -------------------------------------------------------------------
// What the pieces of the work cost when the host does them itself, in the ways they can be done:
// the floor under each part of a row.

std::string Lower(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The names the Explorer shows for the folder: the slideshows and the folders.
std::vector<std::string> ShownNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    const HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..") names.push_back(Lower(name) + "\\");
        } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".avl") == 0) {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

double Timed(const std::function<void()>& work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

// A search of the folder: its first call, and the rest.
void SearchParts(const std::string& folder, const char* mask) {
    WIN32_FIND_DATAA data{};
    long found = 0;
    double start = NowMs();
    const HANDLE search = FindFirstFileA((folder + "\\" + mask).c_str(), &data);
    const double first = NowMs() - start;
    start = NowMs();
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++found;
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    std::printf("     search \"%s\": FindFirstFileA %.1f ms, FindNextFileA to the end %.1f ms (%ld entries)\n", mask, first,
                NowMs() - start, found);
}

// The same search without the short (8.3) names, in large fetches.
void BasicSearch(const std::string& folder) {
    WIN32_FIND_DATAA data{};
    long found = 0;
    const double start = NowMs();
    const HANDLE search = FindFirstFileExA((folder + "\\*.*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++found;
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    std::printf("     search \"*.*\" by FindFirstFileExA without short names, in large fetches: %.1f ms (%ld entries)\n",
                NowMs() - start, found);
}

void ListVariants(const Options& o, int size) {
    std::printf("   the searches of the %d-file folder:\n", size);
    for (const char* mask : {"*.avl", "*.*", "*.avl", "*.*"}) SearchParts(ListingFolder(o, size), mask);
    BasicSearch(ListingFolder(o, size));
    SearchParts(ListingFolder(o, size), "*.*");
    BasicSearch(ListingFolder(o, size));
    const std::vector<std::string> names = ShownNames(ListingFolder(o, size));
    std::size_t bytes = 0;
    for (const std::string& n : names) bytes += n.size() + 1;
    const HWND host = MakeHostWindow("list", 600, 400);
    ShowWindow(host, SW_SHOW);
    Pump(30);
    const DWORD explorerStyle = WS_CHILD | WS_TABSTOP | WS_HSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | LBS_MULTICOLUMN | WS_BORDER;
    const auto makeList = [&](DWORD style) {
        return CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", style, 4, 4, 580, 340, host, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
    const auto fill = [&](HWND list, bool initStorage) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        if (initStorage) SendMessageA(list, LB_INITSTORAGE, names.size(), static_cast<LPARAM>(bytes));
        for (const std::string& n : names) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    };
    std::printf("   list of %zu names (%d files), in a list box of the host's own:\n", names.size(), size);
    HWND list = makeList(explorerStyle);
    std::printf("     LB_ADDSTRING each, hidden, owner-drawn with strings (the Explorer's style): %.1f ms\n",
                Timed([&] { fill(list, true); }));
    std::printf("     then shown and painted: %.1f ms\n", Timed([&] {
                    ShowWindow(list, SW_SHOW);
                    UpdateWindow(list);
                    PumpUntil([&] { return Painted(host); }, 10000);
                }));
    deleteItems = 0;
    std::printf("     LB_RESETCONTENT of the filled list: %.1f ms (%ld WM_DELETEITEM to the parent)\n",
                Timed([&] { SendMessageA(list, LB_RESETCONTENT, 0, 0); }), deleteItems);
    fill(list, true);
    deleteItems = 0;
    std::printf("     DestroyWindow of the filled list: %.1f ms (%ld WM_DELETEITEM to the parent)\n",
                Timed([&] { DestroyWindow(list); }), deleteItems);
    list = makeList(explorerStyle);
    std::printf("     LB_ADDSTRING each without LB_INITSTORAGE: %.1f ms\n", Timed([&] { fill(list, false); }));
    DestroyWindow(list);
    list = makeList((explorerStyle & ~LBS_HASSTRINGS));
    std::printf("     the same owner-drawn without strings (item data only): %.1f ms\n",
                Timed([&] { fill(list, true); }));
    deleteItems = 0;
    const double destroyed = Timed([&] { DestroyWindow(list); });
    std::printf("     DestroyWindow of that list: %.1f ms (%ld WM_DELETEITEM)\n", destroyed, deleteItems);
    list = makeList(explorerStyle & ~(LBS_OWNERDRAWFIXED));
    std::printf("     a plain list with strings (not owner-drawn): %.1f ms\n", Timed([&] { fill(list, true); }));
    DestroyWindow(list);
    std::vector<std::string> copy;
    std::printf("     the names lower-cased into strings of the host's own: %.1f ms\n", Timed([&] {
                    copy.reserve(names.size());
                    for (const std::string& n : names) copy.push_back(Lower(n));
                }));
    std::printf("     sorted without regard to case: %.1f ms\n", Timed([&] {
                    std::sort(copy.begin(), copy.end(),
                              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
                }));
    DestroyWindow(host);
    Pump(0);
}

void GaugeVariants() {
    const HWND host = MakeHostWindow("gauge", editorGauge.cx + 40, editorGauge.cy + 80);
    ShowWindow(host, SW_SHOW);
    Pump(30);
    const auto run = [&](DWORD style, int steps) {
        const HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, editorGauge.cx,
                                         editorGauge.cy, host, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(bar, PBM_SETRANGE32, 0, steps);
        UpdateWindow(bar);
        const double ms = Timed([&] {
            for (int i = 1; i <= steps; ++i) {
                SendMessageA(bar, PBM_SETPOS, i, 0);
                UpdateWindow(bar);
            }
        });
        DestroyWindow(bar);
        return ms;
    };
    std::printf("   the editor's gauge (%ldx%ld), PBM_SETPOS and UpdateWindow in a window of the host's own:\n",
                static_cast<long>(editorGauge.cx), static_cast<long>(editorGauge.cy));
    std::printf("     100 steps, the gauge's style: %.1f ms; 100 steps, PBS_SMOOTH: %.1f ms; 10 steps: %.1f ms; "
                "10 steps, PBS_SMOOTH: %.1f ms\n",
                run(0, 100), run(PBS_SMOOTH, 100), run(0, 10), run(PBS_SMOOTH, 10));
    DestroyWindow(host);
    Pump(0);
}

// The MCI calls of a player's opening, one by one, best of five: opened by the file's extension
// (as the player does) or by the device's type, and a stop right after the open.
void PlayerVariants(const Options& o) {
    Figures byExtension, byType, stop, close;
    const std::string clip = ClipPath(o);
    for (int run = 0; run < 5; ++run) {
        for (const bool typed : {false, true}) {
            MCI_OPEN_PARMSA open{};
            char device[] = "avivideo";
            std::string element = clip;
            open.lpstrDeviceType = typed ? device : nullptr;
            open.lpstrElementName = element.data();
            double start = NowMs();
            const MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT | (typed ? MCI_OPEN_TYPE : 0),
                                                   reinterpret_cast<DWORD_PTR>(&open));
            (typed ? byType : byExtension).Add(NowMs() - start);
            if (error != 0) continue;
            MCI_GENERIC_PARMS parms{};
            start = NowMs();
            mciSendCommandA(open.wDeviceID, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parms));
            stop.Add(NowMs() - start);
            start = NowMs();
            mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parms));
            close.Add(NowMs() - start);
        }
    }
    std::printf("   the clip's MCI calls, best of five: MCI_OPEN by extension %s ms, by type \"avivideo\" %s ms; "
                "MCI_STOP right after the open %s ms; MCI_CLOSE %s ms\n",
                Ms(byExtension.Best()).c_str(), Ms(byType.Best()).c_str(), Ms(stop.Best()).c_str(),
                Ms(close.Best()).c_str());
}

// ---- Profiles ------------------------------------------------------------------------------------

// Each row observed: its runs with the calls timed, one with its messages counted, its runs
// sampled.
void Observe(bench::Profile& observer, const Options& o, const std::string& title, const std::function<void()>& run) {
    observer.Reset();
    profileWatch = bench::Profile::Watch::Calls;
    for (int i = 0; i < o.profileRuns; ++i) run();
    profileWatch = bench::Profile::Watch::Messages;
    run();
    if (o.sampleMs > 0) {
        profileWatch = bench::Profile::Watch::Samples;
        for (int i = 0; i < o.profileRuns; ++i) run();
    }
    observer.Print(title);
    std::fflush(stdout);
}

void Profiles(Context& c) {
    const Options& o = c.options;
    const int size = o.profileSize;
    bench::Profile observer(GetModuleHandleA("morvel32.dll"), o.sampleMs);
    profile = &observer;
    const std::string folder = ListingFolder(o, size);
    const std::string empty = o.root + "\\bench-empty";
    const Counted counted = Search(folder, {"*.*"});
    const long entries = counted.slideshows + counted.folders;
    const std::string files = std::to_string(size) + " files";
    std::printf("\nWhere the time goes (bench/host_profile.h), %d run(s) a row\n", o.profileRuns);
    if (o.Has("open")) {
        Observe(observer, o, "open, RemoteDlg95(254) on " + files + " until shown",
                [&] { OpenSlideshowDialog(folder, entries); });
        Observe(observer, o, "open, RemoteDlg95(254) on the empty folder", [&] { OpenSlideshowDialog(empty, 0); });
    }
    if (o.Has("explorer")) {
        Observe(observer, o, "explorer, RemoteWin95 on " + files + " until shown",
                [&] { ModelessExplorer(c.host, folder, entries); });
        Observe(observer, o, "explorer, RemoteWin95 on the empty folder", [&] { ModelessExplorer(c.host, empty, 0); });
    }
    if (o.Has("test")) {
        const std::string show = WriteSlideshow(o, size);
        Observe(observer, o, "test, \"&Test\" on " + std::to_string(size) + " slides until EditorWin95 returns",
                [&] { TestSlideshow(o, show, size); });
        const std::string one = WriteSlideshow(o, 1);
        Observe(observer, o, "test, \"&Test\" on one slide until EditorWin95 returns",
                [&] { TestSlideshow(o, one, 1); });
    }
    if (o.Has("player")) {
        Observe(observer, o, "player, VideoWinPlayer95 until shown with the clip open", [&] { PlayClip(o); });
    }
    profile = nullptr;
    std::printf("\nVariants of the bare calls\n");
    if (o.Has("open") || o.Has("explorer")) ListVariants(o, size);
    if (o.Has("test")) GaugeVariants();
    if (o.Has("player")) PlayerVariants(o);
}

}  // namespace

int main(int argc, char** argv) {
    const double started = NowMs();
    Context c;
    c.options = ReadOptions(argc, argv);
    const Options& o = c.options;
    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    RegisterHostClass();
    c.host = MakeHostWindow("host", 300, 200);
    ShowWindow(c.host, SW_SHOW);
    Pump(50);
    SetKey(MORVEL_KEY_WIN95TMP, o.root + "\\bench-exchange.tmp");

    std::printf("What the user waits for, from the export call to the shown window, beside the bare system calls\n"
                "(ms, best/median of %d runs; library - empty folder or one-slide run = net; ratio = net / bare)\n",
                o.runs);
    for (int size : o.sizes) {
        if (o.Has("open")) OpenRow(c, size);
        if (o.Has("explorer")) ExplorerRow(c, size);
        if (o.Has("test")) TestRow(c, size);
        if (o.Has("system") && size <= o.systemMax) SystemRow(c, size);
    }
    if (o.Has("player")) PlayerRow(c);
    PrintTable(c);
    if (o.profileSize > 0) Profiles(c);
    DestroyWindow(c.host);
    std::printf("whole run %.1f s\n", (NowMs() - started) / 1000);
    return 0;
}

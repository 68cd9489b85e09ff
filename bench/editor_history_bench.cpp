// The editor's undo history at 10,000 slides: 100 Globals recorded one after another, what the
// history then holds (its own count, and the bytes the program has live on the heap, counted by
// the allocation functions below), the time a Global takes with its step recorded beside the bare
// Global, and the time to undo and redo one Global and to undo all 100.
// Two slideshows: kinds in runs, as "&Add Slides" of folders makes them; and kinds alternating
// from slide to slide, where every Global on a video column skips every other slide.
//   editor_history_bench [SLIDES] [GLOBALS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "editor/slide_history.h"

namespace {

// Live heap bytes of the program: every allocation carries its size in front of it.
std::size_t liveBytes = 0;
constexpr std::size_t kHeader = 16;

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    liveBytes += size;
    return block + kHeader;
}
void Release(void* p) noexcept {
    if (!p) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

using namespace morvel::editor;
using Clock = std::chrono::steady_clock;
double Millis(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Processor time of the calling thread, user and kernel, in milliseconds: a loaded machine
// distorts it less than the wall clock.
double CpuMillis() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Slides with the kind settings of "&Add Slides" and waits that differ from slide to slide.
SlideTable MakeShow(int slides, bool alternating) {
    static const SlideKind kRuns[10] = {SlideKind::Graphic, SlideKind::Graphic, SlideKind::Graphic, SlideKind::Graphic,
                                        SlideKind::Graphic, SlideKind::Graphic, SlideKind::Avi,     SlideKind::Avi,
                                        SlideKind::Mov,     SlideKind::Sound};
    static const char* const kExt[] = {".bmp", ".mov", ".avi", ".wav", ".fli", ".avl", ""};
    std::vector<Slide> rows(static_cast<std::size_t>(slides));
    for (int i = 0; i < slides; ++i) {
        // In runs: a folder of 600 pictures, then 200 videos, ... as whole folders are added.
        const SlideKind kind = alternating ? (i % 2 ? SlideKind::Avi : SlideKind::Graphic) : kRuns[(i / 100) % 10];
        const std::string name = "Holiday slide " + std::to_string(i) + kExt[static_cast<int>(kind)];
        Slide& s = rows[static_cast<std::size_t>(i)];
        s[kColNumber] = std::to_string(i + 1);
        s[kColPath] = "c:\\holiday\\hs" + std::to_string(i % 100000) + kExt[static_cast<int>(kind)];
        s[kColName] = name;
        SetUpKind(s, kind);
        s[kColWait] = std::to_string(i % 7);
    }
    SlideTable table;
    table.Assign(std::move(rows));
    return table;
}

Choice Entry(MenuId menu, int position, std::int64_t freeValue = 0) {
    return {menu, position, freeValue};
}

// The Global of round k: every column in turn, each time with another value.
Choice GlobalOfRound(int k) {
    const int v = k / 9;
    switch (k % 9) {
        case 0:
            return Entry(MenuId::Wait, 11, 1 + v);  // "User": 1, 2, ... seconds
        case 1:
            return Entry(MenuId::Size, 5, 30 + v);  // "&User" zoom
        case 2:
            return Entry(MenuId::Volume, 4, v);  // "&User" volume
        case 3:
            return Entry(MenuId::Speed, 4, 30 + v);  // "&User" speed
        case 4:
            return Entry(MenuId::Effect, 1 + v % 29);  // an effect
        case 5:
            return Entry(MenuId::Loop, 4, 2 + v);  // "Loop N times"
        case 6:
            return Entry(MenuId::HPos, 2, 10 + v);  // "&User" position
        case 7:
            return Entry(MenuId::VPos, 2, 10 + v);
        default:
            return Entry(MenuId::Colour, 2 + v % 16);  // a colour, never the black of "&Add Slides"
    }
}

void Run(const char* title, int slides, int globals, bool alternating) {
    SlideTable table = MakeShow(slides, alternating);
    SlideTable bare = table;
    const std::size_t heapBefore = liveBytes;
    SlideHistory history;
    double recorded = 0, plain = 0, recordedCpu = 0, plainCpu = 0;
    for (int k = 0; k < globals; ++k) {
        const Choice g = GlobalOfRound(k);
        auto start = Clock::now();
        double cpu = CpuMillis();
        history.ApplyChoice(table, g, true);
        recorded += Millis(start);
        recordedCpu += CpuMillis() - cpu;
        start = Clock::now();
        cpu = CpuMillis();
        ApplyChoice(bare, g, true);
        plain += Millis(start);
        plainCpu += CpuMillis() - cpu;
    }
    const std::size_t heapHeld = liveBytes - heapBefore;
    std::printf("%s: %d slides, %d Globals recorded as %lu steps\n", title, slides, globals,
                static_cast<unsigned long>(history.StepCount()));
    std::printf("  history holds      %9.2f MB by its count, %9.2f MB live on the heap\n",
                history.MemoryBytes() / 1048576.0, heapHeld / 1048576.0);
    std::printf("  a Global           %9.2f ms recorded, %9.2f ms bare (mean; processor %.2f and %.2f ms)\n",
                recorded / globals, plain / globals, recordedCpu / globals, plainCpu / globals);

    auto start = Clock::now();
    const double cpu = CpuMillis();
    history.Undo(table);
    const double undoOne = Millis(start), undoOneCpu = CpuMillis() - cpu;
    start = Clock::now();
    history.Redo(table);
    const double redoOne = Millis(start);
    start = Clock::now();
    int undone = 0;
    while (history.Undo(table)) ++undone;
    const double undoAll = Millis(start);
    const bool same = table.rows() == MakeShow(slides, alternating).rows();
    std::printf("  undo one Global    %9.2f ms (processor %.2f ms), redo it %.2f ms; undo all %d: %.2f ms (%s)\n",
                undoOne, undoOneCpu, redoOne, undone, undoAll, same ? "back at the start" : "NOT BACK AT THE START");
}

}  // namespace

int main(int argc, char** argv) {
    const int slides = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int globals = argc > 2 ? std::atoi(argv[2]) : 100;
    if (slides < 1 || globals < 1) return 2;
    Run("kinds in runs", slides, globals, false);
    Run("kinds alternating", slides, globals, true);
    return 0;
}

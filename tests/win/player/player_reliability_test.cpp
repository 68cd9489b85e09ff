// Opening and closing the player many times in one process: windows, timers, GDI and USER
// objects and MCI device IDs must not pile up. Prints the counts at the start and the end.
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "morvel32.h"
#include "win/player/player_test_support.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

// The ID the MCI layer hands out next: a leaked device keeps its ID taken.
MCIDEVICEID ProbeDeviceId(const std::string& clip) {
    char answer[64] = {};
    if (mciSendStringA(("open \"" + clip + "\" type avivideo alias probe").c_str(), answer, sizeof answer, nullptr))
        return 0;
    const MCIDEVICEID id = mciGetDeviceIDA("probe");
    mciSendStringA("close probe", answer, sizeof answer, nullptr);
    return id;
}

// The GDI objects alive in the process. The object counters read 0 under Wine and the slot a new
// object takes is the one freed last, so the handle table is read itself: a handle that is a bare
// table index names whatever lives in that slot.
unsigned LiveGdiObjects() {
    unsigned live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
    }
    return live;
}

// The table slot of a fresh window: freed slots are handed out again, so a leak shows as slots
// that climb.
unsigned WindowSlot() {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const unsigned slot = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window) & 0xFFFF);
    DestroyWindow(window);
    return slot;
}

TEST(PlayerReliability, TwoHundredOpensAndClosesLeaveNothingBehind) {
    RemoveSettings();
    TempFolder folder("reliability");
    const std::string clip = PrepareClip(folder, "clip.avi", AviClip{64, 48, 8, 15, 24, false, 1});
    // One round first, so that what the system loads once (drivers, fonts) is not counted.
    ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
    ClosePlayerIfOpen();
    PumpFor(200);
    const ResourceCounts start = CountResources();
    const MCIDEVICEID startId = ProbeDeviceId(clip);
    const unsigned startGdi = LiveGdiObjects(), startWindow = WindowSlot();
    constexpr int kRounds = 200;
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_EQ(VideoWinPlayer95(round % 3, 0), 1) << "round " << round;
        if (round % 2 == 0) PressMediaButton(MORVEL_MEDIA_PLAY);
        PumpMessages();
        VideoWinClose95();
        VideoWinClose95();
        ASSERT_EQ(PlayerWindow(), nullptr) << "round " << round;
        ASSERT_EQ(VideoWinStatus95(), 0) << "round " << round;
    }
    PumpFor(300);
    const ResourceCounts end = CountResources();
    const MCIDEVICEID endId = ProbeDeviceId(clip);
    const unsigned endGdi = LiveGdiObjects(), endWindow = WindowSlot();
    std::printf(
        "after %d players: windows %d -> %d, GDI objects %lu -> %lu, USER objects %lu -> %lu, "
        "threads %d -> %d, next MCI device ID %u -> %u, live GDI objects %u -> %u, "
        "next window slot %u -> %u\n",
        kRounds, start.windows, end.windows, start.gdiObjects, end.gdiObjects, start.userObjects, end.userObjects,
        start.threads, end.threads, startId, endId, startGdi, endGdi, startWindow, endWindow);
    // A timer left behind would fire into a destroyed window; none may be pending.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(end.windows, start.windows);
    EXPECT_EQ(endId, startId);
    // One brush or font left behind per player would add hundreds.
    EXPECT_LE(endGdi, startGdi + 20) << "GDI objects pile up";
    // The live count above is the GDI leak check; the handle slot only guards against windows the
    // count cannot see. The system's handle reuse varies with timing, so the bound is half the
    // rounds: a window left behind per round would still exceed it.
    EXPECT_LE(endWindow, startWindow + kRounds / 2) << "windows pile up";
    EXPECT_EQ(end.threads, start.threads);
    RemoveSettings();
}

}  // namespace

// The player between its host and its device: a host that destroys the window itself, host
// calls that arrive while the driver's configuration dialog runs, the hourglass for the whole of
// a wait, clip names that are not regular files, and the audio-only refusal that only Wine's
// driver needs. The driver's dialog and the system outside Wine are played by replacing the
// DLL's imports of mciSendCommandA and GetProcAddress.
#include <windows.h>

#include <mmsystem.h>

#include <digitalv.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "morvel32.h"
#include "win/player/player_test_support.h"
#include "win/support/import_patch.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

using MciSend = MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
using ProcLookup = FARPROC(WINAPI*)(HMODULE, LPCSTR);

constexpr MCIERROR kPassOn = ~MCIERROR{0};
MciSend realMci = nullptr;
ProcLookup realGetProcAddress = nullptr;
// Sees each command of the DLL first; kPassOn sends it on to the device.
std::function<MCIERROR(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR)> onMci;

MCIERROR WINAPI FakeMci(MCIDEVICEID id, UINT msg, DWORD_PTR flags, DWORD_PTR parms) {
    if (onMci) {
        const MCIERROR answer = onMci(id, msg, flags, parms);
        if (answer != kPassOn) return answer;
    }
    return realMci(id, msg, flags, parms);
}

// A system without Wine's marker in ntdll.
FARPROC WINAPI GetProcAddressOutsideWine(HMODULE module, LPCSTR name) {
    if (HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0 && std::strcmp(name, "wine_get_version") == 0) return nullptr;
    return realGetProcAddress(module, name);
}

HMODULE Dll() {
    return GetModuleHandleA("morvel32.dll");
}

bool DeviceOpen(MCIDEVICEID id) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    return realMci(id, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) == 0;
}

// The ID the MCI layer hands out next: a device left open keeps its ID taken.
MCIDEVICEID NextDeviceId(const std::string& clip) {
    char answer[64] = {};
    if (mciSendStringA(("open \"" + clip + "\" type avivideo alias probe").c_str(), answer, sizeof answer, nullptr))
        return 0;
    const MCIDEVICEID id = mciGetDeviceIDA("probe");
    mciSendStringA("close probe", answer, sizeof answer, nullptr);
    return id;
}

void MoveMouseTo(POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class PlayerHostTest : public testing::Test {
protected:
    void SetUp() override {
        RemoveSettings();
        realMci = reinterpret_cast<MciSend>(mciPatch_.original());
        ASSERT_TRUE(mciPatch_.active()) << "the DLL calls mciSendCommandA";
    }
    void TearDown() override {
        onMci = nullptr;
        ClosePlayerIfOpen();
        RemoveSettings();
    }
    void Open(int playMode) {
        clip_ = PrepareClip(folder_, "host.avi", AviClip{160, 120, 60, 15, 24, false, 1});
        ASSERT_EQ(VideoWinPlayer95(playMode, 0), 1);
        ASSERT_TRUE(WaitForStatus("Stopped Frame:0"));
    }
    // Opens the clip expecting the error box; returns the box's text.
    std::string OpenExpectingBox() {
        std::string text;
        int result = -1;
        DriveModal([&] { result = VideoWinPlayer95(0, 0); },
                   [&] {
                       const auto box = WaitForMessageBox();
                       ASSERT_TRUE(box.has_value());
                       text = box->text;
                       AnswerMessageBox(*box, IDOK);
                   });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(PlayerWindow(), nullptr);
        return text;
    }

    TempFolder folder_{"host"};
    std::string clip_;
    ImportPatch mciPatch_{Dll(), "winmm.dll", "mciSendCommandA", reinterpret_cast<void*>(&FakeMci)};
};

TEST_F(PlayerHostTest, WindowDestroyedByTheHostEndsThePlayer) {
    PrepareClip(folder_, "host.avi", AviClip{160, 120, 60, 15, 24, false, 1});
    const MCIDEVICEID freeId = NextDeviceId(folder_ / "host.avi");
    Open(2);
    PressMediaButton(MORVEL_MEDIA_PLAY);
    ASSERT_TRUE(WaitForStatusPrefix("Playing Frame:"));
    VideoWinClose95();  // a pending request must not outlive the window either
    ASSERT_TRUE(DestroyWindow(PlayerWindow()));
    EXPECT_EQ(VideoWinStatus95(), 0);
    EXPECT_EQ(NextDeviceId(clip_), freeId) << "the device was closed";
    PumpFor(700);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) << "no tick left behind";
    // The next player starts afresh: no close request is left over to end it at its first tick.
    ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
    PumpFor(1200);
    EXPECT_NE(PlayerWindow(), nullptr);
    EXPECT_EQ(VideoWinStatus95(), 256);
}

TEST_F(PlayerHostTest, HostCallsDuringTheDriversDialogWaitForIt) {
    Open(0);
    MCIDEVICEID configured = 0;
    bool windowDuring = false, deviceOpenDuring = false;
    int secondPlayer = -1;
    onMci = [&](MCIDEVICEID id, UINT msg, DWORD_PTR, DWORD_PTR) -> MCIERROR {
        if (msg != MCI_CONFIGURE) return kPassOn;
        // The dialog's loop runs the host's messages: the host asks twice to close, then for
        // another player.
        configured = id;
        VideoWinClose95();
        VideoWinClose95();
        secondPlayer = VideoWinPlayer95(0, 0);
        windowDuring = PlayerWindow() != nullptr;
        deviceOpenDuring = DeviceOpen(id);
        return 0;
    };
    PlayerCommand(MORVEL_ID_MNUCONFIGURE);
    onMci = nullptr;
    ASSERT_NE(configured, 0u);
    EXPECT_TRUE(windowDuring) << "the window stays while the driver's dialog is open";
    EXPECT_TRUE(deviceOpenDuring) << "the device is not closed under the driver's dialog";
    EXPECT_EQ(secondPlayer, 0) << "no second player while the first cannot close";
    EXPECT_TRUE(WaitUntil([] { return PlayerWindow() == nullptr; }, Millis(3000)))
        << "the close request is carried out once the dialog has returned";
    EXPECT_EQ(VideoWinStatus95(), 0);
    EXPECT_FALSE(DeviceOpen(configured));
}

TEST_F(PlayerHostTest, HourglassStaysWhileTheDriversDialogWaits) {
    Open(0);
    const HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    const POINT video = CentreOf(Descendant(PlayerWindow(), MORVEL_ID_VIDEOWIN));
    MoveMouseTo(POINT{video.x + 40, video.y + 30});
    PumpFor(200);
    bool waitAfterMove = false;
    onMci = [&](MCIDEVICEID, UINT msg, DWORD_PTR, DWORD_PTR) -> MCIERROR {
        if (msg != MCI_CONFIGURE) return kPassOn;
        // The user moves the mouse over the window while the dialog's loop runs.
        MoveMouseTo(video);
        PumpFor(300);
        waitAfterMove = GetCursor() == wait;
        return 0;
    };
    PlayerCommand(MORVEL_ID_MNUCONFIGURE);
    onMci = nullptr;
    EXPECT_TRUE(waitAfterMove) << "the hourglass went at the mouse move";
    MoveMouseTo(POINT{video.x + 20, video.y + 10});
    PumpFor(300);
    EXPECT_NE(GetCursor(), wait) << "the arrow is back once the wait is over";
}

TEST_F(PlayerHostTest, PipeNameCannotHangTheWindow) {
    const std::string pipe = "\\\\.\\pipe\\morvel-clip.avi";
    HANDLE server =
        CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    SetSaveName(pipe);
    bool hung = false;
    std::string text;
    int result = -1;
    DriveModal([&] { result = VideoWinPlayer95(0, 0); },
               [&] {
                   auto box = WaitForMessageBox(Millis(8000));
                   if (!box) {
                       hung = true;  // reading the pipe: let the read end so that the test can go on
                       CloseHandle(server);
                       server = INVALID_HANDLE_VALUE;
                       box = WaitForMessageBox();
                   }
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               },
               Millis(20000));
    if (server != INVALID_HANDLE_VALUE) CloseHandle(server);
    EXPECT_FALSE(hung) << "the window waited for data from a pipe";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(PlayerWindow(), nullptr);
    EXPECT_NE(text.find("ErrCode="), std::string::npos) << text;
}

TEST_F(PlayerHostTest, AudioOnlyClipGoesToTheDeviceOutsideWine) {
    ImportPatch lookup(Dll(), "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&GetProcAddressOutsideWine));
    ASSERT_TRUE(lookup.active()) << "the DLL looks for Wine's marker with GetProcAddress";
    realGetProcAddress = reinterpret_cast<ProcLookup>(lookup.original());
    const std::string clip = PrepareClip(folder_, "sound.avi", AviClip{0, 0, 0, 10, 24, true, 1});
    std::string opened;
    onMci = [&](MCIDEVICEID, UINT msg, DWORD_PTR, DWORD_PTR parms) -> MCIERROR {
        if (msg != MCI_OPEN) return kPassOn;
        opened = reinterpret_cast<MCI_OPEN_PARMSA*>(parms)->lpstrElementName;
        return MCIERR_FILE_NOT_FOUND;  // Wine's driver itself would fault on this clip
    };
    const std::string text = OpenExpectingBox();
    EXPECT_EQ(opened, clip) << "outside Wine the device decides";
    EXPECT_NE(text.find("ErrCode=275"), std::string::npos) << text;
}

TEST_F(PlayerHostTest, AudioOnlyClipIsRefusedUnderWine) {
    PrepareClip(folder_, "sound.avi", AviClip{0, 0, 0, 10, 24, true, 1});
    bool opened = false;
    onMci = [&](MCIDEVICEID, UINT msg, DWORD_PTR, DWORD_PTR) -> MCIERROR {
        if (msg == MCI_OPEN) opened = true;
        return kPassOn;
    };
    const std::string text = OpenExpectingBox();
    EXPECT_FALSE(opened) << "Wine's driver never sees a clip without video";
    EXPECT_NE(text.find("ErrCode=296"), std::string::npos) << text;
}

}  // namespace

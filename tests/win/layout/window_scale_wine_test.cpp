// Each window kind as a user of a high-density screen sees it: opened the way a user opens it,
// then checked from the live window (texts, fonts, item heights, overlaps, children inside their
// parents, the seek bar's thumb, the work area). The run's resolution comes from the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "morvel32.h"
#include "win/explorer/explorer_fixture.h"
#include "win/player/player_test_support.h"
#include "win/support/layout_check.h"

using namespace morvel::test;

namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Checks the window and prints what was measured, so that a run's log holds the figures.
void ExpectLaidOut(HWND window, const std::string& what, std::span<const int> mayOverflow = {}) {
    ASSERT_NE(window, nullptr) << what;
    PumpMessages();
    const LayoutReport report = CheckLayout(window, mayOverflow);
    std::printf("[%s at %d dpi] %s\n", what.c_str(), ScreenDpi(), Describe(report).c_str());
    EXPECT_TRUE(report.problems.empty()) << what << ": " << Describe(report);
}

class WindowScaleTest : public ExplorerTest {
protected:
    void SetUp() override {
        ExplorerTest::SetUp();
        for (const char* name : {"beach.bmp", "a rather long picture name.bmp", "show.avl"}) {
            HANDLE file = CreateFileA((folder_ / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
        HostWrite("LastDir", folder_.path());
    }
    void TearDown() override {
        ClosePlayerIfOpen();
        ExplorerTest::TearDown();
    }
    TempFolder folder_{"window scale"};
};

TEST_F(WindowScaleTest, ExpectedResolution) {
    const char* asked = std::getenv("MORVEL_DPI");
    EXPECT_EQ(ScreenDpi(), asked ? std::atoi(asked) : 96) << "the prefix's LogPixels reach the program";
}

TEST_F(WindowScaleTest, Explorer) {
    HostWindow host;
    RemoteWin95(host.handle(), 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(GetDlgItem(explorer, MORVEL_ID_XFILES), LB_GETCOUNT, 0, 0) > 0; }));
    ExpectLaidOut(explorer, "Explorer");
    // The rename dialog of the first entry, a file.
    DriveModal([&] { MenuCommand(explorer, MORVEL_ID_MNUFRENAME); },
               [&] {
                   HWND rename = WaitForWindow("Rename File", "TRenameForm");
                   ExpectLaidOut(rename, "Rename dialog");
                   if (rename) PostMessageA(rename, WM_CLOSE, 0, 0);
                   EXPECT_TRUE(WaitForWindowGone("Rename File"));
               });
}

TEST_F(WindowScaleTest, ExplorerDialog) {
    RunDialog(24, "Save File", [&](HWND dialog) {
        ExpectLaidOut(dialog, "Explorer dialog");
        ClickControl(dialog, MORVEL_ID_BTNEXIT);
    });
}

TEST_F(WindowScaleTest, EditorAndNumericEntry) {
    DriveModal([] { EditorWin95(); },
               [] {
                   HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
                   ExpectLaidOut(editor, "Editor");
                   if (!editor) return;
                   ClickControl(editor, MORVEL_ID_BTNCD);
                   HWND dialog = WaitForWindow("CD Audio Track Selection", "TScrlDlg");
                   ExpectLaidOut(dialog, "Numeric entry");
                   if (dialog) ClickControl(dialog, MORVEL_ID_SCRL_BTNCANCEL);
                   EXPECT_TRUE(WaitForWindowGone("CD Audio Track Selection"));
                   ClickControl(editor, MORVEL_ID_BTNQUIT);
               },
               Millis(30000));
}

TEST_F(WindowScaleTest, CompressionDialog) {
    // The preset list (CMP) and the two bars (enhanced JPEG) are the dialog's two arrangements;
    // the list opens on its widest preset.
    HostWrite("SaveCMP", "7");
    for (const int format : {2, 5}) {
        RunDialog(24, "Save File", [&](HWND explorer) {
            ChooseFileType(explorer, format);
            Click(GetDlgItem(explorer, MORVEL_ID_BTNJPEG));
            HWND dialog = WaitForWindow("Compression Setting", "TUserCompress");
            ExpectLaidOut(dialog, "Compression dialog, format position " + std::to_string(format));
            if (dialog) ClickControl(dialog, MORVEL_ID_COMPRESS_BTNCANCEL);
            EXPECT_TRUE(WaitForWindowGone("Compression Setting"));
            ClickControl(explorer, MORVEL_ID_BTNEXIT);
        });
    }
}

TEST_F(WindowScaleTest, PlayerAndPlaybackOptions) {
    // A clip narrower than three scroll arrows beside the media bar and the menu button.
    for (const int width : {32, 160}) {
        PrepareClip(folder_, "clip.avi", {.width = width, .height = 24, .frames = 20});
        ASSERT_EQ(VideoWinPlayer95(1, 0), 1);
        ASSERT_TRUE(WaitForStatus("Stopped Frame:0")) << StatusText();
        // The picture is fitted one pixel larger than its area on purpose.
        const int picture[] = {MORVEL_ID_VIDEOWIN};
        ExpectLaidOut(PlayerWindow(), "Player, clip " + std::to_string(width) + " px wide", picture);
        ClosePlayerIfOpen();
    }
    PrepareClip(folder_, "clip.avi", {});
    ASSERT_EQ(VideoWinPlayer95(1, 0), 1);
    ASSERT_TRUE(WaitForStatus("Stopped Frame:0")) << StatusText();
    DriveModal(
        [] {
            PostMessageA(PlayerWindow(), WM_COMMAND, MORVEL_ID_VIDEOOPTIONS1, 0);
            PumpFor(1500);
        },
        [&] {
            HWND dialog = WaitForWindow("Playback Options", "TVidOptions");
            ExpectLaidOut(dialog, "Playback options");
            if (dialog) ClickControl(dialog, MORVEL_ID_BUTTONCANCEL);
            EXPECT_TRUE(WaitForWindowGone("Playback Options"));
        },
        Millis(15000));
}

}  // namespace

// The test harness itself: what the tests of windows rely on must hold, or their failures mean
// nothing.
#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "win/support/test_env.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

TEST(VirtualDesktop, ScreenHasTheRequestedSize) {
    const char* requested = std::getenv("MORVEL_DESKTOP");
    ASSERT_NE(requested, nullptr) << "run with MORVEL_DESKTOP=WxH";
    const std::string size = requested;
    const int width = std::atoi(size.c_str());
    const int height = std::atoi(size.c_str() + size.find('x') + 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
}

TEST(UiDriver, ReadsAndAnswersAMessageBox) {
    int pressed = 0;
    std::string caption, text;
    DriveModal([&] { pressed = MessageBoxA(nullptr, "Delete 3 files?", "Harness", MB_YESNO | MB_ICONQUESTION); },
               [&] {
                   auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   caption = box->caption;
                   text = box->text;
                   AnswerMessageBox(*box, IDNO);
               });
    EXPECT_EQ(caption, "Harness");
    EXPECT_EQ(text, "Delete 3 files?");
    EXPECT_EQ(pressed, IDNO);
}

TEST(UiDriver, FindsControlsByIdAndSetsAndClicks) {
    HWND window = CreateWindowExA(0, "#32770", "Harness Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20, window,
                                reinterpret_cast<HMENU>(101), nullptr, nullptr);
    HWND check = CreateWindowExA(0, "BUTTON", "Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5, 30, 200, 20, window,
                                 reinterpret_cast<HMENU>(102), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(WaitForWindow("Harness Window"), window);
    SetText(Control(window, 101), "c:\\pictures\\a.bmp");
    EXPECT_EQ(TextOf(Control(window, 101)), "c:\\pictures\\a.bmp");
    ClickControl(window, 102);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    DestroyWindow(window);
    EXPECT_TRUE(WaitForWindowGone("Harness Window"));
}

TEST(UiDriver, RunExpectingBoxReturnsTheTextAndPressesTheButton) {
    int pressed = 0;
    const std::string text =
        RunExpectingBox([&] { pressed = MessageBoxA(nullptr, "Overwrite a.bmp?", "Harness", MB_YESNO); }, IDNO);
    EXPECT_EQ(text, "Overwrite a.bmp?");
    EXPECT_EQ(pressed, IDNO);
}

TEST(UiDriver, RunExpectingBoxWithoutABoxFailsAtOnce) {
    const auto start = GetTickCount();
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(RunExpectingBox([] {}, IDOK), "the action returned without one");
    EXPECT_LT(GetTickCount() - start, 5000u) << "waited for a box after the action had returned";
}

TEST(UiDriver, DescendantsAreFoundInsidePanels) {
    HWND window = CreateWindowExA(0, "#32770", "Harness Panels", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HWND panel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 100, window,
                                 reinterpret_cast<HMENU>(200), nullptr, nullptr);
    HWND inner = CreateWindowExA(0, "BUTTON", "Inner", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, panel,
                                 reinterpret_cast<HMENU>(201), nullptr, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(DescendantControl(window, 201), inner);
    EXPECT_EQ(DescendantControl(window, 200), panel);
    EXPECT_NONFATAL_FAILURE(Control(window, 201), "no control with ID 201");
    EXPECT_NONFATAL_FAILURE(DescendantControl(window, 202), "no control with ID 202");
    DestroyWindow(window);
}

TEST(UiDriver, StepsThatCouldNotBeDoneAreReported) {
    EXPECT_NONFATAL_FAILURE(Click(nullptr), "click on no control");
    EXPECT_NONFATAL_FAILURE(ClickControl(nullptr, 5), "no control with ID 5");
    HWND gone = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_NONFATAL_FAILURE(SetText(gone, "x"), "no such control");
    EXPECT_NONFATAL_FAILURE(Click(gone), "click on no control");

    // A "box" that ignores its buttons: the core says so, and the adapter records it.
    HWND stubborn = CreateWindowExA(0, "STATIC", "Stubborn", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(stubborn, nullptr);
    const morvel::driver::MessageBoxSeen box{stubborn, "Stubborn", "stays"};
    const morvel::driver::Outcome answered = morvel::driver::AnswerMessageBox(box, IDOK, Millis(200));
    EXPECT_FALSE(answered.ok());
    EXPECT_NE(answered.problem.find("did not close"), std::string::npos) << answered.problem;
    DestroyWindow(stubborn);
}

TEST(UiDriver, WaitingForAWindowThatNeverComesFailsInsteadOfHanging) {
    EXPECT_NONFATAL_FAILURE(WaitForWindow("No Such Window", "", Millis(200)), "No Such Window");
}

TEST(UiDriver, ModalWindowLeftOpenByTheDriverIsClosed) {
    int pressed = -1;
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        DriveModal([&] { pressed = MessageBoxA(nullptr, "Nobody answers", "Harness", MB_OK); }, [] {}, Millis(300)),
        "did not close");
    EXPECT_NE(pressed, -1) << "the message box returned";
}

TEST(TestEnv, ImmutableFileRefusesWritesUntilReleased) {
    TempFolder folder("immutable");
    const std::string file = folder / "locked.txt";
    ASSERT_TRUE(WriteBytes(file, "before"));
    {
        Immutable locked(file);
        ASSERT_TRUE(locked.active());
        EXPECT_FALSE(WriteBytes(file, "after"));
    }
    EXPECT_TRUE(WriteBytes(file, "after"));
    EXPECT_EQ(ReadBytes(file).value_or(""), "after");
}

TEST(TestEnv, MorvelIniToolRunsAndReportsItsResult) {
    TempFolder folder("tool");
    const std::string file = folder / "x.ini";
    ProgramRun set = RunMorvelIni({"set", file, "morvel", "LastDir", "C:\\PICTURES\\"});
    EXPECT_EQ(set.exitCode, 0u) << set.output;
    ProgramRun get = RunMorvelIni({"get", file, "MORVEL", "lastdir"});
    EXPECT_EQ(get.exitCode, 0u);
    EXPECT_EQ(get.output, "C:\\PICTURES\\\r\n") << "one value, one line, as Windows programs end lines";
    char buffer[64] = {};
    GetPrivateProfileStringA("morvel", "LastDir", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "C:\\PICTURES\\");
}

// The player's keys, pressed on the keyboard: exact modifiers, Esc with any, Ctrl+M's menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "morvel32.h"
#include "win/player/player_test_support.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

// Presses the modifiers, then the key, then lets everything go.
void Press(std::initializer_list<WORD> modifiers, WORD key) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD m : modifiers) add(m, false);
    add(key, false);
    add(key, true);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) add(*m, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(400);
}

// Holds the key down: the keyboard repeats the key-down before the key-up.
void Hold(WORD key, int repeats) {
    std::vector<INPUT> inputs(static_cast<std::size_t>(repeats) + 2);
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs.back().ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(400);
}

void Mouse(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpFor(150);
}

HWND FocusOfThread() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info.hwndFocus;
}

class PlayerKeysTest : public testing::Test {
protected:
    void SetUp() override {
        RemoveSettings();
        PrepareClip(folder_, "keys.avi", AviClip{160, 120, 40, 15, 24, false, 1});
        OpenPlayer();
    }
    void OpenPlayer() {
        ASSERT_EQ(VideoWinPlayer95(0, 0), 1);
        ASSERT_TRUE(WaitForStatus("Stopped Frame:0"));
        SetForegroundWindow(PlayerWindow());
        PumpFor(200);
    }
    void TearDown() override {
        ClosePlayerIfOpen();
        RemoveSettings();
    }
    TempFolder folder_{"keys"};
};

TEST_F(PlayerKeysTest, ZoomKeysNeedCtrlAlone) {
    const SIZE normal = VideoAreaSize();
    ASSERT_EQ(normal.cx, 160);
    ASSERT_EQ(normal.cy, 120);
    struct Case {
        const char* name;
        std::vector<WORD> modifiers;
        bool zooms;
    };
    const std::vector<Case> cases = {
        {"Ctrl+Alt+2", {VK_CONTROL, VK_MENU}, false},
        {"Shift+Ctrl+2", {VK_SHIFT, VK_CONTROL}, false},
        {"2 alone", {}, false},
        {"Ctrl+2", {VK_CONTROL}, true},
    };
    for (const Case& c : cases) {
        switch (c.modifiers.size()) {
            case 0:
                Press({}, '2');
                break;
            case 1:
                Press({c.modifiers[0]}, '2');
                break;
            default:
                Press({c.modifiers[0], c.modifiers[1]}, '2');
                break;
        }
        const SIZE expected = c.zooms ? SIZE{320, 240} : normal;
        EXPECT_EQ(VideoAreaSize().cx, expected.cx) << c.name;
        EXPECT_EQ(VideoAreaSize().cy, expected.cy) << c.name;
    }
    Press({VK_CONTROL}, '1');
    EXPECT_EQ(VideoAreaSize().cx, 160) << "Ctrl+1";
    EXPECT_EQ(VideoAreaSize().cy, 120) << "Ctrl+1";
}

TEST_F(PlayerKeysTest, PlayAndPauseKeys) {
    Press({VK_CONTROL}, VK_INSERT);
    EXPECT_EQ(VisibleButtons(), 33) << "Ctrl+Insert does not play";
    Press({VK_SHIFT}, VK_INSERT);
    EXPECT_EQ(VisibleButtons(), 6) << "Shift+Insert plays";
    Press({VK_SHIFT}, VK_DELETE);
    EXPECT_EQ(VisibleButtons(), 33) << "Shift+Delete pauses";
    PumpFor(700);
    EXPECT_EQ(StatusText().rfind("Paused", 0), std::string::npos) << "the tick stopped with the pause";
}

TEST_F(PlayerKeysTest, EscWithCtrlIsACloseRequest) {
    Press({VK_CONTROL}, VK_ESCAPE);
    EXPECT_NE(PlayerWindow(), nullptr) << "the first request waits for the next tick";
    EXPECT_EQ(VideoWinStatus95(), 256);
    Press({}, VK_ESCAPE);
    EXPECT_EQ(PlayerWindow(), nullptr) << "the second closes at once";
}

TEST_F(PlayerKeysTest, CtrlMOpensTheMenuAndItStaysOpen) {
    HWND window = PlayerWindow();
    bool menuSeen = false;
    RECT menuRect{};
    DriveModal([] { Press({VK_CONTROL}, 'M'); },
               [&] {
                   menuSeen = WaitUntil(
                       [&] {
                           HWND menu = FindWindowA("#32768", nullptr);
                           if (menu == nullptr || !IsWindowVisible(menu)) return false;
                           GetWindowRect(menu, &menuRect);
                           return true;
                       },
                       Millis(3000));
                   Sleep(300);  // a carriage return left in the queue would have closed it by now
                   HWND menu = FindWindowA("#32768", nullptr);
                   menuSeen = menuSeen && menu != nullptr && IsWindowVisible(menu);
                   PostMessageA(window, WM_CANCELMODE, 0, 0);
                   keybd_event(VK_ESCAPE, 0, 0, 0);
                   keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
               });
    EXPECT_TRUE(menuSeen);
    RECT w;
    GetWindowRect(window, &w);
    EXPECT_EQ(menuRect.left, w.left + (w.right - w.left) / 2) << "at the window's horizontal centre";
    EXPECT_EQ(menuRect.top, w.top + (w.bottom - w.top) / 4) << "a quarter of the way down";
}

TEST_F(PlayerKeysTest, HeldEscIsOneCloseRequestWhicheverControlHasTheFocus) {
    struct Case {
        const char* name;
        int id;  // 0: the window itself
    };
    for (const Case c : {Case{"the window", 0}, Case{"the seek bar", MORVEL_ID_XSCROLLBAR1},
                         Case{"the menu button", MORVEL_ID_MENUBUTTON}}) {
        SCOPED_TRACE(c.name);
        if (PlayerWindow() == nullptr) OpenPlayer();
        HWND window = PlayerWindow();
        HWND target = c.id ? Descendant(window, c.id) : window;
        ASSERT_EQ(GetForegroundWindow(), window);
        SetFocus(target);
        ASSERT_EQ(FocusOfThread(), target);
        Hold(VK_ESCAPE, 3);
        EXPECT_NE(PlayerWindow(), nullptr) << "a held Esc is one close request";
        EXPECT_EQ(VideoWinStatus95(), 256);
        ClosePlayerIfOpen();
    }
}

TEST_F(PlayerKeysTest, KeysWorkAfterAPressOnTheMenuButtonThatIsNoClick) {
    HWND window = PlayerWindow();
    HWND button = Descendant(window, MORVEL_ID_MENUBUTTON);
    ASSERT_NE(button, nullptr);
    RECT r{};
    GetWindowRect(button, &r);
    // Pressed on the button, released beside it: no click, and the button keeps the focus.
    Mouse(0, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    Mouse(MOUSEEVENTF_LEFTDOWN, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    Mouse(0, POINT{r.left - 60, r.top - 40});
    Mouse(MOUSEEVENTF_LEFTUP, POINT{r.left - 60, r.top - 40});
    ASSERT_EQ(FocusOfThread(), button);
    const HWND menu = FindWindowA("#32768", nullptr);
    EXPECT_FALSE(menu != nullptr && IsWindowVisible(menu)) << "no menu: the press was no click";
    Press({VK_CONTROL}, '2');
    EXPECT_EQ(VideoAreaSize().cx, 320) << "Ctrl+2 reached the window";
    Press({}, VK_ESCAPE);
    Press({}, VK_ESCAPE);
    EXPECT_EQ(PlayerWindow(), nullptr) << "two Esc presses close the window";
}

}  // namespace

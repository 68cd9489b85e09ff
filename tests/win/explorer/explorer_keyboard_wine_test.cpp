// The Explorer as a keyboard user meets it: where the focus is when a window opens and when it is
// active again, the Tab cycle, the speed buttons, and a dialog that is modal to every window of
// the host. Keys are real input (SendInput to the foreground window); the focus is
// read with GetGUIThreadInfo and the activation with GetForegroundWindow.
#include "win/explorer/explorer_fixture.h"
#include "win/support/import_patch.h"

using namespace morvel::test;

namespace {

HWND FocusOf(HWND window) {
    GUITHREADINFO info{sizeof info};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Waits until the focus of the window's thread is on `expected`.
bool FocusReaches(HWND window, HWND expected) {
    return WaitUntil([&] { return FocusOf(window) == expected; }, Millis(3000));
}

INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// A key with modifiers held (VK_SHIFT, VK_MENU...), as one stroke.
void Press(WORD vk, std::initializer_list<WORD> modifiers = {}) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(Key(m, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) inputs.push_back(Key(*m, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpMessages();
}

void Type(const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan & 0x100) {
            Press(static_cast<WORD>(scan & 0xFF), {VK_SHIFT});
        } else {
            Press(static_cast<WORD>(scan & 0xFF));
        }
    }
}

// A left click at the middle of a button, as the mouse gives it to the button. The pointer itself
// is not moved: the test programs run side by side on desktops of one X display, which share it.
void ClickWithMouse(HWND button) {
    RECT r{};
    GetClientRect(button, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
}

void ShowAndActivate(HWND window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; });
}

int helpCalls = 0;
BOOL WINAPI CountHelp(HWND, LPCSTR, UINT, ULONG_PTR) {
    ++helpCalls;
    return TRUE;
}

// A window of the host whose procedure calls RemoteWin95 and RemoteWinUpdate95, as a host might
// from a timer or a message while a dialog runs.
class ReentrantHost {
public:
    explicit ReentrantHost(MorvelInt hostWindow) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "ExplorerReentrantHost";
        RegisterClassA(&cls);
        hwnd = CreateWindowExA(0, cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
        host = hostWindow;
    }
    ~ReentrantHost() { DestroyWindow(hwnd); }
    HWND hwnd = nullptr;
    static inline MorvelInt host = 0;
    static inline int calls = 0;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP) {
            RemoteWin95(host, 0);
            RemoteWinUpdate95();
            ++calls;
            return 0;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
};

}  // namespace

TEST_F(ExplorerTest, EveryDialogKindOpensWithTheFocusInTheFileList) {
    TempFolder root("focus");
    ASSERT_TRUE(WriteBytes(root / "a.bmp", "x"));
    ASSERT_TRUE(WriteBytes(root / "b.avl", "x"));
    HostWrite("LastDir", root.path());
    HostWrite("SavePath", root.path());
    const std::pair<int, const char*> kinds[] = {{0, "Save File"},
                                                 {24, "Save File"},
                                                 {108, "Convert Multiple Files"},
                                                 {252, "Replace Slide"},
                                                 {253, "Add Multiple Slides"},
                                                 {254, "Open Slideshow"}};
    for (const auto& [kind, caption] : kinds) {
        bool closedByEsc = false;
        const int result = RunDialog(kind, caption, [&, caption = caption](HWND dialog) {
            EXPECT_TRUE(FocusReaches(dialog, GetDlgItem(dialog, MORVEL_ID_XFILES))) << caption;
            Press(VK_ESCAPE);
            closedByEsc = WaitForWindowGone(caption, Millis(3000));
        });
        EXPECT_TRUE(closedByEsc) << caption << ": Esc reaches the window";
        EXPECT_EQ(result, -1) << caption;
    }
}

TEST_F(ExplorerTest, FocusComesBackAfterTheDialogsOwnMessageBox) {
    TempFolder root("refocus");
    HostWrite("LastDir", root.path());
    std::string typed;
    RunDialog(254, "Open Slideshow", [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, MORVEL_ID_EDIT1);
        Press('N', {VK_MENU});  // "File &name:"
        ASSERT_TRUE(FocusReaches(dialog, edit));
        Type("a*b.avl");
        Press(VK_RETURN);
        const auto box = WaitForMessageBox(Millis(3000));
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Invalid filename.\nPlease reenter.");
        AnswerMessageBox(*box, IDOK);
        EXPECT_TRUE(FocusReaches(dialog, edit)) << "the user can type again at once";
        Press(VK_END);
        Type("c");
        WaitUntil([&] { return TextOf(edit).size() == 8; }, Millis(3000));
        typed = TextOf(edit);
        Press(VK_ESCAPE);
    });
    EXPECT_EQ(typed, "a*b.avlc");
}

TEST_F(ExplorerTest, ModelessExplorerGivesTheFocusBackOnReactivation) {
    TempFolder root("modeless-focus");
    ASSERT_TRUE(WriteBytes(root / "a.bmp", "x"));
    HostWrite("LastDir", root.path());
    HostWindow host;
    ShowAndActivate(host.hwnd());
    RemoteWin95(host.handle(), 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    ASSERT_TRUE(FocusReaches(explorer, GetDlgItem(explorer, MORVEL_ID_XFILES)));
    Press(VK_TAB);
    HWND type = GetDlgItem(explorer, MORVEL_ID_FILTERCOMBOBOX1);
    ASSERT_TRUE(FocusReaches(explorer, type));

    ShowAndActivate(host.hwnd());
    EXPECT_NE(FocusOf(explorer), type);
    ShowAndActivate(explorer);
    EXPECT_TRUE(FocusReaches(explorer, type)) << "the control that had the focus has it again";
}

TEST_F(ExplorerTest, TabSkipsTheDisabledFileTypeBox) {
    TempFolder root("tab");
    ASSERT_TRUE(WriteBytes(root / "show.avl", "x"));
    HostWrite("LastDir", root.path());
    RunDialog(254, "Open Slideshow", [&](HWND d) {
        auto control = [&](int id) { return GetDlgItem(d, id); };
        ASSERT_TRUE(FocusReaches(d, control(MORVEL_ID_XFILES)));
        ASSERT_FALSE(IsWindowEnabled(control(MORVEL_ID_FILTERCOMBOBOX1)));
        const int forward[] = {MORVEL_ID_BTNOK, MORVEL_ID_BTNEXIT, MORVEL_ID_LOOKBOX, MORVEL_ID_XFILES};
        for (int id : forward) {
            Press(VK_TAB);
            EXPECT_TRUE(FocusReaches(d, control(id))) << "Tab to control " << id;
        }
        const int backward[] = {MORVEL_ID_LOOKBOX, MORVEL_ID_BTNEXIT, MORVEL_ID_BTNOK, MORVEL_ID_XFILES};
        for (int id : backward) {
            Press(VK_TAB, {VK_SHIFT});
            EXPECT_TRUE(FocusReaches(d, control(id))) << "Shift+Tab to control " << id;
        }
        Press(VK_ESCAPE);
    });
}

TEST_F(ExplorerTest, SpeedButtonsLeaveTheFocusWhereItWas) {
    ImportPatch patch(GetModuleHandleA("morvel32.dll"), "user32.dll", "WinHelpA", reinterpret_cast<void*>(CountHelp));
    ASSERT_TRUE(patch.active());
    TempFolder root("speed");
    HostWrite("LastDir", root.path());
    RunDialog(254, "Open Slideshow", [&](HWND d) {
        HWND edit = GetDlgItem(d, MORVEL_ID_EDIT1);
        Press('N', {VK_MENU});
        ASSERT_TRUE(FocusReaches(d, edit));
        helpCalls = 0;
        ClickWithMouse(GetDlgItem(d, MORVEL_ID_BTNHELP));
        ASSERT_TRUE(WaitUntil([] { return helpCalls == 1; }, Millis(3000))) << "the click reached the button";
        EXPECT_TRUE(FocusReaches(d, edit));
        EXPECT_EQ(FocusOf(d), edit) << "still there after the click";
        Type("x");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == "x"; }, Millis(3000))) << TextOf(edit);
        Press(VK_ESCAPE);
    });
}

TEST_F(ExplorerTest, DialogIsModalToEveryWindowOfTheHostAndGivesTheActivationBack) {
    TempFolder root("modal");
    HostWrite("LastDir", root.path());
    HostWindow host;
    HostWindow other;
    ShowWindow(other.hwnd(), SW_SHOW);
    RemoteWin95(host.handle(), 0);
    HWND modeless = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(modeless, nullptr);
    ShowAndActivate(host.hwnd());

    bool hostEnabled = true, otherEnabled = true, explorerEnabled = true;
    const int result = RunDialog(254, "Open Slideshow", [&](HWND d) {
        hostEnabled = IsWindowEnabled(host.hwnd());
        otherEnabled = IsWindowEnabled(other.hwnd());
        explorerEnabled = IsWindowEnabled(modeless);
        Press(VK_ESCAPE);
        WaitForWindowGone("Open Slideshow", Millis(3000));
        (void)d;
    });
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(hostEnabled);
    EXPECT_FALSE(otherEnabled);
    EXPECT_FALSE(explorerEnabled);
    EXPECT_TRUE(IsWindowEnabled(host.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(other.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(modeless));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == host.hwnd(); }, Millis(3000)))
        << "the host window is active again";
    // The modeless Explorer is the host's again: its calls reach it.
    RemoteWinClose95();
    EXPECT_TRUE(WaitForWindowGone("Morvel Explorer", Millis(3000)));
}

TEST_F(ExplorerTest, HostCallsDuringADialogLeaveItsModeAndKind) {
    TempFolder root("reentrant");
    ASSERT_TRUE(WriteBytes(root / "photo.jpg", "x"));
    HostWrite("SavePath", root.path());
    HostWindow host;
    ReentrantHost reentrant(host.handle());
    ReentrantHost::calls = 0;
    const int result = RunDialog(24, "Save File", [&](HWND d) {
        PostMessageA(reentrant.hwnd, WM_APP, 0, 0);
        ASSERT_TRUE(WaitUntil([] { return ReentrantHost::calls == 1; }, Millis(3000)));
        EXPECT_EQ(CaptionOf(d), "Save File");
        EXPECT_EQ(ComboSelection(GetDlgItem(d, MORVEL_ID_FILTERCOMBOBOX1)), "JPG JPEG/JFIF(Enhanced)");
        SetText(GetDlgItem(d, MORVEL_ID_EDIT1), "picture");
        ClickControl(d, MORVEL_ID_BTNOK);
        EXPECT_TRUE(WaitForWindowGone("Save File", Millis(3000)));
    });
    EXPECT_EQ(result, 99) << "the 24-bit dialog returns the chosen format's code";
    EXPECT_EQ(HostRead("MultiBPP"), "24");
    EXPECT_TRUE(host.codes.empty()) << "nothing is sent as from a modeless Explorer";
    EXPECT_EQ(FindProcessWindow("Morvel Explorer", "TFileForm"), nullptr);
}

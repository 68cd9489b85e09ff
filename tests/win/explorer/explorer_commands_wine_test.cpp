// Commands of the Explorer beyond the main listing: help contexts, keys, the open kinds 252 and
// 253 with a selection, the file commands that hand a file to the host, preview mode and the
// input-file view of the convert dialog.
#include "win/explorer/explorer_fixture.h"
#include "win/support/import_patch.h"
#include "win/support/keyboard.h"

using namespace morvel::test;

namespace {

struct HelpCall {
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};
std::vector<HelpCall> helpCalls;

BOOL WINAPI RecordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
    helpCalls.push_back({file ? file : "", command, data});
    return TRUE;
}

// Selects entries by text as the user does, the last one becoming current.
void Select(HWND explorer, const std::vector<std::string>& texts) {
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    const bool multi = (GetWindowLongA(list, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
    if (multi) SendMessageA(list, LB_SETSEL, FALSE, -1);
    const auto items = ListItems(list);
    for (const std::string& text : texts) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] != text) continue;
            if (multi) {
                SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
                SendMessageA(list, LB_SETCARETINDEX, i, FALSE);
            } else {
                SendMessageA(list, LB_SETCURSEL, i, 0);
            }
        }
    }
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void DoubleClickCurrent(HWND explorer) {
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
}

void Prepare(const TempFolder& root) {
    ASSERT_TRUE(CreateDirectoryA((root / "Deeper").c_str(), nullptr));
    for (const char* name : {"First Slide.bmp", "second.pcx", "show.avl"}) ASSERT_TRUE(WriteBytes(root / name, "x"));
}

}  // namespace

TEST_F(ExplorerTest, HelpOpensTheContextOfTheMode) {
    ImportPatch patch(GetModuleHandleA("morvel32.dll"), "user32.dll", "WinHelpA", reinterpret_cast<void*>(RecordHelp));
    ASSERT_TRUE(patch.active());
    helpCalls.clear();
    HostWindow host;
    RemoteWin95(host.handle(), 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    SendMessageA(GetDlgItem(explorer, MORVEL_ID_BTNHELP), BM_CLICK, 0, 0);
    RemoteWinClose95();
    RunDialog(0, "Save File", [](HWND d) {
        SendMessageA(GetDlgItem(d, MORVEL_ID_BTNHELP), BM_CLICK, 0, 0);
        ClickControl(d, MORVEL_ID_BTNEXIT);
    });
    RunDialog(254, "Open Slideshow", [](HWND d) {
        SendMessageA(GetDlgItem(d, MORVEL_ID_BTNHELP), BM_CLICK, 0, 0);
        ClickControl(d, MORVEL_ID_BTNEXIT);
    });
    ASSERT_EQ(helpCalls.size(), 3u);
    const ULONG_PTR contexts[] = {100, 101, 100};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(helpCalls[i].file, "MORVEL.HLP") << i;
        EXPECT_EQ(helpCalls[i].command, static_cast<UINT>(HELP_CONTEXT)) << i;
        EXPECT_EQ(helpCalls[i].data, contexts[i]) << i;
    }
}

TEST_F(ExplorerTest, EnterInTheNameFieldConfirmsAndEscCancels) {
    TempFolder root("keys");
    Prepare(root);
    HostWrite("LastDir", root.path());
    const int confirmed = RunDialog(254, "Open Slideshow", [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, MORVEL_ID_EDIT1);
        SetText(edit, "show");
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(edit, WM_CHAR, '\r', 0);
    });
    EXPECT_EQ(confirmed, 0);
    EXPECT_EQ(HostRead("LongName"), "show.AVL");
    const int cancelled = RunDialog(254, "Open Slideshow", [](HWND dialog) {
        PostMessageA(GetDlgItem(dialog, MORVEL_ID_XFILES), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(cancelled, -1);
}

TEST_F(ExplorerTest, ReplaceSlideTakesTheClickedFile) {
    TempFolder root("replace");
    Prepare(root);
    HostWrite("LastDir", root.path());
    const int result = RunDialog(252, "Replace Slide", [](HWND dialog) {
        Select(dialog, {"second.pcx"});
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_EDIT1)), "second.pcx");
        ClickControl(dialog, MORVEL_ID_BTNOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(HostRead("LongName"), "second.pcx");
    EXPECT_EQ(HostRead("SaveName"), ShortPathOf(root / "second.pcx"));
}

TEST_F(ExplorerTest, AddMultipleSlidesListsTheSelection) {
    TempFolder root("addmany");
    Prepare(root);
    HostWrite("LastDir", root.path());
    const int result = RunDialog(253, "Add Multiple Slides", [](HWND dialog) {
        // Only a folder selected: it opens, the dialog stays.
        Select(dialog, {"deeper\\"});
        ClickControl(dialog, MORVEL_ID_BTNOK);
        EXPECT_TRUE(WaitUntil([&] { return ShownFolder(dialog).find("Deeper") != std::string::npos; }));
        HWND up = GetDlgItem(dialog, MORVEL_ID_BTNUP);
        Click(up);
        WaitUntil([&] { return ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)).size() == 4; });
        Select(dialog, {"first slide.bmp", "second.pcx"});
        ClickControl(dialog, MORVEL_ID_BTNOK);
    });
    EXPECT_EQ(result, 0);
    const std::string shortRoot = ShortPathOf(root.path()) + "\\";
    const std::string first = ShortPathOf(root / "First Slide.bmp");
    const std::string expected = "[Directory]\r\nFiles=2\r\nName=" + shortRoot +
                                 "\r\n[1]\r\nF=" + first.substr(first.rfind('\\') + 1) + "\r\n[2]\r\nF=second.pcx\r\n";
    // The drive letter keeps the case of the Look-in entry the user went through.
    const std::string written = ReadBytes(exchange).value_or("");
    EXPECT_EQ(lstrcmpiA(written.c_str(), expected.c_str()), 0) << written;
    EXPECT_EQ(HostRead("SaveName"), "<absent>");
}

TEST_F(ExplorerTest, FileCommandsHandTheNamedFileToTheHost) {
    TempFolder root("filecmds");
    Prepare(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    RemoteWin95(host.handle(), 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    // A folder entry empties the name field: the commands do nothing.
    Select(explorer, {"deeper\\"});
    EXPECT_EQ(TextOf(GetDlgItem(explorer, MORVEL_ID_EDIT1)), "");
    for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFDELETE}) MenuCommand(explorer, id);
    EXPECT_TRUE(host.codes.empty());

    Select(explorer, {"first slide.bmp"});
    for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFDELETE}) MenuCommand(explorer, id);
    EXPECT_EQ(host.codes, (std::vector<LPARAM>{MORVEL_NOTIFY_INFO, MORVEL_NOTIFY_PREVIEW, MORVEL_NOTIFY_DELETE}));
    const std::string expected = "first slide.bmp|" + ShortPathOf(root / "First Slide.bmp");
    for (const std::string& seen : host.win95fileAtNotify) EXPECT_EQ(seen, expected);
}

TEST_F(ExplorerTest, PreviewModeTurnsDoubleClickIntoPreview) {
    TempFolder root("preview");
    Prepare(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    RemoteWin95(host.handle(), 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    std::string text;
    DriveModal([&] { MenuCommand(explorer, MORVEL_ID_PREVIEWMODE); },
               [&] {
                   const auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    EXPECT_EQ(text,
              "All graphics will be previewed when you\ndouble-click, press <ret> or <spc> on filename.\n"
              "Open command and button will behave normally.");
    Select(explorer, {"second.pcx"});
    DoubleClickCurrent(explorer);
    ClickControl(explorer, MORVEL_ID_BTNOK);
    ASSERT_TRUE(WaitUntil([&] { return host.codes.size() == 2; }));
    EXPECT_EQ(host.codes, (std::vector<LPARAM>{MORVEL_NOTIFY_PREVIEW, MORVEL_NOTIFY_OPEN}));
    // A folder still opens on a double-click.
    Select(explorer, {"deeper\\"});
    DoubleClickCurrent(explorer);
    EXPECT_NE(ShownFolder(explorer).find("Deeper"), std::string::npos);

    DriveModal([&] { MenuCommand(explorer, MORVEL_ID_PREVIEWMODE); },
               [&] {
                   const auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    EXPECT_EQ(text, "Preview mode disabled.");
}

TEST_F(ExplorerTest, ConvertDialogShowsTheInputFiles) {
    TempFolder root("inputview");
    HostWrite("SavePath", root.path());
    ASSERT_TRUE(
        WriteBytes(exchange, "[Directory]\r\nFiles=3\r\nName=C:\\\r\n[1]\r\nF=PIC1.BMP\r\n[2]\r\nF=Two.PCX\r\n"));
    const int result = RunDialog(124, "Convert Multiple Files", [&](HWND dialog) {
        MenuCommand(dialog, MORVEL_ID_MNULISTINPUT);
        HWND input = GetDlgItem(dialog, MORVEL_ID_INPUTLIST);
        EXPECT_TRUE(IsWindowVisible(input));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_XFILES)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_BTNOK)));
        EXPECT_EQ(ListItems(input), (std::vector<std::string>{"pic1.bmp", "two.pcx", "[error]"}));
        // Esc goes back to the file list; a second showing does not read the file again.
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(input); }));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_XFILES)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_BTNOK)));
        WriteBytes(exchange, "[1]\r\nF=changed.bmp\r\n");
        MenuCommand(dialog, MORVEL_ID_MNULISTINPUT);
        EXPECT_EQ(ListItems(input).size(), 3u);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(input); }));
        ClickControl(dialog, MORVEL_ID_BTNEXIT);
    });
    EXPECT_EQ(result, -1);
}

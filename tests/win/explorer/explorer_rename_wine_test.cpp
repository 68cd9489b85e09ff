// The file menu's "Renam&e" in the modeless Explorer, as a user reaches it: a file picked in the
// list, Shift+F10 for the file menu, "e", the new name typed into "Rename File". What counts is
// the file on disk and the list shown afterwards.
#include <algorithm>
#include <atomic>

#include "win/explorer/explorer_fixture.h"
#include "win/support/keyboard.h"

using namespace morvel::test;

namespace {

constexpr const char* kRenameCaption = "Rename File";

// Picks one entry as a click does (the modeless list takes several).
void Select(HWND explorer, const std::string& text) {
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    const bool multi = (GetWindowLongA(list, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
    if (multi) SendMessageA(list, LB_SETSEL, FALSE, -1);
    const auto items = ListItems(list);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] != text) continue;
        if (multi) {
            SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
            SendMessageA(list, LB_SETCARETINDEX, i, FALSE);
        } else {
            SendMessageA(list, LB_SETCURSEL, i, 0);
        }
    }
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

HWND VisibleMenuWindow() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// Opens the file menu from the keyboard on the focused file list; the menu's handle.
HMENU OpenFileMenu(HWND explorer) {
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    EXPECT_TRUE(WaitForFocus(explorer, list));
    PressKey({VK_SHIFT}, VK_F10);
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (menu = VisibleMenuWindow()) != nullptr; })) << "no file menu";
    return menu ? reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)) : nullptr;
}

bool Greyed(HMENU menu, int id) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    EXPECT_NE(state, static_cast<UINT>(-1)) << "no item " << id;
    return (state & MF_GRAYED) != 0;
}

// The name of the directory entry as stored on disk.
std::string StoredName(const std::string& path) {
    WIN32_FIND_DATAA data{};
    const HANDLE search = FindFirstFileA(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return "<none>";
    FindClose(search);
    return data.cFileName;
}

// "Renam&e" from the file menu; the rename dialog once it has come up with its name field focused.
HWND OpenRename(HWND explorer) {
    HMENU menu = OpenFileMenu(explorer);
    if (!menu) return nullptr;
    EXPECT_FALSE(Greyed(menu, MORVEL_ID_MNUFRENAME));
    PressKey('E');
    HWND dialog = WaitForWindow(kRenameCaption, "TRenameForm");
    if (!dialog) return nullptr;
    EXPECT_TRUE(WaitForFocus(dialog, GetDlgItem(dialog, MORVEL_ID_THEFILENAME)));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    Sleep(200);
    return dialog;
}

// Types over the whole name and confirms with Enter.
void TypeName(HWND dialog, const std::string& name) {
    HWND edit = GetDlgItem(dialog, MORVEL_ID_THEFILENAME);
    PressKey(VK_HOME);
    PressKey({VK_SHIFT}, VK_END);
    TypeText(name);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == name; })) << TextOf(edit);
    PressKey(VK_RETURN);
}

// The message box that follows, its text; answered with `button`.
std::string AnswerBox(int button) {
    const auto box = WaitForMessageBox();
    if (!box) return "<no box>";
    AnswerMessageBox(*box, button);
    return box->text;
}

// The dialog open again on the old name.
HWND ReopenedOn(const std::string& oldName) {
    HWND dialog = WaitForWindow(kRenameCaption, "TRenameForm");
    if (!dialog) return nullptr;
    EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_THEFILENAME)), oldName);
    EXPECT_TRUE(WaitForFocus(dialog, GetDlgItem(dialog, MORVEL_ID_THEFILENAME)));
    Sleep(200);
    return dialog;
}

class RenameTest : public ExplorerTest {
protected:
    void SetUp() override {
        ExplorerTest::SetUp();
        ASSERT_TRUE(WriteBytes(root / "holiday.bmp", "holiday bytes"));
        ASSERT_TRUE(WriteBytes(root / "taken.bmp", "taken bytes"));
        ASSERT_TRUE(CreateDirectoryA((root / "sub").c_str(), nullptr));
        HostWrite("LastDir", root.path());
    }

    // Opens the modeless Explorer on the folder and runs `drive` on a second thread while this
    // thread, the Explorer's, goes on handling its messages.
    void WithExplorer(const std::function<void(HWND)>& drive) {
        HostWindow host;
        RemoteWin95(host.handle(), 0);
        HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
        ASSERT_NE(explorer, nullptr);
        std::atomic<bool> done{false};
        DriveModal([&] { WaitUntil([&] { return done.load(); }, Millis(120000)); },
                   [&] {
                       SetForegroundWindow(explorer);
                       WaitUntil([&] { return GetForegroundWindow() == explorer; });
                       drive(explorer);
                       done = true;
                   });
        RemoteWinClose95();
    }

    TempFolder root{"rename"};
};

}  // namespace

TEST_F(RenameTest, RenamesTheFileOnDiskAndListsTheFolderAgain) {
    WithExplorer([&](HWND explorer) {
        // With nothing in the name field the command is greyed.
        // A folder entry clicked leaves the name field empty.
        Select(explorer, "sub\\");
        EXPECT_EQ(TextOf(GetDlgItem(explorer, MORVEL_ID_EDIT1)), "");
        HMENU menu = OpenFileMenu(explorer);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(Greyed(menu, MORVEL_ID_MNUFRENAME));
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([] { return VisibleMenuWindow() == nullptr; }));

        Select(explorer, "holiday.bmp");
        EXPECT_EQ(TextOf(GetDlgItem(explorer, MORVEL_ID_EDIT1)), "holiday.bmp");
        HWND dialog = OpenRename(explorer);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_RENAME_DIRLABEL)), root.path() + "\\");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_THEFILENAME)), "holiday.bmp");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_RENAME_BTNOK)), "&Ok");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_BTNABORT)), "Cancel");
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 365);
        EXPECT_EQ(client.bottom, 137);
        EXPECT_FALSE(IsWindowEnabled(explorer)) << "the Explorer waits while the dialog is open";
        TypeName(dialog, "Summer Beach.bmp");
        EXPECT_TRUE(WaitForWindowGone(kRenameCaption));
        EXPECT_TRUE(WaitUntil([&] {
            const auto items = ListItems(GetDlgItem(explorer, MORVEL_ID_XFILES));
            return std::find(items.begin(), items.end(), "summer beach.bmp") != items.end() &&
                   std::find(items.begin(), items.end(), "holiday.bmp") == items.end();
        })) << "the list is listed again";
    });
    EXPECT_EQ(ReadBytes(root / "Summer Beach.bmp"), std::optional<std::string>("holiday bytes"));
    EXPECT_FALSE(FileExists(root / "holiday.bmp"));
    EXPECT_EQ(StoredName(root / "summer beach.bmp"), "Summer Beach.bmp") << "the name as typed";
}

TEST_F(RenameTest, TakenNamesAndCancel) {
    WithExplorer([&](HWND explorer) {
        Select(explorer, "holiday.bmp");
        HWND dialog = OpenRename(explorer);
        ASSERT_NE(dialog, nullptr);
        TypeName(dialog, "TAKEN.bmp");
        EXPECT_EQ(AnswerBox(IDOK), "Filename exists.\n" + root / "TAKEN.bmp");
        dialog = ReopenedOn("holiday.bmp");
        ASSERT_NE(dialog, nullptr);
        // Its own name is taken too.
        TypeName(dialog, "holiday.bmp");
        EXPECT_EQ(AnswerBox(IDOK), "Filename exists.\n" + root / "holiday.bmp");
        dialog = ReopenedOn("holiday.bmp");
        ASSERT_NE(dialog, nullptr);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitForWindowGone(kRenameCaption));
        EXPECT_FALSE(WaitForMessageBox(Millis(500)).has_value());
    });
    EXPECT_EQ(ReadBytes(root / "holiday.bmp"), std::optional<std::string>("holiday bytes"));
    EXPECT_EQ(ReadBytes(root / "taken.bmp"), std::optional<std::string>("taken bytes"));
}

TEST_F(RenameTest, ExtensionQuestion) {
    WithExplorer([&](HWND explorer) {
        Select(explorer, "holiday.bmp");
        HWND dialog = OpenRename(explorer);
        ASSERT_NE(dialog, nullptr);
        TypeName(dialog, "holiday.BMP.jpg");
        EXPECT_EQ(AnswerBox(IDCANCEL), "Different FILE extension.\nOld Type:.bmp\nNew Type:.jpg\nContinue ?");
        dialog = ReopenedOn("holiday.bmp");
        ASSERT_NE(dialog, nullptr);
        TypeName(dialog, "noext");
        EXPECT_EQ(AnswerBox(IDOK), "Different FILE extension.\nOld Type:.bmp\nNew Type:\nContinue ?");
        EXPECT_TRUE(WaitForWindowGone(kRenameCaption));
    });
    EXPECT_EQ(ReadBytes(root / "noext"), std::optional<std::string>("holiday bytes"));
    EXPECT_FALSE(FileExists(root / "holiday.BMP.jpg"));
}

TEST_F(RenameTest, NamesTheSystemWouldMisreadAreRefused) {
    WithExplorer([&](HWND explorer) {
        Select(explorer, "holiday.bmp");
        HWND dialog = OpenRename(explorer);
        ASSERT_NE(dialog, nullptr);
        for (const char* name : {"*.bmp", "sub/moved.bmp", "CON", "nul.bmp", "a?.bmp"}) {
            TypeName(dialog, name);
            EXPECT_EQ(AnswerBox(IDOK), "Invalid filename.\nPlease reenter.") << name;
            dialog = ReopenedOn("holiday.bmp");
            ASSERT_NE(dialog, nullptr) << name;
        }
        // A name that makes the path longer than the ANSI calls take, pasted.
        const std::string longName(255, 'n');
        ASSERT_TRUE(SetClipboardText(longName));
        PressKey(VK_HOME);
        PressKey({VK_SHIFT}, VK_END);
        PressKey({VK_CONTROL}, 'V');
        EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, MORVEL_ID_THEFILENAME)) == longName; }));
        PressKey(VK_RETURN);
        EXPECT_EQ(AnswerBox(IDOK), "Path too long:\n" + root / longName);
        dialog = ReopenedOn("holiday.bmp");
        ASSERT_NE(dialog, nullptr);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitForWindowGone(kRenameCaption));
    });
    EXPECT_EQ(ReadBytes(root / "holiday.bmp"), std::optional<std::string>("holiday bytes"));
    EXPECT_FALSE(FileExists(root / "sub\\moved.bmp"));
}

TEST_F(RenameTest, AFileThatVanishedIsReported) {
    WithExplorer([&](HWND explorer) {
        Select(explorer, "holiday.bmp");
        HWND dialog = OpenRename(explorer);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(DeleteFileA((root / "holiday.bmp").c_str()));
        TypeName(dialog, "later.bmp");
        EXPECT_EQ(AnswerBox(IDOK), "Could not rename\n" + root / "holiday.bmp" + "\nto\n" + root / "later.bmp");
        EXPECT_TRUE(WaitForWindowGone(kRenameCaption));
        EXPECT_FALSE(FindProcessWindow(kRenameCaption)) << "no second round after the system refused";
    });
    EXPECT_FALSE(FileExists(root / "later.bmp"));
    EXPECT_EQ(ReadBytes(root / "taken.bmp"), std::optional<std::string>("taken bytes"));
}

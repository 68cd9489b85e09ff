// The modeless Explorer as a host sees it: opening, geometry, the last folder, notifications,
// the multi-file list file and the instant slideshow, and bad input in the settings file.
#include "win/explorer/explorer_fixture.h"
#include "win/support/keyboard.h"

using namespace morvel::test;

namespace {

HWND Open(HostWindow& host, bool remember = false) {
    RemoteWin95(host.handle(), remember ? 1 : 0);
    return WaitForWindow("Morvel Explorer", "TFileForm");
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Selects the entries by text (and no other), making the last one the current entry.
void Select(HWND explorer, const std::vector<std::string>& texts) {
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    const auto items = ListItems(list);
    for (const std::string& text : texts) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] != text) continue;
            SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
            SendMessageA(list, LB_SETCARETINDEX, i, FALSE);
        }
    }
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Runs a command that shows a message box, answers it with OK and returns its text.
std::string CommandWithMessage(HWND explorer, int id) {
    std::string text = "<no message>";
    DriveModal([&] { MenuCommand(explorer, id); },
               [&] {
                   const auto box = WaitForMessageBox(Millis(3000));
                   if (!box) return;
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    return text;
}

void PreparePictures(const TempFolder& root) {
    ASSERT_TRUE(CreateDirectoryA((root / "Sub Folder").c_str(), nullptr));
    for (const char* name : {"Summer Beach.bmp", "cat.bmp", "Winter Walk.pcx"}) {
        ASSERT_TRUE(WriteBytes(root / name, "x")) << name;
    }
}

}  // namespace

TEST_F(ExplorerTest, DefaultGeometryIsCentredOnTheDesktop) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const int width = sw == 640 ? 400 : sw / 2;
    const int height = sw == 640 ? 300 : sh / 2;
    HostWindow host;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    const RECT r = WindowRect(explorer);
    EXPECT_EQ(r.right - r.left, width) << sw << "x" << sh;
    EXPECT_EQ(r.bottom - r.top, height) << sw << "x" << sh;
    EXPECT_EQ(r.left, (sw - width) / 2) << sw << "x" << sh;
    EXPECT_EQ(r.top, (sh - height) / 2) << sw << "x" << sh;
    EXPECT_EQ(CaptionOf(explorer), "Morvel Explorer");
}

TEST_F(ExplorerTest, StoredGeometryIsRestoredAndSavedOnClose) {
    HostWrite("bWinT", "40");
    HostWrite("bWinL", "30");
    HostWrite("bWinW", "420");
    HostWrite("bWinH", "330");
    HostWindow host;
    HWND explorer = Open(host, true);
    ASSERT_NE(explorer, nullptr);
    RECT r = WindowRect(explorer);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 420);
    EXPECT_EQ(r.bottom - r.top, 330);
    MoveWindow(explorer, 50, 60, 500, 350, TRUE);
    RemoteWinClose95();
    EXPECT_EQ(ExplorerWindow(), nullptr);
    EXPECT_EQ(HostRead("bWinL"), "50");
    EXPECT_EQ(HostRead("bWinT"), "60");
    EXPECT_EQ(HostRead("bWinW"), "500");
    EXPECT_EQ(HostRead("bWinH"), "350");
}

TEST_F(ExplorerTest, GeometryThatDoesNotFitIsIgnored) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    HostWrite("bWinT", "0");
    HostWrite("bWinL", std::to_string(sw - 300));
    HostWrite("bWinW", "301");
    HostWrite("bWinH", "200");
    HostWindow host;
    HWND explorer = Open(host, true);
    ASSERT_NE(explorer, nullptr);
    const RECT r = WindowRect(explorer);
    EXPECT_NE(r.right - r.left, 301);
}

TEST_F(ExplorerTest, LastDirRoundTripThroughShortAndLongForms) {
    TempFolder root("lastdir");
    const std::string folder = root / "Folder With Spaces";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string shortForm = ShortPathOf(folder);
    ASSERT_EQ(shortForm.find(' '), std::string::npos) << shortForm;
    HostWrite("LastDir", shortForm + "\\");
    HostWindow host;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    EXPECT_EQ(ShownFolder(explorer), folder);
    EXPECT_EQ(ComboSelection(GetDlgItem(explorer, MORVEL_ID_LOOKBOX)), "   \\Folder With Spaces");
    RemoteWinClose95();
    EXPECT_EQ(HostRead("LastDir"), shortForm + "\\");
}

TEST_F(ExplorerTest, BadStartFoldersOpenAtTheRoot) {
    TempFolder root("badstart");
    ASSERT_TRUE(WriteBytes(root / "file.txt", "x"));
    const std::string longPath = "c:\\" + std::string(300, 'd') + "\\";
    for (const std::string& stored : {std::string("garbage \x01\x7f"), root / "file.txt", std::string("q:\\nothing\\"),
                                      longPath, std::string("c:\\*"), root / "missing\\"}) {
        HostWrite("LastDir", stored);
        HostWindow host;
        HWND explorer = Open(host);
        ASSERT_NE(explorer, nullptr) << stored;
        EXPECT_TRUE(lstrcmpiA(ShownFolder(explorer).c_str(), "c:\\") == 0) << stored << " -> " << ShownFolder(explorer);
        RemoteWinClose95();
        EXPECT_EQ(ExplorerWindow(), nullptr);
    }
}

TEST_F(ExplorerTest, MissingExchangeKeyWarnsOnceAndFallsBack) {
    RemoveSettings();
    HostWindow host;
    std::string text;
    DriveModal([&] { RemoteWin95(host.handle(), 0); },
               [&] {
                   const auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    EXPECT_EQ(text, "Morvel.INI corrupted.\nPlease close and restart Morvel.");
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    EXPECT_TRUE(lstrcmpiA(ShownFolder(explorer).c_str(), "c:\\") == 0);
    // Lists written by this window go to the fallback path.
    TempFolder root("fallback");
    ASSERT_TRUE(WriteBytes(root / "a.bmp", "x"));
    DeleteFileA("c:\\morvel.err");
    SendMessageA(explorer, WM_CLOSE, 0, 0);
    HostWrite("LastDir", root.path());
    // A second window with the key still missing shows the message again and uses c:\morvel.err.
    DriveModal([&] { RemoteWin95(host.handle(), 0); },
               [&] {
                   const auto box = WaitForMessageBox();
                   if (box) AnswerMessageBox(*box, IDOK);
               });
    explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    Select(explorer, {"a.bmp"});
    MenuCommand(explorer, MORVEL_ID_BATCHCONVERT);
    EXPECT_TRUE(FileExists("c:\\morvel.err"));
    DeleteFileA("c:\\morvel.err");
}

TEST_F(ExplorerTest, ADialogWithoutTheExchangeKeyLeavesTheOpenExplorersPath) {
    TempFolder root("ownexchange");
    PreparePictures(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    host.exchangePath = exchange;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    ASSERT_TRUE(WritePrivateProfileStringA("morvel", "Win95Tmp", nullptr, "morvel.ini"));
    std::string text;
    DriveModal([&] { RemoteDlg95(254, 0); },
               [&] {
                   const auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
                   if (HWND dialog = WaitForWindow("Open Slideshow", "TFileForm"))
                       ClickControl(dialog, MORVEL_ID_BTNEXIT);
               });
    EXPECT_EQ(text, "Morvel.INI corrupted.\nPlease close and restart Morvel.");
    DeleteFileA("c:\\morvel.err");
    Select(explorer, {"cat.bmp", "summer beach.bmp"});
    MenuCommand(explorer, MORVEL_ID_BATCHCONVERT);
    ASSERT_EQ(host.codes, (std::vector<LPARAM>{MORVEL_NOTIFY_CONVERT}));
    EXPECT_EQ(host.exchangeAtNotify.at(0).substr(0, 27), "[Directory]\r\nFiles=2\r\nName=");
    EXPECT_FALSE(FileExists("c:\\morvel.err"));
}

TEST_F(ExplorerTest, OpeningOneFileWritesBackAndNotifies) {
    TempFolder root("openone");
    PreparePictures(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    Select(explorer, {"summer beach.bmp"});
    EXPECT_EQ(TextOf(GetDlgItem(explorer, MORVEL_ID_EDIT1)), "summer beach.bmp");
    ClickControl(explorer, MORVEL_ID_BTNOK);
    ASSERT_TRUE(WaitUntil([&] { return !host.codes.empty(); }));
    EXPECT_EQ(host.codes, (std::vector<LPARAM>{MORVEL_NOTIFY_OPEN}));
    const std::string file = root / "Summer Beach.bmp";
    EXPECT_EQ(host.win95fileAtNotify.at(0), "summer beach.bmp|" + ShortPathOf(file));
    EXPECT_NE(ExplorerWindow(), nullptr) << "the Explorer stays open";
}

TEST_F(ExplorerTest, OpeningSeveralFilesWritesTheListFile) {
    TempFolder root("openmany");
    PreparePictures(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    host.exchangePath = exchange;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    WriteBytes(exchange, "[Old]\r\nstale=1\r\n");
    Select(explorer, {"sub folder\\", "cat.bmp", "summer beach.bmp", "winter walk.pcx"});
    MenuCommand(explorer, MORVEL_ID_MNUFOPEN);
    ASSERT_EQ(host.codes, (std::vector<LPARAM>{MORVEL_NOTIFY_OPEN_MULTIPLE}));
    const std::string shortRoot = ShortPathOf(root.path()) + "\\";
    auto shortName = [&](const char* name) {
        const std::string s = ShortPathOf(root / name);
        return s.substr(s.rfind('\\') + 1);
    };
    const std::string expected =
        "[Directory]\r\nFiles=3\r\nName=" + shortRoot + "\r\n[1]\r\nF=" + shortName("cat.bmp") +
        "\r\n[2]\r\nF=" + shortName("Summer Beach.bmp") + "\r\n[3]\r\nF=" + shortName("Winter Walk.pcx") + "\r\n";
    EXPECT_EQ(host.exchangeAtNotify.at(0), expected);
    // The folder entry took no part and is no longer selected.
    EXPECT_EQ(SendMessageA(GetDlgItem(explorer, MORVEL_ID_XFILES), LB_GETSEL, 0, 0), 0);
}

// "&Open" with files marked and an unmarked folder entry current, as "&Mark all files" leaves it,
// opens the marked files, by button, menu and Enter; a marked current folder, or no file marked,
// is entered.
TEST_F(ExplorerTest, OpenActsOnTheMarkedFilesBesideACurrentFolder) {
    enum class Way { Button, Menu, Enter };
    enum class Marks { AllFiles, FileAndCurrentFolder, None };
    const struct {
        const char* name;
        bool oneFile;  // the folder holds one file, else three
        Marks marks;
        Way way;
        LPARAM code;  // 0: nothing sent, the folder entered
    } cases[] = {
        {"several files by the button", false, Marks::AllFiles, Way::Button, MORVEL_NOTIFY_OPEN_MULTIPLE},
        {"several files by the menu", false, Marks::AllFiles, Way::Menu, MORVEL_NOTIFY_OPEN_MULTIPLE},
        {"several files by Enter", false, Marks::AllFiles, Way::Enter, MORVEL_NOTIFY_OPEN_MULTIPLE},
        {"one file", true, Marks::AllFiles, Way::Button, MORVEL_NOTIFY_OPEN},
        {"a marked current folder", false, Marks::FileAndCurrentFolder, Way::Button, 0},
        {"nothing marked", false, Marks::None, Way::Enter, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root("marked");
        ASSERT_TRUE(CreateDirectoryA((root / "Sub Folder").c_str(), nullptr));
        for (const char* name : {"cat.bmp", "dog.bmp", "owl.bmp"}) {
            if (c.oneFile && name != std::string("cat.bmp")) continue;
            ASSERT_TRUE(WriteBytes(root / name, "x"));
        }
        HostWrite("LastDir", root.path());
        HostWindow host;
        host.exchangePath = exchange;
        HWND explorer = Open(host);
        ASSERT_NE(explorer, nullptr);
        HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
        if (c.marks == Marks::AllFiles) MenuCommand(explorer, MORVEL_ID_MARKDIRECTORY);
        if (c.marks == Marks::FileAndCurrentFolder) Select(explorer, {"cat.bmp", "sub folder\\"});
        if (c.marks == Marks::None) MenuCommand(explorer, MORVEL_ID_UNMARKDIRECTORY);
        ASSERT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 0) << "the folder entry is current";
        if (c.way == Way::Button) ClickControl(explorer, MORVEL_ID_BTNOK);
        if (c.way == Way::Menu) MenuCommand(explorer, MORVEL_ID_MNUFOPEN);
        if (c.way == Way::Enter) {
            ASSERT_TRUE(WaitForFocus(explorer, list));
            PressKey(VK_RETURN);
        }
        WaitUntil([&] { return !host.codes.empty() || ShownFolder(explorer) != root.path(); }, Millis(3000));
        if (c.code == 0) {
            EXPECT_TRUE(host.codes.empty());
            EXPECT_EQ(ShownFolder(explorer), root / "Sub Folder");
        } else {
            ASSERT_EQ(host.codes, std::vector<LPARAM>{c.code});
            EXPECT_EQ(ShownFolder(explorer), root.path());
        }
        if (c.code == MORVEL_NOTIFY_OPEN) {
            EXPECT_EQ(host.win95fileAtNotify.at(0), "cat.bmp|" + ShortPathOf(root / "cat.bmp"));
        }
        if (c.code == MORVEL_NOTIFY_OPEN_MULTIPLE) {
            EXPECT_EQ(host.exchangeAtNotify.at(0).substr(0, 27), "[Directory]\r\nFiles=3\r\nName=");
        }
        RemoteWinClose95();
        ASSERT_TRUE(WaitForWindowGone("Morvel Explorer", Millis(3000)));
    }
}

TEST_F(ExplorerTest, ConvertAndSlideshowCommands) {
    TempFolder root("commands");
    PreparePictures(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    host.exchangePath = exchange;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);

    Select(explorer, {"cat.bmp", "winter walk.pcx"});
    MenuCommand(explorer, MORVEL_ID_INSTANTSLIDESHOW);
    ASSERT_EQ(host.codes, (std::vector<LPARAM>{MORVEL_NOTIFY_SLIDESHOW}));
    const std::string shortRoot = ShortPathOf(root.path()) + "\\";
    const std::string winter = ShortPathOf(root / "Winter Walk.pcx");
    EXPECT_EQ(host.exchangeAtNotify.at(0),
              "[Header]\r\nVer=4\r\nN=3\r\n[1]\r\nF=cat.bmp,0\r\n[2]\r\nF=" + winter.substr(winter.rfind('\\') + 1) +
                  ",0\r\n[Directory]\r\n0=" + shortRoot + "\r\n");

    MenuCommand(explorer, MORVEL_ID_MARKDIRECTORY);
    MenuCommand(explorer, MORVEL_ID_BATCHCONVERT);
    ASSERT_EQ(host.codes.size(), 2u);
    EXPECT_EQ(host.codes[1], MORVEL_NOTIFY_CONVERT);
    EXPECT_EQ(host.exchangeAtNotify[1].substr(0, 27), "[Directory]\r\nFiles=3\r\nName=");

    MenuCommand(explorer, MORVEL_ID_UNMARKDIRECTORY);
    EXPECT_EQ(CommandWithMessage(explorer, MORVEL_ID_BATCHCONVERT), "No files selected!");
    EXPECT_EQ(CommandWithMessage(explorer, MORVEL_ID_INSTANTSLIDESHOW), "No files selected!");
    EXPECT_EQ(host.codes.size(), 2u);
}

TEST_F(ExplorerTest, AnUnwritableExchangeFileIsReportedAndTheWindowGoesOn) {
    TempFolder root("unwritable");
    PreparePictures(root);
    ASSERT_TRUE(CreateDirectoryA((root / "locked").c_str(), nullptr));
    const std::string locked = root / "locked\\exchange.tmp";
    HostWrite("Win95Tmp", locked);
    HostWrite("LastDir", root.path());
    HostWindow host;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    Immutable lock(root / "locked");
    if (!lock.active()) GTEST_SKIP() << "cannot make a folder immutable here";
    Select(explorer, {"cat.bmp"});
    EXPECT_EQ(CommandWithMessage(explorer, MORVEL_ID_INSTANTSLIDESHOW), "Unable to write to " + locked);
    Select(explorer, {"cat.bmp", "summer beach.bmp"});
    EXPECT_EQ(CommandWithMessage(explorer, MORVEL_ID_BATCHCONVERT), "Unable to write to " + locked);
    EXPECT_TRUE(host.codes.empty());
    EXPECT_TRUE(IsWindowVisible(explorer));
    // Still usable: a folder opens.
    Select(explorer, {"locked\\"});
    ClickControl(explorer, MORVEL_ID_BTNOK);
    EXPECT_TRUE(WaitUntil([&] { return ShownFolder(explorer) == root / "locked"; }));
}

TEST_F(ExplorerTest, HostCallsOnTheOpenWindow) {
    TempFolder root("hostcalls");
    PreparePictures(root);
    HostWrite("LastDir", root.path());
    HostWindow host;
    HWND explorer = Open(host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    EXPECT_EQ(ListItems(list).size(), 4u);

    ASSERT_TRUE(WriteBytes(root / "new one.bmp", "x"));
    RemoteWinUpdate95();
    EXPECT_EQ(ListItems(list).size(), 5u);

    RemoteWinHide95();
    EXPECT_FALSE(IsWindowVisible(explorer));
    ShowWindow(explorer, SW_MINIMIZE);
    HostWindow other;
    RemoteWin95(other.handle(), 0);
    EXPECT_TRUE(IsWindowVisible(explorer));
    EXPECT_FALSE(IsIconic(explorer));
    EXPECT_EQ(ExplorerWindow(), explorer) << "the same window, not a new one";
    // The first host keeps receiving the notifications.
    Select(explorer, {"cat.bmp"});
    ClickControl(explorer, MORVEL_ID_BTNOK);
    ASSERT_TRUE(WaitUntil([&] { return !host.codes.empty(); }));
    EXPECT_TRUE(other.codes.empty());

    RemoteWinClose95();
    EXPECT_EQ(ExplorerWindow(), nullptr);
    // Nothing happens once it is closed.
    RemoteWinHide95();
    RemoteWinUpdate95();
    RemoteWinClose95();
}

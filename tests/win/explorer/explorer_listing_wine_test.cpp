// The modeless Explorer's listing, filters, folder changes and Look-in box on prepared folders.
#include "win/explorer/explorer_fixture.h"

#include <algorithm>

using namespace morvel::test;

namespace {

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

// A folder with pictures, other files and subfolders.
void Prepare(const TempFolder& root) {
    for (const char* name : {"Beach.BMP", "alpha.bmp", "zeta.RAS", "map.rs", "show.avl", "notes.txt", "photo.jpeg",
                             "clip.avi", "README"}) {
        ASSERT_TRUE(WriteBytes(root / name, "x")) << name;
    }
    MakeFolder(root / "Holiday 2024");
    MakeFolder(root / "archive");
    ASSERT_TRUE(WriteBytes(root / "Holiday 2024\\day one.bmp", "x"));
}

HWND OpenAt(const std::string& folder, HostWindow& host, bool remember = false) {
    HostWrite("LastDir", folder);
    RemoteWin95(host.handle(), remember ? 1 : 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    return explorer;
}

}  // namespace

TEST_F(ExplorerTest, ListsValidatedFilesWithFoldersFirst) {
    TempFolder root("listing");
    Prepare(root);
    HostWindow host;
    HWND explorer = OpenAt(root.path(), host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    EXPECT_EQ(ComboSelection(GetDlgItem(explorer, MORVEL_ID_FILTERCOMBOBOX1)), "All validated formats");
    EXPECT_EQ(ListItems(list), (std::vector<std::string>{"archive\\", "holiday 2024\\", "alpha.bmp", "beach.bmp",
                                                         "clip.avi", "show.avl", "zeta.ras"}));
    // The first entry is a folder: the name field stays empty; the list has a parent.
    EXPECT_EQ(TextOf(GetDlgItem(explorer, MORVEL_ID_EDIT1)), "");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(explorer, MORVEL_ID_BTNUP)));
    EXPECT_TRUE(IsWindowEnabled(list));
}

TEST_F(ExplorerTest, FileTypesFilterTheList) {
    TempFolder root("filters");
    Prepare(root);
    HostWindow host;
    HWND explorer = OpenAt(root.path(), host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    const struct {
        int position;
        std::vector<std::string> files;
    } cases[] = {
        {22, {"map.rs", "zeta.ras"}},
        {6, {"alpha.bmp", "beach.bmp"}},
        {5, {"show.avl"}},
        {26, {}},
    };
    for (const auto& c : cases) {
        ChooseFileType(explorer, c.position);
        std::vector<std::string> expected{"archive\\", "holiday 2024\\"};
        expected.insert(expected.end(), c.files.begin(), c.files.end());
        EXPECT_EQ(ListItems(list), expected) << "file type " << c.position;
    }
    // Any file: "*.???" is searched. Which names beyond three-letter extensions the system's
    // matching takes in (short names, names without a dot) is the system's affair.
    ChooseFileType(explorer, 0);
    const std::vector<std::string> any = ListItems(list);
    for (const char* name :
         {"archive\\", "holiday 2024\\", "alpha.bmp", "beach.bmp", "clip.avi", "notes.txt", "show.avl", "zeta.ras"}) {
        EXPECT_NE(std::find(any.begin(), any.end(), name), any.end()) << name;
    }
}

TEST_F(ExplorerTest, ViewOptionsReorderAndRecase) {
    TempFolder root("options");
    Prepare(root);
    HostWindow host;
    HWND explorer = OpenAt(root.path(), host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    ChooseFileType(explorer, 6);
    MenuCommand(explorer, MORVEL_ID_MNUDIRLAST);
    EXPECT_EQ(ListItems(list), (std::vector<std::string>{"alpha.bmp", "beach.bmp", "archive\\", "holiday 2024\\"}));
    EXPECT_EQ(TextOf(GetDlgItem(explorer, MORVEL_ID_EDIT1)), "alpha.bmp");
    MenuCommand(explorer, MORVEL_ID_MNULOWERCASE);
    EXPECT_EQ(ListItems(list), (std::vector<std::string>{"alpha.bmp", "Beach.BMP", "archive\\", "holiday 2024\\"}));
}

TEST_F(ExplorerTest, FoldersOpenAndLookInLeadsBack) {
    TempFolder root("lookin");
    Prepare(root);
    HostWindow host;
    HWND explorer = OpenAt(root.path(), host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    HWND look = GetDlgItem(explorer, MORVEL_ID_LOOKBOX);
    // Double-click on "holiday 2024\".
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SETCARETINDEX, 1, FALSE);
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(ShownFolder(explorer), root / "Holiday 2024");
    EXPECT_EQ(ListItems(list), (std::vector<std::string>{"day one.bmp"}));
    EXPECT_EQ(ComboSelection(look), "   \\Holiday 2024");  // under "morvel-tests" and "lookin"

    // The Look-in entry above leads to the prepared folder, the drive entry to the root.
    const int selected = static_cast<int>(SendMessageA(look, CB_GETCURSEL, 0, 0));
    SendMessageA(look, CB_SETCURSEL, selected - 1, 0);
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_LOOKBOX, CBN_SELCHANGE), reinterpret_cast<LPARAM>(look));
    EXPECT_TRUE(lstrcmpiA(ShownFolder(explorer).c_str(), root.path().c_str()) == 0) << ShownFolder(explorer);
    EXPECT_EQ(ListItems(list).front(), "archive\\");
    // Up twice: the tests' folder, then the drive's root.
    ClickControl(explorer, MORVEL_ID_BTNUP);
    WaitUntil([&] { return lstrcmpiA(ShownFolder(explorer).c_str(), "C:\\morvel-tests") == 0; });
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(explorer, MORVEL_ID_BTNUP)));
    ClickControl(explorer, MORVEL_ID_BTNUP);
    WaitUntil([&] { return lstrcmpiA(ShownFolder(explorer).c_str(), "C:\\") == 0; });
    EXPECT_TRUE(lstrcmpiA(ShownFolder(explorer).c_str(), "C:\\") == 0) << ShownFolder(explorer);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(explorer, MORVEL_ID_BTNUP))) << "no level above a drive root";
    EXPECT_EQ(ComboSelection(look).substr(0, 2), "c:");
}

TEST_F(ExplorerTest, ADriveThatIsNotReadyFallsBackToTheRoot) {
    // A drive letter whose target does not exist: it is listed, but its size cannot be read.
    if (!DefineDosDeviceA(0, "Q:", "C:\\morvel-no-such-drive")) GTEST_SKIP() << "cannot define a drive here";
    struct Undefine {
        ~Undefine() { DefineDosDeviceA(DDD_REMOVE_DEFINITION, "Q:", nullptr); }
    } undefine;
    TempFolder root("notready");
    HostWindow host;
    HWND explorer = OpenAt(root.path(), host);
    ASSERT_NE(explorer, nullptr);
    HWND look = GetDlgItem(explorer, MORVEL_ID_LOOKBOX);
    const auto entries = ComboItems(look);
    const auto q = std::find_if(entries.begin(), entries.end(), [](const std::string& e) { return e.rfind("q:", 0) == 0; });
    if (q == entries.end()) GTEST_SKIP() << "the system does not list the defined drive";
    std::string text;
    DriveModal(
        [&] {
            SendMessageA(look, CB_SETCURSEL, q - entries.begin(), 0);
            SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_LOOKBOX, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(look));
        },
        [&] {
            const auto box = WaitForMessageBox();
            ASSERT_TRUE(box.has_value());
            text = box->text;
            AnswerMessageBox(*box, IDOK);
        });
    EXPECT_EQ(text, "Drive Q: not ready.");
    EXPECT_TRUE(lstrcmpiA(ShownFolder(explorer).c_str(), "c:\\") == 0) << ShownFolder(explorer);
    EXPECT_EQ(ComboSelection(look).substr(0, 2), "c:");
}

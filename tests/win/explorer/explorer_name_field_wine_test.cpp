// What the name field of the open dialog takes: "/" as a folder separator, device names
// refused, and no more text than a path the file calls accept.
#include "win/explorer/explorer_fixture.h"

using namespace morvel::test;

namespace {

std::optional<MessageBoxSeen> TypeAndConfirm(HWND dialog, const std::string& name) {
    SetText(GetDlgItem(dialog, MORVEL_ID_EDIT1), name);
    ClickControl(dialog, MORVEL_ID_BTNOK);
    return WaitForMessageBox(Millis(1500));
}

}  // namespace

TEST_F(ExplorerTest, NameFieldTakesSlashesRefusesDevicesAndLongText) {
    TempFolder root("names");
    ASSERT_TRUE(CreateDirectoryA((root / "My Shows").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(root / "My Shows\\holiday.avl", "x"));
    HostWrite("LastDir", root.path());
    const int result = RunDialog(MORVEL_KIND_OPEN_SLIDESHOW, "Open Slideshow", [&](HWND dialog) {
        HWND name = GetDlgItem(dialog, MORVEL_ID_EDIT1);
        // A user pasting a long text gets the longest path the ANSI calls accept, no more.
        EXPECT_EQ(SendMessageA(name, EM_GETLIMITTEXT, 0, 0), 259);
        SetText(name, "");
        const std::string pasted(300, 'x');
        SendMessageA(name, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
        EXPECT_EQ(TextOf(name).size(), 259u);

        for (const char* typed : {"con", "NUL.avl", "lpt1", "My Shows/holiday"}) {
            const auto box = TypeAndConfirm(dialog, typed);
            ASSERT_TRUE(box.has_value()) << typed;
            EXPECT_EQ(box->text, "Invalid filename.\nPlease reenter.") << typed;
            AnswerMessageBox(*box, IDOK);
            EXPECT_TRUE(IsWindowVisible(dialog)) << typed;
        }
        // With a drive, "/" leads through the folders as "\" does.
        std::string path = root / "My Shows/holiday";
        path[2] = '/';
        const auto box = TypeAndConfirm(dialog, path);
        EXPECT_FALSE(box.has_value()) << box->text;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(HostRead("LongName"), "holiday.AVL");
    EXPECT_EQ(HostRead("SaveName"), ShortPathOf(root / "My Shows\\holiday.AVL"));
}

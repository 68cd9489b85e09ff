// The save dialog's write-access probe on a file the user agreed to overwrite: the file keeps
// its bytes until the host or the editor writes the new content.
#include "win/explorer/explorer_fixture.h"

using namespace morvel::test;

TEST_F(ExplorerTest, OverwriteAnsweredYesLeavesTheFileAsItWas) {
    TempFolder root("probe");
    const std::string show = root / "Summer holiday.avl";
    const std::string content = "[Header]\r\nVer=4\r\nN=2\r\n[1]\r\nF=beach.bmp,0\r\n";
    ASSERT_TRUE(WriteBytes(show, content));
    HostWrite("SavePath", root.path());
    const int result = RunDialog(0, "Save File", [&](HWND dialog) {
        SetText(GetDlgItem(dialog, MORVEL_ID_EDIT1), "Summer holiday");
        ClickControl(dialog, MORVEL_ID_BTNOK);
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Summer holiday.AVL\nin use.  Overwrite?");
        AnswerMessageBox(*box, IDYES);
    });
    EXPECT_GE(result, 0);
    EXPECT_EQ(HostRead("SaveName"), ShortPathOf(show));
    EXPECT_EQ(ReadBytes(show), content) << "the probe left the user's file as it was";
}

// The save and convert dialogs' format lists: starting entries, the JPEG button, the colour-depth
// box, and what reaches the host after OK.
#include "win/explorer/explorer_fixture.h"

using namespace morvel::test;

namespace {

void Pick(HWND dialog, int id, int position) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, position, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

}  // namespace

TEST_F(ExplorerTest, SaveDialogOffersTheDepthsFormatsAndReturnsTheCode) {
    TempFolder root("formats24");
    ASSERT_TRUE(WriteBytes(root / "old.tif", "x"));
    ASSERT_TRUE(WriteBytes(root / "old.jpg", "x"));
    HostWrite("SavePath", root.path());
    const int result = RunDialog(24, "Save File", [&](HWND dialog) {
        HWND type = GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1);
        EXPECT_EQ(ComboItems(type).size(), 15u);
        EXPECT_EQ(ComboSelection(type), "JPG JPEG/JFIF(Enhanced)");
        WaitUntil([&] { return !ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)).empty(); });
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_BTNJPEG)));
        EXPECT_EQ(ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)), (std::vector<std::string>{"old.jpg"}));
        Pick(dialog, MORVEL_ID_FILTERCOMBOBOX1, 14);  // "TIF Aldus TIFF"
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_BTNJPEG)));
        EXPECT_EQ(ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)), (std::vector<std::string>{"old.tif"}));
        SetText(GetDlgItem(dialog, MORVEL_ID_EDIT1), "photo");
        ClickControl(dialog, MORVEL_ID_BTNOK);
        const auto box = WaitForMessageBox(Millis(1500));
        EXPECT_FALSE(box.has_value()) << box->text;
    });
    EXPECT_EQ(result, 9);
    EXPECT_EQ(HostRead("Save24"), "14");
    EXPECT_EQ(HostRead("SaveExt"), ".TIF");
    EXPECT_EQ(HostRead("MultiBPP"), "24");
    EXPECT_EQ(HostRead("SavePath"), ShortPathOf(root.path()) + "\\");
    EXPECT_EQ(HostRead("LongName"), "photo.TIF");

    // The next 24-bit dialog starts on the entry chosen last.
    RunDialog(24, "Save File", [&](HWND dialog) {
        EXPECT_EQ(ComboSelection(GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1)), "TIF Aldus TIFF");
        ClickControl(dialog, MORVEL_ID_BTNEXIT);
    });
}

TEST_F(ExplorerTest, RestrictedSixteenBitListIsForcedOntoEnhancedJpeg) {
    HostWrite("Save16", "3");
    RunDialog(
        16, "Save File",
        [&](HWND dialog) {
            HWND type = GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1);
            EXPECT_EQ(ComboItems(type), (std::vector<std::string>{"JPG JPEG/JFIF(Enhanced)", "KQP Konica Quality Photo",
                                                                  "PIC Pegasus \"JPEG\"", "TGA Truevision TarGA"}));
            EXPECT_EQ(ComboSelection(type), "JPG JPEG/JFIF(Enhanced)");
            ClickControl(dialog, MORVEL_ID_BTNEXIT);
        },
        1);
    EXPECT_EQ(HostRead("Save16"), "3") << "a cancelled dialog writes nothing";
}

TEST_F(ExplorerTest, ConvertDepthBoxRebuildsTheFormatList) {
    TempFolder root("depthbox");
    HostWrite("SavePath", root.path());
    const int result = RunDialog(108, "Convert Multiple Files", [&](HWND dialog) {
        HWND type = GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1);
        EXPECT_EQ(ComboSelection(type), "PNG Portable Network Graphics") << "the 8-bit list, Save8 absent";
        Pick(dialog, MORVEL_ID_BPPTYPE, 1);  // "64K Colors (16 bits)"
        EXPECT_EQ(ComboItems(type).size(), 6u);
        EXPECT_EQ(ComboSelection(type), "TGA Truevision TarGA");
        ClickControl(dialog, MORVEL_ID_BTNOK);
        const auto box = WaitForMessageBox(Millis(1500));
        EXPECT_FALSE(box.has_value()) << box->text;
    });
    EXPECT_EQ(result, 11);
    EXPECT_EQ(HostRead("MultiBPP"), "16");
    EXPECT_EQ(HostRead("Save16"), "5");
    EXPECT_EQ(HostRead("SaveExt"), ".TGA");
    // The placeholder does not exist, so its folder is recorded as the dialog showed it.
    EXPECT_EQ(HostRead("SavePath"), root.path() + "\\");
    EXPECT_EQ(HostRead("Save8"), "<absent>");
}

TEST_F(ExplorerTest, StoredPositionOutsideTheListShowsTheBuiltInEntry) {
    HostWrite("Save24", "40");  // hand-edited: the 24-bit list is shorter
    RunDialog(24, "Save File", [&](HWND dialog) {
        EXPECT_EQ(ComboSelection(GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1)), "JPG JPEG/JFIF(Enhanced)");
        ClickControl(dialog, MORVEL_ID_BTNEXIT);
    });
}

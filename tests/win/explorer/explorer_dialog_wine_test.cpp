// RemoteDlg95: each dialog kind's set-up, cancelling, and the confirm paths with their messages.
#include "win/explorer/explorer_fixture.h"

using namespace morvel::test;

namespace {

struct DialogLook {
    std::string caption, exitCaption, lookLabel, nameLabel, fileType;
    bool nameVisible = false, nameReadOnly = false, depthVisible = false, typeEnabled = false, multiSelect = false;
    std::string depth;
};

DialogLook Look(HWND dialog) {
    DialogLook look;
    look.caption = CaptionOf(dialog);
    look.exitCaption = TextOf(GetDlgItem(dialog, MORVEL_ID_BTNEXIT));
    look.lookLabel = TextOf(GetDlgItem(dialog, MORVEL_ID_LOOKLABEL));
    look.nameLabel = TextOf(GetDlgItem(dialog, MORVEL_ID_NAMELABEL));
    HWND edit = GetDlgItem(dialog, MORVEL_ID_EDIT1);
    look.nameVisible = IsWindowVisible(edit) != 0;
    look.nameReadOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
    HWND depth = GetDlgItem(dialog, MORVEL_ID_BPPTYPE);
    look.depthVisible = IsWindowVisible(depth) != 0;
    look.depth = ComboSelection(depth);
    HWND type = GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1);
    look.typeEnabled = IsWindowEnabled(type) != 0;
    look.fileType = ComboSelection(type);
    look.multiSelect = (GetWindowLongA(GetDlgItem(dialog, MORVEL_ID_XFILES), GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
    return look;
}

void Cancel(HWND dialog) {
    ClickControl(dialog, MORVEL_ID_BTNEXIT);
}

// Types a name and presses the Open/Save button; returns the message box shown, if any.
std::optional<MessageBoxSeen> TypeAndConfirm(HWND dialog, const std::string& name) {
    SetText(GetDlgItem(dialog, MORVEL_ID_EDIT1), name);
    ClickControl(dialog, MORVEL_ID_BTNOK);
    return WaitForMessageBox(Millis(1500));
}

}  // namespace

TEST_F(ExplorerTest, EachDialogKindSetsItselfUp) {
    TempFolder root("kinds");
    ASSERT_TRUE(WriteBytes(root / "a.avl", "x"));
    HostWrite("LastDir", root.path());
    HostWrite("SavePath", root.path());
    const struct {
        int kind;
        const char* caption;
        DialogLook look;
    } cases[] = {
        {0,
         "Save File",
         {"", "&Cancel", "Save &in", "File &name:", "AVL (AV List Slideshow)", true, false, false, false, false, ""}},
        {252,
         "Replace Slide",
         {"", "&Cancel", "Look &in:", "File &name:", "All validated formats", true, false, false, true, false, ""}},
        {253,
         "Add Multiple Slides",
         {"", "&Cancel", "Look &in:", "File &name:", "All validated formats", true, true, false, true, true, ""}},
        {254,
         "Open Slideshow",
         {"", "&Cancel", "Look &in:", "File &name:", "AVL (AV List Slideshow)", true, false, false, false, false, ""}},
        // The colour-depth box shows the depth the convert dialog starts with.
        {104,
         "Convert Multiple Files",
         {"", "&Cancel", "Save &in", "&Pixels:", "<none>", false, false, true, true, false, "16 Colors (4-bits)"}},
        {124,
         "Convert Multiple Files",
         {"", "&Cancel", "Save &in", "&Pixels:", "<none>", false, false, true, true, false, "16M Colors (24 bits)"}},
        {101,
         "Convert Multiple Files",
         {"", "&Cancel", "Save &in", "&Pixels:", "<none>", false, false, true, true, false, "Black & White (1 bit)"}},
    };
    for (const auto& c : cases) {
        DialogLook seen;
        const int result = RunDialog(c.kind, c.caption, [&](HWND dialog) {
            seen = Look(dialog);
            Cancel(dialog);
        });
        EXPECT_EQ(result, -1) << c.caption;
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.exitCaption, c.look.exitCaption) << c.caption;
        EXPECT_EQ(seen.lookLabel, c.look.lookLabel) << c.caption;
        EXPECT_EQ(seen.nameLabel, c.look.nameLabel) << c.caption;
        EXPECT_EQ(seen.nameVisible, c.look.nameVisible) << c.caption;
        if (c.look.nameVisible) {
            EXPECT_EQ(seen.nameReadOnly, c.look.nameReadOnly) << c.caption;
        }
        EXPECT_EQ(seen.depthVisible, c.look.depthVisible) << c.caption;
        if (c.look.depthVisible) {
            EXPECT_EQ(seen.depth, c.look.depth) << c.caption;
        }
        EXPECT_EQ(seen.typeEnabled, c.look.typeEnabled) << c.caption;
        if (c.kind <= 100 || c.kind >= 200) {  // convert kinds list formats
            EXPECT_EQ(seen.fileType, c.look.fileType) << c.caption;
        }
        EXPECT_EQ(seen.multiSelect, c.look.multiSelect) << c.caption;
        EXPECT_EQ(ExplorerWindow(), nullptr) << c.caption << ": the dialog is destroyed when it returns";
    }
}

TEST_F(ExplorerTest, CancelRecordsTheFolderOnlyForOpenKinds) {
    TempFolder root("cancel");
    const std::string shortRoot = ShortPathOf(root.path()) + "\\";
    for (int kind : {252, 253, 254, 0, 24}) {
        HostWrite("LastDir", root.path());
        HostWrite("SavePath", root.path());
        HostWrite("SaveName", "untouched");
        const std::string caption = kind >= 252 ? (kind == 252   ? "Replace Slide"
                                                   : kind == 253 ? "Add Multiple Slides"
                                                                 : "Open Slideshow")
                                                : "Save File";
        EXPECT_EQ(RunDialog(kind, caption, Cancel), -1) << kind;
        EXPECT_EQ(HostRead("SaveName"), "untouched") << kind;
        if (kind >= 200) {
            EXPECT_EQ(HostRead("LastDir"), shortRoot) << kind << ": opened at LastDir and recorded it, short";
        } else {
            EXPECT_EQ(HostRead("LastDir"), root.path()) << kind << ": save kinds do not record LastDir";
        }
    }
}

TEST_F(ExplorerTest, OpenSlideshowAppendsTheExtensionAndWritesBack) {
    TempFolder root("open254");
    ASSERT_TRUE(CreateDirectoryA((root / "My Shows").c_str(), nullptr));
    const std::string show = root / "My Shows\\Summer holiday.avl";
    ASSERT_TRUE(WriteBytes(show, "[Header]\r\n"));
    HostWrite("LastDir", ShortPathOf(root / "My Shows"));
    const int result = RunDialog(254, "Open Slideshow", [&](HWND dialog) {
        WaitUntil([&] { return !ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)).empty(); });
        EXPECT_EQ(ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)), (std::vector<std::string>{"summer holiday.avl"}));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(dialog, MORVEL_ID_XFILES)) != 0; }));
        const auto box = TypeAndConfirm(dialog, "Summer holiday");
        EXPECT_FALSE(box.has_value()) << box->text;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(HostRead("LongName"), "Summer holiday.AVL") << "the name part of the confirmed name";
    EXPECT_EQ(HostRead("SaveName"), ShortPathOf(show));
    EXPECT_EQ(HostRead("LastDir"), ShortPathOf(root / "My Shows") + "\\");
}

TEST_F(ExplorerTest, ConfirmRefusalsShowTheirMessagesAndKeepTheDialogOpen) {
    TempFolder root("refusals");
    ASSERT_TRUE(WriteBytes(root / "exists.avl", "x"));
    HostWrite("LastDir", root.path());
    HostWrite("SavePath", root.path());
    struct Step {
        const char* typed;
        const char* message;
        int answer;
    };
    const struct {
        int kind;
        const char* caption;
        std::vector<Step> steps;
    } cases[] = {
        {254,
         "Open Slideshow",
         {{"missing", "File not found.", IDOK},
          {"photo.jpeg", "Extension (file type) different. \n.AVL expected instead of .JPEG\nContinue?", IDNO},
          {"bad*name", "Invalid filename.\nPlease reenter.", IDOK},
          {"c:\\nowhere\\x.avl", "Invalid path.\nPlease reenter.", IDOK}}},
        {252,
         "Replace Slide",
         {{".avl", "Invalid filename.\nPlease reenter.", IDOK},
          {"sub\\x", "Invalid filename.\nPlease reenter.", IDOK}}},
        {0,
         "Save File",
         {{"exists", "exists.AVL\nin use.  Overwrite?", IDNO},
          {"new.txt", "Extension (file type) different. \n.AVL expected instead of .TXT\nContinue?", IDNO}}},
    };
    for (const auto& c : cases) {
        const int result = RunDialog(c.kind, c.caption, [&](HWND dialog) {
            for (const Step& step : c.steps) {
                const auto box = TypeAndConfirm(dialog, step.typed);
                ASSERT_TRUE(box.has_value()) << c.caption << ": " << step.typed;
                EXPECT_EQ(box->text, step.message) << c.caption << ": " << step.typed;
                AnswerMessageBox(*box, step.answer);
                EXPECT_TRUE(IsWindowVisible(dialog)) << c.caption << ": " << step.typed;
            }
            // The typed name stays as the user left it after the message.
            EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_EDIT1)), c.steps.back().typed) << c.caption;
            Cancel(dialog);
        });
        EXPECT_EQ(result, -1) << c.caption;
    }
    EXPECT_EQ(HostRead("SaveName"), "<absent>");
}

TEST_F(ExplorerTest, SaveDialogProbesAndWritesBack) {
    TempFolder root("save0");
    ASSERT_TRUE(CreateDirectoryA((root / "Slide Shows").c_str(), nullptr));
    HostWrite("SavePath", ShortPathOf(root / "Slide Shows") + "\\");
    const int result = RunDialog(0, "Save File", [&](HWND dialog) {
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_BTNOK)), "&Open");
        SetText(GetDlgItem(dialog, MORVEL_ID_EDIT1), "new show");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, MORVEL_ID_BTNOK)), "&Save");
        ClickControl(dialog, MORVEL_ID_BTNOK);
        const auto box = WaitForMessageBox(Millis(1500));
        EXPECT_FALSE(box.has_value()) << box->text;
    });
    EXPECT_GE(result, 0);
    const std::string saved = root / "Slide Shows\\new show.AVL";
    EXPECT_EQ(HostRead("LongName"), "new show.AVL");
    EXPECT_EQ(HostRead("SaveName"), ShortPathOf(saved));
    // The probe left a small icon file under the chosen name.
    const auto bytes = ReadBytes(saved);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_GE(bytes->size(), 6u);
    EXPECT_EQ(bytes->substr(0, 4), std::string("\0\0\1\0", 4));
    // The raw file carries the write-back's own spelling of the key.
    const std::string ini = ReadBytes(SettingsPath()).value_or("");
    EXPECT_NE(ini.find("Savename="), std::string::npos) << ini;
}

TEST_F(ExplorerTest, SaveIntoAnUnwritableFolderIsRefused) {
    TempFolder root("readonly");
    ASSERT_TRUE(CreateDirectoryA((root / "locked").c_str(), nullptr));
    HostWrite("SavePath", root / "locked");
    Immutable lock(root / "locked");
    if (!lock.active()) GTEST_SKIP() << "cannot make a folder immutable here";
    const int result = RunDialog(0, "Save File", [&](HWND dialog) {
        const auto box = TypeAndConfirm(dialog, "show");
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Cannot save \n" + (root / "locked\\show.AVL") + ".\nWrite access denied.");
        AnswerMessageBox(*box, IDOK);
        EXPECT_TRUE(IsWindowVisible(dialog));
        Cancel(dialog);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(HostRead("SaveName"), "<absent>");
    EXPECT_EQ(HostRead("LongName"), "<absent>");
}

TEST_F(ExplorerTest, ConvertReportsTheChosenFolderAndLeavesNoFile) {
    TempFolder root("convert");
    ASSERT_TRUE(CreateDirectoryA((root / "Out Folder").c_str(), nullptr));
    HostWrite("SavePath", root / "Out Folder");
    const int result = RunDialog(124, "Convert Multiple Files", [&](HWND dialog) {
        EXPECT_EQ(ListItems(GetDlgItem(dialog, MORVEL_ID_XFILES)).size(), 0u);
        ClickControl(dialog, MORVEL_ID_BTNOK);
        const auto box = WaitForMessageBox(Millis(1500));
        if (box) {
            ADD_FAILURE() << box->text;
            AnswerMessageBox(*box, IDYES);
        }
    });
    EXPECT_GE(result, 0);
    const std::string name = HostRead("LongName");
    EXPECT_EQ(name.substr(0, 8), "~(_)(_)~");
    const std::string saveName = HostRead("SaveName");
    EXPECT_EQ(saveName, root / ("Out Folder\\" + name));
    EXPECT_FALSE(FileExists(saveName)) << "the probe is removed again";
}

namespace {
// The control with the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

// Alt with a letter, as the keyboard sends it to the control that has the focus.
void PressAlt(HWND dialog, char letter) {
    HWND target = FocusOf(dialog);
    PostMessageA(target ? target : dialog, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
}
}  // namespace

TEST_F(ExplorerTest, AltWithALabelsLetterMovesTheFocusAndWithAButtonsLetterPressesIt) {
    TempFolder root("accelerators");
    HostWrite("LastDir", root.path());
    const int result = RunDialog(MORVEL_KIND_SAVE_SLIDESHOW, "Save File", [&](HWND dialog) {
        struct Step {
            char letter;
            int expected;
        } steps[] = {{'n', MORVEL_ID_EDIT1}, {'I', MORVEL_ID_LOOKBOX}};
        for (const Step& step : steps) {
            PressAlt(dialog, step.letter);
            const bool moved =
                WaitUntil([&] { return FocusOf(dialog) == GetDlgItem(dialog, step.expected); }, Millis(3000));
            EXPECT_TRUE(moved) << "Alt+" << step.letter << " should focus control " << step.expected;
        }
        // The file type is fixed on AVL here: its box is disabled and Alt+T leaves the focus.
        PressAlt(dialog, 't');
        Sleep(200);
        PumpMessages();
        EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, MORVEL_ID_LOOKBOX));
        // "&Cancel": the dialog closes as with the button.
        PressAlt(dialog, 'c');
    });
    EXPECT_EQ(result, MORVEL_DLG_CANCELLED);
}

TEST_F(ExplorerTest, AltWithTheTypeLetterFocusesTheFileTypeBoxWhereItIsEnabled) {
    TempFolder root("accelerators-open");
    HostWrite("LastDir", root.path());
    bool focused = false;
    RunDialog(MORVEL_KIND_REPLACE_SLIDE, "Replace Slide", [&](HWND dialog) {
        PressAlt(dialog, 'T');
        focused =
            WaitUntil([&] { return FocusOf(dialog) == GetDlgItem(dialog, MORVEL_ID_FILTERCOMBOBOX1); }, Millis(3000));
        ClickControl(dialog, MORVEL_ID_BTNEXIT);
    });
    EXPECT_TRUE(focused);
}

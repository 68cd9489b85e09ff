// The compression settings dialog as the user reaches it: a save dialog, a compressed format,
// a click on the JPEG button. Typing goes through the keyboard; the results are the four keys the
// host reads afterwards.
#include <fstream>
#include <iterator>

#include "win/explorer/explorer_fixture.h"
#include "win/support/import_patch.h"
#include "win/support/keyboard.h"

using namespace morvel::test;

namespace {

// Positions in the full 24-bit and 8-bit format lists.
constexpr int kBmp24 = 0;           // code 7: no button
constexpr int kCmp24 = 2;           // code 0
constexpr int kNormalJpeg24 = 4;    // code 1
constexpr int kEnhancedJpeg24 = 5;  // code 99
constexpr int kPic24 = 7;           // code 98
constexpr int kGreyJpeg8 = 4;       // code -11
constexpr int kGreyCmp8 = 3;        // code -10

constexpr const char* kCaption = "Compression Setting";

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}
bool Shown(HWND dialog, int id) {
    return IsWindowVisible(Item(dialog, id)) != 0;
}
bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(Item(dialog, id)) != 0;
}
int BarPosition(HWND dialog, int id) {
    return GetScrollPos(Item(dialog, id), SB_CTL);
}
bool Checked(HWND dialog, int id) {
    return SendMessageA(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Picks the format, clicks the JPEG button, hands the compression dialog to `work`
// (which closes it) and cancels the save dialog.
void WithCompression(int kind, int format, const std::function<void(HWND)>& work) {
    RunDialog(kind, "Save File", [&](HWND explorer) {
        ChooseFileType(explorer, format);
        HWND button = Item(explorer, MORVEL_ID_BTNJPEG);
        EXPECT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button)) << "format " << format;
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == explorer; }));
        Click(button);
        HWND dialog = WaitForWindow(kCaption, "TUserCompress");
        if (dialog) {
            // A user starts once the dialog has come up in front with a control focused.
            EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog && IsChild(dialog, FocusOf(dialog)); }));
            // and the system has settled the activation.
            Sleep(200);
            PumpMessages();
            EXPECT_FALSE(IsWindowEnabled(explorer)) << "the save dialog waits while the settings are open";
            work(dialog);
            EXPECT_TRUE(WaitForWindowGone(kCaption));
            EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(explorer) != 0; }));
        }
        ClickControl(explorer, MORVEL_ID_BTNEXIT);
    });
}

// Puts the focus on a field with its label's accelerator and selects its text, as a user does
// before typing over it.
void FocusField(HWND dialog, char accelerator, int field) {
    PressKey({VK_MENU}, static_cast<WORD>(VkKeyScanA(accelerator) & 0xFF));
    ASSERT_TRUE(WaitForFocus(dialog, Item(dialog, field))) << "Alt+" << accelerator;
    PressKey(VK_HOME);
    PressKey({VK_SHIFT}, VK_END);
}

// Enter: the focused push button, or OK from any other control.
void PressOk(HWND) {
    PressKey(VK_RETURN);
}

std::string SettingsText() {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> CompressionKeys() {
    return {HostRead("SaveYUV"), HostRead("SaveJPG"), HostRead("SavePIC"), HostRead("SaveCMP")};
}

using Keys = std::vector<std::string>;

struct HelpCall {
    HWND owner = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};
std::vector<HelpCall> helpCalls;

BOOL WINAPI RecordHelp(HWND owner, LPCSTR file, UINT command, ULONG_PTR data) {
    helpCalls.push_back({owner, file ? file : "", command, data});
    return TRUE;
}

}  // namespace

TEST_F(ExplorerTest, CompressionDefaultsAndOkWritesTheFourKeysInOrder) {
    WithCompression(24, kEnhancedJpeg24, [](HWND dialog) {
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LUMAEDIT)), "6");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COLOREDIT)), "12");
        EXPECT_EQ(BarPosition(dialog, MORVEL_ID_LUMASCROLLBAR), 6);
        EXPECT_EQ(BarPosition(dialog, MORVEL_ID_COLORSCROLLBAR), 12);
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LUMALABEL)), "Luminance &Setting");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COMPRESS_COLORLABEL)), "&Color Setting");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LABEL2)), "2 (best)");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LABEL1)), "(smallest) 255");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_GROUPBOX1)), "S&ample");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COMPRESS_BTNOK)), "&Ok");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COMPRESS_BTNCANCEL)), "Cancel");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COMPRESS_BTNHELP)), "&Help");
        EXPECT_FALSE(Shown(dialog, MORVEL_ID_CUSTOMLEADSETTING));
        EXPECT_TRUE(Shown(dialog, MORVEL_ID_COLORSCROLLBAR) && Shown(dialog, MORVEL_ID_COLOREDIT));
        EXPECT_TRUE(Checked(dialog, MORVEL_ID_YUV4));
        EXPECT_TRUE(Enabled(dialog, MORVEL_ID_YUV2));
        EXPECT_EQ(ComboItems(Item(dialog, MORVEL_ID_CUSTOMLEADSETTING)).size(), 10u);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 421);
        EXPECT_EQ(client.bottom, 214);
        EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU, 0) << "no border icons";
        PressOk(dialog);
    });
    EXPECT_EQ(CompressionKeys(), (Keys{"0", "6", "12", "0"}));
    const std::string text = SettingsText();
    const auto yuv = text.find("SaveYUV="), jpg = text.find("SaveJPG="), pic = text.find("SavePIC="),
               cmp = text.find("SaveCMP=");
    ASSERT_NE(cmp, std::string::npos) << text;
    EXPECT_TRUE(yuv < jpg && jpg < pic && pic < cmp) << text;
}

TEST_F(ExplorerTest, CompressionCancelAndEscWriteNothing) {
    HostWrite("SaveJPG", "40");
    // Cancel after a radio button was clicked.
    WithCompression(24, kPic24, [](HWND dialog) {
        Click(Item(dialog, MORVEL_ID_YUV1));
        EXPECT_TRUE(WaitUntil([&] { return Checked(dialog, MORVEL_ID_YUV1); }));
        ClickControl(dialog, MORVEL_ID_COMPRESS_BTNCANCEL);
    });
    // Esc after typing a new value.
    WithCompression(24, kEnhancedJpeg24, [](HWND dialog) {
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        TypeText("99");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(Item(dialog, MORVEL_ID_LUMAEDIT)) == "99"; }));
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(CompressionKeys(), (Keys{"<absent>", "40", "<absent>", "<absent>"}));
}

TEST_F(ExplorerTest, CompressionFieldsAreCorrectedAtEveryKeystroke) {
    WithCompression(24, kEnhancedJpeg24, [](HWND dialog) {
        HWND luma = Item(dialog, MORVEL_ID_LUMAEDIT);
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        TypeText("1");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(luma) == "2"; })) << TextOf(luma);
        EXPECT_EQ(BarPosition(dialog, MORVEL_ID_LUMASCROLLBAR), 2);

        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        TypeText("999");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(luma) == "255"; })) << TextOf(luma);
        EXPECT_EQ(BarPosition(dialog, MORVEL_ID_LUMASCROLLBAR), 255);

        // The second field, and the caret stays at the end of a corrected text.
        HWND color = Item(dialog, MORVEL_ID_COLOREDIT);
        FocusField(dialog, 'c', MORVEL_ID_COLOREDIT);
        TypeText("40");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(color) == "40"; })) << TextOf(color);
        EXPECT_EQ(BarPosition(dialog, MORVEL_ID_COLORSCROLLBAR), 40);
        PressKey(VK_BACK);
        PressKey(VK_BACK);  // empty: the minimum at once
        EXPECT_TRUE(WaitUntil([&] { return TextOf(color) == "2"; })) << TextOf(color);
        TypeText("5");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(color) == "25"; })) << TextOf(color);

        // The bar writes into its field: Tab on to the first bar (past "&Help"), Left arrow.
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        PressKey(VK_TAB);
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitForFocus(dialog, Item(dialog, MORVEL_ID_LUMASCROLLBAR)));
        PressKey(VK_LEFT);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(luma) == "254"; })) << TextOf(luma);
        PressOk(dialog);
    });
    EXPECT_EQ(CompressionKeys(), (Keys{"0", "254", "25", "0"}));
}

TEST_F(ExplorerTest, CompressionLoneMinusAndPastedNumbers) {
    WithCompression(24, kEnhancedJpeg24, [](HWND dialog) {
        HWND luma = Item(dialog, MORVEL_ID_LUMAEDIT);
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        TypeText("-");
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "'-' is not a valid integer value");
        AnswerMessageBox(*box, IDOK);
        EXPECT_EQ(TextOf(luma), "-");
        EXPECT_EQ(BarPosition(dialog, MORVEL_ID_LUMASCROLLBAR), 6) << "the bar keeps its place";

        // The bars still write into their fields after the message.
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        PressKey(VK_TAB);
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitForFocus(dialog, Item(dialog, MORVEL_ID_LUMASCROLLBAR)));
        PressKey(VK_RIGHT);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(luma) == "7"; })) << TextOf(luma);

        // Pasted text: a 10-digit number ends as 255, words get the message.
        ASSERT_TRUE(SetClipboardText("1234567890"));
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        PressKey({VK_CONTROL}, 'V');
        EXPECT_TRUE(WaitUntil([&] { return TextOf(luma) == "255"; })) << TextOf(luma);
        ASSERT_TRUE(SetClipboardText("abc"));
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        PressKey({VK_CONTROL}, 'V');
        const auto word = WaitForMessageBox();
        ASSERT_TRUE(word.has_value());
        EXPECT_EQ(word->text, "'abc' is not a valid integer value");
        AnswerMessageBox(*word, IDOK);
        // OK with text that is no number takes the bar's value, the last number the field held.
        PressOk(dialog);
    });
    EXPECT_EQ(HostRead("SaveJPG"), "255");
}

TEST_F(ExplorerTest, CompressionStoredValuesOutOfRange) {
    HostWrite("SaveYUV", "5");
    HostWrite("SaveJPG", "300");
    HostWrite("SavePIC", "not a number");
    HostWrite("SaveCMP", "911");
    WithCompression(24, kEnhancedJpeg24, [](HWND dialog) {
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LUMAEDIT)), "255");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COLOREDIT)), "12");
        EXPECT_TRUE(Checked(dialog, MORVEL_ID_YUV4));
        PressOk(dialog);
    });
    EXPECT_EQ(CompressionKeys(), (Keys{"5", "255", "12", "0"})) << "a stored 5 stays without a click";

    // A click on a radio button replaces it; the keyboard's arrows click too.
    WithCompression(24, kEnhancedJpeg24, [](HWND dialog) {
        PressKey({VK_MENU}, 'A');  // "S&ample": the checked button
        ASSERT_TRUE(WaitForFocus(dialog, Item(dialog, MORVEL_ID_YUV4)));
        PressKey(VK_DOWN);
        EXPECT_TRUE(WaitUntil([&] { return Checked(dialog, MORVEL_ID_YUV2); }));
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(HostRead("SaveYUV"), "1");
}

TEST_F(ExplorerTest, CompressionArrangedForCmp) {
    HostWrite("SaveCMP", "3");
    WithCompression(24, kCmp24, [](HWND dialog) {
        HWND presets = Item(dialog, MORVEL_ID_CUSTOMLEADSETTING);
        EXPECT_TRUE(Shown(dialog, MORVEL_ID_CUSTOMLEADSETTING) && Enabled(dialog, MORVEL_ID_CUSTOMLEADSETTING));
        EXPECT_EQ(ComboSelection(presets), "3 - Better Quality vs. Size");
        EXPECT_FALSE(Shown(dialog, MORVEL_ID_COLORSCROLLBAR) || Shown(dialog, MORVEL_ID_COLOREDIT) ||
                     Shown(dialog, MORVEL_ID_COMPRESS_PANEL2));
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_COMPRESS_COLORLABEL)), "&CMP Presets");
        EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LUMALABEL)), "Custom &Setting");
        EXPECT_FALSE(Enabled(dialog, MORVEL_ID_YUV4) || Enabled(dialog, MORVEL_ID_YUV2) ||
                     Enabled(dialog, MORVEL_ID_YUV1));
        EXPECT_FALSE(Enabled(dialog, MORVEL_ID_LUMAEDIT) || Enabled(dialog, MORVEL_ID_LUMASCROLLBAR));
        // The list sits where the second bar's frame is.
        RECT list{}, frame{};
        GetWindowRect(presets, &list);
        GetWindowRect(Item(dialog, MORVEL_ID_COMPRESS_PANEL2), &frame);
        EXPECT_EQ(list.left, frame.left);
        EXPECT_EQ(list.right - list.left, frame.right - frame.left);

        // "&CMP Presets" focuses the list; Home picks "0 - Custom Quality vs. Size".
        PressKey({VK_MENU}, 'C');
        ASSERT_TRUE(WaitForFocus(dialog, presets));
        PressKey(VK_HOME);
        EXPECT_TRUE(WaitUntil([&] { return ComboSelection(presets) == "0 - Custom Quality vs. Size"; }));
        EXPECT_TRUE(WaitUntil([&] { return Enabled(dialog, MORVEL_ID_LUMAEDIT); }));
        EXPECT_TRUE(Enabled(dialog, MORVEL_ID_LUMASCROLLBAR));
        FocusField(dialog, 's', MORVEL_ID_LUMAEDIT);
        TypeText("30");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(Item(dialog, MORVEL_ID_LUMAEDIT)) == "30"; }));
        PressKey(VK_END);
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(CompressionKeys(), (Keys{"0", "30", "12", "0"}));
}

TEST_F(ExplorerTest, CompressionArrangedForEveryOtherCode) {
    struct Case {
        const char* name;
        int kind;
        int format;
        bool presetsShown, presetsEnabled, colorShown, radiosEnabled;
        const char* lumaLabel;
    } cases[] = {
        {"JPEG normal (1)", 24, kNormalJpeg24, true, false, false, true, "Custom &Setting"},
        {"JPEG grey (-11)", 8, kGreyJpeg8, true, false, false, false, "Custom &Setting"},
        {"CMP grey (-10)", 8, kGreyCmp8, true, true, false, false, "Custom &Setting"},
        {"PIC (98)", 24, kPic24, false, true, true, true, "Luminance &Setting"},
    };
    for (const Case& c : cases) {
        HostWrite("SaveCMP", "7");
        WithCompression(c.kind, c.format, [&](HWND dialog) {
            EXPECT_EQ(Shown(dialog, MORVEL_ID_CUSTOMLEADSETTING), c.presetsShown) << c.name;
            if (c.presetsShown) {
                EXPECT_EQ(Enabled(dialog, MORVEL_ID_CUSTOMLEADSETTING), c.presetsEnabled) << c.name;
            }
            EXPECT_EQ(Shown(dialog, MORVEL_ID_COLORSCROLLBAR), c.colorShown) << c.name;
            EXPECT_EQ(Shown(dialog, MORVEL_ID_COMPRESS_COLORLABEL), c.colorShown || c.presetsEnabled) << c.name;
            EXPECT_EQ(Enabled(dialog, MORVEL_ID_YUV2), c.radiosEnabled) << c.name;
            EXPECT_EQ(TextOf(Item(dialog, MORVEL_ID_LUMALABEL)), c.lumaLabel) << c.name;
            PressOk(dialog);
        });
        // Only the CMP formats keep a stored preset.
        EXPECT_EQ(HostRead("SaveCMP"), c.presetsEnabled && !c.colorShown ? "7" : "0") << c.name;
    }
}

TEST_F(ExplorerTest, JpegButtonOnlyForCompressedFormats) {
    RunDialog(24, "Save File", [](HWND explorer) {
        HWND button = Item(explorer, MORVEL_ID_BTNJPEG);
        for (const auto& [format, shown] : {std::pair{kBmp24, false},
                                            {kEnhancedJpeg24, true},
                                            {14, false},
                                            {kPic24, true},
                                            {kCmp24, true},
                                            {6, true}}) {
            ChooseFileType(explorer, format);
            EXPECT_EQ(IsWindowVisible(button) != 0, shown) << format;
            EXPECT_EQ(IsWindowEnabled(button) != 0, shown) << format;
        }
        ClickControl(explorer, MORVEL_ID_BTNEXIT);
    });
}

TEST_F(ExplorerTest, CompressionHelpOpensContext101) {
    ImportPatch patch(GetModuleHandleA("morvel32.dll"), "user32.dll", "WinHelpA", reinterpret_cast<void*>(RecordHelp));
    ASSERT_TRUE(patch.active());
    helpCalls.clear();
    HWND shown = nullptr;
    WithCompression(24, kEnhancedJpeg24, [&](HWND dialog) {
        shown = dialog;
        PressKey({VK_MENU}, 'H');  // "&Help"
        EXPECT_TRUE(WaitUntil([] { return !helpCalls.empty(); }));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "help leaves the dialog open";
        PressKey(VK_ESCAPE);
    });
    ASSERT_EQ(helpCalls.size(), 1u);
    EXPECT_EQ(helpCalls[0].owner, shown);
    EXPECT_EQ(helpCalls[0].file, "MORVEL.HLP");
    EXPECT_EQ(helpCalls[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(helpCalls[0].data, 101u);
    EXPECT_EQ(HostRead("SaveJPG"), "<absent>");
}

TEST_F(ExplorerTest, CompressionKeysThatCannotBeWrittenAreReported) {
    HostWrite("SaveJPG", "40");
    Immutable locked(SettingsPath());
    if (!locked.active()) GTEST_SKIP() << "the settings file cannot be made read-only here";
    std::vector<std::string> boxes;
    RunDialog(24, "Save File", [&](HWND explorer) {
        ChooseFileType(explorer, kEnhancedJpeg24);
        Click(Item(explorer, MORVEL_ID_BTNJPEG));
        HWND dialog = WaitForWindow(kCaption, "TUserCompress");
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog && IsChild(dialog, FocusOf(dialog)); }));
        Sleep(200);
        PressKey(VK_RETURN);
        if (const auto box = WaitForMessageBox()) {
            boxes.push_back(box->text);
            AnswerMessageBox(*box, IDOK);
        }
        EXPECT_TRUE(WaitForWindowGone(kCaption));
        EXPECT_TRUE(IsWindowVisible(explorer)) << "the save dialog stays open";
        ClickControl(explorer, MORVEL_ID_BTNEXIT);
        // Closing writes LastDir, which fails the same way.
        while (const auto box = WaitForMessageBox(Millis(1500))) AnswerMessageBox(*box, IDOK);
    });
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0], "Unable to write to morvel.ini");
    EXPECT_EQ(HostRead("SaveJPG"), "40");
    EXPECT_EQ(HostRead("SaveYUV"), "<absent>");
}

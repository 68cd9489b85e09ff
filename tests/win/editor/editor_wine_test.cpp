// The Slideshow Editor through EditorWin95, driven from a second thread as a user would: buttons,
// real keys for the grid, the menus and the numeric entry dialog (SendInput to the foreground
// window), the Explorer dialogs it runs, and the test file's bytes after "&Test".
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/mnemonic.h"
#include "editor/slide_table.h"
#include "morvel32.h"
#include "win/support/import_patch.h"
#include "win/support/keyboard.h"
#include "win/support/test_env.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

const std::string kMark(30, '-');

void HostWrite(const std::string& key, const std::string& value) {
    ASSERT_TRUE(WritePrivateProfileStringA("morvel", key.c_str(), value.c_str(), "morvel.ini"));
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return std::string(buffer, length);
}

std::string Lower(std::string s) {
    CharLowerBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

int ItemCount(HWND grid) {
    return static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0));
}

std::string Cell(HWND grid, int item, int column) {
    char buffer[1100] = {};
    LVITEMA lv{};
    lv.iSubItem = column;
    lv.pszText = buffer;
    lv.cchTextMax = sizeof buffer;
    const LRESULT length = SendMessageA(grid, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
    return std::string(buffer, static_cast<size_t>(length));
}

std::vector<std::string> Headers(HWND grid) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(grid, LVM_GETHEADER, 0, 0));
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[64] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(buffer);
    }
    return texts;
}

// Real key presses, to whatever window has the keyboard focus.
void Keys(const std::vector<WORD>& keys) {
    for (const WORD vk : keys) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = vk;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(30);
    }
}

// Alt with a letter, as a user presses a button by its underlined letter. Being input, it comes
// after the keys typed before it (a posted click could overtake them).
void AltKey(char letter) {
    INPUT input[4] = {};
    for (INPUT& i : input) i.type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[3].ki.wVk = VK_MENU;
    input[1].ki.wVk = input[2].ki.wVk = static_cast<WORD>(letter);
    input[2].ki.dwFlags = input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
    Sleep(30);
}

// Shift+Home from the end: the whole text of an edit selected, as a user empties it.
void SelectAllByKeys() {
    Keys({VK_END});
    INPUT input[4] = {};
    for (INPUT& i : input) i.type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_SHIFT;
    input[1].ki.wVk = VK_HOME;
    input[2].ki.wVk = VK_HOME;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_SHIFT;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
    Sleep(30);
}

void MakeForeground(HWND window) {
    SetForegroundWindow(window);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; })) << "not in the foreground";
}

HWND WaitForPopupMenu() {
    HWND menu = nullptr;
    WaitUntil([&] {
        menu = FindWindowA("#32768", nullptr);
        return menu && IsWindowVisible(menu);
    });
    return menu;
}

int RunEditor(const std::function<void()>& driver) {
    int result = 12345;
    DriveModal([&] { result = EditorWin95(); }, driver, Millis(30000));
    return result;
}

class EditorTest : public testing::Test {
protected:
    void SetUp() override {
        RemoveSettings();
        // The Explorer dialogs the editor runs need the exchange file named.
        HostWrite("Win95Tmp", "c:\\morvel-editor-exchange.tmp");
        // The pointer away from where menus open: a menu selects the item under it.
        SetCursorPos(0, 0);
    }
    void TearDown() override { RemoveSettings(); }
};

TEST_F(EditorTest, StartsWithThePlaceholderAndClosesWithoutAsking) {
    const int result = RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        EXPECT_EQ(ClassOf(grid), "SysListView32");
        EXPECT_TRUE(GetWindowLongA(grid, GWL_STYLE) & LVS_OWNERDATA);
        // The grid shows the model's headers and its placeholder row, as a reader of the list view finds them.
        std::vector<std::string> headers;
        for (int c = 0; c < morvel::editor::kColumnCount; ++c) headers.emplace_back(morvel::editor::ColumnHeader(c));
        EXPECT_EQ(Headers(grid), headers);
        EXPECT_EQ(ItemCount(grid), 1);
        const morvel::editor::Slide placeholder = morvel::editor::PlaceholderSlide();
        for (int c = 0; c < morvel::editor::kColumnCount; ++c) EXPECT_EQ(Cell(grid, 0, c), placeholder[c]) << c;
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(SendMessageA(grid, LVM_GETCOLUMNWIDTH, c, 0), 1) << c;
        EXPECT_EQ(TextOf(Control(editor, MORVEL_ID_FULLNAME)), "Slide Pathname: <blank>");
        EXPECT_EQ(TextOf(Control(editor, MORVEL_ID_COLORLABEL)), "No Bkgnd");
        // Every button of the header is there, each with a letter of its own for Alt.
        std::set<char> letters;
        for (const int id :
             {MORVEL_ID_BTNADD, MORVEL_ID_BTNDELETE, MORVEL_ID_BTNGLOBAL, MORVEL_ID_BTNCD, MORVEL_ID_BTNNEW,
              MORVEL_ID_BTNTEST, MORVEL_ID_BTNLOAD, MORVEL_ID_BTNSAVE, MORVEL_ID_EDITOR_BTNHELP, MORVEL_ID_BTNQUIT}) {
            const std::string caption = TextOf(Control(editor, id));
            EXPECT_TRUE(IsWindowVisible(Control(editor, id))) << caption;
            EXPECT_TRUE(letters.insert(morvel::MnemonicOf(caption)).second) << "letter of \"" << caption << "\" taken";
        }
        EXPECT_FALSE(letters.contains('\0')) << "a button without a letter";
        // Killing the only slide leaves the placeholder, not modified: closing asks nothing.
        ClickControl(editor, MORVEL_ID_BTNDELETE);
        WaitUntil([&] { return Cell(grid, 0, 4) == "<right-click me>"; });
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        EXPECT_FALSE(WaitForMessageBox(Millis(800)).has_value());
        EXPECT_TRUE(WaitForWindowGone("Morvel Slideshow Editor"));
    });
    EXPECT_EQ(result, 0);
}

TEST_F(EditorTest, TestWithNothingToTestStaysOpen) {
    const int result = RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        ClickControl(editor, MORVEL_ID_BTNTEST);
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Nothing to test!  Please add slides.");
        AnswerMessageBox(*box, IDOK);
        EXPECT_TRUE(IsWindowVisible(editor));
        MakeForeground(editor);
        Keys({VK_ESCAPE});  // Escape presses "&Close"
        EXPECT_TRUE(WaitForWindowGone("Morvel Slideshow Editor"));
    });
    EXPECT_EQ(result, 0);
}

TEST_F(EditorTest, HostFileEffectChosenByKeysThenTestWritesTheFile) {
    TempFolder root("editortest");
    ASSERT_TRUE(WriteBytes(root / "a.bmp", "BM"));
    ASSERT_TRUE(WriteBytes(root / "clip.avi", "RIFF"));
    const std::string folder = Lower(ShortPathOf(root.path())) + "\\";
    const std::string show = root / "show.avl";
    ASSERT_TRUE(WriteBytes(show, "[Header]\r\nVer=4\r\nN=3\r\n[Directory]\r\n0=c:\\\r\n1=" + folder +
                                     "\r\n[1]\r\nF=a.bmp,1\r\nB=0\r\nX=0\r\n[2]\r\nF=clip.avi,1\r\nB=0\r\nX=0\r\n"));
    const std::string testFile = root / "test.avl";
    HostWrite("AVLFIL", show);
    HostWrite("AVLTMP", testFile);
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        ASSERT_EQ(ItemCount(grid), 2);
        EXPECT_EQ(Cell(grid, 0, 4), "a.bmp");
        EXPECT_EQ(Cell(grid, 0, 1), folder + "a.bmp");
        EXPECT_EQ(Cell(grid, 1, 6), "Loop 1x");
        EXPECT_EQ(TextOf(Control(editor, MORVEL_ID_FULLNAME)), folder + "a.bmp");
        EXPECT_EQ(TextOf(Control(editor, MORVEL_ID_COLORLABEL)), "Bkgnd");
        // From the Filename cell two to the right is the Effect cell; Enter opens its menu.
        MakeForeground(editor);
        SetFocus(grid);
        Keys({VK_RIGHT, VK_RIGHT, VK_RETURN});
        ASSERT_TRUE(WaitForPopupMenu());
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 6) == "Wipe Dn"; })) << Cell(grid, 0, 6);
        EXPECT_EQ(Cell(grid, 0, 2), "1");
        ClickControl(editor, MORVEL_ID_BTNTEST);
        EXPECT_TRUE(WaitForWindowGone("Slideshow Editor"));
    });
    EXPECT_EQ(result, -1);
    const std::string expected = "[Header]\r\nVer=4\r\nScreenW=" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) +
                                 "\r\nScreenH=" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
                                 "\r\nN=3\r\n[Directory]\r\n0=c:\\\r\n1=" + folder +
                                 "\r\n[1]\r\nF=a.bmp,1\r\nB=0\r\nX=1\r\n[2]\r\nF=clip.avi,1\r\nB=0\r\nX=0\r\nL=100\r\n";
    EXPECT_EQ(ReadBytes(testFile).value_or("<none>"), expected);
}

TEST_F(EditorTest, CdTrackTypedIntoTheNumericDialog) {
    const int result = RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        ClickControl(editor, MORVEL_ID_BTNCD);
        HWND dialog = WaitForWindow("CD Audio Track Selection", "TScrlDlg");
        ASSERT_TRUE(dialog);
        HWND edit = Control(dialog, MORVEL_ID_CUSTOMSETTING);
        HWND bar = Control(dialog, MORVEL_ID_CUSTOMSCROLLBAR);
        EXPECT_EQ(TextOf(Control(dialog, MORVEL_ID_LABELMIN)), "1");
        EXPECT_EQ(TextOf(Control(dialog, MORVEL_ID_LABELMAX)), "99");
        EXPECT_EQ(TextOf(edit), "1");
        EXPECT_EQ(TextOf(Control(dialog, MORVEL_ID_SCRL_BTNOK)), "&Ok");
        MakeForeground(dialog);
        EXPECT_TRUE(WaitForFocus(dialog, edit)) << "the dialog opens in its field";
        // What the rules answer to a keystroke reaches both controls at once.
        Keys({VK_END, VK_BACK, '9', '9', '9'});
        EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == "99"; })) << "clamped to the maximum: " << TextOf(edit);
        EXPECT_EQ(GetScrollPos(bar, SB_CTL), 99);
        Keys({VK_END, VK_BACK, VK_BACK, '3', '5', VK_RETURN});
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Replace current slide?");
        AnswerMessageBox(*box, IDYES);
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 4) == "CD Track: 35"; })) << Cell(grid, 0, 4);
        EXPECT_EQ(Cell(grid, 0, 2), "35");
        EXPECT_EQ(Cell(grid, 0, 1), kMark);
        EXPECT_EQ(Cell(grid, 0, 7), "0");
        // Modified: closing asks.
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        const auto discard = WaitForMessageBox();
        ASSERT_TRUE(discard.has_value());
        EXPECT_EQ(discard->text, "Discard changes?");
        AnswerMessageBox(*discard, IDYES);
        EXPECT_TRUE(WaitForWindowGone("Morvel Slideshow Editor"));
    });
    EXPECT_EQ(result, 0);
}

// a corrupt file chosen in "&Open" leaves caption, file and flag as they were.
TEST_F(EditorTest, FailedOpenKeepsCaptionAndModifiedFlag) {
    TempFolder root("editoropen");
    const std::string corrupt = root / "broken.avl";
    ASSERT_TRUE(WriteBytes(corrupt, "[Header]\r\nVer=4\r\nN=0\r\n"));
    HostWrite("LastDir", root.path());
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        // A CD track makes the slideshow modified.
        ClickControl(editor, MORVEL_ID_BTNCD);
        HWND dialog = WaitForWindow("CD Audio Track Selection", "TScrlDlg");
        ASSERT_TRUE(dialog);
        ClickControl(dialog, MORVEL_ID_SCRL_BTNOK);
        auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        AnswerMessageBox(*box, IDNO);
        WaitUntil([&] { return ItemCount(grid) == 2; });
        EXPECT_EQ(Cell(grid, 1, 4), "CD Track: 1");

        MakeForeground(editor);
        PressKey({VK_CONTROL}, 'O');  // "&Open"
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Discard changes?");
        AnswerMessageBox(*box, IDYES);
        HWND open = WaitForWindow("Open Slideshow", "TFileForm");
        ASSERT_TRUE(open);
        WaitUntil([&] { return IsWindowEnabled(GetDlgItem(open, MORVEL_ID_XFILES)) != 0; });
        SetText(GetDlgItem(open, MORVEL_ID_EDIT1), corrupt);
        ClickControl(open, MORVEL_ID_BTNOK);
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Invalid or corrupt AVL file.");
        AnswerMessageBox(*box, IDOK);
        EXPECT_EQ(CaptionOf(editor), "Morvel Slideshow Editor");
        EXPECT_EQ(ItemCount(grid), 2) << "the table keeps its slides";
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value()) << "still modified";
        EXPECT_EQ(box->text, "Discard changes?");
        AnswerMessageBox(*box, IDYES);
        EXPECT_TRUE(WaitForWindowGone("Morvel Slideshow Editor"));
    });
    EXPECT_EQ(result, 0);
}

TEST_F(EditorTest, AddSlidesThroughTheExplorerThenSave) {
    TempFolder root("editoradd");
    ASSERT_TRUE(WriteBytes(root / "first.bmp", "BM"));
    ASSERT_TRUE(WriteBytes(root / "movie.mov", "x"));
    const std::string exchange = root / "exchange.tmp";
    HostWrite("Win95Tmp", exchange);
    HostWrite("LastDir", root.path());
    const std::string saved = root / "saved.avl";
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        Keys({VK_INSERT});  // "&Add Slides"
        HWND add = WaitForWindow("Add Multiple Slides", "TFileForm");
        ASSERT_TRUE(add);
        HWND list = GetDlgItem(add, MORVEL_ID_XFILES);
        WaitUntil([&] { return IsWindowEnabled(list) != 0 && SendMessageA(list, LB_GETCOUNT, 0, 0) >= 2; });
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[300] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            const std::string t = text;
            if (t == "first.bmp" || t == "movie.mov") {
                SendMessageA(list, LB_SETSEL, TRUE, i);
                SendMessageA(list, LB_SETCARETINDEX, i, FALSE);
            }
        }
        SendMessageA(add, WM_COMMAND, MAKEWPARAM(MORVEL_ID_XFILES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        ClickControl(add, MORVEL_ID_BTNOK);
        EXPECT_TRUE(WaitUntil([&] { return ItemCount(grid) == 2; })) << ItemCount(grid);
        EXPECT_EQ(Cell(grid, 0, 4), "first.bmp");
        EXPECT_EQ(Cell(grid, 1, 4), "movie.mov");
        EXPECT_EQ(Cell(grid, 1, 11), "50");
        // The two files are one step to undo and to make again.
        MakeForeground(editor);
        PressKey({VK_CONTROL}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return ItemCount(grid) == 1 && Cell(grid, 0, 4) == "<right-click me>"; }));
        PressKey({VK_CONTROL}, 'Y');
        EXPECT_TRUE(WaitUntil([&] { return ItemCount(grid) == 2 && Cell(grid, 1, 4) == "movie.mov"; }));

        PressKey({VK_CONTROL}, 'S');  // "&Save"
        HWND save = WaitForWindow("Save File", "TFileForm");
        ASSERT_TRUE(save);
        WaitUntil([&] { return IsWindowEnabled(GetDlgItem(save, MORVEL_ID_XFILES)) != 0; });
        SetText(GetDlgItem(save, MORVEL_ID_EDIT1), saved);
        ClickControl(save, MORVEL_ID_BTNOK);
        EXPECT_TRUE(WaitUntil([&] {
            return CaptionOf(editor) ==
                   "Slideshow Editor [" + ShortPathOf(saved).substr(ShortPathOf(saved).rfind('\\') + 1) + "]";
        })) << CaptionOf(editor);
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        EXPECT_FALSE(WaitForMessageBox(Millis(800)).has_value()) << "saved: closing asks nothing";
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, Millis(3000)));
    });
    EXPECT_EQ(result, 0);
    const std::string bytes = ReadBytes(saved).value_or("");
    EXPECT_NE(bytes.find("N=3\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("F=movie.mov,1\r\nB=0\r\nX=0\r\nL=50\r\n"), std::string::npos) << bytes;
}

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

// The colour dialog as a user who picks one colour.
BOOL WINAPI PickColour(LPCHOOSECOLORA choose) {
    EXPECT_TRUE(choose->Flags & CC_FULLOPEN);
    EXPECT_FALSE(choose->Flags & CC_RGBINIT) << "not preset with the slide's colour";
    choose->rgbResult = RGB(1, 2, 3);
    return TRUE;
}

// A slideshow of a picture, a clip and a sound in a fresh folder, named as the host's file.
std::string PrepareShow(const TempFolder& root) {
    EXPECT_TRUE(WriteBytes(root / "a.bmp", "BM"));
    EXPECT_TRUE(WriteBytes(root / "clip.avi", "RIFF"));
    EXPECT_TRUE(WriteBytes(root / "s.wav", "RIFF"));
    const std::string folder = Lower(ShortPathOf(root.path())) + "\\";
    const std::string show = root / "show.avl";
    EXPECT_TRUE(WriteBytes(show, "[Header]\r\nVer=4\r\nN=4\r\n[Directory]\r\n0=" + folder +
                                     "\r\n[1]\r\nF=a.bmp,0\r\nB=0\r\nX=0\r\n[2]\r\nF=clip.avi,0\r\nB=0\r\nX=0\r\n"
                                     "[3]\r\nF=s.wav,0\r\n"));
    HostWrite("AVLFIL", show);
    return folder;
}

// A left click selects the cell under the pointer; a right click then acts on the selected cell.
TEST_F(EditorTest, MouseClickSelectsACell) {
    TempFolder root("editorclick");
    const std::string folder = PrepareShow(root);
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        RECT cell{};
        cell.top = 7;  // Wait
        cell.left = LVIR_BOUNDS;
        ASSERT_TRUE(SendMessageA(grid, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell)));
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(grid, &at);
        SetCursorPos(at.x, at.y);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof(INPUT));
        EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(editor, MORVEL_ID_FULLNAME)) == folder + "clip.avi"; }))
            << TextOf(Control(editor, MORVEL_ID_FULLNAME));
        SetCursorPos(0, 0);
        Keys({VK_RETURN});
        HWND menu = WaitForPopupMenu();
        ASSERT_TRUE(menu);
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});  // "1 second"
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 1, 7) == "1"; })) << Cell(grid, 1, 7);
        EXPECT_EQ(Cell(grid, 0, 7), "0");
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        AnswerMessageBox(*box, IDYES);
        WaitForWindowGone("Slideshow Editor");
    });
    EXPECT_EQ(result, 0);
}

POINT CellCentre(HWND grid, int item, int column) {
    RECT cell{};
    cell.top = column;
    // Column 0's bounds are the whole row's; its label is the cell.
    cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
    SendMessageA(grid, LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&cell));
    POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(grid, &at);
    return at;
}

void MouseTo(POINT at) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(INPUT));
    // A loaded machine may place the pointer late: a click before that lands elsewhere.
    WaitUntil([&] {
        POINT now{};
        return GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
    }, Millis(2000));
    Sleep(50);
}

void Button(DWORD flags) {
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = flags;
    SendInput(1, &press, sizeof(INPUT));
    Sleep(50);
}

// A row dragged to another place is moved there and the rows are numbered again; the hidden
// columns cannot be widened.
TEST_F(EditorTest, RowDraggedToTheTopAndHiddenColumnsStayNarrow) {
    TempFolder root("editordrag");
    PrepareShow(root);
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        // Rows are dragged by their number, the fixed column.
        const POINT from = CellCentre(grid, 2, 0);
        const POINT to = CellCentre(grid, 0, 0);
        MouseTo(from);
        Button(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 6; ++step) MouseTo({from.x, from.y + (to.y - from.y) * step / 6});
        Button(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 4) == "s.wav"; })) << Cell(grid, 0, 4);
        EXPECT_EQ(Cell(grid, 1, 4), "a.bmp");
        EXPECT_EQ(Cell(grid, 2, 4), "clip.avi");
        for (int r = 0; r < 3; ++r) EXPECT_EQ(Cell(grid, r, 0), std::to_string(r + 1));
        SetCursorPos(0, 0);
        PressKey({VK_CONTROL}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 4) == "a.bmp" && Cell(grid, 2, 4) == "s.wav"; }));
        PressKey({VK_CONTROL}, 'Y');
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 4) == "s.wav"; }));

        HWND header = reinterpret_cast<HWND>(SendMessageA(grid, LVM_GETHEADER, 0, 0));
        for (int item : {1, 2, 3, 5}) {
            NMHEADERA track{};
            track.hdr.hwndFrom = header;
            track.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
            track.hdr.code = HDN_BEGINTRACKA;
            track.iItem = item;
            const LRESULT refused = SendMessageA(grid, WM_NOTIFY, track.hdr.idFrom, reinterpret_cast<LPARAM>(&track));
            EXPECT_EQ(refused != 0, item <= 3) << "column " << item;
        }
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value()) << "a moved row is a change";
        AnswerMessageBox(*box, IDYES);
        WaitForWindowGone("Slideshow Editor");
    });
    EXPECT_EQ(result, 0);
}

TEST_F(EditorTest, HelpOpensContext300) {
    helpCalls.clear();
    ImportPatch patch(GetModuleHandleA("morvel32.dll"), "user32.dll", "WinHelpA", reinterpret_cast<void*>(RecordHelp));
    ASSERT_TRUE(patch.active());
    RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        ClickControl(editor, MORVEL_ID_EDITOR_BTNHELP);
        WaitUntil([] { return !helpCalls.empty(); });
        MakeForeground(editor);
        PressKey(VK_F1);
        WaitUntil([] { return helpCalls.size() == 2; });
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        WaitForWindowGone("Morvel Slideshow Editor");
    });
    ASSERT_EQ(helpCalls.size(), 2u) << "the button, then F1";
    EXPECT_EQ(helpCalls[0].file, "MORVEL.HLP");
    EXPECT_EQ(helpCalls[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(helpCalls[0].data, 300u);
    EXPECT_EQ(helpCalls[1].data, 300u);
}

TEST_F(EditorTest, GlobalWaitFromTheMenuReachesEverySlideWithAWait) {
    TempFolder root("editorglobal");
    PrepareShow(root);
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        ASSERT_EQ(ItemCount(grid), 3);
        MakeForeground(editor);
        Keys({VK_RIGHT, VK_RIGHT, VK_RIGHT});  // Filename -> Clr -> Effect -> Wait
        AltKey('G');                           // "&Global"
        ASSERT_TRUE(WaitForPopupMenu());
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // "5 seconds"
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 2, 7) == "5"; })) << Cell(grid, 2, 7);
        EXPECT_EQ(Cell(grid, 0, 7), "5");
        EXPECT_EQ(Cell(grid, 1, 7), "5");
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value()) << "Global marks the slideshow modified";
        AnswerMessageBox(*box, IDYES);
        WaitForWindowGone("Slideshow Editor");
    });
    EXPECT_EQ(result, 0);
}

TEST_F(EditorTest, UserColourAndVideoZoomByTheNumericDialog) {
    TempFolder root("editorcolour");
    PrepareShow(root);
    ImportPatch patch(GetModuleHandleA("morvel32.dll"), "comdlg32.dll", "ChooseColorA",
                      reinterpret_cast<void*>(PickColour));
    ASSERT_TRUE(patch.active());
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        // Clr of slide 1: the colour menu; "&User Color" is its tenth entry.
        Keys({VK_RIGHT, VK_SPACE});
        ASSERT_TRUE(WaitForPopupMenu());
        Keys({'U'});
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 3) == std::to_string(RGB(1, 2, 3)); })) << Cell(grid, 0, 3);
        EXPECT_EQ(TextOf(Control(editor, MORVEL_ID_COLORLABEL)), "Bkgnd");
        // Vid% of slide 2: the size menu's "&User" asks with the numeric dialog.
        Keys({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN});
        ASSERT_TRUE(WaitForPopupMenu());
        Keys({'U'});
        HWND dialog = WaitForWindow("Video Zoom Factor (%)", "TScrlDlg");
        ASSERT_TRUE(dialog);
        EXPECT_EQ(TextOf(Control(dialog, MORVEL_ID_LABELMIN)), "25");
        EXPECT_EQ(TextOf(Control(dialog, MORVEL_ID_LABELMAX)), "400");
        EXPECT_EQ(TextOf(Control(dialog, MORVEL_ID_CUSTOMSETTING)), "100");
        MakeForeground(dialog);
        // Each key is applied at once: a 7 is below 25, a 0 after that makes 250.
        SelectAllByKeys();
        Keys({'7'});
        EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(dialog, MORVEL_ID_CUSTOMSETTING)) == "25"; }));
        Keys({VK_END, '0'});
        EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(dialog, MORVEL_ID_CUSTOMSETTING)) == "250"; }))
            << TextOf(Control(dialog, MORVEL_ID_CUSTOMSETTING));
        EXPECT_EQ(GetScrollPos(Control(dialog, MORVEL_ID_CUSTOMSCROLLBAR), SB_CTL), 250);
        Keys({VK_RETURN});
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 1, 10) == "250"; })) << Cell(grid, 1, 10);
        // Escape in the numeric dialog changes nothing.
        Keys({VK_RETURN});
        ASSERT_TRUE(WaitForPopupMenu());
        Keys({'U'});
        dialog = WaitForWindow("Video Zoom Factor (%)", "TScrlDlg");
        ASSERT_TRUE(dialog);
        MakeForeground(dialog);
        Keys({VK_ESCAPE});
        EXPECT_TRUE(WaitForWindowGone("Video Zoom Factor (%)"));
        EXPECT_EQ(Cell(grid, 1, 10), "250");
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        const auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        AnswerMessageBox(*box, IDYES);
        WaitForWindowGone("Slideshow Editor");
    });
    EXPECT_EQ(result, 0);
}

// "&Test" without a test file, or with one that cannot be written, keeps the editor open
// and the slideshow modified.
TEST_F(EditorTest, TestThatCannotWriteKeepsTheEditorOpen) {
    const int result = RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        ClickControl(editor, MORVEL_ID_BTNCD);
        HWND dialog = WaitForWindow("CD Audio Track Selection", "TScrlDlg");
        ASSERT_TRUE(dialog);
        ClickControl(dialog, MORVEL_ID_SCRL_BTNOK);
        auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        AnswerMessageBox(*box, IDYES);
        ClickControl(editor, MORVEL_ID_BTNTEST);
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text.rfind("No test file was given.", 0), 0u) << box->text;
        AnswerMessageBox(*box, IDOK);
        EXPECT_TRUE(IsWindowVisible(editor));
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Discard changes?");
        AnswerMessageBox(*box, IDYES);
        WaitForWindowGone("Morvel Slideshow Editor");
    });
    EXPECT_EQ(result, 0);

    HostWrite("AVLTMP", "c:\\no-such-folder\\test.avl");
    const int second = RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        ClickControl(editor, MORVEL_ID_BTNCD);
        HWND dialog = WaitForWindow("CD Audio Track Selection", "TScrlDlg");
        ASSERT_TRUE(dialog);
        ClickControl(dialog, MORVEL_ID_SCRL_BTNOK);
        auto box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        AnswerMessageBox(*box, IDYES);
        ClickControl(editor, MORVEL_ID_BTNTEST);
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Save aborted at slide #2\nToo many slides or features.");
        AnswerMessageBox(*box, IDOK);
        EXPECT_TRUE(IsWindowVisible(editor));
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        box = WaitForMessageBox();
        ASSERT_TRUE(box.has_value()) << "still modified";
        AnswerMessageBox(*box, IDYES);
        WaitForWindowGone("Morvel Slideshow Editor");
    });
    EXPECT_EQ(second, 0);
}

// What the grid shows: the selected (focused) row, then every cell row by row.
std::vector<std::string> Shown(HWND grid) {
    std::vector<std::string> shown{std::to_string(SendMessageA(grid, LVM_GETNEXTITEM, -1, LVNI_FOCUSED))};
    for (int r = 0; r < ItemCount(grid); ++r) {
        for (int c = 0; c < morvel::editor::kColumnCount; ++c) shown.push_back(Cell(grid, r, c));
    }
    return shown;
}

// Presses the button on the next message box and returns its text.
std::string AnswerBox(int button) {
    const auto box = WaitForMessageBox();
    if (!box) return "<no box>";
    AnswerMessageBox(*box, button);
    return box->text;
}

// By real keys, with the focus read back: the editor opens on its table; a message box (Ctrl+F
// with no file missing) gives the focus back to it; Tab leaves it for a button and Shift+Tab
// comes back; Esc closes the window.
TEST_F(EditorTest, FocusOpensOnTheTableAndComesBackAfterABox) {
    const int result = RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        EXPECT_TRUE(WaitForFocus(editor, grid)) << "opens on the table";
        PressKey({VK_CONTROL}, 'F');
        EXPECT_NE(AnswerBox(IDOK), "<no box>");
        EXPECT_TRUE(WaitForFocus(editor, grid)) << "back on the table after the box";
        Keys({VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return ClassOf(FocusOf(editor)) == "Button"; })) << ClassOf(FocusOf(editor));
        PressKey({VK_SHIFT}, VK_TAB);
        EXPECT_TRUE(WaitForFocus(editor, grid)) << "Shift+Tab back on the table";
        Keys({VK_ESCAPE});
        EXPECT_TRUE(WaitForWindowGone("Morvel Slideshow Editor"));
    });
    EXPECT_EQ(result, 0);
}

// Each kind of change, made by keys on the host's slideshow, is undone by Ctrl+Z, made again by
// Ctrl+Y and undone by the system menu's "&Undo" while "&Redo" is greyed: the rows and the
// selected row come back each time; back where the slideshow was opened, closing asks nothing.
TEST_F(EditorTest, EveryChangeIsUndoneAndRedoneByKeys) {
    TempFolder root("editorundo");
    PrepareShow(root);
    const WORD R = VK_RIGHT, D = VK_DOWN, E = VK_RETURN;
    // The cell's menu (or Global's) and its entry so many places down.
    const auto menu = [&](char alt, int down) {
        alt ? AltKey(alt) : Keys({E});
        WaitForPopupMenu(), Keys(std::vector<WORD>(down, D)), Keys({E});
    };
    const auto dialog = [&](const char* caption) {
        MakeForeground(WaitForWindow(caption, "TScrlDlg")), Keys({'7', E});
    };
    const auto replaceBy = [](const std::string& file) {
        HWND replace = WaitForWindow("Replace Slide", "TFileForm");
        WaitUntil([&] { return IsWindowEnabled(Control(replace, MORVEL_ID_XFILES)) != 0; });
        SetText(Control(replace, MORVEL_ID_EDIT1), file);
        ClickControl(replace, MORVEL_ID_BTNOK);
    };
    const struct {
        std::vector<WORD> to;  // from the Filename cell of row 1
        int row;
        std::function<void()> change;
    } changes[] = {
        {{D}, 1, [] { Keys({VK_DELETE}); }},
        {{R, R, R}, 0, [&] { menu(0, 2); }},  // Wait: "1 second"
        {{R, R, R, R, E}, 0, [&] { WaitForPopupMenu(), Keys({'U'}), dialog("Horizontal Position (pixels)"); }},
        {{E}, 0, [&] { replaceBy(root / "s.wav"); }},
        {{}, 0, [] { PressKey({VK_CONTROL}, VK_DOWN); }},
        {{VK_END}, 2, [] { PressKey({VK_CONTROL}, VK_UP); }},
        // Last: a button's letter leaves the focus on the button, and the keys to a cell need the grid.
        {{R, R, R}, 0, [&] { menu('G', 4); }},  // "&Global" on Wait: "5 seconds"
        {{}, 0, [&] { AltKey('D'), dialog("CD Audio Track Selection"), AnswerBox(IDNO); }},
    };
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        HWND grid = Control(editor, MORVEL_ID_GRID);
        const HMENU system = GetSystemMenu(editor, FALSE);
        std::vector<std::string> before, after;
        for (const auto& c : changes) {
            SCOPED_TRACE(&c - changes);
            MakeForeground(editor);
            Keys({VK_HOME, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT});
            Keys(c.to);
            ASSERT_TRUE(WaitUntil([&] { return Shown(grid)[0] == std::to_string(c.row); }));
            before = Shown(grid);
            c.change();
            ASSERT_TRUE(WaitUntil([&] { return Shown(grid) != before; }));
            after = Shown(grid);
            MakeForeground(editor);
            PressKey({VK_CONTROL}, 'Z');
            EXPECT_TRUE(WaitUntil([&] { return Shown(grid) == before; }));
            PressKey({VK_CONTROL}, 'Y');
            EXPECT_TRUE(WaitUntil([&] { return Shown(grid) == after; }));
            PressKey({VK_MENU}, VK_SPACE);
            ASSERT_TRUE(WaitForPopupMenu());
            EXPECT_EQ(GetMenuState(system, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
            EXPECT_NE(GetMenuState(system, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
            Keys({'U'});
            EXPECT_TRUE(WaitUntil([&] { return Shown(grid) == before; }));
        }
        PressKey({VK_CONTROL, VK_SHIFT}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return Shown(grid) == after; }));
        PressKey({VK_CONTROL}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return Shown(grid) == before; }));
        Keys({VK_ESCAPE});
        EXPECT_FALSE(WaitForMessageBox(Millis(800)).has_value()) << "back where it was opened";
    });
    EXPECT_EQ(result, 0);
}

// Closing, answering No, and a save that fails on a full disk: the editor stays open, modified,
// under its caption. A quit asks about the changes again (No: the save dialog); a second quit
// ends the call, and the quit reaches the caller's loop.
TEST_F(EditorTest, FailedSaveKeepsTheChangesAndAQuitAsksAboutThem) {
    TempFolder root("editorfull");
    PrepareShow(root);
    const SmallDisk disk(64);
    ASSERT_TRUE(disk.active() && WriteBytes(disk / "saved.avl", ""));
    disk.Fill();
    const DWORD thread = GetCurrentThreadId();
    MSG quit{};
    const auto driver = [&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        MakeForeground(editor);
        Keys({VK_DELETE, VK_ESCAPE});
        EXPECT_EQ(AnswerBox(IDNO), "Discard changes?");
        HWND save = WaitForWindow("Save File", "TFileForm");
        WaitUntil([&] { return IsWindowEnabled(Control(save, MORVEL_ID_XFILES)) != 0; });
        SetText(Control(save, MORVEL_ID_EDIT1), disk / "saved.avl");
        ClickControl(save, MORVEL_ID_BTNOK);
        AnswerBox(IDYES);  // the file exists: replace it
        EXPECT_EQ(AnswerBox(IDOK), "Save aborted at slide #3\nToo many slides or features.");
        EXPECT_EQ(CaptionOf(editor), "Slideshow Editor");
        PostThreadMessageA(thread, WM_QUIT, 3, 0);
        EXPECT_EQ(AnswerBox(IDNO), "Discard changes?") << "still modified";
        EXPECT_TRUE(WaitForWindow("Save File", "TFileForm"));
        PostThreadMessageA(thread, WM_QUIT, 3, 0);  // a second quit: nobody is asked any more
    };
    int result = 12345;
    const auto modal = [&] {
        result = EditorWin95();
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    };
    DriveModal(modal, driver, Millis(30000));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(quit.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(quit.wParam, 3u);
}

// Maximised, the table takes the room and the path panel the width, while the colour panel and
// the buttons keep their places at the bottom; every distance to the edges kept stays the same.
// Restored, the window has its starting size, which is also the smallest it can be made.
TEST_F(EditorTest, MaximisedTheTableTakesTheRoom) {
    RunEditor([] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        // Each control's left edge, and its top and right edges or its sizes, as far as they are kept.
        const auto margins = [&] {
            RECT client{};
            GetClientRect(editor, &client);
            std::vector<LONG> kept;
            for (const int id : {MORVEL_ID_FULLNAME, MORVEL_ID_GRID, MORVEL_ID_COLORPANEL, MORVEL_ID_BTNQUIT}) {
                RECT r{};
                GetWindowRect(Control(editor, id), &r);
                MapWindowPoints(nullptr, editor, reinterpret_cast<POINT*>(&r), 2);
                const bool grows = id == MORVEL_ID_FULLNAME || id == MORVEL_ID_GRID;
                kept.insert(kept.end(), {r.left, grows ? r.top : client.bottom - r.top,
                                         grows ? client.right - r.right : r.right - r.left,
                                         id == MORVEL_ID_GRID ? client.bottom - r.bottom : r.bottom - r.top});
            }
            return kept;
        };
        RECT start{}, now{};
        GetWindowRect(editor, &start);
        MINMAXINFO limits{};
        SendMessageA(editor, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, start.right - start.left);
        EXPECT_EQ(limits.ptMinTrackSize.y, start.bottom - start.top);
        const std::vector<LONG> kept = margins();
        PostMessageA(editor, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(WaitUntil([&] {
            GetWindowRect(editor, &now);
            return IsZoomed(editor) && now.bottom - now.top > start.bottom - start.top && margins() == kept;
        }));
        PostMessageA(editor, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(
            WaitUntil([&] { return GetWindowRect(editor, &now) && EqualRect(&now, &start) && margins() == kept; }));
        ClickControl(editor, MORVEL_ID_BTNQUIT);
    });
}

// Three pictures and a video clip in one folder, opened from the host.
std::string PrepareFourSlides(const TempFolder& root) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "clip.avi"}) EXPECT_TRUE(WriteBytes(root / name, "BM"));
    const std::string folder = Lower(ShortPathOf(root.path())) + "\\";
    EXPECT_TRUE(WriteBytes(root / "four.avl", "[Header]\r\nVer=4\r\nN=5\r\n[Directory]\r\n0=" + folder +
                                                  "\r\n[1]\r\nF=a.bmp,0\r\nX=0\r\n[2]\r\nF=b.bmp,0\r\nX=0\r\n"
                                                  "[3]\r\nF=c.bmp,0\r\nX=0\r\n[4]\r\nF=clip.avi,0\r\nX=0\r\n"));
    HostWrite("AVLFIL", root / "four.avl");
    return folder;
}

// The rows the list view reports selected, and its focused row, as a screen reader reads them.
std::vector<int> SelectedRows(HWND grid) {
    std::vector<int> rows;
    for (int r = 0; r < ItemCount(grid); ++r) {
        if (SendMessageA(grid, LVM_GETITEMSTATE, r, LVIS_SELECTED) & LVIS_SELECTED) rows.push_back(r);
    }
    rows.push_back(static_cast<int>(SendMessageA(grid, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
    return rows;
}

std::vector<std::string> Names(HWND grid) {
    std::vector<std::string> names;
    for (int r = 0; r < ItemCount(grid); ++r) names.push_back(Cell(grid, r, 0) + " " + Cell(grid, r, 4));
    return names;
}

// A mouse button at a point: the point goes with the button, so that a pointer placed late
// cannot put the button elsewhere.
INPUT ButtonInput(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void ButtonAt(DWORD flags, POINT at) {
    INPUT input = ButtonInput(flags, at);
    SendInput(1, &input, sizeof(INPUT));
    Sleep(50);
}

// A left click on a cell with a modifier key held down, given as one input so that nothing
// comes between the key and the button.
void ClickCell(HWND grid, int item, int column, WORD modifier = 0) {
    const POINT at = CellCentre(grid, item, column);
    MouseTo(at);
    INPUT input[4] = {};
    input[0].type = input[3].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[3].ki.wVk = modifier;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    input[1] = ButtonInput(MOUSEEVENTF_LEFTDOWN, at);
    input[2] = ButtonInput(MOUSEEVENTF_LEFTUP, at);
    if (modifier) {
        SendInput(4, input, sizeof(INPUT));
    } else {
        SendInput(2, input + 1, sizeof(INPUT));
    }
    Sleep(80);
}

void ShiftKeys(const std::vector<WORD>& keys) {
    for (const WORD k : keys) PressKey({VK_SHIFT}, k);
}

// Each click or key changes the selected rows as in any list, and the list view's item states
// follow (the last number is the focused row).
TEST_F(EditorTest, SeveralRowsSelectedByClicksAndKeys) {
    TempFolder root("editorselect");
    PrepareFourSlides(root);
    const struct {
        const char* what;
        std::function<void(HWND grid)> act;
        std::vector<int> shown;
    } steps[] = {
        {"click", [](HWND g) { ClickCell(g, 0, 7); }, {0, 0}},
        {"Shift+click", [](HWND g) { ClickCell(g, 2, 5, VK_SHIFT); }, {0, 1, 2, 2}},
        {"Ctrl+click removes", [](HWND g) { ClickCell(g, 1, 6, VK_CONTROL); }, {0, 2, 1}},
        {"Ctrl+click adds", [](HWND g) { ClickCell(g, 3, 6, VK_CONTROL); }, {0, 2, 3, 3}},
        {"a key without Shift", [](HWND) { Keys({VK_UP}); }, {2, 2}},
        {"Shift+Up twice", [](HWND) { ShiftKeys({VK_UP, VK_UP}); }, {0, 1, 2, 0}},
        {"Shift+End", [](HWND) { ShiftKeys({VK_END}); }, {2, 3, 3}},
        {"Shift+Page Up", [](HWND) { ShiftKeys({VK_PRIOR}); }, {0, 1, 2, 0}},
        {"Ctrl+A", [](HWND) { PressKey({VK_CONTROL}, 'A'); }, {0, 1, 2, 3, 0}},
        {"a plain click on a number", [](HWND g) { ClickCell(g, 1, 0); }, {1, 1}},
    };
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        for (const auto& step : steps) {
            step.act(grid);
            EXPECT_TRUE(WaitUntil([&] { return SelectedRows(grid) == step.shown; }))
                << step.what << ": " << testing::PrintToString(SelectedRows(grid));
        }
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        EXPECT_TRUE(WaitForWindowGone("Slideshow Editor")) << "selecting changes nothing";
    });
    EXPECT_EQ(result, 0);
}

// Delete removes a range and one Ctrl+Z brings it back; an effect chosen goes to the three
// selected pictures in one step; two rows dragged by their numbers land below the last row.
TEST_F(EditorTest, CommandsOnSeveralRows) {
    TempFolder root("editorrows");
    PrepareFourSlides(root);
    const std::vector<std::string> opened = {"1 a.bmp", "2 b.bmp", "3 c.bmp", "4 clip.avi"};
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        Keys({VK_DOWN});
        ShiftKeys({VK_DOWN});
        Keys({VK_DELETE});
        EXPECT_TRUE(WaitUntil([&] { return Names(grid) == std::vector<std::string>{"1 a.bmp", "2 clip.avi"}; }));
        PressKey({VK_CONTROL}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return Names(grid) == opened; }));

        // The Effect cell of row 3, then up to row 1 with Shift: the menu is row 1's.
        Keys({VK_HOME, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT});
        ShiftKeys({VK_UP, VK_UP});
        Keys({VK_RETURN});
        ASSERT_TRUE(WaitForPopupMenu());
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});  // "Wipe Dn"
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 2, 6) == "Wipe Dn"; }));
        for (int r = 0; r < 3; ++r) EXPECT_EQ(Cell(grid, r, 6) + Cell(grid, r, 2), "Wipe Dn1") << r;
        EXPECT_EQ(Cell(grid, 3, 6), "Loop 1x");
        PressKey({VK_CONTROL}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return Cell(grid, 0, 6) == "none" && Cell(grid, 2, 6) == "none"; }));

        // Rows 1 and 2 dragged by row 1's number to the lower half of the last row.
        Keys({VK_HOME});
        ShiftKeys({VK_DOWN});
        const POINT from = CellCentre(grid, 0, 0);
        const POINT to = {from.x, CellCentre(grid, 3, 0).y + 3};
        MouseTo(from);
        ButtonAt(MOUSEEVENTF_LEFTDOWN, from);
        for (int step = 1; step <= 6; ++step) MouseTo({from.x, from.y + (to.y - from.y) * step / 6});
        ButtonAt(MOUSEEVENTF_LEFTUP, to);
        const std::vector<std::string> dropped = {"1 c.bmp", "2 clip.avi", "3 a.bmp", "4 b.bmp"};
        EXPECT_TRUE(WaitUntil([&] { return Names(grid) == dropped; }));
        EXPECT_EQ(SelectedRows(grid), (std::vector<int>{2, 3, 2})) << "the dropped rows stay selected";
        // Esc during a drag, and a release outside the table, move nothing.
        MouseTo(CellCentre(grid, 2, 0));
        ButtonAt(MOUSEEVENTF_LEFTDOWN, CellCentre(grid, 2, 0));
        MouseTo(CellCentre(grid, 0, 0));
        Keys({VK_ESCAPE});
        ButtonAt(MOUSEEVENTF_LEFTUP, CellCentre(grid, 0, 0));
        MouseTo(CellCentre(grid, 2, 0));
        ButtonAt(MOUSEEVENTF_LEFTDOWN, CellCentre(grid, 2, 0));
        MouseTo(CellCentre(grid, 0, 0));
        RECT outside{};
        GetWindowRect(editor, &outside);
        MouseTo({outside.left + 20, outside.bottom - 20});
        ButtonAt(MOUSEEVENTF_LEFTUP, {outside.left + 20, outside.bottom - 20});
        EXPECT_EQ(Names(grid), dropped);
        PressKey({VK_CONTROL}, 'Z');
        EXPECT_TRUE(WaitUntil([&] { return Names(grid) == opened; })) << testing::PrintToString(Names(grid));
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        EXPECT_TRUE(WaitForWindowGone("Slideshow Editor")) << "back where it was opened";
    });
    EXPECT_EQ(result, 0);
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<not open>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Slides copied in one editor run are pasted in another with their files; the clipboard's text
// is the slides' sections; text without slides pastes nothing.
TEST_F(EditorTest, SlidesCopiedInOneRunPastedInAnother) {
    TempFolder root("editorcopy");
    const std::string folder = PrepareFourSlides(root);
    RunEditor([&] {
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        MakeForeground(editor);
        ClickCell(grid, 1, 4);
        ClickCell(grid, 3, 4, VK_CONTROL);
        PressKey({VK_CONTROL}, 'C');
        EXPECT_TRUE(WaitUntil([&] { return ClipboardText().find("[2]") != std::string::npos; }));
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        WaitForWindowGone("Slideshow Editor");
    });
    EXPECT_EQ(ClipboardText(), "[1]\r\nF=" + folder + "b.bmp\r\nX=0\r\n[2]\r\nF=" + folder +
                                   "clip.avi\r\nX=0\r\nL=100\r\n");
    RemoveSettings();
    const int result = RunEditor([&] {
        HWND editor = WaitForWindow("Morvel Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HWND grid = Control(editor, MORVEL_ID_GRID);
        const HMENU system = GetSystemMenu(editor, FALSE);
        MakeForeground(editor);
        PressKey({VK_MENU}, VK_SPACE);
        ASSERT_TRUE(WaitForPopupMenu());
        const std::vector<std::string> items = {"Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V"};
        for (int i = 0; i < 3; ++i) {
            char text[64] = {};
            GetMenuStringA(system, static_cast<UINT>(i + 2), text, sizeof text, MF_BYPOSITION);
            EXPECT_EQ(text, items[static_cast<std::size_t>(i)]);
            EXPECT_EQ((GetMenuState(system, static_cast<UINT>(i + 2), MF_BYPOSITION) & MF_GRAYED) != 0, i < 2)
                << "nothing to copy from the placeholder; slides to paste";
        }
        Keys({'P'});
        EXPECT_TRUE(WaitUntil([&] { return ItemCount(grid) == 2; }));
        EXPECT_EQ(Names(grid), (std::vector<std::string>{"1 b.bmp", "2 clip.avi"}));
        EXPECT_EQ(Cell(grid, 1, 1), folder + "clip.avi");
        EXPECT_EQ(Cell(grid, 1, 6), "Loop 1x");
        ASSERT_TRUE(SetClipboardText("Slides for Tuesday:\r\nbeach, harbour\r\n"));
        PressKey({VK_SHIFT}, VK_INSERT);
        EXPECT_EQ(AnswerBox(IDOK), "The clipboard holds no slides.");
        EXPECT_EQ(ItemCount(grid), 2);
        ClickControl(editor, MORVEL_ID_BTNQUIT);
        EXPECT_EQ(AnswerBox(IDYES), "Discard changes?") << "a paste is a change";
        WaitForWindowGone("Morvel Slideshow Editor");
    });
    EXPECT_EQ(result, 0);
}

}  // namespace

// The view menu's window commands: fitting the window to whole columns, the font dialog and the
// reset to the starting size, place and font.
#include "win/explorer/explorer_fixture.h"

#include <commdlg.h>
#include "win/support/import_patch.h"

#include <algorithm>

using namespace morvel::test;

namespace {

int TextWidth(HWND list, const std::string& text) {
    HDC dc = GetDC(list);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return size.cx;
}

// The column width the list should use: its widest entry (at least 60) and "WW".
int ExpectedColumnWidth(HWND list) {
    int widest = 0;
    for (const std::string& item : ListItems(list)) widest = std::max(widest, TextWidth(list, item));
    return std::max(widest, 60) + TextWidth(list, "WW");
}

int Width(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

BOOL WINAPI ChooseArial12(LPCHOOSEFONTA choose) {
    lstrcpyA(choose->lpLogFont->lfFaceName, "Arial");
    choose->lpLogFont->lfWeight = FW_BOLD;
    choose->lpLogFont->lfItalic = TRUE;
    choose->iPointSize = 120;
    return TRUE;
}

std::string FontFace(HWND control, LONG* weight = nullptr, bool* italic = nullptr) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    if (weight) *weight = font.lfWeight;
    if (italic) *italic = font.lfItalic != 0;
    return font.lfFaceName;
}

HWND OpenWithFiles(const TempFolder& root, HostWindow& host) {
    for (const char* name : {"a.bmp", "a rather longer picture name.bmp", "c.pcx"}) WriteBytes(root / name, "x");
    HostWrite("LastDir", root.path());
    RemoteWin95(host.handle(), 0);
    return WaitForWindow("Morvel Explorer", "TFileForm");
}

}  // namespace

TEST_F(ExplorerTest, OptimizeAndMaximizeFitWholeColumns) {
    TempFolder root("fit");
    HostWindow host;
    HWND explorer = OpenWithFiles(root, host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    const int column = ExpectedColumnWidth(list);
    const int frame = 2 * (GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME));
    const int screen = GetSystemMetrics(SM_CXSCREEN);

    RECT client{};
    GetClientRect(list, &client);
    const int shown = std::max(1, static_cast<int>(client.right) / column);
    MenuCommand(explorer, MORVEL_ID_MNUOPTIMIZEWIN);
    EXPECT_EQ(Width(explorer), frame + shown * column + 4);

    MenuCommand(explorer, MORVEL_ID_MNUMAXWIN);
    const int width = frame + ((screen - frame) / column) * column + 4;
    EXPECT_EQ(Width(explorer), width);
    RECT r{};
    GetWindowRect(explorer, &r);
    EXPECT_LE(r.right, screen) << "brought back on screen";

    // Single column: the two commands are not offered.
    MenuCommand(explorer, MORVEL_ID_MNUONECOL);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(explorer, MORVEL_ID_XFILES), GWL_STYLE) & LBS_MULTICOLUMN, 0);
    MoveWindow(explorer, 10, 10, 300, 300, TRUE);
    MenuCommand(explorer, MORVEL_ID_MNUOPTIMIZEWIN);
    EXPECT_EQ(Width(explorer), 300);
    EXPECT_EQ(ListItems(GetDlgItem(explorer, MORVEL_ID_XFILES)).size(), 3u);
}

TEST_F(ExplorerTest, FontDialogAndResetWindow) {
    ImportPatch patch(GetModuleHandleA("morvel32.dll"), "comdlg32.dll", "ChooseFontA",
                      reinterpret_cast<void*>(ChooseArial12));
    ASSERT_TRUE(patch.active());
    TempFolder root("font");
    HostWindow host;
    HWND explorer = OpenWithFiles(root, host);
    ASSERT_NE(explorer, nullptr);
    RECT start{};
    GetWindowRect(explorer, &start);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    const std::string initialFace = FontFace(list);

    MenuCommand(explorer, MORVEL_ID_MNUFONT);
    LONG weight = 0;
    bool italic = false;
    EXPECT_EQ(FontFace(GetDlgItem(explorer, MORVEL_ID_XFILES), &weight, &italic), "Arial");
    EXPECT_EQ(weight, FW_BOLD);
    EXPECT_TRUE(italic) << "the font as the dialog returns it";
    EXPECT_EQ(FontFace(GetDlgItem(explorer, MORVEL_ID_BTNOK)), "MS Sans Serif") << "buttons keep their own font";
    EXPECT_EQ(ListItems(GetDlgItem(explorer, MORVEL_ID_XFILES)).size(), 3u);

    MoveWindow(explorer, 5, 5, 333, 222, TRUE);
    MenuCommand(explorer, MORVEL_ID_MNURESETWIN);
    RECT reset{};
    GetWindowRect(explorer, &reset);
    EXPECT_EQ(reset.left, start.left);
    EXPECT_EQ(reset.top, start.top);
    EXPECT_EQ(reset.right - reset.left, start.right - start.left);
    EXPECT_EQ(reset.bottom - reset.top, start.bottom - start.top);
    EXPECT_EQ(FontFace(GetDlgItem(explorer, MORVEL_ID_XFILES), nullptr, &italic), initialFace);
    EXPECT_FALSE(italic);
}

TEST_F(ExplorerTest, ResetWindowWithRememberedGeometryGivesTheDefaultSize) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the test's desktop";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    TempFolder root("reset");
    HostWindow host;
    HostWrite("bWinT", "40");
    HostWrite("bWinL", "30");
    HostWrite("bWinW", "300");
    HostWrite("bWinH", "200");
    HostWrite("LastDir", root.path());
    RemoteWin95(host.handle(), 1);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    RECT r{};
    GetWindowRect(explorer, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.right - r.left, 300) << "restored from the settings";

    MenuCommand(explorer, MORVEL_ID_MNURESETWIN);
    GetWindowRect(explorer, &r);
    // Half the screen each way, centred.
    EXPECT_EQ(r.left, 256);
    EXPECT_EQ(r.top, 192);
    EXPECT_EQ(r.right - r.left, 512);
    EXPECT_EQ(r.bottom - r.top, 384);
    RemoteWinClose95();
    EXPECT_EQ(HostRead("bWinW"), "512");
    EXPECT_EQ(HostRead("bWinH"), "384");
}

// Names in three scripts through the modeless Explorer, with real keys: files made through the
// wide calls are listed by their ANSI form, drawn by their real names, and each chosen one is
// passed on as a name that opens. Wine makes a short name for every name, so a volume that keeps
// none is played by telling the library's searches of none for one file.
#include <atomic>
#include <set>

#include "win/explorer/explorer_fixture.h"
#include "win/support/import_patch.h"
#include "win/support/keyboard.h"

using namespace morvel::test;

namespace {
std::set<std::wstring> drawn;
decltype(&DrawTextW) drawText;
decltype(&FindFirstFileW) findFirst;
decltype(&FindNextFileW) findNext;
int WINAPI RecordDrawing(HDC dc, LPCWSTR text, int n, LPRECT rect, UINT format) {
    drawn.insert(std::wstring(text, n));
    return drawText(dc, text, n, rect, format);
}
BOOL NoShortName(BOOL found, WIN32_FIND_DATAW* data) {
    if (found && data->cFileName[0] == L'\u03A8') data->cAlternateFileName[0] = 0;
    return found;
}
HANDLE WINAPI FindFirst(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
    const HANDLE search = findFirst(pattern, data);
    NoShortName(search != INVALID_HANDLE_VALUE, data);
    return search;
}
BOOL WINAPI FindNext(HANDLE search, LPWIN32_FIND_DATAW data) {
    return NoShortName(findNext(search, data), data);
}
}  // namespace

TEST_F(ExplorerTest, NamesInThreeScriptsAreDrawnAsTheyAreAndPassedOnAsNamesThatOpen) {
    TempFolder root("names");
    // In the list's order, each with its ANSI form (a look-alike or "?" where 1252 has none).
    const struct {
        const wchar_t* name;
        const char* listed;
    } files[] = {{L"\u03A8.bmp", "?.bmp"},
                 {L"\u65E5\u672C.bmp", "??.bmp"},
                 {L"caf\u00E9.bmp", "caf\xE9.bmp"},
                 {L"\u03A9mega.bmp", "omega.bmp"}};
    std::vector<std::string> listed;
    for (const auto& f : files) {
        const HANDLE file = CreateFileW((std::wstring(root.path().begin(), root.path().end()) + L"\\" + f.name).c_str(),
                                        GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, f.listed, static_cast<DWORD>(strlen(f.listed)), &written, nullptr));
        CloseHandle(file);
        listed.push_back(f.listed);
    }
    HostWrite("LastDir", root.path());
    const HMODULE dll = GetModuleHandleA("morvel32.dll");
    const ImportPatch drawing(dll, "user32.dll", "DrawTextW", reinterpret_cast<void*>(&RecordDrawing));
    const ImportPatch first(dll, "kernel32.dll", "FindFirstFileW", reinterpret_cast<void*>(&FindFirst));
    const ImportPatch next(dll, "kernel32.dll", "FindNextFileW", reinterpret_cast<void*>(&FindNext));
    drawText = reinterpret_cast<decltype(drawText)>(drawing.original());
    findFirst = reinterpret_cast<decltype(findFirst)>(first.original());
    findNext = reinterpret_cast<decltype(findNext)>(next.original());
    HostWindow host;
    RemoteWin95(host.handle(), 0);
    HWND explorer = WaitForWindow("Morvel Explorer", "TFileForm");
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    EXPECT_EQ(ListItems(list), listed);
    std::atomic<bool> done{false};
    DriveModal([&] { WaitUntil([&] { return done.load(); }, Millis(60000)); },
               [&] {
                   SetForegroundWindow(explorer);
                   ASSERT_TRUE(WaitForFocus(explorer, list));
                   // Down to each file and Enter; the file's bytes are its ANSI form.
                   for (std::size_t i = 1; i < listed.size(); ++i) {
                       PressKey(VK_DOWN);
                       PressKey(VK_RETURN);
                       ASSERT_TRUE(WaitUntil([&] { return host.win95fileAtNotify.size() == i; })) << listed[i];
                       const std::string written = host.win95fileAtNotify.back();  // LongName|Win95file
                       EXPECT_EQ(ReadBytes(root / written.substr(0, written.find('|'))), listed[i]) << written;
                       EXPECT_EQ(ReadBytes(written.substr(written.find('|') + 1)), listed[i]) << written;
                   }
                   // The file without a short name: refused, nothing written; "Renam&e" still reaches it.
                   PressKey(VK_HOME);
                   EXPECT_EQ(RunExpectingBox([] { PressKey(VK_RETURN); }, IDOK),
                             "The name of this file cannot be passed on.\nPlease rename it.");
                   EXPECT_EQ(host.win95fileAtNotify.size(), listed.size() - 1);
                   PressKey({VK_SHIFT}, VK_F10);
                   ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FindWindowA("#32768", nullptr)); }));
                   PressKey('E');
                   HWND rename = WaitForWindow("Rename File", "TRenameForm");
                   ASSERT_TRUE(rename && WaitForFocus(rename, GetDlgItem(rename, MORVEL_ID_THEFILENAME)));
                   PressKey(VK_HOME);
                   PressKey({VK_SHIFT}, VK_END);
                   TypeText("psi.bmp");
                   PressKey(VK_RETURN);
                   EXPECT_TRUE(WaitUntil([&] { return ReadBytes(root / "psi.bmp") == "?.bmp"; }));
                   done = true;
               });
    RemoteWinClose95();
    for (const auto& f : files) EXPECT_EQ(drawn.count(f.name), f.listed[0] == 'c' ? 0u : 1u) << f.listed;
}

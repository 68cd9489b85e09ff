// The Explorer's file list as any list box: read in ANSI and in Unicode, from this process and
// from another one, and searched by typing on the keyboard.
#include "win/explorer/explorer_fixture.h"

#include <cstdio>
#include <vector>

using namespace morvel::test;

namespace {

// "caf\xE9" is "café" in the ANSI code page: the Unicode read must convert it.
const std::vector<std::string> kFiles = {"alpha.bmp", "apple.bmp", "beach.bmp",  "berry.bmp",
                                         "bird.bmp",  "bison.bmp", "caf\xE9.bmp"};

HWND OpenOn(const TempFolder& root, HostWindow& host) {
    for (const std::string& name : kFiles) EXPECT_TRUE(WriteBytes(root / name, "x")) << name;
    EXPECT_TRUE(CreateDirectoryA((root / "Holiday 2024").c_str(), nullptr));
    HostWrite("LastDir", root.path());
    RemoteWin95(host.handle(), 0);
    return WaitForWindow("Morvel Explorer", "TFileForm");
}

const std::vector<std::string> kEntries = {"holiday 2024\\", "alpha.bmp", "apple.bmp", "beach.bmp",
                                           "berry.bmp",      "bird.bmp",  "bison.bmp", "caf\xE9.bmp"};

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return wide;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Types the text on the keyboard, every key in one go (as quick as a user can type).
void Type(const std::string& text) {
    std::vector<INPUT> inputs;
    for (char c : text) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(VkKeyScanA(c) & 0xFF);
        inputs.push_back(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    const DWORD until = GetTickCount() + 200;
    while (GetTickCount() < until) {
        PumpMessages();
        Sleep(10);
    }
}

// Lets the typed prefix expire.
void Pause() {
    const DWORD until = GetTickCount() + 1300;
    while (GetTickCount() < until) {
        PumpMessages();
        Sleep(20);
    }
}

std::vector<int> Selected(HWND list) {
    std::vector<int> indexes(64);
    const LRESULT n = SendMessageA(list, LB_GETSELITEMS, indexes.size(), reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return indexes;
}

}  // namespace

TEST_F(ExplorerTest, FileListAnswersAnsiAndUnicodeReads) {
    TempFolder root("readable");
    HostWindow host;
    HWND explorer = OpenOn(root, host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    ASSERT_EQ(ListItems(list), kEntries);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(kEntries.size()));
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const std::wstring expected = Wide(kEntries[i]);
        EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, i, 0), static_cast<LRESULT>(expected.size())) << kEntries[i];
        wchar_t text[MAX_PATH] = {};
        const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(got, static_cast<LRESULT>(expected.size())) << kEntries[i];
        EXPECT_TRUE(std::wstring(text) == expected) << kEntries[i];
    }
    // Out of range, as any list box: LB_ERR.
    char ansi[MAX_PATH] = {};
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, kEntries.size(), reinterpret_cast<LPARAM>(ansi)), LB_ERR);
    RemoteWinClose95();
}

// Each entry is drawn with its own glyph, paint after paint, all from the box's one memory DC:
// inside the glyph the folder one is yellow, the file one white.
TEST_F(ExplorerTest, EveryEntryIsDrawnWithItsGlyph) {
    TempFolder root("glyphs");
    HostWindow host;
    HWND list = GetDlgItem(OpenOn(root, host), MORVEL_ID_XFILES);
    ASSERT_EQ(ListItems(list), kEntries);
    RECT client{};
    GetClientRect(list, &client);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(canvas, nullptr);
    const HGDIOBJ old = SelectObject(dc, canvas);
    for (int paint = 0; paint < 2; ++paint) {
        SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        for (std::size_t i = 0; i < kEntries.size(); ++i) {
            RECT item{};
            SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
            const int x = item.left + 9, y = item.top + (item.bottom - item.top - 16) / 2 + 10;
            ASSERT_TRUE(x < client.right && y < client.bottom) << kEntries[i];
            const DWORD pixel = static_cast<const DWORD*>(bits)[y * client.right + x];
            const DWORD expected = kEntries[i].back() == '\\' ? 0xFFD040 : 0xFFFFFF;  // RGB(255, 208, 64)
            for (int shift : {0, 8, 16}) EXPECT_NEAR((pixel >> shift) & 0xFF, (expected >> shift) & 0xFF, 16) << i;
        }
    }
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

// Another process reads the list as it reads a standard list box holding the same strings: in
// Unicode the entries themselves; in ANSI whatever the system carries for any list box (Wine 8
// carries the Unicode text into the ANSI buffer, so its ANSI read shows one letter).
TEST_F(ExplorerTest, AnotherProcessReadsTheFileList) {
    TempFolder root("reader");
    HostWindow host;
    HWND explorer = OpenOn(root, host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    HWND standard = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(standard, nullptr);
    for (const std::string& entry : kEntries) {
        SendMessageA(standard, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    const std::string output = root / "read.txt";
    const auto hex = [](HWND window) {
        char text[16];
        std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
        return std::string(text);
    };
    std::string command =
        "\"" + ProgramFolder() + "\\explorer_list_reader.exe\" \"" + output + "\" " + hex(list) + " " + hex(standard);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << command;
    // The reader's messages are answered by this thread: keep pumping while it runs.
    const bool ended = WaitUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DestroyWindow(standard);
    ASSERT_TRUE(ended);
    ASSERT_EQ(exitCode, 0u);

    const std::string read = ReadBytes(output).value_or("");
    const std::size_t second = read.find("count", 1);
    ASSERT_NE(second, std::string::npos) << read;
    const std::string ours = read.substr(0, second);
    const std::string theirs = read.substr(second);
    EXPECT_EQ(ours, theirs);
    std::string unicode = "count " + std::to_string(kEntries.size()) + "\n";
    std::string readUnicode;
    for (const std::string& entry : kEntries) unicode += "W " + entry + "\n";
    std::size_t at = 0;
    while (at < ours.size()) {
        const std::size_t end = ours.find('\n', at);
        const std::string line = ours.substr(at, end - at + 1);
        if (line.rfind("A ", 0) != 0) readUnicode += line;
        at = end + 1;
    }
    EXPECT_EQ(readUnicode, unicode);
    RemoteWinClose95();
}

TEST_F(ExplorerTest, TypingMovesTheCaretToTheEntryThatBeginsWithIt) {
    TempFolder root("typing");
    HostWindow host;
    HWND explorer = OpenOn(root, host);
    ASSERT_NE(explorer, nullptr);
    HWND list = GetDlgItem(explorer, MORVEL_ID_XFILES);
    HWND name = GetDlgItem(explorer, MORVEL_ID_EDIT1);
    SetForegroundWindow(explorer);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == explorer; }));
    SetFocus(list);
    ASSERT_EQ(FocusOf(explorer), list);
    const auto caret = [&] { return static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0)); };

    const struct {
        const char* typed;
        bool pauseBefore;
        int caret;  // index into kEntries
    } steps[] = {
        {"b", false, 3},                    // the next entry beginning with b
        {"b", false, 4},                    // the same letter again: the one after it
        {"b", false, 5}, {"bis", true, 6},  // typed quickly: the whole prefix
        {"a", true, 1},                     // from the caret on, round to the top
        {"ap", true, 2}, {"h", true, 0},    // folders too
        {"z", true, 0},                     // nothing begins with z: the caret stays
        {"BE", true, 3},                    // without regard to case
        {"c", true, 7},
    };
    for (const auto& step : steps) {
        if (step.pauseBefore) Pause();
        Type(step.typed);
        EXPECT_EQ(caret(), step.caret) << "typed " << step.typed;
        // As a move with the arrow keys: the entry alone is selected and a file shows in the name field.
        EXPECT_EQ(Selected(list), std::vector<int>{step.caret}) << "typed " << step.typed;
        const std::string& entry = kEntries[static_cast<std::size_t>(step.caret)];
        EXPECT_EQ(TextOf(name), entry.back() == '\\' ? std::string() : entry) << "typed " << step.typed;
    }
    EXPECT_EQ(FocusOf(explorer), list);
    RemoteWinClose95();
}

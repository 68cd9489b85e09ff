#include "win/explorer/explorer_fixture.h"

namespace morvel::test {

std::string HostRead(const std::string& key, const std::string& def) {
    char buffer[2048] = {};
    GetPrivateProfileStringA("morvel", key.c_str(), def.c_str(), buffer, sizeof buffer, "morvel.ini");
    return buffer;
}

void HostWrite(const std::string& key, const std::string& value) {
    ASSERT_TRUE(WritePrivateProfileStringA("morvel", key.c_str(), value.c_str(), "morvel.ini"));
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return std::string(buffer, length);
}

std::string LongPathOf(const std::string& path) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
    return std::string(buffer, length);
}

HostWindow::HostWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "ExplorerTestHost";
        RegisterClassA(&cls);
        registered = true;
    }
    hwnd_ = CreateWindowExA(0, "ExplorerTestHost", "Test host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HostWindow::~HostWindow() {
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == MORVEL_WM_NOTIFY && self) {
        EXPECT_EQ(wParam, 0u);
        self->codes.push_back(lParam);
        self->exchangeAtNotify.push_back(self->exchangePath.empty() ? ""
                                                                    : ReadBytes(self->exchangePath).value_or("<none>"));
        self->win95fileAtNotify.push_back(HostRead("LongName") + "|" + HostRead("Win95file"));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND ExplorerWindow() {
    return FindProcessWindow("", "TFileForm");
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const LRESULT got = SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got < 0 ? 0 : static_cast<size_t>(got));
        items.push_back(text);
    }
    return items;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const LRESULT got = SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got < 0 ? 0 : static_cast<size_t>(got));
        items.push_back(text);
    }
    return items;
}

std::string ComboSelection(HWND combo) {
    const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected < 0) return "<none>";
    return ComboItems(combo).at(static_cast<size_t>(selected));
}

std::string ShownFolder(HWND explorer) {
    return TextOf(GetDlgItem(explorer, MORVEL_ID_DIRLABEL));
}

void ChooseFileType(HWND explorer, int position) {
    HWND combo = GetDlgItem(explorer, MORVEL_ID_FILTERCOMBOBOX1);
    SendMessageA(combo, CB_SETCURSEL, position, 0);
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(MORVEL_ID_FILTERCOMBOBOX1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void MenuCommand(HWND explorer, int id) {
    SendMessageA(explorer, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void ExplorerTest::SetUp() {
    RemoveSettings();
    exchange = "C:\\morvel-exchange.tmp";
    DeleteFileA(exchange.c_str());
    HostWrite("Win95Tmp", exchange);
}

void ExplorerTest::TearDown() {
    RemoteWinClose95();
    PumpMessages();
    DeleteFileA(exchange.c_str());
    RemoveSettings();
}

int RunDialog(int kind, const std::string& caption, const std::function<void(HWND)>& drive, int restricted) {
    int result = 12345;
    DriveModal([&] { result = RemoteDlg95(kind, restricted); },
               [&] {
                   HWND dialog = WaitForWindow(caption, "TFileForm");
                   if (!dialog) return;
                   // The set-up has run once the file list is enabled.
                   WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, MORVEL_ID_XFILES)) != 0; });
                   drive(dialog);
               });
    return result;
}

}  // namespace morvel::test

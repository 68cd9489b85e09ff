#include "win/player/player_test_support.h"

#include <gtest/gtest.h>

#include "morvel32.h"
#include "win/support/ui_driver.h"

namespace morvel::test {

std::string PrepareClip(const TempFolder& folder, const std::string& name, const AviClip& clip) {
    const std::string path = folder / name;
    EXPECT_TRUE(WriteBytes(path, BuildAvi(clip))) << path;
    SetSaveName(path);
    return path;
}

void SetSaveName(const std::string& path) {
    EXPECT_TRUE(WritePrivateProfileStringA("morvel", "SaveName", path.c_str(), "morvel.ini"));
}

HWND PlayerWindow() {
    return FindProcessWindow("", "TVideoForm");
}

namespace {
struct Search {
    int id;
    HWND found;
};
BOOL CALLBACK MatchId(HWND child, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(child) != s->id) return TRUE;
    s->found = child;
    return FALSE;
}
}  // namespace

HWND Descendant(HWND parent, int id) {
    Search search{id, nullptr};
    if (parent == nullptr) return nullptr;
    EnumChildWindows(parent, &MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string StatusText() {
    return TextOf(Descendant(PlayerWindow(), MORVEL_ID_STATUS));
}

int VisibleButtons() {
    HWND bar = Descendant(PlayerWindow(), MORVEL_ID_MEDIAPLAYER1);
    return bar ? LOWORD(SendMessageA(bar, MORVEL_WM_MEDIABUTTONSETS, 0, 0)) : -1;
}

int EnabledButtons() {
    HWND bar = Descendant(PlayerWindow(), MORVEL_ID_MEDIAPLAYER1);
    return bar ? HIWORD(SendMessageA(bar, MORVEL_WM_MEDIABUTTONSETS, 0, 0)) : -1;
}

void PressMediaButton(int button) {
    HWND bar = Descendant(PlayerWindow(), MORVEL_ID_MEDIAPLAYER1);
    ASSERT_NE(bar, nullptr);
    SendMessageA(bar, MORVEL_WM_MEDIABUTTON, static_cast<WPARAM>(button), 0);
}

void PlayerCommand(int id) {
    HWND window = PlayerWindow();
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

bool WaitForStatus(const std::string& text, DWORD timeoutMs) {
    return WaitUntil([&] { return StatusText() == text; }, Millis(timeoutMs));
}

bool WaitForStatusPrefix(const std::string& prefix, DWORD timeoutMs) {
    return WaitUntil([&] { return StatusText().rfind(prefix, 0) == 0; }, Millis(timeoutMs));
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpMessages();
        Sleep(10);
    }
}

int FrameOf(const std::string& statusText) {
    const std::size_t colon = statusText.rfind(':');
    if (colon == std::string::npos || colon + 1 >= statusText.size()) return -1;
    return std::atoi(statusText.c_str() + colon + 1);
}

SIZE WindowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

namespace {
SIZE ClientSize(HWND window) {
    RECT r{};
    if (window) GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}
}  // namespace

SIZE VideoAreaSize() {
    return ClientSize(Descendant(PlayerWindow(), MORVEL_ID_VIDEOWINBACK));
}

SIZE PictureSize() {
    return ClientSize(Descendant(PlayerWindow(), MORVEL_ID_VIDEOWIN));
}

void ClosePlayerIfOpen() {
    // Two requests close an open window at once; with no window none is made, since a request
    // would stay pending for the next test's player.
    for (int attempt = 0; attempt < 2 && PlayerWindow() != nullptr; ++attempt) VideoWinClose95();
    WaitUntil([] { return PlayerWindow() == nullptr; }, Millis(5000));
}

}  // namespace morvel::test

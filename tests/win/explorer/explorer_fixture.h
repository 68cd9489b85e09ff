// What the Explorer's Windows tests share: the host's side of the settings file, a host window
// that records notifications, and reading the Explorer's controls.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "morvel32.h"
#include "win/support/test_env.h"
#include "win/support/ui_driver.h"

namespace morvel::test {

// The host's view of a key: what GetPrivateProfileStringA returns.
std::string HostRead(const std::string& key, const std::string& def = "<absent>");
void HostWrite(const std::string& key, const std::string& value);

std::string ShortPathOf(const std::string& path);
std::string LongPathOf(const std::string& path);

// A top-level window of the test thread that plays the host: it records every notification.
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd() const { return hwnd_; }
    MorvelInt handle() const { return static_cast<MorvelInt>(reinterpret_cast<INT_PTR>(hwnd_)); }
    // Codes received, in order.
    std::vector<LPARAM> codes;
    // What the exchange file held when each notification arrived.
    std::vector<std::string> exchangeAtNotify;
    std::string exchangePath;
    // LongName and Win95file as they stood when each notification arrived.
    std::vector<std::string> win95fileAtNotify;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
};

// The Explorer window of this process (class "TFileForm"), or nullptr.
HWND ExplorerWindow();
// Entries of a list box, in order.
std::vector<std::string> ListItems(HWND list);
std::vector<std::string> ComboItems(HWND combo);
std::string ComboSelection(HWND combo);
// The folder the Explorer shows (its hidden folder label).
std::string ShownFolder(HWND explorer);
// Selects a file-type position as the user would.
void ChooseFileType(HWND explorer, int position);
// Sends a menu command to the window as a click on the item does.
void MenuCommand(HWND explorer, int id);

// Runs RemoteDlg95 with the kind; `drive` works the dialog from the second thread once its
// set-up has listed the folder. Returns the dialog's result.
int RunDialog(int kind, const std::string& caption, const std::function<void(HWND)>& drive, int restricted = 0);

// Each test starts from an empty settings file with the exchange file named, and a folder.
class ExplorerTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string exchange;  // the exchange file's path
};

}  // namespace morvel::test

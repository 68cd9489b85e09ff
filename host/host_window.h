// The reference host's window: a button per export, the input fields a host fills in before a
// call, and a log of calls, results, result keys and notifications.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

// How an export is called and what the host writes before and reads after.
enum class Signature { Void0, Int0, VoidHwndFlag, IntKindFlag, IntModeOption };

struct ExportInfo {
    const char* name;
    Signature signature;
    std::vector<const char*> inputKeys;   // written from the host's fields before the call
    std::vector<const char*> resultKeys;  // shown after the call
};

const std::vector<ExportInfo>& Exports();

class HostWindow {
public:
    bool Create(HINSTANCE instance, HMODULE dll);
    HWND handle() const { return window_; }

    // Writes the input keys, calls the export, logs its result and the result keys.
    void Call(const ExportInfo& item);
    const ExportInfo* Find(const std::string& name) const;
    bool Has(const std::string& name) const;

    void SetField(int id, const std::string& text);
    std::string Field(int id) const;
    void Log(const std::string& line);
    // Logs the lines of a file (the first 40): the exchange file, the editor's test file.
    void ShowFile(const std::string& path);

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();
    void OnNotify(LPARAM code);
    void ShowKey(const char* key);
    void ShowExchangeFile();
    void PollPlayer();

    HMODULE dll_ = nullptr;
    HWND window_ = nullptr;
    HWND log_ = nullptr;
    HWND status_ = nullptr;
    int lastPlayerStatus_ = -1;
    HFONT font_ = nullptr;
    std::vector<HWND> buttons_;
};

// Field IDs of the host window.
enum FieldId {
    kFieldSaveName = 100,
    kFieldWin95Tmp,
    kFieldKind,
    kFieldFlag,
    kFieldAvlFil,
    kFieldAvlTmp,
    kFieldLog,
    kFieldStatus,
    kFirstButton = 200,
};

std::string ReadKey(const char* key);
void WriteKey(const char* key, const std::string& value);

}  // namespace host

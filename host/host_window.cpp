#include "host_window.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "morvel32.h"

namespace host {

namespace {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 150;
constexpr int kRowHeight = 26;

const char* NotifyName(LPARAM code) {
    switch (code) {
        case MORVEL_NOTIFY_INFO: return "NotifyInfo";
        case MORVEL_NOTIFY_PREVIEW: return "NotifyPreview";
        case MORVEL_NOTIFY_DELETE: return "NotifyDelete";
        case MORVEL_NOTIFY_SLIDESHOW: return "NotifySlideshow";
        case MORVEL_NOTIFY_CONVERT: return "NotifyConvert";
        case MORVEL_NOTIFY_OPEN: return "NotifyOpen";
        case MORVEL_NOTIFY_OPEN_MULTIPLE: return "NotifyOpenMultiple";
        default: return "unknown code";
    }
}

struct FieldSpec {
    int id;
    const char* label;
    const char* initial;
};
const FieldSpec kFields[] = {
    {kFieldSaveName, "SaveName", "C:\\morvel-host\\sample.avl"},
    {kFieldWin95Tmp, "Win95Tmp", "C:\\morvel-host\\exchange.tmp"},
    {kFieldKind, "Kind / mode", "254 Open Slideshow"},
    {kFieldFlag, "Flag / option", "0"},
    {kFieldAvlFil, "AVLFIL", "*"},
    {kFieldAvlTmp, "AVLTMP", "C:\\morvel-host\\test.avl"},
};

constexpr int kFieldCount = static_cast<int>(std::size(kFields));

// The field that holds the value the host writes for an input key.
int FieldOfKey(const std::string& key) {
    if (key == MORVEL_KEY_SAVENAME) return kFieldSaveName;
    if (key == MORVEL_KEY_AVLFIL) return kFieldAvlFil;
    if (key == MORVEL_KEY_AVLTMP) return kFieldAvlTmp;
    return kFieldWin95Tmp;
}

// The dialog kinds (the number leads; the player reads the same field as its play mode).
const char* const kKindChoices[] = {
    "254 Open Slideshow",      "253 Add Multiple Slides", "252 Replace Slide",        "0 Save File (slideshow)",
    "1 Save File, 1 bit",      "4 Save File, 4 bits",     "8 Save File, 8 bits",      "16 Save File, 16 bits",
    "24 Save File, 24 bits",   "101 Convert, 1 bit",      "104 Convert, 4 bits",      "108 Convert, 8 bits",
    "116 Convert, 16 bits",    "124 Convert, 24 bits",    "0 player: mode 0",         "1 player: mode 1",
    "2 player: mode 2",
};

int FieldInt(const HostWindow& host, int id) { return std::atoi(host.Field(id).c_str()); }

// An export found by name, as the function type the host calls it with.
template <typename Function>
Function As(FARPROC entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}
}  // namespace

const std::vector<ExportInfo>& Exports() {
    static const std::vector<ExportInfo> table = {
        {"RemoteWin95", Signature::VoidHwndFlag, {MORVEL_KEY_WIN95TMP}, {}},
        {"RemoteWinClose95", Signature::Void0, {}, {MORVEL_KEY_LASTDIR, MORVEL_KEY_BWINT, MORVEL_KEY_BWINL,
                                                    MORVEL_KEY_BWINW, MORVEL_KEY_BWINH}},
        {"RemoteWinHide95", Signature::Void0, {}, {}},
        {"RemoteWinUpdate95", Signature::Void0, {}, {}},
        {"RemoteDlg95", Signature::IntKindFlag, {MORVEL_KEY_WIN95TMP},
         {MORVEL_KEY_LONGNAME, MORVEL_KEY_SAVENAME, MORVEL_KEY_SAVEPATH, MORVEL_KEY_SAVEEXT, MORVEL_KEY_MULTIBPP,
          MORVEL_KEY_SAVE1, MORVEL_KEY_SAVE4, MORVEL_KEY_SAVE8, MORVEL_KEY_SAVE16, MORVEL_KEY_SAVE24, MORVEL_KEY_LASTDIR,
          MORVEL_KEY_SAVEYUV, MORVEL_KEY_SAVEJPG, MORVEL_KEY_SAVEPIC, MORVEL_KEY_SAVECMP}},
        {"ShortToLongName95", Signature::Void0, {MORVEL_KEY_SAVENAME}, {MORVEL_KEY_LONGNAME}},
        {"GDIflush95", Signature::Int0, {}, {}},
        {"EditorWin95", Signature::Int0, {MORVEL_KEY_WIN95TMP, MORVEL_KEY_AVLFIL, MORVEL_KEY_AVLTMP}, {}},
        {"VideoWinPlayer95", Signature::IntModeOption, {MORVEL_KEY_SAVENAME}, {}},
        {"VideoWinStatus95", Signature::Int0, {}, {}},
        {"VideoWinClose95", Signature::Void0, {}, {}},
    };
    return table;
}

std::string ReadKey(const char* key) {
    char buffer[1024] = {};
    GetPrivateProfileStringA(MORVEL_INI_SECTION, key, "<absent>", buffer, sizeof buffer, MORVEL_INI_FILE);
    return buffer;
}

void WriteKey(const char* key, const std::string& value) {
    WritePrivateProfileStringA(MORVEL_INI_SECTION, key, value.c_str(), MORVEL_INI_FILE);
}

LRESULT CALLBACK HostWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

bool HostWindow::Create(HINSTANCE instance, HMODULE dll) {
    dll_ = dll;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "MorvelReferenceHost";
    RegisterClassA(&wc);
    CreateWindowExA(0, wc.lpszClassName, "Morvel Reference Host", WS_OVERLAPPEDWINDOW, 10, 10, 790, 560, nullptr,
                    nullptr, instance, this);
    if (window_ == nullptr) return false;
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    int y = kMargin;
    for (const FieldSpec& field : kFields) {
        HWND label = CreateWindowExA(0, "STATIC", field.label, WS_CHILD | WS_VISIBLE, kMargin, y + 4, 90, 18,
                                     window_, nullptr, instance, nullptr);
        HWND edit = nullptr;
        if (field.id == kFieldKind) {
            // An editable drop-down: every dialog kind of RemoteDlg95 at hand, any number typed.
            edit = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, kMargin + 95, y,
                                   330, 300, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(field.id)),
                                   instance, nullptr);
            for (const char* kind : kKindChoices) SendMessageA(edit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
            SetWindowTextA(edit, field.initial);
        } else {
            edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", field.initial, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                   kMargin + 95, y, 330, 22, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(field.id)), instance, nullptr);
        }
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        y += kRowHeight;
    }
    int index = 0;
    for (const ExportInfo& item : Exports()) {
        const bool present = GetProcAddress(dll_, item.name) != nullptr;
        const int column = index % 2;
        const int row = index / 2;
        HWND button = CreateWindowExA(0, "BUTTON", item.name, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      kMargin + 440 + column * (kButtonWidth + 4), kMargin + row * kRowHeight,
                                      kButtonWidth, 24, window_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButton + index)), instance,
                                      nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        EnableWindow(button, present);
        buttons_.push_back(button);
        ++index;
    }
    status_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, kMargin, kMargin + kFieldCount * kRowHeight + 4, 420, 18,
                              window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldStatus)), instance,
                              nullptr);
    SendMessageA(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    // The player tells the host nothing; a host polls its status.
    if (Has("VideoWinStatus95")) SetTimer(window_, 1, 250, nullptr);
    log_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 10, 10,
                           window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldLog)), instance, nullptr);
    SendMessageA(log_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageA(log_, LB_SETHORIZONTALEXTENT, 2000, 0);
    Layout();
    return true;
}

void HostWindow::Layout() {
    RECT client{};
    GetClientRect(window_, &client);
    const int top = kMargin + (kFieldCount + 1) * kRowHeight + kMargin;
    MoveWindow(log_, kMargin, top, client.right - 2 * kMargin, client.bottom - top - kMargin, TRUE);
}

const ExportInfo* HostWindow::Find(const std::string& name) const {
    for (const ExportInfo& item : Exports()) {
        if (name == item.name) return &item;
    }
    return nullptr;
}

bool HostWindow::Has(const std::string& name) const { return GetProcAddress(dll_, name.c_str()) != nullptr; }

void HostWindow::SetField(int id, const std::string& text) { SetDlgItemTextA(window_, id, text.c_str()); }

std::string HostWindow::Field(int id) const {
    char buffer[1024] = {};
    GetDlgItemTextA(window_, id, buffer, sizeof buffer);
    return buffer;
}

void HostWindow::Log(const std::string& line) {
    const LRESULT at = SendMessageA(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(log_, LB_SETTOPINDEX, static_cast<WPARAM>(at), 0);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE) {
        const std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

void HostWindow::ShowKey(const char* key) { Log(std::string("    ") + key + " = " + ReadKey(key)); }

void HostWindow::ShowExchangeFile() { ShowFile(ReadKey(MORVEL_KEY_WIN95TMP)); }

void HostWindow::ShowFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Log("    file " + path + " cannot be read");
        return;
    }
    Log("    file " + path + ":");
    std::string line;
    int shown = 0;
    while (std::getline(in, line) && shown < 40) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Log("      " + line);
        ++shown;
    }
}

void HostWindow::Call(const ExportInfo& item) {
    FARPROC entry = GetProcAddress(dll_, item.name);
    if (entry == nullptr) {
        Log(std::string(item.name) + ": not exported by this DLL");
        return;
    }
    for (const char* key : item.inputKeys) {
        const int field = FieldOfKey(key);
        WriteKey(key, Field(field));
        Log(std::string("host writes ") + key + " = " + Field(field));
    }
    std::ostringstream call;
    call << item.name << "(";
    switch (item.signature) {
        case Signature::Void0:
            As<void(__stdcall*)()>(entry)();
            call << ")";
            break;
        case Signature::Int0:
            call << ") = " << As<int(__stdcall*)()>(entry)();
            break;
        case Signature::VoidHwndFlag: {
            const int flag = FieldInt(*this, kFieldFlag);
            call << "host window, " << flag << ")";
            As<void(__stdcall*)(int, int)>(entry)(static_cast<int>(reinterpret_cast<INT_PTR>(window_)),
                                                                flag);
            break;
        }
        case Signature::IntKindFlag:
        case Signature::IntModeOption: {
            const int a = FieldInt(*this, kFieldKind);
            const int b = FieldInt(*this, kFieldFlag);
            call << a << ", " << b << ") = " << As<int(__stdcall*)(int, int)>(entry)(a, b);
            break;
        }
    }
    Log(call.str());
    for (const char* key : item.resultKeys) ShowKey(key);
}

void HostWindow::PollPlayer() {
    FARPROC entry = GetProcAddress(dll_, "VideoWinStatus95");
    if (entry == nullptr) return;
    const int status = As<int(__stdcall*)()>(entry)();
    if (status == lastPlayerStatus_) return;
    lastPlayerStatus_ = status;
    const std::string text = "VideoWinStatus95 = " + std::to_string(status) + " (player " +
                             ((status & 0x100) ? "open" : "closed") + ", mode " + std::to_string(status & 0xFF) + ")";
    SetWindowTextA(status_, text.c_str());
    Log("poll: " + text);
}

void HostWindow::OnNotify(LPARAM code) {
    Log("notification " + std::to_string(code) + " " + NotifyName(code));
    switch (code) {
        case MORVEL_NOTIFY_INFO:
        case MORVEL_NOTIFY_PREVIEW:
        case MORVEL_NOTIFY_OPEN:
            ShowKey(MORVEL_KEY_WIN95FILE);
            ShowKey(MORVEL_KEY_LONGNAME);
            break;
        case MORVEL_NOTIFY_DELETE: {
            const std::string file = ReadKey(MORVEL_KEY_WIN95FILE);
            const bool deleted = DeleteFileA(file.c_str()) != 0;
            Log("    host deletes " + file + (deleted ? "" : " (failed)"));
            break;
        }
        case MORVEL_NOTIFY_SLIDESHOW:
        case MORVEL_NOTIFY_CONVERT:
        case MORVEL_NOTIFY_OPEN_MULTIPLE:
            ShowExchangeFile();
            break;
        default: break;
    }
}

LRESULT HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case MORVEL_WM_NOTIFY:
            OnNotify(lParam);
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int index = id - kFirstButton;
            if (index >= 0 && index < static_cast<int>(Exports().size())) Call(Exports()[static_cast<size_t>(index)]);
            return 0;
        }
        case WM_SIZE:
            if (log_ != nullptr) Layout();
            return 0;
        case WM_TIMER:
            PollPlayer();
            return 0;
        case WM_DESTROY:
            // A host closes the library's modeless windows before it unloads the library.
            for (const char* name : {"RemoteWinClose95", "VideoWinClose95"}) {
                if (FARPROC entry = GetProcAddress(dll_, name)) As<void(__stdcall*)()>(entry)();
            }
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace host

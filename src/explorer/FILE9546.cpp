// TFileForm: the Explorer window. It reads its controls and the system, calls the Explorer's
// portable rules (listing, checks, confirm step, list files) and applies their results.
#include "explorer/FILE9546.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "common/ini_store.h"
#include "common/mnemonic.h"
#include "common/path_parts.h"
#include "common/win/message_box.h"
#include "common/win/win_file_system.h"
#include "compress/JPEG9504.h"
#include "explorer/Rename02.h"
#include "explorer/Xfiles.h"
#include "explorer/confirm.h"
#include "explorer/dialog_setup.h"
#include "explorer/exchange_file.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_messages.h"
#include "explorer/file_types.h"
#include "explorer/list_file.h"
#include "explorer/listing.h"
#include "explorer/look_in.h"
#include "explorer/name_checks.h"
#include "explorer/save_formats.h"
#include "explorer/start_folder.h"
#include "explorer/write_back.h"
#include "hostlink/host_link.h"
#include "hostlink/library_state.h"
#include "hostlink/settings_file.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;

namespace {

constexpr char kFormClass[] = "TFileForm";
constexpr UINT kMsgSetup = WM_APP + 0x110;  // the dialog set-up, run once after activation

constexpr std::string_view kExchangeSentinel = "c:\\morvel.tmp";
constexpr std::string_view kExchangeFallback = "c:\\morvel.err";

// Pixels of the panels and their controls at 96 pixels per inch.
constexpr int kTopPanelHeight = 34;
constexpr int kBottomPanelHeight = 64;
constexpr int kLabelLeft = 6;
constexpr int kLabelWidth = 60;
constexpr int kFieldLeft = kLabelLeft + kLabelWidth + 2;
constexpr int kSpeedButton = 24;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 24;
constexpr int kGlyph = 16;

enum class ModalResult { None, Ok, Cancel };

struct MenuItem {
    int id = 0;  // 0: separator
    std::string caption;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

// Scope of a busy flag: set while a handler runs, cleared however it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

HBITMAP MakeGlyph(bool folder) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kGlyph, kGlyph);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, kGlyph, kGlyph};
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HBRUSH brush = CreateSolidBrush(folder ? RGB(255, 208, 64) : RGB(255, 255, 255));
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    if (folder) {
        Rectangle(dc, 1, 4, 15, 14);
        Rectangle(dc, 1, 2, 7, 5);
    } else {
        Rectangle(dc, 3, 1, 13, 15);
        MoveToEx(dc, 5, 5, nullptr);
        LineTo(dc, 11, 5);
        MoveToEx(dc, 5, 8, nullptr);
        LineTo(dc, 11, 8);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void DrawDriveGlyph(HDC dc, int x, int y, DriveType type) {
    COLORREF colour = RGB(160, 160, 160);
    switch (type) {
        case DriveType::Removable:
            colour = RGB(200, 200, 200);
            break;
        case DriveType::CdRom:
            colour = RGB(120, 160, 220);
            break;
        case DriveType::Remote:
            colour = RGB(120, 200, 120);
            break;
        case DriveType::RamDisk:
            colour = RGB(220, 160, 120);
            break;
        default:
            break;
    }
    const HBRUSH brush = CreateSolidBrush(colour);
    RECT r{x + 1, y + 5, x + 15, y + 12};
    FillRect(dc, &r, brush);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DeleteObject(brush);
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

std::string ComboText(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return text;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class TFileForm;
LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR form);

void RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA form{};
    form.lpfnWndProc = FormProc;
    form.hInstance = libraryInstance;
    form.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    form.lpszClassName = kFormClass;
    RegisterClassA(&form);
    INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    registered = true;
}

class TFileForm final : public ConfirmView {
public:
    static TFileForm* Create(HWND owner, bool dialog);
    ~TFileForm() override {
        for (HFONT font : {controlFont_, windowFont_}) {
            if (font) DeleteObject(font);
        }
    }
    TFileForm(const TFileForm&) = delete;
    TFileForm& operator=(const TFileForm&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Called from WM_NCCREATE: from here on the window owns the form.
    void Attach(HWND hwnd) {
        hwnd_ = hwnd;
        if (attached_) *attached_ = true;
        attached_ = nullptr;
    }
    bool Finished() const { return finished_; }
    // After OK in a save or convert dialog: the chosen entry's format code, once the choice is
    // written to the settings file.
    int SaveChoiceWriteBack();
    ModalResult Result() const { return modalResult_; }
    void CancelModal() {
        modalResult_ = ModalResult::Cancel;
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    }

    void ApplyFontRule();
    void PlaceDefault();
    bool GeometryRestore();
    void EnsureStartFolder();
    void FinishModelessSetup();

    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControl(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

    // ConfirmView
    std::string NameField() const override { return WindowText(edit1_); }
    void SetNameField(const std::string& text) override {
        SetWindowTextA(edit1_, text.c_str());
        UpdateWindow(edit1_);
    }
    std::string Folder() const override { return folder_; }
    int EntryCount() const override { return xfiles_.Count(); }
    int CurrentEntry() const override { return xfiles_.Current(); }
    std::string EntryText(int index) const override { return xfiles_.Text(index); }
    int SelectedCount() const override { return xfiles_.SelectedCount(); }
    std::optional<std::string> SelectedTypeLabel() const override;
    bool Ask(BoxKind kind, const std::string& text) override { return AskYesNo(hwnd_, kind, text); }
    void Tell(BoxKind kind, const std::string& text) override { ShowMessage(hwnd_, kind, text); }
    bool WriteBack() override;
    int ListMultipleFiles() override;
    void OpenFolderEntry(int index) override;
    void Notify(int code) override { NotifyHost(static_cast<NotifyCode>(code)); }

private:
    explicit TFileForm(bool dialog) : dialog_(dialog) {}

    // Building.
    void CreateControls();
    HWND MakeControl(HWND parent, const char* cls, const char* text, DWORD style, int id, DWORD exStyle = 0);
    void AddHint(HWND control, const char* text);
    void BuildMenus();
    MenuItem& Item(int id);
    void ShowMenu(const std::vector<MenuItem>& items, POINT at);
    void Subclass(HWND control);

    // Window: creation, set-up, layout, close.
    void FormCreate();
    void FormActivate();
    void FormResize();
    void FormClose();
    void SaveState();
    void ApplyDialogSetup(const DialogSetup& setup);

    // Listing, file types and the Look-in box.
    void FilterComboBox1Change();
    // Formats of the save and convert dialogs.
    void SetFileFormats();
    void FormatChosen();
    void BPPtypeChange();
    void ShowJpegButton(bool shown);
    void UpdateFiles();
    void InitFocus();
    void CalcStringWidth();
    void UpdateHistory();
    void LookBoxChange();
    void BtnUpClick();
    void SetFolder(const std::string& folder);
    void SetUpEnabled(bool enabled);

    // Selection and confirmation.
    void XFilesClick();
    void XFilesDblClick();
    void Edit1Change();
    void BtnOKClick();

    // Several files, the exchange file and the input-file view.
    void ValidateSelection();
    std::vector<ListEntry> SelectedFiles() const;
    void MarkDirectoryClick();
    void UnmarkDirectoryClick();
    void BatchConvertClick();
    void InstantSlideshowClick();
    void mnuListInputClick();
    void ShowPanels(bool shown);

    // File commands and view options.
    void NotifyAfterWriteBack(NotifyCode code);
    void PreviewModeClick();
    void ToggleAndRefresh(int id);
    void mnuOneColClick();
    void mnuOptimizeWinClick(bool toScreen);
    void mnuFontClick();
    void mnuResetWinClick();
    void SetWindowFont(const std::string& name, int size, bool bold);
    void BtnExitClick();
    void BtnHelpClick();
    void BtnMenuClick();
    void BtnJPEGClick();
    void mnuFRenameClick();
    bool FormKeyDown(WPARAM key);
    bool AcceleratorKey(WPARAM typed);
    bool XFilesKeyDown(WPARAM key);

    void OnCommand(int id, int code, HWND control);
    void OnMenuCommand(int id);
    void DrawLookItem(const DRAWITEMSTRUCT& item) const;

    bool dialog_;
    bool* attached_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND panelTop_ = nullptr, panelList_ = nullptr, panelButtons_ = nullptr;
    HWND lookLabel_ = nullptr, lookBox_ = nullptr, btnUp_ = nullptr, btnMenu_ = nullptr, btnHelp_ = nullptr,
         btnJpeg_ = nullptr;
    HWND inputList_ = nullptr;
    HWND nameLabel_ = nullptr, edit1_ = nullptr, typeLabel_ = nullptr, filterCombo_ = nullptr, bppType_ = nullptr,
         btnOk_ = nullptr, btnExit_ = nullptr, dirLabel_ = nullptr, tooltip_ = nullptr;
    XFileListBox xfiles_;
    HFONT controlFont_ = nullptr;
    HFONT windowFont_ = nullptr;
    HBRUSH highlightBrush_ = nullptr;

    // DriveBox and DirectoryListBox1 as models: the drives and the folder list's folder.
    std::vector<DriveInfo> drives_;
    char driveLetter_ = 'c';
    std::string folder_ = "c:\\";
    LookInModel lookIn_;

    std::vector<MenuItem> fileMenu_;
    std::vector<MenuItem> viewMenu_;

    bool nameReadOnly_ = true;
    bool bppShown_ = false;  // the colour-depth box stands in the name field's place
    bool jpegShown_ = false;
    bool setupDone_ = false;
    bool finished_ = false;
    bool inputViewShown_ = false;
    bool inputListFilled_ = false;
    ModalResult modalResult_ = ModalResult::None;
};

// ---- Building --------------------------------------------------------------------------------

TFileForm* TFileForm::Create(HWND owner, bool dialog) {
    RegisterClasses();
    auto* form = new TFileForm(dialog);
    bool attached = false;
    form->attached_ = &attached;
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    // The laid-out place and size, given for 120 pixels per inch.
    const int left = MulDiv(333, dpi, 120), top = MulDiv(231, dpi, 120);
    const int width = MulDiv(413, dpi, 120), height = MulDiv(310, dpi, 120);
    const DWORD style =
        dialog ? (WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_CLIPCHILDREN) : (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    const DWORD exStyle = dialog ? WS_EX_DLGMODALFRAME : 0;
    const HWND hwnd = CreateWindowExA(exStyle, kFormClass, "Morvel Explorer", style, left, top, width, height, owner,
                                      nullptr, libraryInstance, form);
    if (!hwnd) {
        // Once attached, the failed window has deleted the form on its way out.
        if (!attached) delete form;
        return nullptr;
    }
    return form;
}

HWND TFileForm::MakeControl(HWND parent, const char* cls, const char* text, DWORD style, int id, DWORD exStyle) {
    const HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), libraryInstance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont_), FALSE);
    return control;
}

void TFileForm::AddHint(HWND control, const char* text) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void TFileForm::Subclass(HWND control) {
    SetWindowSubclass(control, ControlProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TFileForm::CreateControls() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    controlFont_ =
        CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    highlightBrush_ = GetSysColorBrush(COLOR_HIGHLIGHT);

    // Every control is a direct child of the form, so that GetDlgItem finds it by its ID; the
    // panels are frames behind their controls.
    panelTop_ = MakeControl(hwnd_, "STATIC", "", WS_CLIPSIBLINGS, MORVEL_ID_PANELTOP);
    panelList_ = MakeControl(hwnd_, "STATIC", "", WS_CLIPSIBLINGS, MORVEL_ID_PANELLIST);
    panelButtons_ = MakeControl(hwnd_, "STATIC", "", WS_CLIPSIBLINGS, MORVEL_ID_PANELBUTTONS);

    lookLabel_ = MakeControl(hwnd_, "STATIC", "Look &in:", SS_LEFT, MORVEL_ID_LOOKLABEL);
    lookBox_ = MakeControl(hwnd_, "COMBOBOX", "",
                           WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           MORVEL_ID_LOOKBOX);
    SendMessageA(lookBox_, CB_SETITEMHEIGHT, 0, kGlyph + 2);
    SendMessageA(lookBox_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kGlyph + 2);
    btnUp_ = MakeControl(hwnd_, "BUTTON", "Up", BS_PUSHBUTTON, MORVEL_ID_BTNUP);
    btnMenu_ = MakeControl(hwnd_, "BUTTON", "...", BS_PUSHBUTTON, MORVEL_ID_BTNMENU);
    btnHelp_ = MakeControl(hwnd_, "BUTTON", "?", BS_PUSHBUTTON, MORVEL_ID_BTNHELP);
    btnJpeg_ = MakeControl(hwnd_, "BUTTON", "J", BS_PUSHBUTTON, MORVEL_ID_BTNJPEG);
    ShowWindow(btnJpeg_, SW_HIDE);

    xfiles_.Create(hwnd_, MORVEL_ID_XFILES, {true, true});
    EnableWindow(xfiles_.hwnd(), FALSE);  // until the window is set up
    inputList_ =
        MakeControl(hwnd_, "LISTBOX", "", WS_TABSTOP | WS_HSCROLL | LBS_NOTIFY | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT,
                    MORVEL_ID_INPUTLIST, WS_EX_CLIENTEDGE);
    ShowWindow(inputList_, SW_HIDE);

    nameLabel_ = MakeControl(hwnd_, "STATIC", "File &name:", SS_LEFT, MORVEL_ID_NAMELABEL);
    edit1_ =
        MakeControl(hwnd_, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, MORVEL_ID_EDIT1, WS_EX_CLIENTEDGE);
    typeLabel_ = MakeControl(hwnd_, "STATIC", "File &type:", SS_LEFT, MORVEL_ID_TYPELABEL);
    filterCombo_ =
        MakeControl(hwnd_, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, MORVEL_ID_FILTERCOMBOBOX1);
    for (const FileType& type : kFileTypes) {
        SendMessageA(filterCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(type.label).c_str()));
    }
    bppType_ = MakeControl(hwnd_, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, MORVEL_ID_BPPTYPE);
    for (const char* depth : {"16M Colors (24 bits)", "64K Colors (16 bits)", "256 Colors (8 bits)",
                              "16 Colors (4-bits)", "Black & White (1 bit)"}) {
        SendMessageA(bppType_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(depth));
    }
    ShowWindow(bppType_, SW_HIDE);
    btnOk_ = MakeControl(hwnd_, "BUTTON", "&Open", WS_TABSTOP | BS_PUSHBUTTON, MORVEL_ID_BTNOK);
    btnExit_ = MakeControl(hwnd_, "BUTTON", "&Close", WS_TABSTOP | BS_PUSHBUTTON, MORVEL_ID_BTNEXIT);
    dirLabel_ =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(MORVEL_ID_DIRLABEL)), libraryInstance, nullptr);

    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, libraryInstance, nullptr);
    AddHint(btnUp_, "Up One Level");
    AddHint(btnMenu_, "Goodies");
    AddHint(btnHelp_, "Help");
    AddHint(btnJpeg_, "JPEG Compression");
    AddHint(inputList_, "Right-click or press Esc to go back");

    for (HWND panel : {panelTop_, panelList_, panelButtons_}) {
        SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND control : {lookBox_, xfiles_.hwnd(), inputList_, edit1_, filterCombo_, bppType_, btnOk_, btnExit_, btnUp_,
                         btnMenu_, btnHelp_, btnJpeg_}) {
        Subclass(control);
    }
    BuildMenus();
}

void TFileForm::BuildMenus() {
    fileMenu_ = {
        {MORVEL_ID_MNUFLEVEL, "Up One &Level"},
        {0, "-"},
        {MORVEL_ID_MNUFOPEN, "&Open"},
        {MORVEL_ID_MNUFINFO, "&Info", true, false},
        {MORVEL_ID_MNUFPREVIEW, "&Preview", true, false},
        {MORVEL_ID_MNUFRENAME, "Renam&e", true, false},
        {MORVEL_ID_MNUFDELETE, "&Delete", true, false},
        {MORVEL_ID_MNUREFRESH, "Refres&h"},
        {MORVEL_ID_MARKDIRECTORY, "&Mark all files"},
        {MORVEL_ID_UNMARKDIRECTORY, "&Unmark all files"},
        {MORVEL_ID_BATCHCONVERT, "&Convert file(s)"},
        {MORVEL_ID_INSTANTSLIDESHOW, "Instant &slideshow"},
        {MORVEL_ID_MNULISTINPUT, "&View input files", false},
    };
    viewMenu_ = {
        {MORVEL_ID_MNUOPTIMIZEWIN, "&Optimize files list"},
        {MORVEL_ID_MNUMAXWIN, "Maximi&ze files list"},
        {MORVEL_ID_MNUFONT, "Change &font"},
        {MORVEL_ID_MNURESETWIN, "&Reset window"},
        {MORVEL_ID_MNULOWERCASE, "&Lowercase", true, true, true},
        {MORVEL_ID_MNUDIRLAST, "Folders &after files"},
        {MORVEL_ID_MNUONECOL, "Singl&e column"},
        {MORVEL_ID_PREVIEWMODE, "&Preview mode"},
    };
}

MenuItem& TFileForm::Item(int id) {
    for (auto* menu : {&fileMenu_, &viewMenu_}) {
        for (MenuItem& item : *menu) {
            if (item.id == id) return item;
        }
    }
    throw std::logic_error("no menu item " + std::to_string(id));
}

void TFileForm::ShowMenu(const std::vector<MenuItem>& items, POINT at) {
    const HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        if (!item.visible) continue;
        if (item.id == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (!item.enabled) flags |= MF_GRAYED;
        if (item.checked) flags |= MF_CHECKED;
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.id), item.caption.c_str());
    }
    SetForegroundWindow(hwnd_);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    if (chosen != 0) OnMenuCommand(chosen);
}

// ---- Creation, font, placement, set-up, layout, close ------------------------------------------

void TFileForm::FormCreate() {
    CreateControls();
    explorer.fileGlyph = MakeGlyph(false);
    explorer.folderGlyph = MakeGlyph(true);
    xfiles_.SetGlyphs(explorer.fileGlyph, explorer.folderGlyph);

    drives_ = RealFileSystem().Drives();
    driveLetter_ = 'c';
    folder_ = std::string(kFallbackFolder);
    SetWindowTextA(dirLabel_, folder_.c_str());

    const SettingsFile settings = Settings();
    const std::string exchange = settings.ReadString(key::Win95Tmp, kExchangeSentinel);
    std::string stored = settings.ReadString(key::LastDir, kFallbackFolder);
    if (explorer.dialogMode && explorer.dialogKind < 200) stored = settings.ReadString(key::SavePath, kFallbackFolder);
    if (explorer.dialogMode) {
        const struct {
            int depth;
            std::string_view key;
            int builtIn;
        } depths[] = {
            {1, key::Save1, 5}, {4, key::Save4, 0}, {8, key::Save8, 9}, {16, key::Save16, 2}, {24, key::Save24, 5}};
        for (std::size_t i = 0; i < std::size(depths); ++i) {
            if (depths[i].depth == explorer.dialogKind) {
                explorer.lastFormatIndex[i] = settings.ReadWithBuiltIn(depths[i].key, depths[i].builtIn);
            }
        }
    }
    explorer.startFolder = ResolveStartFolder(stored, RealFileSystem());

    if (exchange == kExchangeSentinel) {
        ShowMessage(hwnd_, BoxKind::Error, std::string(msg::kCorruptedSettings));
        explorer.exchangePath = std::string(kExchangeFallback);
    } else {
        explorer.exchangePath = exchange;
    }

    if (!explorer.dialogMode) {
        SendMessageA(filterCombo_, CB_SETCURSEL, kAllValidatedPosition, 0);
        FilterComboBox1Change();
    }
}

void TFileForm::ApplyFontRule() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int size = GetSystemMetrics(SM_CYMENU) > 18 ? 10 : 8;
    windowFont_ = CreateFontA(-MulDiv(size, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    xfiles_.SetFont(windowFont_);
    SendMessageA(inputList_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
    explorer.initialFontName = "MS Sans Serif";
    explorer.initialFontSize = size;
    explorer.initialFontBold = false;
}

void TFileForm::PlaceDefault() {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const Size size = DefaultSize(sw, sh);
    explorer.defaultWidth = size.width;
    explorer.defaultHeight = size.height;
    const Rect r = Centred(size, sw, sh);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFileForm::GeometryRestore() {
    const SettingsFile settings = Settings();
    const StoredGeometry stored{settings.ReadGeometry(key::bWinT), settings.ReadGeometry(key::bWinL),
                                settings.ReadGeometry(key::bWinW), settings.ReadGeometry(key::bWinH)};
    const auto rect = RestoredGeometry(stored, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!rect) return false;
    ShowWindow(hwnd_, SW_HIDE);
    SetWindowPos(hwnd_, nullptr, rect->left, rect->top, rect->width, rect->height, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    ShowWindow(hwnd_, SW_SHOW);
    return true;
}

void TFileForm::EnsureStartFolder() {
    if (!path::EqualsNoCase(folder_, explorer.startFolder)) SetFolder(explorer.startFolder);
}

void TFileForm::FinishModelessSetup() {
    EnableWindow(xfiles_.hwnd(), TRUE);
    explorer.explorerOpen = true;
    explorer.initialising = false;
    explorer.lookInBusy = false;
    UpdateFiles();
    UpdateHistory();
    CalcStringWidth();
}

void TFileForm::ApplyDialogSetup(const DialogSetup& setup) {
    SetWindowTextA(hwnd_, setup.caption.c_str());
    if (setup.multiSelect != xfiles_.style().multiSelect) {
        xfiles_.Recreate({setup.multiSelect, xfiles_.style().multiColumn});
        Subclass(xfiles_.hwnd());
    }
    nameReadOnly_ = setup.nameField == NameFieldMode::ReadOnly;
    SendMessageA(edit1_, EM_SETREADONLY, nameReadOnly_ ? TRUE : FALSE, 0);
    InvalidateRect(edit1_, nullptr, TRUE);
    if (setup.nameField == NameFieldMode::HiddenForDepthBox) {
        bppShown_ = true;
        ShowWindow(edit1_, SW_HIDE);
        ShowWindow(bppType_, SW_SHOW);
        SendMessageA(bppType_, CB_SETCURSEL, 0, 0);
    }
    if (setup.pixelsLabel) SetWindowTextA(nameLabel_, "&Pixels:");
    if (setup.saveInLabel) SetWindowTextA(lookLabel_, "Save &in");
    Item(MORVEL_ID_MARKDIRECTORY).visible = setup.markUnmarkVisible;
    Item(MORVEL_ID_UNMARKDIRECTORY).visible = setup.markUnmarkVisible;
    Item(MORVEL_ID_MNULISTINPUT).visible = setup.listInputVisible;
    if (setup.formatList) SetFileFormats();
    if (setup.fileTypePosition >= 0) SendMessageA(filterCombo_, CB_SETCURSEL, setup.fileTypePosition, 0);
    if (setup.fileTypeFixed) EnableWindow(filterCombo_, FALSE);
}

void TFileForm::FormActivate() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (!explorer.dialogMode) return;
    SetWindowTextA(btnExit_, "&Cancel");
    ApplyDialogSetup(SetupForKind(explorer.dialogKind, explorer.convertMode));
    SetFolder(explorer.startFolder);
    explorer.maskList = std::string(kUnmatchedMaskList);
    FilterComboBox1Change();
    explorer.explorerOpen = true;
    explorer.initialising = false;
    explorer.lookInBusy = false;
    UpdateHistory();
    for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFRENAME, MORVEL_ID_MNUFDELETE,
                   MORVEL_ID_BATCHCONVERT, MORVEL_ID_INSTANTSLIDESHOW, MORVEL_ID_PREVIEWMODE}) {
        Item(id).visible = false;
    }
    const int selected = static_cast<int>(SendMessageA(filterCombo_, CB_GETCURSEL, 0, 0));
    if (IsDepthKind(explorer.dialogKind) && selected >= 0 && selected < static_cast<int>(explorer.formatCodes.size())) {
        explorer.currentFormatCode = explorer.formatCodes[static_cast<std::size_t>(selected)];
    }
    PumpPending();
    SetFocus(xfiles_.hwnd());
    UpdateFiles();
    PumpPending();
    if (explorer.dialogKind > 0 && explorer.dialogKind < 200) {
        ShowJpegButton(selected >= 0 && JpegButtonShown(explorer.currentFormatCode));
    }
    // The list takes input once the whole set-up is done (it is listed by then), so that nothing
    // the user does in the set-up's message pauses meets a half-built window.
    EnableWindow(xfiles_.hwnd(), TRUE);
}

void TFileForm::FormResize() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = client.right, height = client.bottom;
    const int top = inputViewShown_ ? 0 : kTopPanelHeight;
    const int bottomPanel = height - kBottomPanelHeight;
    const int listBottom = inputViewShown_ ? height : bottomPanel;
    MoveWindow(panelTop_, 0, 0, width, kTopPanelHeight, TRUE);
    MoveWindow(panelButtons_, 0, bottomPanel, width, kBottomPanelHeight, TRUE);
    MoveWindow(panelList_, 0, top, width, std::max(0, listBottom - top), TRUE);
    const int listWidth = std::max(0, width - 8);
    const int listHeight = std::max(0, listBottom - top - 2);
    MoveWindow(xfiles_.hwnd(), 4, top, listWidth, listHeight, TRUE);
    MoveWindow(inputList_, 4, top, listWidth, listHeight, TRUE);
    SendMessageA(inputList_, LB_SETCOLUMNWIDTH, std::max(1, listWidth / 4), 0);

    const LayoutResult r = LayOut({width, kLabelWidth, kFieldLeft, kSpeedButton, kButtonWidth});
    const int field = std::max(0, r.fieldWidth);
    MoveWindow(lookLabel_, kLabelLeft, 9, kLabelWidth, 16, TRUE);
    MoveWindow(lookBox_, kFieldLeft, 5, field, 200, TRUE);
    MoveWindow(btnUp_, r.btnUpLeft, 5, kSpeedButton, kSpeedButton, TRUE);
    MoveWindow(btnMenu_, r.btnMenuLeft, 5, kSpeedButton, kSpeedButton, TRUE);
    MoveWindow(btnHelp_, r.btnHelpLeft, 5, kSpeedButton, kSpeedButton, TRUE);
    MoveWindow(btnJpeg_, r.btnJpegLeft, 5, kSpeedButton, kSpeedButton, TRUE);

    MoveWindow(nameLabel_, kLabelLeft, bottomPanel + 9, kLabelWidth, 16, TRUE);
    MoveWindow(edit1_, kFieldLeft, bottomPanel + 6, field, 22, TRUE);
    MoveWindow(bppType_, kFieldLeft, bottomPanel + 6, field, 200, TRUE);
    MoveWindow(typeLabel_, kLabelLeft, bottomPanel + 38, kLabelWidth, 16, TRUE);
    MoveWindow(filterCombo_, kFieldLeft, bottomPanel + 34, field, 300, TRUE);
    MoveWindow(btnOk_, r.btnOkLeft, bottomPanel + 5, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(btnExit_, r.btnOkLeft, bottomPanel + 34, kButtonWidth, kButtonHeight, TRUE);
    if (!explorer.initialising) CalcStringWidth();
}

void TFileForm::SaveState() {
    const SettingsFile settings = Settings();
    if (!explorer.dialogMode) {
        RECT rect{};
        if (IsIconic(hwnd_) || IsZoomed(hwnd_)) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            GetWindowPlacement(hwnd_, &placement);
            rect = placement.rcNormalPosition;
        } else {
            GetWindowRect(hwnd_, &rect);
        }
        settings.WriteInteger(key::bWinT, rect.top);
        settings.WriteInteger(key::bWinL, rect.left);
        settings.WriteInteger(key::bWinW, rect.right - rect.left);
        settings.WriteInteger(key::bWinH, rect.bottom - rect.top);
    }
    if (!explorer.dialogMode || explorer.dialogKind >= 200) {
        settings.WriteString(key::LastDir, RecordedFolder(folder_, RealFileSystem()));
    }
}

void TFileForm::FormClose() {
    xfiles_.SetGlyphs(nullptr, nullptr);
    for (HBITMAP* glyph : {&explorer.fileGlyph, &explorer.folderGlyph}) {
        if (*glyph) DeleteObject(*glyph);
        *glyph = nullptr;
    }
    explorer.explorerOpen = false;
    try {
        SaveState();
    } catch (const std::exception& failure) {
        // The window closes all the same; the user learns that the folder was not recorded.
        ShowFailure(hwnd_, failure);
    }
}

// ---- File type, listing, columns, Look-in -------------------------------------------------------

std::optional<std::string> TFileForm::SelectedTypeLabel() const {
    const int selected = static_cast<int>(SendMessageA(filterCombo_, CB_GETCURSEL, 0, 0));
    if (selected < 0) return std::nullopt;
    return ComboText(filterCombo_, selected);
}

void TFileForm::FilterComboBox1Change() {
    const std::string before = explorer.maskList;
    const int selected = static_cast<int>(SendMessageA(filterCombo_, CB_GETCURSEL, 0, 0));
    if (explorer.dialogMode && IsDepthKind(explorer.dialogKind)) {
        const auto label = SelectedTypeLabel();
        explorer.maskList = SaveMaskList(label.value_or(""));
        if (explorer.maskList != before) {
            // While the window is set up, the set-up records the format itself.
            if (!explorer.explorerOpen) return;
            UpdateFiles();
        }
        FormatChosen();
        return;
    }
    explorer.maskList = std::string(MaskListForPosition(selected));
    if (explorer.maskList != before && explorer.explorerOpen) UpdateFiles();
}

// ---- The format list of the save and convert dialogs -------------------------------------------

void TFileForm::SetFileFormats() {
    SendMessageA(filterCombo_, CB_RESETCONTENT, 0, 0);
    const int depth = explorer.dialogKind;
    const auto slot = DepthSlot(depth);
    if (!slot) return;
    const std::vector<FormatEntry> list = FormatList(depth, explorer.restrictedFormats);
    for (std::size_t i = 0; i < list.size() && i < explorer.formatCodes.size(); ++i) {
        SendMessageA(filterCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(list[i].label).c_str()));
        explorer.formatCodes[i] = list[i].code;
    }
    if (explorer.restrictedFormats) {
        if (const auto forced = ForcedRestrictedIndex(depth)) explorer.lastFormatIndex[*slot] = *forced;
    }
    // A position outside the list (a hand-edited key) leaves no entry selected.
    SendMessageA(filterCombo_, CB_SETCURSEL, static_cast<WPARAM>(explorer.lastFormatIndex[*slot]), 0);
}

void TFileForm::ShowJpegButton(bool shown) {
    jpegShown_ = shown;
    ShowWindow(btnJpeg_, shown ? SW_SHOW : SW_HIDE);
    EnableWindow(btnJpeg_, shown);
}

void TFileForm::BtnJPEGClick() {
    const int selected = static_cast<int>(SendMessageA(filterCombo_, CB_GETCURSEL, 0, 0));
    if (selected < 0 || selected >= static_cast<int>(explorer.formatCodes.size())) return;
    explorer.currentFormatCode = explorer.formatCodes[static_cast<std::size_t>(selected)];
    if (RunCompressDialog(explorer.currentFormatCode, hwnd_) == 0) return;
    compress::WriteCompressValues(Settings(), compressValues);
}

void TFileForm::mnuFRenameClick() {
    if (RenameCommand(hwnd_, folder_, [this] { return NameField(); })) UpdateFiles();
}

void TFileForm::FormatChosen() {
    const int selected = static_cast<int>(SendMessageA(filterCombo_, CB_GETCURSEL, 0, 0));
    if (selected < 0 || selected >= static_cast<int>(explorer.formatCodes.size())) {
        ShowJpegButton(false);
        return;
    }
    explorer.currentFormatCode = explorer.formatCodes[static_cast<std::size_t>(selected)];
    ShowJpegButton(JpegButtonShown(explorer.currentFormatCode));
    if (const auto slot = DepthSlot(explorer.dialogKind)) explorer.lastFormatIndex[*slot] = selected;
}

void TFileForm::BPPtypeChange() {
    const int position = static_cast<int>(SendMessageA(bppType_, CB_GETCURSEL, 0, 0));
    const int depth = DepthOfBoxPosition(position);
    explorer.dialogKind = depth;
    explorer.lastFormatIndex[*DepthSlot(depth)] = PresetFormatIndex(depth);
    SetFileFormats();
    FilterComboBox1Change();
}

int TFileForm::SaveChoiceWriteBack() {
    const int selected = static_cast<int>(SendMessageA(filterCombo_, CB_GETCURSEL, 0, 0));
    // Kind 0 has no format list; its result only has to differ from a cancel.
    int code = 0;
    if (IsDepthKind(explorer.dialogKind) && selected >= 0 && selected < static_cast<int>(explorer.formatCodes.size())) {
        code = explorer.formatCodes[static_cast<std::size_t>(selected)];
    }
    const int depth = explorer.dialogKind;
    const auto slot = DepthSlot(depth);
    const std::string full = FullName(NameField(), folder_);
    const std::string shortName = RealFileSystem().ShortPath(full);
    const SettingsFile settings = Settings();
    for (const IniWrite& w : SaveChoiceWrites(depth, slot ? explorer.lastFormatIndex[*slot] : 0, full, shortName)) {
        settings.WriteString(w.key, w.value);
    }
    return code;
}

void TFileForm::SetUpEnabled(bool enabled) {
    EnableWindow(btnUp_, enabled);
    Item(MORVEL_ID_MNUFLEVEL).enabled = enabled;
}

void TFileForm::UpdateFiles() {
    if (!explorer.explorerOpen || explorer.initialising) return;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    ShowWindow(xfiles_.hwnd(), SW_HIDE);
    SetUpEnabled(false);
    SetWindowTextA(edit1_, "");
    xfiles_.Clear();
    const ListingOptions options{Item(MORVEL_ID_MNULOWERCASE).checked, Item(MORVEL_ID_MNUDIRLAST).checked};
    Listing listing = ListFolder(RealFileSystem(), folder_, explorer.maskList, options);
    if (listing.hasParent) SetUpEnabled(true);
    xfiles_.Fill(std::move(listing.entries));
    CalcStringWidth();
    if (!inputViewShown_) ShowWindow(xfiles_.hwnd(), SW_SHOW);
    InitFocus();
    SetCursor(previous);
}

void TFileForm::InitFocus() {
    if (xfiles_.Count() == 0) {
        Item(MORVEL_ID_MNUFOPEN).enabled = false;
        return;
    }
    if (!IsFolderEntry(xfiles_.Text(0))) SetWindowTextA(edit1_, xfiles_.Text(0).c_str());
    xfiles_.SelectFirst();
    // Focus only inside the active window: a relist asked for by the host must not take the
    // keyboard from the host's own windows.
    if (GetActiveWindow() == hwnd_) SetFocus(xfiles_.hwnd());
    Item(MORVEL_ID_MNUFOPEN).enabled = true;
}

void TFileForm::CalcStringWidth() {
    if (Item(MORVEL_ID_MNUONECOL).checked) return;
    explorer.columnWidth = ColumnWidth(xfiles_.WidestText(), xfiles_.TextWidth("WW"));
    RECT client{};
    GetClientRect(xfiles_.hwnd(), &client);
    xfiles_.SetColumns(ColumnCount(client.right, explorer.columnWidth));
}

void TFileForm::UpdateHistory() {
    driveLetter_ = folder_.empty() ? 'c' : path::ToLowerAscii(folder_.substr(0, 1))[0];
    lookIn_ = BuildLookIn(drives_, folder_);
    SendMessageA(lookBox_, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < lookIn_.entries.size(); ++i) {
        const LRESULT at =
            SendMessageA(lookBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lookIn_.entries[i].text.c_str()));
        SendMessageA(lookBox_, CB_SETITEMDATA, at, static_cast<LPARAM>(i));
    }
    SendMessageA(lookBox_, CB_SETCURSEL, lookIn_.selected, 0);
}

void TFileForm::LookBoxChange() {
    if (explorer.lookInBusy) return;
    FlagScope busy(explorer.lookInBusy);
    const int selected = static_cast<int>(SendMessageA(lookBox_, CB_GETCURSEL, 0, 0));
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(lookBox_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) texts.push_back(ComboText(lookBox_, i));
    const LookInChoice choice = ChoiceAt(texts, selected);
    if (selected < 0) return;
    if (choice.drive) {
        if (!RealFileSystem().DriveReady(choice.letter)) {
            driveLetter_ = 'c';
            SetFolder(std::string(kFallbackFolder));
            UpdateHistory();
            ShowMessage(hwnd_, BoxKind::Error, msg::DriveNotReady(choice.letter));
        } else {
            SetFolder(std::string{choice.letter, ':', '\\'});
        }
    } else {
        SetFolder(choice.path);
    }
}

void TFileForm::BtnUpClick() {
    const int selected = static_cast<int>(SendMessageA(lookBox_, CB_GETCURSEL, 0, 0));
    if (selected <= 0) return;
    SendMessageA(lookBox_, CB_SETCURSEL, selected - 1, 0);
    LookBoxChange();
}

void TFileForm::SetFolder(const std::string& folder) {
    std::string next = folder;
    if (next.size() > 3 && next.back() == '\\') next.pop_back();
    if (next.size() == 2 && next[1] == ':') next += '\\';
    if (next == folder_) return;
    folder_ = next;
    SetWindowTextA(dirLabel_, folder_.c_str());
    // DirectoryListBox1Change
    if (explorer.explorerOpen) {
        UpdateFiles();
        UpdateHistory();
    }
}

// ---- Click, name field, confirm ----------------------------------------------------------------

void TFileForm::XFilesClick() {
    const int current = xfiles_.Current();
    if (current < 0) return;
    const std::string& text = xfiles_.Text(current);
    SetWindowTextA(edit1_, IsFolderEntry(text) ? "" : text.c_str());
}

void TFileForm::OpenFolderEntry(int index) {
    const std::string target = path::WithTrailingBackslash(folder_) + xfiles_.Text(index);
    std::string trimmed = target;
    if (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    // The folder list shows the names as the disk holds them, not the list's lower case.
    SetFolder(LongFormOf(trimmed, RealFileSystem()).value_or(trimmed));
}

void TFileForm::XFilesDblClick() {
    const int current = xfiles_.Current();
    if (current < 0) return;
    if (!IsFolderEntry(xfiles_.Text(current))) {
        if (Item(MORVEL_ID_PREVIEWMODE).checked) {
            NotifyAfterWriteBack(NotifyCode::Preview);
        } else {
            BtnOKClick();
        }
        return;
    }
    OpenFolderEntry(current);
}

void TFileForm::Edit1Change() {
    const bool hasText = GetWindowTextLengthA(edit1_) > 0;
    if (explorer.dialogKind >= 200) {
        for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFRENAME, MORVEL_ID_MNUFDELETE}) {
            Item(id).enabled = hasText;
        }
        return;
    }
    SetWindowTextA(btnOk_, hasText ? "&Save" : "&Open");
    Item(MORVEL_ID_MNUFOPEN).caption = hasText ? "Save" : "Open";
}

bool TFileForm::WriteBack() {
    const std::string full = FullName(NameField(), folder_);
    const WriteBackMode mode{explorer.dialogMode, explorer.dialogMode && IsSaveKind(explorer.dialogKind),
                             explorer.convertMode};
    const SettingsFile settings = Settings();
    const bool written = explorer_rules::WriteBack(
        full, mode, RealFileSystem(), [&](std::string_view k, std::string_view v) { settings.WriteString(k, v); });
    if (!written) ShowMessage(hwnd_, BoxKind::Error, msg::CannotSave(full));
    return written;
}

void TFileForm::BtnOKClick() {
    const ConfirmMode mode{explorer.dialogMode, explorer.dialogKind, explorer.convertMode};
    if (Confirm(*this, RealFileSystem(), mode) == ConfirmOutcome::CloseWithOk) {
        modalResult_ = ModalResult::Ok;
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    }
}

// ---- Several files, list file, instant slideshow, input files ----------------------

void TFileForm::ValidateSelection() {
    for (int i = 0; i < xfiles_.Count(); ++i) {
        if (IsFolderEntry(xfiles_.Text(i)) && xfiles_.IsSelected(i)) xfiles_.SetSelected(i, false);
    }
}

std::vector<ListEntry> TFileForm::SelectedFiles() const {
    std::vector<ListEntry> files;
    for (int index : xfiles_.SelectedIndexes()) {
        const ListEntry& entry = xfiles_.Entries().at(static_cast<std::size_t>(index));
        if (!entry.folder) files.push_back(entry);
    }
    return files;
}

int TFileForm::ListMultipleFiles() {
    ValidateSelection();
    if (xfiles_.Count() == 0) return 0;
    const std::vector<ListEntry> files = SelectedFiles();
    if (files.empty()) return 0;
    WriteExchangeFile(explorer.exchangePath, MultiFileListWrites(folder_, files, RealFileSystem()), RealFileSystem());
    return static_cast<int>(files.size());
}

void TFileForm::MarkDirectoryClick() {
    if (xfiles_.Count() == 0) return;
    xfiles_.SelectAll(true);
    ValidateSelection();
}

void TFileForm::UnmarkDirectoryClick() {
    if (xfiles_.Count() == 0) return;
    xfiles_.SelectAll(false);
}

void TFileForm::BatchConvertClick() {
    if (ListMultipleFiles() <= 0) {
        ShowMessage(hwnd_, BoxKind::Warning, std::string(msg::kNoFilesSelected));
        return;
    }
    NotifyHost(NotifyCode::Convert);
}

void TFileForm::InstantSlideshowClick() {
    ValidateSelection();
    if (xfiles_.Count() == 0) return;
    const std::vector<ListEntry> files = SelectedFiles();
    if (files.empty()) {
        ShowMessage(hwnd_, BoxKind::Warning, std::string(msg::kNoFilesSelected));
        return;
    }
    WriteExchangeFile(explorer.exchangePath, InstantSlideshowWrites(folder_, files, RealFileSystem()),
                      RealFileSystem());
    NotifyHost(NotifyCode::Slideshow);
}

void TFileForm::ShowPanels(bool shown) {
    const int how = shown ? SW_SHOW : SW_HIDE;
    for (HWND control : {panelTop_, lookLabel_, lookBox_, btnUp_, btnMenu_, btnHelp_, panelButtons_, nameLabel_,
                         typeLabel_, filterCombo_, btnOk_, btnExit_}) {
        ShowWindow(control, how);
    }
    // The controls that the kind keeps hidden stay hidden.
    ShowWindow(btnJpeg_, shown && jpegShown_ ? SW_SHOW : SW_HIDE);
    ShowWindow(bppType_, shown && bppShown_ ? SW_SHOW : SW_HIDE);
    ShowWindow(edit1_, shown && !bppShown_ ? SW_SHOW : SW_HIDE);
}

void TFileForm::mnuListInputClick() {
    if (inputViewShown_) {
        inputViewShown_ = false;
        ShowPanels(true);
        Item(MORVEL_ID_MNULISTINPUT).caption = "&View input files";
        ShowWindow(xfiles_.hwnd(), SW_SHOW);
        ShowWindow(inputList_, SW_HIDE);
        for (int id : {MORVEL_ID_MNUFOPEN, MORVEL_ID_MNUFLEVEL, MORVEL_ID_MNUREFRESH}) Item(id).visible = true;
        fileMenu_[1].visible = true;  // N1
    } else {
        inputViewShown_ = true;
        ShowPanels(false);
        Item(MORVEL_ID_MNULISTINPUT).caption = "&Hide input files";
        ShowWindow(inputList_, SW_SHOW);
        ShowWindow(xfiles_.hwnd(), SW_HIDE);
        fileMenu_[1].visible = false;
        for (int id : {MORVEL_ID_MNUFOPEN, MORVEL_ID_MNUFLEVEL, MORVEL_ID_MNUREFRESH}) Item(id).visible = false;
        if (!inputListFilled_) {
            inputListFilled_ = true;
            ini::File list(explorer.exchangePath);
            list.Load();
            for (const std::string& name : InputListNames(list.doc())) {
                SendMessageA(inputList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            }
        }
    }
    FormResize();
}

// ---- Commands on the chosen file and view options --------------------------------------------

void TFileForm::NotifyAfterWriteBack(NotifyCode code) {
    WriteBack();
    NotifyHost(code);
}

void TFileForm::PreviewModeClick() {
    MenuItem& item = Item(MORVEL_ID_PREVIEWMODE);
    item.checked = !item.checked;
    if (item.checked) {
        ShowMessage(hwnd_, BoxKind::Information,
                    "All graphics will be previewed when you\ndouble-click, press <ret> or <spc> on filename.\n"
                    "Open command and button will behave normally.");
    } else {
        ShowMessage(hwnd_, BoxKind::Information, "Preview mode disabled.");
    }
}

void TFileForm::ToggleAndRefresh(int id) {
    MenuItem& item = Item(id);
    item.checked = !item.checked;
    UpdateFiles();
}

void TFileForm::mnuOneColClick() {
    MenuItem& item = Item(MORVEL_ID_MNUONECOL);
    item.checked = !item.checked;
    Item(MORVEL_ID_MNUOPTIMIZEWIN).enabled = !item.checked;
    Item(MORVEL_ID_MNUMAXWIN).enabled = !item.checked;
    xfiles_.Recreate({xfiles_.style().multiSelect, !item.checked});
    Subclass(xfiles_.hwnd());
    if (!item.checked) xfiles_.SetColumns(2);
    UpdateFiles();
}

void TFileForm::mnuOptimizeWinClick(bool toScreen) {
    if (explorer.columnWidth <= 0) return;  // nothing listed yet: no column to fit
    const int frame = 2 * (GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME));
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    RECT list{};
    GetClientRect(xfiles_.hwnd(), &list);
    const int available = toScreen ? screen - frame : static_cast<int>(list.right);
    const int columns = std::max(1, available / explorer.columnWidth);
    if (IsZoomed(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int width = FittedWindowWidth(frame, columns, explorer.columnWidth);
    SetWindowPos(hwnd_, nullptr, 0, 0, width, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    GetWindowRect(hwnd_, &window);
    if (const auto left = LeftToFit(window.left, window.right - window.left, screen)) {
        SetWindowPos(hwnd_, nullptr, *left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TFileForm::SetWindowFont(const std::string& name, int size, bool bold) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const HFONT font =
        CreateFontA(-MulDiv(size, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name.c_str());
    if (!font) return;
    xfiles_.SetFont(font);
    SendMessageA(inputList_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (windowFont_) DeleteObject(windowFont_);
    windowFont_ = font;
}

void TFileForm::mnuFontClick() {
    LOGFONTA current{};
    GetObjectA(windowFont_, sizeof current, &current);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = hwnd_;
    choose.lpLogFont = &current;
    choose.Flags = CF_SCREENFONTS | CF_ANSIONLY | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
    choose.nSizeMin = 6;
    choose.nSizeMax = 14;
    if (!ChooseFontA(&choose)) return;
    const int size = choose.iPointSize > 0 ? choose.iPointSize / 10 : 8;
    SetWindowFont(current.lfFaceName, size, current.lfWeight >= FW_BOLD);
    PumpPending();
    UpdateFiles();
}

void TFileForm::mnuResetWinClick() {
    ShowWindow(hwnd_, SW_RESTORE);
    SetWindowFont(explorer.initialFontName, explorer.initialFontSize, explorer.initialFontBold);
    ShowWindow(hwnd_, SW_HIDE);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const Rect r = Centred({explorer.defaultWidth, explorer.defaultHeight}, sw, sh);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateFiles();
}

void TFileForm::BtnExitClick() {
    modalResult_ = ModalResult::None;
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void TFileForm::BtnHelpClick() {
    ShowHelp(hwnd_, static_cast<HelpContext>(HelpContextFor(explorer.dialogKind)));
}

void TFileForm::BtnMenuClick() {
    // The hint would cover the menu: off while the menu is open.
    SendMessageA(tooltip_, TTM_POP, 0, 0);
    SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    PumpPending();
    RECT button{};
    GetWindowRect(btnMenu_, &button);
    ShowMenu(viewMenu_, {button.right, button.bottom});
    SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

// Alt with a caption's underlined letter: a label moves the focus to the control it names, a
// button is pressed. Captions change with the dialog kind, so they are read as they stand.
bool TFileForm::AcceleratorKey(WPARAM typed) {
    if (typed > 0xFF) return false;
    const char letter = static_cast<char>(typed);
    auto captionOf = [](HWND control) {
        char text[64] = {};
        GetWindowTextA(control, text, sizeof text);
        return std::string(text);
    };
    auto usable = [](HWND control) { return control && IsWindowVisible(control) && IsWindowEnabled(control); };
    const HWND nameTarget = IsWindowVisible(bppType_) ? bppType_ : edit1_;
    const std::pair<HWND, HWND> labels[] = {{lookLabel_, lookBox_}, {nameLabel_, nameTarget}, {typeLabel_, filterCombo_}};
    for (const auto& [label, target] : labels) {
        if (!IsWindowVisible(label) || !usable(target) || !MatchesMnemonic(captionOf(label), letter)) continue;
        SetFocus(target);
        return true;
    }
    for (HWND button : {btnOk_, btnExit_}) {
        if (!usable(button) || !MatchesMnemonic(captionOf(button), letter)) continue;
        SendMessageA(button, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

bool TFileForm::FormKeyDown(WPARAM key) {
    // What is pending is processed first, for the two keys the window acts on; doing it for every
    // key would hand the typed characters queued behind this key to the controls ahead of it.
    if (key != VK_ESCAPE && key != VK_TAB) return false;
    PumpPending();
    if (key == VK_ESCAPE) {
        if (inputViewShown_) {
            mnuListInputClick();
        } else {
            BtnExitClick();
        }
        return true;
    }
    if (key != VK_TAB) return false;
    const HWND cycle[] = {lookBox_, xfiles_.hwnd(), filterCombo_, btnOk_, btnExit_};
    const HWND focus = GetFocus();
    int at = -1;
    for (int i = 0; i < 5; ++i) {
        if (cycle[i] == focus) at = i;
    }
    if (at < 0) return true;
    const bool shiftAlone =
        (GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000);
    SetFocus(cycle[(at + (shiftAlone ? 4 : 1)) % 5]);
    return true;
}

bool TFileForm::XFilesKeyDown(WPARAM key) {
    if (key != VK_RETURN && key != VK_SPACE) return false;
    if (Item(MORVEL_ID_PREVIEWMODE).checked) {
        NotifyAfterWriteBack(NotifyCode::Preview);
    } else {
        BtnOKClick();
    }
    return true;
}

// ---- Dispatch --------------------------------------------------------------------------------

void TFileForm::OnMenuCommand(int id) {
    const MenuItem* item = nullptr;
    for (auto* menu : {&fileMenu_, &viewMenu_}) {
        for (const MenuItem& candidate : *menu) {
            if (candidate.id == id) item = &candidate;
        }
    }
    // A hidden or disabled item does nothing, however the command arrives.
    if (!item || !item->visible || !item->enabled) return;
    switch (id) {
        case MORVEL_ID_MNUFLEVEL:
            BtnUpClick();
            break;
        case MORVEL_ID_MNUFOPEN:
            BtnOKClick();
            break;
        case MORVEL_ID_MNUFINFO:
            NotifyAfterWriteBack(NotifyCode::Info);
            break;
        case MORVEL_ID_MNUFPREVIEW:
            NotifyAfterWriteBack(NotifyCode::Preview);
            break;
        case MORVEL_ID_MNUFDELETE:
            NotifyAfterWriteBack(NotifyCode::Delete);
            break;
        case MORVEL_ID_MNUFRENAME:
            mnuFRenameClick();
            break;
        case MORVEL_ID_MNUREFRESH:
            UpdateFiles();
            break;
        case MORVEL_ID_MARKDIRECTORY:
            MarkDirectoryClick();
            break;
        case MORVEL_ID_UNMARKDIRECTORY:
            UnmarkDirectoryClick();
            break;
        case MORVEL_ID_BATCHCONVERT:
            BatchConvertClick();
            break;
        case MORVEL_ID_INSTANTSLIDESHOW:
            InstantSlideshowClick();
            break;
        case MORVEL_ID_MNULISTINPUT:
            mnuListInputClick();
            break;
        case MORVEL_ID_MNULOWERCASE:
        case MORVEL_ID_MNUDIRLAST:
            ToggleAndRefresh(id);
            break;
        case MORVEL_ID_MNUONECOL:
            mnuOneColClick();
            break;
        case MORVEL_ID_MNUOPTIMIZEWIN:
            mnuOptimizeWinClick(false);
            break;
        case MORVEL_ID_MNUMAXWIN:
            mnuOptimizeWinClick(true);
            break;
        case MORVEL_ID_MNUFONT:
            mnuFontClick();
            break;
        case MORVEL_ID_MNURESETWIN:
            mnuResetWinClick();
            break;
        case MORVEL_ID_PREVIEWMODE:
            PreviewModeClick();
            break;
        default:
            break;
    }
}

void TFileForm::OnCommand(int id, int code, HWND control) {
    if (control == nullptr) {
        OnMenuCommand(id);
        return;
    }
    switch (id) {
        case MORVEL_ID_BTNOK:
            if (code == BN_CLICKED) BtnOKClick();
            break;
        case MORVEL_ID_BTNEXIT:
            if (code == BN_CLICKED) BtnExitClick();
            break;
        case MORVEL_ID_BTNUP:
            if (code == BN_CLICKED) BtnUpClick();
            break;
        case MORVEL_ID_BTNMENU:
            if (code == BN_CLICKED) BtnMenuClick();
            break;
        case MORVEL_ID_BTNJPEG:
            if (code == BN_CLICKED) BtnJPEGClick();
            break;
        case MORVEL_ID_BTNHELP:
            if (code == BN_CLICKED) BtnHelpClick();
            break;
        case MORVEL_ID_XFILES:
            if (code == LBN_SELCHANGE) XFilesClick();
            if (code == LBN_DBLCLK) XFilesDblClick();
            break;
        case MORVEL_ID_EDIT1:
            if (code == EN_CHANGE) Edit1Change();
            break;
        case MORVEL_ID_FILTERCOMBOBOX1:
            if (code == CBN_SELCHANGE) FilterComboBox1Change();
            break;
        case MORVEL_ID_BPPTYPE:
            if (code == CBN_SELCHANGE) BPPtypeChange();
            break;
        case MORVEL_ID_LOOKBOX:
            // A pick of the entry already shown is no change for the box; it still counts.
            if (code == CBN_SELCHANGE || code == CBN_SELENDOK) LookBoxChange();
            break;
        default:
            break;
    }
}

void TFileForm::DrawLookItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const std::string text = ComboText(lookBox_, static_cast<int>(item.itemID));
    const std::size_t index = static_cast<std::size_t>(item.itemData);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int x = item.rcItem.left + 2;
    const bool inDropDown = (item.itemState & ODS_COMBOBOXEDIT) == 0;
    if (index < lookIn_.entries.size()) {
        const LookInEntry& entry = lookIn_.entries[index];
        const std::size_t indent = text.find_first_not_of(' ');
        if (inDropDown && indent != std::string::npos && !entry.drive) x += static_cast<int>(indent) * 8;
        if (entry.drive) {
            DrawDriveGlyph(item.hDC, x, item.rcItem.top + 1, entry.driveType);
        } else if (entry.current && explorer.folderGlyph) {
            HDC memory = CreateCompatibleDC(item.hDC);
            const HGDIOBJ old = SelectObject(memory, explorer.folderGlyph);
            BitBlt(item.hDC, x, item.rcItem.top + 1, kGlyph, kGlyph, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
    RECT textRect = item.rcItem;
    textRect.left = x + kGlyph + 2;
    const std::size_t start = text.find_first_not_of(' ');
    const std::string shown = start == std::string::npos ? text : text.substr(start);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

LRESULT TFileForm::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && dialog_ && !setupDone_) PostMessageA(hwnd_, kMsgSetup, 0, 0);
            break;
        case kMsgSetup:
            if (!setupDone_) {
                setupDone_ = true;
                FormActivate();
            }
            return 0;
        case kMsgExplorerSaveState:
            SaveState();
            return 0;
        case kMsgExplorerRelist:
            UpdateFiles();
            return 0;
        case WM_SYSCHAR:
            if (AcceleratorKey(wParam)) return 0;
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == MORVEL_ID_XFILES) xfiles_.DrawItem(*item);
            if (item->CtlID == MORVEL_ID_LOOKBOX) DrawLookItem(*item);
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item->itemHeight = kGlyph + 2;
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            // The read-only name field shows in the highlight colour.
            if (reinterpret_cast<HWND>(lParam) == edit1_ && nameReadOnly_) {
                SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHTTEXT));
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHT));
                return reinterpret_cast<LRESULT>(highlightBrush_);
            }
            // Labels and panels stand on the window's face colour, as in a dialog.
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_CONTEXTMENU: {
            const HWND source = reinterpret_cast<HWND>(wParam);
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (at.x == -1 && at.y == -1) GetCursorPos(&at);
            if (source == xfiles_.hwnd() || source == edit1_ || source == inputList_) {
                ShowMenu(fileMenu_, at);
                return 0;
            }
            bool onPanel = source == panelTop_ || source == panelButtons_ || source == filterCombo_;
            if (source == hwnd_) {
                POINT client = at;
                ScreenToClient(hwnd_, &client);
                RECT rect{};
                GetClientRect(hwnd_, &rect);
                onPanel = client.y < kTopPanelHeight || client.y >= rect.bottom - kBottomPanelHeight;
            }
            if (onPanel) {
                ShowMenu(viewMenu_, at);
                return 0;
            }
            break;
        }
        case WM_CLOSE:
            FormClose();
            if (dialog_) {
                finished_ = true;
                ShowWindow(hwnd_, SW_HIDE);
            } else {
                DestroyWindow(hwnd_);
            }
            return 0;
        case WM_DESTROY:
            if (explorer.explorerWindow == hwnd_) {
                explorer.explorerWindow = nullptr;
                explorer.explorerOpen = false;
            }
            for (HBITMAP* glyph : {&explorer.fileGlyph, &explorer.folderGlyph}) {
                if (*glyph) DeleteObject(*glyph);
                *glyph = nullptr;
            }
            if (tooltip_) DestroyWindow(tooltip_);
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT TFileForm::HandleControl(HWND control, UINT msg, WPARAM wParam, LPARAM, bool& handled) {
    handled = false;
    if (msg == WM_KEYDOWN) {
        // The window sees every key before its controls.
        if (FormKeyDown(wParam)) {
            handled = true;
            return 0;
        }
        if (control == xfiles_.hwnd() && XFilesKeyDown(wParam)) {
            handled = true;
            return 0;
        }
        if (wParam == VK_RETURN && (control == btnOk_ || control == btnExit_)) {
            SendMessageA(control, BM_CLICK, 0, 0);
            handled = true;
            return 0;
        }
    } else if (msg == WM_CHAR) {
        if (control == edit1_ && wParam == '\r') {
            // Edit1KeyPress: the key is consumed; dialogs confirm.
            handled = true;
            if (explorer.dialogMode) BtnOKClick();
            return 0;
        }
        if (wParam == '\t' || wParam == 0x1B || (wParam == ' ' && control == xfiles_.hwnd())) {
            handled = true;  // already acted on as a key
            return 0;
        }
    } else if (msg == WM_SYSCHAR) {
        if (AcceleratorKey(wParam)) {
            handled = true;
            return 0;
        }
    } else if (msg == WM_CONTEXTMENU && (control == edit1_ || control == filterCombo_)) {
        handled = true;
        return SendMessageA(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), GetMessagePos());
    }
    return 0;
}

// Every window procedure catches at its boundary: a failure is shown and the window goes on.
LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TFileForm* form = nullptr;
    if (msg == WM_NCCREATE) {
        form = static_cast<TFileForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->Attach(hwnd);
    }
    form = reinterpret_cast<TFileForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete form;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    try {
        return form->Handle(msg, wParam, lParam);
    } catch (const std::exception& failure) {
        ShowFailure(hwnd, failure);
    } catch (...) {
        ShowMessage(hwnd, BoxKind::Error, "Unexpected failure in morvel32.dll");
    }
    if (msg == WM_CREATE) return -1;
    return 0;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* form = reinterpret_cast<TFileForm*>(data);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ControlProc, 1);
    try {
        bool handled = false;
        const LRESULT result = form->HandleControl(hwnd, msg, wParam, lParam, handled);
        if (handled) return result;
    } catch (const std::exception& failure) {
        ShowFailure(form->hwnd(), failure);
        return 0;
    } catch (...) {
        ShowMessage(form->hwnd(), BoxKind::Error, "Unexpected failure in morvel32.dll");
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

// ---- The two entries -------------------------------------------------------------------------

void OpenModelessExplorer(HWND hostWindow, bool rememberGeometry) {
    explorer.dialogMode = false;
    explorer.convertMode = false;
    explorer.dialogKind = kModelessKind;
    explorer.rememberGeometry = rememberGeometry;
    if (explorer.explorerOpen && explorer.explorerWindow && IsWindow(explorer.explorerWindow)) {
        const HWND window = explorer.explorerWindow;
        ShowWindow(window, SW_SHOW);
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        return;
    }
    explorer.initialising = true;
    explorer.lookInBusy = true;
    TFileForm* form = TFileForm::Create(nullptr, false);
    if (!form) {
        explorer.initialising = false;
        explorer.lookInBusy = false;
        return;
    }
    explorer.explorerWindow = form->hwnd();
    try {
        form->ApplyFontRule();
        if (!rememberGeometry || !form->GeometryRestore()) {
            if (!rememberGeometry) form->PlaceDefault();
        }
        ShowWindow(form->hwnd(), SW_SHOW);
        SetForegroundWindow(form->hwnd());
        explorer.hostWindow = hostWindow;
        form->EnsureStartFolder();
        form->FinishModelessSetup();
    } catch (...) {
        explorer.initialising = false;
        explorer.lookInBusy = false;
        throw;
    }
}

int RunExplorerDialog(int kindArgument, int restrictedFlag) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    const ReducedKind reduced = ReduceKind(kindArgument);
    explorer.dialogKind = reduced.dialogKind;
    explorer.convertMode = reduced.convertMode;
    explorer.restrictedFormats = restrictedFlag > 0;
    explorer.dialogMode = true;
    explorer.rememberGeometry = false;
    explorer.initialising = true;
    explorer.lookInBusy = true;

    HWND owner = GetActiveWindow();
    TFileForm* form = TFileForm::Create(owner, true);
    if (!form) {
        explorer.initialising = false;
        explorer.lookInBusy = false;
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        return MORVEL_DLG_CANCELLED;
    }
    const HWND window = form->hwnd();
    explorer.explorerWindow = window;
    form->ApplyFontRule();
    form->PlaceDefault();

    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    PostMessageA(window, kMsgSetup, 0, 0);

    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (IsWindow(window) && !form->Finished()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            form->CancelModal();
            break;
        }
        if (got < 0) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    int result = MORVEL_DLG_CANCELLED;
    if (IsWindow(window) && form->Result() == ModalResult::Ok) {
        result = 0;
        if (IsSaveKind(explorer.dialogKind)) {
            try {
                result = form->SaveChoiceWriteBack();
            } catch (...) {
                // The dialog goes away however the write ends; the export shows the failure.
                explorer.explorerOpen = false;
                explorer.initialising = false;
                explorer.lookInBusy = false;
                if (ownerWasEnabled) EnableWindow(owner, TRUE);
                DestroyWindow(window);
                throw;
            }
        }
    }

    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    explorer.explorerOpen = false;
    explorer.initialising = false;
    explorer.lookInBusy = false;
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (IsWindow(window)) DestroyWindow(window);
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    if (quit) PostQuitMessage(quitCode);
    return result;
}

}  // namespace morvel

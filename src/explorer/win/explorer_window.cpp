// TFileForm: the Explorer window. Creation, layout and handlers; the rules it applies live in
// the portable units beside it, the Look-in box in look_in_box.cpp, the entry points with the
// exports in explorer_exports.cpp.
#include "explorer/win/explorer_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "common/ini_store.h"
#include "common/path_parts.h"
#include "common/win/message_box.h"
#include "common/win/modal.h"
#include "common/win/text.h"
#include "common/win/win_file_system.h"
#include "explorer/exchange_file.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_messages.h"
#include "explorer/explorer_settings.h"
#include "explorer/file_types.h"
#include "explorer/list_file.h"
#include "explorer/listing.h"
#include "explorer/name_checks.h"
#include "explorer/save_formats.h"
#include "explorer/start_folder.h"
#include "explorer/win/list_glyphs.h"
#include "explorer/write_back.h"
#include "hostlink/win/library.h"
#include "hostlink/win/settings_file.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;
using win::WindowText;

namespace {

const win::WindowClass kFormClass{.name = "TFileForm", .icon = IDI_APPLICATION};
constexpr UINT kMsgSetup = WM_APP + 0x110;  // the dialog set-up, run once after activation

constexpr char kFontFace[] = "MS Sans Serif";

// Layout in design pixels at 120 dpi, scaled once where it is applied (Scale). The window's
// laid-out place and size; the panels; the controls' places within their panel.
constexpr int kFormLeft = 333, kFormTop = 231, kFormWidth = 413, kFormHeight = 310;
constexpr int kTopPanelHeight = 43;
constexpr int kBottomPanelHeight = 80;
constexpr int kListMargin = 5;  // left and right of the lists
constexpr int kListBelow = 3;   // below them
constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 75;
constexpr int kLabelHeight = 20;
constexpr int kFieldLeft = kLabelLeft + kLabelWidth + 2;
constexpr int kSpeedButton = 30;
constexpr int kButtonWidth = 94;
constexpr int kButtonHeight = 30;
constexpr int kEditHeight = 28;
constexpr int kDropHeight = 250;      // the Look-in and colour-depth boxes with their lists
constexpr int kTypeDropHeight = 375;  // the file-type box with its list
// Tops within the panels: the top panel's row; the bottom panel's first and second rows.
constexpr int kTopRow = 6, kTopLabel = 11;
constexpr int kNameLabel = 11, kNameField = 8, kOkTop = 6;
constexpr int kTypeLabel = 48, kTypeField = 43, kExitTop = 43;

// The controls of the table; FormResize places them. Every control is a direct child of the
// form, so that GetDlgItem finds it by its ID; the panels are frames behind their controls.
// The Look-in box and the file list are controls of their own (look_in_box, file_list_box).
constexpr win::ChildArgs kControls[] = {
    {.id = MORVEL_ID_PANELTOP, .style = WS_CLIPSIBLINGS},
    {.id = MORVEL_ID_PANELLIST, .style = WS_CLIPSIBLINGS},
    {.id = MORVEL_ID_PANELBUTTONS, .style = WS_CLIPSIBLINGS},
    {.text = "Look &in:", .id = MORVEL_ID_LOOKLABEL, .style = SS_LEFT},
    {.className = "BUTTON", .text = "Up", .id = MORVEL_ID_BTNUP, .style = BS_PUSHBUTTON},
    {.className = "BUTTON", .text = "...", .id = MORVEL_ID_BTNMENU, .style = BS_PUSHBUTTON},
    {.className = "BUTTON", .text = "?", .id = MORVEL_ID_BTNHELP, .style = BS_PUSHBUTTON},
    {.className = "BUTTON", .text = "J", .id = MORVEL_ID_BTNJPEG, .style = BS_PUSHBUTTON, .visible = false},
    {.className = "LISTBOX",
     .id = MORVEL_ID_INPUTLIST,
     .style = WS_TABSTOP | WS_HSCROLL | LBS_NOTIFY | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT,
     .exStyle = WS_EX_CLIENTEDGE,
     .visible = false},
    {.text = "File &name:", .id = MORVEL_ID_NAMELABEL, .style = SS_LEFT},
    {.className = "EDIT",
     .id = MORVEL_ID_EDIT1,
     .style = WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
     .exStyle = WS_EX_CLIENTEDGE},
    {.text = "File &type:", .id = MORVEL_ID_TYPELABEL, .style = SS_LEFT},
    {.className = "COMBOBOX", .id = MORVEL_ID_FILTERCOMBOBOX1, .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {.className = "COMBOBOX",
     .id = MORVEL_ID_BPPTYPE,
     .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
     .visible = false},
    {.className = "BUTTON", .text = "&Open", .id = MORVEL_ID_BTNOK, .style = WS_TABSTOP | BS_PUSHBUTTON},
    {.className = "BUTTON", .text = "&Close", .id = MORVEL_ID_BTNEXIT, .style = WS_TABSTOP | BS_PUSHBUTTON},
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

int ComboSelection(HWND combo) {
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

}  // namespace

// ---- Building --------------------------------------------------------------------------------

TFileForm::TFileForm(const DialogInputs& inputs)
    : dialog_(true),
      dialogKind_(inputs.kind.dialogKind),
      convertMode_(inputs.kind.convertMode),
      restrictedFormats_(inputs.restrictedFormats) {}

TFileForm::TFileForm(HWND hostWindow, bool rememberGeometry)
    : dialog_(false), rememberGeometry_(rememberGeometry), hostWindow_(hostWindow) {}

bool TFileForm::CreateForm(HWND owner) {
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&common) != FALSE;
    }();
    (void)commonControls;
    const DWORD style =
        dialog_ ? (WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_CLIPCHILDREN) : (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    return CreateScaled(kFormClass, {.title = "Morvel Explorer",
                                     .style = style,
                                     .exStyle = dialog_ ? DWORD{WS_EX_DLGMODALFRAME} : DWORD{0},
                                     .x = kFormLeft,
                                     .y = kFormTop,
                                     .width = kFormWidth,
                                     .height = kFormHeight,
                                     .parent = owner});
}

TFileForm* TFileForm::OpenModeless(HWND hostWindow, bool rememberGeometry) {
    std::unique_ptr<TFileForm> form(new TFileForm(hostWindow, rememberGeometry));
    if (!form->CreateForm(nullptr)) return nullptr;
    form->ownedByWindow_ = true;
    library.explorer.modeless = form.get();
    return form.release();
}

bool TFileForm::OpenDialog(HWND owner) {
    if (!CreateForm(owner)) return false;
    ApplyFontRule();
    PlaceDefault();
    return true;
}

int TFileForm::RunDialog() {
    PostSetup();
    const int result = Run();
    if (saveFailure_) std::rethrow_exception(saveFailure_);
    return result;
}

void TFileForm::OnDetached() {
    if (library.explorer.modeless == this) library.explorer.modeless = nullptr;
    if (ownedByWindow_) delete this;
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

void TFileForm::CreateControls() {
    controlFont_.Reset(win::CreateUiFont({.face = kFontFace, .points = 8}));
    Dialog::CreateControls(kControls, controlFont_.get());
    lookBox_.Create(hwnd(), MORVEL_ID_LOOKBOX, controlFont_.get());
    xfiles_.Create(hwnd(), MORVEL_ID_XFILES, {true, true});
    EnableWindow(xfiles_.hwnd(), FALSE);  // until the window is set up
    for (auto [control, id] : {std::pair{&panelTop_, MORVEL_ID_PANELTOP},
                               {&panelList_, MORVEL_ID_PANELLIST},
                               {&panelButtons_, MORVEL_ID_PANELBUTTONS},
                               {&lookLabel_, MORVEL_ID_LOOKLABEL},
                               {&btnUp_, MORVEL_ID_BTNUP},
                               {&btnMenu_, MORVEL_ID_BTNMENU},
                               {&btnHelp_, MORVEL_ID_BTNHELP},
                               {&btnJpeg_, MORVEL_ID_BTNJPEG},
                               {&inputList_, MORVEL_ID_INPUTLIST},
                               {&nameLabel_, MORVEL_ID_NAMELABEL},
                               {&edit1_, MORVEL_ID_EDIT1},
                               {&typeLabel_, MORVEL_ID_TYPELABEL},
                               {&filterCombo_, MORVEL_ID_FILTERCOMBOBOX1},
                               {&bppType_, MORVEL_ID_BPPTYPE},
                               {&btnOk_, MORVEL_ID_BTNOK},
                               {&btnExit_, MORVEL_ID_BTNEXIT}}) {
        *control = Item(id);
    }
    SendMessageA(edit1_, EM_SETLIMITTEXT, kLongestName, 0);
    for (const FileType& type : kFileTypes) {
        SendMessageA(filterCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(type.label).c_str()));
    }
    for (const DepthRow& row : kDepthTable) {
        SendMessageA(bppType_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(row.boxLabel).c_str()));
    }
    dirLabel_ = win::CreateChild(hwnd(), {.id = MORVEL_ID_DIRLABEL, .visible = false});
    // The two controls of their own stand where the form's order has them.
    SetWindowPos(lookBox_.hwnd(), lookLabel_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(xfiles_.hwnd(), btnJpeg_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, win::ModuleInstance(), nullptr);
    AddHint(btnUp_, "Up One Level");
    AddHint(btnMenu_, "Goodies");
    AddHint(btnHelp_, "Help");
    AddHint(btnJpeg_, "JPEG Compression");
    AddHint(inputList_, "Right-click or press Esc to go back");

    for (HWND panel : {panelTop_, panelList_, panelButtons_}) {
        SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND control : {lookBox_.hwnd(), xfiles_.hwnd(), inputList_, edit1_, filterCombo_, bppType_, btnOk_, btnExit_,
                         btnUp_, btnMenu_, btnHelp_, btnJpeg_}) {
        Hook(control);
    }
    RememberFocus(xfiles_.hwnd());
}

void TFileForm::RecreateFileList(bool multiSelect, bool multiColumn) {
    const bool hadFocus = GetFocus() == xfiles_.hwnd();
    xfiles_.Recreate({multiSelect, multiColumn});
    Hook(xfiles_.hwnd());
    RememberFocus(xfiles_.hwnd());
    if (hadFocus) SetFocus(xfiles_.hwnd());
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
    SetForegroundWindow(hwnd());
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen != 0) OnMenuCommand(chosen);
}

// ---- Creation, font, placement, set-up, layout, close ------------------------------------------

void TFileForm::FormCreate() {
    CreateControls();
    const int glyph = xfiles_.Row().glyph;
    fileGlyph_ = MakeFileGlyph(glyph);
    folderGlyph_ = MakeFolderGlyph(glyph);
    xfiles_.SetGlyphs(fileGlyph_.get(), folderGlyph_.get());
    lookBox_.SetFolderGlyph(folderGlyph_.get());

    drives_ = RealFileSystem().Drives();
    folder_ = std::string(kFallbackFolder);
    SetWindowTextA(dirLabel_, folder_.c_str());

    const CreationSettings read = ReadCreationSettings(Settings(), dialog_, dialogKind_);
    if (read.depthSlot) library.explorer.lastFormatIndex[*read.depthSlot] = read.formatIndex;
    startFolder_ = ResolveStartFolder(read.storedFolder, RealFileSystem());
    if (read.exchangeMissing) ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kCorruptedSettings));
    // This window's own exchange path, kept until it closes, whatever other windows read.
    exchangePath_ = read.exchangePath;

    if (!dialog_) {
        SendMessageA(filterCombo_, CB_SETCURSEL, kAllValidatedPosition, 0);
        FilterComboBox1Change();
    }
}

void TFileForm::ApplyFontRule() {
    const int size = GetSystemMetrics(SM_CYMENU) > 18 ? 10 : 8;
    SetListFont({.face = kFontFace, .points = size});
    initialFontName_ = kFontFace;
    initialFontSize_ = size;
    initialFontBold_ = false;
}

void TFileForm::RecordDefaultSize() {
    defaultSize_ = DefaultSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void TFileForm::PlaceDefault() {
    RecordDefaultSize();
    const Rect r = Centred(defaultSize_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFileForm::GeometryRestore() {
    const auto rect =
        RestoredGeometry(ReadStoredGeometry(Settings()), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!rect) return false;
    ShowWindow(hwnd(), SW_HIDE);
    SetWindowPos(hwnd(), nullptr, rect->left, rect->top, rect->width, rect->height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (ProcessPending()) ShowWindow(hwnd(), SW_SHOW);
    return true;
}

bool TFileForm::ProcessPending() {
    win::PumpPending();
    return hwnd() != nullptr;
}

void TFileForm::EnsureStartFolder() {
    if (!path::EqualsNoCase(folder_, startFolder_)) SetFolder(startFolder_);
}

void TFileForm::FinishModelessSetup() {
    EnableWindow(xfiles_.hwnd(), TRUE);
    explorerOpen_ = true;
    initialising_ = false;
    lookInBusy_ = false;
    UpdateFiles();
    UpdateHistory();
    CalcStringWidth();
}

void TFileForm::ApplyDialogSetup(const DialogSetup& setup) {
    SetWindowTextA(hwnd(), setup.caption.c_str());
    if (setup.multiSelect != xfiles_.style().multiSelect)
        RecreateFileList(setup.multiSelect, xfiles_.style().multiColumn);
    nameReadOnly_ = setup.nameField == NameFieldMode::ReadOnly;
    SendMessageA(edit1_, EM_SETREADONLY, nameReadOnly_ ? TRUE : FALSE, 0);
    InvalidateRect(edit1_, nullptr, TRUE);
    if (setup.nameField == NameFieldMode::HiddenForDepthBox) {
        bppShown_ = true;
        ShowWindow(edit1_, SW_HIDE);
        ShowWindow(bppType_, SW_SHOW);
        // The box shows the depth the dialog starts with (24 bits for a kind without one).
        SendMessageA(bppType_, CB_SETCURSEL, DepthSlot(dialogKind_).value_or(0), 0);
    }
    if (setup.pixelsLabel) SetWindowTextA(nameLabel_, "&Pixels:");
    if (setup.saveInLabel) SetWindowTextA(lookLabel_, "Save &in");
    menus_.ApplyDialogSetup(setup);
    if (setup.formatList) SetFileFormats();
    if (setup.fileTypePosition >= 0) SendMessageA(filterCombo_, CB_SETCURSEL, setup.fileTypePosition, 0);
    if (setup.fileTypeFixed) EnableWindow(filterCombo_, FALSE);
}

void TFileForm::FormActivate() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (!dialog_) return;
    SetWindowTextA(btnExit_, "&Cancel");
    ApplyDialogSetup(SetupForKind(dialogKind_, convertMode_));
    SetFolder(startFolder_);
    maskList_ = std::string(kUnmatchedMaskList);
    FilterComboBox1Change();
    explorerOpen_ = true;
    initialising_ = false;
    lookInBusy_ = false;
    UpdateHistory();
    const int selected = SelectedType();
    if (IsDepthKind(dialogKind_)) currentFormatCode_ = SelectedFormatCode().value_or(currentFormatCode_);
    if (!ProcessPending()) return;
    UpdateFiles();
    if (!ProcessPending()) return;
    if (OffersJpegButton(dialogKind_)) ShowJpegButton(selected >= 0 && JpegButtonShown(currentFormatCode_));
    // The list takes input once the whole set-up is done (it is listed by then), so that nothing
    // the user does in the set-up's message pauses meets a half-built window; only then can it
    // take the focus.
    EnableWindow(xfiles_.hwnd(), TRUE);
    ShowFileList();
    RememberFocus(xfiles_.hwnd());
    if (GetActiveWindow() == hwnd()) SetFocus(xfiles_.hwnd());
}

void TFileForm::FormResize() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right, height = client.bottom;
    const int topPanel = Scale(kTopPanelHeight);
    const int top = inputViewShown_ ? 0 : topPanel;
    const int bottomPanel = height - Scale(kBottomPanelHeight);
    const int listBottom = inputViewShown_ ? height : bottomPanel;
    MoveWindow(panelTop_, 0, 0, width, topPanel, TRUE);
    MoveWindow(panelButtons_, 0, bottomPanel, width, Scale(kBottomPanelHeight), TRUE);
    MoveWindow(panelList_, 0, top, width, std::max(0, listBottom - top), TRUE);
    const int listWidth = std::max(0, width - 2 * Scale(kListMargin));
    const int listHeight = std::max(0, listBottom - top - Scale(kListBelow));
    MoveWindow(xfiles_.hwnd(), Scale(kListMargin), top, listWidth, listHeight, TRUE);
    MoveWindow(inputList_, Scale(kListMargin), top, listWidth, listHeight, TRUE);
    SendMessageA(inputList_, LB_SETCOLUMNWIDTH, std::max(1, listWidth / 4), 0);

    const int labelLeft = Scale(kLabelLeft), labelWidth = Scale(kLabelWidth), labelHeight = Scale(kLabelHeight);
    const int fieldLeft = Scale(kFieldLeft), speed = Scale(kSpeedButton);
    const int buttonWidth = Scale(kButtonWidth), buttonHeight = Scale(kButtonHeight);
    const LayoutResult r = LayOut({width, labelWidth, fieldLeft, speed, buttonWidth, Scaling()});
    const int field = std::max(0, r.fieldWidth);
    MoveWindow(lookLabel_, labelLeft, Scale(kTopLabel), labelWidth, labelHeight, TRUE);
    MoveWindow(lookBox_.hwnd(), fieldLeft, Scale(kTopRow), field, Scale(kDropHeight), TRUE);
    for (auto [button, left] : {std::pair{btnUp_, r.btnUpLeft},
                                {btnMenu_, r.btnMenuLeft},
                                {btnHelp_, r.btnHelpLeft},
                                {btnJpeg_, r.btnJpegLeft}}) {
        MoveWindow(button, left, Scale(kTopRow), speed, speed, TRUE);
    }

    MoveWindow(nameLabel_, labelLeft, bottomPanel + Scale(kNameLabel), labelWidth, labelHeight, TRUE);
    MoveWindow(edit1_, fieldLeft, bottomPanel + Scale(kNameField), field, Scale(kEditHeight), TRUE);
    MoveWindow(bppType_, fieldLeft, bottomPanel + Scale(kNameField), field, Scale(kDropHeight), TRUE);
    MoveWindow(typeLabel_, labelLeft, bottomPanel + Scale(kTypeLabel), labelWidth, labelHeight, TRUE);
    MoveWindow(filterCombo_, fieldLeft, bottomPanel + Scale(kTypeField), field, Scale(kTypeDropHeight), TRUE);
    MoveWindow(btnOk_, r.btnOkLeft, bottomPanel + Scale(kOkTop), buttonWidth, buttonHeight, TRUE);
    MoveWindow(btnExit_, r.btnOkLeft, bottomPanel + Scale(kExitTop), buttonWidth, buttonHeight, TRUE);
    if (!initialising_) CalcStringWidth();
}

void TFileForm::SaveState() {
    // A minimised or maximised window records the place it returns to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT rect{};
    if ((IsIconic(hwnd()) || IsZoomed(hwnd())) && GetWindowPlacement(hwnd(), &placement)) {
        rect = placement.rcNormalPosition;
    } else {
        GetWindowRect(hwnd(), &rect);
    }
    const Rect window{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    const SettingsFile settings = Settings();
    for (const IniWrite& w : ClosingWrites(dialog_, dialog_ ? dialogKind_ : kModelessKind, window,
                                           RecordedFolder(folder_, RealFileSystem()))) {
        settings.WriteString(w.key, w.value);
    }
}

void TFileForm::FormClose() {
    explorerOpen_ = false;
    try {
        SaveState();
    } catch (const std::exception& failure) {
        // The window closes all the same; the user learns that the folder was not recorded.
        ShowFailure(hwnd(), failure);
    }
}

void TFileForm::PostSetup() {
    PostMessageA(hwnd(), kMsgSetup, 0, 0);
}

void TFileForm::CancelModal() {
    modalResult_ = ModalResult::Cancel;
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void TFileForm::EndDialog() {
    if (Ended()) return;  // closed once already: the choice is written once
    int result = MORVEL_DLG_CANCELLED;
    if (modalResult_ == ModalResult::Ok) {
        result = 0;
        if (IsSaveKind(dialogKind_)) {
            try {
                result = SaveChoiceWriteBack();
            } catch (...) {
                // The dialog goes away however the write ends; RunDialog passes the failure on.
                saveFailure_ = std::current_exception();
            }
        }
    }
    End(result);
}

// ---- File type, listing, columns, Look-in -------------------------------------------------------

int TFileForm::SelectedType() const {
    return ComboSelection(filterCombo_);
}

std::optional<std::string> TFileForm::SelectedTypeLabel() const {
    const int selected = SelectedType();
    if (selected < 0) return std::nullopt;
    return win::ComboItemText(filterCombo_, selected);
}

void TFileForm::FilterComboBox1Change() {
    const std::string before = maskList_;
    if (dialog_ && IsDepthKind(dialogKind_)) {
        maskList_ = SaveMaskList(SelectedTypeLabel().value_or(""));
        if (maskList_ != before) {
            // While the window is set up, the set-up records the format itself.
            if (!explorerOpen_) return;
            UpdateFiles();
        }
        FormatChosen();
        return;
    }
    maskList_ = std::string(MaskListForPosition(SelectedType()));
    if (maskList_ != before && explorerOpen_) UpdateFiles();
}

void TFileForm::UpdateFiles() {
    if (!explorerOpen_ || initialising_) return;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    ShowWindow(xfiles_.hwnd(), SW_HIDE);
    EnableWindow(btnUp_, FALSE);
    SetWindowTextA(edit1_, "");
    xfiles_.Clear();
    const ListingOptions options{menus_.Checked(MORVEL_ID_MNULOWERCASE), menus_.Checked(MORVEL_ID_MNUDIRLAST)};
    Listing listing = ListFolder(RealFileSystem(), folder_, maskList_, options);
    EnableWindow(btnUp_, listing.hasParent);
    menus_.Listed(listing.hasParent, !listing.entries.empty());
    xfiles_.Fill(std::move(listing.entries));
    CalcStringWidth();
    // A list that a dialog's set-up still keeps disabled is shown when the set-up enables it:
    // shown now, it would be drawn once disabled and once again enabled.
    if (IsWindowEnabled(xfiles_.hwnd())) ShowFileList();
    InitFocus();
    SetCursor(previous);
}

void TFileForm::ShowFileList() {
    if (!inputViewShown_) ShowWindow(xfiles_.hwnd(), SW_SHOW);
}

void TFileForm::InitFocus() {
    if (xfiles_.Count() == 0) return;
    if (!IsFolderEntry(xfiles_.Text(0))) win::SetText(edit1_, std::string(NameFieldText(xfiles_.Entries().front())));
    xfiles_.SelectFirst();
    // Focus only inside the active window: a relist asked for by the host must not take the
    // keyboard from the host's own windows.
    if (GetActiveWindow() == hwnd()) SetFocus(xfiles_.hwnd());
}

void TFileForm::CalcStringWidth() {
    if (menus_.Checked(MORVEL_ID_MNUONECOL)) return;
    columnWidth_ = ColumnWidth(xfiles_.WidestText(), xfiles_.TextWidth("WW"), Scaling());
    RECT client{};
    GetClientRect(xfiles_.hwnd(), &client);
    xfiles_.SetColumns(ColumnCount(client.right, columnWidth_));
}

void TFileForm::UpdateHistory() {
    lookBox_.Show(drives_, folder_);
}

void TFileForm::LookBoxChange() {
    if (lookInBusy_) return;
    FlagScope busy(lookInBusy_);
    if (lookBox_.Selected() < 0) return;
    const LookInChoice choice = lookBox_.Choice();
    if (!choice.drive) {
        SetFolder(choice.path);
    } else if (RealFileSystem().DriveReady(choice.letter)) {
        SetFolder(std::string{choice.letter, ':', '\\'});
    } else {
        SetFolder(std::string(kFallbackFolder));
        UpdateHistory();
        ShowMessage(hwnd(), BoxKind::Error, msg::DriveNotReady(choice.letter));
    }
}

void TFileForm::BtnUpClick() {
    const int selected = lookBox_.Selected();
    if (selected <= 0) return;
    lookBox_.Select(selected - 1);
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
    if (explorerOpen_) {
        UpdateFiles();
        UpdateHistory();
    }
}

// ---- Click, name field, confirm ----------------------------------------------------------------

std::string TFileForm::NameField() const {
    return WindowText(edit1_);
}

void TFileForm::SetNameField(const std::string& text) {
    SetWindowTextA(edit1_, text.c_str());
    UpdateWindow(edit1_);
}

bool TFileForm::Ask(BoxKind kind, const std::string& text) {
    return AskYesNo(hwnd(), kind, text);
}

void TFileForm::Tell(BoxKind kind, const std::string& text) {
    ShowMessage(hwnd(), kind, text);
}

void TFileForm::XFilesClick() {
    const int current = xfiles_.Current();
    if (current < 0) return;
    const ListEntry& entry = xfiles_.Entries().at(static_cast<std::size_t>(current));
    win::SetText(edit1_, IsFolderEntry(entry.text) ? std::string() : std::string(NameFieldText(entry)));
}

const ListEntry* TFileForm::UnreachableEntryNamed(const std::string& nameField) const {
    const int current = xfiles_.Current();
    if (current < 0) return nullptr;
    const ListEntry& entry = xfiles_.Entries().at(static_cast<std::size_t>(current));
    if (entry.folder || !ReachingText(entry).empty() || entry.text != nameField) return nullptr;
    return &entry;
}

bool TFileForm::NameFieldUnreachable() const {
    return UnreachableEntryNamed(NameField()) != nullptr;
}

void TFileForm::OpenFolderEntry(int index) {
    const std::string_view reaching = ReachingText(xfiles_.Entries().at(static_cast<std::size_t>(index)));
    if (reaching.empty()) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return;
    }
    std::string target = path::WithTrailingBackslash(folder_) + std::string(reaching);
    if (target.size() > 3 && target.back() == '\\') target.pop_back();
    // The folder list shows the names as the disk holds them, not the list's lower case.
    SetFolder(LongFormOf(target, RealFileSystem()).value_or(target));
}

void TFileForm::XFilesDblClick() {
    const int current = xfiles_.Current();
    if (current < 0) return;
    if (IsFolderEntry(xfiles_.Text(current))) {
        OpenFolderEntry(current);
    } else if (menus_.Checked(MORVEL_ID_PREVIEWMODE)) {
        NotifyAfterWriteBack(NotifyCode::Preview);
    } else {
        BtnOKClick();
    }
}

void TFileForm::Edit1Change() {
    const bool hasText = GetWindowTextLengthA(edit1_) > 0;
    menus_.NameFieldChanged(dialogKind_, hasText);
    if (!IsOpenKind(dialogKind_)) SetWindowTextA(btnOk_, hasText ? "&Save" : "&Open");
}

bool TFileForm::WriteBack() {
    if (NameFieldUnreachable()) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return false;
    }
    const std::string full = FullName(NameField(), folder_);
    const WriteBackMode mode{dialog_, dialog_ && IsSaveKind(dialogKind_), convertMode_};
    const SettingsFile settings = Settings();
    const bool written = explorer_rules::WriteBack(
        full, mode, RealFileSystem(), [&](std::string_view k, std::string_view v) { settings.WriteString(k, v); });
    if (!written) ShowMessage(hwnd(), BoxKind::Error, msg::CannotSave(full));
    return written;
}

void TFileForm::BtnOKClick() {
    const ConfirmMode mode{dialog_, dialogKind_, convertMode_};
    if (Confirm(*this, RealFileSystem(), mode) == ConfirmOutcome::CloseWithOk) {
        modalResult_ = ModalResult::Ok;
        SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    }
}

// ---- Dispatch --------------------------------------------------------------------------------

void TFileForm::OnMenuCommand(int id) {
    // A hidden or disabled item does nothing, however the command arrives.
    if (!menus_.Runs(id)) return;
    const struct {
        int id;
        void (TFileForm::*handler)();
    } handlers[] = {
        {MORVEL_ID_MNUFLEVEL, &TFileForm::BtnUpClick},
        {MORVEL_ID_MNUFOPEN, &TFileForm::BtnOKClick},
        {MORVEL_ID_MNUFINFO, &TFileForm::mnuFInfoClick},
        {MORVEL_ID_MNUFPREVIEW, &TFileForm::mnuFPreviewClick},
        {MORVEL_ID_MNUFRENAME, &TFileForm::mnuFRenameClick},
        {MORVEL_ID_MNUFDELETE, &TFileForm::mnuFDeleteClick},
        {MORVEL_ID_MNUREFRESH, &TFileForm::UpdateFiles},
        {MORVEL_ID_MARKDIRECTORY, &TFileForm::MarkDirectoryClick},
        {MORVEL_ID_UNMARKDIRECTORY, &TFileForm::UnmarkDirectoryClick},
        {MORVEL_ID_BATCHCONVERT, &TFileForm::BatchConvertClick},
        {MORVEL_ID_INSTANTSLIDESHOW, &TFileForm::InstantSlideshowClick},
        {MORVEL_ID_MNULISTINPUT, &TFileForm::mnuListInputClick},
        {MORVEL_ID_MNULOWERCASE, &TFileForm::mnuLowercaseClick},
        {MORVEL_ID_MNUDIRLAST, &TFileForm::mnuDirLastClick},
        {MORVEL_ID_MNUONECOL, &TFileForm::mnuOneColClick},
        {MORVEL_ID_MNUOPTIMIZEWIN, &TFileForm::mnuOptimizeWinClick},
        {MORVEL_ID_MNUMAXWIN, &TFileForm::mnuMaxWinClick},
        {MORVEL_ID_MNUFONT, &TFileForm::mnuFontClick},
        {MORVEL_ID_MNURESETWIN, &TFileForm::mnuResetWinClick},
        {MORVEL_ID_PREVIEWMODE, &TFileForm::PreviewModeClick},
    };
    for (const auto& entry : handlers) {
        if (entry.id == id) return (this->*entry.handler)();
    }
}

void TFileForm::OnCommand(int id, int code, HWND control) {
    if (control == nullptr) return OnMenuCommand(id);
    const bool clicked = code == BN_CLICKED;
    switch (id) {
        case MORVEL_ID_BTNOK:
            return clicked ? BtnOKClick() : void();
        case MORVEL_ID_BTNEXIT:
            return clicked ? BtnExitClick() : void();
        case MORVEL_ID_BTNUP:
            return clicked ? BtnUpClick() : void();
        case MORVEL_ID_BTNMENU:
            return clicked ? BtnMenuClick() : void();
        case MORVEL_ID_BTNHELP:
            return clicked ? BtnHelpClick() : void();
        case MORVEL_ID_BTNJPEG:
            return clicked ? BtnJPEGClick() : void();
        case MORVEL_ID_XFILES:
            if (code == LBN_SELCHANGE) XFilesClick();
            if (code == LBN_DBLCLK) XFilesDblClick();
            return;
        case MORVEL_ID_EDIT1:
            return code == EN_CHANGE ? Edit1Change() : void();
        case MORVEL_ID_FILTERCOMBOBOX1:
            return code == CBN_SELCHANGE ? FilterComboBox1Change() : void();
        case MORVEL_ID_BPPTYPE:
            return code == CBN_SELCHANGE ? BPPtypeChange() : void();
        // A pick of the entry already shown is no change for the box; it still counts.
        case MORVEL_ID_LOOKBOX:
            return code == CBN_SELCHANGE || code == CBN_SELENDOK ? LookBoxChange() : void();
        default:
            return;
    }
}

bool TFileForm::OnContextMenu(HWND source, POINT at) {
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    if (source == xfiles_.hwnd() || source == edit1_ || source == inputList_) {
        ShowMenu(menus_.FileMenu(), at);
        return true;
    }
    bool onPanel = source == panelTop_ || source == panelButtons_ || source == filterCombo_;
    if (source == hwnd()) {
        POINT client = at;
        ScreenToClient(hwnd(), &client);
        RECT rect{};
        GetClientRect(hwnd(), &rect);
        onPanel = client.y < Scale(kTopPanelHeight) || client.y >= rect.bottom - Scale(kBottomPanelHeight);
    }
    if (onPanel) ShowMenu(menus_.ViewMenu(), at);
    return onPanel;
}

LRESULT TFileForm::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && dialog_ && !setupDone_) PostSetup();
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
            if (item->CtlID == MORVEL_ID_LOOKBOX) lookBox_.DrawItem(*item);
            return TRUE;
        }
        case WM_MEASUREITEM:
            lookBox_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            // The read-only name field shows in the highlight colour; labels and panels stand on
            // the window's face colour, as in a dialog.
            const bool highlight = reinterpret_cast<HWND>(lParam) == edit1_ && nameReadOnly_;
            SetTextColor(dc, GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(highlight ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(highlight ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        }
        case WM_CONTEXTMENU:
            if (OnContextMenu(reinterpret_cast<HWND>(wParam),
                              {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))})) {
                return 0;
            }
            break;
        case WM_CLOSE:
            FormClose();
            // A dialog stays until its run has given the activation back; the modeless window
            // goes at once.
            if (dialog_) {
                EndDialog();
            } else {
                DestroyWindow(hwnd());
            }
            return 0;
        case WM_DESTROY:
            // A modeless window destroyed from outside never saw WM_CLOSE.
            explorerOpen_ = false;
            if (tooltip_) DestroyWindow(tooltip_);
            break;
        default:
            break;
    }
    return DefaultMessage(msg, wParam, lParam);
}

bool TFileForm::ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (control == btnUp_ || control == btnMenu_ || control == btnHelp_)
        return SpeedButtonMessage(control, msg, wParam, lParam, result);
    switch (msg) {
        case WM_KEYDOWN:
            // The window sees every key before its controls.
            if (FormKeyDown(wParam)) return true;
            if (control == xfiles_.hwnd() && XFilesKeyDown(wParam)) return true;
            if (wParam == VK_RETURN && (control == btnOk_ || control == btnExit_)) {
                SendMessageA(control, BM_CLICK, 0, 0);
                return true;
            }
            return false;
        case WM_CHAR:
            if (control == edit1_ && wParam == '\r') {
                // Edit1KeyPress: the key is consumed; dialogs confirm.
                if (dialog_) BtnOKClick();
                return true;
            }
            // Already acted on as a key.
            return wParam == '\t' || wParam == 0x1B || (wParam == ' ' && control == xfiles_.hwnd());
        case WM_SYSCHAR:
            return AcceleratorKey(wParam);
        case WM_CONTEXTMENU:
            if (control != edit1_ && control != filterCombo_) return false;
            result = SendMessageA(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), GetMessagePos());
            return true;
        default:
            return false;
    }
}

}  // namespace morvel

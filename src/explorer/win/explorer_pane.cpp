// The Explorer's pane: building, layout, listing, the Look-in box, the choice and the dispatch.
// Its commands beyond these are in pane_commands.cpp, its keys in pane_keys.cpp.
#include "explorer/win/explorer_pane.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/path_parts.h"
#include "common/win/dialog.h"
#include "common/win/message_box.h"
#include "common/win/modal.h"
#include "common/win/text.h"
#include "common/win/win_file_system.h"
#include "explorer/dialog_setup.h"
#include "explorer/explorer_messages.h"
#include "explorer/explorer_settings.h"
#include "explorer/file_types.h"
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

const win::WindowClass kExplorerClass{.name = "TFileForm", .icon = IDI_APPLICATION};

namespace {

constexpr char kFontFace[] = "MS Sans Serif";

// The window's laid-out place and size.
constexpr int kWindowLeft = 333, kWindowTop = 231, kWindowWidth = 413, kWindowHeight = 310;

// Layout in design pixels at 120 dpi, scaled once where it is applied (Scale). The panels; the
// controls' places within their panel.
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

// The controls of the table; LayOut places them. Every control is a direct child of the window,
// so that GetDlgItem finds it by its ID; the panels are frames behind their controls. The
// Look-in box and the file list are controls of their own (look_in_box, file_list_box).
struct ControlRow {
    HWND* handle;  // where a plain control's handle goes
    win::ChildArgs args;
    win::Control* typed = nullptr;  // or the typed control that takes it
};

}  // namespace

// ---- Building --------------------------------------------------------------------------------

ExplorerPane::ExplorerPane(win::Window& frame, Owner& owner, const Mode& mode, HWND hostWindow)
    : frame_(frame), owner_(owner), mode_(mode), hostWindow_(hostWindow), scale_(win::ScreenScale()) {}

win::CreateArgs ExplorerPane::CreationArgs(DWORD style, DWORD exStyle, HWND owner) const {
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&common) != FALSE;
    }();
    (void)commonControls;
    return {.title = "Morvel Explorer",
            .style = style,
            .exStyle = exStyle,
            .x = Scale(kWindowLeft),
            .y = Scale(kWindowTop),
            .width = Scale(kWindowWidth),
            .height = Scale(kWindowHeight),
            .parent = owner};
}

void ExplorerPane::AddHint(HWND control, const char* text) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void ExplorerPane::CreateControls() {
    controlFont_.Reset(win::CreateUiFont({.face = kFontFace, .points = 8}));
    const ControlRow controls[] = {
        {&topPanel_, {.id = MORVEL_ID_PANELTOP, .style = WS_CLIPSIBLINGS}},
        {&listPanel_, {.id = MORVEL_ID_PANELLIST, .style = WS_CLIPSIBLINGS}},
        {&bottomPanel_, {.id = MORVEL_ID_PANELBUTTONS, .style = WS_CLIPSIBLINGS}},
        {&lookInLabel_, {.text = "Look &in:", .id = MORVEL_ID_LOOKLABEL, .style = SS_LEFT}},
        {&upButton_,
         {.className = "BUTTON", .text = "Up", .id = MORVEL_ID_BTNUP, .style = BS_PUSHBUTTON}},
        {&viewMenuButton_,
         {.className = "BUTTON", .text = "...", .id = MORVEL_ID_BTNMENU, .style = BS_PUSHBUTTON}},
        {&helpButton_,
         {.className = "BUTTON", .text = "?", .id = MORVEL_ID_BTNHELP, .style = BS_PUSHBUTTON}},
        {&jpegButton_,
         {.className = "BUTTON", .text = "J", .id = MORVEL_ID_BTNJPEG, .style = BS_PUSHBUTTON, .visible = false}},
        {nullptr,
         {.className = "LISTBOX",
          .id = MORVEL_ID_INPUTLIST,
          .style = WS_TABSTOP | WS_HSCROLL | LBS_NOTIFY | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT,
          .exStyle = WS_EX_CLIENTEDGE,
          .visible = false}, &inputFileList_},
        {&nameLabel_, {.text = "File &name:", .id = MORVEL_ID_NAMELABEL, .style = SS_LEFT}},
        {nullptr,
         {.className = "EDIT",
          .id = MORVEL_ID_EDIT1,
          .style = WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
          .exStyle = WS_EX_CLIENTEDGE}, &nameField_},
        {&typeLabel_, {.text = "File &type:", .id = MORVEL_ID_TYPELABEL, .style = SS_LEFT}},
        {nullptr,
         {.className = "COMBOBOX",
          .id = MORVEL_ID_FILTERCOMBOBOX1,
          .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST}, &fileTypeBox_},
        {nullptr,
         {.className = "COMBOBOX",
          .id = MORVEL_ID_BPPTYPE,
          .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
          .visible = false}, &depthBox_},
        {&openButton_,
         {.className = "BUTTON", .text = "&Open", .id = MORVEL_ID_BTNOK, .style = WS_TABSTOP | BS_PUSHBUTTON}},
        {&closeButton_,
         {.className = "BUTTON", .text = "&Close", .id = MORVEL_ID_BTNEXIT, .style = WS_TABSTOP | BS_PUSHBUTTON}},
    };
    for (const ControlRow& row : controls) {
        win::ChildArgs args = row.args;
        args.font = controlFont_.get();
        const HWND made = win::CreateChild(hwnd(), args);
        if (row.handle) *row.handle = made;
        if (row.typed) row.typed->Attach(made);
    }
    lookIn_.Create(hwnd(), MORVEL_ID_LOOKBOX, controlFont_.get());
    fileList_.Create(hwnd(), MORVEL_ID_XFILES, {true, true});
    EnableWindow(fileList_.hwnd(), FALSE);  // until the window is set up
    nameField_.LimitText(kLongestName);
    for (const FileType& type : kFileTypes) {
        fileTypeBox_.Add(std::string(type.label));
    }
    for (const DepthRow& row : kDepthTable) {
        depthBox_.Add(std::string(row.boxLabel));
    }
    folderLabel_ = win::CreateChild(hwnd(), {.id = MORVEL_ID_DIRLABEL, .visible = false});
    // The two controls of their own stand where the window's order has them.
    SetWindowPos(lookIn_.hwnd(), lookInLabel_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(fileList_.hwnd(), jpegButton_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, win::ModuleInstance(), nullptr);
    AddHint(upButton_, "Up One Level");
    AddHint(viewMenuButton_, "Goodies");
    AddHint(helpButton_, "Help");
    AddHint(jpegButton_, "JPEG Compression");
    AddHint(inputFileList_.hwnd(), "Right-click or press Esc to go back");

    for (HWND panel : {topPanel_, listPanel_, bottomPanel_}) {
        SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (HWND control : {lookIn_.hwnd(), fileList_.hwnd(), inputFileList_.hwnd(), nameField_.hwnd(),
                         fileTypeBox_.hwnd(), depthBox_.hwnd(),
                         openButton_, closeButton_, upButton_, viewMenuButton_, helpButton_, jpegButton_}) {
        Hook(control);
    }
    frame_.RememberFocus(fileList_.hwnd());
}

void ExplorerPane::RecreateFileList(bool multiSelect, bool multiColumn) {
    const bool hadFocus = GetFocus() == fileList_.hwnd();
    fileList_.Recreate({multiSelect, multiColumn});
    Hook(fileList_.hwnd());
    frame_.RememberFocus(fileList_.hwnd());
    if (hadFocus) SetFocus(fileList_.hwnd());
}

void ExplorerPane::ShowMenu(const std::vector<MenuItem>& items, POINT at) {
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

void ExplorerPane::Build() {
    CreateControls();
    const int glyph = fileList_.Row().glyph;
    fileGlyph_ = MakeFileGlyph(glyph);
    folderGlyph_ = MakeFolderGlyph(glyph);
    fileList_.SetGlyphs(fileGlyph_.get(), folderGlyph_.get());
    lookIn_.SetFolderGlyph(folderGlyph_.get());

    drives_ = RealFileSystem().Drives();
    folder_ = std::string(kFallbackFolder);
    SetWindowTextA(folderLabel_, folder_.c_str());

    const CreationSettings read = ReadCreationSettings(Settings(), mode_.dialog, mode_.kind);
    if (read.depthSlot) library.explorer.lastFormatIndex[*read.depthSlot] = read.formatIndex;
    startFolder_ = ResolveStartFolder(read.storedFolder, RealFileSystem());
    if (read.exchangeMissing) ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kCorruptedSettings));
    // This window's own exchange path, kept until it closes, whatever other windows read.
    exchangePath_ = read.exchangePath;
}

// ---- Font, placement, set-up, layout, close ----------------------------------------------------

void ExplorerPane::ApplyFontRule() {
    initialFont_ = {.face = kFontFace, .points = GetSystemMetrics(SM_CYMENU) > 18 ? 10 : 8};
    SetListFont(initialFont_);
}

void ExplorerPane::RecordDefaultSize() {
    defaultSize_ = DefaultSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void ExplorerPane::PlaceDefault() {
    RecordDefaultSize();
    const Rect r = Centred(defaultSize_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ExplorerPane::ProcessPending() {
    win::PumpPending();
    return hwnd() != nullptr;
}

void ExplorerPane::FinishSetup() {
    EnableWindow(fileList_.hwnd(), TRUE);
    phase_ = Phase::Open;
    ListFolder();
    ShowLookIn();
    FitColumns();
}

void ExplorerPane::DressForDialog(const DialogSetup& setup) {
    SetWindowTextA(closeButton_, "&Cancel");
    SetWindowTextA(hwnd(), setup.caption.c_str());
    if (setup.multiSelect != fileList_.style().multiSelect)
        RecreateFileList(setup.multiSelect, fileList_.style().multiColumn);
    nameReadOnly_ = setup.nameField == NameFieldMode::ReadOnly;
    SendMessageA(nameField_.hwnd(), EM_SETREADONLY, nameReadOnly_ ? TRUE : FALSE, 0);
    InvalidateRect(nameField_.hwnd(), nullptr, TRUE);
    if (setup.pixelsLabel) SetWindowTextA(nameLabel_, "&Pixels:");
    if (setup.saveInLabel) SetWindowTextA(lookInLabel_, "Save &in");
    menus_.ApplyDialogSetup(setup);
}

void ExplorerPane::ShowDepthBox(int position) {
    depthBoxShown_ = true;
    nameField_.Show(false);
    depthBox_.Show(true);
    depthBox_.Select(position);
}

void ExplorerPane::ShowJpegButton(bool shown) {
    jpegShown_ = shown;
    ShowWindow(jpegButton_, shown ? SW_SHOW : SW_HIDE);
    EnableWindow(jpegButton_, shown);
}

void ExplorerPane::FocusList() {
    // The list takes input once the whole set-up is done (it is listed by then), so that nothing
    // the user does in the set-up's message pauses meets a half-built window; only then can it
    // take the focus.
    EnableWindow(fileList_.hwnd(), TRUE);
    ShowFileList();
    frame_.RememberFocus(fileList_.hwnd());
    if (GetActiveWindow() == hwnd()) SetFocus(fileList_.hwnd());
}

void ExplorerPane::LayOut() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right, height = client.bottom;
    const int topPanel = Scale(kTopPanelHeight);
    const int top = inputViewShown_ ? 0 : topPanel;
    const int bottomPanel = height - Scale(kBottomPanelHeight);
    const int listBottom = inputViewShown_ ? height : bottomPanel;
    MoveWindow(topPanel_, 0, 0, width, topPanel, TRUE);
    MoveWindow(bottomPanel_, 0, bottomPanel, width, Scale(kBottomPanelHeight), TRUE);
    MoveWindow(listPanel_, 0, top, width, std::max(0, listBottom - top), TRUE);
    const int listWidth = std::max(0, width - 2 * Scale(kListMargin));
    const int listHeight = std::max(0, listBottom - top - Scale(kListBelow));
    MoveWindow(fileList_.hwnd(), Scale(kListMargin), top, listWidth, listHeight, TRUE);
    MoveWindow(inputFileList_.hwnd(), Scale(kListMargin), top, listWidth, listHeight, TRUE);
    SendMessageA(inputFileList_.hwnd(), LB_SETCOLUMNWIDTH, std::max(1, listWidth / 4), 0);

    const int labelLeft = Scale(kLabelLeft), labelWidth = Scale(kLabelWidth), labelHeight = Scale(kLabelHeight);
    const int fieldLeft = Scale(kFieldLeft), speed = Scale(kSpeedButton);
    const int buttonWidth = Scale(kButtonWidth), buttonHeight = Scale(kButtonHeight);
    const LayoutResult r = explorer_rules::LayOut({width, labelWidth, fieldLeft, speed, buttonWidth, scale_});
    const int field = std::max(0, r.fieldWidth);
    MoveWindow(lookInLabel_, labelLeft, Scale(kTopLabel), labelWidth, labelHeight, TRUE);
    MoveWindow(lookIn_.hwnd(), fieldLeft, Scale(kTopRow), field, Scale(kDropHeight), TRUE);
    for (auto [button, left] : {std::pair{upButton_, r.btnUpLeft},
                                {viewMenuButton_, r.btnMenuLeft},
                                {helpButton_, r.btnHelpLeft},
                                {jpegButton_, r.btnJpegLeft}}) {
        MoveWindow(button, left, Scale(kTopRow), speed, speed, TRUE);
    }

    MoveWindow(nameLabel_, labelLeft, bottomPanel + Scale(kNameLabel), labelWidth, labelHeight, TRUE);
    MoveWindow(nameField_.hwnd(), fieldLeft, bottomPanel + Scale(kNameField), field, Scale(kEditHeight), TRUE);
    MoveWindow(depthBox_.hwnd(), fieldLeft, bottomPanel + Scale(kNameField), field, Scale(kDropHeight), TRUE);
    MoveWindow(typeLabel_, labelLeft, bottomPanel + Scale(kTypeLabel), labelWidth, labelHeight, TRUE);
    MoveWindow(fileTypeBox_.hwnd(), fieldLeft, bottomPanel + Scale(kTypeField), field, Scale(kTypeDropHeight), TRUE);
    MoveWindow(openButton_, r.btnOkLeft, bottomPanel + Scale(kOkTop), buttonWidth, buttonHeight, TRUE);
    MoveWindow(closeButton_, r.btnOkLeft, bottomPanel + Scale(kExitTop), buttonWidth, buttonHeight, TRUE);
    // Columns are measured from the first listing on, and still while the window closes.
    if (phase_ != Phase::Building && phase_ != Phase::SettingUp) FitColumns();
}

void ExplorerPane::SaveState() {
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
    for (const IniWrite& w :
         ClosingWrites(mode_.dialog, mode_.kind, window, RecordedFolder(folder_, RealFileSystem()))) {
        settings.WriteString(w.key, w.value);
    }
}

// ---- File type, listing, columns, Look-in -------------------------------------------------------

int ExplorerPane::SelectedType() const {
    return fileTypeBox_.Selection();
}

std::optional<std::string> ExplorerPane::SelectedTypeLabel() const {
    const int selected = SelectedType();
    if (selected < 0) return std::nullopt;
    return fileTypeBox_.ItemText(selected);
}

bool ExplorerPane::SetMaskList(std::string masks) {
    if (masks == maskList_) return false;
    maskList_ = std::move(masks);
    ListFolder();
    return true;
}

void ExplorerPane::ListFolder() {
    if (!Lists()) return;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    ShowWindow(fileList_.hwnd(), SW_HIDE);
    EnableWindow(upButton_, FALSE);
    nameField_.SetText("");
    fileList_.Clear();
    const ListingOptions options{menus_.Checked(MORVEL_ID_MNULOWERCASE), menus_.Checked(MORVEL_ID_MNUDIRLAST)};
    Listing listing = explorer_rules::ListFolder(RealFileSystem(), folder_, maskList_, options);
    EnableWindow(upButton_, listing.hasParent);
    menus_.Listed(listing.hasParent, !listing.entries.empty());
    fileList_.Fill(std::move(listing.entries));
    FitColumns();
    // A list that a dialog's set-up still keeps disabled is shown when the set-up enables it:
    // shown now, it would be drawn once disabled and once again enabled.
    if (IsWindowEnabled(fileList_.hwnd())) ShowFileList();
    SelectFirstEntry();
    SetCursor(previous);
}

void ExplorerPane::ShowFileList() {
    if (!inputViewShown_) ShowWindow(fileList_.hwnd(), SW_SHOW);
}

void ExplorerPane::SelectFirstEntry() {
    if (fileList_.Count() == 0) return;
    if (!IsFolderEntry(fileList_.Text(0))) nameField_.SetText(std::string(NameFieldText(fileList_.Entries().front())));
    fileList_.SelectFirst();
    // Focus only inside the active window: a relist asked for by the host must not take the
    // keyboard from the host's own windows.
    if (GetActiveWindow() == hwnd()) SetFocus(fileList_.hwnd());
}

void ExplorerPane::FitColumns() {
    if (menus_.Checked(MORVEL_ID_MNUONECOL)) return;
    columnWidth_ = ColumnWidth(fileList_.WidestText(), fileList_.TextWidth("WW"), scale_);
    RECT client{};
    GetClientRect(fileList_.hwnd(), &client);
    fileList_.SetColumns(ColumnCount(client.right, columnWidth_));
}

void ExplorerPane::ShowLookIn() {
    lookIn_.Show(drives_, folder_);
}

void ExplorerPane::OnLookInPicked() {
    if (phase_ != Phase::Open) return;
    phase_ = Phase::ChangingFolder;
    // However the pick ends; a window closed meanwhile stays closed.
    struct Done {
        Phase& phase;
        ~Done() {
            if (phase == Phase::ChangingFolder) phase = Phase::Open;
        }
    } done{phase_};
    if (lookIn_.Selected() < 0) return;
    const LookInChoice choice = lookIn_.Choice();
    if (!choice.drive) {
        SetFolder(choice.path);
    } else if (RealFileSystem().DriveReady(choice.letter)) {
        SetFolder(std::string{choice.letter, ':', '\\'});
    } else {
        SetFolder(std::string(kFallbackFolder));
        ShowLookIn();
        ShowMessage(hwnd(), BoxKind::Error, msg::DriveNotReady(choice.letter));
    }
}

void ExplorerPane::GoUp() {
    const int selected = lookIn_.Selected();
    if (selected <= 0) return;
    lookIn_.Select(selected - 1);
    OnLookInPicked();
}

void ExplorerPane::SetFolder(const std::string& folder) {
    std::string next = folder;
    if (next.size() > 3 && next.back() == '\\') next.pop_back();
    if (next.size() == 2 && next[1] == ':') next += '\\';
    if (next == folder_) return;
    folder_ = next;
    SetWindowTextA(folderLabel_, folder_.c_str());
    if (Lists()) {
        ListFolder();
        ShowLookIn();
    }
}

// ---- Click, name field, confirm ----------------------------------------------------------------

std::string ExplorerPane::NameField() const {
    return nameField_.Text();
}

void ExplorerPane::SetNameField(const std::string& text) {
    nameField_.SetText(text);
    UpdateWindow(nameField_.hwnd());
}

bool ExplorerPane::Ask(BoxKind kind, const std::string& text) {
    return AskYesNo(hwnd(), kind, text);
}

void ExplorerPane::Tell(BoxKind kind, const std::string& text) {
    ShowMessage(hwnd(), kind, text);
}

void ExplorerPane::OnEntryPicked() {
    const int current = fileList_.Current();
    if (current < 0) return;
    const ListEntry& entry = fileList_.Entries().at(static_cast<std::size_t>(current));
    nameField_.SetText(IsFolderEntry(entry.text) ? std::string() : std::string(NameFieldText(entry)));
}

const ListEntry* ExplorerPane::UnreachableEntryNamed(const std::string& nameField) const {
    const int current = fileList_.Current();
    if (current < 0) return nullptr;
    const ListEntry& entry = fileList_.Entries().at(static_cast<std::size_t>(current));
    if (entry.folder || !ReachingText(entry).empty() || entry.text != nameField) return nullptr;
    return &entry;
}

bool ExplorerPane::NameFieldUnreachable() const {
    return UnreachableEntryNamed(NameField()) != nullptr;
}

void ExplorerPane::OpenFolderEntry(int index) {
    const std::string_view reaching = ReachingText(fileList_.Entries().at(static_cast<std::size_t>(index)));
    if (reaching.empty()) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return;
    }
    std::string target = path::WithTrailingBackslash(folder_) + std::string(reaching);
    if (target.size() > 3 && target.back() == '\\') target.pop_back();
    // The Look-in box shows the names as the disk holds them, not the list's lower case.
    SetFolder(LongFormOf(target, RealFileSystem()).value_or(target));
}

void ExplorerPane::OnEntryDoubleClicked() {
    const int current = fileList_.Current();
    if (current < 0) return;
    if (IsFolderEntry(fileList_.Text(current))) {
        OpenFolderEntry(current);
    } else if (menus_.Checked(MORVEL_ID_PREVIEWMODE)) {
        NotifyAfterWriteBack(NotifyCode::Preview);
    } else {
        ConfirmChoice();
    }
}

void ExplorerPane::OnNameChanged() {
    const bool hasText = GetWindowTextLengthA(nameField_.hwnd()) > 0;
    menus_.NameFieldChanged(mode_.kind, hasText);
    if (!IsOpenKind(mode_.kind)) SetWindowTextA(openButton_, hasText ? "&Save" : "&Open");
}

bool ExplorerPane::WriteBack() {
    if (NameFieldUnreachable()) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return false;
    }
    return WriteBackName(NameField());
}

bool ExplorerPane::WriteBackEntry(int index) {
    const std::string_view reaching = ReachingText(fileList_.Entries().at(static_cast<std::size_t>(index)));
    if (reaching.empty()) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return false;
    }
    return WriteBackName(std::string(reaching));
}

bool ExplorerPane::WriteBackName(const std::string& name) {
    const std::string full = FullName(name, folder_);
    const WriteBackMode mode{mode_.dialog, mode_.dialog && IsSaveKind(mode_.kind), mode_.convert};
    const SettingsFile settings = Settings();
    const bool written = explorer_rules::WriteBack(
        full, mode, RealFileSystem(), [&](std::string_view k, std::string_view v) { settings.WriteString(k, v); });
    if (!written) ShowMessage(hwnd(), BoxKind::Error, msg::CannotSave(full));
    return written;
}

void ExplorerPane::ConfirmChoice() {
    if (Confirm(*this, RealFileSystem(), {mode_.dialog, mode_.kind, mode_.convert}) == ConfirmOutcome::CloseWithOk) {
        owner_.OnChoiceAccepted();
    }
}

void ExplorerPane::Dismiss() {
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
}

// ---- Dispatch --------------------------------------------------------------------------------

void ExplorerPane::OnMenuCommand(int id) {
    // A hidden or disabled item does nothing, however the command arrives.
    if (!menus_.Runs(id)) return;
    const struct {
        int id;
        void (ExplorerPane::*handler)();
    } handlers[] = {
        {MORVEL_ID_MNUFLEVEL, &ExplorerPane::GoUp},
        {MORVEL_ID_MNUFOPEN, &ExplorerPane::ConfirmChoice},
        {MORVEL_ID_MNUFINFO, &ExplorerPane::SendInfo},
        {MORVEL_ID_MNUFPREVIEW, &ExplorerPane::SendPreview},
        {MORVEL_ID_MNUFRENAME, &ExplorerPane::RenameFile},
        {MORVEL_ID_MNUFDELETE, &ExplorerPane::SendDelete},
        {MORVEL_ID_MNUREFRESH, &ExplorerPane::ListFolder},
        {MORVEL_ID_MARKDIRECTORY, &ExplorerPane::MarkAllFiles},
        {MORVEL_ID_UNMARKDIRECTORY, &ExplorerPane::UnmarkAll},
        {MORVEL_ID_BATCHCONVERT, &ExplorerPane::BatchConvert},
        {MORVEL_ID_INSTANTSLIDESHOW, &ExplorerPane::InstantSlideshow},
        {MORVEL_ID_MNULISTINPUT, &ExplorerPane::ToggleInputView},
        {MORVEL_ID_MNULOWERCASE, &ExplorerPane::ToggleLowercase},
        {MORVEL_ID_MNUDIRLAST, &ExplorerPane::ToggleFoldersLast},
        {MORVEL_ID_MNUONECOL, &ExplorerPane::ToggleOneColumn},
        {MORVEL_ID_MNUOPTIMIZEWIN, &ExplorerPane::FitWindowToList},
        {MORVEL_ID_MNUMAXWIN, &ExplorerPane::FitWindowToScreen},
        {MORVEL_ID_MNUFONT, &ExplorerPane::ChooseListFont},
        {MORVEL_ID_MNURESETWIN, &ExplorerPane::ResetWindow},
        {MORVEL_ID_PREVIEWMODE, &ExplorerPane::TogglePreviewMode},
    };
    for (const auto& entry : handlers) {
        if (entry.id == id) return (this->*entry.handler)();
    }
}

void ExplorerPane::OnCommand(int id, int code, HWND control) {
    if (control == nullptr) return OnMenuCommand(id);
    const struct {
        int id;
        int code;
        void (ExplorerPane::*handler)();
    } handlers[] = {
        {MORVEL_ID_BTNOK, BN_CLICKED, &ExplorerPane::ConfirmChoice},
        {MORVEL_ID_BTNEXIT, BN_CLICKED, &ExplorerPane::Dismiss},
        {MORVEL_ID_BTNUP, BN_CLICKED, &ExplorerPane::GoUp},
        {MORVEL_ID_BTNMENU, BN_CLICKED, &ExplorerPane::ShowViewMenu},
        {MORVEL_ID_BTNHELP, BN_CLICKED, &ExplorerPane::ShowHelp},
        {MORVEL_ID_XFILES, LBN_SELCHANGE, &ExplorerPane::OnEntryPicked},
        {MORVEL_ID_XFILES, LBN_DBLCLK, &ExplorerPane::OnEntryDoubleClicked},
        {MORVEL_ID_EDIT1, EN_CHANGE, &ExplorerPane::OnNameChanged},
        // A pick of the entry already shown is no change for the box; it still counts.
        {MORVEL_ID_LOOKBOX, CBN_SELCHANGE, &ExplorerPane::OnLookInPicked},
        {MORVEL_ID_LOOKBOX, CBN_SELENDOK, &ExplorerPane::OnLookInPicked},
    };
    for (const auto& entry : handlers) {
        if (entry.id == id && entry.code == code) return (this->*entry.handler)();
    }
    if (id == MORVEL_ID_FILTERCOMBOBOX1) {
        if (code == CBN_SELCHANGE) owner_.OnFileTypeChanged();
        return;
    }
    owner_.OnOwnerCommand(id, code);
}

bool ExplorerPane::OnContextMenu(HWND source, POINT at) {
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    if (source == fileList_.hwnd() || source == nameField_.hwnd() || source == inputFileList_.hwnd()) {
        ShowMenu(menus_.FileMenu(), at);
        return true;
    }
    bool onPanel = source == topPanel_ || source == bottomPanel_ || source == fileTypeBox_.hwnd();
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

LRESULT ExplorerPane::ControlColour(HDC dc, HWND control) const {
    // The read-only name field shows in the highlight colour; labels and panels stand on the
    // window's face colour, as in a dialog.
    const bool highlight = control == nameField_.hwnd() && nameReadOnly_;
    SetTextColor(dc, GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(highlight ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(highlight ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
}

bool ExplorerPane::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_SIZE:
            LayOut();
            return true;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return true;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == MORVEL_ID_XFILES) fileList_.DrawItem(*item);
            if (item->CtlID == MORVEL_ID_LOOKBOX) lookIn_.DrawItem(*item);
            result = TRUE;
            return true;
        }
        case WM_MEASUREITEM:
            lookIn_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
            result = ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            return true;
        case WM_CONTEXTMENU:
            return OnContextMenu(reinterpret_cast<HWND>(wParam),
                                 {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        case WM_CLOSE:
            phase_ = Phase::Closed;
            try {
                SaveState();
            } catch (const std::exception& failure) {
                // The window closes all the same; the user learns that the folder was not recorded.
                ShowFailure(hwnd(), failure);
            }
            return false;  // the owner closes the window its way
        case WM_DESTROY:
            // A modeless window destroyed from outside never saw WM_CLOSE.
            phase_ = Phase::Closed;
            if (tooltip_) DestroyWindow(tooltip_);
            return false;
        default:
            return false;
    }
}

}  // namespace morvel

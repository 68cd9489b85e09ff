// TFileForm's commands beyond the window itself: the format list of the save and convert
// dialogs, several files and the exchange file, the commands on the chosen file and the view
// options.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/ini_store.h"
#include "common/win/message_box.h"
#include "common/win/win_file_system.h"
#include "compress/win/compression_dialog.h"
#include "explorer/exchange_file.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_messages.h"
#include "explorer/list_file.h"
#include "explorer/name_checks.h"
#include "explorer/save_formats.h"
#include "explorer/win/explorer_window.h"
#include "explorer/win/rename_dialog.h"
#include "hostlink/win/library.h"
#include "hostlink/win/settings_file.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;

// ---- The format list of the save and convert dialogs -------------------------------------------

void TFileForm::SetFileFormats() {
    SendMessageA(filterCombo_, CB_RESETCONTENT, 0, 0);
    const int depth = dialogKind_;
    const auto slot = DepthSlot(depth);
    if (!slot) return;
    const std::vector<FormatEntry> list = FormatList(depth, restrictedFormats_);
    for (std::size_t i = 0; i < list.size() && i < library.explorer.formatCodes.size(); ++i) {
        SendMessageA(filterCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(list[i].label).c_str()));
        library.explorer.formatCodes[i] = list[i].code;
    }
    if (restrictedFormats_) {
        if (const auto forced = ForcedRestrictedIndex(depth)) library.explorer.lastFormatIndex[*slot] = *forced;
    }
    // A position outside the list (a hand-edited key) selects the depth's built-in entry, so that
    // the dialog never returns a format the user did not see.
    int& index = library.explorer.lastFormatIndex[*slot];
    index =
        CheckedFormatIndex(depth, index, static_cast<int>(std::min(list.size(), library.explorer.formatCodes.size())));
    SendMessageA(filterCombo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<int> TFileForm::SelectedFormatCode() const {
    const int selected = SelectedType();
    const auto& codes = library.explorer.formatCodes;
    if (selected < 0 || selected >= static_cast<int>(codes.size())) return std::nullopt;
    return codes[static_cast<std::size_t>(selected)];
}

void TFileForm::ShowJpegButton(bool shown) {
    jpegShown_ = shown;
    ShowWindow(btnJpeg_, shown ? SW_SHOW : SW_HIDE);
    EnableWindow(btnJpeg_, shown);
}

void TFileForm::BtnJPEGClick() {
    const std::optional<int> code = SelectedFormatCode();
    if (!code) return;
    currentFormatCode_ = *code;
    const auto values = RunCompressDialog(currentFormatCode_, compress::ReadCompressValues(Settings()), hwnd());
    if (values) compress::WriteCompressValues(Settings(), *values);
}

void TFileForm::mnuFRenameClick() {
    const auto storedName = [this](const std::string& nameField) {
        const ListEntry* entry = UnreachableEntryNamed(nameField);
        return entry ? entry->realName : std::u16string();
    };
    const auto nameField = [this] { return NameField(); };
    if (RenameCommand(hwnd(), folder_, nameField, storedName)) UpdateFiles();
}

void TFileForm::FormatChosen() {
    const std::optional<int> code = SelectedFormatCode();
    if (!code) {
        ShowJpegButton(false);
        return;
    }
    currentFormatCode_ = *code;
    ShowJpegButton(JpegButtonShown(currentFormatCode_));
    if (const auto slot = DepthSlot(dialogKind_)) library.explorer.lastFormatIndex[*slot] = SelectedType();
}

void TFileForm::BPPtypeChange() {
    const int depth = DepthOfBoxPosition(static_cast<int>(SendMessageA(bppType_, CB_GETCURSEL, 0, 0)));
    dialogKind_ = depth;
    library.explorer.lastFormatIndex[*DepthSlot(depth)] = PresetFormatIndex(depth);
    SetFileFormats();
    FilterComboBox1Change();
}

int TFileForm::SaveChoiceWriteBack() {
    // Kind 0 has no format list; its result only has to differ from a cancel.
    const int code = IsDepthKind(dialogKind_) ? SelectedFormatCode().value_or(0) : 0;
    const int depth = dialogKind_;
    const auto slot = DepthSlot(depth);
    const std::string full = FullName(NameField(), folder_);
    const std::string shortName = RealFileSystem().ShortPath(full);
    const SettingsFile settings = Settings();
    for (const IniWrite& w :
         SaveChoiceWrites(depth, slot ? library.explorer.lastFormatIndex[*slot] : 0, full, shortName)) {
        settings.WriteString(w.key, w.value);
    }
    return code;
}

// ---- Several files, list file, instant slideshow, input files ----------------------------------

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

std::optional<std::vector<ListEntry>> TFileForm::SelectedFilesToPass() {
    std::vector<ListEntry> files = SelectedFiles();
    if (std::any_of(files.begin(), files.end(), [](const ListEntry& e) { return e.shortName.empty(); })) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return std::nullopt;
    }
    return files;
}

int TFileForm::ListMultipleFiles() {
    ValidateSelection();
    const auto files = SelectedFilesToPass();
    if (!files) return -1;
    if (files->empty()) return 0;
    WriteExchangeFile(exchangePath_, MultiFileListWrites(folder_, *files, RealFileSystem()), RealFileSystem());
    return static_cast<int>(files->size());
}

void TFileForm::MarkDirectoryClick() {
    if (xfiles_.Count() == 0) return;
    xfiles_.SelectAll(true);
    ValidateSelection();
}

void TFileForm::UnmarkDirectoryClick() {
    if (xfiles_.Count() > 0) xfiles_.SelectAll(false);
}

void TFileForm::BatchConvertClick() {
    const int listed = ListMultipleFiles();
    if (listed == 0) ShowMessage(hwnd(), BoxKind::Warning, std::string(msg::kNoFilesSelected));
    if (listed > 0) NotifyHost(NotifyCode::Convert);
}

void TFileForm::InstantSlideshowClick() {
    ValidateSelection();
    if (xfiles_.Count() == 0) return;
    const auto files = SelectedFilesToPass();
    if (!files) return;
    if (files->empty()) {
        ShowMessage(hwnd(), BoxKind::Warning, std::string(msg::kNoFilesSelected));
        return;
    }
    WriteExchangeFile(exchangePath_, InstantSlideshowWrites(folder_, *files, RealFileSystem()), RealFileSystem());
    NotifyHost(NotifyCode::Slideshow);
}

void TFileForm::ShowPanels(bool shown) {
    const int how = shown ? SW_SHOW : SW_HIDE;
    for (HWND control : {panelTop_, lookLabel_, lookBox_.hwnd(), btnUp_, btnMenu_, btnHelp_, panelButtons_, nameLabel_,
                         typeLabel_, filterCombo_, btnOk_, btnExit_}) {
        ShowWindow(control, how);
    }
    // The controls that the kind keeps hidden stay hidden.
    ShowWindow(btnJpeg_, shown && jpegShown_ ? SW_SHOW : SW_HIDE);
    ShowWindow(bppType_, shown && bppShown_ ? SW_SHOW : SW_HIDE);
    ShowWindow(edit1_, shown && !bppShown_ ? SW_SHOW : SW_HIDE);
}

void TFileForm::mnuListInputClick() {
    inputViewShown_ = !inputViewShown_;
    menus_.InputViewShown(inputViewShown_);
    ShowPanels(!inputViewShown_);
    ShowWindow(inputList_, inputViewShown_ ? SW_SHOW : SW_HIDE);
    ShowWindow(xfiles_.hwnd(), inputViewShown_ ? SW_HIDE : SW_SHOW);
    if (inputViewShown_ && !inputListFilled_) {
        inputListFilled_ = true;
        ini::File list(exchangePath_);
        list.Load();
        for (const std::string& name : InputListNames(list.doc())) {
            SendMessageA(inputList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    FormResize();
}

// ---- Commands on the chosen file and view options ----------------------------------------------

void TFileForm::NotifyHost(NotifyCode code) {
    morvel::NotifyHost(hostWindow_, code);
}

void TFileForm::NotifyAfterWriteBack(NotifyCode code) {
    // Nothing written, nothing to tell: the host would act on the file named before.
    if (WriteBack()) NotifyHost(code);
}

void TFileForm::PreviewModeClick() {
    if (menus_.Toggle(MORVEL_ID_PREVIEWMODE)) {
        ShowMessage(hwnd(), BoxKind::Information,
                    "All graphics will be previewed when you\ndouble-click, press <ret> or <spc> on filename.\n"
                    "Open command and button will behave normally.");
    } else {
        ShowMessage(hwnd(), BoxKind::Information, "Preview mode disabled.");
    }
}

void TFileForm::ToggleAndRefresh(int id) {
    menus_.Toggle(id);
    UpdateFiles();
}

void TFileForm::mnuLowercaseClick() {
    ToggleAndRefresh(MORVEL_ID_MNULOWERCASE);
}
void TFileForm::mnuDirLastClick() {
    ToggleAndRefresh(MORVEL_ID_MNUDIRLAST);
}
void TFileForm::mnuFInfoClick() {
    NotifyAfterWriteBack(NotifyCode::Info);
}
void TFileForm::mnuFPreviewClick() {
    NotifyAfterWriteBack(NotifyCode::Preview);
}
void TFileForm::mnuFDeleteClick() {
    NotifyAfterWriteBack(NotifyCode::Delete);
}
void TFileForm::mnuOptimizeWinClick() {
    FitWindowToColumns(false);
}
void TFileForm::mnuMaxWinClick() {
    FitWindowToColumns(true);
}

void TFileForm::mnuOneColClick() {
    const bool oneColumn = !menus_.Checked(MORVEL_ID_MNUONECOL);
    menus_.SetOneColumn(oneColumn);
    RecreateFileList(xfiles_.style().multiSelect, !oneColumn);
    if (!oneColumn) xfiles_.SetColumns(2);
    UpdateFiles();
}

void TFileForm::FitWindowToColumns(bool toScreen) {
    if (columnWidth_ <= 0) return;  // nothing listed yet: no column to fit
    const int frame = 2 * (GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME));
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    RECT list{};
    GetClientRect(xfiles_.hwnd(), &list);
    const int available = toScreen ? screen - frame : static_cast<int>(list.right);
    const int columns = std::max(1, available / columnWidth_);
    if (IsZoomed(hwnd()) || IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const int width = FittedWindowWidth(frame, columns, columnWidth_);
    SetWindowPos(hwnd(), nullptr, 0, 0, width, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!ProcessPending()) return;
    GetWindowRect(hwnd(), &window);
    if (const auto left = LeftToFit(window.left, window.right - window.left, screen)) {
        SetWindowPos(hwnd(), nullptr, *left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TFileForm::SetListFont(const win::FontArgs& args) {
    win::Font font(win::CreateUiFont(args));
    if (!font) return;
    xfiles_.SetFont(font.get());
    SendMessageA(inputList_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    windowFont_ = std::move(font);
}

void TFileForm::mnuFontClick() {
    LOGFONTA current{};
    GetObjectA(windowFont_.get(), sizeof current, &current);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = hwnd();
    choose.lpLogFont = &current;
    choose.Flags = CF_SCREENFONTS | CF_ANSIONLY | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
    choose.nSizeMin = 6;
    choose.nSizeMax = 14;
    if (!ChooseFontA(&choose)) return;
    const int size = choose.iPointSize > 0 ? choose.iPointSize / 10 : 8;
    SetListFont({.face = current.lfFaceName,
                 .points = size,
                 .bold = current.lfWeight >= FW_BOLD,
                 .italic = current.lfItalic != 0});
    if (ProcessPending()) UpdateFiles();
}

void TFileForm::mnuResetWinClick() {
    ShowWindow(hwnd(), SW_RESTORE);
    SetListFont({.face = initialFontName_, .points = initialFontSize_, .bold = initialFontBold_});
    ShowWindow(hwnd(), SW_HIDE);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const Rect r = Centred(defaultSize_, sw, sh);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd(), SW_SHOW);
    UpdateFiles();
}

void TFileForm::BtnExitClick() {
    modalResult_ = ModalResult::None;
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void TFileForm::BtnHelpClick() {
    ShowHelp(hwnd(), static_cast<HelpContext>(HelpContextFor(dialogKind_)));
}

void TFileForm::BtnMenuClick() {
    // The hint would cover the menu: off while the menu is open.
    SendMessageA(tooltip_, TTM_POP, 0, 0);
    SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    if (!ProcessPending()) return;
    RECT button{};
    GetWindowRect(btnMenu_, &button);
    ShowMenu(menus_.ViewMenu(), {button.right, button.bottom});
    SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

}  // namespace morvel

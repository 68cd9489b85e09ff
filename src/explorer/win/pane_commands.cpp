// The Explorer pane's commands beyond the listing and the choice: several files and the exchange
// file, the input-file view, the commands on the chosen file and the view options.
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
#include "explorer/exchange_file.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_messages.h"
#include "explorer/list_file.h"
#include "explorer/win/explorer_pane.h"
#include "explorer/win/rename_dialog.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;

// ---- Several files, list file, instant slideshow, input files ----------------------------------

void ExplorerPane::UnmarkFolders() {
    for (int i = 0; i < fileList_.Count(); ++i) {
        if (IsFolderEntry(fileList_.Text(i)) && fileList_.IsSelected(i)) fileList_.SetSelected(i, false);
    }
}

std::optional<std::vector<ListEntry>> ExplorerPane::MarkedFilesToPass() {
    std::vector<ListEntry> files;
    for (int index : fileList_.SelectedIndexes()) {
        const ListEntry& entry = fileList_.Entries().at(static_cast<std::size_t>(index));
        if (!entry.folder) files.push_back(entry);
    }
    if (std::any_of(files.begin(), files.end(), [](const ListEntry& e) { return e.shortName.empty(); })) {
        ShowMessage(hwnd(), BoxKind::Error, std::string(msg::kNameCannotPass));
        return std::nullopt;
    }
    return files;
}

int ExplorerPane::ListMultipleFiles() {
    UnmarkFolders();
    const auto files = MarkedFilesToPass();
    if (!files) return -1;
    if (files->empty()) return 0;
    WriteExchangeFile(exchangePath_, MultiFileListWrites(folder_, *files, RealFileSystem()), RealFileSystem());
    return static_cast<int>(files->size());
}

void ExplorerPane::MarkAllFiles() {
    if (fileList_.Count() == 0) return;
    fileList_.SelectAll(true);
    UnmarkFolders();
}

void ExplorerPane::UnmarkAll() {
    if (fileList_.Count() > 0) fileList_.SelectAll(false);
}

void ExplorerPane::BatchConvert() {
    const int listed = ListMultipleFiles();
    if (listed == 0) ShowMessage(hwnd(), BoxKind::Warning, std::string(msg::kNoFilesSelected));
    if (listed > 0) NotifyHost(NotifyCode::Convert);
}

void ExplorerPane::InstantSlideshow() {
    UnmarkFolders();
    if (fileList_.Count() == 0) return;
    const auto files = MarkedFilesToPass();
    if (!files) return;
    if (files->empty()) {
        ShowMessage(hwnd(), BoxKind::Warning, std::string(msg::kNoFilesSelected));
        return;
    }
    WriteExchangeFile(exchangePath_, InstantSlideshowWrites(folder_, *files, RealFileSystem()), RealFileSystem());
    NotifyHost(NotifyCode::Slideshow);
}

void ExplorerPane::ShowPanels(bool shown) {
    const int how = shown ? SW_SHOW : SW_HIDE;
    for (HWND control : {topPanel_, lookInLabel_, lookIn_.hwnd(), upButton_, viewMenuButton_, helpButton_,
                         bottomPanel_, nameLabel_, typeLabel_, fileTypeBox_.hwnd(), openButton_, closeButton_}) {
        ShowWindow(control, how);
    }
    // The controls that the kind keeps hidden stay hidden.
    ShowWindow(jpegButton_, shown && jpegShown_ ? SW_SHOW : SW_HIDE);
    depthBox_.Show(shown && depthBoxShown_);
    nameField_.Show(shown && !depthBoxShown_);
}

void ExplorerPane::ToggleInputView() {
    inputViewShown_ = !inputViewShown_;
    menus_.InputViewShown(inputViewShown_);
    ShowPanels(!inputViewShown_);
    inputFileList_.Show(inputViewShown_);
    ShowWindow(fileList_.hwnd(), inputViewShown_ ? SW_HIDE : SW_SHOW);
    if (inputViewShown_ && !inputListFilled_) {
        inputListFilled_ = true;
        ini::File list(exchangePath_);
        list.Load();
        for (const std::string& name : InputListNames(list.doc())) {
            inputFileList_.Add(name);
        }
    }
    LayOut();
}

// ---- Commands on the chosen file and view options ----------------------------------------------

void ExplorerPane::NotifyHost(NotifyCode code) {
    morvel::NotifyHost(hostWindow_, code);
}

void ExplorerPane::NotifyAfterWriteBack(NotifyCode code) {
    // Nothing written, nothing to tell: the host would act on the file named before.
    if (WriteBack()) NotifyHost(code);
}

void ExplorerPane::RenameFile() {
    const auto storedName = [this](const std::string& nameField) {
        const ListEntry* entry = UnreachableEntryNamed(nameField);
        return entry ? entry->realName : std::u16string();
    };
    const auto nameField = [this] { return NameField(); };
    if (RenameCommand(hwnd(), folder_, nameField, storedName)) ListFolder();
}

void ExplorerPane::TogglePreviewMode() {
    if (menus_.Toggle(MORVEL_ID_PREVIEWMODE)) {
        ShowMessage(hwnd(), BoxKind::Information,
                    "All graphics will be previewed when you\ndouble-click, press <ret> or <spc> on filename.\n"
                    "Open command and button will behave normally.");
    } else {
        ShowMessage(hwnd(), BoxKind::Information, "Preview mode disabled.");
    }
}

void ExplorerPane::ToggleAndRelist(int id) {
    menus_.Toggle(id);
    ListFolder();
}

void ExplorerPane::ToggleOneColumn() {
    const bool oneColumn = !menus_.Checked(MORVEL_ID_MNUONECOL);
    menus_.SetOneColumn(oneColumn);
    RecreateFileList(fileList_.style().multiSelect, !oneColumn);
    if (!oneColumn) fileList_.SetColumns(2);
    ListFolder();
}

void ExplorerPane::FitWindowToColumns(bool toScreen) {
    if (columnWidth_ <= 0) return;  // nothing listed yet: no column to fit
    const int frame = 2 * (GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME));
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    RECT list{};
    GetClientRect(fileList_.hwnd(), &list);
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

void ExplorerPane::SetListFont(const win::FontArgs& args) {
    win::Font font(win::CreateUiFont(args));
    if (!font) return;
    fileList_.SetFont(font.get());
    SendMessageA(inputFileList_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    listFont_ = std::move(font);
}

void ExplorerPane::ChooseListFont() {
    LOGFONTA current{};
    GetObjectA(listFont_.get(), sizeof current, &current);
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
    if (ProcessPending()) ListFolder();
}

void ExplorerPane::ResetWindow() {
    ShowWindow(hwnd(), SW_RESTORE);
    SetListFont(initialFont_);
    ShowWindow(hwnd(), SW_HIDE);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const Rect r = Centred(defaultSize_, sw, sh);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd(), SW_SHOW);
    ListFolder();
}

void ExplorerPane::ShowHelp() {
    morvel::ShowHelp(hwnd(), static_cast<HelpContext>(HelpContextFor(mode_.kind)));
}

void ExplorerPane::ShowViewMenu() {
    // The hint would cover the menu: off while the menu is open.
    SendMessageA(tooltip_, TTM_POP, 0, 0);
    SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    if (!ProcessPending()) return;
    RECT button{};
    GetWindowRect(viewMenuButton_, &button);
    ShowMenu(menus_.ViewMenu(), {button.right, button.bottom});
    SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

}  // namespace morvel

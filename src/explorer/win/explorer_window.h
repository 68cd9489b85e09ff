// TFileForm: the Explorer window, as the modeless "Morvel Explorer" beside the host and as the
// modal dialog of RemoteDlg95. It reads its controls and the system, calls the Explorer's portable
// rules (listing, checks, confirm step, menus, settings) and applies their results. The entry
// points that create and run it are in explorer_exports.cpp.
//
// Each window holds its own state, from its creation until it closes: a dialog and the modeless
// Explorer open beside it never share one. What outlives the windows (the format memory, the
// modeless window's slot) is in `library.explorer`.
#pragma once

#include "explorer/win/explorer_dialog.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/window.h"
#include "explorer/confirm.h"
#include "explorer/dialog_setup.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_menus.h"
#include "explorer/win/file_list_box.h"
#include "explorer/win/look_in_box.h"
#include "hostlink/win/host_link.h"

namespace morvel {

// Private messages the exports send to the modeless Explorer, so that the window's own save step
// and listing run inside its exception boundary.
inline constexpr UINT kMsgExplorerSaveState = WM_APP + 0x101;  // save geometry and last folder
inline constexpr UINT kMsgExplorerRelist = WM_APP + 0x102;     // list the current folder again

// The modal Explorer runs on the dialog base (`Run`); the modeless one never calls `Run`.
class TFileForm final : public win::Dialog, public win::ControlHook, public explorer_rules::ConfirmView {
public:
    enum class ModalResult { None, Ok, Cancel };

    // What a dialog is opened with: RemoteDlg95's kind, reduced, and its restriction flag.
    struct DialogInputs {
        explorer_rules::ReducedKind kind;
        bool restrictedFormats = false;
    };

    // The dialog, before its window exists.
    explicit TFileForm(const DialogInputs& inputs);
    // Creates the modeless Explorer (hidden) and runs its creation step; the window owns the
    // object from then on and deletes it when it is destroyed, and `library.explorer.modeless`
    // names it while it exists. Null when the window could not be created.
    static TFileForm* OpenModeless(HWND hostWindow, bool rememberGeometry);
    // Creates the dialog's window (hidden), runs its creation step and the font rule, and gives
    // it the default size, centred; false when refused.
    bool OpenDialog(HWND owner);
    // Runs the dialog: its result is RemoteDlg95's (-1 when cancelled, else 0 or the chosen
    // format's code). A failure of the write-back after OK is thrown once the dialog has gone.
    int RunDialog();

    bool RememberGeometry() const { return rememberGeometry_; }
    void SetRememberGeometry(bool remember) { rememberGeometry_ = remember; }

    // RemoteWin95 and RemoteDlg95 right after creation.
    void ApplyFontRule();
    // The default size of "&Reset window", recorded at every creation; PlaceDefault records it
    // and gives the window that size, centred.
    void RecordDefaultSize();
    void PlaceDefault();
    bool GeometryRestore();
    void EnsureStartFolder();
    void FinishModelessSetup();

    // ConfirmView
    std::string NameField() const override;
    void SetNameField(const std::string& text) override;
    std::string Folder() const override { return folder_; }
    int EntryCount() const override { return xfiles_.Count(); }
    int CurrentEntry() const override { return xfiles_.Current(); }
    std::string EntryText(int index) const override { return xfiles_.Text(index); }
    int SelectedCount() const override { return xfiles_.SelectedCount(); }
    std::optional<std::string> SelectedTypeLabel() const override;
    bool Ask(BoxKind kind, const std::string& text) override;
    void Tell(BoxKind kind, const std::string& text) override;
    bool NameFieldUnreachable() const override;
    bool WriteBack() override;
    int ListMultipleFiles() override;
    void OpenFolderEntry(int index) override;
    void Notify(int code) override { NotifyHost(static_cast<NotifyCode>(code)); }

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDetached() override;
    int CancelResult() const override { return MORVEL_DLG_CANCELLED; }
    // The window's own keys (FormKeyDown) stand in for the system dialog keys.
    bool UsesDialogKeys() const override { return false; }
    void QuitDuringRun() override { CancelModal(); }

private:
    TFileForm(HWND hostWindow, bool rememberGeometry);
    bool CreateForm(HWND owner);

    // Building.
    void CreateControls();
    void AddHint(HWND control, const char* text);
    void ShowMenu(const std::vector<explorer_rules::MenuItem>& items, POINT at);
    void RecreateFileList(bool multiSelect, bool multiColumn);

    // Window: creation, set-up, layout, close.
    void FormCreate();
    void FormActivate();
    void FormResize();
    void FormClose();
    void SaveState();
    void ApplyDialogSetup(const explorer_rules::DialogSetup& setup);
    // Asks a dialog for its set-up, which runs once, when the window is active.
    void PostSetup();
    void CancelModal();
    // A dialog closed by its close step: the run ends with OK's result or a cancel.
    void EndDialog();
    // After OK in a save or convert dialog: the chosen entry's format code, once the choice is
    // written to the settings file.
    int SaveChoiceWriteBack();
    // Lets pending messages be processed, at the points of the behaviour that ask for it. False
    // when the window was destroyed meanwhile (the message being handled keeps the object alive,
    // not its window): the handler then stops.
    bool ProcessPending();

    // File type, listing, columns and the Look-in box.
    void FilterComboBox1Change();
    void UpdateFiles();
    void InitFocus();
    // Shows the file list unless the input file view stands in its place.
    void ShowFileList();
    void CalcStringWidth();
    void UpdateHistory();
    void LookBoxChange();
    void BtnUpClick();
    void SetFolder(const std::string& folder);
    int SelectedType() const;

    // Formats of the save and convert dialogs.
    void SetFileFormats();
    // The format code of the selected entry of the format list, if it has one.
    std::optional<int> SelectedFormatCode() const;
    void FormatChosen();
    void BPPtypeChange();
    void ShowJpegButton(bool shown);

    // Selection and confirmation.
    void XFilesClick();
    void XFilesDblClick();
    void Edit1Change();
    void BtnOKClick();

    // Several files, the exchange file and the input-file view.
    void ValidateSelection();
    std::vector<explorer_rules::ListEntry> SelectedFiles() const;
    // The selected files, once every one of them can be passed on; else the user is told and
    // nothing comes back.
    std::optional<std::vector<explorer_rules::ListEntry>> SelectedFilesToPass();
    // The current entry, when it is a file that no ANSI name reaches and the name field holds
    // its text.
    const explorer_rules::ListEntry* UnreachableEntryNamed(const std::string& nameField) const;
    void MarkDirectoryClick();
    void UnmarkDirectoryClick();
    void BatchConvertClick();
    void InstantSlideshowClick();
    void mnuListInputClick();
    void ShowPanels(bool shown);

    // File commands and view options.
    void NotifyHost(NotifyCode code);
    void NotifyAfterWriteBack(NotifyCode code);
    void PreviewModeClick();
    void ToggleAndRefresh(int id);
    void mnuLowercaseClick();
    void mnuDirLastClick();
    void mnuFInfoClick();
    void mnuFPreviewClick();
    void mnuFDeleteClick();
    void mnuOneColClick();
    void mnuOptimizeWinClick();
    void mnuMaxWinClick();
    // "&Optimize files list" fits the columns the list shows, "Maximi&ze files list" the screen.
    void FitWindowToColumns(bool toScreen);
    void mnuFontClick();
    void mnuResetWinClick();
    void SetListFont(const win::FontArgs& args);
    void BtnExitClick();
    void BtnHelpClick();
    void BtnMenuClick();
    void BtnJPEGClick();
    void mnuFRenameClick();
    bool FormKeyDown(WPARAM key);
    bool AcceleratorKey(WPARAM typed);
    bool XFilesKeyDown(WPARAM key);

    bool SpeedButtonMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnCommand(int id, int code, HWND control);
    void OnMenuCommand(int id);
    bool OnContextMenu(HWND source, POINT at);

    bool dialog_;
    bool ownedByWindow_ = false;

    // The window's state, from its creation until it closes.
    int dialogKind_ = explorer_rules::kModelessKind;
    bool convertMode_ = false;
    bool restrictedFormats_ = false;
    bool rememberGeometry_ = false;  // modeless: geometry restored at opening, saved at closing
    HWND hostWindow_ = nullptr;      // modeless: the host's window, where notifications go
    bool explorerOpen_ = false;      // set up: the list may be listed
    // From creation until the set-up has finished, so that the change events that creation
    // causes (folder list, Look-in box, resize) do not list files or recompute columns early.
    bool initialising_ = true;
    bool lookInBusy_ = true;
    std::string startFolder_;           // folder shown first: from LastDir, or SavePath for save kinds
    std::string exchangePath_;          // Win95Tmp as read at creation, or "c:\morvel.err" when missing
    std::string maskList_;              // masks of the selected file type, ";"-separated
    int columnWidth_ = 0;               // width of one file-list column; 0 until the first listing
    explorer_rules::Size defaultSize_;  // "&Reset window" size, computed at creation
    std::string initialFontName_;       // the window font after the font rule ("&Reset window")
    int initialFontSize_ = 0;
    bool initialFontBold_ = false;
    int currentFormatCode_ = 0;       // format code of the selected entry of the format list
    std::exception_ptr saveFailure_;  // the write-back after OK failed: thrown after the run

    HWND panelTop_ = nullptr, panelList_ = nullptr, panelButtons_ = nullptr;
    HWND lookLabel_ = nullptr, btnUp_ = nullptr, btnMenu_ = nullptr, btnHelp_ = nullptr, btnJpeg_ = nullptr;
    HWND inputList_ = nullptr;
    HWND nameLabel_ = nullptr, edit1_ = nullptr, typeLabel_ = nullptr, filterCombo_ = nullptr, bppType_ = nullptr,
         btnOk_ = nullptr, btnExit_ = nullptr, dirLabel_ = nullptr, tooltip_ = nullptr;
    LookInBox lookBox_;
    XFileListBox xfiles_;
    win::Font controlFont_;
    win::Font windowFont_;
    win::Bitmap fileGlyph_;
    win::Bitmap folderGlyph_;

    // DriveBox and DirectoryListBox1 as models: the drives and the folder list's folder.
    std::vector<DriveInfo> drives_;
    std::string folder_ = "c:\\";

    explorer_rules::ExplorerMenus menus_;

    HWND focusBeforeClick_ = nullptr;  // the focus a speed button gives back after its click
    bool nameReadOnly_ = true;
    bool bppShown_ = false;  // the colour-depth box stands in the name field's place
    bool jpegShown_ = false;
    bool setupDone_ = false;
    bool inputViewShown_ = false;
    bool inputListFilled_ = false;
    ModalResult modalResult_ = ModalResult::None;
};

// RemoteWin95: opens the modeless Explorer (or brings the open one to the front).
void OpenModelessExplorer(HWND hostWindow, bool rememberGeometry);

}  // namespace morvel

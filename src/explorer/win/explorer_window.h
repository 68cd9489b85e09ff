// TFileForm: the Explorer window, as the modeless "Morvel Explorer" beside the host and as the
// modal dialog of RemoteDlg95. It reads its controls and the system, calls the Explorer's portable
// rules (listing, checks, confirm step, menus, settings) and applies their results. The entry
// points that create and run it are in explorer_exports.cpp.
#pragma once

#include "explorer/win/explorer_dialog.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"
#include "explorer/win/file_list_box.h"
#include "explorer/confirm.h"
#include "explorer/dialog_setup.h"
#include "explorer/explorer_menus.h"
#include "explorer/win/look_in_box.h"
#include "hostlink/host_link.h"

namespace morvel {

class TFileForm final : public win::Window, public win::ControlHook, public explorer_rules::ConfirmView {
public:
    enum class ModalResult { None, Ok, Cancel };

    // Creates the window (hidden) and runs its creation step; the window owns the object from
    // then on and deletes it when it is destroyed. Null when the window could not be created.
    static TFileForm* Open(HWND owner, bool dialog);
    // The open modeless Explorer, or null: the window registers itself while it exists.
    static TFileForm* Modeless() { return modeless_; }

    // RemoteWin95 and RemoteDlg95 right after creation.
    void ApplyFontRule();
    // The default size of "&Reset window", recorded at every creation; PlaceDefault records it
    // and gives the window that size, centred.
    void RecordDefaultSize();
    void PlaceDefault();
    bool GeometryRestore();
    void EnsureStartFolder();
    void FinishModelessSetup();

    // Asks a dialog for its set-up, which runs once, when the window is active.
    void PostSetup();
    // The dialog has been closed (OK or Cancel): the modal loop ends.
    bool Finished() const { return finished_; }
    ModalResult Result() const { return modalResult_; }
    void CancelModal();
    // After OK in a save or convert dialog: the chosen entry's format code, once the choice is
    // written to the settings file.
    int SaveChoiceWriteBack();

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
    bool WriteBack() override;
    int ListMultipleFiles() override;
    void OpenFolderEntry(int index) override;
    void Notify(int code) override { NotifyHost(static_cast<NotifyCode>(code)); }

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDetached() override;

private:
    explicit TFileForm(bool dialog) : dialog_(dialog) {}

    // Building.
    void CreateControls();
    HWND MakeControl(const win::ChildArgs& args);
    void AddHint(HWND control, const char* text);
    void ShowMenu(const std::vector<explorer_rules::MenuItem>& items, POINT at);
    void RecreateFileList(bool multiSelect, bool multiColumn);

    // Window: creation, set-up, layout, close.
    void FormCreate();
    void FormActivate();
    void FormResize();
    void FormClose();
    void SaveState();
    // The Explorer state is the running dialog's while one runs, else the modeless window's.
    bool OwnsTheState() const;
    void ApplyDialogSetup(const explorer_rules::DialogSetup& setup);

    // File type, listing, columns and the Look-in box.
    void FilterComboBox1Change();
    void UpdateFiles();
    void InitFocus();
    void CalcStringWidth();
    void UpdateHistory();
    void LookBoxChange();
    void BtnUpClick();
    void SetFolder(const std::string& folder);
    int SelectedType() const;

    // Formats of the save and convert dialogs.
    void SetFileFormats();
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

    static TFileForm* modeless_;

    bool dialog_;
    bool ownedByWindow_ = false;
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
    bool finished_ = false;
    bool inputViewShown_ = false;
    bool inputListFilled_ = false;
    ModalResult modalResult_ = ModalResult::None;
};

// RemoteWin95: opens the modeless Explorer (or brings the open one to the front).
void OpenModelessExplorer(HWND hostWindow, bool rememberGeometry);


}  // namespace morvel

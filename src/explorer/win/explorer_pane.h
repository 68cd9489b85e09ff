// The Explorer's pane: the controls of a TFileForm window (the Look-in box, the file list, the
// name field, the file-type box, the buttons), the listing of its folder, the commands of its two
// menus and its keys. It reads its controls and the system, calls the Explorer's portable rules
// and applies their results.
//
// Two windows own a pane and differ only in what they do around it: the modeless Explorer beside
// the host (modeless_explorer.h) and the Explorer dialog (explorer_dialog.h). The owner creates
// the pane's controls from its WM_CREATE, passes its messages on to `Message`, and answers the
// few questions of `Owner` that only it can answer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"
#include "explorer/confirm.h"
#include "explorer/explorer_geometry.h"
#include "explorer/explorer_menus.h"
#include "explorer/win/file_list_box.h"
#include "explorer/win/look_in_box.h"
#include "hostlink/win/host_link.h"

namespace morvel {

// The window class of both owners, by which hosts find them.
extern const win::WindowClass kExplorerClass;

class ExplorerPane final : public win::ControlHook, public explorer_rules::ConfirmView {
public:
    // What the owner alone decides.
    class Owner {
    public:
        // The file-type box's selection changed (or was set by the owner's set-up).
        virtual void OnFileTypeChanged() = 0;
        // The confirm step accepted the choice: the window closes with it.
        virtual void OnChoiceAccepted() = 0;
        // A control's command that the pane does not handle (controls the owner dresses).
        virtual void OnOwnerCommand(int id, int code) = 0;

    protected:
        ~Owner() = default;
    };

    // The window's mode as the Explorer's rules take it: the modeless Explorer, or a dialog's
    // kind as RemoteDlg95 reduced it.
    struct Mode {
        bool dialog = false;
        int kind = explorer_rules::kModelessKind;
        bool convert = false;
    };

    // Where a pane is in its life. Until it is set up, the change events that creation causes
    // (file type, Look-in box, resize) neither list files nor measure columns.
    enum class Phase {
        Building,           // controls made, window not yet set up
        SettingUp,          // a dialog's set-up runs
        Open,               // set up: the folder is listed as it changes
        ChangingFolder,     // the Look-in box's pick is being carried out
        Closed,             // the window closes: nothing is listed any more
    };

    ExplorerPane(win::Window& frame, Owner& owner, const Mode& mode, HWND hostWindow);

    // Design pixels at 120 dpi on this screen, as the window was created.
    int Scale(int designPixels) const { return scale_(designPixels); }
    // Where the owner's window is created (hidden), in its frame's style.
    win::CreateArgs CreationArgs(DWORD style, DWORD exStyle, HWND owner) const;

    // WM_CREATE of the owner: the controls, the glyphs, the settings read at creation.
    void Build();
    // A message of the owner's window; true when handled, with the result set.
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A key of the owner's window, from the window layer's key route; true when used.
    bool KeyPreview(const MSG& msg);

    Phase phase() const { return phase_; }
    void SetPhase(Phase phase) { phase_ = phase; }
    // Whether the folder is listed as it changes.
    bool Lists() const { return phase_ == Phase::Open || phase_ == Phase::ChangingFolder; }
    // Ends the set-up: the list takes input and the folder is listed.
    void FinishSetup();

    // RemoteWin95 and RemoteDlg95 right after creation.
    void ApplyFontRule();
    // The default size of "&Reset window", recorded at every creation; PlaceDefault records it
    // and gives the window that size, centred.
    void RecordDefaultSize();
    void PlaceDefault();
    // Lets pending messages be processed, at the points of the behaviour that ask for it. False
    // when the window was destroyed meanwhile (the message being handled keeps the object alive,
    // not its window): the handler then stops.
    bool ProcessPending();

    // The folder shown first (LastDir, or SavePath for a saving dialog) and the current one.
    const std::string& StartFolder() const { return startFolder_; }
    void SetFolder(const std::string& folder);
    void ListFolder();
    void ShowLookIn();
    // The closing writes: the window's rectangle and the folder, where the mode records them.
    void SaveState();

    // The file-type box and the masks it selects; a changed mask lists the folder again once the
    // pane is open. True when the mask changed.
    const win::ComboBox& FileTypeBox() const { return fileTypeBox_; }
    int SelectedType() const;
    bool SetMaskList(std::string masks);
    // The dialog's dress: the caption, the name field, the labels, the menus, the file type.
    void DressForDialog(const explorer_rules::DialogSetup& setup);
    // The colour-depth box in the name field's place, and the JPEG compression button.
    const win::ComboBox& DepthBox() const { return depthBox_; }
    void ShowDepthBox(int position);
    void ShowJpegButton(bool shown);
    // Gives the list the focus once the window is set up.
    void FocusList();

    // ConfirmView
    std::string NameField() const override;
    void SetNameField(const std::string& text) override;
    std::string Folder() const override { return folder_; }
    int EntryCount() const override { return fileList_.Count(); }
    int CurrentEntry() const override { return fileList_.Current(); }
    std::string EntryText(int index) const override { return fileList_.Text(index); }
    int SelectedCount() const override { return fileList_.SelectedCount(); }
    bool EntryMarked(int index) const override { return fileList_.IsSelected(index); }
    std::optional<std::string> SelectedTypeLabel() const override;
    bool Ask(BoxKind kind, const std::string& text) override;
    void Tell(BoxKind kind, const std::string& text) override;
    bool NameFieldUnreachable() const override;
    bool WriteBack() override;
    bool WriteBackEntry(int index) override;
    int ListMultipleFiles() override;
    void OpenFolderEntry(int index) override;
    void Notify(int code) override { NotifyHost(static_cast<NotifyCode>(code)); }

private:
    HWND hwnd() const { return frame_.hwnd(); }

    // Building.
    void CreateControls();
    void AddHint(HWND control, const char* text);
    void ShowMenu(const std::vector<explorer_rules::MenuItem>& items, POINT at);
    void RecreateFileList(bool multiSelect, bool multiColumn);
    void LayOut();

    // Listing, columns, the Look-in box.
    void SelectFirstEntry();
    // Shows the file list unless the input file view stands in its place.
    void ShowFileList();
    void FitColumns();
    void OnLookInPicked();
    void GoUp();

    // Selection and confirmation.
    void OnEntryPicked();
    void OnEntryDoubleClicked();
    void OnNameChanged();
    void ConfirmChoice();
    void Dismiss();
    bool WriteBackName(const std::string& name);
    // The current entry, when it is a file that no ANSI name reaches and the name field holds
    // its text.
    const explorer_rules::ListEntry* UnreachableEntryNamed(const std::string& nameField) const;

    // Several files, the exchange file and the input-file view.
    void UnmarkFolders();
    // The marked files, once every one of them can be passed on; else the user is told and
    // nothing comes back.
    std::optional<std::vector<explorer_rules::ListEntry>> MarkedFilesToPass();
    void MarkAllFiles();
    void UnmarkAll();
    void BatchConvert();
    void InstantSlideshow();
    void ToggleInputView();
    void ShowPanels(bool shown);

    // File commands and view options.
    void NotifyHost(NotifyCode code);
    void NotifyAfterWriteBack(NotifyCode code);
    void TogglePreviewMode();
    void ToggleAndRelist(int id);
    void ToggleLowercase() { ToggleAndRelist(MORVEL_ID_MNULOWERCASE); }
    void ToggleFoldersLast() { ToggleAndRelist(MORVEL_ID_MNUDIRLAST); }
    void SendInfo() { NotifyAfterWriteBack(NotifyCode::Info); }
    void SendPreview() { NotifyAfterWriteBack(NotifyCode::Preview); }
    void SendDelete() { NotifyAfterWriteBack(NotifyCode::Delete); }
    void RenameFile();
    void ToggleOneColumn();
    void FitWindowToList() { FitWindowToColumns(false); }
    void FitWindowToScreen() { FitWindowToColumns(true); }
    // "&Optimize files list" fits the columns the list shows, "Maximi&ze files list" the screen.
    void FitWindowToColumns(bool toScreen);
    void ChooseListFont();
    void ResetWindow();
    void SetListFont(const win::FontArgs& args);
    void ShowHelp();
    void ShowViewMenu();

    // Keys.
    void CycleFocus(bool backwards);
    // Esc: back from the input-file view, else the window closes.
    void Back();
    // Enter and Space in the file list.
    void OpenFromList();
    bool LetterKey(WPARAM typed);
    bool SpeedButtonMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Dispatch.
    void OnCommand(int id, int code, HWND control);
    void OnMenuCommand(int id);
    bool OnContextMenu(HWND source, POINT at);
    LRESULT ControlColour(HDC dc, HWND control) const;

    win::Window& frame_;
    Owner& owner_;
    const Mode mode_;
    const HWND hostWindow_;  // the host's window, where notifications go; none for a dialog
    const DesignScale scale_;
    Phase phase_ = Phase::Building;

    std::string startFolder_;
    std::string exchangePath_;          // Win95Tmp as read at creation, or "c:\morvel.err" when missing
    std::string maskList_;              // masks of the selected file type, ";"-separated
    int columnWidth_ = 0;               // width of one file-list column; 0 until the first listing
    explorer_rules::Size defaultSize_;  // "&Reset window" size, computed at creation
    win::FontArgs initialFont_;         // the list font after the font rule ("&Reset window")

    HWND topPanel_ = nullptr, listPanel_ = nullptr, bottomPanel_ = nullptr;
    HWND lookInLabel_ = nullptr, upButton_ = nullptr, viewMenuButton_ = nullptr, helpButton_ = nullptr,
         jpegButton_ = nullptr;
    win::ListBox inputFileList_;
    win::Edit nameField_;
    win::ComboBox fileTypeBox_, depthBox_;
    HWND nameLabel_ = nullptr, typeLabel_ = nullptr, openButton_ = nullptr, closeButton_ = nullptr, folderLabel_ = nullptr,
         tooltip_ = nullptr;
    LookInBox lookIn_;
    FileListBox fileList_;
    win::Font controlFont_;
    win::Font listFont_;
    win::Bitmap fileGlyph_;
    win::Bitmap folderGlyph_;

    std::vector<DriveInfo> drives_;
    std::string folder_ = "c:\\";

    explorer_rules::ExplorerMenus menus_;

    HWND focusBeforeClick_ = nullptr;  // the focus a speed button gives back after its click
    bool nameReadOnly_ = true;
    bool depthBoxShown_ = false;  // the colour-depth box stands in the name field's place
    bool jpegShown_ = false;
    bool inputViewShown_ = false;
    bool inputListFilled_ = false;
};

}  // namespace morvel

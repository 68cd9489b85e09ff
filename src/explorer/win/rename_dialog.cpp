#include "explorer/win/rename_dialog.h"

#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/message_box.h"
#include "common/win/text.h"
#include "common/win/win_file_system.h"
#include "common/win/window.h"
#include "explorer/rename_rules.h"
#include "morvel32.h"

namespace morvel {

namespace {

const win::WindowClass kFormClass{.name = "TRenameForm"};
constexpr int kMaxName = 255;

// Design pixels at 120 dpi; the folder label shows a folder name that may hold "&" as it is, not
// as an accelerator.
constexpr int kClientWidth = 456, kClientHeight = 171;
constexpr win::ChildArgs kControls[] = {
    {.id = MORVEL_ID_RENAME_DIRLABEL,
     .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS,
     .x = 15,
     .y = 15,
     .width = 426,
     .height = 23},
    {.className = "EDIT",
     .id = MORVEL_ID_THEFILENAME,
     .style = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
     .exStyle = WS_EX_CLIENTEDGE,
     .x = 15,
     .y = 48,
     .width = 426,
     .height = 30},
    {.className = "BUTTON",
     .text = "&Ok",
     .id = MORVEL_ID_RENAME_BTNOK,
     .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
     .x = 113,
     .y = 115,
     .width = 106,
     .height = 38},
    {.className = "BUTTON",
     .text = "Cancel",
     .id = MORVEL_ID_BTNABORT,
     .style = BS_PUSHBUTTON | WS_TABSTOP,
     .x = 238,
     .y = 115,
     .width = 106,
     .height = 38},
};

// Takes the folder and the old name; gives back the name as typed after OK.
class TRenameForm final : public win::Dialog {
public:
    std::optional<std::string> Ask(HWND owner, const std::string& folder, const std::string& name);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code) override;
    int DefaultId() const override { return MORVEL_ID_RENAME_BTNOK; }

private:
    void OnCreate();
    void OnOk();

    win::Font formFont_;
    win::Font controlFont_;
    win::Edit nameField_;
    std::string newName_;
};

std::optional<std::string> TRenameForm::Ask(HWND owner, const std::string& folder, const std::string& name) {
    // Dialog border, no border icons.
    if (!CreateFrame(kFormClass, "Rename File", kClientWidth, kClientHeight, owner)) return std::nullopt;
    win::SetText(Item(MORVEL_ID_RENAME_DIRLABEL), folder);
    nameField_.SetText(name);
    nameField_.Select(0, -1);
    RememberFocus(nameField_.hwnd());
    if (Run() != IDOK) return std::nullopt;
    return newName_;
}

void TRenameForm::OnCreate() {
    formFont_.Reset(win::CreateUiFont({.face = "Arial", .points = 8, .bold = true}));
    controlFont_.Reset(win::CreateUiFont({.face = "MS Sans Serif", .points = 8, .bold = true}));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    CreateControls(kControls, controlFont_.get());
    nameField_.Attach(Item(MORVEL_ID_THEFILENAME));
    nameField_.LimitText(kMaxName);
}

void TRenameForm::OnOk() {
    newName_ = nameField_.Text();
    End(IDOK);
}

void TRenameForm::OnCommand(int id, int) {
    switch (id) {
        case MORVEL_ID_RENAME_BTNOK:
        case IDOK:
            return OnOk();
        case MORVEL_ID_BTNABORT:
        case IDCANCEL:
            return End(IDCANCEL);
        default:
            return;
    }
}

LRESULT TRenameForm::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        OnCreate();
        return 0;
    }
    return Dialog::WindowMessage(msg, wParam, lParam);
}

// The rename loop's windows: the dialog and the boxes, owned by the Explorer.
class RenameWindows final : public explorer_rules::RenameUi {
public:
    RenameWindows(HWND owner, std::function<std::string()> nameField,
                  std::function<std::u16string(const std::string&)> storedName)
        : owner_(owner), nameField_(std::move(nameField)), storedName_(std::move(storedName)) {}
    std::string NameField() override { return nameField_(); }
    std::u16string StoredName(const std::string& nameField) override { return storedName_(nameField); }
    std::optional<std::string> AskNewName(const std::string& folder, const std::string& oldName) override {
        return RunRenameDialog(owner_, folder, oldName);
    }
    void Show(BoxKind kind, const std::string& text) override { ShowMessage(owner_, kind, text); }
    bool Confirm(const std::string& text) override { return AskOkCancel(owner_, BoxKind::Confirmation, text); }

private:
    HWND owner_;
    std::function<std::string()> nameField_;
    std::function<std::u16string(const std::string&)> storedName_;
};

}  // namespace

std::optional<std::string> RunRenameDialog(HWND owner, const std::string& folder, const std::string& oldName) {
    TRenameForm form;
    return form.Ask(owner, folder, oldName);
}

bool RenameCommand(HWND owner, const std::string& currentFolder, const std::function<std::string()>& nameField,
                   const std::function<std::u16string(const std::string&)>& storedName) {
    RenameWindows windows(owner, nameField, storedName);
    return explorer_rules::RunRename(currentFolder, windows, RealFileSystem()) == explorer_rules::RenameResult::Renamed;
}

}  // namespace morvel

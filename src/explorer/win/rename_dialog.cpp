#include "explorer/win/rename_dialog.h"

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/message_box.h"
#include "common/win/modal.h"
#include "common/win/text.h"
#include "common/win/win_file_system.h"
#include "common/win/window.h"
#include "explorer/rename_rules.h"
#include "morvel32.h"

namespace morvel {

namespace {

const win::WindowClass kFormClass{.name = "TRenameForm"};
constexpr int kClientWidth = 365, kClientHeight = 137;
constexpr int kMaxName = 255;

class TRenameForm final : public win::Window {
public:
    enum class Result { None = 0, Ok = 1, Cancel = 2 };

    // Shows the dialog modally and returns how it was closed; the name is in newName after OK.
    Result ShowModal(HWND owner, const std::string& folder, const std::string& name);
    std::string newName;

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void BtnOkClick();
    void BtnAbortClick() { result_ = Result::Cancel; }
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    win::Font formFont_;
    win::Font controlFont_;
    Result result_ = Result::None;
};

TRenameForm::Result TRenameForm::ShowModal(HWND owner, const std::string& folder, const std::string& name) {
    // Dialog border, no border icons.
    if (!Create(kFormClass, win::CentredDialog("Rename File", kClientWidth, kClientHeight, owner))) {
        return Result::None;
    }
    win::SetText(Item(MORVEL_ID_RENAME_DIRLABEL), folder);
    const HWND edit = Item(MORVEL_ID_THEFILENAME);
    win::SetText(edit, name);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    RememberFocus(edit);

    win::ModalRun modal(hwnd());
    modal.UseDialogKeys(true);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    modal.Loop([this] { return result_ != Result::None; });
    if (result_ == Result::Ok) newName = win::WindowText(edit);
    modal.End();
    DestroyWindow(hwnd());
    return result_;
}

void TRenameForm::FormCreate() {
    formFont_.Reset(win::CreateUiFont({.face = "Arial", .points = 8, .bold = true}));
    controlFont_.Reset(win::CreateUiFont({.face = "MS Sans Serif", .points = 8, .bold = true}));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    const HWND me = hwnd();
    const HFONT font = controlFont_.get();
    // A folder name may hold "&": shown as it is, not as an accelerator.
    win::CreateChild(me, {.className = "STATIC",
                          .id = MORVEL_ID_RENAME_DIRLABEL,
                          .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS,
                          .x = 12,
                          .y = 12,
                          .width = 341,
                          .height = 18,
                          .font = font});
    const HWND edit = win::CreateChild(me, {.className = "EDIT",
                                            .id = MORVEL_ID_THEFILENAME,
                                            .style = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                                            .exStyle = WS_EX_CLIENTEDGE,
                                            .x = 12,
                                            .y = 38,
                                            .width = 341,
                                            .height = 24,
                                            .font = font});
    SendMessageA(edit, EM_LIMITTEXT, kMaxName, 0);
    win::CreateChild(me, {.className = "BUTTON",
                          .text = "&Ok",
                          .id = MORVEL_ID_RENAME_BTNOK,
                          .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                          .x = 90,
                          .y = 92,
                          .width = 85,
                          .height = 30,
                          .font = font});
    win::CreateChild(me, {.className = "BUTTON",
                          .text = "Cancel",
                          .id = MORVEL_ID_BTNABORT,
                          .style = BS_PUSHBUTTON | WS_TABSTOP,
                          .x = 190,
                          .y = 92,
                          .width = 85,
                          .height = 30,
                          .font = font});
}

void TRenameForm::BtnOkClick() {
    result_ = Result::Ok;
}

LRESULT TRenameForm::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case MORVEL_ID_RENAME_BTNOK:
                case IDOK:
                    BtnOkClick();
                    return 0;
                case MORVEL_ID_BTNABORT:
                case IDCANCEL:
                    BtnAbortClick();
                    return 0;
                default:
                    return 0;
            }
        case DM_GETDEFID:
            return win::DefaultButton(hwnd(), MORVEL_ID_RENAME_BTNOK);
        case WM_CLOSE:
            BtnAbortClick();
            return 0;
        default:
            break;
    }
    return DefaultMessage(msg, wParam, lParam);
}

// The rename loop's windows: the dialog and the boxes, owned by the Explorer.
class RenameWindows final : public explorer_rules::RenameUi {
public:
    RenameWindows(HWND owner, std::function<std::string()> nameField)
        : owner_(owner), nameField_(std::move(nameField)) {}
    std::string NameField() override { return nameField_(); }
    std::optional<std::string> AskNewName(const std::string& folder, const std::string& oldName) override {
        return RunRenameDialog(owner_, folder, oldName);
    }
    void Show(BoxKind kind, const std::string& text) override { ShowMessage(owner_, kind, text); }
    bool Confirm(const std::string& text) override { return AskOkCancel(owner_, BoxKind::Confirmation, text); }

private:
    HWND owner_;
    std::function<std::string()> nameField_;
};

}  // namespace

std::optional<std::string> RunRenameDialog(HWND owner, const std::string& folder, const std::string& oldName) {
    TRenameForm form;
    if (form.ShowModal(owner, folder, oldName) != TRenameForm::Result::Ok) return std::nullopt;
    return form.newName;
}

bool RenameCommand(HWND owner, const std::string& currentFolder, const std::function<std::string()>& nameField) {
    RenameWindows windows(owner, nameField);
    return explorer_rules::RunRename(currentFolder, windows, RealFileSystem()) == explorer_rules::RenameResult::Renamed;
}

}  // namespace morvel

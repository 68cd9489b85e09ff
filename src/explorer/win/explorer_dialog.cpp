// The Explorer dialog: a TFileForm window around the Explorer's pane, dressed for its kind, run
// modally, its result the choice. A picture's save and convert dialogs hold the colour depth and
// its format list in the file-type box.
#include "explorer/win/explorer_dialog.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "common/ini_store.h"
#include "common/win/dialog.h"
#include "common/win/win_file_system.h"
#include "compress/win/compression_dialog.h"
#include "explorer/dialog_setup.h"
#include "explorer/file_types.h"
#include "explorer/name_checks.h"
#include "explorer/save_formats.h"
#include "explorer/win/explorer_pane.h"
#include "explorer/win/modeless_explorer.h"
#include "hostlink/win/library.h"
#include "hostlink/win/settings_file.h"
#include "morvel32.h"

namespace morvel {

using namespace explorer_rules;

namespace {

constexpr UINT kMsgSetUp = WM_APP + 0x110;  // the set-up, run once after the first activation

class ExplorerDialog final : public win::Dialog, private ExplorerPane::Owner {
public:
    ExplorerDialog(const ReducedKind& kind, bool restrictedFormats)
        : pane_(*this, *this, {true, kind.dialogKind, kind.convertMode}, nullptr),
          kind_(kind.dialogKind),
          convert_(kind.convertMode),
          restrictedFormats_(restrictedFormats),
          depth_(IsDepthKind(kind.dialogKind) ? kind.dialogKind : 0) {}

    // Creates the window (hidden) with the font rule and the default size, centred; false when
    // refused.
    bool Open(HWND owner) {
        if (!Create(kExplorerClass, pane_.CreationArgs(WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_CLIPCHILDREN,
                                                        WS_EX_DLGMODALFRAME, owner))) {
            return false;
        }
        pane_.ApplyFontRule();
        pane_.PlaceDefault();
        return true;
    }

    int Choose() {
        PostMessageA(hwnd(), kMsgSetUp, 0, 0);
        const int result = Run();
        if (saveFailure_) std::rethrow_exception(saveFailure_);
        return result;
    }

private:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int CancelResult() const override { return MORVEL_DLG_CANCELLED; }
    // The pane's own keys stand in for the system dialog keys.
    bool UsesDialogKeys() const override { return false; }
    bool KeyPreview(const MSG& msg) override { return pane_.KeyPreview(msg); }
    void QuitDuringRun() override {
        accepted_ = false;
        SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    }

    void SetUp();
    void OnFileTypeChanged() override;
    void OnChoiceAccepted() override {
        accepted_ = true;
        SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    }
    void OnOwnerCommand(int id, int code) override;
    // Closed by its close step: the run ends with OK's result or a cancel.
    void Finish();

    // The formats of the colour depth in the file-type box.
    void ListFormats();
    // The format code of the selected entry of the format list, if it has one.
    std::optional<int> SelectedFormatCode() const;
    void OnFormatChosen();
    void OnDepthChanged();
    void SetCompression();
    // After OK in a save or convert dialog: the chosen entry's format code, once the choice is
    // written to the settings file.
    int WriteSaveChoice();

    ExplorerPane pane_;
    const int kind_;
    const bool convert_;
    const bool restrictedFormats_;
    int depth_;                     // the colour depth chosen in a picture's dialog; 0 for none
    std::vector<int> formatCodes_;  // the format code of each entry of the format list
    int formatCode_ = 0;            // the format code of the selected entry
    bool accepted_ = false;         // the confirm step accepted the choice
    std::exception_ptr saveFailure_;
};

void ExplorerDialog::SetUp() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    const DialogSetup setup = SetupForKind(kind_, convert_);
    pane_.DressForDialog(setup);
    // The depth box shows the depth the dialog starts with (24 bits for a kind without one).
    if (setup.nameField == NameFieldMode::HiddenForDepthBox)
        pane_.ShowDepthBox(static_cast<int>(DepthSlot(kind_).value_or(0)));
    if (setup.formatList) ListFormats();
    if (setup.fileTypePosition >= 0) pane_.FileTypeBox().Select(setup.fileTypePosition);
    if (setup.fileTypeFixed) pane_.FileTypeBox().Enable(false);
    pane_.SetFolder(pane_.StartFolder());
    pane_.SetMaskList(std::string(kUnmatchedMaskList));
    OnFileTypeChanged();
    pane_.SetPhase(ExplorerPane::Phase::Open);
    pane_.ShowLookIn();
    const int selected = pane_.SelectedType();
    if (IsDepthKind(kind_)) formatCode_ = SelectedFormatCode().value_or(formatCode_);
    if (!pane_.ProcessPending()) return;
    pane_.ListFolder();
    if (!pane_.ProcessPending()) return;
    if (OffersJpegButton(kind_)) pane_.ShowJpegButton(selected >= 0 && JpegButtonShown(formatCode_));
    pane_.FocusList();
}

void ExplorerDialog::OnFileTypeChanged() {
    if (!IsDepthKind(kind_)) {
        pane_.SetMaskList(std::string(MaskListForPosition(pane_.SelectedType())));
        return;
    }
    // While the window is set up, the set-up records the format itself.
    if (pane_.SetMaskList(SaveMaskList(pane_.SelectedTypeLabel().value_or(""))) && !pane_.Lists()) return;
    OnFormatChosen();
}

void ExplorerDialog::OnOwnerCommand(int id, int code) {
    if (id == MORVEL_ID_BPPTYPE && code == CBN_SELCHANGE) OnDepthChanged();
    if (id == MORVEL_ID_BTNJPEG && code == BN_CLICKED) SetCompression();
}

void ExplorerDialog::Finish() {
    if (Ended()) return;  // closed once already: the choice is written once
    int result = MORVEL_DLG_CANCELLED;
    if (accepted_) {
        result = 0;
        if (IsSaveKind(kind_)) {
            try {
                result = WriteSaveChoice();
            } catch (...) {
                // The dialog goes away however the write ends; the failure is passed on after it.
                saveFailure_ = std::current_exception();
            }
        }
    }
    End(result);
}

void ExplorerDialog::ListFormats() {
    const win::ComboBox& box = pane_.FileTypeBox();
    box.Clear();
    const auto slot = DepthSlot(depth_);
    if (!slot) return;
    const std::vector<FormatEntry> list = FormatList(depth_, restrictedFormats_);
    formatCodes_.clear();
    for (const FormatEntry& entry : list) {
        box.Add(std::string(entry.label));
        formatCodes_.push_back(entry.code);
    }
    int& index = library.explorer.lastFormatIndex[*slot];
    if (restrictedFormats_) {
        if (const auto forced = ForcedRestrictedIndex(depth_)) index = *forced;
    }
    // A position outside the list (a hand-edited key) selects the depth's built-in entry, so that
    // the dialog never returns a format the user did not see.
    index = CheckedFormatIndex(depth_, index, static_cast<int>(list.size()));
    box.Select(index);
}

std::optional<int> ExplorerDialog::SelectedFormatCode() const {
    const int selected = pane_.SelectedType();
    if (selected < 0 || selected >= static_cast<int>(formatCodes_.size())) return std::nullopt;
    return formatCodes_[static_cast<std::size_t>(selected)];
}

void ExplorerDialog::OnFormatChosen() {
    const std::optional<int> code = SelectedFormatCode();
    if (!code) {
        pane_.ShowJpegButton(false);
        return;
    }
    formatCode_ = *code;
    pane_.ShowJpegButton(JpegButtonShown(formatCode_));
    if (const auto slot = DepthSlot(depth_)) library.explorer.lastFormatIndex[*slot] = pane_.SelectedType();
}

void ExplorerDialog::OnDepthChanged() {
    depth_ = DepthOfBoxPosition(pane_.DepthBox().Selection());
    library.explorer.lastFormatIndex[*DepthSlot(depth_)] = PresetFormatIndex(depth_);
    ListFormats();
    OnFileTypeChanged();
}

void ExplorerDialog::SetCompression() {
    const std::optional<int> code = SelectedFormatCode();
    if (!code) return;
    formatCode_ = *code;
    const auto values = RunCompressDialog(formatCode_, compress::ReadCompressValues(Settings()), hwnd());
    if (values) compress::WriteCompressValues(Settings(), *values);
}

int ExplorerDialog::WriteSaveChoice() {
    // A slideshow has no format list; its result only has to differ from a cancel.
    const int code = IsDepthKind(kind_) ? SelectedFormatCode().value_or(0) : 0;
    const auto slot = DepthSlot(depth_);
    const std::string full = FullName(pane_.NameField(), pane_.Folder());
    const std::string shortName = RealFileSystem().ShortPath(full);
    const SettingsFile settings = Settings();
    for (const IniWrite& w :
         SaveChoiceWrites(depth_, slot ? library.explorer.lastFormatIndex[*slot] : 0, full, shortName)) {
        settings.WriteString(w.key, w.value);
    }
    return code;
}

LRESULT ExplorerDialog::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            pane_.Build();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && pane_.phase() == ExplorerPane::Phase::Building)
                PostMessageA(hwnd(), kMsgSetUp, 0, 0);
            break;
        case kMsgSetUp:
            if (pane_.phase() == ExplorerPane::Phase::Building) {
                pane_.SetPhase(ExplorerPane::Phase::SettingUp);
                SetUp();
            }
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (pane_.Message(msg, wParam, lParam, result)) return result;
    // The pane has run the close step: the run ends now, and the window goes once the run has
    // given the activation back.
    if (msg == WM_CLOSE) {
        Finish();
        return 0;
    }
    return DefaultMessage(msg, wParam, lParam);
}

}  // namespace

int RunExplorerDialog(int kindArgument, int restrictedFlag) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    const bool wasRunning = library.explorer.dialogRunning;
    library.explorer.dialogRunning = true;
    // However the dialog ends: a relist that the host asked for meanwhile reaches the modeless
    // Explorer once no dialog runs any more.
    struct Done {
        bool wasRunning;
        ~Done() {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
            auto& explorer = library.explorer;
            explorer.dialogRunning = wasRunning;
            if (!explorer.modeless || explorer.dialogRunning) return;
            if (explorer.relistAfterDialog) PostMessageA(explorer.modeless->hwnd(), kMsgExplorerRelist, 0, 0);
            explorer.relistAfterDialog = false;
        }
    } done{wasRunning};

    ExplorerDialog dialog(ReduceKind(kindArgument), restrictedFlag > 0);
    if (!dialog.Open(GetActiveWindow())) return MORVEL_DLG_CANCELLED;
    return dialog.Choose();
}

}  // namespace morvel

#include "compress/win/compression_dialog.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "common/mnemonic.h"
#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/message_box.h"
#include "common/win/modal.h"
#include "common/win/text.h"
#include "common/win/window.h"
#include "hostlink/host_link.h"
#include "hostlink/settings_file.h"
#include "morvel32.h"

namespace morvel {

compress::CompressValues compressValues;

namespace {

using compress::YuvButton;

const win::WindowClass kFormClass{.name = "TUserCompress"};
constexpr int kClientWidth = 421, kClientHeight = 214;
constexpr int kRadioIds[] = {MORVEL_ID_YUV4, MORVEL_ID_YUV2, MORVEL_ID_YUV1};

void SetBar(HWND bar, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = compress::kQualityMin;
    info.nMax = compress::kQualityMax;
    info.nPos = compress::ClampQuality(position);
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

int BarPosition(HWND bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(bar, SB_CTL, &info);
    return info.nPos;
}

// Where a scroll request moves a bar, with the small step 1 and the large step 10.
std::optional<int> ScrolledPosition(HWND bar, WPARAM request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &info);
    switch (LOWORD(request)) {
        case SB_LINELEFT:
            return info.nPos - compress::kQualitySmallStep;
        case SB_LINERIGHT:
            return info.nPos + compress::kQualitySmallStep;
        case SB_PAGELEFT:
            return info.nPos - compress::kQualityLargeStep;
        case SB_PAGERIGHT:
            return info.nPos + compress::kQualityLargeStep;
        case SB_LEFT:
            return compress::kQualityMin;
        case SB_RIGHT:
            return compress::kQualityMax;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return info.nTrackPos;
        default:
            return std::nullopt;
    }
}

class TUserCompress final : public win::Window {
public:
    TUserCompress(std::int32_t formatCode, compress::CompressValues& values) : code_(formatCode), values_(values) {}

    // Shows the dialog modally; true unless it was cancelled.
    bool Run(HWND owner);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Result { None, Ok, Cancel };

    void FormCreate();
    void FormActivate();
    void FormClose();
    void CustomLEADsettingClick();
    void LumaScrollBarChange(HWND bar);
    void LumaEditChange(HWND edit);
    void YuvClick(YuvButton button) { clickedYuv_ = button; }
    void BtnOKClick();
    void BtnCancelClick();
    void BtnHelpClick();
    void Command(int id, int notification, HWND control);
    // Alt with a label's letter moves the focus to the control the label names (the dialog keys
    // would move it to the control after the label, which is not the one named).
    bool DialogKey(MSG& msg);

    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
    HWND EditOf(HWND bar) const;
    HWND BarOf(HWND edit) const;

    std::int32_t code_;
    compress::CompressValues& values_;
    win::Font font_;
    bool editChanging_ = false;  // EditChanging
    bool activated_ = false;
    std::optional<YuvButton> clickedYuv_;
    Result result_ = Result::None;
};

bool TUserCompress::Run(HWND owner) {
    // Fixed dialog border, no border icons.
    if (!Create(kFormClass, win::CentredDialog("Compression Setting", kClientWidth, kClientHeight, owner))) {
        return false;
    }
    win::ModalRun modal(hwnd());
    modal.UseDialogKeys(true);
    FormActivate();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    modal.Loop([this] { return result_ != Result::None; }, [this](MSG& msg) { return DialogKey(msg); });
    const bool confirmed = result_ != Result::Cancel && result_ != Result::None;
    if (confirmed) FormClose();
    modal.End();
    DestroyWindow(hwnd());
    return confirmed;
}

void TUserCompress::FormCreate() {
    font_.Reset(win::CreateUiFont({.face = "MS Sans Serif", .pixelHeight = 14, .bold = true}));
    const HFONT font = font_.get();
    const HWND me = hwnd();
    const compress::Arrangement arrange = compress::ArrangementFor(code_);
    if (arrange.presetReset) values_.cmp = 0;
    const int preset = compress::PresetIndex(values_.cmp);
    values_.cmp = preset;

    // Created in the order the form declares its controls, which is also the tab order.
    const HWND presets = win::CreateChild(me, {.className = "COMBOBOX",
                                               .id = MORVEL_ID_CUSTOMLEADSETTING,
                                               .style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                               .x = 8,
                                               .y = 98,
                                               .width = 229,
                                               .height = 220,
                                               .visible = arrange.presetsVisible,
                                               .enabled = arrange.presetsEnabled,
                                               .font = font});
    win::CreateChild(me, {.className = "BUTTON",
                          .text = "&Ok",
                          .id = MORVEL_ID_COMPRESS_BTNOK,
                          .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
                          .x = 102,
                          .y = 172,
                          .width = 97,
                          .height = 30,
                          .font = font});
    win::CreateChild(me, {.className = "BUTTON",
                          .text = "Cancel",
                          .id = MORVEL_ID_COMPRESS_BTNCANCEL,
                          .style = BS_PUSHBUTTON | WS_TABSTOP,
                          .x = 209,
                          .y = 172,
                          .width = 97,
                          .height = 30,
                          .font = font});
    win::CreateChild(me, {.className = "EDIT",
                          .id = MORVEL_ID_LUMAEDIT,
                          .style = ES_AUTOHSCROLL | WS_TABSTOP,
                          .exStyle = WS_EX_CLIENTEDGE,
                          .x = 8,
                          .y = 32,
                          .width = 47,
                          .height = 24,
                          .font = font});
    win::CreateChild(me, {.className = "BUTTON",
                          .text = "&Help",
                          .id = MORVEL_ID_COMPRESS_BTNHELP,
                          .style = BS_PUSHBUTTON | WS_TABSTOP,
                          .x = 316,
                          .y = 172,
                          .width = 97,
                          .height = 30,
                          .font = font});
    win::CreateChild(me, {.className = "STATIC",
                          .id = MORVEL_ID_COMPRESS_PANEL1,
                          .style = SS_ETCHEDFRAME,
                          .x = 62,
                          .y = 30,
                          .width = 229,
                          .height = 28});
    win::CreateChild(me, {.className = "SCROLLBAR",
                          .id = MORVEL_ID_LUMASCROLLBAR,
                          .style = SBS_HORZ | WS_TABSTOP,
                          .x = 64,
                          .y = 32,
                          .width = 225,
                          .height = 24});
    win::CreateChild(me, {.className = "STATIC",
                          .id = MORVEL_ID_COMPRESS_PANEL2,
                          .style = SS_ETCHEDFRAME,
                          .x = 62,
                          .y = 96,
                          .width = 229,
                          .height = 28,
                          .visible = arrange.colorBarVisible});
    win::CreateChild(me, {.className = "SCROLLBAR",
                          .id = MORVEL_ID_COLORSCROLLBAR,
                          .style = SBS_HORZ | WS_TABSTOP,
                          .x = 64,
                          .y = 98,
                          .width = 225,
                          .height = 24,
                          .visible = arrange.colorBarVisible});
    win::CreateChild(me, {.className = "STATIC",
                          .text = "(smallest) 255",
                          .id = MORVEL_ID_LABEL1,
                          .style = SS_RIGHT,
                          .x = 169,
                          .y = 60,
                          .width = 120,
                          .height = 18,
                          .font = font});
    win::CreateChild(me, {.className = "STATIC",
                          .text = "2 (best)",
                          .id = MORVEL_ID_LABEL2,
                          .style = SS_LEFT,
                          .x = 64,
                          .y = 60,
                          .width = 100,
                          .height = 18,
                          .font = font});
    win::CreateChild(me, {.className = "EDIT",
                          .id = MORVEL_ID_COLOREDIT,
                          .style = ES_AUTOHSCROLL | WS_TABSTOP,
                          .exStyle = WS_EX_CLIENTEDGE,
                          .x = 8,
                          .y = 98,
                          .width = 47,
                          .height = 24,
                          .visible = arrange.colorBarVisible,
                          .font = font});
    win::CreateChild(me, {.className = "STATIC",
                          .text = std::string(arrange.lumaLabel),
                          .id = MORVEL_ID_LUMALABEL,
                          .style = SS_CENTER,
                          .x = 64,
                          .y = 10,
                          .width = 225,
                          .height = 18,
                          .font = font});
    win::CreateChild(me, {.className = "STATIC",
                          .text = std::string(arrange.colorLabel),
                          .id = MORVEL_ID_COMPRESS_COLORLABEL,
                          .style = SS_CENTER,
                          .x = 64,
                          .y = 128,
                          .width = 225,
                          .height = 18,
                          .visible = arrange.colorLabelVisible,
                          .font = font});
    win::CreateChild(me, {.className = "BUTTON",
                          .text = "S&ample",
                          .id = MORVEL_ID_GROUPBOX1,
                          .style = BS_GROUPBOX | WS_GROUP,
                          .x = 304,
                          .y = 8,
                          .width = 109,
                          .height = 116,
                          .font = font});
    for (std::size_t i = 0; i < std::size(kRadioIds); ++i) {
        DWORD style = BS_AUTORADIOBUTTON | BS_LEFTTEXT;
        if (i == 0) style |= WS_GROUP | WS_TABSTOP;
        win::CreateChild(me, {.className = "BUTTON",
                              .text = std::string(compress::kYuvCaptions[i]),
                              .id = kRadioIds[i],
                              .style = style,
                              .x = 316,
                              .y = 30 + static_cast<int>(i) * 30,
                              .width = 84,
                              .height = 22,
                              .enabled = arrange.radiosEnabled,
                              .font = font});
    }

    // The frames and the group box lie under the controls they surround, so that the mouse
    // reaches the bars and the radio buttons; not being tab stops, they keep the tab order as it is.
    for (const int id : {MORVEL_ID_COMPRESS_PANEL1, MORVEL_ID_COMPRESS_PANEL2, MORVEL_ID_GROUPBOX1}) {
        SetWindowPos(Item(id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    for (const std::string_view text : compress::kCmpPresets) {
        SendMessageA(presets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(text).c_str()));
    }
    SendMessageA(presets, CB_SETCURSEL, static_cast<WPARAM>(preset), 0);

    // Each bar's change writes its position into its field.
    for (const auto& [bar, value] : {std::pair{Item(MORVEL_ID_LUMASCROLLBAR), values_.jpg},
                                     std::pair{Item(MORVEL_ID_COLORSCROLLBAR), values_.pic}}) {
        SetBar(bar, value);
        LumaScrollBarChange(bar);
    }
    const int checked = static_cast<int>(compress::CheckedYuv(values_.yuv));
    SendMessageA(Item(kRadioIds[checked]), BM_SETCHECK, BST_CHECKED, 0);
}

void TUserCompress::FormActivate() {
    if (activated_) return;
    activated_ = true;
    RECT panel{};
    GetWindowRect(Item(MORVEL_ID_COMPRESS_PANEL2), &panel);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&panel), 2);
    const HWND presets = Item(MORVEL_ID_CUSTOMLEADSETTING);
    RECT current{};
    GetWindowRect(presets, &current);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&current), 2);
    SetWindowPos(presets, nullptr, panel.left, current.top, panel.right - panel.left, 220,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const bool custom = compress::CustomValueEnabled(values_.cmp);
    EnableWindow(Item(MORVEL_ID_LUMASCROLLBAR), custom);
    EnableWindow(Item(MORVEL_ID_LUMAEDIT), custom);
    // The first control that can take input.
    RememberFocus(GetNextDlgTabItem(hwnd(), nullptr, FALSE));
}

void TUserCompress::FormClose() {
    values_.jpg =
        compress::QualityOnOk(win::WindowText(Item(MORVEL_ID_LUMAEDIT)), BarPosition(Item(MORVEL_ID_LUMASCROLLBAR)));
    values_.pic =
        compress::QualityOnOk(win::WindowText(Item(MORVEL_ID_COLOREDIT)), BarPosition(Item(MORVEL_ID_COLORSCROLLBAR)));
    const LRESULT preset = SendMessageA(Item(MORVEL_ID_CUSTOMLEADSETTING), CB_GETCURSEL, 0, 0);
    values_.cmp = compress::PresetIndex(static_cast<std::int32_t>(preset));
    if (clickedYuv_) values_.yuv = compress::YuvValue(*clickedYuv_);
}

void TUserCompress::CustomLEADsettingClick() {
    const LRESULT index = SendMessageA(Item(MORVEL_ID_CUSTOMLEADSETTING), CB_GETCURSEL, 0, 0);
    const bool custom = compress::CustomValueEnabled(static_cast<int>(index));
    EnableWindow(Item(MORVEL_ID_LUMASCROLLBAR), custom);
    EnableWindow(Item(MORVEL_ID_LUMAEDIT), custom);
}

HWND TUserCompress::EditOf(HWND bar) const {
    return bar == Item(MORVEL_ID_COLORSCROLLBAR) ? Item(MORVEL_ID_COLOREDIT) : Item(MORVEL_ID_LUMAEDIT);
}

HWND TUserCompress::BarOf(HWND edit) const {
    return edit == Item(MORVEL_ID_COLOREDIT) ? Item(MORVEL_ID_COLORSCROLLBAR) : Item(MORVEL_ID_LUMASCROLLBAR);
}

void TUserCompress::LumaScrollBarChange(HWND bar) {
    if (editChanging_) return;
    win::SetText(EditOf(bar), std::to_string(BarPosition(bar)));
}

void TUserCompress::LumaEditChange(HWND edit) {
    // Replacing the text raises this handler again for the settled text; the flag is restored to
    // what the outer call set, so the bars write into their fields again only when all is done.
    const bool outer = editChanging_;
    editChanging_ = true;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{editChanging_, outer};

    const compress::FieldCorrection correction = compress::CorrectQualityField(win::WindowText(edit));
    if (correction.error) {
        editChanging_ = outer;
        ShowMessage(hwnd(), BoxKind::Error, *correction.error);
        return;
    }
    if (correction.replacement) {
        win::SetText(edit, *correction.replacement);
        const auto end = static_cast<WPARAM>(correction.replacement->size());
        SendMessageA(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    if (correction.position) SetBar(BarOf(edit), *correction.position);
}

void TUserCompress::BtnOKClick() {
    result_ = Result::Ok;
}

void TUserCompress::BtnCancelClick() {
    result_ = Result::Cancel;
}

void TUserCompress::BtnHelpClick() {
    ShowHelp(hwnd(), HelpContext::Compression);
}

void TUserCompress::Command(int id, int notification, HWND control) {
    switch (id) {
        case MORVEL_ID_CUSTOMLEADSETTING:
            if (notification == CBN_SELCHANGE) CustomLEADsettingClick();
            return;
        case MORVEL_ID_LUMAEDIT:
        case MORVEL_ID_COLOREDIT:
            if (notification == EN_CHANGE) LumaEditChange(control);
            return;
        case MORVEL_ID_YUV4:
        case MORVEL_ID_YUV2:
        case MORVEL_ID_YUV1:
            if (notification == BN_CLICKED) {
                YuvClick(static_cast<YuvButton>(std::find(std::begin(kRadioIds), std::end(kRadioIds), id) -
                                                std::begin(kRadioIds)));
            }
            return;
        case MORVEL_ID_COMPRESS_BTNOK:
        case IDOK:
            BtnOKClick();
            return;
        case MORVEL_ID_COMPRESS_BTNCANCEL:
        case IDCANCEL:
            BtnCancelClick();
            return;
        case MORVEL_ID_COMPRESS_BTNHELP:
            BtnHelpClick();
            return;
        default:
            return;
    }
}

bool TUserCompress::DialogKey(MSG& msg) {
    if (!IsWindow(hwnd())) return false;
    if (msg.message == WM_SYSCHAR && (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd))) {
        const char typed = static_cast<char>(msg.wParam);
        const HWND colorTarget =
            IsWindowVisible(Item(MORVEL_ID_COLOREDIT)) ? Item(MORVEL_ID_COLOREDIT) : Item(MORVEL_ID_CUSTOMLEADSETTING);
        const HWND checkedRadio = [&] {
            for (const int id : kRadioIds) {
                if (SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED) return Item(id);
            }
            return Item(MORVEL_ID_YUV4);
        }();
        const std::pair<int, HWND> labels[] = {{MORVEL_ID_LUMALABEL, Item(MORVEL_ID_LUMAEDIT)},
                                               {MORVEL_ID_COMPRESS_COLORLABEL, colorTarget},
                                               {MORVEL_ID_GROUPBOX1, checkedRadio}};
        for (const auto& [label, target] : labels) {
            if (!IsWindowVisible(Item(label)) || !MatchesMnemonic(win::WindowText(Item(label)), typed)) continue;
            if (win::CanTakeFocus(target)) SetFocus(target);
            return true;
        }
    }
    return false;
}

LRESULT TUserCompress::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_HSCROLL: {
            const HWND bar = reinterpret_cast<HWND>(lParam);
            if (!bar) break;
            if (const auto position = ScrolledPosition(bar, wParam)) {
                const int clamped = compress::ClampQuality(*position);
                if (clamped != BarPosition(bar)) {
                    SetBar(bar, clamped);
                    LumaScrollBarChange(bar);
                }
            }
            return 0;
        }
        case DM_GETDEFID:
            return win::DefaultButton(hwnd(), MORVEL_ID_COMPRESS_BTNOK);
        case WM_CLOSE:
            BtnCancelClick();
            return 0;
        default:
            break;
    }
    return DefaultMessage(msg, wParam, lParam);
}

}  // namespace

std::int32_t RunCompressDialog(std::int32_t formatCode, HWND owner) {
    compressValues = compress::ReadCompressValues(Settings());
    TUserCompress form(formatCode, compressValues);
    return form.Run(owner) ? 1 : 0;
}

}  // namespace morvel

#include "compress/win/compression_dialog.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "common/mnemonic.h"
#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/message_box.h"
#include "common/win/text.h"
#include "hostlink/host_link.h"
#include "morvel32.h"

namespace morvel {

namespace {

using compress::YuvButton;

const win::WindowClass kFormClass{.name = "TUserCompress"};
constexpr int kClientWidth = 526, kClientHeight = 268;  // design pixels: 421 x 214 at 96 dpi
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

// The controls in the order the form declares them, which is also the tab order; design pixels
// at 120 dpi. What depends on the format code (visibility, enabling, label texts) is set after.
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | BS_LEFTTEXT;
constexpr int kPresetsDropHeight = 275;
constexpr win::ControlRow kControls[] = {
    {"COMBOBOX", "", MORVEL_ID_CUSTOMLEADSETTING, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 10, 123, 286,
     kPresetsDropHeight},
    {"BUTTON", "&Ok", MORVEL_ID_COMPRESS_BTNOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 128, 215, 121, 38},
    {"BUTTON", "Cancel", MORVEL_ID_COMPRESS_BTNCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 261, 215, 121, 38},
    {"EDIT", "", MORVEL_ID_LUMAEDIT, kEdit, WS_EX_CLIENTEDGE, 10, 40, 59, 30},
    {"BUTTON", "&Help", MORVEL_ID_COMPRESS_BTNHELP, BS_PUSHBUTTON | WS_TABSTOP, 0, 395, 215, 121, 38},
    {"STATIC", "", MORVEL_ID_COMPRESS_PANEL1, SS_ETCHEDFRAME, 0, 78, 38, 286, 35},
    {"SCROLLBAR", "", MORVEL_ID_LUMASCROLLBAR, SBS_HORZ | WS_TABSTOP, 0, 80, 40, 281, 30},
    {"STATIC", "", MORVEL_ID_COMPRESS_PANEL2, SS_ETCHEDFRAME, 0, 78, 120, 286, 35},
    {"SCROLLBAR", "", MORVEL_ID_COLORSCROLLBAR, SBS_HORZ | WS_TABSTOP, 0, 80, 123, 281, 30},
    {"STATIC", "(smallest) 255", MORVEL_ID_LABEL1, SS_RIGHT, 0, 211, 75, 150, 23},
    {"STATIC", "2 (best)", MORVEL_ID_LABEL2, SS_LEFT, 0, 80, 75, 125, 23},
    {"EDIT", "", MORVEL_ID_COLOREDIT, kEdit, WS_EX_CLIENTEDGE, 10, 123, 59, 30},
    {"STATIC", "", MORVEL_ID_LUMALABEL, SS_CENTER, 0, 80, 13, 281, 23},
    {"STATIC", "", MORVEL_ID_COMPRESS_COLORLABEL, SS_CENTER, 0, 80, 160, 281, 23},
    {"BUTTON", "S&ample", MORVEL_ID_GROUPBOX1, BS_GROUPBOX | WS_GROUP, 0, 380, 10, 136, 145},
    {"BUTTON", compress::kYuvCaptions[0].data(), MORVEL_ID_YUV4, kRadio | WS_GROUP | WS_TABSTOP, 0, 395, 38, 105, 28},
    {"BUTTON", compress::kYuvCaptions[1].data(), MORVEL_ID_YUV2, kRadio, 0, 395, 75, 105, 28},
    {"BUTTON", compress::kYuvCaptions[2].data(), MORVEL_ID_YUV1, kRadio, 0, 395, 113, 105, 28},
};

class TUserCompress final : public win::Dialog {
public:
    TUserCompress(std::int32_t formatCode, const compress::CompressValues& stored)
        : code_(formatCode), values_(stored) {}

    // Shows the dialog modally; the confirmed values, or nothing when it was cancelled.
    std::optional<compress::CompressValues> Show(HWND owner);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int DefaultId() const override { return MORVEL_ID_COMPRESS_BTNOK; }
    bool PreviewMessage(MSG& msg) override { return DialogKey(msg); }

private:
    void FormCreate();
    void FormActivate();
    void FormClose();
    void CustomLEADsettingClick();
    void LumaScrollBarChange(HWND bar);
    void LumaEditChange(HWND edit);
    void YuvClick(YuvButton button) { clickedYuv_ = button; }
    void BtnOKClick() {
        FormClose();
        End(IDOK);
    }
    void BtnCancelClick() { End(IDCANCEL); }
    void BtnHelpClick();
    void Command(int id, int notification, HWND control);
    // Alt with a label's letter moves the focus to the control the label names (the dialog keys
    // would move it to the control after the label, which is not the one named).
    bool DialogKey(const MSG& msg);

    HWND EditOf(HWND bar) const;
    HWND BarOf(HWND edit) const;

    std::int32_t code_;
    compress::CompressValues values_;
    win::Font font_;
    bool editChanging_ = false;  // EditChanging
    bool activated_ = false;
    std::optional<YuvButton> clickedYuv_;
};

std::optional<compress::CompressValues> TUserCompress::Show(HWND owner) {
    // Fixed dialog border, no border icons.
    if (!CreateFrame(kFormClass, "Compression Setting", kClientWidth, kClientHeight, owner)) return std::nullopt;
    FormActivate();
    if (Run() != IDOK) return std::nullopt;
    return values_;
}

void TUserCompress::FormCreate() {
    font_.Reset(win::CreateUiFont({.face = "MS Sans Serif", .designHeight = 14, .bold = true}));
    const compress::Arrangement arrange = compress::ArrangementFor(code_);
    if (arrange.presetReset) values_.cmp = 0;
    const int preset = compress::PresetIndex(values_.cmp);
    values_.cmp = preset;

    CreateControls(kControls, font_.get());
    const HWND presets = Item(MORVEL_ID_CUSTOMLEADSETTING);
    ShowWindow(presets, arrange.presetsVisible ? SW_SHOW : SW_HIDE);
    EnableWindow(presets, arrange.presetsEnabled);
    for (const int id : {MORVEL_ID_COMPRESS_PANEL2, MORVEL_ID_COLORSCROLLBAR, MORVEL_ID_COLOREDIT})
        ShowWindow(Item(id), arrange.colorBarVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(Item(MORVEL_ID_COMPRESS_COLORLABEL), arrange.colorLabelVisible ? SW_SHOW : SW_HIDE);
    win::SetText(Item(MORVEL_ID_LUMALABEL), std::string(arrange.lumaLabel));
    win::SetText(Item(MORVEL_ID_COMPRESS_COLORLABEL), std::string(arrange.colorLabel));
    for (const int id : kRadioIds) EnableWindow(Item(id), arrange.radiosEnabled);

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
    SetWindowPos(presets, nullptr, panel.left, current.top, panel.right - panel.left, Scale(kPresetsDropHeight),
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

bool TUserCompress::DialogKey(const MSG& msg) {
    if (msg.message != WM_SYSCHAR || !(msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd))) return false;
    const char typed = static_cast<char>(msg.wParam);
    const HWND colorTarget =
        IsWindowVisible(Item(MORVEL_ID_COLOREDIT)) ? Item(MORVEL_ID_COLOREDIT) : Item(MORVEL_ID_CUSTOMLEADSETTING);
    HWND checkedRadio = Item(MORVEL_ID_YUV4);
    for (const int id : kRadioIds) {
        if (SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED) checkedRadio = Item(id);
    }
    const win::LabelTarget labels[] = {{Item(MORVEL_ID_LUMALABEL), Item(MORVEL_ID_LUMAEDIT)},
                                       {Item(MORVEL_ID_COMPRESS_COLORLABEL), colorTarget},
                                       {Item(MORVEL_ID_GROUPBOX1), checkedRadio}};
    if (win::LabelLetter(typed, labels)) return true;
    // A label whose control is disabled keeps its letter: the letter moves the focus nowhere.
    return std::any_of(std::begin(labels), std::end(labels), [&](const win::LabelTarget& entry) {
        return IsWindowVisible(entry.label) && MatchesMnemonic(win::WindowText(entry.label), typed);
    });
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
        default:
            break;
    }
    return Dialog::WindowMessage(msg, wParam, lParam);
}

}  // namespace

std::optional<compress::CompressValues> RunCompressDialog(std::int32_t formatCode,
                                                          const compress::CompressValues& stored, HWND owner) {
    TUserCompress form(formatCode, stored);
    return form.Show(owner);
}

}  // namespace morvel

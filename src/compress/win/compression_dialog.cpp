#include "compress/win/compression_dialog.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "common/mnemonic.h"
#include "common/scope_exit.h"
#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/keys.h"
#include "common/win/message_box.h"
#include "common/win/text.h"
#include "hostlink/win/host_link.h"
#include "morvel32.h"

namespace morvel {

namespace {

using compress::YuvButton;

const win::WindowClass kFormClass{.name = "TUserCompress"};
constexpr int kClientWidth = 526, kClientHeight = 268;  // design pixels: 421 x 214 at 96 dpi
constexpr int kRadioIds[] = {MORVEL_ID_YUV4, MORVEL_ID_YUV2, MORVEL_ID_YUV1};

// The controls in the order the form declares them, which is also the tab order; design pixels
// at 120 dpi. What depends on the format code (visibility, enabling, label texts) is set after.
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | BS_LEFTTEXT;
constexpr int kPresetsDropHeight = 275;
constexpr win::ChildArgs kControls[] = {
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
    void OnCommand(int id, int code) override;
    int DefaultId() const override { return MORVEL_ID_COMPRESS_BTNOK; }
    // Alt with a label's letter moves the focus to the control the label names (the dialog keys
    // would move it to the control after the label, which is not the one named).
    bool KeyPreview(const MSG& msg) override;

private:
    // A quality bar and the field that shows its value.
    struct Quality {
        win::ScrollBar bar;
        win::Edit field;
    };

    void OnCreate();
    void OnFirstShow();
    void CollectValues();
    void OnPresetChanged();
    void OnBarChanged(Quality& quality);
    void OnFieldChanged(Quality& quality);
    void OnOk() {
        CollectValues();
        End(IDOK);
    }
    void EnableCustomQuality(bool custom) const;

    std::int32_t code_;
    compress::CompressValues values_;
    win::Font font_;
    win::ComboBox presets_;
    Quality luma_, color_;
    bool fieldChanging_ = false;
    bool shown_ = false;
    std::optional<YuvButton> clickedSample_;
};

std::optional<compress::CompressValues> TUserCompress::Show(HWND owner) {
    // Fixed dialog border, no border icons.
    if (!CreateFrame(kFormClass, "Compression Setting", kClientWidth, kClientHeight, owner)) return std::nullopt;
    OnFirstShow();
    if (Run() != IDOK) return std::nullopt;
    return values_;
}

void TUserCompress::OnCreate() {
    // Bold 14 in the design units of the dialog's table, as its client area: in a fixed 14 pixels
    // the widest preset did not fit the box.
    font_.Reset(win::CreateUiFont({.face = "MS Sans Serif", .designHeight = 14, .bold = true}));
    const compress::Arrangement arrange = compress::ArrangementFor(code_);
    if (arrange.presetReset) values_.cmp = 0;
    const int preset = compress::PresetIndex(values_.cmp);
    values_.cmp = preset;

    CreateControls(kControls, font_.get());
    presets_.Attach(Item(MORVEL_ID_CUSTOMLEADSETTING));
    luma_.field.Attach(Item(MORVEL_ID_LUMAEDIT));
    color_.field.Attach(Item(MORVEL_ID_COLOREDIT));
    presets_.Show(arrange.presetsVisible);
    presets_.Enable(arrange.presetsEnabled);
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

    for (const std::string_view text : compress::kCmpPresets) presets_.Add(std::string(text));
    presets_.Select(preset);

    // Each bar's change writes its position into its field.
    const win::ScrollBar::Range range{.min = compress::kQualityMin,
                                      .max = compress::kQualityMax,
                                      .smallStep = compress::kQualitySmallStep,
                                      .largeStep = compress::kQualityLargeStep};
    for (const auto& [quality, bar, value] : {std::tuple{&luma_, MORVEL_ID_LUMASCROLLBAR, values_.jpg},
                                              std::tuple{&color_, MORVEL_ID_COLORSCROLLBAR, values_.pic}}) {
        quality->bar.Attach(Item(bar), range, value);
        quality->bar.onChange = [this, quality = quality](int) { OnBarChanged(*quality); };
        OnBarChanged(*quality);
    }
    const int checked = static_cast<int>(compress::CheckedYuv(values_.yuv));
    SendMessageA(Item(kRadioIds[checked]), BM_SETCHECK, BST_CHECKED, 0);
}

void TUserCompress::OnFirstShow() {
    if (shown_) return;
    shown_ = true;
    // The preset list spans the second bar's frame.
    RECT panel{};
    GetWindowRect(Item(MORVEL_ID_COMPRESS_PANEL2), &panel);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&panel), 2);
    RECT current{};
    GetWindowRect(presets_.hwnd(), &current);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&current), 2);
    SetWindowPos(presets_.hwnd(), nullptr, panel.left, current.top, panel.right - panel.left, Scale(kPresetsDropHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    EnableCustomQuality(compress::CustomValueEnabled(values_.cmp));
    // The first control that can take input.
    RememberFocus(GetNextDlgTabItem(hwnd(), nullptr, FALSE));
}

void TUserCompress::CollectValues() {
    values_.jpg = compress::QualityOnOk(luma_.field.Text(), luma_.bar.Position());
    values_.pic = compress::QualityOnOk(color_.field.Text(), color_.bar.Position());
    values_.cmp = compress::PresetIndex(presets_.Selection());
    if (clickedSample_) values_.yuv = compress::YuvValue(*clickedSample_);
}

void TUserCompress::EnableCustomQuality(bool custom) const {
    luma_.bar.Enable(custom);
    luma_.field.Enable(custom);
}

void TUserCompress::OnPresetChanged() {
    EnableCustomQuality(compress::CustomValueEnabled(presets_.Selection()));
}

void TUserCompress::OnBarChanged(Quality& quality) {
    if (fieldChanging_) return;
    quality.field.SetText(std::to_string(quality.bar.Position()));
}

void TUserCompress::OnFieldChanged(Quality& quality) {
    // Replacing the text raises this handler again for the settled text; the flag is restored to
    // what the outer call set, so the bars write into their fields again only when all is done.
    const bool outer = std::exchange(fieldChanging_, true);
    const ScopeExit restore([this, outer] { fieldChanging_ = outer; });

    const compress::FieldCorrection correction = compress::CorrectQualityField(quality.field.Text());
    if (correction.error) {
        fieldChanging_ = outer;
        ShowMessage(hwnd(), BoxKind::Error, *correction.error);
        return;
    }
    if (correction.replacement) {
        quality.field.SetText(*correction.replacement);
        quality.field.SelectEnd();
    }
    if (correction.position) quality.bar.SetPosition(*correction.position);
}

void TUserCompress::OnCommand(int id, int code) {
    switch (id) {
        case MORVEL_ID_CUSTOMLEADSETTING:
            if (code == CBN_SELCHANGE) OnPresetChanged();
            return;
        case MORVEL_ID_LUMAEDIT:
            if (code == EN_CHANGE) OnFieldChanged(luma_);
            return;
        case MORVEL_ID_COLOREDIT:
            if (code == EN_CHANGE) OnFieldChanged(color_);
            return;
        case MORVEL_ID_YUV4:
        case MORVEL_ID_YUV2:
        case MORVEL_ID_YUV1:
            if (code == BN_CLICKED) {
                clickedSample_ = static_cast<YuvButton>(std::find(std::begin(kRadioIds), std::end(kRadioIds), id) -
                                                        std::begin(kRadioIds));
            }
            return;
        case MORVEL_ID_COMPRESS_BTNOK:
        case IDOK:
            OnOk();
            return;
        case MORVEL_ID_COMPRESS_BTNCANCEL:
        case IDCANCEL:
            End(IDCANCEL);
            return;
        case MORVEL_ID_COMPRESS_BTNHELP:
            ShowHelp(hwnd(), HelpContext::Compression);
            return;
        default:
            return;
    }
}

bool TUserCompress::KeyPreview(const MSG& msg) {
    if (msg.message != WM_SYSCHAR) return false;
    const char typed = static_cast<char>(msg.wParam);
    const HWND colorTarget = color_.field.Visible() ? color_.field.hwnd() : presets_.hwnd();
    HWND checkedRadio = Item(MORVEL_ID_YUV4);
    for (const int id : kRadioIds) {
        if (SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED) checkedRadio = Item(id);
    }
    const win::LabelTarget labels[] = {{Item(MORVEL_ID_LUMALABEL), luma_.field.hwnd()},
                                       {Item(MORVEL_ID_COMPRESS_COLORLABEL), colorTarget},
                                       {Item(MORVEL_ID_GROUPBOX1), checkedRadio}};
    if (win::LabelLetter(typed, labels)) return true;
    // A label whose control is disabled keeps its letter: the letter moves the focus nowhere.
    return std::any_of(std::begin(labels), std::end(labels), [&](const win::LabelTarget& entry) {
        return IsWindowVisible(entry.label) && MatchesMnemonic(win::WindowText(entry.label), typed);
    });
}

LRESULT TUserCompress::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        OnCreate();
        return 0;
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

#include "explorer/win/look_in_box.h"

#include "common/win/controls.h"
#include "common/win/text.h"
#include "explorer/win/list_glyphs.h"

namespace morvel {

using namespace explorer_rules;

namespace {

// Each level of the folder chain is indented by 8 pixels at 96 dpi.
constexpr int kIndentPerLevel = 10;

void DrawBitmap(HDC dc, int x, int y, int size, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, size, size, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace

void LookInBox::Create(HWND parent, int id, HFONT font) {
    hwnd_ = win::CreateChild(parent,
                             {.className = "COMBOBOX",
                              .id = id,
                              .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                              .width = 10,
                              .height = 10,
                              .font = font});
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const DesignScale scale = win::ScreenScale();
    row_ = ListRowFor(scale, metrics.tmHeight);
    indentPerLevel_ = scale(kIndentPerLevel);
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, 0, row_.height);
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row_.height);
}

void LookInBox::Show(const std::vector<DriveInfo>& drives, const std::string& folder) {
    model_ = BuildLookIn(drives, folder);
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < model_.entries.size(); ++i) {
        const LRESULT at =
            SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model_.entries[i].text.c_str()));
        SendMessageA(hwnd_, CB_SETITEMDATA, at, static_cast<LPARAM>(i));
    }
    Select(model_.selected);
}

int LookInBox::Selected() const {
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}

void LookInBox::Select(int index) {
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

LookInChoice LookInBox::Choice() const {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) texts.push_back(win::ComboItemText(hwnd_, i));
    return ChoiceAt(texts, Selected());
}

void LookInBox::MeasureItem(MEASUREITEMSTRUCT& item) const {
    item.itemHeight = static_cast<UINT>(row_.height);
}

void LookInBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const std::string text = win::ComboItemText(hwnd_, static_cast<int>(item.itemID));
    const std::size_t index = static_cast<std::size_t>(item.itemData);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int x = item.rcItem.left + 2;
    const std::size_t indent = text.find_first_not_of(' ');
    if (index < model_.entries.size()) {
        const LookInEntry& entry = model_.entries[index];
        // The drop-down shows the chain indented; the box itself shows the entry flush left.
        const bool inDropDown = (item.itemState & ODS_COMBOBOXEDIT) == 0;
        if (inDropDown && indent != std::string::npos && !entry.drive) x += static_cast<int>(indent) * indentPerLevel_;
        const int top = (item.rcItem.top + item.rcItem.bottom - row_.glyph) / 2;
        if (entry.drive) {
            DrawDriveGlyph(item.hDC, x, top, row_.glyph, entry.driveType);
        } else if (entry.current && folderGlyph_) {
            DrawBitmap(item.hDC, x, top, row_.glyph, folderGlyph_);
        }
    }
    RECT textRect = item.rcItem;
    textRect.left = x + row_.glyph + 2;
    const std::string shown = indent == std::string::npos ? text : text.substr(indent);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace morvel

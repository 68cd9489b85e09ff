#include "explorer/win/look_in_box.h"

#include "common/win/controls.h"
#include "common/win/text.h"

namespace morvel {

using namespace explorer_rules;

namespace {

constexpr int kItemHeight = kGlyphSize + 2;
constexpr int kIndentPerLevel = 8;

win::Bitmap MakeGlyph(bool folder) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    win::Bitmap bitmap(CreateCompatibleBitmap(screen, kGlyphSize, kGlyphSize));
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap.get());
    RECT all{0, 0, kGlyphSize, kGlyphSize};
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    const win::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
    const win::Brush brush(CreateSolidBrush(folder ? RGB(255, 208, 64) : RGB(255, 255, 255)));
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    const HGDIOBJ oldBrush = SelectObject(dc, brush.get());
    if (folder) {
        Rectangle(dc, 1, 4, 15, 14);
        Rectangle(dc, 1, 2, 7, 5);
    } else {
        Rectangle(dc, 3, 1, 13, 15);
        MoveToEx(dc, 5, 5, nullptr);
        LineTo(dc, 11, 5);
        MoveToEx(dc, 5, 8, nullptr);
        LineTo(dc, 11, 8);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void DrawDriveGlyph(HDC dc, int x, int y, DriveType type) {
    COLORREF colour = RGB(160, 160, 160);
    switch (type) {
        case DriveType::Removable:
            colour = RGB(200, 200, 200);
            break;
        case DriveType::CdRom:
            colour = RGB(120, 160, 220);
            break;
        case DriveType::Remote:
            colour = RGB(120, 200, 120);
            break;
        case DriveType::RamDisk:
            colour = RGB(220, 160, 120);
            break;
        default:
            break;
    }
    const win::Brush brush(CreateSolidBrush(colour));
    RECT r{x + 1, y + 5, x + 15, y + 12};
    FillRect(dc, &r, brush.get());
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, kGlyphSize, kGlyphSize, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace

win::Bitmap MakeFileGlyph() {
    return MakeGlyph(false);
}
win::Bitmap MakeFolderGlyph() {
    return MakeGlyph(true);
}

void LookInBox::Create(HWND parent, int id, HFONT font) {
    hwnd_ = win::CreateChild(parent,
                             {.className = "COMBOBOX",
                              .id = id,
                              .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                              .width = 10,
                              .height = 10,
                              .font = font});
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, 0, kItemHeight);
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
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

void LookInBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = kItemHeight;
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
        if (inDropDown && indent != std::string::npos && !entry.drive) x += static_cast<int>(indent) * kIndentPerLevel;
        if (entry.drive) {
            DrawDriveGlyph(item.hDC, x, item.rcItem.top + 1, entry.driveType);
        } else if (entry.current && folderGlyph_) {
            DrawBitmap(item.hDC, x, item.rcItem.top + 1, folderGlyph_);
        }
    }
    RECT textRect = item.rcItem;
    textRect.left = x + kGlyphSize + 2;
    const std::string shown = indent == std::string::npos ? text : text.substr(indent);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace morvel

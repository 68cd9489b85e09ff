#include "explorer/Xfiles.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace morvel {

namespace {
constexpr int kGlyphSize = 16;
constexpr int kGlyphGap = 2;
constexpr UINT_PTR kTextSubclass = 0x5846;

// The box keeps no strings (a list of 100,000 names is set with one count); it answers the text
// queries from its entries, so that hosts and tools read it as any list box.
LRESULT CALLBACK TextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const auto* box = reinterpret_cast<const XFileListBox*>(data);
    const int index = static_cast<int>(wParam);
    switch (msg) {
        case LB_GETTEXTLEN:
            if (index < 0 || index >= box->Count()) return LB_ERR;
            return static_cast<LRESULT>(box->Text(index).size());
        case LB_GETTEXT: {
            if (index < 0 || index >= box->Count() || lParam == 0) return LB_ERR;
            const std::string& text = box->Text(index);
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
            return static_cast<LRESULT>(text.size());
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, TextProc, kTextSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}
}  // namespace

DWORD XFileListBox::StyleBits() const {
    DWORD bits = WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA |
                 LBS_NOINTEGRALHEIGHT | WS_BORDER;
    if (style_.multiSelect) bits |= LBS_EXTENDEDSEL;
    if (style_.multiColumn) bits = (bits & ~WS_VSCROLL) | LBS_MULTICOLUMN | WS_HSCROLL;
    return bits;
}

void XFileListBox::Create(HWND parent, int id, const Style& style) {
    parent_ = parent;
    id_ = id;
    style_ = style;
    hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", StyleBits() | WS_VISIBLE, 0, 0, 100, 100, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SetWindowSubclass(hwnd_, TextProc, kTextSubclass, reinterpret_cast<DWORD_PTR>(this));
}

void XFileListBox::Recreate(const Style& style) {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
    const bool visible = IsWindowVisible(hwnd_) != 0;
    const bool enabled = IsWindowEnabled(hwnd_) != 0;
    const bool focused = GetFocus() == hwnd_;
    const HWND old = hwnd_;
    style_ = style;
    hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", StyleBits() | (visible ? WS_VISIBLE : 0), rect.left,
                            rect.top, rect.right - rect.left, rect.bottom - rect.top, parent_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    // The old box keeps its ID until it is gone, so the new one takes it afterwards.
    SetWindowPos(hwnd_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(old);
    SetWindowLongPtrA(hwnd_, GWLP_ID, id_);
    SetWindowSubclass(hwnd_, TextProc, kTextSubclass, reinterpret_cast<DWORD_PTR>(this));
    EnableWindow(hwnd_, enabled);
    if (font_) SetFont(font_);
    std::vector<explorer_rules::ListEntry> entries = std::move(entries_);
    entries_.clear();
    if (!entries.empty()) Fill(std::move(entries));
    if (focused) SetFocus(hwnd_);
}

void XFileListBox::SetFont(HFONT font) {
    font_ = font;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const int height = std::max<int>(metrics.tmHeight, kGlyphSize) + 2;
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, height);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void XFileListBox::SetGlyphs(HBITMAP file, HBITMAP folder) {
    fileGlyph_ = file;
    folderGlyph_ = folder;
}

void XFileListBox::Fill(std::vector<explorer_rules::ListEntry> entries) {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    entries_ = std::move(entries);
    SendMessageA(hwnd_, LB_SETCOUNT, entries_.size(), 0);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void XFileListBox::Clear() {
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    entries_.clear();
}

int XFileListBox::Current() const {
    if (entries_.empty()) return -1;
    if (!style_.multiSelect) return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
    const int caret = static_cast<int>(SendMessageA(hwnd_, LB_GETCARETINDEX, 0, 0));
    return caret < 0 || caret >= Count() ? -1 : caret;
}

void XFileListBox::SelectFirst() {
    if (entries_.empty()) return;
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, TRUE, 0);
        SendMessageA(hwnd_, LB_SETCARETINDEX, 0, FALSE);
    } else {
        SendMessageA(hwnd_, LB_SETCURSEL, 0, 0);
    }
}

bool XFileListBox::IsSelected(int index) const {
    return SendMessageA(hwnd_, LB_GETSEL, index, 0) > 0;
}

void XFileListBox::SetSelected(int index, bool selected) {
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, selected ? TRUE : FALSE, index);
    } else if (selected) {
        SendMessageA(hwnd_, LB_SETCURSEL, index, 0);
    } else if (Current() == index) {
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

void XFileListBox::SelectAll(bool selected) {
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, selected ? TRUE : FALSE, -1);
    } else if (!selected) {
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

int XFileListBox::SelectedCount() const {
    if (entries_.empty()) return 0;
    if (!style_.multiSelect) return Current() >= 0 ? 1 : 0;
    const LRESULT n = SendMessageA(hwnd_, LB_GETSELCOUNT, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
}

std::vector<int> XFileListBox::SelectedIndexes() const {
    std::vector<int> indexes;
    if (!style_.multiSelect) {
        const int current = Current();
        if (current >= 0) indexes.push_back(current);
        return indexes;
    }
    const int n = SelectedCount();
    if (n <= 0) return indexes;
    indexes.resize(static_cast<std::size_t>(n));
    const LRESULT got = SendMessageA(hwnd_, LB_GETSELITEMS, n, reinterpret_cast<LPARAM>(indexes.data()));
    indexes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return indexes;
}

void XFileListBox::SetColumns(int columns) {
    if (!style_.multiColumn) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = std::max(1, static_cast<int>(client.right) / std::max(1, columns));
    SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, width, 0);
}

int XFileListBox::TextWidth(const std::string& text) const {
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size.cx;
}

int XFileListBox::WidestText() const {
    if (entries_.empty()) return 0;
    // Character widths once, then sums: measuring 100,000 names one by one costs more than
    // listing them.
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    std::array<INT, 256> widths{};
    const bool haveWidths = GetCharWidth32A(dc, 0, 255, widths.data()) != 0;
    int widest = 0;
    for (const auto& e : entries_) {
        int width = 0;
        if (haveWidths) {
            for (unsigned char c : e.text) width += widths[c];
        } else {
            SIZE size{};
            GetTextExtentPoint32A(dc, e.text.c_str(), static_cast<int>(e.text.size()), &size);
            width = size.cx;
        }
        widest = std::max(widest, width);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return widest;
}

void XFileListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= Count()) return;
    const std::string& text = Text(index);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const HBITMAP glyph = explorer_rules::IsFolderEntry(text) ? folderGlyph_ : fileGlyph_;
    const int height = item.rcItem.bottom - item.rcItem.top;
    if (glyph) {
        HDC memory = CreateCompatibleDC(item.hDC);
        const HGDIOBJ old = SelectObject(memory, glyph);
        BitBlt(item.hDC, item.rcItem.left + 1, item.rcItem.top + (height - kGlyphSize) / 2, kGlyphSize, kGlyphSize,
               memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    RECT textRect = item.rcItem;
    textRect.left += 1 + kGlyphSize + kGlyphGap;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace morvel

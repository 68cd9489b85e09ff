#include "explorer/win/file_list_box.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace morvel {

namespace {

inline unsigned char Fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

bool BeginsWith(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Fold(text[i]) != Fold(prefix[i])) return false;
    }
    return true;
}
}  // namespace

FileListBox::~FileListBox() {
    ReleaseGlyphs();
}

DWORD FileListBox::StyleBits() const {
    // No LBS_SORT: the entries arrive in the list's own order, which the box would not keep.
    DWORD bits =
        WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_BORDER;
    if (style_.multiSelect) bits |= LBS_EXTENDEDSEL;
    if (style_.multiColumn) bits = (bits & ~WS_VSCROLL) | LBS_MULTICOLUMN | WS_HSCROLL;
    return bits;
}

void FileListBox::Create(HWND parent, int id, const Style& style) {
    parent_ = parent;
    id_ = id;
    style_ = style;
    hwnd_ = win::CreateChild(parent, {.className = "LISTBOX",
                                      .id = id,
                                      .style = StyleBits(),
                                      .exStyle = WS_EX_CLIENTEDGE,
                                      .width = 100,
                                      .height = 100});
    Hook(hwnd_);
}

void FileListBox::Recreate(const Style& style) {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
    const bool visible = IsWindowVisible(hwnd_) != 0;
    const bool enabled = IsWindowEnabled(hwnd_) != 0;
    const bool focused = GetFocus() == hwnd_;
    const HWND old = hwnd_;
    style_ = style;
    hwnd_ = win::CreateChild(parent_, {.className = "LISTBOX",
                                       .style = StyleBits(),
                                       .exStyle = WS_EX_CLIENTEDGE,
                                       .x = rect.left,
                                       .y = rect.top,
                                       .width = rect.right - rect.left,
                                       .height = rect.bottom - rect.top,
                                       .visible = visible});
    // The new box takes the ID before the old one goes, so that a look for the list by its ID
    // (GetDlgItem, from this process or another) always finds a box. Placed behind the old one,
    // it is found second until the old one is gone.
    SetWindowPos(hwnd_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrA(hwnd_, GWLP_ID, id_);
    DestroyWindow(old);
    columnWidth_ = 0;
    Hook(hwnd_);
    EnableWindow(hwnd_, enabled);
    if (font_) SetFont(font_);
    std::vector<explorer_rules::ListEntry> entries = std::move(entries_);
    entries_.clear();
    if (!entries.empty()) Fill(std::move(entries));
    if (focused) SetFocus(hwnd_);
}

void FileListBox::SetFont(HFONT font) {
    font_ = font;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    row_ = explorer_rules::ListRowFor(win::ScreenScale(), metrics.tmHeight);
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, row_.height);
    InvalidateRect(hwnd_, nullptr, TRUE);
    widest_ = -1;
}

void FileListBox::SetGlyphs(HBITMAP file, HBITMAP folder) {
    ReleaseGlyphs();
    hasGlyph_[0] = file != nullptr;
    hasGlyph_[1] = folder != nullptr;
    if (!file && !folder) return;
    HDC screen = GetDC(nullptr);
    glyphDc_ = CreateCompatibleDC(screen);
    const int size = row_.glyph;
    glyphs_ = CreateCompatibleBitmap(screen, 2 * size, size);
    ReleaseDC(nullptr, screen);
    glyphDcBitmap_ = SelectObject(glyphDc_, glyphs_);
    HDC source = CreateCompatibleDC(glyphDc_);
    int left = 0;
    for (const HBITMAP glyph : {file, folder}) {
        if (glyph) {
            const HGDIOBJ old = SelectObject(source, glyph);
            BitBlt(glyphDc_, left, 0, size, size, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
        }
        left += size;
    }
    DeleteDC(source);
}

void FileListBox::ReleaseGlyphs() {
    if (glyphDc_) {
        SelectObject(glyphDc_, glyphDcBitmap_);
        DeleteDC(glyphDc_);
    }
    if (glyphs_) DeleteObject(glyphs_);
    glyphDc_ = nullptr;
    glyphs_ = nullptr;
    glyphDcBitmap_ = nullptr;
}

void FileListBox::Fill(std::vector<explorer_rules::ListEntry> entries) {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    entries_ = std::move(entries);
    widest_ = -1;
    typed_.clear();
    // Room for every entry at once, then each appended where it belongs: already in order.
    std::size_t bytes = 0;
    for (const auto& e : entries_) bytes += e.text.size() + 1;
    SendMessageA(hwnd_, LB_INITSTORAGE, entries_.size(), static_cast<LPARAM>(bytes));
    // Straight to the list box's own procedure: the hooks of the box have nothing to do with
    // the entries, and under some systems each pass through them costs more than the entry.
    const auto boxProcedure = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd_, GCLP_WNDPROC));
    for (const auto& e : entries_) {
        CallWindowProcA(boxProcedure, hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text.c_str()));
    }
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void FileListBox::Clear() {
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    entries_.clear();
    widest_ = -1;
    typed_.clear();
}

bool FileListBox::ControlMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_CHAR) return false;
    const auto c = static_cast<unsigned char>(wParam);
    // Control characters, and a space that does not continue a prefix, are the box's own.
    if (c < ' ' || c == 0x7F || (c == ' ' && typed_.empty())) return false;
    const DWORD now = static_cast<DWORD>(GetMessageTime());
    if (now - lastTyped_ > kTypingPause) typed_.clear();
    lastTyped_ = now;
    typed_ += static_cast<char>(c);
    const int found = FindTyped();
    if (found >= 0) MoveCaretTo(found);
    result = 0;
    return true;
}

int FileListBox::FindTyped() const {
    const int count = Count();
    if (count == 0 || typed_.empty()) return -1;
    const int current = Current();
    // One letter, or the same letter again and again: the next entry that begins with it, so
    // that repeating a letter steps through its entries. Otherwise the prefix, from the
    // current entry on (it still matches while the prefix grows).
    const bool sameLetter = typed_.find_first_not_of(typed_.front()) == std::string::npos;
    const std::string prefix = sameLetter ? typed_.substr(0, 1) : typed_;
    const int start = current < 0 ? 0 : (sameLetter ? current + 1 : current);
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (BeginsWith(Text(index), prefix)) return index;
    }
    return -1;
}

void FileListBox::MoveCaretTo(int index) {
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, FALSE, -1);
        SendMessageA(hwnd_, LB_SETSEL, TRUE, index);
        SendMessageA(hwnd_, LB_SETANCHORINDEX, index, 0);
        SendMessageA(hwnd_, LB_SETCARETINDEX, index, FALSE);
    } else {
        SendMessageA(hwnd_, LB_SETCURSEL, index, 0);
    }
    SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id_, LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd_));
}

int FileListBox::Current() const {
    if (entries_.empty()) return -1;
    if (!style_.multiSelect) return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
    const int caret = static_cast<int>(SendMessageA(hwnd_, LB_GETCARETINDEX, 0, 0));
    return caret < 0 || caret >= Count() ? -1 : caret;
}

void FileListBox::SelectFirst() {
    if (entries_.empty()) return;
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, TRUE, 0);
        SendMessageA(hwnd_, LB_SETCARETINDEX, 0, FALSE);
    } else {
        SendMessageA(hwnd_, LB_SETCURSEL, 0, 0);
    }
}

bool FileListBox::IsSelected(int index) const {
    return SendMessageA(hwnd_, LB_GETSEL, index, 0) > 0;
}

void FileListBox::SetSelected(int index, bool selected) {
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, selected ? TRUE : FALSE, index);
    } else if (selected) {
        SendMessageA(hwnd_, LB_SETCURSEL, index, 0);
    } else if (Current() == index) {
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

void FileListBox::SelectAll(bool selected) {
    if (style_.multiSelect) {
        SendMessageA(hwnd_, LB_SETSEL, selected ? TRUE : FALSE, -1);
    } else if (!selected) {
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

int FileListBox::SelectedCount() const {
    if (entries_.empty()) return 0;
    if (!style_.multiSelect) return Current() >= 0 ? 1 : 0;
    const LRESULT n = SendMessageA(hwnd_, LB_GETSELCOUNT, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
}

std::vector<int> FileListBox::SelectedIndexes() const {
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

void FileListBox::SetColumns(int columns) {
    if (!style_.multiColumn) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = std::max(1, static_cast<int>(client.right) / std::max(1, columns));
    if (width == columnWidth_) return;
    columnWidth_ = width;
    SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, width, 0);
}

int FileListBox::TextWidth(const std::string& text) const {
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size.cx;
}

int FileListBox::WidestText() const {
    if (entries_.empty()) return 0;
    if (widest_ >= 0) return widest_;
    // Character widths once, then sums: measuring 100,000 names one by one costs more than
    // listing them.
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    std::array<INT, 256> widths{};
    const bool haveWidths = GetCharWidth32A(dc, 0, 255, widths.data()) != 0;
    std::unordered_map<char16_t, INT> wideWidths;
    int widest = 0;
    for (const auto& e : entries_) {
        int width = 0;
        if (!e.realName.empty()) {
            // Names in other scripts share few characters: each one's width is asked once.
            for (const char16_t c : e.realName) {
                const auto [known, fresh] = wideWidths.try_emplace(c, 0);
                if (fresh) GetCharWidth32W(dc, c, c, &known->second);
                width += known->second;
            }
        } else if (haveWidths) {
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
    widest_ = widest;
    return widest;
}

void FileListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= Count()) return;
    const explorer_rules::ListEntry& entry = entries_[static_cast<std::size_t>(index)];
    const std::string& text = entry.text;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int glyph = explorer_rules::IsFolderEntry(text) ? 1 : 0;
    const int height = item.rcItem.bottom - item.rcItem.top;
    if (hasGlyph_[glyph]) {
        BitBlt(item.hDC, item.rcItem.left + 1, item.rcItem.top + (height - row_.glyph) / 2, row_.glyph, row_.glyph,
               glyphDc_, glyph * row_.glyph, 0, SRCCOPY);
    }
    RECT textRect = item.rcItem;
    textRect.left += 1 + row_.glyph + row_.glyph / 8;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (entry.realName.empty()) {
        DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect, kFormat);
    } else {
        // The name as it is, not its look-alike in the code page.
        const std::wstring wide(entry.realName.begin(), entry.realName.end());
        DrawTextW(item.hDC, wide.c_str(), static_cast<int>(wide.size()), &textRect, kFormat);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace morvel

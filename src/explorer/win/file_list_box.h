// FileListBox: the Explorer's file list. A sorted, multi-column list box with a glyph before
// each entry; it never reads a folder itself, the listing fills it. Entries arrive in the list's
// order, so the box keeps them as given and the whole list is drawn once per fill.
//
// The box keeps its strings (LBS_HASSTRINGS) as any list box does, so that LB_GETTEXT answers
// in ANSI and Unicode, and to other processes (screen readers, test tools). It keeps the ANSI
// text of each entry; an entry whose name the code page cannot hold is drawn by its real name.
// Typing moves the caret to the next entry that begins with the typed letter; letters typed
// quickly one after another search for the whole prefix.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "explorer/explorer_geometry.h"
#include "explorer/listing.h"

namespace morvel {

class FileListBox : private win::ControlHook {
public:
    FileListBox() = default;
    ~FileListBox() override;  // releases the glyph copies

    struct Style {
        bool multiSelect = true;
        bool multiColumn = true;
    };

    void Create(HWND parent, int id, const Style& style);
    // Builds the box again with another style (selection mode or columns), keeping its place,
    // font, visibility and entries. The window handle changes: subclass the new one.
    void Recreate(const Style& style);
    HWND hwnd() const { return hwnd_; }
    const Style& style() const { return style_; }

    void SetFont(HFONT font);
    // The box draws copies of the glyphs, `Row().glyph` pixels square: the bitmaps stay free for
    // other controls.
    void SetGlyphs(HBITMAP file, HBITMAP folder);
    // Its rows: the glyph at the screen's scale and a height that holds the font.
    const explorer_rules::ListRow& Row() const { return row_; }

    // Replaces every entry; the box does not redraw until it is filled.
    void Fill(std::vector<explorer_rules::ListEntry> entries);
    void Clear();

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& Text(int index) const { return entries_.at(static_cast<std::size_t>(index)).text; }
    const std::vector<explorer_rules::ListEntry>& Entries() const { return entries_; }

    // The entry with the focus, -1 when there is none.
    int Current() const;
    // Makes an entry the current one; in multiple-selection mode it is also selected.
    void SelectFirst();
    bool IsSelected(int index) const;
    void SetSelected(int index, bool selected);
    void SelectAll(bool selected);
    int SelectedCount() const;
    std::vector<int> SelectedIndexes() const;

    // Columns of equal width across the box.
    void SetColumns(int columns);
    // Width of the widest entry in the box's font, measured once per fill and font.
    int WidestText() const;
    int TextWidth(const std::string& text) const;

    void DrawItem(const DRAWITEMSTRUCT& item) const;

    // How long a pause ends a typed prefix, in milliseconds.
    static constexpr DWORD kTypingPause = 1000;

private:
    DWORD StyleBits() const;
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Type-ahead: the entry the typed text leads to, -1 when none begins with it.
    int FindTyped() const;
    // Makes the entry the only selected and current one, shows it and tells the parent, as a
    // move with the arrow keys does.
    void MoveCaretTo(int index);
    void ReleaseGlyphs();

    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    int id_ = 0;
    Style style_;
    HFONT font_ = nullptr;
    // The file glyph and, beside it, the folder glyph, kept selected in a memory DC of the box's
    // own for as long as the box lives: under some systems selecting a bitmap into a DC costs
    // many times more than drawing it, so DrawItem only copies.
    HDC glyphDc_ = nullptr;
    HBITMAP glyphs_ = nullptr;
    HGDIOBJ glyphDcBitmap_ = nullptr;  // the DC's own, selected back before it is deleted
    bool hasGlyph_[2] = {false, false};
    explorer_rules::ListRow row_ = explorer_rules::ListRowFor(win::ScreenScale(), 0);
    // The width last given to the box (LB_SETCOLUMNWIDTH lays the box out again even when
    // nothing changes), 0 for none; and the widest entry, -1 until measured.
    int columnWidth_ = 0;
    mutable int widest_ = -1;
    std::vector<explorer_rules::ListEntry> entries_;
    std::string typed_;
    DWORD lastTyped_ = 0;
};

}  // namespace morvel

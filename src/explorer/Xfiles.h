// XFileListBox: the Explorer's file list. A sorted, multi-column list box with a glyph before
// each entry; it never reads a folder itself, the listing fills it. Entries arrive in the list's
// order, so the box keeps them as given and the whole list is drawn once per fill.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "explorer/listing.h"

namespace morvel {

class XFileListBox {
public:
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
    void SetGlyphs(HBITMAP file, HBITMAP folder);

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
    // Width of the widest entry in the box's font.
    int WidestText() const;
    int TextWidth(const std::string& text) const;

    void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    DWORD StyleBits() const;

    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    int id_ = 0;
    Style style_;
    HFONT font_ = nullptr;
    HBITMAP fileGlyph_ = nullptr;
    HBITMAP folderGlyph_ = nullptr;
    std::vector<explorer_rules::ListEntry> entries_;
};

}  // namespace morvel

// The Look-in box (`LookBox`): an owner-drawn drop-down list of the drives and the chain of
// folders down to the current one, each with its glyph; and the Explorer's glyph bitmaps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win/gdi.h"
#include "explorer/look_in.h"

namespace morvel {

// The list glyphs, 16 x 16 on the window colour.
inline constexpr int kGlyphSize = 16;
win::Bitmap MakeFileGlyph();
win::Bitmap MakeFolderGlyph();

class LookInBox {
public:
    void Create(HWND parent, int id, HFONT font);
    HWND hwnd() const { return hwnd_; }
    // The glyph of the current folder's entry; owned by the window.
    void SetFolderGlyph(HBITMAP glyph) { folderGlyph_ = glyph; }

    // Shows the drives and the folder chain of `folder`, the current entry selected.
    void Show(const std::vector<DriveInfo>& drives, const std::string& folder);
    int Selected() const;
    void Select(int index);
    // What picking the selected entry means.
    explorer_rules::LookInChoice Choice() const;

    // WM_DRAWITEM and WM_MEASUREITEM of the box, passed on by its parent.
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    static void MeasureItem(MEASUREITEMSTRUCT& item);

private:
    HWND hwnd_ = nullptr;
    HBITMAP folderGlyph_ = nullptr;
    explorer_rules::LookInModel model_;
};

}  // namespace morvel

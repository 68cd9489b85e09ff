// The Look-in box (`LookBox`): an owner-drawn drop-down list of the drives and the chain of
// folders down to the current one, each with its glyph. Its rows hold its font and a glyph at
// the screen's scale.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win/gdi.h"
#include "explorer/explorer_geometry.h"
#include "explorer/look_in.h"

namespace morvel {

class LookInBox {
public:
    // The box in the font, its rows sized for it.
    void Create(HWND parent, int id, HFONT font);
    HWND hwnd() const { return hwnd_; }
    // The glyph of the current folder's entry, `Row().glyph` pixels square; owned by the window.
    void SetFolderGlyph(HBITMAP glyph) { folderGlyph_ = glyph; }
    const explorer_rules::ListRow& Row() const { return row_; }

    // Shows the drives and the folder chain of `folder`, the current entry selected.
    void Show(const std::vector<DriveInfo>& drives, const std::string& folder);
    int Selected() const;
    void Select(int index);
    // What picking the selected entry means.
    explorer_rules::LookInChoice Choice() const;

    // WM_DRAWITEM and WM_MEASUREITEM of the box, passed on by its parent.
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    void MeasureItem(MEASUREITEMSTRUCT& item) const;

private:
    HWND hwnd_ = nullptr;
    HBITMAP folderGlyph_ = nullptr;
    explorer_rules::ListRow row_ = explorer_rules::ListRowFor(win::ScreenScale(), 0);
    int indentPerLevel_ = 0;
    explorer_rules::LookInModel model_;
};

}  // namespace morvel

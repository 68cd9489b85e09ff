// The Explorer's glyphs: the file and folder glyphs of the file list and the Look-in box, and a
// glyph per drive type, drawn as vectors at the size the rows give them (see
// explorer_rules::ListRow), so that they are as sharp at 192 dpi as at 96.
#pragma once

#include <windows.h>

#include "common/file_system.h"
#include "common/win/gdi.h"

namespace morvel {

// A square bitmap of `size` pixels on the window colour, owned by the caller.
win::Bitmap MakeFileGlyph(int size);
win::Bitmap MakeFolderGlyph(int size);
// Draws the drive type's glyph into the square of `size` pixels at (left, top).
void DrawDriveGlyph(HDC dc, int left, int top, int size, DriveType type);

}  // namespace morvel

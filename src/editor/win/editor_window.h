// TEditorForm: the Slideshow Editor window. The slide table and every rule live
// in the portable model (slide_table, avl_file, slide_menus, editor_rules); this file is the
// window: creation, layout, handlers. The window owns what lives while it is open (the table, its
// undo history, the modified flag, the global mode); the current and test files are the library's
// (library.editor).
#pragma once

namespace morvel {

// EditorWin95: reads AVLFIL and AVLTMP, runs the editor modally, returns -1 after "&Test", else 0.
int RunEditor();

}  // namespace morvel

// TEditorForm (unit SHOW9546): the Slideshow Editor window. The slide
// table and every rule live in the portable model (slide_table, avl_file, slide_menus,
// editor_rules); this unit is the window: creation, layout, handlers.
#pragma once

#include <string>

namespace morvel {

// The editor's library-wide state, set afresh at each start.
struct EditorState {
    std::string currentFile = "*";  // "*": none
    std::string testFile = "ERROR";
    bool modified = false;
    bool globalMode = false;
};
extern EditorState editorState;

// EditorWin95: reads AVLFIL and AVLTMP, runs the editor modally, returns -1 after "&Test", else 0.
int RunEditor();

}  // namespace morvel

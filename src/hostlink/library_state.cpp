#include "hostlink/library_state.h"

namespace morvel {

HINSTANCE libraryInstance = nullptr;
ExplorerState explorer;
EditorBase editorBase;

void ResetLibraryState() {
    explorer = ExplorerState{};
    editorBase.baseCaption = "Slideshow Editor";
    editorBase.notApplicable = std::string(30, '-');
}

}  // namespace morvel

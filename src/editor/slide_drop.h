// Files dropped on the editor from the shell. What a drop adds is what the "Add Multiple Slides"
// dialog would list in the file type it starts on ("All validated formats"): the dialog's own
// listing and mask rules decide, so a drop never takes a file the dialog would refuse.
#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"

namespace morvel::editor {

struct DroppedFiles {
    // Full paths to add with SlideTable::AddFile, in order.
    std::vector<std::string> files;
    // Dropped paths taken for nothing: files the dialog would not list (another type, a system
    // file) and paths that no longer exist.
    int leftOut = 0;
};

// The dropped paths in the order the shell gives them. A file is taken when the dialog's
// starting file type lists it (its long or short name matches one of the type's masks by the
// system's rules, and it is no system file). A folder gives the files of that folder the dialog
// would list there, not those of its subfolders, in the list's name order; the folder's other
// files are not counted as left out, since the user asked for the folder's slides.
DroppedFiles FilesToAdd(const std::vector<std::string>& dropped, const FileSystem& fs);

// "N file(s) were not added: not a slide type." (information, OK) when leftOut is not 0.
std::string NotAddedMessage(int leftOut);

}  // namespace morvel::editor

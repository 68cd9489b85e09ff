// The system's folder picker, for a command that asks for a folder rather than a file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace morvel::win {

// Asks for a folder of the file system (SHBrowseForFolderA), modal to the owner, with the title
// above the tree. The chosen folder's full path, or nothing when the user cancelled.
std::optional<std::string> PickFolder(HWND owner, const std::string& title);

}  // namespace morvel::win

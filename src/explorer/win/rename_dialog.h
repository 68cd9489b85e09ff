// TRenameForm: the small modal "Rename File" dialog of the Explorer's file menu, and the rename
// command that runs it with its checks and messages.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace morvel {

// Shows "Rename File" in front of `owner` with the folder and the name; the name as typed after
// OK, nothing after Cancel or Esc.
std::optional<std::string> RunRenameDialog(HWND owner, const std::string& folder, const std::string& oldName);

// The file menu's "Renam&e": renames the file of the name field in the current folder on disk,
// with the dialog and the message boxes owned by `owner`. `nameField` reads the name field at
// each round; `storedName` answers RenameUi::StoredName. True when the file was renamed (the list
// is then listed again by the caller).
bool RenameCommand(HWND owner, const std::string& currentFolder, const std::function<std::string()>& nameField,
                   const std::function<std::u16string(const std::string&)>& storedName);

}  // namespace morvel

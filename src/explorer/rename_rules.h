// The file menu's Rename: the loop of dialog, checks, questions and the rename itself, with the
// dialog and the message boxes behind a small interface so that the decisions can be followed
// without windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/box_kind.h"
#include "common/file_system.h"
#include "explorer/explorer_messages.h"
#include "explorer/name_checks.h"

namespace morvel::explorer_rules {

// What a rename starts from: the current folder with its backslash, the name field's name part
// and that name's extension (dot included, or empty).
struct RenameSource {
    std::string folder;
    std::string oldName;
    std::string oldExt;
    // The old name as stored, where only that reaches the file (see RenameUi::StoredName).
    std::u16string storedName;
};
RenameSource RenameSourceOf(std::string_view nameField, std::string_view currentFolder);

// The longest path the ANSI file calls take (MAX_PATH less the terminating NUL).
inline constexpr std::size_t kMaxAnsiPath = 259;

namespace msg {
inline constexpr std::string_view kNoFileSelected = "No file selected!";
// "Filename exists.\n<new path>"
std::string FilenameExists(std::string_view newPath);
// "Different FILE extension.\nOld Type:<old>\nNew Type:<new>\nContinue ?"
std::string DifferentExtension(std::string_view oldExt, std::string_view newExt);
// "Could not rename\n<folder><old name>\nto\n<new path>"
std::string CouldNotRename(std::string_view folder, std::string_view oldName, std::string_view newPath);
// "Path too long:\n<new path>"
std::string PathTooLong(std::string_view newPath);
}  // namespace msg

// Why a typed new name cannot be used in the folder, as the message to show; nothing when it can.
// Wildcards, separators, device names and a name of nothing but dots and blanks get the Explorer's
// "Invalid filename" message; a path beyond what the ANSI calls take gets PathTooLong.
std::optional<std::string> NewNameProblem(std::string_view newName, std::string_view folder);

// The windows of a rename: the name field, the rename dialog and the message boxes.
class RenameUi {
public:
    virtual ~RenameUi() = default;
    // The name field's text, read afresh at each round.
    virtual std::string NameField() = 0;
    // The name as stored of the listed file whose text the name field holds, where no ANSI name
    // reaches it (the code page cannot hold it and the volume keeps no short name); else empty.
    virtual std::u16string StoredName(const std::string& nameField) = 0;
    // Runs the rename dialog on the folder and the old name: the typed name after OK, nothing
    // after Cancel.
    virtual std::optional<std::string> AskNewName(const std::string& folder, const std::string& oldName) = 0;
    // A box with an OK button.
    virtual void Show(BoxKind kind, const std::string& text) = 0;
    // A confirmation with OK and Cancel; true for OK.
    virtual bool Confirm(const std::string& text) = 0;
};

enum class RenameResult { NoFileSelected, Cancelled, Renamed, Failed };

// Runs the rename sequence until the file is renamed, the system refuses, or the user cancels the
// dialog. A refused new name, a taken name and a refused extension question open the dialog again
// on the old name. Renamed means the list should be listed again.
RenameResult RunRename(std::string_view currentFolder, RenameUi& ui, const FileSystem& fs);

}  // namespace morvel::explorer_rules

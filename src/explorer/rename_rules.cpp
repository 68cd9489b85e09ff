#include "explorer/rename_rules.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

RenameSource RenameSourceOf(std::string_view nameField, std::string_view currentFolder) {
    return {path::WithTrailingBackslash(currentFolder), std::string(path::NamePart(nameField)),
            std::string(path::Extension(nameField))};
}

namespace msg {
std::string FilenameExists(std::string_view newPath) {
    return "Filename exists.\n" + std::string(newPath);
}

std::string DifferentExtension(std::string_view oldExt, std::string_view newExt) {
    return "Different FILE extension.\nOld Type:" + std::string(oldExt) + "\n" + "New Type:" + std::string(newExt) +
           "\n" + "Continue ?";
}

std::string CouldNotRename(std::string_view folder, std::string_view oldName, std::string_view newPath) {
    return "Could not rename\n" + std::string(folder) + std::string(oldName) + "\n" + "to" + "\n" +
           std::string(newPath);
}

std::string PathTooLong(std::string_view newPath) {
    return "Path too long:\n" + std::string(newPath);
}
}  // namespace msg

std::optional<std::string> NewNameProblem(std::string_view newName, std::string_view folder) {
    // Separators would move the file out of the folder the dialog shows; wildcards would make the
    // existence check match other files.
    for (const char c : newName) {
        if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return std::string(msg::kInvalidFilename);
        }
    }
    if (newName.find_first_not_of(". ") == std::string_view::npos) return std::string(msg::kInvalidFilename);
    if (IsDeviceName(newName)) return std::string(msg::kInvalidFilename);
    const std::string newPath = std::string(folder) + std::string(newName);
    if (newPath.size() > kMaxAnsiPath) return msg::PathTooLong(newPath);
    return std::nullopt;
}

RenameResult RunRename(std::string_view currentFolder, RenameUi& ui, const FileSystem& fs) {
    for (;;) {
        const std::string nameField = ui.NameField();
        RenameSource source = RenameSourceOf(nameField, currentFolder);
        source.storedName = ui.StoredName(nameField);
        if (source.oldName.empty()) {
            ui.Show(BoxKind::Warning, std::string(msg::kNoFileSelected));
            return RenameResult::NoFileSelected;
        }
        const std::optional<std::string> newName = ui.AskNewName(source.folder, source.oldName);
        if (!newName) return RenameResult::Cancelled;
        const std::string newPath = source.folder + *newName;

        if (const auto problem = NewNameProblem(*newName, source.folder)) {
            ui.Show(BoxKind::Warning, *problem);
            continue;
        }
        if (fs.FileExists(newPath)) {
            ui.Show(BoxKind::Warning, msg::FilenameExists(newPath));
            continue;
        }
        const std::string newExt(path::Extension(newPath));
        if (newExt != source.oldExt && !ui.Confirm(msg::DifferentExtension(source.oldExt, newExt))) continue;

        const bool moved = source.storedName.empty() ? fs.MovePath(source.folder + source.oldName, newPath)
                                                     : fs.MoveStoredName(source.folder, source.storedName, newPath);
        if (moved) return RenameResult::Renamed;
        ui.Show(BoxKind::Error, msg::CouldNotRename(source.folder, source.oldName, newPath));
        return RenameResult::Failed;
    }
}

}  // namespace morvel::explorer_rules

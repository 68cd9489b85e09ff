#include "explorer/name_checks.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

namespace {
bool HoldsDriveAndFolder(std::string_view text) {
    return text.find(':') != std::string_view::npos && text.find('\\') != std::string_view::npos;
}
}  // namespace

std::string FullName(std::string_view nameField, std::string_view folder) {
    if (HoldsDriveAndFolder(nameField)) return std::string(nameField);
    return path::WithTrailingBackslash(folder) + std::string(nameField);
}

NameVerdict CheckName(std::string_view text, const FileSystem& fs) {
    if (text.find_first_of("\"><*?") != std::string_view::npos) return NameVerdict::InvalidFilename;
    std::string_view name = text;
    if (HoldsDriveAndFolder(text)) {
        const std::size_t slash = text.rfind('\\');
        if (!fs.FolderExists(std::string(text.substr(0, slash + 1)))) return NameVerdict::InvalidPath;
        name = text.substr(slash + 1);
    } else if (text.find_first_of(":\\") != std::string_view::npos) {
        return NameVerdict::InvalidFilename;
    }
    // A folder with no name after it would hand the host a folder as the chosen file.
    if (name.empty()) return NameVerdict::InvalidFilename;
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos) {
        const std::size_t p = dot + 1;  // counted from 1
        const std::size_t m = name.size();
        if (p == 1 || p == m || m - p > 3) return NameVerdict::InvalidFilename;
    }
    return NameVerdict::Pass;
}

ExtensionVerdict CheckExtension(std::string_view text, const std::optional<std::string>& expected) {
    ExtensionVerdict verdict{std::string(text), path::ToUpperAscii(path::Extension(text)), false};
    if (!expected) return verdict;
    if (verdict.ext.empty()) {
        verdict.name += *expected;
        verdict.ext = *expected;
    }
    verdict.needsQuestion = verdict.ext != *expected;
    return verdict;
}

}  // namespace morvel::explorer_rules

#include "explorer/name_checks.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

namespace {
bool HoldsDriveAndFolder(std::string_view text) {
    return text.find(':') != std::string_view::npos && text.find('\\') != std::string_view::npos;
}

inline char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
}  // namespace

std::string WithBackslashes(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c == '/') c = '\\';
    }
    return result;
}

bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    std::string upper;
    for (char c : base) upper += Upper(c);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

std::string FullName(std::string_view nameField, std::string_view folder) {
    const std::string name = WithBackslashes(nameField);
    if (HoldsDriveAndFolder(name)) return name;
    return path::WithTrailingBackslash(folder) + name;
}

NameVerdict CheckName(std::string_view typed, const FileSystem& fs) {
    const std::string normalised = WithBackslashes(typed);
    const std::string_view text = normalised;
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
    if (name.empty() || IsDeviceName(name)) return NameVerdict::InvalidFilename;
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos) {
        const std::size_t p = dot + 1;  // counted from 1
        const std::size_t m = name.size();
        if (p == 1 || p == m || m - p > 3) return NameVerdict::InvalidFilename;
    }
    return NameVerdict::Pass;
}

ExtensionVerdict CheckExtension(std::string_view text, const std::optional<std::string>& expected) {
    const std::string name = WithBackslashes(text);
    ExtensionVerdict verdict{name, path::ToUpperAscii(path::Extension(name)), false};
    if (!expected) return verdict;
    if (verdict.ext.empty()) {
        verdict.name += *expected;
        verdict.ext = *expected;
    }
    verdict.needsQuestion = verdict.ext != *expected;
    return verdict;
}

}  // namespace morvel::explorer_rules

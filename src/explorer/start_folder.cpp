#include "explorer/start_folder.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

namespace {
bool IsDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSingleEntryName(std::string_view component) {
    if (component.empty() || component == "." || component == "..") return false;
    return component.find_first_of("*?/") == std::string_view::npos;
}
}  // namespace

std::optional<std::string> LongFormOf(std::string_view folder, const FileSystem& fs) {
    if (path::IsDriveRoot(folder)) return std::string(folder);
    if (folder.size() < 4 || !IsDriveLetter(folder[0]) || folder[1] != ':' || folder[2] != '\\') {
        return std::nullopt;
    }
    std::string looked(folder.substr(0, 2));
    std::string result = looked;
    std::size_t start = 3;
    while (start <= folder.size()) {
        const std::size_t end = folder.find('\\', start);
        const std::string_view component =
            folder.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!IsSingleEntryName(component)) return std::nullopt;
        looked += '\\';
        looked += component;
        result += '\\';
        if (auto name = fs.FindFirstName(looked)) {
            result += *name;
        } else {
            result += component;
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return result;
}

std::string ResolveStartFolder(std::string_view stored, const FileSystem& fs) {
    std::string folder(stored);
    if (!folder.empty() && folder.back() == '\\' && !path::IsDriveRoot(folder)) folder.pop_back();
    const auto longForm = LongFormOf(folder, fs);
    if (!longForm || !fs.FolderExists(*longForm)) return std::string(kFallbackFolder);
    return *longForm;
}

std::string RecordedFolder(std::string_view folder, const FileSystem& fs) {
    return path::WithTrailingBackslash(fs.ShortPath(std::string(folder)));
}

}  // namespace morvel::explorer_rules

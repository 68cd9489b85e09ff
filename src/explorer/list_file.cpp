#include "explorer/list_file.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

ShortName ShortNameOf(std::string_view folder, std::string_view entryText, const FileSystem& fs) {
    const std::string shortPath = fs.ShortPath(path::WithTrailingBackslash(folder) + std::string(entryText));
    return {std::string(path::FolderPart(shortPath)), std::string(path::NamePart(shortPath))};
}

namespace {
std::string ShortFolderOfLast(std::string_view folder, const std::string& lastShortFile, const FileSystem& fs) {
    const std::string shortPath = fs.ShortPath(path::WithTrailingBackslash(folder) + lastShortFile);
    return std::string(path::FolderPart(shortPath));
}
}  // namespace

std::vector<IniWrite> MultiFileListWrites(std::string_view folder, const std::vector<std::string>& files,
                                          const FileSystem& fs) {
    std::vector<IniWrite> writes;
    if (files.empty()) return writes;
    writes.reserve(files.size() + 2);
    writes.push_back({"Directory", "Files", std::to_string(files.size())});
    std::string last;
    for (std::size_t k = 0; k < files.size(); ++k) {
        last = ShortNameOf(folder, files[k], fs).file;
        writes.push_back({std::to_string(k + 1), "F", last});
    }
    writes.push_back({"Directory", "Name", ShortFolderOfLast(folder, last, fs)});
    return writes;
}

std::vector<IniWrite> InstantSlideshowWrites(std::string_view folder, const std::vector<std::string>& files,
                                             const FileSystem& fs) {
    std::vector<IniWrite> writes;
    if (files.empty()) return writes;
    writes.reserve(files.size() + 3);
    writes.push_back({"Header", "Ver", "4"});
    writes.push_back({"Header", "N", std::to_string(files.size() + 1)});
    std::string last;
    for (std::size_t k = 0; k < files.size(); ++k) {
        last = ShortNameOf(folder, files[k], fs).file;
        writes.push_back({std::to_string(k + 1), "F", last + ",0"});
    }
    writes.push_back({"Directory", "0", ShortFolderOfLast(folder, last, fs)});
    return writes;
}

}  // namespace morvel::explorer_rules

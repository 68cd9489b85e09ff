#include "explorer/list_file.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

namespace {
// The folder's short form, looked up once for the whole list.
std::string ShortFolder(std::string_view folder, const FileSystem& fs) {
    return path::WithTrailingBackslash(fs.ShortPath(std::string(folder)));
}

ShortName ShortNameIn(const std::string& shortFolder, std::string_view folder, const ListEntry& entry,
                      const FileSystem& fs) {
    if (!entry.shortName.empty()) return {shortFolder, entry.shortName};
    const std::string shortPath = fs.ShortPath(path::WithTrailingBackslash(folder) + entry.text);
    return {std::string(path::FolderPart(shortPath)), std::string(path::NamePart(shortPath))};
}

template <typename Line>
std::vector<IniWrite> NumberedWrites(std::string_view folder, const std::vector<ListEntry>& files, const FileSystem& fs,
                                     std::vector<IniWrite> head, Line line, IniWrite tail) {
    std::vector<IniWrite> writes = std::move(head);
    writes.reserve(writes.size() + files.size() + 1);
    const std::string shortFolder = ShortFolder(folder, fs);
    std::string lastFolder = shortFolder;
    for (std::size_t k = 0; k < files.size(); ++k) {
        ShortName name = ShortNameIn(shortFolder, folder, files[k], fs);
        writes.push_back({std::to_string(k + 1), "F", line(name.file)});
        lastFolder = std::move(name.folder);
    }
    tail.value = lastFolder;
    writes.push_back(std::move(tail));
    return writes;
}
}  // namespace

ShortName ShortNameOf(std::string_view folder, const ListEntry& entry, const FileSystem& fs) {
    return ShortNameIn(ShortFolder(folder, fs), folder, entry, fs);
}

std::vector<IniWrite> MultiFileListWrites(std::string_view folder, const std::vector<ListEntry>& files,
                                          const FileSystem& fs) {
    if (files.empty()) return {};
    return NumberedWrites(folder, files, fs, {{"Directory", "Files", std::to_string(files.size())}},
                          [](const std::string& file) { return file; }, {"Directory", "Name", ""});
}

std::vector<IniWrite> InstantSlideshowWrites(std::string_view folder, const std::vector<ListEntry>& files,
                                             const FileSystem& fs) {
    if (files.empty()) return {};
    return NumberedWrites(folder, files, fs,
                          {{"Header", "Ver", "4"}, {"Header", "N", std::to_string(files.size() + 1)}},
                          [](const std::string& file) { return file + ",0"; }, {"Directory", "0", ""});
}

}  // namespace morvel::explorer_rules

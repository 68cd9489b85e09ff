#include "common/file_tree.h"

#include <deque>
#include <string>

#include "common/path_parts.h"

namespace morvel {

void WalkFileTree(const FileSystem& fs, std::string_view root, const std::function<void(const TreeFile&)>& visit) {
    struct Folder {
        std::string path;       // ends in "\"
        std::string shortPath;  // ends in "\"
        int depth = 0;
    };
    std::deque<Folder> pending;
    {
        Folder top{path::WithTrailingBackslash(root), {}, 0};
        top.shortPath = path::WithTrailingBackslash(fs.ShortPath(top.path));
        pending.push_back(std::move(top));
    }
    std::string pattern;
    while (!pending.empty()) {
        const Folder folder = std::move(pending.front());
        pending.pop_front();
        pattern = folder.path;
        pattern += '*';
        fs.Search(pattern, [&](const FoundEntry& entry) {
            // A name the code page cannot hold goes on by its short name; with none, nothing
            // reaches the entry, and a path of its look-alike would name another or nothing.
            const auto reaching = OpeningName(entry);
            const auto shortForm = OpeningShortName(entry);
            if (!reaching || !shortForm) return;
            const std::string_view shortName = *shortForm;
            if (entry.folder) {
                if (entry.name.empty() || entry.name == "." || entry.name == "..") return;
                Folder sub;
                sub.path.reserve(folder.path.size() + reaching->size() + 1);
                sub.path.append(folder.path).append(*reaching).push_back('\\');
                sub.shortPath.reserve(folder.shortPath.size() + shortName.size() + 1);
                sub.shortPath.append(folder.shortPath).append(shortName).push_back('\\');
                sub.depth = folder.depth + 1;
                pending.push_back(std::move(sub));
                return;
            }
            visit(TreeFile{folder.path, folder.shortPath, entry.name, shortName, folder.depth});
        });
    }
}

}  // namespace morvel

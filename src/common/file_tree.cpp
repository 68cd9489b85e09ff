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
            const std::string_view shortName = entry.shortName.empty() ? entry.name : entry.shortName;
            if (entry.folder) {
                if (entry.name.empty() || entry.name == "." || entry.name == "..") return;
                Folder sub;
                sub.path.reserve(folder.path.size() + entry.name.size() + 1);
                sub.path.append(folder.path).append(entry.name).push_back('\\');
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

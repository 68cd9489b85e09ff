// A walk over a folder and all its subfolders, one search per folder, for lookups that need
// every file of a tree at once (finding slide files that have moved). It asks the file system's
// folder search, which on Windows is FindFirstFileW/FindNextFileW: each entry comes with its
// long name and the short (8.3) name beside it in one search, so the walk learns both without a
// further call per file. An entry that no ANSI name reaches (file_system.h) is passed over.
#pragma once

#include <functional>
#include <string_view>

#include "common/file_system.h"

namespace morvel {

// One file of the tree. The views live only for the visit.
struct TreeFile {
    std::string_view folder;       // the folder as searched, ending in "\"
    std::string_view shortFolder;  // the same folder in short (8.3) form, ending in "\"
    std::string_view name;         // the long name, as stored on disk
    std::string_view shortName;    // the 8.3 name; the long name when that is one already or none is kept
    int depth = 0;                 // folders between the root and the file: 0 for the root's own
};

// Visits every file (not folders) of the root and its subfolders, level by level: the root's
// files first, then those of its subfolders, then theirs. Within a folder the order is the
// system's. "." and ".." are skipped; a folder that cannot be searched gives nothing. The
// subfolders wait in a queue, not on the stack, so a deep tree cannot exhaust it; on Windows a
// path longer than the ANSI calls take cannot be searched, which bounds a tree whose links loop.
void WalkFileTree(const FileSystem& fs, std::string_view root, const std::function<void(const TreeFile&)>& visit);

}  // namespace morvel

// The listing of one folder as the file list shows it: files of the selected type, then (or
// before them) the subfolders, in the list's order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace morvel::explorer_rules {

struct ListEntry {
    std::string text;  // a folder's text ends in "\"
    bool folder = false;
    // A file's short (8.3) name as the search reported it: the name itself when it is one.
    // Kept so that lists of thousands of files need not ask the system for each short name.
    std::string shortName;
};

struct ListingOptions {
    bool lowercase = true;      // "&Lowercase"
    bool foldersAfter = false;  // "Folders &after files"
};

struct Listing {
    std::vector<ListEntry> entries;  // in the list's order
    bool hasParent = false;          // the folder has a parent marker: "Up One Level" is offered
};

// An entry with a "\" is a folder entry.
inline bool IsFolderEntry(std::string_view text) {
    return text.find('\\') != std::string_view::npos;
}

// The list's own order: names compared without regard to ASCII case, byte by byte as unsigned
// characters; names equal but for case are ordered by their bytes so the order is total.
bool ListOrderLess(std::string_view a, std::string_view b);

// Lists the folder: every entry matching one of the searched masks of the mask list that is
// neither a folder nor a system file, then every subfolder (lower-cased, "\" appended). Folders
// come before the files, or after them with foldersAfter. A name found by two masks is listed
// once. The folder is searched once for every entry; the masks are matched in memory by the
// file system's own rules, against the long and the short name, as a search per mask would.
Listing ListFolder(const FileSystem& fs, std::string_view folder, std::string_view maskList,
                   const ListingOptions& options);

}  // namespace morvel::explorer_rules

// What the Explorer writes to the exchange file for several selected files: the multi-file list
// file and the instant slideshow, as ordered key writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "explorer/listing.h"

namespace morvel::explorer_rules {

struct IniWrite {
    std::string section;
    std::string key;
    std::string value;
};

// The short (8.3) form of folder + entry, split into folder and file parts. The file part is the
// short name the listing recorded; an entry without one is looked up (the path unchanged when it
// does not exist).
struct ShortName {
    std::string folder;  // up to and including the last "\" or ":"
    std::string file;
};
ShortName ShortNameOf(std::string_view folder, const ListEntry& entry, const FileSystem& fs);

// Directory/Files = n, sections 1..n with F = each file's short name, Directory/Name = the short
// folder of the last one. Nothing when no file is given.
std::vector<IniWrite> MultiFileListWrites(std::string_view folder, const std::vector<ListEntry>& files,
                                          const FileSystem& fs);

// Header/Ver = 4, Header/N = n + 1, sections 1..n with F = short name + ",0", Directory/0 = the
// short folder of the last one. Nothing when no file is given.
std::vector<IniWrite> InstantSlideshowWrites(std::string_view folder, const std::vector<ListEntry>& files,
                                             const FileSystem& fs);

}  // namespace morvel::explorer_rules

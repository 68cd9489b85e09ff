// The Look-in box: the drives, and under the current drive the chain of folders down to the
// current folder; and the folder that picking one of its entries leads to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace morvel::explorer_rules {

struct LookInEntry {
    std::string text;
    bool drive = false;
    DriveType driveType = DriveType::Unknown;  // drive entries
    bool current = false;                      // the current folder's entry carries its glyph
};

struct LookInModel {
    std::vector<LookInEntry> entries;
    int selected = -1;  // the current folder, or the drive when the folder is a root
};

// "c: [label]" for fixed, CD and RAM drives with a label, "x: \\server\share" for network
// drives, "a:" else; lower case throughout.
std::string DriveEntryText(const DriveInfo& drive);

// The entries for a folder such as "c:\Program Files\Sub": the drives, with " \Program Files" and
// "  \Sub" under drive c.
LookInModel BuildLookIn(const std::vector<DriveInfo>& drives, std::string_view folder);

struct LookInChoice {
    bool drive = false;
    char letter = 'c';  // a drive entry: its letter
    std::string path;   // a folder entry: the folder it stands for
};

// What picking entry `index` means: a drive entry (it holds ":") gives its letter; a folder entry
// gives the path built from it and the entries above it up to the first drive entry.
LookInChoice ChoiceAt(const std::vector<std::string>& texts, int index);

}  // namespace morvel::explorer_rules

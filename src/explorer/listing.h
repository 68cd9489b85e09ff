// The listing of one folder as the file list shows it: files of the selected type, then (or
// before them) the subfolders, in the list's order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace morvel::explorer_rules {

struct ListEntry {
    // The name in the code page, as LB_GETTEXT and type-ahead see it; a folder's ends in "\".
    std::string text;
    bool folder = false;
    // A file's short (8.3) name as the search reported it, the name itself when it is one (see
    // OpeningShortName); empty when no ANSI name reaches the file. Kept so that lists of
    // thousands of files need not ask the system for each short name.
    std::string shortName;
    // Where the code page cannot hold the name (the text is then a look-alike): the name as
    // stored, cased as the text, drawn in the text's place; and the short name, cased as the text
    // (with "\" for a folder), which stands for the entry in the name field and on to the host.
    // That is empty when the volume keeps no short name: nothing reaches the entry then.
    std::u16string realName;
    std::string reachingText;
};

// The text that reaches the entry through the ANSI calls: its text, or the short name where the
// code page cannot hold the name; empty when nothing does.
inline std::string_view ReachingText(const ListEntry& e) {
    return e.realName.empty() ? std::string_view(e.text) : std::string_view(e.reachingText);
}

// What a file entry puts into the name field: the text that reaches it; its own text, a
// look-alike, where nothing does, so that the field still shows which file was picked.
inline std::string_view NameFieldText(const ListEntry& e) {
    const std::string_view reaching = ReachingText(e);
    return reaching.empty() ? std::string_view(e.text) : reaching;
}

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
// once; two names that only look alike in the code page are two entries. The folder is searched
// once for every entry; the masks are matched in memory by the file system's own rules, against
// the long and the short name, as a search per mask would.
Listing ListFolder(const FileSystem& fs, std::string_view folder, std::string_view maskList,
                   const ListingOptions& options);

}  // namespace morvel::explorer_rules

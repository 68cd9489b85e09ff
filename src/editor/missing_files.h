// Slides whose files have moved. A slideshow names its files by short path, so when the files
// go to another drive or computer every such row points nowhere. This unit finds those rows'
// files again in a folder tree: one walk over the tree, each file's long and short name looked
// up in hash tables built from the missing names (never a scan of the tree per missing file).
//
// A missing row's stored name (the name part of its path) matches a file of the tree:
//  1. by the file's long name or its short name, case ignored (ASCII letters). When several
//     files match, the one nearest the searched folder wins (fewest folders between them), and
//     among those the first by folder path in the file list's order (case ignored), then by
//     name: the choice never depends on the order in which the system lists a folder.
//  2. failing that, when the stored name is a short name of the "~" form ("HOLIDA~1.BMP": at
//     most eight characters, a "~" after at least one of them, an extension of at most three),
//     by the one file whose long name begins with the text before the first "~" and has the
//     same extension, provided exactly one file of the whole tree does. Short names are made
//     afresh on every disk, so "~1" on one computer may be another file's "~2" on the next;
//     only a unique long name is trusted.
// A row relinked to a file gets what "&Add Slides" gives that file: the lower-case short path
// and the long name. Every other field of the row stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "editor/slide_table.h"

namespace morvel::editor {

// Searches the folder and its subfolders once for the stored paths' files. One answer per
// stored path, in the same order: the file's names as "&Add Slides" would give them, or nothing.
std::vector<std::optional<FileNames>> FindFilesByName(const std::vector<std::string>& storedPaths, const FileSystem& fs,
                                                      std::string_view folder);

// A row names a file when its path is neither empty (the placeholder) nor the not-applicable
// mark (a CD track).
bool NamesFile(const Slide& slide);
// The rows (numbers from 1, in table order) that name a file that does not exist now: for "Find
// missing files...", where files may have moved since the slideshow was read (opening a
// slideshow takes the rows its reading did not find instead). One existence check per row, but a
// folder that many rows use is listed once and its names matched in memory.
std::vector<int> MissingRows(const SlideTable& table, const FileSystem& fs);

struct Relink {
    int row = 0;      // from 1
    FileNames names;  // path and name for the row
};
// Searches the folder tree for the files of the rows given (numbers from 1, as MissingRows
// gives them; rows out of range or naming no file are passed over). One relink per row whose file
// was found, in the order given.
std::vector<Relink> FindMissingFiles(const SlideTable& table, const std::vector<int>& rows, const FileSystem& fs,
                                     std::string_view folder);
// Sets path and name of each relinked row; nothing else changes.
void ApplyRelinks(SlideTable& table, const std::vector<Relink>& relinks);

// The system menu's item; Ctrl+F runs it as well.
inline constexpr std::string_view kFindMissingCaption = "Find &missing files...";

// On opening, with files found in the slideshow's folder (confirmation, Yes/No):
// "N slide file(s) were not found.\nM of them are in the slideshow's folder.\nUse those?"
std::string MissingFoundQuestion(int missing, int found);
// On opening, with none found there (information, OK): "N slide file(s) were not found."
std::string MissingNotFoundMessage(int missing);
// After "Find missing files..." (information, OK): "Found M of N missing files."
std::string FoundMissingMessage(int found, int missing);

}  // namespace morvel::editor

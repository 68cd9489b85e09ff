// The Explorer's file-type box: the 27 type filters with their mask lists, and the masks a
// listing searches for a mask list.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvel::explorer_rules {

struct FileType {
    std::string_view label;
    std::string_view masks;  // "*.ext" patterns joined by ";"
};

inline constexpr int kFileTypeCount = 27;
extern const std::array<FileType, kFileTypeCount> kFileTypes;

inline constexpr int kAnyFilePosition = 0;       // "*.* any file (No validation)"
inline constexpr int kAllValidatedPosition = 1;  // "All validated formats"
inline constexpr int kSlideshowPosition = 5;     // "AVL (AV List Slideshow)"

inline constexpr std::string_view kAnyFileMasks = "*.*";
// Three backslashes: no entry produces it, so the next apply step always lists.
inline constexpr std::string_view kUnmatchedMaskList = "\\\\\\";

// The mask list of a filter position; positions outside 1..26 (0, or no selection) give "*.*".
std::string_view MaskListForPosition(int position);

// The mask list of a format entry of the save dialogs: "*." and the entry's extension (the
// label's first three characters).
std::string SaveMaskList(std::string_view label);

// The masks a listing searches, in order: "*.???" for "*.*", else each mask of the list.
std::vector<std::string> SearchMasks(std::string_view maskList);

// The extension a confirmed name is expected to carry: "." and the first three characters of
// the selected label (".AVL" for the slideshow entry, and see FormatExtension for the one
// format label that does not begin with its extension); nothing when no entry is selected.
std::optional<std::string> ExpectedExtension(std::optional<std::string_view> selectedLabel);

}  // namespace morvel::explorer_rules

// The output formats the save and convert dialogs offer for each colour depth, their format
// codes, the starting entry per depth, and what a confirmed save records for the host.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/list_file.h"

namespace morvel::explorer_rules {

struct FormatEntry {
    std::string_view label;
    int code = 0;
};

inline constexpr std::array<int, 5> kDepths = {1, 4, 8, 16, 24};  // the order of lastFormatIndex

// Position of a depth in lastFormatIndex; nothing for other values.
std::optional<std::size_t> DepthSlot(int depth);

// The formats offered at a depth, in table order; the restricted list leaves out the codes 0, 1,
// -10 and -11. Empty for a depth that is none of 1, 4, 8, 16, 24.
std::vector<FormatEntry> FormatList(int depth, bool restricted);

// The position a depth starts on when the settings hold none.
int BuiltInFormatIndex(int depth);
// The position the restricted list forces (24, 16 and 8 bits only).
std::optional<int> ForcedRestrictedIndex(int depth);
// The position preset when the depth is picked in the colour-depth box.
int PresetFormatIndex(int depth);
// Colour-depth box position 0..4 to depth 24, 16, 8, 4, 1.
int DepthOfBoxPosition(int position);

// The three letters a format entry lists and expects: the label's first three characters, and
// CMP for the grey LEAD entry, whose label does not begin with an extension.
std::string FormatExtension(std::string_view label);

// The JPEG compression button belongs to the codes below 7 and to 98 and 99.
bool JpegButtonShown(int code);

// The keys a confirmed save dialog writes after it closes: the depth's position, the folder and
// extension of the chosen name, and the depth.
std::vector<IniWrite> SaveChoiceWrites(int depth, int lastIndex, std::string_view fullName, std::string_view shortName);

}  // namespace morvel::explorer_rules

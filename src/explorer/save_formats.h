// The output formats the save and convert dialogs offer for each colour depth, their format
// codes, the starting entry per depth, and what a confirmed save records for the host.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/list_file.h"
#include "morvel32.h"

namespace morvel::explorer_rules {

struct FormatEntry {
    std::string_view label;
    int code = 0;
};

// One colour depth: its settings key, the entry it starts on when the key holds none, the entry
// the restricted list forces (24, 16 and 8 bits), the entry preset when the depth is picked in
// the colour-depth box, and that box's label. Rows in the box's order, which is also the order of
// lastFormatIndex.
struct DepthRow {
    int depth = 0;
    std::string_view key;
    int builtIn = 0;
    std::optional<int> forced;
    int preset = 0;
    std::string_view boxLabel;
};

inline constexpr std::array<DepthRow, 5> kDepthTable = {{
    {MORVEL_KIND_SAVE_24BIT, MORVEL_KEY_SAVE24, 5, 3, 5, "16M Colors (24 bits)"},
    {MORVEL_KIND_SAVE_16BIT, MORVEL_KEY_SAVE16, 2, 0, 5, "64K Colors (16 bits)"},
    {MORVEL_KIND_SAVE_8BIT, MORVEL_KEY_SAVE8, 9, 7, 9, "256 Colors (8 bits)"},
    {MORVEL_KIND_SAVE_4BIT, MORVEL_KEY_SAVE4, 0, std::nullopt, 0, "16 Colors (4-bits)"},
    {MORVEL_KIND_SAVE_1BIT, MORVEL_KEY_SAVE1, 5, std::nullopt, 5, "Black & White (1 bit)"},
}};

// Position of a depth in the table (and in lastFormatIndex, and in the colour-depth box);
// nothing for other values.
std::optional<std::size_t> DepthSlot(int depth);
// The row of a depth; nothing for other values.
const DepthRow* DepthRowOf(int depth);
// A stored format position as the dialog uses it: the built-in entry when it is outside the
// depth's list of `listLength` entries (a hand-edited key).
int CheckedFormatIndex(int depth, int stored, int listLength);

// The formats offered at a depth, in table order; the restricted list leaves out the codes 0, 1,
// -10 and -11. Empty for a depth that is none of 1, 4, 8, 16, 24.
std::vector<FormatEntry> FormatList(int depth, bool restricted);

// The table's values by depth; the 1-bit row's for a depth outside the table.
int BuiltInFormatIndex(int depth);
std::optional<int> ForcedRestrictedIndex(int depth);
int PresetFormatIndex(int depth);
// Colour-depth box position 0..4 to depth 24, 16, 8, 4, 1 (1 for any other position).
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

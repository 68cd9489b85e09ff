#include "explorer/save_formats.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

namespace {
// Offered at: bit 0 for 24 bits, 1 for 16, 2 for 8, 3 for 4, 4 for 1 (the per-depth table's order).
struct Row {
    std::string_view label;
    int code;
    unsigned depths;
};
constexpr unsigned k24 = 1, k16 = 2, k8 = 4, k4 = 8, k1 = 16;

constexpr Row kRows[] = {
    {"BMP Windows BitMaP", 7, k24 | k8 | k4 | k1},
    {"BMP OS/2 BitMaP", 8, k24 | k8 | k4 | k1},
    {"CAL C.A.L.S", 15, k1},
    {"CMP Lead \"JPEG\"", 0, k24 | k16},
    {"DIB Windows Bitmap", 7, k24 | k8 | k4 | k1},
    {"JPG JPEG/JFIF(Normal)", 1, k24 | k16},
    {"JPG JPEG/JFIF(Enhanced)", 99, k24 | k16},
    {"Lead \"JPEG\" [gray]", -10, k8},
    {"JPG JPEG/JFIF [gray]", -11, k8},
    {"KQP Konica Quality Photo", 98, k24 | k16 | k8},
    {"PIC Pegasus \"JPEG\"", 98, k24 | k16 | k8},
    {"PCT Mac PICTure", 20, k24 | k8 | k1},
    {"PCX ZSoft Paintbrush", 12, k24 | k8 | k4 | k1},
    {"PNG Portable Network Graphics", 37, k24 | k8 | k4 | k1},
    {"PSD Adobe PhotoShop", 38, k24},
    {"RAS Sun RASter", 18, k24 | k8 | k1},
    {"TGA Truevision TarGA", 11, k24 | k16 | k8},
    {"TIF Aldus TIFF", 9, k24 | k8 | k1},
    {"TIF Aldus TIFF CCITT", 24, k1},
    {"TIF Aldus TIFF G3 1d", 25, k1},
    {"TIF Aldus TIFF G3 2d", 26, k1},
    {"TIF Aldus TIFF G4", 27, k1},
    {"WPG WordPerfect Graphic", 17, k8 | k4 | k1},
};

// A depth's bit is its position in the per-depth table.
unsigned BitOf(int depth) {
    const auto slot = DepthSlot(depth);
    return slot ? 1u << *slot : 0u;
}

bool LeftOutWhenRestricted(int code) {
    return code == 0 || code == 1 || code == -10 || code == -11;
}
}  // namespace

std::optional<std::size_t> DepthSlot(int depth) {
    for (std::size_t i = 0; i < kDepthTable.size(); ++i) {
        if (kDepthTable[i].depth == depth) return i;
    }
    return std::nullopt;
}

const DepthRow* DepthRowOf(int depth) {
    const auto slot = DepthSlot(depth);
    return slot ? &kDepthTable[*slot] : nullptr;
}

int CheckedFormatIndex(int depth, int stored, int listLength) {
    if (stored >= 0 && stored < listLength) return stored;
    return BuiltInFormatIndex(depth);
}

std::vector<FormatEntry> FormatList(int depth, bool restricted) {
    std::vector<FormatEntry> list;
    const unsigned bit = BitOf(depth);
    if (bit == 0) return list;
    // The 4- and 1-bit lists hold none of the left-out codes, so they are the same either way.
    for (const Row& row : kRows) {
        if ((row.depths & bit) == 0) continue;
        if (restricted && LeftOutWhenRestricted(row.code)) continue;
        list.push_back({row.label, row.code});
    }
    return list;
}

namespace {
const DepthRow& RowOrLast(int depth) {
    const DepthRow* row = DepthRowOf(depth);
    return row ? *row : kDepthTable.back();
}
}  // namespace

int BuiltInFormatIndex(int depth) {
    return RowOrLast(depth).builtIn;
}

std::optional<int> ForcedRestrictedIndex(int depth) {
    const DepthRow* row = DepthRowOf(depth);
    return row ? row->forced : std::nullopt;
}

int PresetFormatIndex(int depth) {
    return RowOrLast(depth).preset;
}

int DepthOfBoxPosition(int position) {
    if (position < 0 || position >= static_cast<int>(kDepthTable.size())) return kDepthTable.back().depth;
    return kDepthTable[static_cast<std::size_t>(position)].depth;
}

std::string FormatExtension(std::string_view label) {
    if (label == "Lead \"JPEG\" [gray]") return "CMP";
    return std::string(label.substr(0, 3));
}

bool JpegButtonShown(int code) {
    return code < 7 || code == 98 || code == 99;
}

std::vector<IniWrite> SaveChoiceWrites(int depth, int lastIndex, std::string_view fullName,
                                       std::string_view shortName) {
    std::vector<IniWrite> writes;
    const std::string section = MORVEL_INI_SECTION;
    if (const DepthRow* row = DepthRowOf(depth)) {
        writes.push_back({section, std::string(row->key), std::to_string(lastIndex)});
    }
    writes.push_back({section, MORVEL_KEY_SAVEPATH, std::string(path::FolderPart(shortName))});
    writes.push_back({section, MORVEL_KEY_SAVEEXT, std::string(path::Extension(fullName))});
    if (DepthRowOf(depth)) writes.push_back({section, MORVEL_KEY_MULTIBPP, std::to_string(depth)});
    return writes;
}

}  // namespace morvel::explorer_rules

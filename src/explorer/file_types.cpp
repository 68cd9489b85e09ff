#include "explorer/file_types.h"

#include "explorer/save_formats.h"

namespace morvel::explorer_rules {

const std::array<FileType, kFileTypeCount> kFileTypes = {{
    {"*.* any file (No validation)", "*.*"},
    {"All validated formats",
     "*.pc?;*.tga;*.ras;*.dib;*.cal;*.cmp;*.av?;*.mid;*.fl?;*.?pg;*.dcx;*.pic;*.kqp;*.wav;*.mov;*.tif;"
     "*.bmp;*.png;*.dat"},
    {"All graphics formats",
     "*.jif;*.cmp;*.dib;*.cal;*.ras;*.wpg;*.pc?;*.mac;*.dcx;*.pic;*.kqp;*.bmp;*.tif;*.tga;*.jpg;*.png"},
    {"All multimedia formats", "*.mid;*.fl?;*.mpg;*.mov;*.avi;*.wav;*.dat"},
    {"AVI (Video for Windows)", "*.avi"},
    {"AVL (AV List Slideshow)", "*.avl"},
    {"BMP,DIB (Windows,OS/2)", "*.bmp;*.dib"},
    {"CAL (CALS Group 4 B/W)", "*.cal"},
    {"CMP (LEAD 'JPEG')", "*.cmp"},
    {"DCX (Intel MultiPage PCX)", "*.dcx"},
    {"FLI,FLC,FLX (Autodesk)", "*.fl?"},
    {"JPEG (JFIF compliant)", "*.jpg;*.jif"},
    {"KQP (Konica Quality Photo)", "*.kqp;*.pic"},
    {"MID (MIDI music)", "*.mid"},
    {"MAC (Apple B&W)", "*.mac"},
    {"MOV (Apple Quicktime)", "*.mov"},
    {"MPG (MPEG)", "*.mpg;*.dat"},
    {"PIC (Pegasus 'JPEG')", "*.pic;*.kqp"},
    {"PCD Kodak PhotoCD", "*.pcd"},
    {"PCT (Mac PiCT)", "*.pct"},
    {"PCX (ZSoft Paintbrush)", "*.pcx;*.pcc"},
    {"PNG (Portable Network Graphics)", "*.png"},
    {"RAS (Sun RASter)", "*.ras;*.rs"},
    {"TIF (Aldus TIFF)", "*.tif;*.mpt"},
    {"TGA (Truevision TarGA)", "*.tga"},
    {"WAV (Wavform Audio)", "*.wav"},
    {"WPG (WordPerfect Graphic)", "*.wpg"},
}};

std::string_view MaskListForPosition(int position) {
    if (position < 1 || position >= kFileTypeCount) return kAnyFileMasks;
    return kFileTypes[static_cast<std::size_t>(position)].masks;
}

std::string SaveMaskList(std::string_view label) {
    return "*." + FormatExtension(label);
}

std::vector<std::string> SearchMasks(std::string_view maskList) {
    // "*.*" would also list names with long extensions; the listing shows three at most.
    if (maskList == kAnyFileMasks) return {"*.???"};
    std::vector<std::string> masks;
    std::size_t start = 0;
    while (start <= maskList.size()) {
        const std::size_t end = maskList.find(';', start);
        const std::string_view mask =
            maskList.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!mask.empty()) masks.emplace_back(mask);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return masks;
}

std::optional<std::string> ExpectedExtension(std::optional<std::string_view> selectedLabel) {
    if (!selectedLabel) return std::nullopt;
    return "." + FormatExtension(*selectedLabel);
}

}  // namespace morvel::explorer_rules

// Reads what a PE file (DLL or program) says about itself: machine, imports, exports and
// resources. Portable, bounds-checked: a damaged file gives an error, never a bad read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvel::test {

struct PeImport {
    std::string dll;
    std::vector<std::string> functions;  // by name; "#<n>" for imports by ordinal
};

struct PeImage {
    std::uint16_t machine = 0;  // 0x14c for i386
    bool isDll = false;
    bool is32Bit = false;       // PE32 optional header
    std::vector<PeImport> imports;
    std::vector<std::string> exports;
    std::vector<std::uint32_t> resourceTypes;  // numeric resource types present (16 = VERSIONINFO)
};

// The image, or nothing with a reason in `error`.
std::optional<PeImage> ReadPeImage(std::string_view bytes, std::string* error = nullptr);

}  // namespace morvel::test

#include "explorer/write_back.h"

#include <cstdint>

#include "common/path_parts.h"
#include "hostlink/settings.h"

namespace morvel::explorer_rules {

namespace {
void Put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::string BuildProbeIcon() {
    constexpr int kSide = 16;
    constexpr std::uint32_t kPalette = 16 * 4;
    constexpr std::uint32_t kXorRow = kSide / 2;  // 4 bits a pixel, rows already 4-byte aligned
    constexpr std::uint32_t kAndRow = 4;          // 1 bit a pixel, padded to 4 bytes
    constexpr std::uint32_t kImage = 40 + kPalette + kXorRow * kSide + kAndRow * kSide;

    std::string out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon
    Put16(out, 1);  // one image
    out += static_cast<char>(kSide);
    out += static_cast<char>(kSide);
    out += static_cast<char>(16);  // colours
    out += '\0';
    Put16(out, 1);  // planes
    Put16(out, 4);  // bits per pixel
    Put32(out, kImage);
    Put32(out, 6 + 16);  // offset of the image

    Put32(out, 40);
    Put32(out, kSide);
    Put32(out, kSide * 2);  // colour and mask halves
    Put16(out, 1);
    Put16(out, 4);
    for (int i = 0; i < 6; ++i) Put32(out, 0);  // no compression, sizes and colour counts implied

    // The standard 16-colour palette.
    static const std::uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                              0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                              0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (std::uint32_t rgb : palette) {
        out += static_cast<char>(rgb & 0xFF);          // blue
        out += static_cast<char>((rgb >> 8) & 0xFF);   // green
        out += static_cast<char>((rgb >> 16) & 0xFF);  // red
        out += '\0';
    }
    // A white page with a black border.
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; x += 2) {
            auto pixel = [&](int px) { return (px == 0 || px == kSide - 1 || y == 0 || y == kSide - 1) ? 0 : 15; };
            out += static_cast<char>((pixel(x) << 4) | pixel(x + 1));
        }
    }
    out.append(kAndRow * kSide, '\0');  // fully opaque
    return out;
}
}  // namespace

const std::string& ProbeIconBytes() {
    static const std::string bytes = BuildProbeIcon();
    return bytes;
}

bool WriteBack(const std::string& fullName, const WriteBackMode& mode, const FileSystem& fs, const KeyWriter& write) {
    if (mode.dialogMode && mode.saveKind) {
        // The file the user agreed to overwrite keeps its bytes: the host or the editor replaces
        // it, and a failure there must not leave only the probe under the user's name.
        const WriteProbe probe = fs.ProbeWrite(fullName, ProbeIconBytes());
        if (probe == WriteProbe::Denied) return false;
        if (mode.convertMode && probe == WriteProbe::Created) fs.RemoveFile(fullName);
    }
    write(key::LongName, path::NamePart(fullName));
    const std::string shortName = fs.ShortPath(fullName);
    write(mode.dialogMode ? key::SaveNameWriteBack : key::Win95file, shortName);
    return true;
}

}  // namespace morvel::explorer_rules

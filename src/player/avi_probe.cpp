#include "player/avi_probe.h"

#include <cstdint>

namespace morvel {
namespace {

std::uint32_t U32(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

// Walks the chunks of [from, to); calls visit(id, dataStart, dataSize) for each complete chunk.
// Returns false when a chunk runs past the end.
template <typename Visit>
bool Walk(std::string_view b, std::size_t from, std::size_t to, Visit visit) {
    std::size_t at = from;
    while (at + 8 <= to) {
        const std::string_view id = b.substr(at, 4);
        const std::uint64_t size = U32(b, at + 4);
        if (at + 8 + size > to) return false;
        if (!visit(id, at + 8, static_cast<std::size_t>(size))) return true;
        at += 8 + static_cast<std::size_t>(size) + (size & 1u);
    }
    return true;
}

}  // namespace

AviProbe ProbeAviHeader(std::string_view b) {
    if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "AVI ") return AviProbe::NotAvi;
    bool headerSeen = false;
    bool complete = true;
    bool video = false;
    Walk(b, 12, b.size(), [&](std::string_view id, std::size_t data, std::size_t size) {
        if (id != "LIST" || size < 4 || b.substr(data, 4) != "hdrl") return true;
        headerSeen = true;
        complete = Walk(b, data + 4, data + size, [&](std::string_view sid, std::size_t sdata, std::size_t ssize) {
            if (sid != "LIST" || ssize < 4 || b.substr(sdata, 4) != "strl") return true;
            Walk(b, sdata + 4, sdata + ssize, [&](std::string_view hid, std::size_t hdata, std::size_t hsize) {
                if (hid == "strh" && hsize >= 4 && b.substr(hdata, 4) == "vids") video = true;
                return true;
            });
            return true;
        });
        return false;  // only the first header list counts
    });
    if (video) return AviProbe::WithVideo;
    if (!headerSeen || !complete) return AviProbe::NotAvi;
    return AviProbe::WithoutVideo;
}

}  // namespace morvel

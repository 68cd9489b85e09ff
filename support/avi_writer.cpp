#include "support/avi_writer.h"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace morvel::test {
namespace {

class Bytes {
public:
    void U8(std::uint8_t v) { data.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Four(const char* fourcc) { data.append(fourcc, 4); }
    void Raw(const std::string& bytes) { data += bytes; }
    std::size_t Size() const { return data.size(); }
    // Starts a chunk (or list) and returns where its size goes.
    std::size_t Open(const char* fourcc) {
        Four(fourcc);
        const std::size_t at = Size();
        U32(0);
        return at;
    }
    std::size_t OpenList(const char* listType, const char* type) {
        const std::size_t at = Open(listType);
        Four(type);
        return at;
    }
    void Close(std::size_t sizeAt) {
        const auto size = static_cast<std::uint32_t>(Size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i) data[sizeAt + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        if (size % 2 != 0) U8(0);
    }
    std::string data;
};

struct IndexEntry {
    const char* id;
    std::uint32_t offset;
    std::uint32_t length;
};

std::string FramePixels(const AviClip& clip, int frame) {
    const int bytesPerPixel = clip.bitsPerPixel / 8;
    const std::uint32_t stride = FrameBytes(clip) / static_cast<std::uint32_t>(clip.height);
    std::string pixels(FrameBytes(clip), '\0');
    const auto put = [&](int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t index) {
        const std::size_t row = static_cast<std::size_t>(clip.height - 1 - y) * stride;  // bottom-up
        const std::size_t at = row + static_cast<std::size_t>(x) * bytesPerPixel;
        if (bytesPerPixel == 1) {
            pixels[at] = static_cast<char>(index);
        } else {
            pixels[at] = static_cast<char>(b);
            pixels[at + 1] = static_cast<char>(g);
            pixels[at + 2] = static_cast<char>(r);
        }
    };
    const int barX = frame % clip.width;
    for (int y = 0; y < clip.height; ++y)
        for (int x = 0; x < clip.width; ++x) {
            if (x == barX || x == (barX + 1) % clip.width)
                put(x, y, 255, 255, 255, 1);
            else
                put(x, y, 0, static_cast<std::uint8_t>(y * 255 / clip.height), 64,
                    static_cast<std::uint8_t>(2 + y % 200));
        }
    // Frame number: 16 blocks of 4 x 4 pixels, red for a set bit.
    for (int bit = 0; bit < 16; ++bit) {
        if (((frame >> bit) & 1) == 0) continue;
        for (int dy = 0; dy < 4 && dy < clip.height; ++dy)
            for (int dx = 0; dx < 4; ++dx) {
                const int x = bit * 5 + dx;
                if (x < clip.width) put(x, dy, 255, 0, 0, 250);
            }
    }
    return pixels;
}

}  // namespace

std::uint32_t FrameBytes(const AviClip& clip) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(clip.width) * clip.bitsPerPixel / 8 + 3) & ~3u;
    return stride * static_cast<std::uint32_t>(clip.height);
}

std::string BuildAvi(const AviClip& clip) {
    if (clip.framesPerSecond <= 0) throw std::invalid_argument("frames per second must be positive");
    if (!clip.audioOnly) {
        if (clip.width <= 0 || clip.height <= 0 || clip.width > 4096 || clip.height > 4096)
            throw std::invalid_argument("unsupported frame size");
        if (clip.bitsPerPixel != 8 && clip.bitsPerPixel != 24) throw std::invalid_argument("unsupported depth");
        if (clip.frames <= 0) throw std::invalid_argument("a clip needs frames");
    }
    constexpr std::uint32_t kSampleRate = 8000;
    const std::uint32_t chunkBytes =
        clip.audioOnly ? kSampleRate / static_cast<std::uint32_t>(clip.framesPerSecond) : FrameBytes(clip);
    const std::uint32_t chunks = clip.audioOnly ? static_cast<std::uint32_t>(clip.audioSeconds * clip.framesPerSecond)
                                                : static_cast<std::uint32_t>(clip.frames);

    Bytes out;
    const std::size_t riff = out.OpenList("RIFF", "AVI ");
    const std::size_t hdrl = out.OpenList("LIST", "hdrl");
    const std::size_t avih = out.Open("avih");
    out.U32(1000000u / static_cast<std::uint32_t>(clip.framesPerSecond));
    out.U32(chunkBytes * static_cast<std::uint32_t>(clip.framesPerSecond));
    out.U32(0);
    out.U32(0x10);  // AVIF_HASINDEX
    out.U32(chunks);
    out.U32(0);
    out.U32(1);
    out.U32(chunkBytes);
    out.U32(clip.audioOnly ? 0u : static_cast<std::uint32_t>(clip.width));
    out.U32(clip.audioOnly ? 0u : static_cast<std::uint32_t>(clip.height));
    for (int i = 0; i < 4; ++i) out.U32(0);
    out.Close(avih);

    const std::size_t strl = out.OpenList("LIST", "strl");
    const std::size_t strh = out.Open("strh");
    out.Four(clip.audioOnly ? "auds" : "vids");
    if (clip.audioOnly)
        out.U32(0);
    else
        out.Four("DIB ");
    out.U32(0);
    out.U16(0);
    out.U16(0);
    out.U32(0);
    if (clip.audioOnly) {
        out.U32(1);
        out.U32(kSampleRate);
    } else {
        out.U32(1);
        out.U32(static_cast<std::uint32_t>(clip.framesPerSecond));
    }
    out.U32(0);
    out.U32(clip.audioOnly ? chunks * chunkBytes : chunks);
    out.U32(chunkBytes);
    out.U32(0xFFFFFFFFu);
    out.U32(clip.audioOnly ? 1u : 0u);
    out.U16(0);
    out.U16(0);
    out.U16(static_cast<std::uint16_t>(clip.audioOnly ? 0 : clip.width));
    out.U16(static_cast<std::uint16_t>(clip.audioOnly ? 0 : clip.height));
    out.Close(strh);

    const std::size_t strf = out.Open("strf");
    if (clip.audioOnly) {
        out.U16(1);  // PCM
        out.U16(1);
        out.U32(kSampleRate);
        out.U32(kSampleRate);
        out.U16(1);
        out.U16(8);
        out.U16(0);
    } else {
        const std::uint32_t colours = clip.bitsPerPixel == 8 ? 256 : 0;
        out.U32(40);
        out.U32(static_cast<std::uint32_t>(clip.width));
        out.U32(static_cast<std::uint32_t>(clip.height));
        out.U16(1);
        out.U16(static_cast<std::uint16_t>(clip.bitsPerPixel));
        out.U32(0);  // BI_RGB
        out.U32(FrameBytes(clip));
        out.U32(0);
        out.U32(0);
        out.U32(colours);
        out.U32(0);
        for (std::uint32_t i = 0; i < colours; ++i) {
            // 0 black, 1 white, 2..201 a blue-green ramp, 250 red.
            std::uint8_t r = 0, g = 0, b = 0;
            if (i == 1)
                r = g = b = 255;
            else if (i >= 2 && i < 202) {
                g = static_cast<std::uint8_t>((i - 2) * 255 / 200);
                b = 64;
            } else if (i == 250)
                r = 255;
            out.U8(b);
            out.U8(g);
            out.U8(r);
            out.U8(0);
        }
    }
    out.Close(strf);
    out.Close(strl);
    out.Close(hdrl);

    std::vector<IndexEntry> index;
    const std::size_t movi = out.OpenList("LIST", "movi");
    const std::size_t moviType = movi + 4;  // index offsets count from the 'movi' type
    const char* chunkId = clip.audioOnly ? "00wb" : "00db";
    for (std::uint32_t n = 0; n < chunks; ++n) {
        const auto offset = static_cast<std::uint32_t>(out.Size() - moviType);
        const std::size_t chunk = out.Open(chunkId);
        if (clip.audioOnly)
            out.Raw(std::string(chunkBytes, static_cast<char>(n % 2 ? 0x90 : 0x70)));
        else
            out.Raw(FramePixels(clip, static_cast<int>(n)));
        out.Close(chunk);
        index.push_back({chunkId, offset, chunkBytes});
    }
    out.Close(movi);

    const std::size_t idx1 = out.Open("idx1");
    for (const IndexEntry& entry : index) {
        out.Four(entry.id);
        out.U32(0x10);  // AVIIF_KEYFRAME
        out.U32(entry.offset);
        out.U32(entry.length);
    }
    out.Close(idx1);
    out.Close(riff);
    return out.data;
}

bool WriteAvi(const std::string& path, const AviClip& clip) {
    const std::string bytes = BuildAvi(clip);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace morvel::test

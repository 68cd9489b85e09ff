// The test clips' file structure: chunk sizes, headers and index entries.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "support/avi_writer.h"

namespace morvel::test {
namespace {

std::uint32_t U32At(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
    return v;
}

// Walks the file's chunks, checking that every size stays inside its parent; returns the
// position of each chunk's data by its id ("avih", "strh", "strf", "movi", "idx1").
std::map<std::string, std::pair<std::size_t, std::uint32_t>> Walk(const std::string& b, std::size_t from,
                                                                  std::size_t to) {
    std::map<std::string, std::pair<std::size_t, std::uint32_t>> found;
    std::size_t at = from;
    while (at + 8 <= to) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = U32At(b, at + 4);
        EXPECT_LE(at + 8 + size, to) << "chunk " << id << " overruns its parent";
        if (id == "LIST") {
            const std::string type = b.substr(at + 8, 4);
            found[type] = {at + 8, size};
            auto inner = Walk(b, at + 12, at + 8 + size);
            found.insert(inner.begin(), inner.end());
        } else {
            found[id] = {at + 8, size};
        }
        at += 8 + size + (size & 1);
    }
    return found;
}

TEST(AviWriter, VideoClipStructure) {
    struct Case {
        const char* name;
        AviClip clip;
        std::uint32_t frameBytes;
    };
    const Case cases[] = {
        {"24-bit 160x120", AviClip{160, 120, 12, 15, 24, false, 1}, 160 * 3 * 120},
        {"24-bit odd width pads rows", AviClip{33, 7, 3, 10, 24, false, 1}, 100 * 7},
        {"8-bit with palette", AviClip{31, 5, 4, 25, 8, false, 1}, 32 * 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string b = BuildAvi(c.clip);
        ASSERT_EQ(b.substr(0, 4), "RIFF");
        ASSERT_EQ(b.substr(8, 4), "AVI ");
        EXPECT_EQ(U32At(b, 4), b.size() - 8);
        EXPECT_EQ(FrameBytes(c.clip), c.frameBytes);
        const auto chunks = Walk(b, 12, b.size());
        ASSERT_TRUE(chunks.count("avih") && chunks.count("strh") && chunks.count("strf") && chunks.count("movi") &&
                    chunks.count("idx1"));
        const std::size_t avih = chunks.at("avih").first;
        EXPECT_EQ(U32At(b, avih + 16), static_cast<std::uint32_t>(c.clip.frames));
        EXPECT_EQ(U32At(b, avih + 32), static_cast<std::uint32_t>(c.clip.width));
        EXPECT_EQ(U32At(b, avih + 36), static_cast<std::uint32_t>(c.clip.height));
        EXPECT_EQ(b.substr(chunks.at("strh").first, 4), "vids");
        EXPECT_EQ(U32At(b, chunks.at("strh").first + 32), static_cast<std::uint32_t>(c.clip.frames));
        const std::size_t strf = chunks.at("strf").first;
        EXPECT_EQ(chunks.at("strf").second, c.clip.bitsPerPixel == 8 ? 40u + 1024u : 40u);
        EXPECT_EQ(static_cast<unsigned char>(b[strf + 14]), c.clip.bitsPerPixel);

        const auto [idx, idxSize] = chunks.at("idx1");
        ASSERT_EQ(idxSize, 16u * static_cast<std::uint32_t>(c.clip.frames));
        const std::size_t moviType = chunks.at("movi").first;
        std::string previous;
        for (int n = 0; n < c.clip.frames; ++n) {
            const std::size_t e = idx + 16 * static_cast<std::size_t>(n);
            EXPECT_EQ(b.substr(e, 4), "00db") << "entry " << n;
            const std::size_t chunk = moviType + U32At(b, e + 8);
            EXPECT_EQ(b.substr(chunk, 4), "00db") << "entry " << n << " points at its chunk";
            EXPECT_EQ(U32At(b, chunk + 4), c.frameBytes) << "entry " << n;
            EXPECT_EQ(U32At(b, e + 12), c.frameBytes) << "entry " << n;
            const std::string pixels = b.substr(chunk + 8, c.frameBytes);
            EXPECT_NE(pixels, previous) << "frame " << n << " differs from the one before";
            previous = pixels;
        }
    }
}

TEST(AviWriter, AudioOnlyClipHasNoVideoStream) {
    const std::string b = BuildAvi(AviClip{0, 0, 0, 10, 24, true, 2});
    const auto chunks = Walk(b, 12, b.size());
    EXPECT_EQ(b.substr(chunks.at("strh").first, 4), "auds");
    EXPECT_EQ(U32At(b, chunks.at("avih").first + 32), 0u);
    EXPECT_EQ(chunks.at("idx1").second, 16u * 20u);
    EXPECT_EQ(b.substr(chunks.at("idx1").first, 4), "00wb");
    EXPECT_EQ(b.find("vids"), std::string::npos);
}

TEST(AviWriter, RefusesWhatItCannotWrite) {
    EXPECT_THROW(BuildAvi(AviClip{0, 10, 1, 10, 24, false, 1}), std::invalid_argument);
    EXPECT_THROW(BuildAvi(AviClip{10, 10, 1, 10, 16, false, 1}), std::invalid_argument);
    EXPECT_THROW(BuildAvi(AviClip{10, 10, 0, 10, 24, false, 1}), std::invalid_argument);
    EXPECT_THROW(BuildAvi(AviClip{10, 10, 1, 0, 24, false, 1}), std::invalid_argument);
}

}  // namespace
}  // namespace morvel::test

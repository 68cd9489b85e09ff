// The header check that keeps an AVI without video away from the video driver.
#include <gtest/gtest.h>

#include <random>

#include "player/avi_probe.h"
#include "support/avi_writer.h"

namespace morvel::test {
namespace {

TEST(PlayerAviProbe, KindsOfFiles) {
    const std::string video = BuildAvi(AviClip{16, 8, 3, 10, 8, false, 1});
    const std::string audio = BuildAvi(AviClip{0, 0, 0, 10, 24, true, 1});
    const std::size_t movi = video.find("movi");
    struct Case {
        const char* name;
        std::string bytes;
        AviProbe expected;
    };
    const Case cases[] = {
        {"video clip", video, AviProbe::WithVideo},
        {"header part of a video clip", video.substr(0, movi), AviProbe::WithVideo},
        {"audio-only clip", audio, AviProbe::WithoutVideo},
        {"empty", "", AviProbe::NotAvi},
        {"wave file", "RIFF\x10\0\0\0WAVEfmt ", AviProbe::NotAvi},
        {"cut inside the header list", video.substr(0, 100), AviProbe::NotAvi},
        {"header list claims 4 GB", std::string("RIFF\0\0\0\0AVI LIST\xff\xff\xff\xffhdrl", 24), AviProbe::NotAvi},
        {"no header list at all", std::string("RIFF\x0c\0\0\0AVI JUNK\0\0\0\0", 20), AviProbe::NotAvi},
    };
    for (const Case& c : cases) EXPECT_EQ(ProbeAviHeader(c.bytes), c.expected) << c.name;
}

TEST(PlayerAviProbe, DamagedHeadersNeverReadOutside) {
    // Run under AddressSanitizer: any read past the buffer fails the run.
    const std::string video = BuildAvi(AviClip{16, 8, 2, 10, 24, false, 1});
    std::mt19937 random(7);
    int withVideo = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = video.substr(0, 12 + random() % (video.size() - 12));
        for (int flips = 0; flips < 4; ++flips) bytes[random() % bytes.size()] = static_cast<char>(random());
        const std::string exact(bytes.data(), bytes.size());
        withVideo += ProbeAviHeader(exact) == AviProbe::WithVideo;
    }
    EXPECT_GT(withVideo, 0);
}

}  // namespace
}  // namespace morvel::test

// Small uncompressed AVI clips for the player's tests: one DIB video stream ('00db' frames with an
// index), or one PCM audio stream and no video. Frames differ visibly: a bar that moves one step
// per frame and the frame number as a row of binary blocks along the top.
#pragma once

#include <cstdint>
#include <string>

namespace morvel::test {

struct AviClip {
    int width = 160;
    int height = 120;
    int frames = 30;
    int framesPerSecond = 15;
    int bitsPerPixel = 24;   // 8 (with a palette) or 24
    bool audioOnly = false;  // an 'auds' stream of 8-bit mono PCM, no video
    int audioSeconds = 1;
};

// The bytes of the clip; throws std::invalid_argument for sizes or depths it does not write.
std::string BuildAvi(const AviClip& clip);
// Writes the clip to path; false when the file cannot be written.
bool WriteAvi(const std::string& path, const AviClip& clip);

// Bytes of one frame as stored (bottom-up rows padded to 4 bytes).
std::uint32_t FrameBytes(const AviClip& clip);

}  // namespace morvel::test

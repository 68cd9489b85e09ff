// A look at the stream headers of an AVI file before it goes to the media device: under Wine a
// file that claims to be an AVI but has no video stream is refused up front, since Wine's video
// driver given one faults inside the host process.
#pragma once

#include <string_view>

namespace morvel {

enum class AviProbe {
    NotAvi,        // not a RIFF 'AVI ' file, or its header list is incomplete: the device decides
    WithVideo,     // at least one 'vids' stream
    WithoutVideo,  // a complete header list with no 'vids' stream
};

// Reads only the bytes given (the start of the file); chunk sizes are checked against them.
AviProbe ProbeAviHeader(std::string_view bytes);

}  // namespace morvel

// The video player's exports. Each catches everything at its boundary.
#include <windows.h>

#include <exception>

#include "common/win/message_box.h"
#include "morvel32.h"
#include "player/Video_02.h"

namespace morvel {
namespace {

template <typename Result, typename Body>
Result Guarded(Result onFailure, Body body) noexcept {
    try {
        return body();
    } catch (const std::exception& failure) {
        ShowFailure(nullptr, failure);
    } catch (...) {
        ShowMessage(nullptr, BoxKind::Error, "Unexpected failure in morvel32.dll");
    }
    return onFailure;
}

}  // namespace
}  // namespace morvel

using namespace morvel;

extern "C" {

__declspec(dllexport) MorvelInt __stdcall VideoWinPlayer95(MorvelInt playMode, MorvelInt option) {
    return Guarded(0, [&] { return OpenVideoPlayer(playMode, option); });
}

__declspec(dllexport) MorvelInt __stdcall VideoWinStatus95(void) {
    return Guarded(0, [] { return PlayerStatusValue(player); });
}

__declspec(dllexport) void __stdcall VideoWinClose95(void) {
    Guarded(0, [] {
        RequestPlayerClose();
        return 0;
    });
}

}  // extern "C"

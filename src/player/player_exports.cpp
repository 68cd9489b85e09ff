// The video player's exports. Each catches everything at its boundary.
#include <windows.h>

#include "hostlink/export_guard.h"
#include "morvel32.h"
#include "player/Video_02.h"

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

// The video player's exports and the entry points behind them. Each export catches everything
// at its boundary.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "common/path_parts.h"
#include "common/win/gdi.h"
#include "common/win/guard.h"
#include "common/win/message_box.h"
#include "common/win/modal.h"
#include "common/win/win_file_system.h"
#include "hostlink/long_name.h"
#include "hostlink/win/library.h"
#include "hostlink/win/settings_file.h"
#include "morvel32.h"
#include "player/play_modes.h"
#include "player/win/player_window.h"

namespace morvel {

namespace {

// The long name of the file a path names, as stored on disk; the path's name part when the file
// is not found.
std::string LongFileName(const std::string& path) {
    return LongNamePart(path, RealFileSystem());
}

// VideoWinPlayer95: opens the clip named by SaveName; 1 when the window is on screen, 0 when the
// clip could not be opened (the user has seen why).
std::int32_t OpenVideoPlayer(std::int32_t playMode, std::int32_t option) {
    // One player at a time: a window still open is closed before the next clip opens. While its
    // driver's dialog is open it cannot close (this call runs inside the dialog's loop), so no
    // second player is opened.
    if (TVideoForm* open = library.player.window) {
        if (open->InDriverDialog()) return 0;
        open->CloseNow();
    }
    StartPlayer(library.player.slot, playMode);
    std::optional<win::BusyCursor> busy(std::in_place);
    std::string videoFile = Settings().ReadString(key::SaveName, kAbsentString);

    TVideoForm* form = TVideoForm::Create(OpeningState(option, std::move(videoFile)));
    if (form == nullptr) {
        busy.reset();
        ShowMessage(nullptr, BoxKind::Error, "Unable to create the video window.");
        return 0;
    }
    // The window may close while pending messages run (the host's own calls among them): the
    // object stays, and whether its window does is checked after each run.
    const win::Window::Use use(*form);
    const std::string& clip = form->State().videoFile;
    MediaControl& control = form->Media();
    control.FileName = clip;
    win::PumpPending();
    const bool opened = !form->Destroyed() && control.Open();
    win::PumpPending();
    busy.reset();
    if (!opened) {
        ShowMessage(nullptr, BoxKind::Error, OpenErrorMessage(control.ErrorMessage(), control.Error()));
        form->DestroyWithoutClosing();
        return 0;
    }
    SetWindowTextA(form->hwnd(), std::string(path::NamePart(LongFileName(clip))).c_str());
    form->ShowAndActivate();
    win::PumpPending();
    if (form->Destroyed()) return 0;  // activation failed and the user has seen why
    form->Shown();
    return 1;
}

// VideoWinClose95: clears the play mode, then closes now or at the next tick.
void RequestPlayerClose() {
    library.player.slot.playMode = 0;
    if (TVideoForm* form = library.player.window) return form->CloseRequest();
    TakeCloseRequest(library.player.slot, false);
}

}  // namespace

}  // namespace morvel

using namespace morvel;

extern "C" {

__declspec(dllexport) MorvelInt __stdcall VideoWinPlayer95(MorvelInt playMode, MorvelInt option) {
    return win::Guarded(nullptr, 0, [&] { return OpenVideoPlayer(playMode, option); });
}

__declspec(dllexport) MorvelInt __stdcall VideoWinStatus95(void) {
    return win::Guarded(nullptr, 0, [] { return PlayerStatusValue(library.player.slot); });
}

__declspec(dllexport) void __stdcall VideoWinClose95(void) {
    win::Guarded(nullptr, 0, [] {
        RequestPlayerClose();
        return 0;
    });
}

}  // extern "C"

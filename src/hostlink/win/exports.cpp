// The library-wide exports: the long name and the graphics flush. The Explorer's and the player's
// exports live beside their windows. Each catches everything at its boundary: a failure is shown
// to the user and never reaches the host.
#include <windows.h>

#include "common/win/guard.h"
#include "common/win/win_file_system.h"
#include "hostlink/long_name.h"
#include "hostlink/win/settings_file.h"
#include "morvel32.h"

using namespace morvel;

extern "C" {

__declspec(dllexport) void __stdcall ShortToLongName95(void) {
    win::Guarded(nullptr, 0, [] {
        const SettingsFile settings = Settings();
        const std::string saveName = settings.ReadString(key::SaveName, kAbsentString);
        settings.WriteString(key::LongName, LongNamePart(saveName, RealFileSystem()));
        return 0;
    });
}

__declspec(dllexport) MorvelInt __stdcall GDIflush95(void) {
    return win::Guarded(nullptr, 0, [] { return GdiFlush() ? 1 : 0; });
}

}  // extern "C"

// The editor's export. It catches everything at its boundary.
#include <windows.h>

#include "common/win/guard.h"
#include "editor/win/editor_window.h"
#include "morvel32.h"

using namespace morvel;

extern "C" {

__declspec(dllexport) MorvelInt __stdcall EditorWin95(void) {
    return win::Guarded(nullptr, 0, [] { return RunEditor(); });
}

}  // extern "C"

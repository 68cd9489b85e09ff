// TScrlDlg: the numeric entry dialog. It takes the question (caption, range,
// steps, initial value) and gives back the answer; the rules are ScrollValue's, this window shows
// them.
#pragma once

#include <windows.h>

#include "editor/slide_menus.h"

namespace morvel {

// ExecuteScrlDlg: asks for one whole number in [minimum, maximum]; the chosen value after "&Ok",
// -1 after Cancel. The steps are taken as the 16-bit values the dialog keeps.
int ExecuteScrlDlg(HWND owner, const editor::FreeValueDialog& question);

}  // namespace morvel

// The library's message boxes: four kinds, fixed texts, modal to the window that asks.
#pragma once

#include <windows.h>

#include <string>

#include "common/box_kind.h"

namespace morvel {

// Shows the text with an OK button (Yes and No for a confirmation) and returns the button
// pressed: IDOK, IDYES or IDNO. The caption is the application title the library uses.
int ShowMessage(HWND owner, BoxKind kind, const std::string& text);

// Shows the text with Yes and No buttons and the icon of its kind; true for Yes.
bool AskYesNo(HWND owner, BoxKind kind, const std::string& text);

// Shows the text with OK and Cancel buttons and the icon of its kind; true for OK.
bool AskOkCancel(HWND owner, BoxKind kind, const std::string& text);

// Shows the message of an exception caught at a window's or an export's boundary.
void ShowFailure(HWND owner, const std::exception& failure);

}  // namespace morvel

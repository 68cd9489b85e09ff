// Text of windows and list controls as std::string (ANSI), sized by the control's own answer.
#pragma once

#include <windows.h>

#include <string>

namespace morvel::win {

std::string WindowText(HWND window);
void SetText(HWND window, const std::string& text);
// Text of an item of a combo box or a list box; empty when there is no such item.
std::string ComboItemText(HWND combo, int index);
std::string ListItemText(HWND list, int index);

}  // namespace morvel::win

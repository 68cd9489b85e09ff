// TScrlDlg (unit Scrldlg3): the numeric entry dialog The rules are ScrollValue's;
// this window shows them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace morvel {

// Asks for one whole number in [minimum, maximum]: the chosen value after "&Ok", -1 after Cancel.
int ExecuteScrlDlg(HWND owner, const std::string& caption, std::int32_t minimum, std::int32_t maximum,
                   std::int32_t smallStep, std::int32_t largeStep, std::int32_t initial);

}  // namespace morvel

// What the window layer keeps while the library is loaded. It lives in the library object (the
// one place for such state); the layer reaches it through `Layer()`.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace morvel::win {

struct LayerState {
    int busyDepth = 0;                           // open waits of the hourglass
    std::vector<std::string> registeredClasses;  // unregistered when the library unloads
    HHOOK hostLoopHook = nullptr;                // routes the host loop's keys (keys.h)
    int hostLoopWindows = 0;                     // windows that asked for that route
};

LayerState& Layer();

}  // namespace morvel::win

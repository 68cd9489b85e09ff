// The settings file in the Windows directory, as every part of the library opens it.
#pragma once

#include "hostlink/settings.h"

namespace morvel {

// morvel.ini in the Windows directory (GetWindowsDirectoryA), opened afresh by each operation.
SettingsFile Settings();

}  // namespace morvel

#include "hostlink/win/settings_file.h"

#include <windows.h>

namespace morvel {

namespace {
std::string WindowsDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryA(buffer, static_cast<UINT>(sizeof buffer));
    if (length == 0 || length >= sizeof buffer) return "c:\\windows";
    return std::string(buffer, length);
}
}  // namespace

SettingsFile Settings() {
    // The directory does not change while the process runs, so it is looked up once.
    static const std::string folder = WindowsDirectory();
    return SettingsFile(folder);
}

}  // namespace morvel

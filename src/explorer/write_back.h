// The write-back: naming the chosen file in the settings file (LongName, then Savename in a
// dialog or Win95file in the modeless Explorer), after the save dialogs' write-access probe.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace morvel::explorer_rules {

// A small valid icon file (16 x 16, 16 colours): what the save dialogs' probe writes under a
// chosen name that no file has yet; the host then replaces the file.
const std::string& ProbeIconBytes();

struct WriteBackMode {
    bool dialogMode = false;
    bool saveKind = false;     // dialogKind 0, 1, 4, 8, 16 or 24
    bool convertMode = false;  // the probe file is removed again at once
};

using KeyWriter = std::function<void(std::string_view key, std::string_view value)>;

// Probes write access where the mode asks for it (false, with nothing written, when the file
// can be neither opened for writing nor created), then writes the two keys through `write`. An
// existing file keeps its bytes; an absent one is created holding the icon, so that its short
// name exists, and in convert mode removed again.
bool WriteBack(const std::string& fullName, const WriteBackMode& mode, const FileSystem& fs, const KeyWriter& write);

}  // namespace morvel::explorer_rules

// The folder the Explorer opens at, and the folder it records when it closes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace morvel::explorer_rules {

inline constexpr std::string_view kFallbackFolder = "c:\\";

// The long form of a folder, component by component: from the drive on, each component is
// looked up under the path built so far and the name its directory entry holds replaces it; a
// component that cannot be looked up stays as written. A drive root stays as it is. Nothing when
// the text is no absolute drive path or holds a component that names no single entry (empty,
// "." or "..", wildcards).
std::optional<std::string> LongFormOf(std::string_view folder, const FileSystem& fs);

// LastDir or SavePath as read, turned into the folder to show first: the final "\" dropped
// (except at a drive root), the long form taken, and "c:\" when that is no existing folder.
std::string ResolveStartFolder(std::string_view stored, const FileSystem& fs);

// The folder as LastDir records it: its short form when it exists, ending in "\".
std::string RecordedFolder(std::string_view folder, const FileSystem& fs);

}  // namespace morvel::explorer_rules

// The long name of a chosen file, as ShortToLongName95 reports it.
#pragma once

#include <string>

#include "common/file_system.h"

namespace morvel {

// The name of the first directory entry matching the path, as stored on disk where the code page
// holds it, else its short name (FileSystem::FindFirstName); the name part of the path itself when
// nothing matches or no ANSI name reaches the entry.
std::string LongNamePart(const std::string& path, const FileSystem& fs);

}  // namespace morvel

// What the portable logic asks of the file system. The Win32 layer answers with the real calls
// (FindFirstFileA, GetShortPathNameA, GetFileAttributesA); native tests answer with a fake.
#pragma once

#include <optional>
#include <string>

namespace morvel {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The name of the first directory entry that matches the path, as the entry stores it (the
    // long name, no folder); nothing when no entry matches.
    virtual std::optional<std::string> FindFirstName(const std::string& path) const = 0;
    // The short (8.3) form of a path that exists, else the path unchanged.
    virtual std::string ShortPath(const std::string& path) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;
};

}  // namespace morvel

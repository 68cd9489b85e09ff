// What the portable logic asks of the file system. The Win32 layer answers with the real calls
// (FindFirstFileA, GetShortPathNameA, GetFileAttributesA, GetLogicalDrives, ...); native tests
// answer with a fake.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/name_mask.h"

namespace morvel {

// One directory entry as a search reports it.
struct FoundEntry {
    std::string_view name;  // as stored on disk (long form)
    bool folder = false;
    bool system = false;
    std::string_view shortName;  // the 8.3 name the system keeps beside it; empty when the name is one
};

enum class DriveType { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveInfo {
    char letter = 'c';       // lower case
    DriveType type = DriveType::Unknown;
    std::string label;       // volume label (fixed, CD, RAM) or network name (remote); may be empty
};

enum class WriteProbe { Denied, Existing, Created };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The name of the first directory entry that matches the path, as the entry stores it (the
    // long name, no folder); nothing when no entry matches.
    virtual std::optional<std::string> FindFirstName(const std::string& path) const = 0;
    // The short (8.3) form of a path that exists, else the path unchanged.
    virtual std::string ShortPath(const std::string& path) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;

    // The calls below serve the Explorer. A file system that cannot do one of them answers as a
    // system with nothing there would: no entries, no drives, nothing exists, nothing written.

    // Every entry of every attribute that matches the pattern (a folder, "\", and a mask with
    // "*" and "?"), in the order the system gives them. A folder that cannot be searched gives
    // nothing.
    virtual void Search(const std::string& /*pattern*/,
                        const std::function<void(const FoundEntry&)>& /*visit*/) const {}
    // The wildcard rules by which Search matches its mask, for matching found names in memory.
    virtual MaskRules SearchRules() const { return MaskRules::Dos; }
    // A file (not a folder) of that name exists.
    virtual bool FileExists(const std::string& /*path*/) const { return false; }
    // The drives as the system lists them, in drive-letter order.
    virtual std::vector<DriveInfo> Drives() const { return {}; }
    // The drive's size can be read (a disk is in it).
    virtual bool DriveReady(char /*letter*/) const { return false; }
    // The save dialogs' write-access probe: an existing file is opened for writing and closed with
    // its bytes unchanged (Existing); an absent one is created holding the bytes (Created);
    // Denied when neither can be done, and then nothing is left behind.
    virtual WriteProbe ProbeWrite(const std::string& /*path*/, std::string_view /*newFileBytes*/) const {
        return WriteProbe::Denied;
    }
    // Deletes a file; false when it was not there or cannot be deleted.
    virtual bool RemoveFile(const std::string& /*path*/) const { return false; }
    // Gives a file or folder a new path, never replacing an entry that has it already; false on
    // failure (the source missing, the target taken, a name the system refuses).
    virtual bool MovePath(const std::string& /*from*/, const std::string& /*to*/) const { return false; }
};

}  // namespace morvel

// What the portable logic asks of the file system. The Win32 layer answers with the real calls
// (FindFirstFileW, GetShortPathNameW, GetFileAttributesA, GetLogicalDrives, ...); native tests
// answer with a fake.
//
// Names are ANSI, as everywhere in the library. A name that the ANSI code page cannot hold comes
// from a search as the system's look-alike ("Omega.bmp" for the Greek capital omega, "?" where
// there is none), which opens nothing or another file; such an entry also carries its name as
// stored, for drawing it and renaming it, and is reached through its short name.
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
    std::string_view name;  // the long form, as stored on disk, in the code page (a look-alike, see above)
    bool folder = false;
    bool system = false;
    // The 8.3 name the system keeps beside it; empty when the name is one, when the volume keeps
    // none, or when the code page cannot hold it either.
    std::string_view shortName;
    // The long name as stored, only where the code page cannot hold it.
    std::u16string_view realName;
};

// The name that opens a found entry through the ANSI calls: the long name where the code page
// holds it, else the short name; nothing when neither does.
inline std::optional<std::string_view> OpeningName(const FoundEntry& e) {
    if (e.realName.empty()) return e.name;
    if (!e.shortName.empty()) return e.shortName;
    return std::nullopt;
}

// The 8.3 form that opens it: the short name, else the long name where the code page holds it
// (the name is then its own short form, or the volume keeps none); nothing when neither does.
inline std::optional<std::string_view> OpeningShortName(const FoundEntry& e) {
    if (!e.shortName.empty()) return e.shortName;
    if (e.realName.empty()) return e.name;
    return std::nullopt;
}

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
    // The name of the first directory entry that matches the path, no folder, as OpeningName
    // gives it: the long name as the entry stores it where the code page holds it; nothing when
    // no entry matches or no ANSI name opens it.
    virtual std::optional<std::string> FindFirstName(const std::string& path) const = 0;
    // The short (8.3) form of a path that exists, else the path unchanged; unchanged too where
    // the short form would hold a name that the code page cannot.
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
    // MovePath for an entry of the folder that only its name as stored reaches.
    virtual bool MoveStoredName(const std::string& /*folder*/, std::u16string_view /*name*/,
                                const std::string& /*to*/) const {
        return false;
    }
};

}  // namespace morvel

// An in-memory file system for the portable logic's tests: folders and files under drive
// letters, short names, drives and their readiness, and files that cannot be written. Names
// compare without regard to ASCII case, as on Windows; masks match as FindFirstFileA matches
// long names ("?" may match nothing at the end of a name or before its dot).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace morvel::testing {

class FakeFileSystem : public FileSystem {
public:
    // Adds a folder (and its parents); path like "c:\a\b".
    void AddFolder(const std::string& path);
    // Adds a file (and its folder).
    void AddFile(const std::string& path, bool system = false);
    void SetShortName(const std::string& path, const std::string& shortPath);
    void AddDrive(DriveInfo drive, bool ready = true);
    void DenyListing(const std::string& folder) { unlisted_.insert(Key(folder)); }
    void DenyWrite(const std::string& path) { unwritable_.insert(Key(path)); }

    std::optional<std::string> FindFirstName(const std::string& path) const override;
    std::string ShortPath(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    void Search(const std::string& pattern, const std::function<void(const FoundEntry&)>& visit) const override;
    bool FileExists(const std::string& path) const override;
    std::vector<DriveInfo> Drives() const override { return drives_; }
    bool DriveReady(char letter) const override;
    WriteProbe ProbeWrite(const std::string& path, std::string_view newFileBytes) const override;
    bool RemoveFile(const std::string& path) const override;
    // Renames within the same folder or moves between existing folders; a target that is taken
    // or a source that is missing fails, as MoveFileA does. Files only.
    bool MovePath(const std::string& from, const std::string& to) const override;
    // Names the real system refuses (wildcards, device names) make MovePath fail.
    void DenyMoveTo(const std::string& path) { unmovable_.insert(Key(path)); }

    void SetContents(const std::string& path, std::string bytes) { contents_[Key(path)] = std::move(bytes); }
    // Bytes of a file as set or written through the interface; empty when none.
    std::string Contents(const std::string& path) const;
    mutable int searches = 0;

    static bool MatchesMask(std::string_view name, std::string_view mask);

private:
    struct Node {
        std::string name;  // as stored
        bool folder = false;
        bool system = false;
    };
    static std::string Key(const std::string& path);
    static std::string Parent(const std::string& key);

    // Keyed by lower-cased full path without a final "\".
    mutable std::map<std::string, Node> nodes_;
    // The node a path names: its own key, or the long key of a short path given to SetShortName.
    std::string Resolve(const std::string& path) const;

    std::map<std::string, std::string> shortNames_;
    std::map<std::string, std::string> longOfShort_;
    std::vector<DriveInfo> drives_;
    std::set<char> ready_;
    std::set<std::string> unlisted_;
    std::set<std::string> unwritable_;
    std::set<std::string> unmovable_;
    mutable std::map<std::string, std::string> contents_;
};

}  // namespace morvel::testing

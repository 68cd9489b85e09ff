// The file system as the Win32 calls see it: searches and short names through the wide calls,
// so that a name the code page cannot hold is still found and reached (file_system.h).
#pragma once

#include "common/file_system.h"

namespace morvel {

class WinFileSystem final : public FileSystem {
public:
    std::optional<std::string> FindFirstName(const std::string& path) const override;
    std::string ShortPath(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    void Search(const std::string& pattern, const std::function<void(const FoundEntry&)>& visit) const override;
    MaskRules SearchRules() const override;
    bool FileExists(const std::string& path) const override;
    std::vector<DriveInfo> Drives() const override;
    bool DriveReady(char letter) const override;
    WriteProbe ProbeWrite(const std::string& path, std::string_view newFileBytes) const override;
    bool RemoveFile(const std::string& path) const override;
    bool MovePath(const std::string& from, const std::string& to) const override;
    bool MoveStoredName(const std::string& folder, std::u16string_view name, const std::string& to) const override;
};

// The one instance the Win32 layer uses.
const WinFileSystem& RealFileSystem();

}  // namespace morvel

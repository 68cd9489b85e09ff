#include "common/win/win_file_system.h"

#include <windows.h>

#include <vector>

namespace morvel {

std::optional<std::string> WinFileSystem::FindFirstName(const std::string& path) const {
    WIN32_FIND_DATAA data{};
    const HANDLE search = FindFirstFileA(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    return std::string(data.cFileName);
}

std::string WinFileSystem::ShortPath(const std::string& path) const {
    const DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::vector<char> buffer(needed + 1);
    const DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    return std::string(buffer.data(), length);
}

bool WinFileSystem::FolderExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

const WinFileSystem& RealFileSystem() {
    static const WinFileSystem instance;
    return instance;
}

}  // namespace morvel

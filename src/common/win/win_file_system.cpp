#include "common/win/win_file_system.h"

#include <windows.h>
#include <winnetwk.h>

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

void WinFileSystem::Search(const std::string& pattern, const std::function<void(const FoundEntry&)>& visit) const {
    WIN32_FIND_DATAA data{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const DWORD a = data.dwFileAttributes;
        visit(FoundEntry{data.cFileName, (a & FILE_ATTRIBUTE_DIRECTORY) != 0, (a & FILE_ATTRIBUTE_SYSTEM) != 0,
                         data.cAlternateFileName});
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

MaskRules WinFileSystem::SearchRules() const {
    // Wine's file system reads "?" and "." plainly (see MaskRules); its ntdll says who it is.
    static const MaskRules rules = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr
                                       ? MaskRules::Plain
                                       : MaskRules::Dos;
    return rules;
}

bool WinFileSystem::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {
// No "insert a disk" box from the system while drives are probed.
class QuietDriveErrors {
public:
    QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietDriveErrors() { SetErrorMode(previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    UINT previous_;
};

DriveType TypeOf(UINT type) {
    switch (type) {
        case DRIVE_REMOVABLE:
            return DriveType::Removable;
        case DRIVE_FIXED:
            return DriveType::Fixed;
        case DRIVE_REMOTE:
            return DriveType::Remote;
        case DRIVE_CDROM:
            return DriveType::CdRom;
        case DRIVE_RAMDISK:
            return DriveType::RamDisk;
        default:
            return DriveType::Unknown;
    }
}
}  // namespace

std::vector<DriveInfo> WinFileSystem::Drives() const {
    const QuietDriveErrors quiet;
    std::vector<DriveInfo> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((mask & (1u << i)) == 0) continue;
        DriveInfo drive;
        drive.letter = static_cast<char>('a' + i);
        const char root[] = {static_cast<char>('A' + i), ':', '\\', '\0'};
        drive.type = TypeOf(GetDriveTypeA(root));
        if (drive.type == DriveType::Fixed || drive.type == DriveType::CdRom || drive.type == DriveType::RamDisk) {
            char label[MAX_PATH + 1] = {};
            if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0)) {
                drive.label = label;
            }
        } else if (drive.type == DriveType::Remote) {
            const char local[] = {root[0], ':', '\0'};
            char remote[MAX_PATH + 1] = {};
            DWORD size = sizeof remote;
            if (WNetGetConnectionA(local, remote, &size) == NO_ERROR) drive.label = remote;
        }
        drives.push_back(std::move(drive));
    }
    return drives;
}

bool WinFileSystem::DriveReady(char letter) const {
    const QuietDriveErrors quiet;
    const char root[] = {letter, ':', '\\', '\0'};
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    return GetDiskFreeSpaceA(root, &sectors, &bytes, &freeClusters, &clusters) != 0;
}

// OPEN_ALWAYS opens a file that exists as it is, never truncating it, or creates a new one, in
// one call: a file the user agreed to overwrite keeps its bytes until the new content is written,
// and a file that appears meanwhile is never replaced.
WriteProbe WinFileSystem::ProbeWrite(const std::string& path, std::string_view newFileBytes) const {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return WriteProbe::Denied;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(file);
        return WriteProbe::Existing;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, newFileBytes.data(), static_cast<DWORD>(newFileBytes.size()), &written, nullptr) &&
                    written == newFileBytes.size();
    const bool closed = CloseHandle(file) != 0;
    if (ok && closed) return WriteProbe::Created;
    DeleteFileA(path.c_str());  // no half-written probe under the user's name
    return WriteProbe::Denied;
}

bool WinFileSystem::RemoveFile(const std::string& path) const {
    return DeleteFileA(path.c_str()) != 0;
}

// MoveFileA never replaces an existing target, so a name taken since it was checked fails
// instead of destroying the other file.
bool WinFileSystem::MovePath(const std::string& from, const std::string& to) const {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

const WinFileSystem& RealFileSystem() {
    static const WinFileSystem instance;
    return instance;
}

}  // namespace morvel

#include "common/win/win_file_system.h"

#include <windows.h>
#include <winnetwk.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/scope_exit.h"

namespace morvel {

namespace {
// Names between the ANSI code page of the file calls and the system's own wide form. The system
// keeps names wide: a wide search finds every name, which is then given in the code page as the
// ANSI calls would give it, with a mark of whether that form still names the same entry.
class Names {
public:
    // The host may have switched the file calls to the OEM code page.
    Names() : codePage_(AreFileApisANSI() ? CP_ACP : CP_OEMCP) {}

    std::wstring Widen(std::string_view text) const {
        std::wstring wide(text.size(), L'\0');
        const int n = text.empty() ? 0
                                   : MultiByteToWideChar(codePage_, 0, text.data(), static_cast<int>(text.size()),
                                                         wide.data(), static_cast<int>(wide.size()));
        wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return wide;
    }

    // The name in the code page, into `out`; true when it converts back to the same name.
    bool Narrow(std::wstring_view wide, std::string& out) {
        out.resize(wide.size());
        std::size_t i = 0;
        for (; i < wide.size() && wide[i] < 0x80; ++i) out[i] = static_cast<char>(wide[i]);
        if (i == wide.size()) return true;  // plain ASCII, the common case: no conversion
        // Up to three bytes a character (a UTF-8 code page); the buffers are reused from name to name.
        out.resize(wide.size() * 3);
        const int length = static_cast<int>(wide.size());
        const int n = WideCharToMultiByte(codePage_, 0, wide.data(), length, out.data(), static_cast<int>(out.size()),
                                          nullptr, nullptr);
        out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        if (n <= 0) return false;
        back_.resize(static_cast<std::size_t>(n));
        const int m = MultiByteToWideChar(codePage_, 0, out.data(), n, back_.data(), n);
        return m == length && std::equal(wide.begin(), wide.end(), back_.begin());
    }

    // One search result, its names held here until the next.
    FoundEntry Found(const WIN32_FIND_DATAW& data) {
        const bool exact = Narrow(data.cFileName, name_);
        const bool shortExact = Narrow(data.cAlternateFileName, shortName_);
        realName_.clear();
        if (!exact) {
            const wchar_t* name = data.cFileName;
            realName_.assign(name, std::find(name, name + MAX_PATH, L'\0'));
        }
        const DWORD a = data.dwFileAttributes;
        return FoundEntry{name_, (a & FILE_ATTRIBUTE_DIRECTORY) != 0, (a & FILE_ATTRIBUTE_SYSTEM) != 0,
                          shortExact ? std::string_view(shortName_) : std::string_view(), realName_};
    }

private:
    UINT codePage_;
    std::wstring back_;
    std::string name_, shortName_;
    std::u16string realName_;
};
}  // namespace

std::optional<std::string> WinFileSystem::FindFirstName(const std::string& path) const {
    Names names;
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(names.Widen(path).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    const auto name = OpeningName(names.Found(data));
    if (!name) return std::nullopt;
    return std::string(*name);
}

std::string WinFileSystem::ShortPath(const std::string& path) const {
    Names names;
    const std::wstring wide = names.Widen(path);
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring buffer(needed, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) return path;
    std::string shortPath;
    return names.Narrow(std::wstring_view(buffer.data(), length), shortPath) ? shortPath : path;
}

bool WinFileSystem::FolderExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void WinFileSystem::Search(const std::string& pattern, const std::function<void(const FoundEntry&)>& visit) const {
    Names names;
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(names.Widen(pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        visit(names.Found(data));
    } while (FindNextFileW(search, &data));
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
// No "insert a disk" box from the system while drives are probed, until the scope ends.
auto QuietDriveErrors() {
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return ScopeExit([previous] { SetErrorMode(previous); });
}

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
    const auto quiet = QuietDriveErrors();
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
    const auto quiet = QuietDriveErrors();
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

bool WinFileSystem::MoveStoredName(const std::string& folder, std::u16string_view name, const std::string& to) const {
    const Names names;
    std::wstring from = names.Widen(folder);
    if (!from.empty() && from.back() != L'\\') from += L'\\';
    from.append(name.begin(), name.end());
    return MoveFileW(from.c_str(), names.Widen(to).c_str()) != 0;
}

const WinFileSystem& RealFileSystem() {
    static const WinFileSystem instance;
    return instance;
}

}  // namespace morvel

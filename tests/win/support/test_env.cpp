#include "win/support/test_env.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "win/support/ui_driver.h"

namespace morvel::test {

std::string WindowsDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length);
}

std::string SettingsPath() { return WindowsDirectory() + "\\morvel.ini"; }

void RemoveSettings() {
    const std::string path = SettingsPath();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::string ProgramFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length);
    return path.substr(0, path.find_last_of('\\'));
}

std::string DllPath() { return ProgramFolder() + "\\morvel32.dll"; }

bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

std::optional<std::string> ReadBytes(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

TempFolder::TempFolder(const std::string& name) : path_("C:\\morvel-tests\\" + name) {
    CreateDirectoryA("C:\\morvel-tests", nullptr);
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create " << path_;
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::operator/(const std::string& relative) const { return path_ + "\\" + relative; }

ProgramRun RunProgram(const std::string& commandLine, DWORD timeoutMs) {
    ProgramRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        ADD_FAILURE() << "CreatePipe failed";
        return run;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start: " << commandLine;
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return run;
    }
    CloseHandle(writeEnd);
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) run.output.append(chunk, got);
    CloseHandle(readEnd);
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "program did not finish: " << commandLine;
        TerminateProcess(process.hProcess, 99);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

std::string UnixPathOf(const std::string& windowsPath) {
    // Wine maps C: to the prefix's drive_c and Z: to the Unix root; the tests use no other drive.
    if (windowsPath.size() < 3 || windowsPath[1] != ':' || windowsPath[2] != '\\') return {};
    std::string rest = windowsPath.substr(3);
    for (char& c : rest) {
        if (c == '\\') c = '/';
    }
    const char drive = static_cast<char>(windowsPath[0] | 0x20);
    if (drive == 'z') return "/" + rest;
    char prefix[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    if (drive != 'c' || length == 0 || length >= MAX_PATH) return {};
    // The Windows side matches names without regard to case; on disk the prefix's folders are
    // lower case ("windows"), as are the names the tests create through the Unix side.
    char actual[MAX_PATH + 1] = {};
    if (GetLongPathNameA(windowsPath.c_str(), actual, MAX_PATH) > 0) rest = std::string(actual).substr(3);
    for (char& c : rest) {
        if (c == '\\') c = '/';
    }
    return std::string(prefix) + "/drive_c/" + rest;
}

namespace {
// Whether a write to the file (or into the folder) would be allowed now. Opens without truncating.
// Probe files that could not be removed because the folder became immutable in between.
std::vector<std::string> strandedProbes;

bool Writable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // A new name every time: a probe stranded by a race with chattr must not make the folder
        // look unwritable later.
        static unsigned counter = 0;
        const std::string probe = path + "\\~writable" + std::to_string(++counter) + ".probe";
        HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        CloseHandle(h);
        if (!DeleteFileA(probe.c_str())) strandedProbes.push_back(probe);
        return true;
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

// Wine starts a Unix program when CreateProcess is given one, but hands back no process handle
// to wait on; callers await the program's effect instead.
bool StartUnixTool(const std::string& tool, const std::string& arguments) {
    for (const std::string folder : {"Z:\\usr\\bin\\", "Z:\\bin\\"}) {
        const std::string program = folder + tool;
        if (!FileExists(program)) continue;
        std::string line = program + " " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            return false;
        }
        if (process.hThread) CloseHandle(process.hThread);
        if (process.hProcess) CloseHandle(process.hProcess);
        return true;
    }
    return false;
}

bool Chattr(const std::string& flag, const std::string& windowsPath, const std::string& unixPath) {
    if (!StartUnixTool("chattr", flag + " \"" + unixPath + "\"")) return false;
    const bool wantWritable = flag == "-i";
    return WaitUntil([&] { return Writable(windowsPath) == wantWritable; }, Millis(5000));
}

ULONGLONG TotalBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExA((folder + "\\").c_str(), &available, &total, &free)) return 0;
    return total.QuadPart;
}
}  // namespace

Immutable::Immutable(const std::string& windowsPath)
    : windowsPath_(windowsPath), unixPath_(UnixPathOf(windowsPath)) {
    active_ = !unixPath_.empty() && Chattr("+i", windowsPath_, unixPath_);
    if (!active_) ADD_FAILURE() << "cannot make " << windowsPath << " (" << unixPath_ << ") immutable";
}

Immutable::~Immutable() {
    if (active_ && !Chattr("-i", windowsPath_, unixPath_)) ADD_FAILURE() << "cannot undo immutable " << windowsPath_;
    for (const std::string& probe : strandedProbes) DeleteFileA(probe.c_str());
    strandedProbes.clear();
}

SmallDisk::SmallDisk(int kilobytes) {
    // Wine gives the first processes of every fresh prefix the same ids, so the name is made
    // unique by the folder's creation: runs side by side (or one that died mounted) never share it.
    static int counter = 0;
    do {
        const std::string name =
            "morvel-disk-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        unixPath_ = "/tmp/" + name;
        windowsPath_ = "Z:\\tmp\\" + name;
    } while (!CreateDirectoryA(windowsPath_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    if (!FileExists(windowsPath_)) {
        ADD_FAILURE() << "cannot create " << windowsPath_;
        return;
    }
    const ULONGLONG limit = static_cast<ULONGLONG>(kilobytes) * 1024;
    active_ = StartUnixTool("mount", "-t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs " + unixPath_) &&
              WaitUntil([&] { return TotalBytes(windowsPath_) == limit; }, Millis(5000));
    if (!active_) ADD_FAILURE() << "cannot mount a " << kilobytes << " KB tmpfs on " << unixPath_;
}

SmallDisk::~SmallDisk() {
    if (active_) {
        // Lazy, so that a handle Wine still holds in the folder cannot keep the disk mounted.
        const ULONGLONG mountedTotal = TotalBytes(windowsPath_);
        if (!StartUnixTool("umount", "-l " + unixPath_) ||
            !WaitUntil([&] { return TotalBytes(windowsPath_) != mountedTotal; }, Millis(5000))) {
            ADD_FAILURE() << "cannot unmount " << unixPath_;
            return;
        }
    }
    RemoveTree(windowsPath_);
}

void SmallDisk::Fill() const {
    const std::string filler = *this / "filler";
    HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFilePointer(file, 0, nullptr, FILE_END);
    const std::string block(512, 'f');
    DWORD wrote = 0;
    while (WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &wrote, nullptr) && wrote > 0) {
    }
    CloseHandle(file);
}

void SmallDisk::Free() const {
    DeleteFileA((*this / "filler").c_str());
}

ProgramRun RunMorvelIni(const std::vector<std::string>& arguments) {
    std::string line = "\"" + ProgramFolder() + "\\morvel-ini.exe\"";
    for (const std::string& argument : arguments) {
        line += " \"";
        // Quote as the C runtime splits arguments: backslashes before a quote are doubled.
        size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            if (c == '"') {
                line.append(backslashes * 2 + 1, '\\');
            } else {
                line.append(backslashes, '\\');
            }
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');
        line += "\"";
    }
    return RunProgram(line);
}

ResourceCounts CountResources() {
    ResourceCounts counts;
    counts.windows = static_cast<int>(ProcessWindows().size());
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
            if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++counts.threads;
        }
        CloseHandle(snapshot);
    }
    counts.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return counts;
}

}  // namespace morvel::test

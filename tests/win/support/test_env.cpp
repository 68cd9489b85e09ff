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

// The surroundings of a test under Wine: the Windows directory and the settings file, files and
// folders made for the test, the programs built beside it, and resource counts.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace morvel::test {

std::string WindowsDirectory();
// morvel.ini in the Windows directory, where the library keeps it.
std::string SettingsPath();
// Removes morvel.ini, so that a test starts from "nothing stored".
void RemoveSettings();

// The folder of the running test program (the DLL and the tools are built beside it).
std::string ProgramFolder();
std::string DllPath();

bool WriteBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// A folder made for one test under C:\morvel-tests, removed with everything in it afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // path() + "\" + relative
    std::string operator/(const std::string& relative) const;

private:
    std::string path_;
};
void RemoveTree(const std::string& path);

// The Unix path Wine maps a Windows path to ("" when it cannot tell).
std::string UnixPathOf(const std::string& windowsPath);

// Makes a file or folder immutable (chattr +i) for the life of the object, so that writes to it
// fail for real even though the tests run as root.
class Immutable {
public:
    explicit Immutable(const std::string& windowsPath);
    ~Immutable();
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;
    bool active() const { return active_; }

private:
    std::string windowsPath_;
    std::string unixPath_;
    bool active_ = false;
};

// A tmpfs of the given size mounted for the life of the object on a fresh Unix folder, which the
// test reaches through Wine's drive Z:, so that writes there fail for real with a full disk.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool active() const { return active_; }
    // The folder as Windows sees it ("Z:\tmp\...").
    const std::string& path() const { return windowsPath_; }
    std::string operator/(const std::string& relative) const { return windowsPath_ + "\\" + relative; }
    // Takes up what is left with one file, so that the next block asked for is refused; Free
    // gives it back.
    void Fill() const;
    void Free() const;

private:
    std::string unixPath_;
    std::string windowsPath_;
    bool active_ = false;
};

struct ProgramRun {
    DWORD exitCode = 0;
    std::string output;  // standard output and standard error, as written
};
// Runs a program with the command line and waits for it (fails the test after the timeout).
ProgramRun RunProgram(const std::string& commandLine, DWORD timeoutMs = 30000);
// Runs the morvel-ini tool built beside the test with the arguments (each quoted as needed).
ProgramRun RunMorvelIni(const std::vector<std::string>& arguments);

// What a process holds; a leak shows as a count that grows over repeated work.
struct ResourceCounts {
    int windows = 0;     // top-level windows of this process
    int threads = 0;     // threads of this process
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};
ResourceCounts CountResources();

}  // namespace morvel::test

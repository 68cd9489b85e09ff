// The file operations the INI store's reads and writes are made of, one implementation per
// platform (POSIX calls natively, kernel32 on Windows). The write that never loses data is built
// once on top of them; tests wrap the real operations to make single steps fail.
//
// Errors are Win32 error codes (0 is success), whatever the platform, because the emulated
// profile calls report them as the real ones do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvel::ini::io {

using Error = std::uint32_t;
inline constexpr Error kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
inline constexpr Error kPathNotFound = 3;  // ERROR_PATH_NOT_FOUND
inline constexpr Error kAccessDenied = 5;  // ERROR_ACCESS_DENIED
inline constexpr Error kWriteFault = 29;   // ERROR_WRITE_FAULT
inline constexpr Error kDiskFull = 112;    // ERROR_DISK_FULL

class FileOps {
public:
    using Handle = std::intptr_t;

    virtual ~FileOps() = default;

    // Opens an existing file for reading, sharing it with writers and with a replace.
    virtual Error OpenForRead(const std::string& path, Handle& file) = 0;
    // Opens an existing regular file for reading and writing, without truncating it.
    virtual Error OpenForUpdate(const std::string& path, Handle& file) = 0;
    // Creates `path`, which must not exist yet, for writing. The new file takes the permissions
    // or attributes of `like` when that file exists.
    virtual Error CreateNew(const std::string& path, const std::string& like, Handle& file) = 0;
    // The whole content, from the start.
    virtual Error ReadAll(Handle file, std::string& bytes) = 0;
    virtual Error WriteAt(Handle file, std::uint64_t offset, std::string_view bytes) = 0;
    virtual Error Truncate(Handle file, std::uint64_t size) = 0;
    // Returns once the content is on the disk.
    virtual Error Flush(Handle file) = 0;
    virtual void Close(Handle file) = 0;
    // Puts `from` in the place of `to` in one step (a reader opens either the old or the new
    // file) and returns once the change of name is on the disk. Where a reader holding `to` keeps
    // it from being replaced, waits a moment for the reader to finish.
    virtual Error Replace(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;

    // The file a write to `path` must change: a symbolic link's target, otherwise the path.
    virtual std::string Resolve(const std::string& path) = 0;
    // A number that no other process running now uses in its scratch names.
    virtual std::uint32_t ProcessId() = 0;
};

// The operations of this platform.
FileOps& PlatformFileOps();

// The whole safe write (WriteFileBytes) over the given operations: the new content goes to a
// scratch file in the same folder, is flushed and then replaces the file; where the scratch file
// cannot be made or filled, the file is rewritten in place and its old bytes are put back when
// that fails. A refused replace fails the write. No scratch file is left behind. On failure the
// file reads as before and the error is returned.
Error WriteFileBytesWith(FileOps& ops, const std::string& path, std::string_view bytes);

// The scratch name used for a write of `path`: same folder, a name no other write uses now.
std::string ScratchNameFor(const std::string& path, std::uint32_t processId, std::uint32_t serial);

}  // namespace morvel::ini::io

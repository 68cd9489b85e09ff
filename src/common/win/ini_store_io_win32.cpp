// The INI store's file operations on Windows: kernel32's ANSI calls. Built into the portable
// library only for Windows, where the library, morvel-ini.exe and the benchmarks share the store.
#include <windows.h>

#include <algorithm>

#include "common/ini_store_io.h"

namespace morvel::ini::io {

namespace {

// A reader of the file (the host's profile calls, say) holds it only for a moment, and while it
// does, the file cannot be replaced; the replace is tried again for this long.
constexpr DWORD kReplaceRetryMs = 2000;
// WriteFile and ReadFile move at most a DWORD; chunks keep each call reasonable.
constexpr std::size_t kChunk = 1 << 20;

HANDLE H(FileOps::Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

Error LastError() {
    const DWORD error = GetLastError();
    return error == 0 ? kWriteFault : error;
}

// Whether a refused replace may succeed once a reader lets go: the file is in use, not read-only
// or locked down for good (which a write-open tells apart).
bool InUse(DWORD error, const std::string& path) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return true;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

Error Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes,
           FileOps::Handle& file) {
    const HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastError();
    file = reinterpret_cast<FileOps::Handle>(h);
    return 0;
}

Error Seek(HANDLE h, std::uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(h, to, nullptr, FILE_BEGIN) ? 0 : LastError();
}

class Win32FileOps final : public FileOps {
public:
    Error OpenForRead(const std::string& path, Handle& file) override {
        // Shared for delete too, so that a write can replace the file while we read it.
        return Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                    FILE_FLAG_SEQUENTIAL_SCAN, file);
    }

    Error OpenForUpdate(const std::string& path, Handle& file) override {
        return Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, file);
    }

    Error CreateNew(const std::string& path, const std::string& like, Handle& file) override {
        // The replacement keeps the old file's hidden, system and archive marks.
        DWORD attributes = GetFileAttributesA(like.c_str());
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
        attributes = (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
                         ? FILE_ATTRIBUTE_NORMAL
                         : (attributes & kKept);
        if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
        return Open(path, GENERIC_WRITE, 0, CREATE_NEW, attributes, file);
    }

    Error ReadAll(Handle file, std::string& bytes) override {
        bytes.clear();
        if (const Error error = Seek(H(file), 0); error != 0) return error;
        std::string chunk(65536, '\0');
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(H(file), chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr)) {
                const Error error = LastError();
                bytes.clear();
                return error;
            }
            if (got == 0) return 0;
            bytes.append(chunk.data(), got);
        }
    }

    Error WriteAt(Handle file, std::uint64_t offset, std::string_view bytes) override {
        if (const Error error = Seek(H(file), offset); error != 0) return error;
        while (!bytes.empty()) {
            const DWORD want = static_cast<DWORD>(std::min(bytes.size(), kChunk));
            DWORD wrote = 0;
            if (!WriteFile(H(file), bytes.data(), want, &wrote, nullptr)) return LastError();
            if (wrote == 0) return kWriteFault;
            bytes.remove_prefix(wrote);
        }
        return 0;
    }

    Error Truncate(Handle file, std::uint64_t size) override {
        if (const Error error = Seek(H(file), size); error != 0) return error;
        return SetEndOfFile(H(file)) ? 0 : LastError();
    }

    Error Flush(Handle file) override { return FlushFileBuffers(H(file)) ? 0 : LastError(); }

    void Close(Handle file) override { CloseHandle(H(file)); }

    Error Replace(const std::string& from, const std::string& to) override {
        constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
        const DWORD start = GetTickCount();
        for (;;) {
            if (MoveFileExA(from.c_str(), to.c_str(), kFlags)) return 0;
            const DWORD error = GetLastError();
            if (GetTickCount() - start >= kReplaceRetryMs || !InUse(error, to)) return error == 0 ? kWriteFault : error;
            Sleep(1);
        }
    }

    void Remove(const std::string& path) override { DeleteFileA(path.c_str()); }

    std::string Resolve(const std::string& path) override { return path; }

    std::uint32_t ProcessId() override { return GetCurrentProcessId(); }
};

}  // namespace

FileOps& PlatformFileOps() {
    static Win32FileOps ops;
    return ops;
}

}  // namespace morvel::ini::io

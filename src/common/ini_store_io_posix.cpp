// The INI store's file operations on POSIX systems (the native build of the tools and tests).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "common/ini_store_io.h"

namespace morvel::ini::io {

namespace {

Error FromErrno(int err) {
    switch (err) {
        case 0:
            return kWriteFault;  // a call failed without saying why
        case ENOENT:
        case ENOTDIR:
            return kPathNotFound;
        case EEXIST:
            return 80;  // ERROR_FILE_EXISTS
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return kAccessDenied;
        case ENOSPC:
        case EDQUOT:
            return kDiskFull;
        default:
            return kWriteFault;
    }
}

int Fd(FileOps::Handle file) {
    return static_cast<int>(file);
}

// Reads and writes may move fewer bytes than asked, and signals may interrupt them.
template <class Step>
Error Loop(std::size_t total, Step step) {
    std::size_t done = 0;
    while (done < total) {
        const ssize_t n = step(done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return FromErrno(errno);
        }
        if (n == 0) return kWriteFault;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

class PosixFileOps final : public FileOps {
public:
    Error OpenForRead(const std::string& path, Handle& file) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return errno == ENOENT ? kFileNotFound : FromErrno(errno);
        file = fd;
        return 0;
    }

    Error OpenForUpdate(const std::string& path, Handle& file) override {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return errno == ENOENT ? kFileNotFound : FromErrno(errno);
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return kAccessDenied;
        }
        file = fd;
        return 0;
    }

    Error CreateNew(const std::string& path, const std::string& like, Handle& file) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) return FromErrno(errno);
        // The replacement keeps the old file's permissions (the umask applied to the new one).
        struct stat st {};
        if (::stat(like.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd, st.st_mode & 07777);
        file = fd;
        return 0;
    }

    Error ReadAll(Handle file, std::string& bytes) override {
        bytes.clear();
        char chunk[65536];
        for (off_t offset = 0;;) {
            const ssize_t n = ::pread(Fd(file), chunk, sizeof chunk, offset);
            if (n < 0) {
                if (errno == EINTR) continue;
                bytes.clear();
                return FromErrno(errno);
            }
            if (n == 0) return 0;
            bytes.append(chunk, static_cast<std::size_t>(n));
            offset += n;
        }
    }

    Error WriteAt(Handle file, std::uint64_t offset, std::string_view bytes) override {
        return Loop(bytes.size(), [&](std::size_t done) {
            return ::pwrite(Fd(file), bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        });
    }

    Error Truncate(Handle file, std::uint64_t size) override {
        while (::ftruncate(Fd(file), static_cast<off_t>(size)) != 0) {
            if (errno != EINTR) return FromErrno(errno);
        }
        return 0;
    }

    Error Flush(Handle file) override {
        while (::fsync(Fd(file)) != 0) {
            if (errno != EINTR) return FromErrno(errno);
        }
        return 0;
    }

    void Close(Handle file) override { ::close(Fd(file)); }

    Error Replace(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) return FromErrno(errno);
        // The new name is durable once the folder itself is flushed.
        const std::size_t slash = to.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
        return 0;
    }

    void Remove(const std::string& path) override { ::unlink(path.c_str()); }

    std::string Resolve(const std::string& path) override {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char* real = ::realpath(path.c_str(), nullptr);
        if (real == nullptr) return path;
        std::string target(real);
        std::free(real);
        return target;
    }

    std::uint32_t ProcessId() override { return static_cast<std::uint32_t>(::getpid()); }
};

}  // namespace

FileOps& PlatformFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace morvel::ini::io

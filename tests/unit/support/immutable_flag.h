// The immutable flag (chattr +i) for the life of an object: the one way a test run as root sees
// a write refused for real.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

namespace morvel::testing {

// chattr +i for the life of the object.
class ImmutableFlag {
public:
    explicit ImmutableFlag(const std::string& path) : path_(path) { active_ = Change(true); }
    ~ImmutableFlag() {
        if (active_) Change(false);
    }
    ImmutableFlag(const ImmutableFlag&) = delete;
    ImmutableFlag& operator=(const ImmutableFlag&) = delete;
    bool active() const { return active_; }

private:
    bool Change(bool on) const {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }

    std::string path_;
    bool active_ = false;
};

}  // namespace morvel::testing

// The INI store's write never loses the old content: every step of the write failing in turn, a
// full disk (a small tmpfs), an immutable file and folder, and a reader running during writes.
// The disk and immutable cases need root (the test command runs as root); elsewhere they skip.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "common/ini_store.h"
#include "common/ini_store_io.h"
#include "support/conformance_cases.h"
#include "unit/support/immutable_flag.h"
#include "unit/test_dir.h"

namespace {

namespace ini = morvel::ini;
namespace io = morvel::ini::io;
namespace fs = std::filesystem;
using morvel::conformance::ReadWholeFile;
using morvel::conformance::WriteWholeFile;
using morvel::testing::ImmutableFlag;

// Every name in the folder: a write leaves only its file behind.
std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

std::string Keys(int count, const std::string& tag) {
    std::string text = "[morvel]\r\n";
    for (int i = 0; i < count; ++i) text += "Key" + std::to_string(i) + "=" + tag + std::to_string(i) + "\r\n";
    return text;
}

// ---- Each step failing in turn --------------------------------------------------------------

enum class Step {
    CreateScratch,
    WriteScratch,
    FlushScratch,
    Replace,
    OpenInPlace,
    GrowInPlace,
    OverwriteInPlace,
    TruncateInPlace,
    FlushInPlace
};

// The real operations, with chosen steps failing once each. A failing write writes half of its
// bytes first, as a disk that fills up does.
class FaultyOps final : public io::FileOps {
public:
    explicit FaultyOps(std::set<Step> failing) : failing_(std::move(failing)) {}

    io::Error OpenForRead(const std::string& path, Handle& file) override { return real_.OpenForRead(path, file); }
    io::Error OpenForUpdate(const std::string& path, Handle& file) override {
        if (Fire(Step::OpenInPlace)) return io::kAccessDenied;
        return real_.OpenForUpdate(path, file);
    }
    io::Error CreateNew(const std::string& path, const std::string& like, Handle& file) override {
        if (Fire(Step::CreateScratch)) return io::kAccessDenied;
        const io::Error error = real_.CreateNew(path, like, file);
        if (error == 0) scratch_.insert(file);
        return error;
    }
    io::Error ReadAll(Handle file, std::string& bytes) override { return real_.ReadAll(file, bytes); }
    io::Error WriteAt(Handle file, std::uint64_t offset, std::string_view bytes) override {
        const Step step = scratch_.count(file) ? Step::WriteScratch
                          : offset > 0         ? Step::GrowInPlace
                                               : Step::OverwriteInPlace;
        if (Fire(step)) {
            real_.WriteAt(file, offset, bytes.substr(0, bytes.size() / 2));
            return io::kDiskFull;
        }
        return real_.WriteAt(file, offset, bytes);
    }
    io::Error Truncate(Handle file, std::uint64_t size) override {
        if (Fire(Step::TruncateInPlace)) return io::kWriteFault;
        return real_.Truncate(file, size);
    }
    io::Error Flush(Handle file) override {
        if (Fire(scratch_.count(file) ? Step::FlushScratch : Step::FlushInPlace)) return io::kWriteFault;
        return real_.Flush(file);
    }
    void Close(Handle file) override {
        scratch_.erase(file);
        real_.Close(file);
    }
    io::Error Replace(const std::string& from, const std::string& to) override {
        if (Fire(Step::Replace)) return io::kAccessDenied;
        return real_.Replace(from, to);
    }
    void Remove(const std::string& path) override { real_.Remove(path); }
    std::string Resolve(const std::string& path) override { return real_.Resolve(path); }
    std::uint32_t ProcessId() override { return real_.ProcessId(); }

private:
    bool Fire(Step step) { return failing_.erase(step) > 0; }

    io::FileOps& real_ = io::PlatformFileOps();
    std::set<Step> failing_;
    std::set<Handle> scratch_;
};

TEST(IniStoreWrite, EachFailingStepLeavesTheOldOrTheNewFileAndNoScratch) {
    const std::string old = Keys(40, "old");
    const std::string longer = Keys(60, "new");
    const std::string shorter = Keys(10, "new");
    struct Row {
        const char* name;
        std::set<Step> failing;
        const std::string& bytes;
        bool written;
        io::Error error;
    };
    const Row rows[] = {
        {"nothing fails", {}, longer, true, 0},
        {"folder takes no new file: rewritten in place", {Step::CreateScratch}, longer, true, 0},
        {"scratch write fails: rewritten in place", {Step::WriteScratch}, shorter, true, 0},
        {"scratch flush fails: rewritten in place", {Step::FlushScratch}, longer, true, 0},
        {"replace refused: not written", {Step::Replace}, longer, false, io::kAccessDenied},
        {"in place, growing fails", {Step::CreateScratch, Step::GrowInPlace}, longer, false, io::kDiskFull},
        {"in place, overwriting fails (longer)",
         {Step::CreateScratch, Step::OverwriteInPlace},
         longer,
         false,
         io::kDiskFull},
        {"in place, overwriting fails (shorter)",
         {Step::CreateScratch, Step::OverwriteInPlace},
         shorter,
         false,
         io::kDiskFull},
        {"in place, truncating fails", {Step::CreateScratch, Step::TruncateInPlace}, shorter, false, io::kWriteFault},
        {"in place, flushing fails", {Step::WriteScratch, Step::FlushInPlace}, shorter, false, io::kWriteFault},
        {"file refuses writes too: the scratch step's error",
         {Step::WriteScratch, Step::OpenInPlace},
         longer,
         false,
         io::kDiskFull},
        {"folder and file refused", {Step::CreateScratch, Step::OpenInPlace}, shorter, false, io::kAccessDenied},
    };
    for (const Row& row : rows) {
        morvel::testing::TestDir dir;
        const std::string path = dir.File("morvel.ini");
        ASSERT_TRUE(WriteWholeFile(path, old));
        FaultyOps ops(row.failing);
        EXPECT_EQ(io::WriteFileBytesWith(ops, path, row.bytes), row.error) << row.name;
        EXPECT_EQ(ReadWholeFile(path), row.written ? row.bytes : old) << row.name;
        EXPECT_EQ(Names(dir.path()), std::set<std::string>{"morvel.ini"}) << row.name;
    }
}

TEST(IniStoreWrite, ANewFileIsCreatedWhole) {
    morvel::testing::TestDir dir;
    const std::string path = dir.File("new.ini");
    FaultyOps ops({Step::WriteScratch});
    EXPECT_EQ(io::WriteFileBytesWith(ops, path, Keys(5, "v")), io::kDiskFull);
    EXPECT_FALSE(fs::exists(path)) << "a failed first write leaves no file";
    EXPECT_TRUE(Names(dir.path()).empty());
    EXPECT_TRUE(ini::WriteFileBytes(path, Keys(5, "v")));
    EXPECT_EQ(ReadWholeFile(path), Keys(5, "v"));
}

TEST(IniStoreWrite, ScratchNamesAreBesideTheFileAndDistinct) {
    const std::string a = io::ScratchNameFor("/x/morvel.ini", 0x1234, 1);
    EXPECT_EQ(a, "/x/morvel.ini.0000123400000001.tmp");
    EXPECT_NE(a, io::ScratchNameFor("/x/morvel.ini", 0x1234, 2));
    EXPECT_NE(a, io::ScratchNameFor("/x/morvel.ini", 0x1235, 1));
}

TEST(IniStoreWrite, ReplacementKeepsPermissionsAndFollowsALink) {
    morvel::testing::TestDir dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("link.ini");
    ASSERT_TRUE(WriteWholeFile(real, Keys(3, "old")));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, link);

    ini::File file(link);
    ASSERT_TRUE(file.Load());
    file.Set("morvel", "Key1", "changed");
    file.Save();
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(ini::Document::Parse(*ReadWholeFile(real)).Get("morvel", "Key1"), "changed");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"real.ini", "link.ini"}));
}

// ---- Real refusals: a full disk, immutable files and folders ---------------------------------

// A tmpfs of the given size mounted on a fresh folder, unmounted at the end.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, const char* size) : folder_(folder) {
        fs::create_directory(folder_);
        const std::string options = std::string("size=") + size + ",mode=0755";
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

    // Fills what is left with one file, so that the next block asked for is refused.
    void Fill() const {
        const std::string filler = folder_ + "/filler";
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(512, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }
    void Free() const { fs::remove(folder_ + "/filler"); }

private:
    std::string folder_;
    bool mounted_ = false;
};


void ExpectRefused(const std::string& path, ini::File& file, const std::string& why) {
    try {
        file.Save();
        ADD_FAILURE() << why << ": the write was not refused";
    } catch (const ini::WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path) << why;
    }
}

std::string ShellQuote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TEST(IniStoreDiskFull, FailedWritesKeepEveryKey) {
    morvel::testing::TestDir dir;
    const SmallDisk disk(dir.File("disk"), "32k");
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    const std::string path = dir.File("disk/morvel.ini");
    const std::string original = Keys(200, "value");
    ASSERT_TRUE(WriteWholeFile(path, original));
    disk.Fill();

    // A value that needs blocks the disk no longer has, through the library's writer...
    const std::string big(6000, 'b');
    ini::File file(path);
    ASSERT_TRUE(file.Load());
    file.Set("morvel", "Big", big);
    ExpectRefused(path, file, "library write");
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_EQ(Names(dir.File("disk")), (std::set<std::string>{"morvel.ini", "filler"}));

    // ... and through morvel-ini, as a script would.
    const std::string err = dir.File("stderr");
    const std::string command =
        ShellQuote(MORVEL_INI_TOOL) + " set " + ShellQuote(path) + " morvel Big " + big + " 2>" + ShellQuote(err);
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(ReadWholeFile(err), "morvel-ini: Unable to write to " + path + "\n");
    EXPECT_EQ(ReadWholeFile(path), original);
    const auto r = ini::ProfileWriteString("morvel", "Big", big, path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, io::kDiskFull);
    EXPECT_EQ(Names(dir.File("disk")), (std::set<std::string>{"morvel.ini", "filler"}));

    // A write that shrinks the file needs no new block: it succeeds in place on the full disk.
    ASSERT_TRUE(file.Load());
    file.DeleteKey("morvel", "Key0");
    file.Save();
    EXPECT_EQ(ini::Document::Parse(*ReadWholeFile(path)).KeyNames("morvel").size(), 199u);

    // With room again, the big value goes in.
    disk.Free();
    file.Set("morvel", "Big", big);
    file.Save();
    EXPECT_EQ(ini::Document::Parse(*ReadWholeFile(path)).Get("morvel", "Big"), big);
    EXPECT_EQ(Names(dir.File("disk")), std::set<std::string>{"morvel.ini"});
}

TEST(IniStoreImmutable, FileRefusesFolderRefusesBothRefuse) {
    morvel::testing::TestDir dir;
    const std::string folder = dir.File("folder");
    fs::create_directory(folder);
    const std::string path = folder + "/morvel.ini";
    const std::string original = Keys(20, "v");
    ASSERT_TRUE(WriteWholeFile(path, original));

    {
        const ImmutableFlag locked(path);
        if (!locked.active()) GTEST_SKIP() << "cannot set the immutable flag here (needs root)";
        ini::File file(path);
        ASSERT_TRUE(file.Load());
        file.Set("morvel", "Key1", "changed");
        ExpectRefused(path, file, "immutable file");
        EXPECT_EQ(ReadWholeFile(path), original);
        EXPECT_EQ(Names(folder), std::set<std::string>{"morvel.ini"});
    }
    {
        // The folder takes no new file, but the file is writable: rewritten in place.
        const ImmutableFlag locked(folder);
        ASSERT_TRUE(locked.active());
        ini::File file(path);
        ASSERT_TRUE(file.Load());
        file.Set("morvel", "Key1", "changed");
        file.Save();
        EXPECT_EQ(ini::Document::Parse(*ReadWholeFile(path)).Get("morvel", "Key1"), "changed");
        EXPECT_EQ(Names(folder), std::set<std::string>{"morvel.ini"});

        // A file that does not exist yet cannot be made there.
        ini::File absent(folder + "/new.ini");
        absent.Load();
        absent.Set("S", "k", "v");
        ExpectRefused(folder + "/new.ini", absent, "immutable folder, new file");
        EXPECT_EQ(Names(folder), std::set<std::string>{"morvel.ini"});
    }
    {
        const std::string before = *ReadWholeFile(path);
        const ImmutableFlag lockedFolder(folder);
        const ImmutableFlag lockedFile(path);
        ASSERT_TRUE(lockedFolder.active() && lockedFile.active());
        EXPECT_FALSE(ini::WriteFileBytes(path, original));
        EXPECT_EQ(ReadWholeFile(path), before);
    }
}

// ---- Readers during writes -------------------------------------------------------------------

TEST(IniStoreConcurrency, ReaderNeverSeesAPartialFile) {
    morvel::testing::TestDir dir;
    const std::string path = dir.File("morvel.ini");
    // Two contents of very different sizes: a partial file is neither.
    const std::string contents[] = {Keys(30, "short"), Keys(3000, "a-much-longer-value-")};
    ASSERT_TRUE(WriteWholeFile(path, contents[0]));

    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    std::atomic<int> torn{0};
    std::string tornExample;
    std::thread reader([&] {
        std::string bytes;
        while (!done) {
            // The library's reader, and a plain one as another program would read.
            const bool libraryRead = reads % 2 == 0;
            std::optional<std::string> plain;
            if (libraryRead) {
                if (ini::ReadFileBytes(path, bytes) != ini::ReadStatus::Ok) bytes = "<unreadable>";
            } else {
                plain = ReadWholeFile(path);
                bytes = plain.value_or("<missing>");
            }
            if (bytes != contents[0] && bytes != contents[1]) {
                if (torn++ == 0) tornExample = bytes.substr(0, 40) + "... (" + std::to_string(bytes.size()) + " bytes)";
            }
            ++reads;
        }
    });
    constexpr int kWrites = 300;
    int failedWrites = 0;
    for (int i = 0; i < kWrites; ++i) {
        if (!ini::WriteFileBytes(path, contents[(i + 1) % 2])) ++failedWrites;
    }
    done = true;
    reader.join();
    EXPECT_EQ(failedWrites, 0);
    EXPECT_EQ(torn.load(), 0) << "of " << reads.load() << " reads; first: " << tornExample;
    EXPECT_GT(reads.load(), kWrites / 10) << "the reader hardly ran";
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"morvel.ini"});
}

}  // namespace

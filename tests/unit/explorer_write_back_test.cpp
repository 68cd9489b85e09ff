#include <gtest/gtest.h>

#include <cstdint>

#include "explorer/write_back.h"
#include "unit/support/fake_file_system.h"

using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

namespace {
struct Recorder {
    std::vector<std::pair<std::string, std::string>> writes;
    KeyWriter writer() {
        return [this](std::string_view k, std::string_view v) { writes.emplace_back(k, v); };
    }
};

std::uint32_t U32(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
std::uint16_t U16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

FakeFileSystem Disk() {
    FakeFileSystem fs;
    fs.AddFolder("c:\\Long Folder");
    fs.SetShortName("c:\\Long Folder", "c:\\LONGFO~1");
    fs.AddFile("c:\\Long Folder\\Old picture.bmp");
    fs.SetShortName("c:\\Long Folder\\Old picture.bmp", "c:\\LONGFO~1\\OLDPIC~1.BMP");
    return fs;
}
}  // namespace

// Each mode on a new name and on a file the user agreed to overwrite: the probe leaves that file
// as it was, since the host or the editor replaces it and a failure there must not leave the icon.
TEST(ExplorerWriteBack, ModesAndKeys) {
    const struct {
        const char* name;
        WriteBackMode mode;
        const char* key;
        bool probeLeft;
    } cases[] = {
        {"modeless", {false, false, false}, "Win95file", false},
        {"open dialog", {true, false, false}, "Savename", false},
        {"save dialog", {true, true, false}, "Savename", true},
        {"convert dialog", {true, true, true}, "Savename", false},
    };
    for (const auto& c : cases) {
        FakeFileSystem fs = Disk();
        fs.SetContents("c:\\Long Folder\\Old picture.bmp", "the user's picture");
        for (const char* name : {"New picture.bmp", "Old picture.bmp"}) {
            const std::string path = std::string("c:\\Long Folder\\") + name;
            Recorder r;
            ASSERT_TRUE(WriteBack(path, c.mode, fs, r.writer())) << c.name << ", " << name;
            ASSERT_EQ(r.writes.size(), 2u) << c.name;
            EXPECT_EQ(r.writes[0], (std::pair<std::string, std::string>{"LongName", name})) << c.name;
            EXPECT_EQ(r.writes[1].first, c.key) << c.name;
        }
        EXPECT_EQ(fs.FileExists("c:\\Long Folder\\New picture.bmp"), c.probeLeft) << c.name;
        EXPECT_EQ(fs.Contents("c:\\Long Folder\\New picture.bmp"), c.probeLeft ? ProbeIconBytes() : "") << c.name;
        EXPECT_EQ(fs.Contents("c:\\Long Folder\\Old picture.bmp"), "the user's picture") << c.name;
    }
}

TEST(ExplorerWriteBack, ShortFormWhereTheFileExists) {
    FakeFileSystem fs = Disk();
    Recorder r;
    ASSERT_TRUE(WriteBack("c:\\Long Folder\\Old picture.bmp", {false, false, false}, fs, r.writer()));
    EXPECT_EQ(r.writes[1].second, "c:\\LONGFO~1\\OLDPIC~1.BMP");
    Recorder missing;
    ASSERT_TRUE(WriteBack("c:\\Long Folder\\Never there.bmp", {true, false, false}, fs, missing.writer()));
    EXPECT_EQ(missing.writes[1].second, "c:\\Long Folder\\Never there.bmp");
}

TEST(ExplorerWriteBack, RefusedProbeWritesNoKey) {
    FakeFileSystem fs = Disk();
    fs.DenyWrite("c:\\Long Folder\\locked.bmp");
    Recorder r;
    EXPECT_FALSE(WriteBack("c:\\Long Folder\\locked.bmp", {true, true, false}, fs, r.writer()));
    EXPECT_TRUE(r.writes.empty());
    EXPECT_FALSE(WriteBack("c:\\Missing\\x.bmp", {true, true, true}, fs, r.writer()));
    EXPECT_TRUE(r.writes.empty());
    // A folder of that name cannot be written as a file.
    EXPECT_FALSE(WriteBack("c:\\Long Folder", {true, true, false}, fs, r.writer()));
    EXPECT_TRUE(r.writes.empty());
    EXPECT_TRUE(fs.FolderExists("c:\\Long Folder"));
}

TEST(ExplorerWriteBack, ProbeIsAValidIconFile) {
    const std::string& b = ProbeIconBytes();
    ASSERT_GE(b.size(), 22u + 40u);
    EXPECT_EQ(U16(b, 0), 0);  // reserved
    EXPECT_EQ(U16(b, 2), 1);  // icon
    EXPECT_EQ(U16(b, 4), 1);  // one image
    const std::uint32_t size = U32(b, 14);
    const std::uint32_t offset = U32(b, 18);
    EXPECT_EQ(offset, 22u);
    EXPECT_EQ(offset + size, b.size());
    EXPECT_EQ(U32(b, offset), 40u);                                  // header size
    EXPECT_EQ(U32(b, offset + 4), static_cast<std::uint8_t>(b[6]));  // width as the directory says
    EXPECT_EQ(U32(b, offset + 8), 2u * static_cast<std::uint8_t>(b[7]));
    EXPECT_EQ(U16(b, offset + 14), U16(b, 12));  // bit count as the directory says
}

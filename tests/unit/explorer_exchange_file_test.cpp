#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/ini_store.h"
#include "explorer/exchange_file.h"
#include "test_dir.h"
#include "unit/support/fake_file_system.h"
#include "unit/support/immutable_flag.h"

using namespace morvel;
using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;
using morvel::testing::TestDir;

namespace {
// Removes files on the real disk, should the exchange file's writer ask.
struct DiskRemover : FakeFileSystem {
    bool RemoveFile(const std::string& path) const override { return std::remove(path.c_str()) == 0; }
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
}  // namespace

TEST(ExplorerExchangeFile, ListFileBytesAndNothingOfTheOldContent) {
    TestDir dir;
    const std::string path = dir.File("exchange.tmp");
    {
        std::ofstream old(path, std::ios::binary);
        old << "[Directory]\r\nFiles=9\r\nExtra=old\r\n[7]\r\nF=stale.bmp\r\n";
    }
    FakeFileSystem names;
    names.AddFolder("c:\\My Pictures");
    names.SetShortName("c:\\My Pictures", "c:\\MYPICT~1");
    names.AddFile("c:\\My Pictures\\Summer beach.bmp");
    names.SetShortName("c:\\My Pictures\\Summer beach.bmp", "c:\\MYPICT~1\\SUMMER~1.BMP");
    const DiskRemover disk;
    WriteExchangeFile(
        path,
        MultiFileListWrites("c:\\My Pictures", {{"a.bmp", false, "A.BMP"}, {"summer beach.bmp", false, "SUMMER~1.BMP"}},
                            names),
        disk);
    EXPECT_EQ(Read(path),
              "[Directory]\r\nFiles=2\r\nName=c:\\MYPICT~1\\\r\n[1]\r\nF=A.BMP\r\n[2]\r\nF=SUMMER~1.BMP\r\n");
}

TEST(ExplorerExchangeFile, UnwritablePathThrowsTheStoreError) {
    TestDir dir;
    const std::string path = dir.File("no-such-folder/exchange.tmp");
    const DiskRemover disk;
    try {
        WriteExchangeFile(path, {{"Header", "Ver", "4"}}, disk);
        FAIL() << "no error";
    } catch (const ini::WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
}

TEST(ExplorerExchangeFile, AFailedWriteLeavesTheEarlierFileWhole) {
    TestDir dir;
    const std::string path = dir.File("exchange.tmp");
    const std::string earlier = "[Directory]\r\nFiles=1\r\nName=c:\\\r\n[1]\r\nF=KEEP.BMP\r\n";
    {
        std::ofstream old(path, std::ios::binary);
        old << earlier;
    }
    const DiskRemover disk;
    {
        const morvel::testing::ImmutableFlag lockedFile(path);
        const morvel::testing::ImmutableFlag lockedFolder(dir.path().string());
        if (!lockedFile.active() || !lockedFolder.active()) GTEST_SKIP() << "cannot set the immutable flag here";
        EXPECT_THROW(WriteExchangeFile(path, {{"Header", "Ver", "4"}}, disk), ini::WriteError);
    }
    EXPECT_EQ(Read(path), earlier);
}

TEST(ExplorerExchangeFile, InputListNames) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> names;
    } cases[] = {
        {"as written", "[Directory]\r\nFiles=2\r\n[1]\r\nF=ABC.BMP\r\n[2]\r\nF=x.pcx\r\n", {"abc.bmp", "x.pcx"}},
        {"Files missing, section 1 present", "[1]\r\nF=One.BMP\r\n", {"one.bmp"}},
        {"no section 1", "[Directory]\r\nName=c:\\\r\n", {"[error]"}},
        {"count beyond the sections", "[Directory]\r\nFiles=4\r\n[1]\r\nF=a\r\n", {"a", "[error]", "[error]"}},
        {"absurd count", "[Directory]\r\nFiles=2000000000\r\n[1]\r\nF=a\r\n", {"a", "[error]", "[error]"}},
        {"negative count", "[Directory]\r\nFiles=-3\r\n[1]\r\nF=a\r\n", {}},
        {"count not a number", "[Directory]\r\nFiles=many\r\n[1]\r\nF=a\r\n", {"a"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InputListNames(ini::Document::Parse(c.text)), c.names) << c.name;
    }
}

#include <gtest/gtest.h>

#include "explorer/start_folder.h"
#include "unit/support/fake_file_system.h"

using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

namespace {
FakeFileSystem Disk() {
    FakeFileSystem fs;
    fs.AddFolder("c:\\Program Files\\Morvel Data");
    fs.SetShortName("c:\\Program Files", "c:\\PROGRA~1");
    fs.SetShortName("c:\\Program Files\\Morvel Data", "c:\\PROGRA~1\\MORVEL~1");
    fs.AddFolder("c:\\Temp");
    fs.AddFile("c:\\Temp\\notes.txt");
    return fs;
}
}  // namespace

TEST(ExplorerStartFolder, ResolvesStoredValues) {
    const FakeFileSystem fs = Disk();
    const struct {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"c:\\", "c:\\"},
        {"c:\\temp\\", "c:\\Temp"},
        {"C:\\TEMP", "C:\\Temp"},
        {"c:\\PROGRA~1\\MORVEL~1\\", "c:\\Program Files\\Morvel Data"},
        {"c:\\program files\\morvel data\\", "c:\\Program Files\\Morvel Data"},
        {"c:\\Temp\\notes.txt", "c:\\"},  // a file, not a folder
        {"c:\\Temp\\gone\\", "c:\\"},     // deleted folder
        {"q:\\photos\\", "c:\\"},         // no such drive
        {"garbage", "c:\\"},
        {"", "c:\\"},
        {"c:", "c:\\"},
        {"c:\\Temp\\..\\Temp", "c:\\"},
        {"c:\\*", "c:\\"},  // a wildcard would pick some other folder
        {"c:\\Te?p", "c:\\"},
        {"c:\\\\Temp", "c:\\"},
        {"\\\\server\\share\\", "c:\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveStartFolder(c.stored, fs), c.expected) << c.stored;
}

TEST(ExplorerStartFolder, LongFormComponentByComponent) {
    const FakeFileSystem fs = Disk();
    const auto resolve = [&](const std::string& folder) { return LongFormOf(folder, fs); };
    EXPECT_EQ(resolve("c:\\PROGRA~1\\MORVEL~1"), "c:\\Program Files\\Morvel Data");
    EXPECT_EQ(resolve("c:\\PROGRA~1"), "c:\\Program Files");
    EXPECT_EQ(resolve("c:\\program files\\morvel data"), "c:\\Program Files\\Morvel Data");
    // A component that cannot be looked up is kept as written; the ones before it are converted.
    EXPECT_EQ(resolve("c:\\program files\\missing\\deeper"), "c:\\Program Files\\missing\\deeper");
    EXPECT_EQ(resolve("d:\\"), "d:\\");
    EXPECT_FALSE(resolve("c:\\a\\\\b").has_value());
}

TEST(ExplorerStartFolder, OverlongPathFallsBack) {
    FakeFileSystem fs = Disk();
    std::string stored = "c:\\Temp";
    while (stored.size() < 400) stored += "\\deeper";
    EXPECT_EQ(ResolveStartFolder(stored, fs), "c:\\");
}

TEST(ExplorerStartFolder, RecordedInShortFormWithBackslash) {
    const FakeFileSystem fs = Disk();
    EXPECT_EQ(RecordedFolder("c:\\Program Files\\Morvel Data", fs), "c:\\PROGRA~1\\MORVEL~1\\");
    EXPECT_EQ(RecordedFolder("c:\\", fs), "c:\\");
    EXPECT_EQ(RecordedFolder("c:\\Temp", fs), "c:\\Temp\\");
    EXPECT_EQ(RecordedFolder("c:\\Gone", fs), "c:\\Gone\\");
}

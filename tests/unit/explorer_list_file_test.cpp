#include <gtest/gtest.h>

#include "explorer/list_file.h"
#include "explorer/listing.h"
#include "unit/support/fake_file_system.h"

using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

namespace {
FakeFileSystem Pictures() {
    FakeFileSystem fs;
    fs.AddFolder("c:\\My Pictures");
    fs.SetShortName("c:\\My Pictures", "c:\\MYPICT~1");
    fs.AddFile("c:\\My Pictures\\Summer beach.bmp");
    fs.SetShortName("c:\\My Pictures\\Summer beach.bmp", "c:\\MYPICT~1\\SUMMER~1.BMP");
    fs.AddFile("c:\\My Pictures\\cat.bmp");
    fs.SetShortName("c:\\My Pictures\\cat.bmp", "c:\\MYPICT~1\\cat.bmp");
    fs.AddFile("c:\\My Pictures\\Winter walk.pcx");
    fs.SetShortName("c:\\My Pictures\\Winter walk.pcx", "c:\\MYPICT~1\\WINTER~1.PCX");
    return fs;
}

// Entries as the listing gives them for the names: with the short names it recorded.
std::vector<ListEntry> Listed(const FakeFileSystem& fs, const std::vector<std::string>& texts) {
    const Listing listing = ListFolder(fs, "c:\\My Pictures", "*.*", {});
    std::vector<ListEntry> chosen;
    for (const std::string& text : texts) {
        for (const ListEntry& e : listing.entries) {
            if (e.text == text) chosen.push_back(e);
        }
    }
    return chosen;
}

std::vector<std::string> Lines(const std::vector<IniWrite>& writes) {
    std::vector<std::string> lines;
    for (const auto& w : writes) lines.push_back("[" + w.section + "]" + w.key + "=" + w.value);
    return lines;
}
}  // namespace

TEST(ExplorerListFile, MultiFileListInOrderWithShortNames) {
    const FakeFileSystem fs = Pictures();
    const auto writes =
        MultiFileListWrites("c:\\My Pictures", Listed(fs, {"cat.bmp", "summer beach.bmp", "winter walk.pcx"}), fs);
    EXPECT_EQ(Lines(writes), (std::vector<std::string>{
                                 "[Directory]Files=3",
                                 "[1]F=cat.bmp",
                                 "[2]F=SUMMER~1.BMP",
                                 "[3]F=WINTER~1.PCX",
                                 "[Directory]Name=c:\\MYPICT~1\\",
                             }));
}

TEST(ExplorerListFile, InstantSlideshow) {
    const FakeFileSystem fs = Pictures();
    const auto writes =
        InstantSlideshowWrites("c:\\My Pictures\\", Listed(fs, {"summer beach.bmp", "cat.bmp", "winter walk.pcx"}), fs);
    EXPECT_EQ(Lines(writes), (std::vector<std::string>{
                                 "[Header]Ver=4",
                                 "[Header]N=4",
                                 "[1]F=SUMMER~1.BMP,0",
                                 "[2]F=cat.bmp,0",
                                 "[3]F=WINTER~1.PCX,0",
                                 "[Directory]0=c:\\MYPICT~1\\",
                             }));
}

TEST(ExplorerListFile, MissingFileKeepsItsLongFormAndNothingForNoFiles) {
    const FakeFileSystem fs = Pictures();
    // An entry without a recorded short name is looked up; one that is gone keeps its name.
    const auto writes = MultiFileListWrites("c:\\My Pictures", {{"gone meanwhile.bmp", false, ""}}, fs);
    EXPECT_EQ(Lines(writes), (std::vector<std::string>{"[Directory]Files=1", "[1]F=gone meanwhile.bmp",
                                                       "[Directory]Name=c:\\My Pictures\\"}));
    const auto looked = MultiFileListWrites("c:\\My Pictures", {{"summer beach.bmp", false, ""}}, fs);
    EXPECT_EQ(Lines(looked),
              (std::vector<std::string>{"[Directory]Files=1", "[1]F=SUMMER~1.BMP", "[Directory]Name=c:\\MYPICT~1\\"}));
    EXPECT_TRUE(MultiFileListWrites("c:\\My Pictures", {}, fs).empty());
    EXPECT_TRUE(InstantSlideshowWrites("c:\\My Pictures", {}, fs).empty());
}

TEST(ExplorerListFile, ShortNameSplitsFolderAndFile) {
    const FakeFileSystem fs = Pictures();
    const ShortName s = ShortNameOf("c:\\My Pictures", {"Summer beach.bmp", false, ""}, fs);
    EXPECT_EQ(s.folder, "c:\\MYPICT~1\\");
    EXPECT_EQ(s.file, "SUMMER~1.BMP");
}

#include <gtest/gtest.h>

#include <algorithm>

#include "explorer/listing.h"
#include "unit/support/fake_file_system.h"

using namespace morvel;
using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

namespace {

std::vector<std::string> Texts(const Listing& listing) {
    std::vector<std::string> texts;
    for (const auto& e : listing.entries) texts.push_back(e.text);
    return texts;
}

FakeFileSystem SampleFolder() {
    FakeFileSystem fs;
    fs.AddFolder("c:\\Pics");
    for (const char* name :
         {"Beach.BMP", "alpha.bmp", "zeta.RAS", "map.rs", "show.avl", "Readme", "notes.txt", "photo.jpeg", "a.b.c"}) {
        fs.AddFile(std::string("c:\\Pics\\") + name);
    }
    fs.AddFile("c:\\Pics\\boot.bmp", /*system=*/true);
    fs.AddFolder("c:\\Pics\\Holiday 2024");
    fs.AddFolder("c:\\Pics\\archive");
    fs.AddFolder("c:\\Pics\\.cache");
    return fs;
}

}  // namespace

TEST(ExplorerListing, FiltersAndOrders) {
    const FakeFileSystem fs = SampleFolder();
    const struct {
        const char* name;
        std::string_view masks;
        ListingOptions options;
        std::vector<std::string> expected;
    } cases[] = {
        {"bitmaps, folders first",
         "*.bmp;*.dib",
         {true, false},
         {"archive\\", "holiday 2024\\", "alpha.bmp", "beach.bmp"}},
        {"bitmaps, folders after",
         "*.bmp;*.dib",
         {true, true},
         {"alpha.bmp", "beach.bmp", "archive\\", "holiday 2024\\"}},
        {"case kept, order ignores case",
         "*.bmp",
         {false, false},
         {"archive\\", "holiday 2024\\", "alpha.bmp", "Beach.BMP"}},
        {"both raster masks", "*.ras;*.rs", {true, false}, {"archive\\", "holiday 2024\\", "map.rs", "zeta.ras"}},
        {"any file: three-letter extensions and none",
         "*.*",
         {true, false},
         {"archive\\", "holiday 2024\\", "a.b.c", "alpha.bmp", "beach.bmp", "map.rs", "notes.txt", "readme", "show.avl",
          "zeta.ras"}},
        {"nothing matches", "*.avi", {true, false}, {"archive\\", "holiday 2024\\"}},
        {"unmatched value", "\\\\\\", {true, false}, {"archive\\", "holiday 2024\\"}},
    };
    for (const auto& c : cases) {
        const Listing listing = ListFolder(fs, "c:\\Pics", c.masks, c.options);
        EXPECT_EQ(Texts(listing), c.expected) << c.name;
        EXPECT_TRUE(listing.hasParent) << c.name;
        for (const auto& e : listing.entries) EXPECT_EQ(e.folder, IsFolderEntry(e.text)) << c.name << ": " << e.text;
    }
}

TEST(ExplorerListing, FolderNamesAreLowerCaseEvenWithoutLowercase) {
    const FakeFileSystem fs = SampleFolder();
    const Listing listing = ListFolder(fs, "c:\\Pics\\", "*.avl", {false, false});
    EXPECT_EQ(Texts(listing), (std::vector<std::string>{"archive\\", "holiday 2024\\", "show.avl"}));
}

TEST(ExplorerListing, LowerCasingTouchesOnlyAToZ) {
    FakeFileSystem fs;
    fs.AddFile("c:\\d\\\xC9T\xC9.BMP");  // accented capitals stay as they are
    const Listing listing = ListFolder(fs, "c:\\d", "*.bmp", {true, false});
    ASSERT_EQ(listing.entries.size(), 1u);
    EXPECT_EQ(listing.entries[0].text, "\xC9t\xC9.bmp");
}

TEST(ExplorerListing, RootHasNoParentAndUnreadableFolderIsEmpty) {
    FakeFileSystem fs = SampleFolder();
    fs.AddFolder("c:\\.git");  // a dot folder at the root offers no level above the drive
    const Listing root = ListFolder(fs, "c:\\", "*.*", {});
    EXPECT_FALSE(root.hasParent);
    EXPECT_EQ(Texts(root), (std::vector<std::string>{"pics\\"}));

    fs.DenyListing("c:\\Pics");
    const Listing denied = ListFolder(fs, "c:\\Pics", "*.*", {});
    EXPECT_TRUE(denied.entries.empty());
    EXPECT_FALSE(denied.hasParent);
}

TEST(ExplorerListing, NameFoundByTwoMasksIsListedOnce) {
    FakeFileSystem fs;
    fs.AddFile("c:\\d\\clip.pcx");
    const Listing listing = ListFolder(fs, "c:\\d", "*.pc?;*.pcx", {});
    EXPECT_EQ(Texts(listing), (std::vector<std::string>{"clip.pcx"}));
}

TEST(ExplorerListing, OrderIsCaseInsensitiveAndTotal) {
    EXPECT_TRUE(ListOrderLess("alpha", "Beta"));
    EXPECT_FALSE(ListOrderLess("Beta", "alpha"));
    EXPECT_TRUE(ListOrderLess("ab", "abc"));
    EXPECT_TRUE(ListOrderLess("abc d\\", "abc\\"));  // space before backslash, as the bytes say
    EXPECT_TRUE(ListOrderLess("zz", "\xFF"));        // bytes above 0x7F sort after ASCII
    EXPECT_NE(ListOrderLess("ABC", "abc"), ListOrderLess("abc", "ABC"));
}

TEST(ExplorerListing, SortsAsListOrderLessWithCapitalsKept) {
    // "_" and "[" lie between the capitals and the small letters: only a case-blind sort puts
    // "a_b" before "AC" and "A[c" before both.
    std::vector<std::string> names = {"a_b.bmp", "AC.bmp",    "A[c.bmp", "abd.BMP",
                                      "Zed.bmp", "\xC9t.bmp", "b.bmp",   "B2.bmp"};
    FakeFileSystem fs;
    for (const std::string& name : names) fs.AddFile("c:\\d\\" + name);
    std::sort(names.begin(), names.end(), ListOrderLess);
    EXPECT_EQ(Texts(ListFolder(fs, "c:\\d", "*.bmp", {false, false})), names);
}

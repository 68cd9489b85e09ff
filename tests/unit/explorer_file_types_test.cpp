#include <gtest/gtest.h>

#include "common/name_mask.h"
#include "explorer/file_types.h"

using namespace morvel::explorer_rules;

namespace {
bool Shows(int position, std::string_view name) {
    for (const std::string& mask : SearchMasks(MaskListForPosition(position))) {
        if (morvel::NameMask(mask, morvel::MaskRules::Dos).Matches(name)) return true;
    }
    return false;
}
}  // namespace

// What a user finds under the first entries (any, validated, graphics, multimedia) and a few
// single ones, by the kind of file; positions outside the box list every file.
TEST(ExplorerFileTypes, EntriesShowTheFilesTheyName) {
    const struct {
        const char* name;
        bool shown[4];
    } cases[] = {
        {"notes.txt", {true, false, false, false}}, {"photo.jpg", {true, true, true, false}},
        {"show.avl", {true, true, false, false}},   {"clip.avi", {true, true, false, true}},
        {"scan.mac", {true, false, true, false}},   {"song.mid", {true, true, false, true}},
        {"paint.pcx", {true, true, true, false}},   {"movie.mpg", {true, true, false, true}},
    };
    for (const auto& c : cases) {
        for (int position = 0; position < 4; ++position) {
            EXPECT_EQ(Shows(position, c.name), c.shown[position]) << c.name << " at position " << position;
        }
        EXPECT_TRUE(Shows(-1, c.name) && Shows(kFileTypeCount, c.name)) << c.name;
    }
    EXPECT_TRUE(Shows(kSlideshowPosition, "show.avl"));
    EXPECT_FALSE(Shows(kSlideshowPosition, "clip.avi"));
    for (int i = 1; i < kFileTypeCount; ++i) {
        for (const std::string& mask : SearchMasks(kFileTypes[i].masks)) {
            EXPECT_EQ(mask.rfind("*.", 0), 0u) << kFileTypes[i].label << " mask " << mask;
            EXPECT_LE(mask.size(), 5u) << kFileTypes[i].label << " mask " << mask;
        }
    }
}

TEST(ExplorerFileTypes, SearchMasks) {
    EXPECT_EQ(SearchMasks("*.*"), (std::vector<std::string>{"*.???"}));
    EXPECT_EQ(SearchMasks("*.ras;*.rs"), (std::vector<std::string>{"*.ras", "*.rs"}));
    EXPECT_EQ(SearchMasks("*.avl"), (std::vector<std::string>{"*.avl"}));
    // The unmatched value searches something that finds nothing rather than everything.
    EXPECT_EQ(SearchMasks(kUnmatchedMaskList), (std::vector<std::string>{"\\\\\\"}));
    for (int i = 0; i < kFileTypeCount; ++i) EXPECT_NE(kFileTypes[i].masks, kUnmatchedMaskList);
}

TEST(ExplorerFileTypes, ExpectedExtensionAndSaveMask) {
    EXPECT_EQ(ExpectedExtension(kFileTypes[kSlideshowPosition].label), ".AVL");
    EXPECT_EQ(ExpectedExtension(std::string_view("BMP Windows BitMaP")), ".BMP");
    EXPECT_FALSE(ExpectedExtension(std::nullopt).has_value());
    EXPECT_EQ(SaveMaskList("PNG Portable Network Graphics"), "*.PNG");
    EXPECT_EQ(SaveMaskList("TIF Aldus TIFF G4"), "*.TIF");
}

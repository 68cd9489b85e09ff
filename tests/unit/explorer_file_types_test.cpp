#include <gtest/gtest.h>

#include "explorer/file_types.h"

using namespace morvel::explorer_rules;

TEST(ExplorerFileTypes, PositionsGiveTheirMaskLists) {
    const struct {
        int position;
        std::string_view masks;
    } cases[] = {
        {-1, "*.*"},        {0, "*.*"},          {3, "*.mid;*.fl?;*.mpg;*.mov;*.avi;*.wav;*.dat"},
        {5, "*.avl"},       {12, "*.kqp;*.pic"}, {17, "*.pic;*.kqp"},
        {22, "*.ras;*.rs"}, {26, "*.wpg"},       {27, "*.*"},
        {1000, "*.*"},
    };
    for (const auto& c : cases) EXPECT_EQ(MaskListForPosition(c.position), c.masks) << "position " << c.position;
}

TEST(ExplorerFileTypes, TableLabelsInOrderAndEveryMaskWellFormed) {
    EXPECT_EQ(kFileTypes[0].label, "*.* any file (No validation)");
    EXPECT_EQ(kFileTypes[1].label, "All validated formats");
    EXPECT_EQ(kFileTypes[kSlideshowPosition].label, "AVL (AV List Slideshow)");
    EXPECT_EQ(kFileTypes[14].label, "MAC (Apple B&W)");
    EXPECT_EQ(kFileTypes[26].label, "WPG (WordPerfect Graphic)");
    for (int i = 1; i < kFileTypeCount; ++i) {
        for (const std::string& mask : SearchMasks(kFileTypes[i].masks)) {
            EXPECT_EQ(mask.rfind("*.", 0), 0u) << kFileTypes[i].label << " mask " << mask;
            EXPECT_LE(mask.size(), 5u) << kFileTypes[i].label << " mask " << mask;
        }
    }
    EXPECT_EQ(SearchMasks(kFileTypes[1].masks).size(), 19u);
    EXPECT_EQ(SearchMasks(kFileTypes[2].masks).size(), 16u);
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

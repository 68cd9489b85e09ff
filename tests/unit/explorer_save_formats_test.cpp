#include <gtest/gtest.h>

#include "explorer/save_formats.h"

using namespace morvel::explorer_rules;

namespace {
std::vector<std::string> Labels(const std::vector<FormatEntry>& list) {
    std::vector<std::string> labels;
    for (const auto& e : list) labels.emplace_back(e.label);
    return labels;
}
}  // namespace

TEST(ExplorerSaveFormats, ListLengthsPerDepth) {
    const struct {
        int depth;
        std::size_t full, restricted;
    } cases[] = {{24, 15, 13}, {16, 6, 4}, {8, 14, 12}, {4, 6, 6}, {1, 14, 14}, {0, 0, 0}, {32, 0, 0}, {99, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatList(c.depth, false).size(), c.full) << c.depth;
        EXPECT_EQ(FormatList(c.depth, true).size(), c.restricted) << c.depth;
    }
}

TEST(ExplorerSaveFormats, PositionsAndCodesAsTabled) {
    const struct {
        int depth;
        bool restricted;
        int position;
        const char* label;
        int code;
    } cases[] = {
        {24, false, 0, "BMP Windows BitMaP", 7},
        {24, false, 3, "DIB Windows Bitmap", 7},
        {24, false, 5, "JPG JPEG/JFIF(Enhanced)", 99},
        {24, false, 14, "TIF Aldus TIFF", 9},
        {24, true, 3, "JPG JPEG/JFIF(Enhanced)", 99},
        {24, true, 12, "TIF Aldus TIFF", 9},
        {16, false, 2, "JPG JPEG/JFIF(Enhanced)", 99},
        {16, false, 5, "TGA Truevision TarGA", 11},
        {16, true, 0, "JPG JPEG/JFIF(Enhanced)", 99},
        {8, false, 3, "Lead \"JPEG\" [gray]", -10},
        {8, false, 9, "PNG Portable Network Graphics", 37},
        {8, true, 7, "PNG Portable Network Graphics", 37},
        {8, false, 13, "WPG WordPerfect Graphic", 17},
        {4, false, 3, "PCX ZSoft Paintbrush", 12},
        {1, false, 2, "CAL C.A.L.S", 15},
        {1, false, 12, "TIF Aldus TIFF G4", 27},
        {1, false, 5, "PCX ZSoft Paintbrush", 12},
    };
    for (const auto& c : cases) {
        const auto list = FormatList(c.depth, c.restricted);
        ASSERT_LT(static_cast<std::size_t>(c.position), list.size()) << c.label;
        EXPECT_EQ(list[c.position].label, c.label) << c.depth << "/" << c.position;
        EXPECT_EQ(list[c.position].code, c.code) << c.label;
    }
    EXPECT_EQ(
        Labels(FormatList(4, false)),
        (std::vector<std::string>{"BMP Windows BitMaP", "BMP OS/2 BitMaP", "DIB Windows Bitmap", "PCX ZSoft Paintbrush",
                                  "PNG Portable Network Graphics", "WPG WordPerfect Graphic"}));
}

TEST(ExplorerSaveFormats, StartingEntriesPointAtTheNamedFormats) {
    EXPECT_EQ(FormatList(24, false)[BuiltInFormatIndex(24)].label, "JPG JPEG/JFIF(Enhanced)");
    EXPECT_EQ(FormatList(16, false)[BuiltInFormatIndex(16)].label, "JPG JPEG/JFIF(Enhanced)");
    EXPECT_EQ(FormatList(8, false)[BuiltInFormatIndex(8)].label, "PNG Portable Network Graphics");
    EXPECT_EQ(FormatList(4, false)[BuiltInFormatIndex(4)].label, "BMP Windows BitMaP");
    EXPECT_EQ(FormatList(1, false)[BuiltInFormatIndex(1)].label, "PCX ZSoft Paintbrush");
    for (int depth : {24, 16, 8}) {
        EXPECT_EQ(FormatList(depth, true)[*ForcedRestrictedIndex(depth)].label,
                  FormatList(depth, false)[BuiltInFormatIndex(depth)].label)
            << depth;
    }
    EXPECT_FALSE(ForcedRestrictedIndex(4).has_value());
    EXPECT_EQ(FormatList(16, false)[PresetFormatIndex(16)].label, "TGA Truevision TarGA");
    EXPECT_EQ(DepthOfBoxPosition(0), 24);
    EXPECT_EQ(DepthOfBoxPosition(1), 16);
    EXPECT_EQ(DepthOfBoxPosition(4), 1);
    EXPECT_EQ(DepthOfBoxPosition(-1), 1);
}

TEST(ExplorerSaveFormats, DepthTableAgreesWithItsLabelsAndKeys) {
    // The box lists the depths from the deepest down, each label naming its own bit count.
    const char* bits[] = {"(24 bits)", "(16 bits)", "(8 bits)", "(4-bits)", "(1 bit)"};
    const int depths[] = {24, 16, 8, 4, 1};
    for (int position = 0; position < 5; ++position) {
        const int depth = DepthOfBoxPosition(position);
        EXPECT_EQ(depth, depths[position]);
        const DepthRow* row = DepthRowOf(depth);
        ASSERT_NE(row, nullptr) << depth;
        EXPECT_NE(row->boxLabel.find(bits[position]), std::string_view::npos) << row->boxLabel;
        EXPECT_EQ(row->key, "Save" + std::to_string(depth));
        EXPECT_EQ(DepthSlot(depth), static_cast<std::size_t>(position));
    }
    EXPECT_EQ(DepthRowOf(2), nullptr);
    EXPECT_EQ(DepthRowOf(0), nullptr);
    EXPECT_FALSE(DepthSlot(32).has_value());
}

TEST(ExplorerSaveFormats, StoredPositionOutsideTheListFallsBackToTheBuiltInEntry) {
    const int length24 = static_cast<int>(FormatList(24, false).size());
    EXPECT_EQ(CheckedFormatIndex(24, 0, length24), 0);
    EXPECT_EQ(CheckedFormatIndex(24, length24 - 1, length24), length24 - 1);
    // JPG JPEG/JFIF(Enhanced) at 24 bits, PNG at 8, BMP Windows at 4.
    EXPECT_EQ(CheckedFormatIndex(24, length24, length24), 5);
    EXPECT_EQ(CheckedFormatIndex(24, -1, length24), 5);
    EXPECT_EQ(CheckedFormatIndex(8, 500, 13), 9);
    EXPECT_EQ(CheckedFormatIndex(4, 6, 6), 0);
}

TEST(ExplorerSaveFormats, JpegButtonAndExtensions) {
    for (const auto& e : FormatList(24, false)) {
        const bool jpeg = e.label.find("JPEG") != std::string_view::npos || e.label.substr(0, 3) == "KQP";
        EXPECT_EQ(JpegButtonShown(e.code), jpeg) << e.label;
    }
    EXPECT_TRUE(JpegButtonShown(-10));
    EXPECT_TRUE(JpegButtonShown(-11));
    EXPECT_EQ(FormatExtension("BMP Windows BitMaP"), "BMP");
    EXPECT_EQ(FormatExtension("Lead \"JPEG\" [gray]"), "CMP");
}

TEST(ExplorerSaveFormats, SaveChoiceWrites) {
    const auto writes = SaveChoiceWrites(24, 14, "c:\\My Pictures\\photo.TIF", "c:\\MYPICT~1\\photo.TIF");
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0].key, "Save24");
    EXPECT_EQ(writes[0].value, "14");
    EXPECT_EQ(writes[1].key, "SavePath");
    EXPECT_EQ(writes[1].value, "c:\\MYPICT~1\\");
    EXPECT_EQ(writes[2].key, "SaveExt");
    EXPECT_EQ(writes[2].value, ".TIF");
    EXPECT_EQ(writes[3].key, "MultiBPP");
    EXPECT_EQ(writes[3].value, "24");
    // Kind 0 (a slideshow) has no depth: only the folder and the extension.
    const auto show = SaveChoiceWrites(0, 0, "c:\\a.b\\show", "c:\\a.b\\show");
    ASSERT_EQ(show.size(), 2u);
    EXPECT_EQ(show[0].value, "c:\\a.b\\");
    EXPECT_EQ(show[1].value, "");
}

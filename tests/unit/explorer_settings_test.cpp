// What an Explorer window reads from morvel.ini when it is created and writes when it closes.
#include <gtest/gtest.h>

#include "explorer/explorer_settings.h"
#include "explorer/save_formats.h"
#include "morvel32.h"
#include "support/conformance_cases.h"
#include "unit/test_dir.h"

using namespace morvel::explorer_rules;
using morvel::SettingsFile;

namespace {

class ExplorerSettingsTest : public ::testing::Test {
protected:
    void Store(const std::string& lines) {
        ASSERT_TRUE(morvel::conformance::WriteWholeFile(settings.path(), "[morvel]\r\n" + lines));
    }
    morvel::testing::TestDir dir;
    SettingsFile settings{dir.path().string()};
};

}  // namespace

TEST_F(ExplorerSettingsTest, MissingExchangeKeyFallsBackAndWarns) {
    const CreationSettings none = ReadCreationSettings(settings, false, MORVEL_KIND_MODELESS);
    EXPECT_TRUE(none.exchangeMissing);
    EXPECT_EQ(none.exchangePath, "c:\\morvel.err");
    EXPECT_EQ(none.storedFolder, "c:\\");
    EXPECT_FALSE(none.depthSlot.has_value());

    // A host that writes the sentinel itself is treated as one that wrote nothing.
    Store("Win95Tmp=c:\\morvel.tmp\r\n");
    EXPECT_TRUE(ReadCreationSettings(settings, false, MORVEL_KIND_MODELESS).exchangeMissing);

    Store("Win95Tmp=d:\\x\\swap.tmp\r\n");
    const CreationSettings given = ReadCreationSettings(settings, false, MORVEL_KIND_MODELESS);
    EXPECT_FALSE(given.exchangeMissing);
    EXPECT_EQ(given.exchangePath, "d:\\x\\swap.tmp");
}

TEST_F(ExplorerSettingsTest, StartFolderKeyFollowsTheKind) {
    Store("LastDir=c:\\last\\\r\nSavePath=c:\\saved\\\r\n");
    const struct {
        bool dialog;
        int kind;
        const char* folder;
    } cases[] = {
        {false, MORVEL_KIND_MODELESS, "c:\\last\\"},
        {true, MORVEL_KIND_OPEN_SLIDESHOW, "c:\\last\\"},
        {true, MORVEL_KIND_ADD_SLIDES, "c:\\last\\"},
        {true, MORVEL_KIND_REPLACE_SLIDE, "c:\\last\\"},
        {true, MORVEL_KIND_SAVE_SLIDESHOW, "c:\\saved\\"},
        {true, MORVEL_KIND_SAVE_24BIT, "c:\\saved\\"},
        {true, 199 - 100, "c:\\saved\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadCreationSettings(settings, c.dialog, c.kind).storedFolder, c.folder) << c.kind;
    }
}

TEST_F(ExplorerSettingsTest, FormatPositionOfTheDialogsDepthOnly) {
    Store("Save24=14\r\nSave8=911\r\nSave16=3\r\n");
    const CreationSettings d24 = ReadCreationSettings(settings, true, 24);
    ASSERT_TRUE(d24.depthSlot.has_value());
    EXPECT_EQ(kDepthTable[*d24.depthSlot].depth, 24);
    EXPECT_EQ(d24.formatIndex, 14);
    // 911 and an absent key both mean the built-in entry: PNG at 8 bits (9), PCX at 1 bit (5).
    EXPECT_EQ(ReadCreationSettings(settings, true, 8).formatIndex, 9);
    EXPECT_EQ(ReadCreationSettings(settings, true, 1).formatIndex, 5);
    EXPECT_EQ(ReadCreationSettings(settings, true, 4).formatIndex, 0);
    // Kinds without a depth, and the modeless Explorer, read none.
    EXPECT_FALSE(ReadCreationSettings(settings, true, MORVEL_KIND_SAVE_SLIDESHOW).depthSlot);
    EXPECT_FALSE(ReadCreationSettings(settings, true, MORVEL_KIND_OPEN_SLIDESHOW).depthSlot);
    EXPECT_FALSE(ReadCreationSettings(settings, false, 16).depthSlot);
}

TEST_F(ExplorerSettingsTest, StoredGeometryReadsMinusOneAsNothing) {
    Store("bWinT=10\r\nbWinL=-1\r\nbWinW=300\r\n");
    const StoredGeometry g = ReadStoredGeometry(settings);
    EXPECT_EQ(g.top, 10);
    EXPECT_FALSE(g.left.has_value());
    EXPECT_EQ(g.width, 300);
    EXPECT_FALSE(g.height.has_value());
}

TEST(ExplorerClosingWrites, GeometryForTheModelessWindowLastDirByKind) {
    const Rect window{12, 34, 400, 300};
    const auto modeless = ClosingWrites(false, MORVEL_KIND_MODELESS, window, "c:\\PROGRA~1\\");
    ASSERT_EQ(modeless.size(), 5u);
    const std::pair<const char*, const char*> expected[] = {
        {"bWinT", "34"}, {"bWinL", "12"}, {"bWinW", "400"}, {"bWinH", "300"}, {"LastDir", "c:\\PROGRA~1\\"}};
    for (std::size_t i = 0; i < modeless.size(); ++i) {
        EXPECT_EQ(modeless[i].section, "morvel");
        EXPECT_EQ(modeless[i].key, expected[i].first);
        EXPECT_EQ(modeless[i].value, expected[i].second);
    }
    const auto open = ClosingWrites(true, MORVEL_KIND_OPEN_SLIDESHOW, window, "c:\\x\\");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].key, "LastDir");
    EXPECT_TRUE(ClosingWrites(true, MORVEL_KIND_SAVE_24BIT, window, "c:\\x\\").empty());
    EXPECT_TRUE(ClosingWrites(true, MORVEL_KIND_SAVE_SLIDESHOW, window, "c:\\x\\").empty());
}

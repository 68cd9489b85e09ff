// The modified-flag table, captions and first-showing rules (a failed open, a test that cannot write).
#include <gtest/gtest.h>

#include "editor/editor_rules.h"

namespace morvel::editor {
namespace {

TEST(EditorRules, ModifiedFlagTable) {
    using E = EditorEvent;
    const struct {
        E event;
        bool fromFalse;
        bool fromTrue;
    } cases[] = {
        {E::LibraryLoaded, false, false}, {E::Start, false, false},          {E::AttributeCommand, true, true},
        {E::Global, true, true},          {E::SlidesAdded, true, true},      {E::CdTrackConfirmed, true, true},
        {E::KillOneOfSeveral, true, true}, {E::KillOnly, false, false},      {E::NewConfirmed, false, false},
        {E::OpenCancelled, true, true},   {E::SaveCancelled, true, true},    {E::OpenRead, false, false},
        {E::OpenFailed, false, true},     {E::SaveChosen, false, false},     {E::TestWritten, false, false},
        {E::TestFailed, false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ApplyEvent(false, c.event), c.fromFalse) << static_cast<int>(c.event);
        EXPECT_EQ(ApplyEvent(true, c.event), c.fromTrue) << static_cast<int>(c.event);
    }
}

TEST(EditorRules, Captions) {
    EXPECT_EQ(CaptionForFile("c:\\shows\\HOLIDAY.AVL"), "Slideshow Editor [HOLIDAY.AVL]");
}

TEST(EditorRules, HalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(37.49), 37);
}

TEST(EditorRules, FirstShowingWidths) {
    // s = 634 / 634 = 1.
    const ColumnWidths w = FirstShowingWidths(634, 700, 40, 16);
    EXPECT_EQ(w.widths[5], 30);
    EXPECT_EQ(w.widths[6], 110);
    EXPECT_EQ(w.widths[7], 50);
    EXPECT_EQ(w.widths[12], 40);
    EXPECT_EQ(w.widths[1], 1);
    EXPECT_EQ(w.widths[4], 700 - (40 + 1 + 1 + 1 + 1 + 30 + 110 + 150 + 120) - 16 - 12);
    // s = 951 / 634 = 1.5: 30 s = 45, 50 s = 75, 40 s = 60; s = 1.05 (665.7): 50 s = 52.5 -> 52.
    const ColumnWidths h = FirstShowingWidths(951, 900, 40, 16);
    EXPECT_EQ(h.widths[5], 45);
    const ColumnWidths e = FirstShowingWidths(1268 / 2 + 32, 900, 40, 16);  // s = 666/634
    EXPECT_EQ(e.widths[5], RoundHalfEven(30 * 666 / 634.0));
}

TEST(EditorRules, Fonts) {
    EXPECT_EQ(WindowFontPoints(1024), 9);
    EXPECT_EQ(WindowFontPoints(800), 8);
    EXPECT_TRUE(OwnGridFont(19));
    EXPECT_FALSE(OwnGridFont(18));
}

}  // namespace
}  // namespace morvel::editor

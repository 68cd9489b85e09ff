// The attribute menus and the global operations.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/avl_file.h"
#include "editor/slide_menus.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

using testing::FakeFileSystem;
const std::string M(kMark);

int BreakAt(MenuId menu) {
    const auto entries = MenuEntries(menu);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].columnBreak) return static_cast<int>(i);
    }
    return -1;
}

int Position(MenuId menu, std::string_view caption) {
    const auto entries = MenuEntries(menu);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].caption == caption) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no entry " << caption;
    return -1;
}

SlideTable MixedShow() {
    FakeFileSystem fs;
    SlideTable t;
    for (const char* f : {"c:\\a.bmp", "c:\\b.avi", "c:\\c.mov", "c:\\d.wav", "c:\\e.avl", "c:\\f.fli"}) t.AddFile(f, fs);
    t.PutCdTrack(12, false);
    return t;
}

// The value a fixed entry writes, as its caption tells the user: "Off" and "none" 0, "N%" N,
// "N second(s)" N, "N minute(s)" 60 N.
std::int64_t ValueOfCaption(std::string_view caption) {
    if (caption == "Off" || caption == "none") return 0;
    const std::int64_t number = std::stoll(std::string(caption));
    return caption.find("minute") != std::string_view::npos ? 60 * number : number;
}

TEST(EditorMenus, FixedEntriesWriteWhatTheirCaptionsSay) {
    for (const MenuId menu : {MenuId::Wait, MenuId::Size, MenuId::Volume, MenuId::Speed}) {
        const auto entries = MenuEntries(menu);
        for (const MenuEntry& e : entries.first(entries.size() - 1)) {
            EXPECT_EQ(e.kind, EntryKind::Fixed) << e.caption;
            EXPECT_EQ(e.value, ValueOfCaption(e.caption)) << e.caption;
        }
        EXPECT_EQ(entries.back().kind, EntryKind::Free) << MenuName(menu) << ": the free value comes last";
    }
    const auto loops = MenuEntries(MenuId::Loop);
    for (std::size_t p = 0; p + 1 < loops.size(); ++p)
        EXPECT_EQ(loops[p].caption, "Loop " + std::to_string(p + 1) + "x");
    EXPECT_EQ(loops.back().kind, EntryKind::Free);
}

// The effect menu is the file's effect table, in its order (the position is the stored number).
TEST(EditorMenus, EffectEntriesAreTheFilesEffects) {
    ASSERT_EQ(MenuEntries(MenuId::Effect).size(), static_cast<std::size_t>(kEffectCount));
    for (int p = 0; p < kEffectCount; ++p) EXPECT_EQ(MenuEntries(MenuId::Effect)[p].caption, EffectName(p));
}

// The long menus open in two columns of equal length; the waits' second column holds the minutes.
TEST(EditorMenus, ColumnBreaks) {
    EXPECT_EQ(BreakAt(MenuId::Effect) * 2, static_cast<int>(MenuEntries(MenuId::Effect).size()));
    EXPECT_EQ(BreakAt(MenuId::Colour) * 2, static_cast<int>(MenuEntries(MenuId::Colour).size()));
    const auto waits = MenuEntries(MenuId::Wait);
    for (int p = 0; p + 1 < static_cast<int>(waits.size()); ++p) {
        EXPECT_EQ(p >= BreakAt(MenuId::Wait), waits[p].value >= 60) << waits[p].caption;
    }
}

TEST(EditorMenus, FreeValueDialogs) {
    const FreeValueDialog h = FreeValueDialogOf(MenuId::HPos, 640, 480);
    EXPECT_EQ(h.caption, "Horizontal Position (pixels)");
    EXPECT_EQ(h.maximum, 607);
    EXPECT_EQ(FreeValueDialogOf(MenuId::VPos, 640, 480).maximum, 447);
    const FreeValueDialog size = FreeValueDialogOf(MenuId::Size, 0, 0);
    EXPECT_EQ(size.minimum, 25);
    EXPECT_EQ(size.maximum, 400);
    EXPECT_EQ(size.initial, 100);
    EXPECT_EQ(size.largeStep, 25);
    EXPECT_EQ(FreeValueDialogOf(MenuId::Volume, 0, 0).initial, 50);
    EXPECT_EQ(FreeValueDialogOf(MenuId::Wait, 0, 0).largeStep, 60);
    EXPECT_EQ(FreeValueDialogOf(MenuId::Loop, 0, 0).caption, "Loop Animation N Times");
    EXPECT_EQ(CdTrackDialog().maximum, 99);
}

TEST(EditorMenus, CommonActionChoosesByColumn) {
    SlideTable t = MixedShow();
    t.Select(1, kColEffect);
    EXPECT_EQ(ActionForCell(t).menu, MenuId::Effect);
    t.Select(2, kColEffect);
    EXPECT_EQ(ActionForCell(t).menu, MenuId::Loop);
    t.Select(4, kColEffect);
    EXPECT_EQ(ActionForCell(t).action, CellAction::Nothing) << "sound: the mark";
    t.Select(7, kColEffect);
    EXPECT_EQ(ActionForCell(t).action, CellAction::Nothing) << "CD track: the mark";
    t.Select(1, kColZoom);
    EXPECT_EQ(ActionForCell(t).action, CellAction::Nothing);
    t.Select(1, kColName);
    EXPECT_EQ(ActionForCell(t).action, CellAction::ReplaceFile);
    t.Select(2, kColSpeed);
    EXPECT_EQ(ActionForCell(t).menu, MenuId::Speed);
    t.Select(1, kColBackground);
    EXPECT_EQ(ActionForCell(t).menu, MenuId::Colour);
}

TEST(EditorMenus, MenuPosition) {
    const MenuAnchor a = MenuPosition(100, 50, 723, 515);
    EXPECT_EQ(a.x, 100 + 361);
    EXPECT_EQ(a.y, 50 + 128);
}

TEST(EditorMenus, PositionsLeftAndMid) {
    SlideTable t = MixedShow();
    t.Select(1, kColHPos);
    ApplyChoice(t, {MenuId::HPos, Position(MenuId::HPos, "Left")}, false);
    EXPECT_EQ(t.Row(1)[kColHPos], "Left");
    EXPECT_EQ(t.Row(1)[kColVPos], "Mid");
    ApplyChoice(t, {MenuId::VPos, Position(MenuId::VPos, "Top")}, false);
    EXPECT_EQ(t.Row(1)[kColVPos], "Top");
    ApplyChoice(t, {MenuId::VPos, Position(MenuId::VPos, "Mid")}, false);
    EXPECT_EQ(t.Row(1)[kColHPos], "Mid");
    EXPECT_EQ(t.Row(1)[kColVPos], "Mid");
    ApplyChoice(t, {MenuId::HPos, 2, 120}, false);
    EXPECT_EQ(t.Row(1)[kColHPos], "120");
    EXPECT_EQ(t.Row(1)[kColVPos], "Mid");
}

TEST(EditorMenus, LoopNTimes) {
    SlideTable t = MixedShow();
    t.Select(2, kColEffect);
    ApplyChoice(t, {MenuId::Loop, 4, 20}, false);
    EXPECT_EQ(t.Row(2)[kColEffect], "Loop 20x");
    EXPECT_EQ(t.Row(2)[kColValue], "19");
    ApplyChoice(t, {MenuId::Loop, 2}, false);
    EXPECT_EQ(t.Row(2)[kColEffect], "Loop 3x");
    EXPECT_EQ(t.Row(2)[kColValue], "2");
}

TEST(EditorMenus, EffectAndColours) {
    SlideTable t = MixedShow();
    t.Select(1, kColEffect);
    ApplyChoice(t, {MenuId::Effect, 19}, false);
    EXPECT_EQ(t.Row(1)[kColEffect], "Spiral In");
    EXPECT_EQ(t.Row(1)[kColValue], "19");
    t.Select(1, kColBackground);
    EXPECT_TRUE(ApplyChoice(t, {MenuId::Colour, Position(MenuId::Colour, "Navy Blue")}, false));
    EXPECT_EQ(t.Row(1)[kColColour], "8388608");
    EXPECT_EQ(t.Row(1)[kColBackground], "Yes");
    EXPECT_TRUE(ApplyChoice(t, {MenuId::Colour, 0}, false));
    EXPECT_EQ(t.Row(1)[kColBackground], "No");
    EXPECT_EQ(t.Row(1)[kColColour], "8388608") << "none keeps the colour field";
    ApplyChoice(t, {MenuId::Colour, Position(MenuId::Colour, "&User Color"), 0x123456}, false);
    EXPECT_EQ(t.Row(1)[kColColour], std::to_string(0x123456));
    t.Select(2, kColWait);
    ApplyChoice(t, {MenuId::Wait, Position(MenuId::Wait, "2 minutes")}, false);
    EXPECT_EQ(t.Row(2)[kColWait], "120");
    ApplyChoice(t, {MenuId::Wait, Position(MenuId::Wait, "User"), 31999}, false);
    EXPECT_EQ(t.Row(2)[kColWait], "31999");
}

TEST(EditorGlobal, WaitSkipsMarks) {
    SlideTable t = MixedShow();
    t.Select(1, kColWait);
    ApplyChoice(t, {MenuId::Wait, Position(MenuId::Wait, "5 seconds")}, true);
    for (int r = 1; r <= t.RowCount(); ++r) {
        EXPECT_EQ(t.Row(r)[kColWait], r == 5 ? M : "5") << r;
    }
}

TEST(EditorGlobal, PositionsMidAndLeft) {
    SlideTable t = MixedShow();
    t.Row(1)[kColVPos] = "Top";
    t.Row(2)[kColHPos] = "Left";
    t.Select(1, kColHPos);
    ApplyChoice(t, {MenuId::HPos, 1}, true);
    EXPECT_EQ(t.Row(1)[kColVPos], "Mid");
    EXPECT_EQ(t.Row(2)[kColHPos], "Mid");
    EXPECT_EQ(t.Row(4)[kColHPos], M);
    ApplyChoice(t, {MenuId::HPos, 0}, true);
    EXPECT_EQ(t.Row(1)[kColHPos], "Left");
    EXPECT_EQ(t.Row(1)[kColVPos], "Mid");
    EXPECT_EQ(t.Row(6)[kColHPos], M) << "FLI has no positions";
}

TEST(EditorGlobal, EffectReachesPicturesOnly) {
    SlideTable t = MixedShow();
    t.Select(1, kColEffect);
    ApplyChoice(t, {MenuId::Effect, 19}, true);
    EXPECT_EQ(t.Row(1)[kColEffect], "Spiral In");
    EXPECT_EQ(t.Row(1)[kColValue], "19");
    EXPECT_EQ(t.Row(7)[kColValue], "12") << "the CD track keeps its number";
    EXPECT_EQ(t.Row(4)[kColValue], "1") << "the sound slide keeps its value";
    EXPECT_EQ(t.Row(2)[kColEffect], "Loop 1x");
}

TEST(EditorGlobal, LoopReachesLoopingSlides) {
    SlideTable t = MixedShow();
    t.Select(2, kColEffect);
    ApplyChoice(t, {MenuId::Loop, 2}, true);
    EXPECT_EQ(t.Row(2)[kColEffect], "Loop 3x");
    EXPECT_EQ(t.Row(2)[kColValue], "2");
    EXPECT_EQ(t.Row(6)[kColEffect], "Loop 3x");
    EXPECT_EQ(t.Row(3)[kColEffect], M) << "MOV has no loop entry";
    EXPECT_EQ(t.Row(3)[kColValue], "2") << "but gets the value";
    EXPECT_EQ(t.Row(1)[kColValue], "0");
}

TEST(EditorGlobal, Colours) {
    SlideTable t = MixedShow();
    t.Select(1, kColBackground);
    ApplyChoice(t, {MenuId::Colour, Position(MenuId::Colour, "Red")}, true);
    for (int r = 1; r <= t.RowCount(); ++r) EXPECT_EQ(t.Row(r)[kColColour], "255") << r;
    EXPECT_EQ(t.Row(1)[kColBackground], "Yes");
    EXPECT_EQ(t.Row(4)[kColBackground], M);
    EXPECT_EQ(t.Row(7)[kColBackground], M);
    ApplyChoice(t, {MenuId::Colour, 0}, true);
    EXPECT_EQ(t.Row(2)[kColBackground], "No");
    EXPECT_EQ(t.Row(7)[kColBackground], M);
}

}  // namespace
}  // namespace morvel::editor

// The editor's undo history: every kind of step undone and redone, the saved point, and what a
// step costs in memory.
#include <gtest/gtest.h>

#include <functional>

#include "editor/slide_history.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

using Command = std::function<void(SlideHistory&, SlideTable&)>;
using State = std::pair<std::vector<Slide>, CellPosition>;
State StateOf(const SlideTable& t) {
    return {t.rows(), {t.selectedRow(), t.selectedColumn()}};
}

// Every kind of slide and a CD track, row 2 ("b.avi") selected on its wait; row 1 placed left.
SlideTable Show(testing::FakeFileSystem& fs) {
    SlideTable t;
    for (const char* f :
         {"c:\\p\\a.bmp", "c:\\v\\b.avi", "c:\\s\\c.wav", "c:\\v\\d.mov", "c:\\p\\e.fli", "c:\\f.avl"}) {
        fs.AddFile(f);
        t.AddFile(f, fs);
    }
    t.PutCdTrack(5, false);
    t.Row(1)[kColHPos] = "Left";
    t.Select(2, kColWait);
    return t;
}

Choice Entry(MenuId menu, std::string_view caption, std::int64_t freeValue = 0) {
    const auto entries = MenuEntries(menu);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].caption == caption) return {menu, static_cast<int>(i), freeValue};
    }
    ADD_FAILURE() << caption;
    return {menu, 0};
}
Command Pick(MenuId menu, std::string_view caption, bool global, std::int64_t freeValue = 0) {
    return [=](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(menu, caption, freeValue), global); };
}

TEST(EditorSlideHistory, EveryCommandIsOneStepThatUndoesAndRedoes) {
    testing::FakeFileSystem fs;
    const auto kill = [](SlideHistory& h, SlideTable& t) { h.KillSelected(t); };
    const auto addTwo = [&](SlideHistory& h, SlideTable& t) {
        const SlideHistory::Group step(h, t);
        for (const char* f : {"c:\\p\\a.bmp", "c:\\missing.avi"}) h.AddFile(t, f, fs);
    };
    const auto relink = [](SlideHistory& h, SlideTable& t) { h.ApplyRelinks(t, {{2, {"b", "B"}}, {5, {"e", "E"}}}); };
    const struct {
        const char* name;
        std::function<void(SlideTable&)> prepare;  // before the history sees the table
        Command run;
    } cases[] = {
        {"kill a middle slide", {}, kill},
        {"kill the last slide", [](SlideTable& t) { t.Select(t.RowCount(), kColName); }, kill},
        {"kill the only slide", [](SlideTable& t) { t.Assign({t.Row(1)}); }, kill},
        {"add slides into the placeholder", [](SlideTable& t) { t.Clear(); }, addTwo},
        {"add slides after a slide", {}, addTwo},
        {"replace a file", {}, [&](SlideHistory& h, SlideTable& t) { h.PutFile(t, 2, "c:\\s\\c.wav", fs); }},
        {"CD track replacing", {}, [](SlideHistory& h, SlideTable& t) { h.PutCdTrack(t, 9, true); }},
        {"CD track appended", {}, [](SlideHistory& h, SlideTable& t) { h.PutCdTrack(t, 9, false); }},
        {"attribute from a dialog", {}, Pick(MenuId::Loop, "Loop N times", false, 12)},
        {"Global effect", {}, Pick(MenuId::Effect, "Spiral In", true)},
        {"Global Mid", {}, Pick(MenuId::VPos, "Mid", true)},
        {"Global colour", {}, Pick(MenuId::Colour, "Red", true)},
        {"row dragged", {}, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 1, 6); }},
        {"Ctrl+Down", {}, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.MoveSelectedRow(t, +1)); }},
        {"moved files found", {}, relink},
        {"several rows killed", {}, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.KillRows(t, {2, 4, 5})); }},
        {"every row killed", {}, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.KillRows(t, {1, 2, 3, 4, 5, 6, 7})); }},
        {"slides pasted", {}, [](SlideHistory& h, SlideTable& t) { h.InsertSlides(t, 3, {t.Row(1), t.Row(7)}); }},
        {"slides pasted into the placeholder", [](SlideTable& t) { t.Clear(); },
         [&](SlideHistory& h, SlideTable& t) { h.InsertSlides(t, 1, Show(fs).rows()); }},
        {"block moved down", {}, [](SlideHistory& h, SlideTable& t) { h.Reorder(t, OrderAfterStep(7, {2, 3}, +1)); }},
        {"rows dropped", {}, [](SlideHistory& h, SlideTable& t) { h.Reorder(t, OrderAfterDrop(7, {1, 5}, 3)); }},
        {"effect on selected rows", {},
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Effect, "Spiral In"), {1, 2, 7}); }},
    };
    for (const auto& c : cases) {
        SlideTable t = Show(fs);
        if (c.prepare) c.prepare(t);
        SlideHistory h;
        const State before = StateOf(t);
        c.run(h, t);
        const State after = StateOf(t);
        ASSERT_TRUE(before != after && h.StepCount() == 1u) << c.name;
        EXPECT_EQ(h.Undo(t), std::optional<bool>(false)) << c.name << ": back at the state opened";
        EXPECT_EQ(StateOf(t), before) << c.name << ": undo";
        EXPECT_EQ(h.Redo(t), std::optional<bool>(true)) << c.name;
        EXPECT_EQ(StateOf(t), after) << c.name << ": redo";
    }
}

// Steps of several kinds in turn, each on a cell selected first; modified exactly away from the
// state last opened or saved. Commands that change nothing make no step.
TEST(EditorSlideHistory, StepsInTurnAndTheSavedPoint) {
    testing::FakeFileSystem fs;
    SlideTable t = Show(fs);
    SlideHistory h;
    std::vector<State> before;
    const auto step = [&](int row, int column, const Command& run) {
        t.Select(row, column);
        before.push_back(StateOf(t));
        run(h, t);
    };
    step(2, kColHPos, Pick(MenuId::HPos, "Mid", true));
    step(4, kColName, [](SlideHistory& h, SlideTable& t) { h.KillSelected(t); });
    h.MarkSaved();  // "&Save"
    step(3, kColZoom, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 3, 1); });
    step(2, kColWait, [&](SlideHistory& h, SlideTable& t) { h.PutFile(t, 4, "c:\\p\\a.bmp", fs); });
    Pick(MenuId::Wait, "none", false)(h, t);  // already 0
    h.MoveRow(t, 2, 2);
    EXPECT_FALSE(h.MoveSelectedRow(t, -99));
    ASSERT_EQ(h.StepCount(), 4u) << "commands that changed nothing made a step";
    const bool modified[] = {true, true, false, true};  // after undoing command i
    for (std::size_t i = before.size(); i-- > 0;) {
        EXPECT_EQ(h.Undo(t), std::optional<bool>(modified[i])) << "undo of command " << i;
        EXPECT_EQ(StateOf(t), before[i]) << "undo of command " << i;
    }
    EXPECT_EQ(h.Undo(t), std::nullopt);
    // Undone past the save, a new change puts the saved state out of reach.
    EXPECT_EQ(h.Redo(t), std::optional<bool>(true));
    Pick(MenuId::Wait, "1 minute", false)(h, t);
    while (const auto m = h.Undo(t)) EXPECT_TRUE(*m);
    h.Reset();  // "&New" or "&Open"
    EXPECT_FALSE(h.CanUndo() || h.CanRedo());
    EXPECT_TRUE(h.AtSavedPoint());
}

// Slides of alternating kind (a Global on a video column skips every other one), waits differing.
SlideTable BigShow(int slides) {
    std::vector<Slide> rows(static_cast<std::size_t>(slides));
    for (int i = 0; i < slides; ++i) {
        Slide& s = rows[static_cast<std::size_t>(i)];
        s[kColNumber] = std::to_string(i + 1);
        s[kColPath] = "c:\\holiday\\slide " + std::to_string(i) + (i % 2 ? ".avi" : ".bmp");
        SetUpKind(s, i % 2 ? SlideKind::Avi : SlideKind::Graphic);
        s[kColWait] = std::to_string(i % 7);
    }
    SlideTable t;
    t.Assign(std::move(rows));
    return t;
}

TEST(EditorSlideHistory, StepsKeepWhatChangedNotTheTable) {
    constexpr std::size_t kSlides = 1000;
    SlideTable t = BigShow(kSlides);
    SlideHistory h;
    const State original = StateOf(t);
    for (int i = 0; i < 12; ++i) {
        const std::size_t previous = h.MemoryBytes();
        const MenuId menu = i % 3 == 0 ? MenuId::Wait : i % 3 == 1 ? MenuId::Size : MenuId::HPos;
        h.ApplyChoice(t, Entry(menu, menu == MenuId::Wait ? "User" : "&User", 40 + i), true);
        // The first Global keeps 1,000 waits that differ; one on the zoom of every other slide a
        // run a slide; one over a column that agrees a few runs.
        const std::size_t limit = i == 0 ? 8 * kSlides : menu == MenuId::Size ? 3 * kSlides : 1024;
        EXPECT_LT(h.MemoryBytes() - previous, limit) << "Global " << i;
    }
    ASSERT_EQ(h.StepCount(), 12u);
    while (h.Undo(t)) {
    }
    EXPECT_EQ(StateOf(t), original);
}

TEST(EditorSlideHistory, OldestStepsGoWhenTheBudgetIsSpent) {
    SlideTable t = BigShow(200);
    SlideHistory h(16 * 1024);
    for (int i = 0; i < 100; ++i) h.KillSelected(t);
    const std::size_t kept = h.StepCount();
    EXPECT_TRUE(h.MemoryBytes() <= 16u * 1024 && kept > 10u && kept < 100u) << h.MemoryBytes() << " " << kept;
    while (const auto modified = h.Undo(t)) EXPECT_TRUE(*modified) << "the state opened went with the oldest steps";
    EXPECT_EQ(t.RowCount(), 100 + static_cast<int>(kept));
}

}  // namespace
}  // namespace morvel::editor

// The editor's undo history: every kind of step undone and redone, the saved point, and what a
// step costs in memory.
#include <gtest/gtest.h>

#include <functional>

#include "editor/slide_history.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

using testing::FakeFileSystem;
using Command = std::function<void(SlideHistory&, SlideTable&)>;

struct State {
    std::vector<Slide> rows;
    CellPosition selected;
    bool operator==(const State&) const = default;
};
State StateOf(const SlideTable& t) { return {t.rows(), {t.selectedRow(), t.selectedColumn()}}; }

// Every kind of slide and a CD track, row 2 ("b.avi") selected on its wait; row 1 placed left.
SlideTable Show(FakeFileSystem& fs) {
    SlideTable t;
    for (const char* f : {"c:\\p\\a.bmp", "c:\\v\\b.avi", "c:\\s\\c.wav", "c:\\v\\d.mov", "c:\\p\\e.fli", "c:\\f.avl"}) {
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
    FakeFileSystem fs;
    const auto kill = [](SlideHistory& h, SlideTable& t) { h.KillSelected(t); };
    const auto addTwo = [&](SlideHistory& h, SlideTable& t) {
        const SlideHistory::Group step(h, t);
        for (const char* f : {"c:\\p\\a.bmp", "c:\\missing.avi"}) h.AddFile(t, f, fs);
    };
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
        {"attribute from a menu", {}, Pick(MenuId::Wait, "5 seconds", false)},
        {"attribute from the dialog", {}, Pick(MenuId::Loop, "Loop N times", false, 12)},
        {"Global wait", {}, Pick(MenuId::Wait, "2 minutes", true)},
        {"Global effect", {}, Pick(MenuId::Effect, "Spiral In", true)},
        {"Global loop", {}, Pick(MenuId::Loop, "Loop 3x", true)},
        {"Global Mid", {}, Pick(MenuId::VPos, "Mid", true)},
        {"Global colour", {}, Pick(MenuId::Colour, "Red", true)},
        {"row dragged down", {}, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 1, 6); }},
        {"row dragged up", {}, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 7, 2); }},
        {"Ctrl+Up", {}, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.MoveSelectedRow(t, -1)); }},
        {"Ctrl+Down", {}, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.MoveSelectedRow(t, +1)); }},
    };
    for (const auto& c : cases) {
        SlideTable t = Show(fs);
        if (c.prepare) c.prepare(t);
        SlideHistory h;
        const State before = StateOf(t);
        c.run(h, t);
        const State after = StateOf(t);
        ASSERT_NE(before, after) << c.name << ": the command changed nothing";
        ASSERT_EQ(h.StepCount(), 1u) << c.name;
        EXPECT_EQ(h.Undo(t), std::optional<bool>(false)) << c.name << ": back at the state opened";
        EXPECT_EQ(StateOf(t), before) << c.name << ": undo";
        EXPECT_EQ(h.Redo(t), std::optional<bool>(true)) << c.name;
        EXPECT_EQ(StateOf(t), after) << c.name << ": redo";
    }
}

// Steps of several kinds in turn, each on a cell selected first; modified exactly away from the
// state last opened or saved. Commands that change nothing make no step.
TEST(EditorSlideHistory, StepsInTurnAndTheSavedPoint) {
    FakeFileSystem fs;
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
    step(3, kColZoom, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 3, 1); });
    h.MarkSaved();  // "&Save"
    step(5, kColWait, [&](SlideHistory& h, SlideTable& t) { h.PutFile(t, 4, "c:\\p\\a.bmp", fs); });
    step(2, kColBackground, Pick(MenuId::Colour, "none", false));
    Pick(MenuId::Colour, "none", false)(h, t);
    h.MoveRow(t, 2, 2);
    EXPECT_FALSE(h.MoveSelectedRow(t, -99));
    SlideTable empty;
    h.KillSelected(empty);
    ASSERT_EQ(h.StepCount(), 5u) << "commands that changed nothing made a step";
    const bool modified[] = {true, true, true, false, true};  // after undoing command i
    for (std::size_t i = before.size(); i-- > 0;) {
        EXPECT_EQ(h.Undo(t), std::optional<bool>(modified[i])) << "undo of command " << i;
        EXPECT_EQ(StateOf(t), before[i]) << "undo of command " << i;
    }
    EXPECT_EQ(h.Undo(t), std::nullopt);
    EXPECT_EQ(h.Redo(t), std::optional<bool>(true));
    // Undone past the save, a new change puts the saved state out of reach.
    Pick(MenuId::Wait, "1 minute", false)(h, t);
    while (const auto m = h.Undo(t)) EXPECT_TRUE(*m);
    h.Reset();  // "&New" or "&Open"
    EXPECT_FALSE(h.CanUndo() || h.CanRedo());
    EXPECT_TRUE(h.AtSavedPoint());
}

// Slides of alternating kind, so that a Global on a video column skips every other slide, with
// waits that differ from slide to slide.
SlideTable BigShow(int slides) {
    std::vector<Slide> rows(static_cast<std::size_t>(slides));
    for (int i = 0; i < slides; ++i) {
        Slide& s = rows[static_cast<std::size_t>(i)];
        s[kColNumber] = std::to_string(i + 1);
        s[kColName] = "Holiday slide " + std::to_string(i) + (i % 2 ? ".avi" : ".bmp");
        s[kColPath] = "c:\\holiday\\" + s[kColName];
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
    // Other values each round, so that every Global changes its column.
    const Choice globals[2][5] = {
        {Entry(MenuId::Wait, "5 seconds"), Entry(MenuId::Size, "200%"), Entry(MenuId::Effect, "Wipe Up"),
         Entry(MenuId::HPos, "Left"), Entry(MenuId::Colour, "Navy Blue")},
        {Entry(MenuId::Wait, "1 minute"), Entry(MenuId::Size, "50%"), Entry(MenuId::Effect, "Spiral In"),
         Entry(MenuId::HPos, "Mid"), Entry(MenuId::Colour, "Red")},
    };
    for (std::size_t i = 0; i < 20; ++i) {
        const std::size_t previous = h.MemoryBytes();
        h.ApplyChoice(t, globals[i / 5 % 2][i % 5], true);
        // The first Global keeps 1,000 waits that differ; one that reaches every other slide (zoom
        // of the videos, effect of the pictures) a run a slide; one over a column that agrees a few.
        const std::size_t limit = i == 0 ? 8 * kSlides : i % 5 == 1 || i % 5 == 2 ? 3 * kSlides : 1024;
        EXPECT_LT(h.MemoryBytes() - previous, limit) << "Global " << i;
    }
    ASSERT_EQ(h.StepCount(), 20u);
    while (h.Undo(t)) {
    }
    EXPECT_EQ(StateOf(t), original);
}

TEST(EditorSlideHistory, OldestStepsGoWhenTheBudgetIsSpent) {
    SlideTable t = BigShow(200);
    SlideHistory h(16 * 1024);
    for (int i = 0; i < 100; ++i) h.KillSelected(t);
    EXPECT_LE(h.MemoryBytes(), 16u * 1024);
    EXPECT_GT(h.StepCount(), 10u);
    std::size_t undone = 0;
    while (const auto modified = h.Undo(t)) {
        EXPECT_TRUE(*modified) << "the state opened went with the oldest steps";
        ++undone;
    }
    EXPECT_EQ(undone, h.StepCount());
    EXPECT_LT(undone, 100u);
    EXPECT_EQ(t.RowCount(), 100 + static_cast<int>(undone));
}

}  // namespace
}  // namespace morvel::editor

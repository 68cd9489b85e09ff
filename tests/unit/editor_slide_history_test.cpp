// The editor's undo history: every kind of step undone and redone, the saved point, and what a
// step costs in memory.
#include <gtest/gtest.h>

#include <functional>

#include "editor/slide_history.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

using testing::FakeFileSystem;

struct State {
    std::vector<Slide> rows;
    int row;
    int column;
    bool operator==(const State&) const = default;
};
State StateOf(const SlideTable& t) {
    return {t.rows(), t.selectedRow(), t.selectedColumn()};
}

FakeFileSystem Disk() {
    FakeFileSystem fs;
    for (const char* f : {"c:\\p\\a.bmp", "c:\\v\\b.avi", "c:\\s\\c.wav", "c:\\v\\d.mov", "c:\\p\\e.fli",
                          "c:\\f.avl", "c:\\p\\new.bmp", "c:\\v\\new.avi"}) {
        fs.AddFile(f);
    }
    return fs;
}

// Six slides of every kind and a CD track, row 2 ("b.avi") selected on its wait.
SlideTable Show(const FileSystem& fs) {
    SlideTable t;
    for (const char* f : {"c:\\p\\a.bmp", "c:\\v\\b.avi", "c:\\s\\c.wav", "c:\\v\\d.mov", "c:\\p\\e.fli", "c:\\f.avl"}) {
        t.AddFile(f, fs);
    }
    t.PutCdTrack(5, false);
    t.Row(1)[kColWait] = "10";
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

TEST(EditorSlideHistory, EveryCommandUndoesAndRedoesAsOneStep) {
    const FakeFileSystem fs = Disk();
    using Command = std::function<void(SlideHistory&, SlideTable&)>;
    const Command none = [](SlideHistory&, SlideTable&) {};
    const struct {
        const char* name;
        Command prepare;  // on the table before the history sees it
        Command run;
    } cases[] = {
        {"kill a middle slide", none, [](SlideHistory& h, SlideTable& t) { h.KillSelected(t); }},
        {"kill the last slide", [](SlideHistory&, SlideTable& t) { t.Select(t.RowCount(), kColName); },
         [](SlideHistory& h, SlideTable& t) { h.KillSelected(t); }},
        {"kill the only slide",
         [](SlideHistory&, SlideTable& t) {
             Slide only = t.Row(2);
             only[kColNumber] = "1";
             t.Assign({only});
         },
         [](SlideHistory& h, SlideTable& t) { h.KillSelected(t); }},
        {"add slides into the placeholder", [](SlideHistory&, SlideTable& t) { t.Clear(); },
         [&](SlideHistory& h, SlideTable& t) {
             const SlideHistory::Group step(h, t);
             for (const char* f : {"c:\\p\\new.bmp", "c:\\v\\new.avi", "c:\\missing.wav"}) h.AddFile(t, f, fs);
         }},
        {"add slides after a slide", none,
         [&](SlideHistory& h, SlideTable& t) {
             const SlideHistory::Group step(h, t);
             for (const char* f : {"c:\\p\\new.bmp", "c:\\v\\new.avi"}) h.AddFile(t, f, fs);
         }},
        {"replace a file", none, [&](SlideHistory& h, SlideTable& t) { h.PutFile(t, 2, "c:\\s\\c.wav", fs); }},
        {"CD track replacing", none, [](SlideHistory& h, SlideTable& t) { h.PutCdTrack(t, 9, true); }},
        {"CD track appended", none, [](SlideHistory& h, SlideTable& t) { h.PutCdTrack(t, 9, false); }},
        {"attribute from a menu", none,
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Wait, "5 seconds"), false); }},
        {"attribute from the dialog", none,
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Loop, "Loop N times", 12), false); }},
        {"Global wait", none,
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Wait, "2 minutes"), true); }},
        {"Global effect", none,
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Effect, "Spiral In"), true); }},
        {"Global loop", none,
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Loop, "Loop 3x"), true); }},
        {"Global Mid",
         [](SlideHistory&, SlideTable& t) {
             t.Row(1)[kColHPos] = "Left";
             t.Row(4)[kColVPos] = "40";
         },
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::VPos, "Mid"), true); }},
        {"Global colour", none,
         [](SlideHistory& h, SlideTable& t) { h.ApplyChoice(t, Entry(MenuId::Colour, "Red"), true); }},
        {"row dragged down", none, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 1, 6); }},
        {"row dragged up", none, [](SlideHistory& h, SlideTable& t) { h.MoveRow(t, 7, 2); }},
        {"Ctrl+Up", none, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.MoveSelectedRow(t, -1)); }},
        {"Ctrl+Down", none, [](SlideHistory& h, SlideTable& t) { EXPECT_TRUE(h.MoveSelectedRow(t, +1)); }},
    };
    for (const auto& c : cases) {
        SlideTable t = Show(fs);
        SlideHistory h;
        c.prepare(h, t);
        const State before = StateOf(t);
        c.run(h, t);
        const State after = StateOf(t);
        ASSERT_NE(before, after) << c.name << ": the command changed nothing";
        ASSERT_EQ(h.StepCount(), 1u) << c.name;
        EXPECT_EQ(h.Undo(t), std::optional<bool>(false)) << c.name << ": back at the state opened";
        EXPECT_EQ(StateOf(t), before) << c.name << ": undo";
        EXPECT_EQ(h.Redo(t), std::optional<bool>(true)) << c.name;
        EXPECT_EQ(StateOf(t), after) << c.name << ": redo";
        for (int r = 1; r <= t.RowCount(); ++r) EXPECT_EQ(t.Row(r)[kColNumber], std::to_string(r)) << c.name;
    }
}

// Steps of every kind in a row, undone and redone in turn.
TEST(EditorSlideHistory, UndoAndRedoWalkTheSteps) {
    const FakeFileSystem fs = Disk();
    SlideTable t = Show(fs);
    SlideHistory h;
    // The user selects a cell, then runs a command on it.
    const struct {
        CellPosition selected;
        std::function<void()> run;
    } commands[] = {
        {{2, kColHPos}, [&] { h.ApplyChoice(t, Entry(MenuId::HPos, "Left"), true); }},
        {{4, kColName}, [&] { h.KillSelected(t); }},
        {{3, kColZoom}, [&] { h.MoveRow(t, 3, 1); }},
        {{5, kColWait}, [&] { h.PutFile(t, 4, "c:\\p\\new.bmp", fs); }},
        {{1, kColBackground}, [&] { h.ApplyChoice(t, Entry(MenuId::Colour, "none"), false); }},
    };
    std::vector<State> before;
    for (const auto& command : commands) {
        t.Select(command.selected.row, command.selected.column);
        before.push_back(StateOf(t));
        command.run();
    }
    const State last = StateOf(t);
    for (std::size_t i = before.size(); i > 0; --i) {
        ASSERT_TRUE(h.Undo(t).has_value());
        EXPECT_EQ(StateOf(t), before[i - 1]) << "undo of command " << i - 1;
    }
    EXPECT_EQ(h.Undo(t), std::nullopt);
    while (h.Redo(t)) {
    }
    EXPECT_EQ(StateOf(t), last);
}

TEST(EditorSlideHistory, CommandsThatChangeNothingMakeNoStep) {
    const FakeFileSystem fs = Disk();
    SlideTable t;
    SlideHistory h;
    h.KillSelected(t);  // the placeholder stays the placeholder
    t = Show(fs);
    h.ApplyChoice(t, Entry(MenuId::Wait, "none"), false);  // row 2's wait is 0 already
    h.MoveRow(t, 3, 3);
    h.MoveRow(t, 0, 2);
    t.Select(1, kColName);
    EXPECT_FALSE(h.MoveSelectedRow(t, -1));
    t.Select(t.RowCount(), kColName);
    EXPECT_FALSE(h.MoveSelectedRow(t, +1));
    { const SlideHistory::Group empty(h, t); }
    EXPECT_EQ(h.StepCount(), 0u);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_EQ(h.Redo(t), std::nullopt);
}

// Modified exactly away from the state last opened or saved.
TEST(EditorSlideHistory, SavedPoint) {
    const FakeFileSystem fs = Disk();
    SlideTable t = Show(fs);
    SlideHistory h;
    const auto wait = [&](const char* entry) { h.ApplyChoice(t, Entry(MenuId::Wait, entry), false); };
    wait("1 second");
    EXPECT_FALSE(h.AtSavedPoint());
    EXPECT_EQ(h.Undo(t), std::optional<bool>(false)) << "the state opened counts as saved";
    EXPECT_EQ(h.Redo(t), std::optional<bool>(true));
    wait("2 seconds");
    h.MarkSaved();  // "&Save"
    wait("5 seconds");
    EXPECT_EQ(h.Undo(t), std::optional<bool>(false)) << "back at the state saved";
    EXPECT_EQ(h.Undo(t), std::optional<bool>(true)) << "the state opened is no longer the file's";
    EXPECT_EQ(h.Redo(t), std::optional<bool>(false));
    // Undone past the save, a new change puts the saved state out of reach.
    EXPECT_EQ(h.Undo(t), std::optional<bool>(true));
    wait("30 seconds");
    EXPECT_EQ(h.Undo(t), std::optional<bool>(true));
    EXPECT_EQ(h.Undo(t), std::optional<bool>(true));
    EXPECT_FALSE(h.CanUndo());
    // "&New" or "&Open": a new history at a saved state.
    h.Reset();
    EXPECT_FALSE(h.CanRedo());
    EXPECT_TRUE(h.AtSavedPoint());
    EXPECT_EQ(h.MemoryBytes(), 0u);
}

// Slides of alternating kind, so that a Global leaves every other slide alone.
SlideTable BigShow(int slides) {
    std::vector<Slide> rows(static_cast<std::size_t>(slides));
    for (int i = 0; i < slides; ++i) {
        Slide& s = rows[static_cast<std::size_t>(i)];
        s[kColNumber] = std::to_string(i + 1);
        s[kColPath] = "c:\\holiday\\hs" + std::to_string(i) + (i % 2 ? ".avi" : ".bmp");
        s[kColName] = "Holiday slide " + std::to_string(i) + (i % 2 ? ".avi" : ".bmp");
        SetUpKind(s, i % 2 ? SlideKind::Avi : SlideKind::Graphic);
        s[kColWait] = std::to_string(i % 7);  // waits that differ from slide to slide
    }
    SlideTable t;
    t.Assign(std::move(rows));
    return t;
}

TEST(EditorSlideHistory, StepsKeepWhatChangedNotTheTable) {
    constexpr int kSlides = 1000;
    SlideTable t = BigShow(kSlides);
    SlideHistory h;
    const State original = StateOf(t);
    // Each round sets other values, so that every Global changes its column.
    const Choice globals[2][5] = {
        {Entry(MenuId::Wait, "5 seconds"), Entry(MenuId::Size, "200%"), Entry(MenuId::Effect, "Wipe Up"),
         Entry(MenuId::HPos, "Left"), Entry(MenuId::Colour, "Navy Blue")},
        {Entry(MenuId::Wait, "1 minute"), Entry(MenuId::Size, "50%"), Entry(MenuId::Effect, "Spiral In"),
         Entry(MenuId::HPos, "Mid"), Entry(MenuId::Colour, "Red")},
    };
    std::vector<std::size_t> costs;
    for (int round = 0; round < 4; ++round) {
        for (const Choice& g : globals[round % 2]) {
            const std::size_t previous = h.MemoryBytes();
            h.ApplyChoice(t, g, true);
            costs.push_back(h.MemoryBytes() - previous);
        }
    }
    ASSERT_EQ(h.StepCount(), costs.size());
    // The first Global on the waits keeps 1,000 old values that differ from slide to slide; a
    // Global that reaches every other slide keeps a run per slide; a Global over a column that
    // agrees keeps a few runs.
    EXPECT_LT(costs[0], 8u * kSlides);
    for (std::size_t i = 1; i < costs.size(); ++i) {
        const bool everyOther = i % 5 == 1 || i % 5 == 2;  // zoom of the videos, effect of the pictures
        EXPECT_LT(costs[i], everyOther ? 3u * kSlides : 1024u) << "Global " << i;
    }
    while (h.Undo(t)) {
    }
    EXPECT_EQ(StateOf(t), original);
}

TEST(EditorSlideHistory, OldestStepsGoWhenTheBudgetIsSpent) {
    SlideTable t = BigShow(200);
    SlideHistory h(16 * 1024);
    h.MarkSaved();
    for (int i = 0; i < 100; ++i) {
        t.Select(1 + i % 200, kColName);
        h.KillSelected(t);
    }
    EXPECT_LE(h.MemoryBytes(), 16u * 1024);
    EXPECT_LT(h.StepCount(), 100u);
    EXPECT_GT(h.StepCount(), 10u);
    std::size_t undone = 0;
    while (const auto modified = h.Undo(t)) {
        EXPECT_TRUE(*modified) << "the saved state went with the oldest steps";
        ++undone;
    }
    EXPECT_EQ(undone, h.StepCount());
    EXPECT_EQ(t.RowCount(), 200 - 100 + static_cast<int>(undone));
}

}  // namespace
}  // namespace morvel::editor

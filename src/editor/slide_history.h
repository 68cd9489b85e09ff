// The editor's undo history: each change of the slide table is one step that Ctrl+Z undoes and
// Ctrl+Y redoes, restoring the rows and the selected cell, and telling whether the slideshow is
// then modified (it is not exactly at the state last opened or saved).
//
// The window runs the table's commands through the history instead of calling the table
// directly, so that every change is recorded; "&Add Slides" wraps its files in one Group. A step
// keeps what changed, not a copy of the table: the cells whose text changed, as runs per column
// over a pool of the step's distinct texts (a Global over 10,000 slides that agreed before costs
// a few bytes; one whose slides alternate in kind, a few bytes a slide), the rows inserted or
// removed, and rows moved. The oldest steps are dropped when the history outgrows its budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/file_system.h"
#include "editor/missing_files.h"
#include "editor/row_selection.h"
#include "editor/slide_menus.h"
#include "editor/slide_table.h"

namespace morvel::editor {

struct CellPosition {
    int row = 1;
    int column = kColName;
    bool operator==(const CellPosition&) const = default;
};

class SlideHistory {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{64} << 20;
    explicit SlideHistory(std::size_t budgetBytes = kDefaultBudget) : budget_(budgetBytes) {}

    // ---- The table's commands, each recorded as one step (none when the table did not change).

    // "&Kill Slide": as SlideTable::KillSelected.
    bool KillSelected(SlideTable& table);
    // One file of "&Add Slides": as SlideTable::AddFile.
    SlideKind AddFile(SlideTable& table, const std::string& chosenPath, const FileSystem& fs);
    // The replacement of a slide's file: as SlideTable::PutFile.
    SlideKind PutFile(SlideTable& table, int row, const std::string& chosenPath, const FileSystem& fs);
    // "C&D track": as SlideTable::PutCdTrack.
    void PutCdTrack(SlideTable& table, int track, bool replaceSelected);
    // A menu entry on the selected row, or a Global over the whole column: as editor::ApplyChoice.
    bool ApplyChoice(SlideTable& table, const Choice& choice, bool globalMode);
    // A row dragged to another place: as SlideTable::MoveRow (a move out of range does nothing).
    void MoveRow(SlideTable& table, int from, int to);
    // Ctrl+Up (delta -1) and Ctrl+Down (+1): the selected row moves one place and stays selected;
    // false, with nothing changed, when it is at that end of the table.
    bool MoveSelectedRow(SlideTable& table, int delta);
    // "&Kill Slide" on several rows (ascending): they go in one step; the row now at the first of
    // them is selected. Removing every row leaves the placeholder. As KillSelected, false only
    // when the table held one slide.
    bool KillRows(SlideTable& table, const std::vector<int>& rows);
    // A paste: the slides inserted after row `after` (into a table holding only the placeholder,
    // in its place), renumbered. Returns the rows they now take.
    std::vector<int> InsertSlides(SlideTable& table, int after, std::vector<Slide> slides);
    // The rows in a new order (see RowOrder); false, with nothing changed, for an empty order.
    bool Reorder(SlideTable& table, const RowOrder& order);
    // A menu entry on selected rows (ascending): as editor::ApplyChoice with those rows.
    bool ApplyChoice(SlideTable& table, const Choice& choice, const std::vector<int>& rows);
    // Rows whose moved files were found again: as editor::ApplyRelinks (no step when none is in
    // range).
    void ApplyRelinks(SlideTable& table, const std::vector<Relink>& relinks);

    // Commands run while a Group lives make one step ("&Add Slides" with several files). The
    // selected cell before the step is the one at the Group's start, after it the one at its end.
    class Group {
    public:
        Group(SlideHistory& history, const SlideTable& table);
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

    private:
        SlideHistory& history_;
        const SlideTable& table_;
    };

    // ---- Undo and redo.

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The rows and the selected cell as they were before the last step. Returns the modified flag
    // that holds afterwards; nothing (and no change) when there is nothing to undo or a Group is
    // still open.
    std::optional<bool> Undo(SlideTable& table);
    // The step undone last, made again.
    std::optional<bool> Redo(SlideTable& table);

    // ---- The saved point.

    // A new history whose table counts as saved: at the start and after "&New" and "&Open" (and
    // whenever the window replaces the table by other means).
    void Reset();
    // After "&Save" has written the file: the table as it stands is the saved state.
    void MarkSaved() { saved_ = done_; }
    bool AtSavedPoint() const { return saved_ == done_; }

    // What the steps hold, in bytes of memory (strings and runs included, approximately).
    std::size_t MemoryBytes() const { return bytes_; }
    std::size_t StepCount() const { return steps_.size(); }

private:
    // One column's changed cells in one step: runs of changed rows (gap from the previous run,
    // length) and, over those rows in order, runs of (length, old text, new text), the texts as
    // indices into the step's pool. All numbers as variable-length bytes.
    struct ColumnChange {
        std::uint8_t column = 0;
        std::vector<std::uint8_t> rows;
        std::vector<std::uint8_t> values;
    };
    struct CellsEdit {
        std::vector<ColumnChange> columns;
        std::vector<CellText> pool;
    };
    struct RowEdit {
        bool inserted = false;  // the row was put at `row`; else it was removed from there
        int row = 0;
        Slide slide;
    };
    struct MoveEdit {
        int from = 0;
        int to = 0;
    };
    // Several rows put at (or removed from) positions, ascending, counted in the larger table.
    struct RowsEdit {
        bool inserted = false;
        std::vector<int> positions;
        std::vector<Slide> slides;
    };
    // Rows first.. first + size - 1 took the rows numbered order[i] before.
    struct OrderEdit {
        int first = 1;
        std::vector<int> order;
    };
    using Edit = std::variant<CellsEdit, RowEdit, MoveEdit, RowsEdit, OrderEdit>;
    struct Step {
        CellPosition before;
        CellPosition after;
        std::vector<Edit> edits;
        std::size_t bytes = 0;
    };
    // The cells a command may change, as they were before it: rows first..first + count - 1 of
    // the columns in the mask, column by column.
    struct Snapshot {
        int first = 1;
        int count = 0;
        unsigned columns = 0;
        std::vector<CellText> cells;
    };
    static constexpr unsigned kAllColumns = (1u << kColumnCount) - 1;

    static Snapshot Take(const SlideTable& table, int first, int last, unsigned columns = kAllColumns);
    static CellsEdit Compare(const Snapshot& before, const SlideTable& table);
    static void WriteCells(SlideTable& table, const CellsEdit& edit, bool undo);
    static void Apply(SlideTable& table, const Edit& edit, bool undo);
    static std::size_t Measure(const Step& step);

    void Open(const SlideTable& table);
    void Close(const SlideTable& table) noexcept;
    void AddCells(const Snapshot& before, const SlideTable& table);
    void Push(Step step);

    std::deque<Step> steps_;
    std::size_t done_ = 0;                  // steps applied; steps_[done_..] can be redone
    std::optional<std::size_t> saved_ = 0;  // done_ at the saved state; nothing once it is gone
    std::size_t bytes_ = 0;
    std::size_t budget_;
    int depth_ = 0;  // Groups open
    Step pending_;
};

}  // namespace morvel::editor

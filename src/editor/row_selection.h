// The rows selected in the slide table, as any list selects them: a plain click or key selects
// one row and makes it the anchor, Shift extends a range from the anchor, Ctrl adds or removes one
// row, Ctrl+A takes every row. The current row (the one with the current cell) is the table's
// selected cell; this model holds only which rows are selected and the anchor. It never holds
// nothing: a Ctrl click on the only selected row leaves it selected, so every command on the
// selection has rows to act on. Also the reorderings of the selected rows (a block moved one
// place by keys, or dropped at a gap by the mouse). Portable.
#pragma once

#include <vector>

namespace morvel::editor {

class RowSelection {
public:
    // Rows 1 to count; `row` alone selected and the anchor.
    void Reset(int count, int row);
    // The rows from the anchor to `row`, inclusive; the anchor stays.
    void Extend(int count, int row);
    // `row` added, or removed unless it is the only one; it becomes the anchor.
    void Toggle(int count, int row);
    void SelectAll(int count);
    // Exactly these rows (out-of-range ones dropped; none gives `anchor` alone), anchored at
    // `anchor`: after a paste or a move.
    void Set(int count, const std::vector<int>& rows, int anchor);

    bool IsSelected(int row) const;
    // The selected rows in ascending order.
    std::vector<int> Rows() const;
    int Count() const { return count_; }
    bool All() const { return count_ == static_cast<int>(selected_.size()); }
    int anchor() const { return anchor_; }

private:
    void Resize(int count);

    std::vector<bool> selected_;  // index row - 1
    int count_ = 0;               // rows selected
    int anchor_ = 1;
};

// A new order of the table's rows: position i (from 0) holds the row numbered order[i] before.
using RowOrder = std::vector<int>;

// Ctrl+Up (delta -1) and Ctrl+Down (+1): every selected row moves one place past its unselected
// neighbour, so a block moves as one. Empty when the selection touches that end of the table: a
// block at the top or bottom does not move.
RowOrder OrderAfterStep(int count, const std::vector<int>& selected, int delta);

// The selected rows, in their order, dropped at `gap` (0 to count: before row gap + 1 as the rows
// are numbered now); the other rows keep theirs. Empty when nothing would change.
RowOrder OrderAfterDrop(int count, const std::vector<int>& selected, int gap);

// The positions (from 1) that the given rows take in the new order, ascending.
std::vector<int> PositionsAfter(const RowOrder& order, const std::vector<int>& rows);

}  // namespace morvel::editor

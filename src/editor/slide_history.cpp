#include "editor/slide_history.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace morvel::editor {

namespace {

// Unsigned numbers in 7-bit groups, low first: most runs and indices take one byte.
void PutNumber(std::vector<std::uint8_t>& out, std::uint32_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(v));
}

std::uint32_t TakeNumber(const std::uint8_t*& p) {
    std::uint32_t v = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t b = *p++;
        v |= static_cast<std::uint32_t>(b & 0x7F) << shift;
        if ((b & 0x80) == 0) return v;
    }
}

CellPosition PositionOf(const SlideTable& table) {
    return {table.selectedRow(), table.selectedColumn()};
}

std::size_t HeapOf(const Slide& slide) {
    std::size_t bytes = 0;
    for (const CellText& cell : slide.cells) bytes += cell.HeapBytes();
    return bytes;
}

// The columns a menu's entries set, on the selected row or in a Global.
unsigned ColumnsOf(MenuId menu) {
    switch (menu) {
        case MenuId::Effect:
        case MenuId::Loop:
            return 1u << kColEffect | 1u << kColValue;
        case MenuId::HPos:
        case MenuId::VPos:
            return 1u << kColHPos | 1u << kColVPos;
        case MenuId::Colour:
            return 1u << kColColour | 1u << kColBackground;
        default:
            return 1u << MenuColumn(menu);
    }
}

// The row at `row`, moved there from the end (rows are renumbered).
void InsertRow(SlideTable& table, int row, const Slide& slide) {
    const int end = table.AppendRow();
    table.Row(end) = slide;
    table.Row(end)[kColNumber] = std::to_string(end);
    if (row >= 1 && row < end) table.MoveRow(end, row);
}

void RemoveRow(SlideTable& table, int row) {
    // A table never loses its last row; a recorded removal always leaves one.
    if (row < 1 || row > table.RowCount() || table.RowCount() < 2) return;
    table.Select(row, table.selectedColumn());
    table.KillSelected();
}

}  // namespace

// ---- Recording ------------------------------------------------------------------------------

SlideHistory::Group::Group(SlideHistory& history, const SlideTable& table) : history_(history), table_(table) {
    history_.Open(table_);
}

SlideHistory::Group::~Group() {
    history_.Close(table_);
}

void SlideHistory::Open(const SlideTable& table) {
    if (depth_++ > 0) return;
    pending_ = Step{};
    pending_.before = PositionOf(table);
}

void SlideHistory::Close(const SlideTable& table) noexcept {
    if (--depth_ > 0) return;
    Step step = std::move(pending_);
    pending_ = Step{};
    if (step.edits.empty()) return;
    step.after = PositionOf(table);
    try {
        Push(std::move(step));
    } catch (...) {
        // Out of memory: a history that misses a step would undo the wrong rows, so none is kept.
        Reset();
    }
}

void SlideHistory::Push(Step step) {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (saved_ && *saved_ > done_) saved_.reset();  // the saved state was undone and is now gone
    step.bytes = Measure(step);
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++done_;
    while (bytes_ > budget_ && steps_.size() > 1) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --done_;
        if (saved_) saved_ = *saved_ == 0 ? std::nullopt : std::optional<std::size_t>(*saved_ - 1);
    }
}

SlideHistory::Snapshot SlideHistory::Take(const SlideTable& table, int first, int last, unsigned columns) {
    Snapshot s{first, last - first + 1, columns, {}};
    s.cells.reserve(static_cast<std::size_t>(s.count) * kColumnCount);
    for (int c = 0; c < kColumnCount; ++c) {
        if ((columns & (1u << c)) == 0) continue;
        for (int row = first; row <= last; ++row) s.cells.push_back(table.Row(row)[c]);
    }
    return s;
}

SlideHistory::CellsEdit SlideHistory::Compare(const Snapshot& before, const SlideTable& table) {
    CellsEdit edit;
    // Texts by their content: the views point into the snapshot and the table, which outlive this.
    std::unordered_map<std::string_view, std::uint32_t> index;
    const auto intern = [&](const CellText& text) {
        const auto [it, added] = index.try_emplace(text.view(), static_cast<std::uint32_t>(edit.pool.size()));
        if (added) edit.pool.push_back(text);
        return it->second;
    };
    const CellText* was = before.cells.data();
    for (int c = 0; c < kColumnCount; ++c) {
        if ((before.columns & (1u << c)) == 0) continue;
        ColumnChange change;
        change.column = static_cast<std::uint8_t>(c);
        std::uint32_t end = 0, runStart = 0, runLength = 0;
        std::uint32_t valueLength = 0, oldText = 0, newText = 0;
        const auto flushRows = [&] {
            if (runLength == 0) return;
            PutNumber(change.rows, runStart - end);
            PutNumber(change.rows, runLength);
            end = runStart + runLength;
        };
        const auto flushValues = [&] {
            if (valueLength == 0) return;
            PutNumber(change.values, valueLength);
            PutNumber(change.values, oldText);
            PutNumber(change.values, newText);
        };
        for (int row = before.first; row < before.first + before.count; ++row, ++was) {
            const CellText& now = table.Row(row)[c];
            if (*was == now) continue;
            const auto r = static_cast<std::uint32_t>(row);
            if (runLength > 0 && r == runStart + runLength) {
                ++runLength;
            } else {
                flushRows();
                runStart = r;
                runLength = 1;
            }
            const std::uint32_t o = intern(*was), n = intern(now);
            if (valueLength > 0 && o == oldText && n == newText) {
                ++valueLength;
            } else {
                flushValues();
                oldText = o;
                newText = n;
                valueLength = 1;
            }
        }
        if (runLength == 0) continue;
        flushRows();
        flushValues();
        change.rows.shrink_to_fit();
        change.values.shrink_to_fit();
        edit.columns.push_back(std::move(change));
    }
    edit.columns.shrink_to_fit();
    edit.pool.shrink_to_fit();
    return edit;
}

void SlideHistory::AddCells(const Snapshot& before, const SlideTable& table) {
    CellsEdit edit = Compare(before, table);
    if (!edit.columns.empty()) pending_.edits.emplace_back(std::move(edit));
}

std::size_t SlideHistory::Measure(const Step& step) {
    std::size_t bytes = sizeof(Step) + step.edits.capacity() * sizeof(Edit);
    for (const Edit& edit : step.edits) {
        if (const auto* cells = std::get_if<CellsEdit>(&edit)) {
            bytes += cells->columns.capacity() * sizeof(ColumnChange) + cells->pool.capacity() * sizeof(CellText);
            for (const ColumnChange& c : cells->columns) bytes += c.rows.capacity() + c.values.capacity();
            for (const CellText& text : cells->pool) bytes += text.HeapBytes();
        } else if (const auto* row = std::get_if<RowEdit>(&edit)) {
            bytes += HeapOf(row->slide);
        } else if (const auto* rows = std::get_if<RowsEdit>(&edit)) {
            bytes += rows->positions.capacity() * sizeof(int) + rows->slides.capacity() * sizeof(Slide);
            for (const Slide& slide : rows->slides) bytes += HeapOf(slide);
        } else if (const auto* order = std::get_if<OrderEdit>(&edit)) {
            bytes += order->order.capacity() * sizeof(int);
        }
    }
    return bytes;
}

// ---- The commands ---------------------------------------------------------------------------

bool SlideHistory::KillSelected(SlideTable& table) {
    const Group step(*this, table);
    if (table.RowCount() == 1) {
        // The only slide becomes the placeholder: a change of cells, not of rows.
        const Snapshot before = Take(table, 1, 1);
        const bool result = table.KillSelected();
        AddCells(before, table);
        return result;
    }
    pending_.edits.emplace_back(RowEdit{false, table.selectedRow(), table.Selected()});
    return table.KillSelected();
}

SlideKind SlideHistory::AddFile(SlideTable& table, const std::string& chosenPath, const FileSystem& fs) {
    const Group step(*this, table);
    const int rows = table.RowCount();
    const Snapshot before = Take(table, table.selectedRow(), table.selectedRow());
    const SlideKind kind = table.AddFile(chosenPath, fs);
    if (table.RowCount() > rows) {
        pending_.edits.emplace_back(RowEdit{true, table.RowCount(), table.Row(table.RowCount())});
    } else {
        AddCells(before, table);
    }
    return kind;
}

SlideKind SlideHistory::PutFile(SlideTable& table, int row, const std::string& chosenPath, const FileSystem& fs) {
    const Group step(*this, table);
    const Snapshot before = Take(table, row, row);
    const SlideKind kind = table.PutFile(row, chosenPath, fs);
    AddCells(before, table);
    return kind;
}

void SlideHistory::PutCdTrack(SlideTable& table, int track, bool replaceSelected) {
    const Group step(*this, table);
    const Snapshot before = Take(table, table.selectedRow(), table.selectedRow());
    table.PutCdTrack(track, replaceSelected);
    if (replaceSelected) {
        AddCells(before, table);
    } else {
        pending_.edits.emplace_back(RowEdit{true, table.RowCount(), table.Row(table.RowCount())});
    }
}

bool SlideHistory::ApplyChoice(SlideTable& table, const Choice& choice, bool globalMode) {
    const Group step(*this, table);
    // A Global is copied only in the columns its menu sets, which keeps it quick on a long show.
    const Snapshot before = globalMode ? Take(table, 1, table.RowCount(), ColumnsOf(choice.menu))
                                       : Take(table, table.selectedRow(), table.selectedRow());
    const bool refresh = editor::ApplyChoice(table, choice, globalMode);
    AddCells(before, table);
    return refresh;
}

void SlideHistory::MoveRow(SlideTable& table, int from, int to) {
    if (from < 1 || from > table.RowCount() || to < 1 || to > table.RowCount() || from == to) return;
    const Group step(*this, table);
    table.MoveRow(from, to);
    pending_.edits.emplace_back(MoveEdit{from, to});
}

bool SlideHistory::MoveSelectedRow(SlideTable& table, int delta) {
    const int from = table.selectedRow();
    const int to = from + delta;
    if (delta == 0 || to < 1 || to > table.RowCount()) return false;
    MoveRow(table, from, to);
    return true;
}

bool SlideHistory::KillRows(SlideTable& table, const std::vector<int>& rows) {
    std::vector<int> positions;
    for (const int r : rows) {
        if (r >= 1 && r <= table.RowCount() && (positions.empty() || r > positions.back())) positions.push_back(r);
    }
    if (positions.empty()) return true;
    if (positions.size() == 1) {
        table.Select(positions.front(), table.selectedColumn());
        return KillSelected(table);
    }
    const Group step(*this, table);
    const bool every = static_cast<int>(positions.size()) == table.RowCount();
    // Every row: all but the first go as rows, the first becomes the placeholder as a change of cells.
    if (every) positions.erase(positions.begin());
    RowsEdit edit{false, positions, {}};
    edit.slides.reserve(positions.size());
    for (const int r : positions) edit.slides.push_back(table.Row(r));
    table.RemoveRows(positions);
    pending_.edits.emplace_back(std::move(edit));
    if (every) {
        const Snapshot before = Take(table, 1, 1);
        table.Clear();
        AddCells(before, table);
    }
    return true;
}

std::vector<int> SlideHistory::InsertSlides(SlideTable& table, int after, std::vector<Slide> slides) {
    std::vector<int> rows;
    if (slides.empty()) return rows;
    const Group step(*this, table);
    int first = std::clamp(after, 0, table.RowCount()) + 1;
    if (table.RowCount() == 1 && IsPlaceholder(table.Row(1))) {
        // Into an empty table: the first slide takes the placeholder's row.
        const Snapshot before = Take(table, 1, 1);
        table.Row(1) = std::move(slides.front());
        table.Row(1)[kColNumber] = "1";
        AddCells(before, table);
        slides.erase(slides.begin());
        rows.push_back(1);
        first = 2;
    }
    if (!slides.empty()) {
        RowsEdit edit{true, {}, std::move(slides)};
        for (std::size_t i = 0; i < edit.slides.size(); ++i) {
            edit.positions.push_back(first + static_cast<int>(i));
            edit.slides[i][kColNumber] = std::to_string(edit.positions.back());
        }
        table.InsertRows(edit.positions, edit.slides);
        rows.insert(rows.end(), edit.positions.begin(), edit.positions.end());
        pending_.edits.emplace_back(std::move(edit));
    }
    table.Select(rows.back(), table.selectedColumn());
    return rows;
}

bool SlideHistory::Reorder(SlideTable& table, const RowOrder& order) {
    if (order.empty() || static_cast<int>(order.size()) != table.RowCount()) return false;
    std::size_t first = 0, last = order.size();
    while (first < last && order[first] == static_cast<int>(first) + 1) ++first;
    while (last > first && order[last - 1] == static_cast<int>(last)) --last;
    if (first == last) return false;
    const Group step(*this, table);
    table.Reorder(order);
    pending_.edits.emplace_back(OrderEdit{static_cast<int>(first) + 1, RowOrder(order.begin() + static_cast<std::ptrdiff_t>(first),
                                                                             order.begin() + static_cast<std::ptrdiff_t>(last))});
    return true;
}

bool SlideHistory::ApplyChoice(SlideTable& table, const Choice& choice, const std::vector<int>& rows) {
    if (rows.empty()) return false;
    const Group step(*this, table);
    const Snapshot before = Take(table, rows.front(), rows.back(), ColumnsOf(choice.menu));
    const bool refresh = editor::ApplyChoice(table, choice, rows);
    AddCells(before, table);
    return refresh;
}

void SlideHistory::ApplyRelinks(SlideTable& table, const std::vector<Relink>& relinks) {
    int first = table.RowCount() + 1, last = 0;
    for (const Relink& relink : relinks) {
        if (relink.row < 1 || relink.row > table.RowCount()) continue;
        first = std::min(first, relink.row);
        last = std::max(last, relink.row);
    }
    if (last == 0) return;
    const Group step(*this, table);
    const Snapshot before = Take(table, first, last, 1u << kColPath | 1u << kColName);
    editor::ApplyRelinks(table, relinks);
    AddCells(before, table);
}

// ---- Undo and redo --------------------------------------------------------------------------

void SlideHistory::WriteCells(SlideTable& table, const CellsEdit& edit, bool undo) {
    for (const ColumnChange& change : edit.columns) {
        const std::uint8_t* rows = change.rows.data();
        const std::uint8_t* const rowsEnd = rows + change.rows.size();
        const std::uint8_t* values = change.values.data();
        std::uint32_t row = 0, left = 0, text = 0;
        while (rows < rowsEnd) {
            row += TakeNumber(rows);
            for (std::uint32_t length = TakeNumber(rows); length > 0; --length, ++row) {
                if (left == 0) {
                    left = TakeNumber(values);
                    const std::uint32_t oldText = TakeNumber(values);
                    const std::uint32_t newText = TakeNumber(values);
                    text = undo ? oldText : newText;
                }
                --left;
                // Rows out of range mean the table was replaced without a Reset: never write there.
                if (row >= 1 && row <= static_cast<std::uint32_t>(table.RowCount())) {
                    table.Row(static_cast<int>(row))[change.column] = edit.pool[text];
                }
            }
        }
    }
}

void SlideHistory::Apply(SlideTable& table, const Edit& edit, bool undo) {
    if (const auto* cells = std::get_if<CellsEdit>(&edit)) {
        WriteCells(table, *cells, undo);
    } else if (const auto* row = std::get_if<RowEdit>(&edit)) {
        if (row->inserted != undo) {
            InsertRow(table, row->row, row->slide);
        } else {
            RemoveRow(table, row->row);
        }
    } else if (const auto* move = std::get_if<MoveEdit>(&edit)) {
        if (undo) {
            table.MoveRow(move->to, move->from);
        } else {
            table.MoveRow(move->from, move->to);
        }
    } else if (const auto* rows = std::get_if<RowsEdit>(&edit)) {
        if (rows->inserted != undo) {
            table.InsertRows(rows->positions, rows->slides);
        } else if (rows->positions.size() < static_cast<std::size_t>(table.RowCount())) {
            table.RemoveRows(rows->positions);
        }
    } else if (const auto* order = std::get_if<OrderEdit>(&edit)) {
        const int end = order->first + static_cast<int>(order->order.size()) - 1;
        if (end > table.RowCount()) return;
        RowOrder full(static_cast<std::size_t>(table.RowCount()));
        for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<int>(i) + 1;
        for (std::size_t i = 0; i < order->order.size(); ++i) {
            const std::size_t at = static_cast<std::size_t>(order->first - 1) + i;
            const int from = order->order[i];
            if (undo) {
                full[static_cast<std::size_t>(from - 1)] = static_cast<int>(at) + 1;
            } else {
                full[at] = from;
            }
        }
        table.Reorder(full);
    }
}

std::optional<bool> SlideHistory::Undo(SlideTable& table) {
    if (!CanUndo() || depth_ > 0) return std::nullopt;
    const Step& step = steps_[--done_];
    for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) Apply(table, *edit, true);
    table.Select(step.before.row, step.before.column);
    return !AtSavedPoint();
}

std::optional<bool> SlideHistory::Redo(SlideTable& table) {
    if (!CanRedo() || depth_ > 0) return std::nullopt;
    const Step& step = steps_[done_++];
    for (const Edit& edit : step.edits) Apply(table, edit, false);
    table.Select(step.after.row, step.after.column);
    return !AtSavedPoint();
}

void SlideHistory::Reset() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
    bytes_ = 0;
}

}  // namespace morvel::editor

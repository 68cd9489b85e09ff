#include "editor/row_selection.h"

#include <algorithm>

namespace morvel::editor {

void RowSelection::Resize(int count) {
    count = std::max(count, 1);
    selected_.assign(static_cast<std::size_t>(count), false);
    count_ = 0;
}

void RowSelection::Reset(int count, int row) {
    Resize(count);
    anchor_ = std::clamp(row, 1, static_cast<int>(selected_.size()));
    selected_[static_cast<std::size_t>(anchor_ - 1)] = true;
    count_ = 1;
}

void RowSelection::Extend(int count, int row) {
    const int anchor = anchor_;
    Resize(count);
    const int n = static_cast<int>(selected_.size());
    anchor_ = std::clamp(anchor, 1, n);
    row = std::clamp(row, 1, n);
    for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r) {
        selected_[static_cast<std::size_t>(r - 1)] = true;
        ++count_;
    }
}

void RowSelection::Toggle(int count, int row) {
    if (static_cast<int>(selected_.size()) != std::max(count, 1)) Reset(count, anchor_);
    row = std::clamp(row, 1, static_cast<int>(selected_.size()));
    auto cell = selected_[static_cast<std::size_t>(row - 1)];
    if (!cell) {
        cell = true;
        ++count_;
    } else if (count_ > 1) {
        cell = false;
        --count_;
    }
    anchor_ = row;
}

void RowSelection::SelectAll(int count) {
    Resize(count);
    selected_.assign(selected_.size(), true);
    count_ = static_cast<int>(selected_.size());
    anchor_ = std::clamp(anchor_, 1, count_);
}

void RowSelection::Set(int count, const std::vector<int>& rows, int anchor) {
    Resize(count);
    const int n = static_cast<int>(selected_.size());
    for (const int r : rows) {
        if (r < 1 || r > n || selected_[static_cast<std::size_t>(r - 1)]) continue;
        selected_[static_cast<std::size_t>(r - 1)] = true;
        ++count_;
    }
    anchor_ = std::clamp(anchor, 1, n);
    if (count_ == 0) Reset(count, anchor_);
}

bool RowSelection::IsSelected(int row) const {
    return row >= 1 && row <= static_cast<int>(selected_.size()) && selected_[static_cast<std::size_t>(row - 1)];
}

std::vector<int> RowSelection::Rows() const {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(count_));
    for (std::size_t i = 0; i < selected_.size(); ++i) {
        if (selected_[i]) rows.push_back(static_cast<int>(i) + 1);
    }
    return rows;
}

namespace {

// Which rows of 1..count are in the list (out-of-range ones ignored).
std::vector<bool> Marked(int count, const std::vector<int>& rows) {
    std::vector<bool> marked(static_cast<std::size_t>(std::max(count, 0)), false);
    for (const int r : rows) {
        if (r >= 1 && r <= count) marked[static_cast<std::size_t>(r - 1)] = true;
    }
    return marked;
}

bool Unchanged(const RowOrder& order) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] != static_cast<int>(i) + 1) return false;
    }
    return true;
}

}  // namespace

RowOrder OrderAfterStep(int count, const std::vector<int>& selected, int delta) {
    const std::vector<bool> marked = Marked(count, selected);
    const auto first = std::find(marked.begin(), marked.end(), true);
    if (first == marked.end() || (delta != -1 && delta != 1)) return {};
    if (delta < 0 && marked.front()) return {};
    if (delta > 0 && marked.back()) return {};
    RowOrder order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i + 1;
    // Each unselected row that borders a run of selected rows on the moving side jumps over it.
    if (delta < 0) {
        for (int i = 1; i < count; ++i) {
            if (marked[static_cast<std::size_t>(i)]) std::swap(order[static_cast<std::size_t>(i - 1)], order[static_cast<std::size_t>(i)]);
        }
    } else {
        for (int i = count - 2; i >= 0; --i) {
            if (marked[static_cast<std::size_t>(i)]) std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(i + 1)]);
        }
    }
    return order;
}

RowOrder OrderAfterDrop(int count, const std::vector<int>& selected, int gap) {
    const std::vector<bool> marked = Marked(count, selected);
    gap = std::clamp(gap, 0, std::max(count, 0));
    RowOrder order;
    order.reserve(static_cast<std::size_t>(std::max(count, 0)));
    const auto putUnselected = [&](int from, int to) {
        for (int r = from; r <= to; ++r) {
            if (!marked[static_cast<std::size_t>(r - 1)]) order.push_back(r);
        }
    };
    putUnselected(1, gap);
    for (int r = 1; r <= count; ++r) {
        if (marked[static_cast<std::size_t>(r - 1)]) order.push_back(r);
    }
    putUnselected(gap + 1, count);
    if (Unchanged(order)) return {};
    return order;
}

std::vector<int> PositionsAfter(const RowOrder& order, const std::vector<int>& rows) {
    const int count = static_cast<int>(order.size());
    const std::vector<bool> marked = Marked(count, rows);
    std::vector<int> positions;
    for (int i = 0; i < count; ++i) {
        if (marked[static_cast<std::size_t>(order[static_cast<std::size_t>(i)] - 1)]) positions.push_back(i + 1);
    }
    return positions;
}

}  // namespace morvel::editor

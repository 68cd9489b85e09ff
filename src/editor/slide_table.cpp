#include "editor/slide_table.h"

#include <algorithm>

#include "common/path_parts.h"

namespace morvel::editor {

namespace {

constexpr std::array<std::string_view, kColumnCount> kHeaders = {
    "N", "", "", "", "Filename", "Clr", "Effect", "Wait", "H Pos", "V Pos", "Vid%", "Vol%", "Spd%"};

// Columns 2, 3 and 5 to 12 of each kind, as the kind's table holds them; "-" stands for the mark.
struct KindRow {
    SlideKind kind;
    std::array<std::string_view, 8> fields;  // columns 5 to 12
    std::string_view value;
    std::string_view colour;
};
constexpr std::string_view M = "-";
constexpr KindRow kKindRows[] = {
    {SlideKind::Graphic, {"Yes", "none", "0", "Mid", "Mid", M, M, M}, "0", "0"},
    {SlideKind::Mov, {"Yes", M, "0", "Mid", "Mid", "100", "50", "100"}, "0", "0"},
    {SlideKind::Avi, {"Yes", "Loop 1x", "0", "Mid", "Mid", "100", "100", "100"}, "0", "0"},
    {SlideKind::Sound, {M, M, "0", M, M, M, M, M}, "1", ""},
    {SlideKind::Fli, {"Yes", "Loop 1x", "0", M, M, M, M, M}, "0", "0"},
    {SlideKind::Avl, {M, M, M, M, M, M, M, M}, M, ""},
    {SlideKind::CdTrack, {M, M, "0", M, M, M, M, M}, "", ""},
};

std::string Expand(std::string_view field) { return field == M ? std::string(kMark) : std::string(field); }

}  // namespace

std::string_view ColumnHeader(int column) {
    return column >= 0 && column < kColumnCount ? kHeaders[static_cast<std::size_t>(column)] : std::string_view{};
}

Slide PlaceholderSlide() {
    Slide s;
    s[kColNumber] = "1";
    s[kColValue] = "0";
    s[kColName] = std::string(kPlaceholderName);
    for (int c = kColBackground; c < kColumnCount; ++c) s[c] = std::string(kMark);
    return s;
}

bool IsPlaceholder(const Slide& slide) { return slide[kColPath].empty() && slide[kColValue] == "0"; }

SlideKind KindOfFile(std::string_view path) {
    const std::string ext = path::ToUpperAscii(path::Extension(path));
    if (ext == ".WAV" || ext == ".MID") return SlideKind::Sound;
    if (ext == ".AVI" || ext == ".MPG" || ext == ".DAT") return SlideKind::Avi;
    if (ext == ".MOV") return SlideKind::Mov;
    if (ext == ".FLI" || ext == ".FLC" || ext == ".FLX") return SlideKind::Fli;
    if (ext == ".AVL") return SlideKind::Avl;
    return SlideKind::Graphic;
}

void SetUpKind(Slide& slide, SlideKind kind, int track) {
    for (const KindRow& k : kKindRows) {
        if (k.kind != kind) continue;
        for (int c = kColBackground; c < kColumnCount; ++c) {
            slide[c] = Expand(k.fields[static_cast<std::size_t>(c - kColBackground)]);
        }
        slide[kColValue] = kind == SlideKind::CdTrack ? std::to_string(track) : Expand(k.value);
        slide[kColColour] = std::string(k.colour);
        return;
    }
}

FileNames NamesOfFile(const std::string& path, const FileSystem& fs) {
    FileNames names;
    const auto found = fs.FindFirstName(path);
    names.path = path::ToLowerAscii(found ? fs.ShortPath(path) : path);
    names.name = found ? *found : std::string(path::NamePart(path));
    return names;
}

SlideTable::SlideTable() { Clear(); }

void SlideTable::Select(int row, int column) {
    selectedRow_ = std::clamp(row, 1, RowCount());
    selectedColumn_ = std::clamp(column, kFirstSelectableColumn, kColumnCount - 1);
}

void SlideTable::Clear() {
    rows_.assign(1, PlaceholderSlide());
    selectedRow_ = 1;
    selectedColumn_ = kColName;
}

void SlideTable::Assign(std::vector<Slide> rows) {
    if (rows.empty()) {
        Clear();
        return;
    }
    rows_ = std::move(rows);
    Select(selectedRow_, selectedColumn_);
}

int SlideTable::AppendRow() {
    Slide s;
    s[kColNumber] = std::to_string(rows_.size() + 1);
    rows_.push_back(std::move(s));
    selectedRow_ = RowCount();
    return selectedRow_;
}

void SlideTable::Renumber() {
    for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i][kColNumber] = std::to_string(i + 1);
}

bool SlideTable::KillSelected() {
    if (rows_.size() == 1) {
        Clear();
        return false;
    }
    if (selectedRow_ == RowCount()) {
        rows_.pop_back();
        selectedRow_ = RowCount();
        return true;
    }
    rows_.erase(rows_.begin() + (selectedRow_ - 1));
    Renumber();
    return true;
}

void SlideTable::MoveRow(int from, int to) {
    if (from < 1 || from > RowCount() || to < 1 || to > RowCount() || from == to) return;
    Slide moved = std::move(Row(from));
    rows_.erase(rows_.begin() + (from - 1));
    rows_.insert(rows_.begin() + (to - 1), std::move(moved));
    Renumber();
    selectedRow_ = to;
}

void SlideTable::Reorder(const std::vector<int>& order) {
    if (order.size() != rows_.size()) return;
    std::vector<bool> seen(rows_.size(), false);
    for (const int r : order) {
        if (r < 1 || r > RowCount() || seen[static_cast<std::size_t>(r - 1)]) return;
        seen[static_cast<std::size_t>(r - 1)] = true;
    }
    std::vector<Slide> rows;
    rows.reserve(rows_.size());
    int selected = selectedRow_;
    for (std::size_t i = 0; i < order.size(); ++i) {
        rows.push_back(std::move(rows_[static_cast<std::size_t>(order[i] - 1)]));
        if (order[i] == selectedRow_) selected = static_cast<int>(i) + 1;
    }
    rows_ = std::move(rows);
    Renumber();
    selectedRow_ = selected;
}

void SlideTable::RemoveRows(const std::vector<int>& positions) {
    if (positions.empty()) return;
    std::size_t kept = 0, next = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (next < positions.size() && positions[next] == static_cast<int>(i) + 1) {
            ++next;
            continue;
        }
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        ++kept;
    }
    rows_.resize(kept);
    if (rows_.empty()) {
        Clear();
        return;
    }
    Renumber();
    selectedRow_ = std::clamp(positions.front(), 1, RowCount());
}

void SlideTable::InsertRows(const std::vector<int>& positions, const std::vector<Slide>& slides) {
    const std::size_t total = rows_.size() + std::min(positions.size(), slides.size());
    std::vector<Slide> rows;
    rows.reserve(total);
    std::size_t old = 0, next = 0;
    int selected = selectedRow_;
    for (std::size_t i = 0; i < total; ++i) {
        if (next < positions.size() && next < slides.size() && positions[next] == static_cast<int>(i) + 1) {
            rows.push_back(slides[next++]);
        } else if (old < rows_.size()) {
            if (static_cast<int>(old) + 1 == selectedRow_) selected = static_cast<int>(rows.size()) + 1;
            rows.push_back(std::move(rows_[old++]));
        }
    }
    // Positions beyond the end go last, in order.
    while (next < positions.size() && next < slides.size()) rows.push_back(slides[next++]);
    while (old < rows_.size()) rows.push_back(std::move(rows_[old++]));
    rows_ = std::move(rows);
    Renumber();
    selectedRow_ = std::clamp(selected, 1, RowCount());
}

SlideKind SlideTable::PutFile(int row, const std::string& chosenPath, const FileSystem& fs) {
    Slide& s = Row(row);
    const FileNames names = NamesOfFile(chosenPath, fs);
    s[kColNumber] = std::to_string(row);
    s[kColPath] = names.path;
    s[kColName] = names.name;
    // The kind follows the path as the Explorer reported it (8.3 form where the file exists).
    const SlideKind kind = KindOfFile(names.path);
    SetUpKind(s, kind);
    return kind;
}

SlideKind SlideTable::AddFile(const std::string& chosenPath, const FileSystem& fs) {
    if (!IsPlaceholder(Selected())) AppendRow();
    return PutFile(selectedRow_, chosenPath, fs);
}

void SlideTable::PutCdTrack(int track, bool replaceSelected) {
    if (!replaceSelected) AppendRow();
    Slide& s = Selected();
    s[kColNumber] = std::to_string(selectedRow_);
    s[kColPath] = std::string(kMark);
    s[kColName] = std::string(kCdTrackPrefix) + std::to_string(track);
    SetUpKind(s, SlideKind::CdTrack, track);
}

}  // namespace morvel::editor

// The slide table of the Slideshow Editor: 13 text columns per slide, rows in playing
// order, the per-kind settings, and the commands that add, kill and move rows. Portable: the
// editor window draws this model and applies its commands; it holds no rules of its own.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "editor/cell_text.h"

namespace morvel::editor {

// The not-applicable mark: 30 hyphens.
inline constexpr std::string_view kMark = CellText::kNotApplicable;

enum Column : int {
    kColNumber = 0,
    kColPath = 1,
    kColValue = 2,
    kColColour = 3,
    kColName = 4,
    kColBackground = 5,
    kColEffect = 6,
    kColWait = 7,
    kColHPos = 8,
    kColVPos = 9,
    kColZoom = 10,
    kColVolume = 11,
    kColSpeed = 12,
};
inline constexpr int kColumnCount = 13;
// Columns 0 to 3 are fixed: they are never selected.
inline constexpr int kFirstSelectableColumn = 4;

// Header texts of columns 0 to 12 (columns 1 to 3 have none).
std::string_view ColumnHeader(int column);

inline constexpr std::string_view kPlaceholderName = "<right-click me>";
inline constexpr std::string_view kCdTrackPrefix = "CD Track: ";

struct Slide {
    std::array<CellText, kColumnCount> cells;

    CellText& operator[](int c) { return cells[static_cast<std::size_t>(c)]; }
    const CellText& operator[](int c) const { return cells[static_cast<std::size_t>(c)]; }
    bool IsMark(int c) const { return (*this)[c] == kMark; }
    bool operator==(const Slide&) const = default;
};

// The empty placeholder row, numbered 1.
Slide PlaceholderSlide();
bool IsPlaceholder(const Slide& slide);  // path empty and value "0"

// The kind a file gets when it is put into a row, from its whole upper-case extension.
enum class SlideKind { Graphic, Mov, Avi, Sound, Fli, Avl, CdTrack };
SlideKind KindOfFile(std::string_view path);

// SetUpGraphic, SetUpMOV, SetUpAVI, SetUpAudio, SetUpFLI, SetUpAVL: columns 2, 3 and 5 to 12 of
// the row as the kind's table gives them for the kind. The track is the CD-track slide's value.
void SetUpKind(Slide& slide, SlideKind kind, int track = 0);

// A file put into a row: path = short form in lower case when the file exists, else the path in
// lower case; name = the long name when it exists, else the name part.
struct FileNames {
    std::string path;
    std::string name;
};
FileNames NamesOfFile(const std::string& path, const FileSystem& fs);

// The table with its selected cell. Rows are 1-based as the window shows them; the table never
// has fewer than one row.
class SlideTable {
public:
    SlideTable();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    Slide& Row(int row) { return rows_[static_cast<std::size_t>(row - 1)]; }
    const Slide& Row(int row) const { return rows_[static_cast<std::size_t>(row - 1)]; }
    const std::vector<Slide>& rows() const { return rows_; }

    int selectedRow() const { return selectedRow_; }
    int selectedColumn() const { return selectedColumn_; }
    Slide& Selected() { return Row(selectedRow_); }
    const Slide& Selected() const { return Row(selectedRow_); }
    // Selects a cell; rows and columns out of range are brought into range, fixed columns to 4.
    void Select(int row, int column);

    // The placeholder row as the only row, the "Filename" cell of row 1 selected.
    void Clear();
    // Replaces every row (an empty list gives the placeholder); the selection stays in range.
    void Assign(std::vector<Slide> rows);
    // Appends a row numbered n + 1 and selects it; returns its number.
    int AppendRow();
    // Numbers the rows 1 to n.
    void Renumber();

    // "&Kill Slide" on the selected row. Returns false when the table held one slide (it is the
    // placeholder now and the slideshow is not modified), true otherwise.
    bool KillSelected();
    // A row dragged from one place to another (GridRowMoved); rows are renumbered and the
    // moved row stays selected.
    void MoveRow(int from, int to);
    // The rows in a new order (position i from 0 holds the row numbered order[i] before; an order
    // that is not a permutation of 1..n does nothing), renumbered; the selected cell follows its row.
    void Reorder(const std::vector<int>& order);
    // Removes the rows at these positions (ascending, in range), renumbered. Removing every row
    // leaves the placeholder row. The selected row becomes the one now at the first removed
    // position, or the last row.
    void RemoveRows(const std::vector<int>& positions);
    // Puts the slides so that they stand at these positions (ascending, from 1, counted in the
    // table that results), renumbered; the selection stays on its row.
    void InsertRows(const std::vector<int>& positions, const std::vector<Slide>& slides);

    // Puts a file into the row (number, path, name, kind's settings). Returns the kind.
    SlideKind PutFile(int row, const std::string& chosenPath, const FileSystem& fs);
    // "&Add Slides" for one entry: fills the selected placeholder row or appends a row, selects
    // it and puts the file there. Returns the kind.
    SlideKind AddFile(const std::string& chosenPath, const FileSystem& fs);
    // "C&D track" into the selected row (replace) or an appended row.
    void PutCdTrack(int track, bool replaceSelected);

    // Test's rule: a single row whose path is empty has nothing to test.
    bool NothingToTest() const { return rows_.size() == 1 && rows_[0][kColPath].empty(); }

private:
    std::vector<Slide> rows_;
    int selectedRow_ = 1;
    int selectedColumn_ = kColName;
};

}  // namespace morvel::editor

#include "editor/editor_rules.h"

#include <cmath>

#include "common/path_parts.h"

namespace morvel::editor {

namespace {

struct FlagRow {
    EditorEvent event;
    int flag;  // 0 false, 1 true, -1 unchanged
};
constexpr FlagRow kFlagTable[] = {
    {EditorEvent::LibraryLoaded, 0},   {EditorEvent::Start, 0},          {EditorEvent::AttributeCommand, 1},
    {EditorEvent::Global, 1},          {EditorEvent::SlidesAdded, 1},    {EditorEvent::CdTrackConfirmed, 1},
    {EditorEvent::KillOneOfSeveral, 1}, {EditorEvent::KillOnly, 0},      {EditorEvent::NewConfirmed, 0},
    {EditorEvent::OpenCancelled, 1},   {EditorEvent::SaveCancelled, 1},  {EditorEvent::OpenRead, 0},
    {EditorEvent::OpenFailed, -1},     {EditorEvent::SaveChosen, 0},     {EditorEvent::TestWritten, 0},
    {EditorEvent::TestFailed, -1},
};

}  // namespace

std::optional<bool> ModifiedAfter(EditorEvent event) {
    for (const FlagRow& row : kFlagTable) {
        if (row.event == event) return row.flag < 0 ? std::nullopt : std::optional<bool>(row.flag == 1);
    }
    return std::nullopt;
}

std::string CaptionForFile(std::string_view path) {
    return std::string(kBaseCaption) + " [" + std::string(path::NamePart(path)) + "]";
}

int RoundHalfEven(double x) { return static_cast<int>(std::nearbyint(x)); }

ColumnWidths FirstShowingWidths(int windowWidth, int gridWidth, int numberWidth, int scrollThumbWidth) {
    const double s = windowWidth / 634.0;
    ColumnWidths w{};
    w.widths[0] = numberWidth;
    w.widths[1] = w.widths[2] = w.widths[3] = 1;
    w.widths[4] = 1;
    w.widths[5] = RoundHalfEven(30 * s);
    w.widths[6] = RoundHalfEven(110 * s);
    w.widths[7] = w.widths[8] = w.widths[9] = RoundHalfEven(50 * s);
    w.widths[10] = w.widths[11] = w.widths[12] = RoundHalfEven(40 * s);
    int sum = 0;
    for (const int width : w.widths) sum += width;
    w.widths[4] = gridWidth - sum - scrollThumbWidth - 12;
    return w;
}

}  // namespace morvel::editor

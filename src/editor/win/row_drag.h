// Rows of the editor's list view dragged with the mouse: a press on a row's number cell, then a
// move past the system's drag distance starts the drag; while it lasts an insertion line shows
// the gap where the rows will land; the release inside the list drops them there, a release
// outside it or Esc cancels. The list view's owner feeds it the grid's mouse messages and draws
// the line from its custom draw.
#pragma once

#include <windows.h>

#include <optional>

namespace morvel {

class RowDrag {
public:
    // The button went down at this client point of the list.
    void Press(POINT at);
    // The mouse moved with the button down: starts the drag past the drag distance and moves
    // the insertion line. True while a drag is under way.
    bool Move(HWND list, POINT at);
    // The button came up: the gap (0 to the row count: before row gap + 1) when dragged rows
    // were released inside the list, else nothing. Ends the drag either way.
    std::optional<int> Release(HWND list, POINT at);
    // Esc, or the capture lost: the drag ends with nothing moved.
    void Cancel(HWND list);

    bool pressed() const { return pressed_; }
    bool dragging() const { return dragging_; }
    // The insertion line, on the list's device context after it has painted.
    void DrawLine(HWND list, HDC dc) const;

private:
    // The gap under a client point, nothing outside the list's rows area.
    static std::optional<int> GapAt(HWND list, POINT at);
    // The line's rectangle for a gap.
    static RECT LineRect(HWND list, int gap);
    void ShowGap(HWND list, int gap);

    bool pressed_ = false;
    bool dragging_ = false;
    POINT start_{};
    int gap_ = -1;  // where the line is drawn; -1 for none
};

}  // namespace morvel

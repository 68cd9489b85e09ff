// The editor window's layout as the user sizes it: the slide table takes the extra room, the path
// panel (and the gauge inside it) the extra width, and the colour indicator and the buttons keep
// their places at the bottom edge. The window never becomes smaller than it starts.
#pragma once

#include <windows.h>

#include <vector>

namespace morvel {

class EditorLayout {
public:
    // Takes the window's size and its controls' places as they are now as the starting layout.
    void Remember(HWND window);
    // Places the controls for the window's client size now (never below the starting size).
    void Place(HWND window) const;
    // The starting size as the smallest the window can be made.
    void Limit(MINMAXINFO& info) const;

private:
    struct Placed {
        HWND control;
        RECT start;
        unsigned follow;
    };
    std::vector<Placed> controls_;
    SIZE client_{};
    SIZE window_{};
};

}  // namespace morvel

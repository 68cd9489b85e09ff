// What a person sees of a live window at the screen's resolution: texts that fit their controls
// in the controls' own fonts, fonts no smaller than 8 points, item heights that hold their font,
// no two visible siblings over each other, every child inside its parent's client area, seek
// bars that show a thumb, and the window inside the work area.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace morvel::test {

struct LayoutReport {
    std::vector<std::string> problems;  // one line each, naming the control by class, ID and text
    int controls = 0;                   // visible controls looked at
    int smallestFont = 0;               // the smallest character height seen, in pixels
};

// Looks at the window and every visible control inside it. Controls whose IDs are in
// `mayOverflow` are placed by a rule of their own that may take them past their parent's edge.
LayoutReport CheckLayout(HWND window, std::span<const int> mayOverflow = {});

// The report as lines for a failure message or the run's log.
std::string Describe(const LayoutReport& report);

}  // namespace morvel::test

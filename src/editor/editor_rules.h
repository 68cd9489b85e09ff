// The editor's state rules that are not about one slide the modified-flag
// table, the captions, and the messages. Beyond the old habits:
//  - a failed "&Open" leaves caption, current file and modified flag as they were;
//  - "&Test" that cannot write the test file, or has no test file (AVLTMP missing), tells the
//    user and keeps the editor open with the flag as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvel::editor {

enum class EditorEvent {
    LibraryLoaded,
    Start,               // with or without a file
    AttributeCommand,    // CommonAction on a cell without the mark
    Global,              // "&Global" on a cell without the mark
    SlidesAdded,         // "&Add Slides" with at least one entry
    CdTrackConfirmed,
    KillOneOfSeveral,
    KillOnly,
    NewConfirmed,
    OpenCancelled,
    SaveCancelled,
    OpenRead,            // "&Open": the chosen file was read (fully or in part)
    OpenFailed,          // "&Open": the chosen file could not be read (nothing changes)
    SaveChosen,          // "&Save" with a file chosen, once the file is written
    TestWritten,
    TestFailed,          // nothing changes
};

// The flag after the event; nothing when the event leaves it as it was.
std::optional<bool> ModifiedAfter(EditorEvent event);
inline bool ApplyEvent(bool modified, EditorEvent event) { return ModifiedAfter(event).value_or(modified); }

inline constexpr std::string_view kCaptionAtCreation = "Morvel Slideshow Editor";
inline constexpr std::string_view kBaseCaption = "Slideshow Editor";
// "Slideshow Editor [name]" for a file opened or saved by the user.
std::string CaptionForFile(std::string_view path);

inline constexpr std::string_view kNoFile = "*";
inline constexpr std::string_view kMissingKey = "ERROR";

inline constexpr std::string_view kDiscardChanges = "Discard changes?";
inline constexpr std::string_view kReplaceCurrentSlide = "Replace current slide?";
inline constexpr std::string_view kAvlWarning = "AVL file should be the LAST slide.\nSubsequent slides will be disregarded.";
inline constexpr std::string_view kNothingToTest = "Nothing to test!  Please add slides.";
inline constexpr std::string_view kNoTestFile =
    "No test file was given.\nThe host must name it in AVLTMP before it opens the editor.";
inline constexpr std::string_view kPathPanelBlank = "Slide Pathname: <blank>";
inline constexpr std::string_view kLabelBackground = "Bkgnd";
inline constexpr std::string_view kLabelNoBackground = "No Bkgnd";

// The modal result of "&Test", and EditorWin95's results.
inline constexpr int kTestModalResult = 8;
inline constexpr int kResultAfterTest = -1;
inline constexpr int kResultOtherwise = 0;

// Column widths of the first showing: s = window width / 634, halves to even.
int RoundHalfEven(double x);
struct ColumnWidths {
    int widths[13];
};
ColumnWidths FirstShowingWidths(int windowWidth, int gridWidth, int numberWidth, int scrollThumbWidth);

// The window font's size in points: 9 on screens wider than 800 pixels, else 8.
inline int WindowFontPoints(int screenWidth) { return screenWidth > 800 ? 9 : 8; }
// The grid and path panel get their own 10-point font when the menu bar is taller than 18 pixels.
inline bool OwnGridFont(int menuBarHeight) { return menuBarHeight > 18; }

}  // namespace morvel::editor

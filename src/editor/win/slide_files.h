// Slides that come into the editor other than through its dialogs: files dropped from the shell,
// and the files of rows that moved, found again when a slideshow is opened and by the system
// menu's "Find missing files..." (Ctrl+F). Each change is one step of the undo history. The
// handlers return true when the table changed: the window then marks the slideshow modified and
// shows the selected row. `showRows` shows the table's rows as they are, before any message box.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/slide_history.h"
#include "editor/slide_table.h"

namespace morvel {

// The system-menu command of "Find missing files...": below 0xF000, the low four bits clear, as
// the system's own commands are.
inline constexpr UINT kIdFindMissing = 0x0E40;

// Puts "Find missing files..." with its key at the end of the window's system menu.
void AddFindMissingItem(HWND window);

// The files as "&Add Slides" adds them: one undo step for all, the rows shown after each file,
// and the AVL warning after a slideshow's row.
void AddSlideFiles(HWND owner, const std::vector<std::string>& files, editor::SlideTable& table,
                   editor::SlideHistory& history, const std::function<void()>& showRows);

// WM_DROPFILES: each dropped file that "Add Multiple Slides" would list in its starting file type,
// and such files of a dropped folder, added by AddSlideFiles in the shell's order; the rest
// counted in an information box. Finishes the drop.
bool DropSlideFiles(HWND owner, HDROP drop, editor::SlideTable& table, editor::SlideHistory& history,
                    const std::function<void()>& showRows);

// After a slideshow was read: the rows whose files the reading did not find are looked for under
// the slideshow's folder and its subfolders, and the user is asked whether to use those found.
bool OfferMissingFiles(HWND owner, editor::SlideTable& table, editor::SlideHistory& history,
                       const std::vector<int>& missingRows, const std::string& slideshowPath,
                       const std::function<void()>& showRows);

// "Find missing files...": the rows whose files do not exist now, looked for under a folder the
// user picks and its subfolders; tells how many were found.
bool FindMissingFilesCommand(HWND owner, editor::SlideTable& table, editor::SlideHistory& history,
                             const std::function<void()>& showRows);

}  // namespace morvel

#include "editor/win/slide_files.h"

#include "common/path_parts.h"
#include "common/win/folder_picker.h"
#include "common/win/gdi.h"
#include "common/win/message_box.h"
#include "common/win/win_file_system.h"
#include "editor/editor_rules.h"
#include "editor/missing_files.h"
#include "editor/slide_drop.h"

namespace morvel {

using namespace editor;

namespace {

constexpr const char* kPickerTitle = "Search this folder and its subfolders for the missing slide files:";

// Empty for no slideshow ("*") and for a bare name: an empty root would be searched from the
// top of the current drive.
std::string SlideshowFolder(const std::string& slideshowPath) {
    return std::string(path::FolderPart(slideshowPath));
}

}  // namespace

void AddFindMissingItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    const std::string item = std::string(kFindMissingCaption) + "\tCtrl+F";
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kIdFindMissing, item.c_str());
}

void AddSlideFiles(HWND owner, const std::vector<std::string>& files, SlideTable& table, SlideHistory& history,
                   const std::function<void()>& showRows) {
    const SlideHistory::Group step(history, table);
    for (const std::string& file : files) {
        const SlideKind kind = history.AddFile(table, file, RealFileSystem());
        showRows();
        if (kind == SlideKind::Avl) ShowMessage(owner, BoxKind::Warning, std::string(kAvlWarning));
    }
}

bool DropSlideFiles(HWND owner, HDROP drop, SlideTable& table, SlideHistory& history,
                    const std::function<void()>& showRows) {
    std::vector<std::string> dropped;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        path.resize(DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size())));
        dropped.push_back(std::move(path));
    }
    DragFinish(drop);
    DroppedFiles take;
    {
        win::BusyCursor busy;
        take = FilesToAdd(dropped, RealFileSystem());
    }
    if (!take.files.empty()) AddSlideFiles(owner, take.files, table, history, showRows);
    if (take.leftOut > 0) ShowMessage(owner, BoxKind::Information, NotAddedMessage(take.leftOut));
    return !take.files.empty();
}

bool OfferMissingFiles(HWND owner, SlideTable& table, SlideHistory& history, const std::vector<int>& missingRows,
                       const std::string& slideshowPath, const std::function<void()>& showRows) {
    if (missingRows.empty()) return false;
    const int missing = static_cast<int>(missingRows.size());
    std::vector<Relink> relinks;
    if (const std::string folder = SlideshowFolder(slideshowPath); !folder.empty()) {
        win::BusyCursor busy;
        relinks = FindMissingFiles(table, missingRows, RealFileSystem(), folder);
    }
    if (relinks.empty()) {
        ShowMessage(owner, BoxKind::Information, MissingNotFoundMessage(missing));
        return false;
    }
    if (!AskYesNo(owner, BoxKind::Confirmation, MissingFoundQuestion(missing, static_cast<int>(relinks.size())))) {
        return false;
    }
    history.ApplyRelinks(table, relinks);
    showRows();
    return true;
}

bool FindMissingFilesCommand(HWND owner, SlideTable& table, SlideHistory& history,
                             const std::function<void()>& showRows) {
    std::vector<int> missing;
    {
        win::BusyCursor busy;
        missing = MissingRows(table, RealFileSystem());
    }
    if (missing.empty()) {
        ShowMessage(owner, BoxKind::Information, FoundMissingMessage(0, 0));
        return false;
    }
    const auto folder = win::PickFolder(owner, kPickerTitle);
    if (!folder) return false;
    std::vector<Relink> relinks;
    {
        win::BusyCursor busy;
        relinks = FindMissingFiles(table, missing, RealFileSystem(), *folder);
    }
    if (!relinks.empty()) {
        history.ApplyRelinks(table, relinks);
        showRows();
    }
    ShowMessage(owner, BoxKind::Information,
                FoundMissingMessage(static_cast<int>(relinks.size()), static_cast<int>(missing.size())));
    return !relinks.empty();
}

}  // namespace morvel

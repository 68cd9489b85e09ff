#include "editor/slide_drop.h"

#include "common/name_mask.h"
#include "common/path_parts.h"
#include "explorer/file_types.h"
#include "explorer/listing.h"

namespace morvel::editor {

namespace {
// The file type the "Add Multiple Slides" dialog starts on.
constexpr int kAddSlidesStartPosition = explorer_rules::kAllValidatedPosition;
}  // namespace

DroppedFiles FilesToAdd(const std::vector<std::string>& dropped, const FileSystem& fs) {
    const std::string_view maskList = explorer_rules::MaskListForPosition(kAddSlidesStartPosition);
    const MaskSet masks(explorer_rules::SearchMasks(maskList), fs.SearchRules());
    DroppedFiles result;
    for (const std::string& path : dropped) {
        // A name the code page cannot hold reaches us with "?" in it: as a search pattern it
        // could find another file.
        if (path.empty() || path.find_first_of("*?") != std::string::npos) {
            ++result.leftOut;
            continue;
        }
        if (fs.FolderExists(path)) {
            const std::string folder = path::WithTrailingBackslash(path);
            const explorer_rules::Listing listing =
                explorer_rules::ListFolder(fs, folder, maskList, {.lowercase = false, .foldersAfter = false});
            for (const explorer_rules::ListEntry& entry : listing.entries) {
                if (!entry.folder) result.files.push_back(folder + entry.text);
            }
            continue;
        }
        // The entry itself, as the dialog's search would have found it in its folder.
        bool listed = false;
        bool seen = false;
        fs.Search(path, [&](const FoundEntry& entry) {
            if (seen) return;
            seen = true;
            listed = !entry.folder && !entry.system && masks.MatchesEntry(entry.name, entry.shortName);
        });
        if (listed) {
            result.files.push_back(path);
        } else {
            ++result.leftOut;
        }
    }
    return result;
}

std::string NotAddedMessage(int leftOut) {
    return std::to_string(leftOut) + " file(s) were not added: not a slide type.";
}

}  // namespace morvel::editor

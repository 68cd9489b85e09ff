#include "explorer/confirm.h"

#include <vector>

#include "common/path_parts.h"
#include "explorer/dialog_setup.h"
#include "explorer/explorer_messages.h"
#include "explorer/file_types.h"
#include "explorer/listing.h"
#include "explorer/name_checks.h"

namespace morvel::explorer_rules {

namespace {

// The files among the marked entries, in list order.
std::vector<int> MarkedFiles(const ConfirmView& view) {
    std::vector<int> files;
    for (int i = 0; i < view.EntryCount(); ++i) {
        if (view.EntryMarked(i) && !IsFolderEntry(view.EntryText(i))) files.push_back(i);
    }
    return files;
}

void OpenSeveral(ConfirmView& view) {
    const int listed = view.ListMultipleFiles();
    if (listed > 0) {
        view.Notify(kNotifyOpenMultiple);
    } else if (listed == 0) {
        view.Tell(BoxKind::Warning, std::string(msg::kNoFilesSelected));
    }
}

ConfirmOutcome SelectionStep(ConfirmView& view, const ConfirmMode& mode) {
    const int s = view.CurrentEntry();
    const int n = view.EntryCount();
    if (s < 0 || n == 0 || s >= n) return ConfirmOutcome::StayOpen;
    if (IsFolderEntry(view.EntryText(s))) {
        // In the modeless Explorer the files the user marked win over a folder entry that only
        // holds the caret ("&Mark all files" leaves it there); a marked folder is entered.
        const std::vector<int> marked = mode.dialogMode || view.EntryMarked(s) ? std::vector<int>{} : MarkedFiles(view);
        if (marked.empty()) {
            view.OpenFolderEntry(s);
        } else if (marked.size() == 1) {
            if (view.WriteBackEntry(marked.front())) view.Notify(kNotifyOpen);
        } else {
            OpenSeveral(view);
        }
        return ConfirmOutcome::StayOpen;
    }
    if (mode.dialogMode) return ConfirmOutcome::StayOpen;
    if (view.SelectedCount() == 1) {
        // Nothing written, nothing to tell the host: it would act on the previous file.
        if (view.WriteBack()) view.Notify(kNotifyOpen);
        return ConfirmOutcome::StayOpen;
    }
    OpenSeveral(view);
    return ConfirmOutcome::StayOpen;
}

// A picked file that no ANSI name reaches is refused before the name checks, whose messages
// ("Invalid filename.", "File not found.") would mislead about its look-alike text.
bool NameReachable(ConfirmView& view) {
    if (!view.NameFieldUnreachable()) return true;
    view.Tell(BoxKind::Error, std::string(msg::kNameCannotPass));
    return false;
}

// The extension check with its question; puts the resulting name into the field. False when the
// user refuses a different extension.
bool ExtensionAccepted(ConfirmView& view) {
    const auto expected = ExpectedExtension(view.SelectedTypeLabel());
    const ExtensionVerdict verdict = CheckExtension(view.NameField(), expected);
    if (verdict.needsQuestion && !view.Ask(BoxKind::Warning, msg::ExtensionDiffers(*expected, verdict.ext))) {
        return false;
    }
    view.SetNameField(verdict.name);
    return true;
}

ConfirmOutcome ConfirmSave(ConfirmView& view, const FileSystem& fs, const ConfirmMode& mode) {
    if (mode.convertMode && view.EntryCount() == 0) view.SetNameField(std::string(kEmptyFolderPlaceholder));
    if (view.NameField().empty()) return SelectionStep(view, mode);
    if (mode.convertMode) {
        view.SetNameField(path::WithTrailingBackslash(view.Folder()) + std::string(kOutputFolderPlaceholder));
    }
    if (!NameReachable(view) || !ExtensionAccepted(view)) return ConfirmOutcome::StayOpen;
    const std::string name = view.NameField();
    if (!NameCheckPasses(view, fs, name)) return ConfirmOutcome::StayOpen;
    if (fs.FileExists(FullName(name, view.Folder())) && !view.Ask(BoxKind::Confirmation, msg::FileInUse(name))) {
        return ConfirmOutcome::StayOpen;
    }
    return view.WriteBack() ? ConfirmOutcome::CloseWithOk : ConfirmOutcome::StayOpen;
}

ConfirmOutcome ConfirmOpen(ConfirmView& view, const FileSystem& fs, const ConfirmMode& mode) {
    if (view.NameField().empty()) return SelectionStep(view, mode);
    if (!NameReachable(view)) return ConfirmOutcome::StayOpen;
    if (mode.dialogKind == MORVEL_KIND_OPEN_SLIDESHOW && !ExtensionAccepted(view)) return ConfirmOutcome::StayOpen;
    const std::string name = view.NameField();
    if (!NameCheckPasses(view, fs, name)) return ConfirmOutcome::StayOpen;
    if (!fs.FileExists(FullName(name, view.Folder()))) {
        view.Tell(BoxKind::Error, std::string(msg::kFileNotFound));
        return ConfirmOutcome::StayOpen;
    }
    return view.WriteBack() ? ConfirmOutcome::CloseWithOk : ConfirmOutcome::StayOpen;
}

}  // namespace

bool NameCheckPasses(ConfirmView& view, const FileSystem& fs, std::string_view text) {
    switch (CheckName(text, fs)) {
        case NameVerdict::Pass:
            return true;
        case NameVerdict::InvalidPath:
            view.Tell(BoxKind::Error, std::string(msg::kInvalidPath));
            return false;
        case NameVerdict::InvalidFilename:
            view.Tell(BoxKind::Error, std::string(msg::kInvalidFilename));
            return false;
    }
    return false;
}

ConfirmOutcome Confirm(ConfirmView& view, const FileSystem& fs, const ConfirmMode& mode) {
    if (!mode.dialogMode) return SelectionStep(view, mode);
    if (IsSaveKind(mode.dialogKind)) return ConfirmSave(view, fs, mode);
    if (mode.dialogKind == MORVEL_KIND_ADD_SLIDES) {
        const int listed = view.ListMultipleFiles();
        if (listed > 0) return ConfirmOutcome::CloseWithOk;
        if (listed < 0) return ConfirmOutcome::StayOpen;
        return SelectionStep(view, mode);
    }
    return ConfirmOpen(view, fs, mode);
}

}  // namespace morvel::explorer_rules

// Confirming a choice (BtnOK, the file menu's "&Open", Enter): the checks on the typed name, the
// questions, and what reaches the host, for the modeless Explorer and every dialog kind. The
// window answers the questions below; the rules live here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/box_kind.h"
#include "common/file_system.h"
#include "morvel32.h"

namespace morvel::explorer_rules {

inline constexpr std::string_view kEmptyFolderPlaceholder = "~";
inline constexpr std::string_view kOutputFolderPlaceholder = "~(_)(_)~";

inline constexpr int kNotifyOpen = MORVEL_NOTIFY_OPEN;
inline constexpr int kNotifyOpenMultiple = MORVEL_NOTIFY_OPEN_MULTIPLE;

class ConfirmView {
public:
    virtual ~ConfirmView() = default;
    virtual std::string NameField() const = 0;
    // Sets the name field and redraws it at once.
    virtual void SetNameField(const std::string& text) = 0;
    virtual std::string Folder() const = 0;  // the folder list's folder
    virtual int EntryCount() const = 0;
    virtual int CurrentEntry() const = 0;  // -1 when none
    virtual std::string EntryText(int index) const = 0;
    virtual int SelectedCount() const = 0;
    // Whether the user marked the entry (selected it in the list).
    virtual bool EntryMarked(int index) const = 0;
    // The label of the entry selected in the file-type box; nothing when none is.
    virtual std::optional<std::string> SelectedTypeLabel() const = 0;
    // Yes/No question; true for Yes.
    virtual bool Ask(BoxKind kind, const std::string& text) = 0;
    virtual void Tell(BoxKind kind, const std::string& text) = 0;
    // The name field holds the text of a listed file that no ANSI name reaches (its name is not
    // in the code page and the volume keeps no short name for it).
    virtual bool NameFieldUnreachable() const = 0;
    // False when nothing was written (the window has told the user why).
    virtual bool WriteBack() = 0;
    // The same for a listed file picked by its entry rather than by the name field.
    virtual bool WriteBackEntry(int index) = 0;
    // The number of files written to the list file; 0 when none is selected, -1 when the list
    // was refused (the window has told the user why) and nothing was written.
    virtual int ListMultipleFiles() = 0;
    // Opens a folder entry as a double-click does.
    virtual void OpenFolderEntry(int index) = 0;
    virtual void Notify(int code) = 0;
};

enum class ConfirmOutcome { StayOpen, CloseWithOk };

struct ConfirmMode {
    bool dialogMode = false;
    int dialogKind = 999;
    bool convertMode = false;
};

ConfirmOutcome Confirm(ConfirmView& view, const FileSystem& fs, const ConfirmMode& mode);

// The name check with its messages: true when the name passes.
bool NameCheckPasses(ConfirmView& view, const FileSystem& fs, std::string_view text);

}  // namespace morvel::explorer_rules

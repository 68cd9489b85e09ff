// The Explorer's two pop-up menus as data: the file menu (the file list, the name field and the
// input list) and the view menu (BtnMenu, the panels and the file-type box), and the rules that
// show, enable, tick and name their items by dialog kind, name field, column mode and listing.
// The window builds its pop-ups from this model and runs only commands whose item is shown and
// enabled.
#pragma once

#include <string>
#include <vector>

#include "explorer/dialog_setup.h"

namespace morvel::explorer_rules {

struct MenuItem {
    int id = 0;  // a MORVEL_ID_* of the item; 0 for a separator
    std::string caption;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

class ExplorerMenus {
public:
    // Both menus as a new Explorer window starts.
    ExplorerMenus();

    const std::vector<MenuItem>& FileMenu() const { return file_; }
    const std::vector<MenuItem>& ViewMenu() const { return view_; }

    // The item with the ID (throws std::logic_error for an unknown ID).
    const MenuItem& Item(int id) const;
    // Whether a command of the item may run now: it exists, is shown and is enabled.
    bool Runs(int id) const;
    bool Checked(int id) const { return Item(id).checked; }

    // A dialog's set-up: the kind's own items, and the commands that only the modeless Explorer
    // offers hidden.
    void ApplyDialogSetup(const DialogSetup& setup);
    // The name field's text changed: in the opening kinds the file commands need a name; in the
    // saving kinds "&Open" becomes "Save" while a name is typed.
    void NameFieldChanged(int dialogKind, bool hasText);
    // A folder was listed: "Up One &Level" needs a parent, "&Open" an entry.
    void Listed(bool hasParent, bool hasEntries);
    // The input-file view shown or hidden (convert dialogs).
    void InputViewShown(bool shown);
    // Inverts the check mark of an option; returns the new state.
    bool Toggle(int id);
    // "Singl&e column" on or off: the two window-fitting commands need columns.
    void SetOneColumn(bool on);

private:
    MenuItem& Find(int id);
    std::vector<MenuItem> file_;
    std::vector<MenuItem> view_;
};

}  // namespace morvel::explorer_rules

#include "explorer/explorer_menus.h"

#include <stdexcept>

#include "morvel32.h"

namespace morvel::explorer_rules {

namespace {
constexpr int kSeparator = 0;
}  // namespace

ExplorerMenus::ExplorerMenus()
    : file_{
          {MORVEL_ID_MNUFLEVEL, "Up One &Level"},
          {kSeparator, "-"},
          {MORVEL_ID_MNUFOPEN, "&Open"},
          {MORVEL_ID_MNUFINFO, "&Info", true, false},
          {MORVEL_ID_MNUFPREVIEW, "&Preview", true, false},
          {MORVEL_ID_MNUFRENAME, "Renam&e", true, false},
          {MORVEL_ID_MNUFDELETE, "&Delete", true, false},
          {MORVEL_ID_MNUREFRESH, "Refres&h"},
          {MORVEL_ID_MARKDIRECTORY, "&Mark all files"},
          {MORVEL_ID_UNMARKDIRECTORY, "&Unmark all files"},
          {MORVEL_ID_BATCHCONVERT, "&Convert file(s)"},
          {MORVEL_ID_INSTANTSLIDESHOW, "Instant &slideshow"},
          {MORVEL_ID_MNULISTINPUT, "&View input files", false},
      },
      view_{
          {MORVEL_ID_MNUOPTIMIZEWIN, "&Optimize files list"},
          {MORVEL_ID_MNUMAXWIN, "Maximi&ze files list"},
          {MORVEL_ID_MNUFONT, "Change &font"},
          {MORVEL_ID_MNURESETWIN, "&Reset window"},
          {MORVEL_ID_MNULOWERCASE, "&Lowercase", true, true, true},
          {MORVEL_ID_MNUDIRLAST, "Folders &after files"},
          {MORVEL_ID_MNUONECOL, "Singl&e column"},
          {MORVEL_ID_PREVIEWMODE, "&Preview mode"},
      } {}

MenuItem& ExplorerMenus::Find(int id) {
    for (auto* menu : {&file_, &view_}) {
        for (MenuItem& item : *menu) {
            if (item.id == id && id != kSeparator) return item;
        }
    }
    throw std::logic_error("no menu item " + std::to_string(id));
}

const MenuItem& ExplorerMenus::Item(int id) const {
    return const_cast<ExplorerMenus*>(this)->Find(id);
}

bool ExplorerMenus::Runs(int id) const {
    for (const auto* menu : {&file_, &view_}) {
        for (const MenuItem& item : *menu) {
            if (item.id == id && id != kSeparator) return item.visible && item.enabled;
        }
    }
    return false;
}

void ExplorerMenus::ApplyDialogSetup(const DialogSetup& setup) {
    Find(MORVEL_ID_MARKDIRECTORY).visible = setup.markUnmarkVisible;
    Find(MORVEL_ID_UNMARKDIRECTORY).visible = setup.markUnmarkVisible;
    Find(MORVEL_ID_MNULISTINPUT).visible = setup.listInputVisible;
    for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFRENAME, MORVEL_ID_MNUFDELETE,
                   MORVEL_ID_BATCHCONVERT, MORVEL_ID_INSTANTSLIDESHOW, MORVEL_ID_PREVIEWMODE}) {
        Find(id).visible = false;
    }
}

void ExplorerMenus::NameFieldChanged(int dialogKind, bool hasText) {
    if (IsOpenKind(dialogKind)) {
        for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFRENAME, MORVEL_ID_MNUFDELETE}) {
            Find(id).enabled = hasText;
        }
        return;
    }
    Find(MORVEL_ID_MNUFOPEN).caption = hasText ? "Save" : "Open";
}

void ExplorerMenus::Listed(bool hasParent, bool hasEntries) {
    Find(MORVEL_ID_MNUFLEVEL).enabled = hasParent;
    Find(MORVEL_ID_MNUFOPEN).enabled = hasEntries;
}

void ExplorerMenus::InputViewShown(bool shown) {
    Find(MORVEL_ID_MNULISTINPUT).caption = shown ? "&Hide input files" : "&View input files";
    for (int id : {MORVEL_ID_MNUFOPEN, MORVEL_ID_MNUFLEVEL, MORVEL_ID_MNUREFRESH}) Find(id).visible = !shown;
    for (MenuItem& item : file_) {
        if (item.id == kSeparator) item.visible = !shown;
    }
}

bool ExplorerMenus::Toggle(int id) {
    MenuItem& item = Find(id);
    item.checked = !item.checked;
    return item.checked;
}

void ExplorerMenus::SetOneColumn(bool on) {
    Find(MORVEL_ID_MNUONECOL).checked = on;
    Find(MORVEL_ID_MNUOPTIMIZEWIN).enabled = !on;
    Find(MORVEL_ID_MNUMAXWIN).enabled = !on;
}

}  // namespace morvel::explorer_rules

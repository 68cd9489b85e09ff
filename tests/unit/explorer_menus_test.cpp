// The Explorer's menus as data: which items each kind, name field, listing and column mode
// shows, enables and names.
#include <gtest/gtest.h>

#include <stdexcept>

#include "explorer/explorer_menus.h"
#include "morvel32.h"

using namespace morvel::explorer_rules;

namespace {

std::vector<std::string> Shown(const std::vector<MenuItem>& menu) {
    std::vector<std::string> captions;
    for (const MenuItem& item : menu) {
        if (item.visible) captions.push_back(item.caption);
    }
    return captions;
}

}  // namespace

TEST(ExplorerMenus, ModelessStartOffersEveryFileCommandButTheInputView) {
    const ExplorerMenus menus;
    EXPECT_EQ(
        Shown(menus.FileMenu()),
        (std::vector<std::string>{"Up One &Level", "-", "&Open", "&Info", "&Preview", "Renam&e", "&Delete", "Refres&h",
                                  "&Mark all files", "&Unmark all files", "&Convert file(s)", "Instant &slideshow"}));
    EXPECT_EQ(Shown(menus.ViewMenu()),
              (std::vector<std::string>{"&Optimize files list", "Maximi&ze files list", "Change &font", "&Reset window",
                                        "&Lowercase", "Folders &after files", "Singl&e column", "&Preview mode"}));
    // The file commands wait for a name; lower case starts ticked, the other options not.
    for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFDELETE, MORVEL_ID_MNUFRENAME}) {
        EXPECT_FALSE(menus.Runs(id)) << id;
    }
    EXPECT_TRUE(menus.Checked(MORVEL_ID_MNULOWERCASE));
    EXPECT_FALSE(menus.Checked(MORVEL_ID_MNUDIRLAST));
    EXPECT_FALSE(menus.Checked(MORVEL_ID_MNUONECOL));
    EXPECT_FALSE(menus.Runs(0));  // a separator runs nothing
    EXPECT_FALSE(menus.Runs(4242));
    EXPECT_THROW(menus.Item(4242), std::logic_error);
}

TEST(ExplorerMenus, DialogKindsHideTheModelessCommands) {
    const struct {
        int kind;
        bool convert;
        bool markUnmark;
        bool inputView;
    } cases[] = {
        {MORVEL_KIND_ADD_SLIDES, false, true, false},      {MORVEL_KIND_REPLACE_SLIDE, false, false, false},
        {MORVEL_KIND_OPEN_SLIDESHOW, false, false, false}, {MORVEL_KIND_SAVE_24BIT, false, false, false},
        {MORVEL_KIND_SAVE_8BIT, true, false, true},        {MORVEL_KIND_SAVE_SLIDESHOW, false, false, false},
    };
    for (const auto& c : cases) {
        ExplorerMenus menus;
        menus.ApplyDialogSetup(SetupForKind(c.kind, c.convert));
        EXPECT_EQ(menus.Runs(MORVEL_ID_MARKDIRECTORY), c.markUnmark) << c.kind;
        EXPECT_EQ(menus.Runs(MORVEL_ID_UNMARKDIRECTORY), c.markUnmark) << c.kind;
        EXPECT_EQ(menus.Runs(MORVEL_ID_MNULISTINPUT), c.inputView) << c.kind;
        // Even with a name typed, a dialog offers none of the host's file commands.
        menus.NameFieldChanged(c.kind, true);
        for (int id : {MORVEL_ID_MNUFINFO, MORVEL_ID_MNUFPREVIEW, MORVEL_ID_MNUFRENAME, MORVEL_ID_MNUFDELETE,
                       MORVEL_ID_BATCHCONVERT, MORVEL_ID_INSTANTSLIDESHOW, MORVEL_ID_PREVIEWMODE}) {
            EXPECT_FALSE(menus.Runs(id)) << c.kind << " item " << id;
        }
        EXPECT_TRUE(menus.Runs(MORVEL_ID_MNUREFRESH)) << c.kind;
    }
}

TEST(ExplorerMenus, NameFieldEnablesFileCommandsOrRenamesOpen) {
    ExplorerMenus open;
    open.NameFieldChanged(MORVEL_KIND_MODELESS, true);
    EXPECT_TRUE(open.Runs(MORVEL_ID_MNUFINFO));
    EXPECT_TRUE(open.Runs(MORVEL_ID_MNUFPREVIEW));
    EXPECT_TRUE(open.Runs(MORVEL_ID_MNUFDELETE));
    EXPECT_TRUE(open.Runs(MORVEL_ID_MNUFRENAME));
    EXPECT_EQ(open.Item(MORVEL_ID_MNUFOPEN).caption, "&Open");
    open.NameFieldChanged(MORVEL_KIND_MODELESS, false);
    EXPECT_FALSE(open.Runs(MORVEL_ID_MNUFINFO));
    EXPECT_FALSE(open.Runs(MORVEL_ID_MNUFRENAME));

    ExplorerMenus save;
    save.NameFieldChanged(MORVEL_KIND_SAVE_16BIT, true);
    EXPECT_EQ(save.Item(MORVEL_ID_MNUFOPEN).caption, "Save");
    save.NameFieldChanged(MORVEL_KIND_SAVE_16BIT, false);
    EXPECT_EQ(save.Item(MORVEL_ID_MNUFOPEN).caption, "Open");
}

TEST(ExplorerMenus, ListingColumnsAndInputView) {
    ExplorerMenus menus;
    menus.Listed(false, false);
    EXPECT_FALSE(menus.Runs(MORVEL_ID_MNUFLEVEL));
    EXPECT_FALSE(menus.Runs(MORVEL_ID_MNUFOPEN));
    menus.Listed(true, true);
    EXPECT_TRUE(menus.Runs(MORVEL_ID_MNUFLEVEL));
    EXPECT_TRUE(menus.Runs(MORVEL_ID_MNUFOPEN));

    menus.SetOneColumn(true);
    EXPECT_TRUE(menus.Checked(MORVEL_ID_MNUONECOL));
    EXPECT_FALSE(menus.Runs(MORVEL_ID_MNUOPTIMIZEWIN));
    EXPECT_FALSE(menus.Runs(MORVEL_ID_MNUMAXWIN));
    menus.SetOneColumn(false);
    EXPECT_TRUE(menus.Runs(MORVEL_ID_MNUOPTIMIZEWIN));
    EXPECT_TRUE(menus.Runs(MORVEL_ID_MNUMAXWIN));

    EXPECT_FALSE(menus.Toggle(MORVEL_ID_MNULOWERCASE));
    EXPECT_TRUE(menus.Toggle(MORVEL_ID_MNULOWERCASE));

    menus.ApplyDialogSetup(SetupForKind(MORVEL_KIND_SAVE_4BIT, true));
    menus.InputViewShown(true);
    EXPECT_EQ(menus.Item(MORVEL_ID_MNULISTINPUT).caption, "&Hide input files");
    EXPECT_EQ(Shown(menus.FileMenu()), (std::vector<std::string>{"&Hide input files"}));
    menus.InputViewShown(false);
    EXPECT_EQ(Shown(menus.FileMenu()),
              (std::vector<std::string>{"Up One &Level", "-", "&Open", "Refres&h", "&View input files"}));
}

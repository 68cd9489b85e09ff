#include <gtest/gtest.h>

#include "explorer/dialog_setup.h"

using namespace morvel::explorer_rules;

TEST(ExplorerDialogSetup, KindsReduce) {
    const struct {
        int argument, kind;
        bool convert;
    } cases[] = {{0, 0, false},   {24, 24, false}, {100, 100, false}, {101, 1, true},
                 {124, 24, true}, {199, 99, true}, {200, 200, false}, {254, 254, false}};
    for (const auto& c : cases) {
        const ReducedKind r = ReduceKind(c.argument);
        EXPECT_EQ(r.dialogKind, c.kind) << c.argument;
        EXPECT_EQ(r.convertMode, c.convert) << c.argument;
    }
}

TEST(ExplorerDialogSetup, CaptionsPerKind) {
    const std::pair<int, const char*> plain[] = {{0, "Save File"},
                                                 {1, "Save File"},
                                                 {24, "Save File"},
                                                 {252, "Replace Slide"},
                                                 {253, "Add Multiple Slides"},
                                                 {254, "Open Slideshow"}};
    for (const auto& [kind, caption] : plain) EXPECT_EQ(SetupForKind(kind, false).caption, caption) << kind;
    for (int depth : {1, 4, 8, 16, 24}) EXPECT_EQ(SetupForKind(depth, true).caption, "Convert Multiple Files");
}

TEST(ExplorerDialogSetup, SavingKindsSaveInAFolderWithTheirDepthsFormats) {
    for (bool convert : {false, true}) {
        for (int kind : {0, 1, 4, 8, 16, 24}) {
            const DialogSetup s = SetupForKind(kind, convert);
            const std::string name = std::to_string(kind) + (convert ? " convert" : "");
            EXPECT_TRUE(s.saveInLabel) << name;
            EXPECT_FALSE(s.markUnmarkVisible) << name;
            EXPECT_FALSE(s.multiSelect) << name;
            EXPECT_EQ(s.formatList, kind != 0) << name;
            // Only the convert dialog trades the name field for the depth box, and lists its input.
            EXPECT_EQ(s.nameField == NameFieldMode::HiddenForDepthBox, convert) << name;
            EXPECT_EQ(s.pixelsLabel, convert) << name;
            EXPECT_EQ(s.listInputVisible, convert) << name;
            EXPECT_EQ(HelpContextFor(kind), 101) << name;
        }
    }
    // A slideshow is saved as AVL only.
    EXPECT_TRUE(SetupForKind(0, false).fileTypeFixed);
    EXPECT_EQ(SetupForKind(0, false).fileTypePosition, 5);
    EXPECT_FALSE(SetupForKind(24, false).fileTypeFixed);
    EXPECT_EQ(SetupForKind(24, false).fileTypePosition, -1);
}

TEST(ExplorerDialogSetup, OpeningKindsPickFiles) {
    for (int kind : {252, 253, 254}) {
        const DialogSetup s = SetupForKind(kind, false);
        EXPECT_FALSE(s.saveInLabel) << kind;
        EXPECT_FALSE(s.formatList) << kind;
        EXPECT_FALSE(s.listInputVisible) << kind;
        EXPECT_EQ(HelpContextFor(kind), 100) << kind;
        // Only "Add Multiple Slides" takes several files, and so marks them and keeps its name
        // field read-only.
        EXPECT_EQ(s.multiSelect, kind == 253) << kind;
        EXPECT_EQ(s.markUnmarkVisible, kind == 253) << kind;
        EXPECT_EQ(s.nameField == NameFieldMode::ReadOnly, kind == 253) << kind;
    }
    // Slides are any validated picture; a slideshow is an AVL file.
    EXPECT_EQ(SetupForKind(252, false).fileTypePosition, 1);
    EXPECT_EQ(SetupForKind(253, false).fileTypePosition, 1);
    EXPECT_EQ(SetupForKind(254, false).fileTypePosition, 5);
    EXPECT_TRUE(SetupForKind(254, false).fileTypeFixed);
    EXPECT_FALSE(SetupForKind(252, false).fileTypeFixed);
    EXPECT_EQ(HelpContextFor(kModelessKind), 100);
}

TEST(ExplorerDialogSetup, KindPredicatesAtTheirBoundaries) {
    const struct {
        int kind;
        bool open, jpeg, fixed;
    } cases[] = {{0, false, false, true},   {1, false, true, false},   {24, false, true, false},
                 {199, false, true, false}, {200, true, false, false}, {253, true, false, false},
                 {254, true, false, true},  {999, true, false, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsOpenKind(c.kind), c.open) << c.kind;
        EXPECT_EQ(OffersJpegButton(c.kind), c.jpeg) << c.kind;
        EXPECT_EQ(FixesSlideshowType(c.kind), c.fixed) << c.kind;
        // Saving dialogs start in SavePath and record nothing in LastDir; the others the reverse.
        EXPECT_EQ(StartsInSavePath(true, c.kind), !c.open) << c.kind;
        EXPECT_EQ(RecordsLastDir(true, c.kind), c.open) << c.kind;
        EXPECT_FALSE(StartsInSavePath(false, c.kind)) << c.kind;
        EXPECT_TRUE(RecordsLastDir(false, c.kind)) << c.kind;
    }
}

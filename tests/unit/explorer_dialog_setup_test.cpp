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

TEST(ExplorerDialogSetup, EachKindDressesTheWindow) {
    const struct {
        int kind;
        bool convert;
        const char* caption;
        NameFieldMode nameField;
        bool multi, markUnmark, listInput, saveIn, formats, fixed;
        int position;
        int help;
    } cases[] = {
        {0, false, "Save File", NameFieldMode::Editable, false, false, false, true, false, true, 5, 101},
        {24, false, "Save File", NameFieldMode::Editable, false, false, false, true, true, false, -1, 101},
        {1, false, "Save File", NameFieldMode::Editable, false, false, false, true, true, false, -1, 101},
        {4, true, "Convert Multiple Files", NameFieldMode::HiddenForDepthBox, false, false, true, true, true, false, -1,
         101},
        {252, false, "Replace Slide", NameFieldMode::Editable, false, false, false, false, false, false, 1, 100},
        {253, false, "Add Multiple Slides", NameFieldMode::ReadOnly, true, true, false, false, false, false, 1, 100},
        {254, false, "Open Slideshow", NameFieldMode::Editable, false, false, false, false, false, true, 5, 100},
    };
    for (const auto& c : cases) {
        const DialogSetup s = SetupForKind(c.kind, c.convert);
        EXPECT_EQ(s.caption, c.caption) << c.kind;
        EXPECT_EQ(s.nameField, c.nameField) << c.kind;
        EXPECT_EQ(s.multiSelect, c.multi) << c.kind;
        EXPECT_EQ(s.markUnmarkVisible, c.markUnmark) << c.kind;
        EXPECT_EQ(s.listInputVisible, c.listInput) << c.kind;
        EXPECT_EQ(s.saveInLabel, c.saveIn) << c.kind;
        EXPECT_EQ(s.formatList, c.formats) << c.kind;
        EXPECT_EQ(s.fileTypeFixed, c.fixed) << c.kind;
        EXPECT_EQ(s.fileTypePosition, c.position) << c.kind;
        EXPECT_EQ(s.pixelsLabel, c.convert) << c.kind;
        EXPECT_EQ(HelpContextFor(c.kind), c.help) << c.kind;
    }
    EXPECT_EQ(HelpContextFor(kModelessKind), 100);
    EXPECT_FALSE(SetupForKind(0, true).formatList);  // convert mode without a depth has no list
}

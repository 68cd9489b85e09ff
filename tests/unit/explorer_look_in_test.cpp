#include <gtest/gtest.h>

#include "explorer/look_in.h"

using namespace morvel;
using namespace morvel::explorer_rules;

namespace {
std::vector<DriveInfo> Drives() {
    return {{'a', DriveType::Removable, ""},
            {'c', DriveType::Fixed, "SYSTEM"},
            {'d', DriveType::CdRom, "Photos 98"},
            {'x', DriveType::Remote, "\\\\Server\\Share"}};
}

std::vector<std::string> Texts(const LookInModel& m) {
    std::vector<std::string> t;
    for (const auto& e : m.entries) t.push_back(e.text);
    return t;
}
}  // namespace

TEST(ExplorerLookIn, DriveEntryTexts) {
    const auto drives = Drives();
    EXPECT_EQ(DriveEntryText(drives[0]), "a:");
    EXPECT_EQ(DriveEntryText(drives[1]), "c: [system]");
    EXPECT_EQ(DriveEntryText(drives[2]), "d: [photos 98]");
    EXPECT_EQ(DriveEntryText(drives[3]), "x: \\\\server\\share");
    EXPECT_EQ(DriveEntryText({'E', DriveType::RamDisk, "Scratch"}), "e: [scratch]");
    EXPECT_EQ(DriveEntryText({'f', DriveType::Fixed, ""}), "f:");
    EXPECT_EQ(DriveEntryText({'y', DriveType::Remote, ""}), "y:");
}

TEST(ExplorerLookIn, RootSelectsTheDrive) {
    const LookInModel m = BuildLookIn(Drives(), "c:\\");
    EXPECT_EQ(Texts(m), (std::vector<std::string>{"a:", "c: [system]", "d: [photos 98]", "x: \\\\server\\share"}));
    EXPECT_EQ(m.selected, 1);
}

TEST(ExplorerLookIn, ChainUnderTheCurrentDrive) {
    const LookInModel m = BuildLookIn(Drives(), "c:\\My Pictures\\Trip 2024");
    EXPECT_EQ(Texts(m), (std::vector<std::string>{"a:", "c: [system]", " \\My Pictures", "  \\Trip 2024",
                                                  "d: [photos 98]", "x: \\\\server\\share"}));
    EXPECT_EQ(m.selected, 3);
    EXPECT_FALSE(m.entries[2].current);
    EXPECT_TRUE(m.entries[3].current);
    EXPECT_TRUE(m.entries[1].drive);
    EXPECT_FALSE(m.entries[2].drive);
}

TEST(ExplorerLookIn, EveryEntryLeadsWhereItSays) {
    const LookInModel m = BuildLookIn(Drives(), "c:\\My Pictures\\Trip 2024\\Day 1");
    const auto texts = Texts(m);
    const struct {
        int index;
        bool drive;
        char letter;
        const char* path;
    } cases[] = {
        {0, true, 'a', ""},
        {1, true, 'c', ""},
        {2, false, 'c', "c:\\My Pictures"},
        {3, false, 'c', "c:\\My Pictures\\Trip 2024"},
        {4, false, 'c', "c:\\My Pictures\\Trip 2024\\Day 1"},
        {5, true, 'd', ""},
        {6, true, 'x', ""},
    };
    for (const auto& c : cases) {
        const LookInChoice choice = ChoiceAt(texts, c.index);
        EXPECT_EQ(choice.drive, c.drive) << texts[c.index];
        if (c.drive)
            EXPECT_EQ(choice.letter, c.letter) << texts[c.index];
        else
            EXPECT_EQ(choice.path, c.path) << texts[c.index];
    }
}

TEST(ExplorerLookIn, CurrentDriveMissingFromTheList) {
    const LookInModel m = BuildLookIn({{'c', DriveType::Fixed, ""}}, "z:\\deep");
    EXPECT_EQ(Texts(m), (std::vector<std::string>{" \\deep", "c:"}));
    EXPECT_EQ(m.selected, 0);
    EXPECT_FALSE(ChoiceAt(Texts(m), 7).drive);
    EXPECT_TRUE(ChoiceAt(Texts(m), 7).path.empty());
}

#include <gtest/gtest.h>

#include <deque>

#include "explorer/rename_rules.h"
#include "unit/support/fake_file_system.h"

using namespace morvel;
using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

namespace {
// Plays the user's part: the names typed into each dialog (nothing = Cancel) and the answers to
// each extension question, and records everything shown.
struct ScriptedUi : RenameUi {
    std::string nameField;
    std::deque<std::optional<std::string>> typed;
    std::deque<bool> answers;

    std::vector<std::pair<std::string, std::string>> dialogs;  // folder, old name as shown
    std::vector<std::pair<BoxKind, std::string>> boxes;
    std::vector<std::string> questions;

    std::string NameField() override { return nameField; }
    std::u16string StoredName(const std::string&) override { return {}; }
    std::optional<std::string> AskNewName(const std::string& folder, const std::string& oldName) override {
        dialogs.emplace_back(folder, oldName);
        if (typed.empty()) return std::nullopt;
        auto next = typed.front();
        typed.pop_front();
        return next;
    }
    void Show(BoxKind kind, const std::string& text) override { boxes.emplace_back(kind, text); }
    bool Confirm(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

FakeFileSystem Disk() {
    FakeFileSystem fs;
    fs.AddFile("c:\\Pics\\holiday.bmp");
    fs.AddFile("c:\\Pics\\taken.bmp");
    fs.AddFolder("c:\\Pics\\Sub");
    return fs;
}
}  // namespace

TEST(ExplorerRenameRules, SourceOfTheNameField) {
    const RenameSource a = RenameSourceOf("holiday.bmp", "c:\\Pics");
    EXPECT_EQ(a.folder, "c:\\Pics\\");
    EXPECT_EQ(a.oldName, "holiday.bmp");
    EXPECT_EQ(a.oldExt, ".bmp");
    const RenameSource b = RenameSourceOf("d:\\x.y\\noext", "c:\\");
    EXPECT_EQ(b.folder, "c:\\");
    EXPECT_EQ(b.oldName, "noext");
    EXPECT_EQ(b.oldExt, "");
}

TEST(ExplorerRenameRules, MessagesAsTheUserSeesThem) {
    EXPECT_EQ(msg::FilenameExists("c:\\a.bmp"), "Filename exists.\nc:\\a.bmp");
    EXPECT_EQ(msg::DifferentExtension(".bmp", ".BMP"),
              "Different FILE extension.\nOld Type:.bmp\nNew Type:.BMP\nContinue ?");
    EXPECT_EQ(msg::CouldNotRename("c:\\d\\", "a.bmp", "c:\\d\\b.bmp"),
              "Could not rename\nc:\\d\\a.bmp\nto\nc:\\d\\b.bmp");
}

TEST(ExplorerRenameRules, RenamesOnDiskAfterOk) {
    FakeFileSystem fs = Disk();
    ScriptedUi ui;
    ui.nameField = "holiday.bmp";
    ui.typed = {"summer.bmp"};
    EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Renamed);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], (std::pair<std::string, std::string>{"c:\\Pics\\", "holiday.bmp"}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(ui.questions.empty());  // same extension: no question
    EXPECT_TRUE(fs.FileExists("c:\\Pics\\summer.bmp"));
    EXPECT_FALSE(fs.FileExists("c:\\Pics\\holiday.bmp"));
    EXPECT_EQ(fs.FindFirstName("c:\\Pics\\SUMMER.BMP"), "summer.bmp");
}

TEST(ExplorerRenameRules, EmptyNameFieldAndCancel) {
    FakeFileSystem fs = Disk();
    ScriptedUi ui;
    ui.nameField = "";
    EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::NoFileSelected);
    EXPECT_TRUE(ui.dialogs.empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0], (std::pair<BoxKind, std::string>{BoxKind::Warning, "No file selected!"}));

    // A name field holding only a folder has no name either.
    ScriptedUi folderOnly;
    folderOnly.nameField = "c:\\Pics\\";
    EXPECT_EQ(RunRename("c:\\Pics", folderOnly, fs), RenameResult::NoFileSelected);

    ScriptedUi cancel;
    cancel.nameField = "holiday.bmp";
    EXPECT_EQ(RunRename("c:\\Pics", cancel, fs), RenameResult::Cancelled);
    EXPECT_EQ(cancel.dialogs.size(), 1u);
    EXPECT_TRUE(cancel.boxes.empty());
    EXPECT_TRUE(fs.FileExists("c:\\Pics\\holiday.bmp"));
}

TEST(ExplorerRenameRules, TakenNamesWarnAndReopenOnTheOldName) {
    for (const char* newName : {"taken.bmp", "holiday.bmp", "HOLIDAY.bmp", "Taken.BMP"}) {
        FakeFileSystem fs = Disk();
        ScriptedUi ui;
        ui.nameField = "holiday.bmp";
        ui.typed = {newName};  // then Cancel
        ui.answers = {true};
        EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Cancelled) << newName;
        ASSERT_EQ(ui.dialogs.size(), 2u) << newName;
        EXPECT_EQ(ui.dialogs[1].second, "holiday.bmp") << newName;
        ASSERT_EQ(ui.boxes.size(), 1u) << newName;
        EXPECT_EQ(ui.boxes[0].first, BoxKind::Warning);
        EXPECT_EQ(ui.boxes[0].second, "Filename exists.\nc:\\Pics\\" + std::string(newName));
        EXPECT_TRUE(ui.questions.empty()) << newName;
        EXPECT_TRUE(fs.FileExists("c:\\Pics\\holiday.bmp") && fs.FileExists("c:\\Pics\\taken.bmp")) << newName;
    }
}

TEST(ExplorerRenameRules, ExtensionQuestionIsCaseSensitive) {
    const struct {
        const char* newName;
        const char* question;  // nullptr: none asked
    } cases[] = {
        {"summer.BMP", "Different FILE extension.\nOld Type:.bmp\nNew Type:.BMP\nContinue ?"},
        {"summer.bmp", nullptr},
        {"noext", "Different FILE extension.\nOld Type:.bmp\nNew Type:\nContinue ?"},
        {"holiday.bmp.jpg", "Different FILE extension.\nOld Type:.bmp\nNew Type:.jpg\nContinue ?"},
    };
    for (const auto& c : cases) {
        FakeFileSystem fs = Disk();
        ScriptedUi ui;
        ui.nameField = "holiday.bmp";
        ui.typed = {c.newName};
        ui.answers = {true};
        EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Renamed) << c.newName;
        if (c.question) {
            ASSERT_EQ(ui.questions.size(), 1u) << c.newName;
            EXPECT_EQ(ui.questions[0], c.question);
        } else {
            EXPECT_TRUE(ui.questions.empty()) << c.newName;
        }
        EXPECT_EQ(fs.FindFirstName(std::string("c:\\Pics\\") + c.newName), c.newName);
    }
}

TEST(ExplorerRenameRules, RefusedQuestionReopensWithTheOldName) {
    FakeFileSystem fs = Disk();
    ScriptedUi ui;
    ui.nameField = "holiday.bmp";
    ui.typed = {"holiday.jpg", "holiday2.bmp"};
    ui.answers = {false};
    EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Renamed);
    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs[1].second, "holiday.bmp");
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_FALSE(fs.FileExists("c:\\Pics\\holiday.jpg"));
    EXPECT_TRUE(fs.FileExists("c:\\Pics\\holiday2.bmp"));
}

TEST(ExplorerRenameRules, NamesTheSystemWouldMisreadAreRefusedBeforeAnyCheck) {
    for (const char* newName :
         {"*.bmp", "a?.bmp", "sub/x.bmp", "Sub\\x.bmp", "c:x.bmp", "a|b.bmp", "a\"b.bmp", "a<b.bmp", "", "..", " . ",
          "CON", "con.bmp", "Nul.txt", "com1.bmp", "LPT9", "aux .bmp", "a\tb.bmp"}) {
        FakeFileSystem fs = Disk();
        ScriptedUi ui;
        ui.nameField = "holiday.bmp";
        ui.typed = {newName};
        EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Cancelled) << '"' << newName << '"';
        EXPECT_EQ(ui.dialogs.size(), 2u) << newName;
        ASSERT_EQ(ui.boxes.size(), 1u) << newName;
        EXPECT_EQ(ui.boxes[0],
                  (std::pair<BoxKind, std::string>{BoxKind::Warning, "Invalid filename.\nPlease reenter."}))
            << newName;
        EXPECT_TRUE(ui.questions.empty()) << newName;
        EXPECT_TRUE(fs.FileExists("c:\\Pics\\holiday.bmp")) << newName;
        EXPECT_FALSE(fs.FileExists("c:\\Pics\\Sub\\x.bmp")) << newName;
    }
    // Names that only look like devices are fine.
    for (const char* name : {"console.bmp", "com10.bmp", "com0.bmp", "nully.bmp", "lpt.bmp"}) {
        EXPECT_FALSE(IsDeviceName(name)) << name;
        EXPECT_FALSE(NewNameProblem(name, "c:\\Pics\\")) << name;
    }
}

TEST(ExplorerRenameRules, PathBeyondTheAnsiLimit) {
    const std::string folder = "c:\\" + std::string(200, 'f');
    FakeFileSystem fs;
    fs.AddFile(folder + "\\a.bmp");
    const std::string fits(259 - (folder.size() + 1), 'n');
    EXPECT_FALSE(NewNameProblem(fits, folder + "\\"));
    const std::string tooLong = fits + "x";
    ScriptedUi ui;
    ui.nameField = "a.bmp";
    ui.typed = {tooLong};
    EXPECT_EQ(RunRename(folder, ui, fs), RenameResult::Cancelled);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].second, "Path too long:\n" + folder + "\\" + tooLong);
    EXPECT_TRUE(fs.FileExists(folder + "\\a.bmp"));
}

TEST(ExplorerRenameRules, SystemRefusalReportsAndLeavesTheFiles) {
    // The file vanished after it was listed.
    {
        FakeFileSystem fs = Disk();
        ScriptedUi ui;
        ui.nameField = "gone.bmp";
        ui.typed = {"new.bmp"};
        EXPECT_EQ(RunRename("c:\\Pics\\", ui, fs), RenameResult::Failed);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0], (std::pair<BoxKind, std::string>{
                                   BoxKind::Error, "Could not rename\nc:\\Pics\\gone.bmp\nto\nc:\\Pics\\new.bmp"}));
        EXPECT_FALSE(fs.FileExists("c:\\Pics\\new.bmp"));
        EXPECT_EQ(ui.dialogs.size(), 1u);  // no second round after a refusal
    }
    // A name the system refuses for its own reasons.
    {
        FakeFileSystem fs = Disk();
        fs.DenyMoveTo("c:\\Pics\\locked.bmp");
        ScriptedUi ui;
        ui.nameField = "holiday.bmp";
        ui.typed = {"locked.bmp"};
        EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Failed);
        EXPECT_TRUE(fs.FileExists("c:\\Pics\\holiday.bmp"));
        EXPECT_EQ(ui.boxes.at(0).first, BoxKind::Error);
    }
    // A folder of the new name is not a file: no "exists" warning, and the system refuses.
    {
        FakeFileSystem fs = Disk();
        ScriptedUi ui;
        ui.nameField = "holiday.bmp";
        ui.typed = {"Sub"};
        ui.answers = {true};
        EXPECT_EQ(RunRename("c:\\Pics", ui, fs), RenameResult::Failed);
        EXPECT_TRUE(fs.FileExists("c:\\Pics\\holiday.bmp"));
        EXPECT_TRUE(fs.FolderExists("c:\\Pics\\Sub"));
    }
}

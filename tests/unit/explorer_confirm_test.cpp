#include <gtest/gtest.h>

#include <algorithm>

#include "explorer/confirm.h"
#include "explorer/listing.h"
#include "unit/support/fake_file_system.h"

using namespace morvel;
using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

namespace {

// A window as the confirm step sees it, recording what it was asked to do.
struct FakeView : ConfirmView {
    std::string name;
    std::string folder = "c:\\Pics";
    std::vector<std::string> entries;
    int current = -1;
    std::vector<int> marked;
    std::optional<std::string> typeLabel;
    bool answer = true;  // Yes to every question
    bool writeBackResult = true;
    int listed = 0;            // what ListMultipleFiles returns
    bool unreachable = false;  // the name field holds a listed file that no ANSI name reaches

    std::vector<std::string> log;  // questions, messages and actions in order

    std::string NameField() const override { return name; }
    void SetNameField(const std::string& text) override { name = text; }
    std::string Folder() const override { return folder; }
    int EntryCount() const override { return static_cast<int>(entries.size()); }
    int CurrentEntry() const override { return current; }
    std::string EntryText(int i) const override { return entries.at(static_cast<std::size_t>(i)); }
    int SelectedCount() const override { return static_cast<int>(marked.size()); }
    bool EntryMarked(int i) const override { return std::find(marked.begin(), marked.end(), i) != marked.end(); }
    std::optional<std::string> SelectedTypeLabel() const override { return typeLabel; }
    bool Ask(BoxKind, const std::string& text) override {
        log.push_back("ask:" + text);
        return answer;
    }
    void Tell(BoxKind kind, const std::string& text) override {
        log.push_back(std::string(kind == BoxKind::Error ? "error:" : "warning:") + text);
    }
    bool NameFieldUnreachable() const override { return unreachable; }
    bool WriteBack() override {
        log.push_back("writeback:" + name);
        return writeBackResult;
    }
    bool WriteBackEntry(int index) override {
        log.push_back("writeback entry:" + EntryText(index));
        return writeBackResult;
    }
    int ListMultipleFiles() override {
        log.push_back("list");
        return listed;
    }
    void OpenFolderEntry(int index) override { log.push_back("open:" + EntryText(index)); }
    void Notify(int code) override { log.push_back("notify:" + std::to_string(code)); }
};

FakeFileSystem Disk() {
    FakeFileSystem fs;
    fs.AddFile("c:\\Pics\\photo.BMP");
    fs.AddFile("c:\\Pics\\show.avl");
    fs.AddFolder("c:\\Pics\\sub");
    return fs;
}

using Log = std::vector<std::string>;

}  // namespace

TEST(ExplorerConfirm, SaveDialog) {
    const FakeFileSystem fs = Disk();
    const struct {
        const char* name;
        std::string typed;
        bool answer;
        bool writeBack;
        ConfirmOutcome outcome;
        std::string finalName;
        Log log;
    } cases[] = {
        {"bare name gets the extension",
         "fresh",
         true,
         true,
         ConfirmOutcome::CloseWithOk,
         "fresh.BMP",
         {"writeback:fresh.BMP"}},
        {"other extension accepted",
         "photo.jpg",
         true,
         true,
         ConfirmOutcome::CloseWithOk,
         "photo.jpg",
         {"ask:Extension (file type) different. \n.BMP expected instead of .JPG\nContinue?", "writeback:photo.jpg"}},
        {"other extension refused keeps the typed name",
         "photo.jpg",
         false,
         true,
         ConfirmOutcome::StayOpen,
         "photo.jpg",
         {"ask:Extension (file type) different. \n.BMP expected instead of .JPG\nContinue?"}},
        {"existing file overwritten",
         "photo",
         true,
         true,
         ConfirmOutcome::CloseWithOk,
         "photo.BMP",
         {"ask:photo.BMP\nin use.  Overwrite?", "writeback:photo.BMP"}},
        {"existing file kept",
         "photo",
         false,
         true,
         ConfirmOutcome::StayOpen,
         "photo.BMP",
         {"ask:photo.BMP\nin use.  Overwrite?"}},
        {"bad name",
         "photo.jpeg",
         true,
         true,
         ConfirmOutcome::StayOpen,
         "photo.jpeg",
         {"ask:Extension (file type) different. \n.BMP expected instead of .JPEG\nContinue?",
          "error:Invalid filename.\nPlease reenter."}},
        {"missing folder",
         "c:\\nowhere\\x.bmp",
         true,
         true,
         ConfirmOutcome::StayOpen,
         "c:\\nowhere\\x.bmp",
         {"error:Invalid path.\nPlease reenter."}},
        {"probe refused", "fresh.bmp", true, false, ConfirmOutcome::StayOpen, "fresh.bmp", {"writeback:fresh.bmp"}},
    };
    for (const auto& c : cases) {
        FakeView v;
        v.name = c.typed;
        v.typeLabel = "BMP Windows BitMaP";
        v.answer = c.answer;
        v.writeBackResult = c.writeBack;
        v.entries = {"sub\\", "photo.bmp"};
        v.current = 1;
        EXPECT_EQ(Confirm(v, fs, {true, 24, false}), c.outcome) << c.name;
        EXPECT_EQ(v.name, c.finalName) << c.name;
        EXPECT_EQ(v.log, c.log) << c.name;
    }
}

TEST(ExplorerConfirm, SaveDialogWithEmptyNameOpensHighlightedFolder) {
    const FakeFileSystem fs = Disk();
    FakeView v;
    v.typeLabel = "AVL (AV List Slideshow)";
    v.entries = {"sub\\"};
    v.current = 0;
    EXPECT_EQ(Confirm(v, fs, {true, 0, false}), ConfirmOutcome::StayOpen);
    EXPECT_EQ(v.log, (Log{"open:sub\\"}));
    FakeView onFile;
    onFile.entries = {"photo.bmp"};
    onFile.current = 0;
    EXPECT_EQ(Confirm(onFile, fs, {true, 0, false}), ConfirmOutcome::StayOpen);
    EXPECT_TRUE(onFile.log.empty());
}

TEST(ExplorerConfirm, ConvertReportsTheFolder) {
    const FakeFileSystem fs = Disk();
    FakeView empty;  // empty folder: the placeholder lets it be chosen
    empty.folder = "c:\\Pics\\sub";
    empty.typeLabel = "BMP Windows BitMaP";
    EXPECT_EQ(Confirm(empty, fs, {true, 24, true}), ConfirmOutcome::CloseWithOk);
    EXPECT_EQ(empty.log, (Log{"writeback:c:\\Pics\\sub\\~(_)(_)~.BMP"}));

    FakeView onlyFolders;  // nothing typed, a subfolder highlighted: it opens
    onlyFolders.typeLabel = "BMP Windows BitMaP";
    onlyFolders.entries = {"sub\\"};
    onlyFolders.current = 0;
    EXPECT_EQ(Confirm(onlyFolders, fs, {true, 24, true}), ConfirmOutcome::StayOpen);
    EXPECT_EQ(onlyFolders.log, (Log{"open:sub\\"}));
}

TEST(ExplorerConfirm, OpenDialogs) {
    const FakeFileSystem fs = Disk();
    const struct {
        const char* name;
        int kind;
        std::string typed;
        ConfirmOutcome outcome;
        Log log;
    } cases[] = {
        {"slideshow typed without extension", 254, "show", ConfirmOutcome::CloseWithOk, {"writeback:show.AVL"}},
        {"slideshow missing", 254, "other", ConfirmOutcome::StayOpen, {"error:File not found."}},
        {"slideshow with a bad name",
         254,
         ".avl",
         ConfirmOutcome::StayOpen,
         {"error:Invalid filename.\nPlease reenter."}},
        {"replace slide takes any existing file",
         252,
         "photo.bmp",
         ConfirmOutcome::CloseWithOk,
         {"writeback:photo.bmp"}},
        {"replace slide: no extension added", 252, "photo", ConfirmOutcome::StayOpen, {"error:File not found."}},
        {"replace slide: folder is no file", 252, "sub", ConfirmOutcome::StayOpen, {"error:File not found."}},
        {"replace slide: full path",
         252,
         "c:\\Pics\\show.avl",
         ConfirmOutcome::CloseWithOk,
         {"writeback:c:\\Pics\\show.avl"}},
    };
    for (const auto& c : cases) {
        FakeView v;
        v.name = c.typed;
        v.typeLabel = "AVL (AV List Slideshow)";
        EXPECT_EQ(Confirm(v, fs, {true, c.kind, false}), c.outcome) << c.name;
        EXPECT_EQ(v.log, c.log) << c.name;
    }
}

TEST(ExplorerConfirm, AddMultipleSlides) {
    const FakeFileSystem fs = Disk();
    FakeView listed;
    listed.listed = 2;
    EXPECT_EQ(Confirm(listed, fs, {true, 253, false}), ConfirmOutcome::CloseWithOk);
    EXPECT_EQ(listed.log, (Log{"list"}));

    FakeView nothing;
    nothing.entries = {"sub\\", "a.bmp"};
    nothing.current = 0;
    EXPECT_EQ(Confirm(nothing, fs, {true, 253, false}), ConfirmOutcome::StayOpen);
    EXPECT_EQ(nothing.log, (Log{"list", "open:sub\\"}));

    nothing.log.clear();
    nothing.listed = -1;  // refused, the user told why: the folder is not opened
    EXPECT_EQ(Confirm(nothing, fs, {true, 253, false}), ConfirmOutcome::StayOpen);
    EXPECT_EQ(nothing.log, (Log{"list"}));
}

TEST(ExplorerConfirm, FileThatNoAnsiNameReachesIsRefusedBeforeTheNameCheck) {
    FakeView v;
    v.name = "??.bmp";
    v.unreachable = true;
    EXPECT_EQ(Confirm(v, Disk(), {true, 254, false}), ConfirmOutcome::StayOpen);
    EXPECT_EQ(v.log, (Log{"error:The name of this file cannot be passed on.\nPlease rename it."}));
}

TEST(ExplorerConfirm, ModelessSelection) {
    const FakeFileSystem fs = Disk();
    const std::vector<std::string> withFolders = {"sub\\", "two\\", "a.bmp", "b.bmp"};
    const struct {
        const char* name;
        std::vector<std::string> entries;
        int current;
        std::vector<int> marked;
        int listed;
        bool writeBack;
        Log log;
    } cases[] = {
        {"one file opens", {"a.bmp", "b.bmp"}, 0, {0}, 0, true, {"writeback:a.bmp", "notify:2313"}},
        {"three files listed", {"a.bmp", "b.bmp", "c.bmp"}, 2, {0, 1, 2}, 3, true, {"list", "notify:2320"}},
        {"marked current folder is entered", withFolders, 0, {0, 2, 3}, 2, true, {"open:sub\\"}},
        {"no file marked: the folder is entered", withFolders, 0, {1}, 0, true, {"open:sub\\"}},
        {"one marked file beside an unmarked folder", withFolders, 0, {1, 3}, 0, true,
         {"writeback entry:b.bmp", "notify:2313"}},
        {"its write-back refused: nothing told", withFolders, 0, {3}, 0, false, {"writeback entry:b.bmp"}},
        {"marked files beside an unmarked folder", withFolders, 0, {2, 3}, 2, true, {"list", "notify:2320"}},
        {"nothing listable", {"a.bmp", "b.bmp"}, 1, {}, 0, true, {"list", "warning:No files selected!"}},
        {"list refused: the user was told why", {"a.bmp", "b.bmp"}, 1, {0, 1}, -1, true, {"list"}},
        {"no current entry", {"a.bmp"}, -1, {0}, 1, true, {}},
        {"empty list", {}, 0, {}, 0, true, {}},
    };
    for (const auto& c : cases) {
        FakeView v;
        v.entries = c.entries;
        v.current = c.current;
        v.marked = c.marked;
        v.listed = c.listed;
        v.writeBackResult = c.writeBack;
        if (c.current >= 0 && c.current < static_cast<int>(c.entries.size())) v.name = c.entries[c.current];
        EXPECT_EQ(Confirm(v, fs, {false, 999, false}), ConfirmOutcome::StayOpen) << c.name;
        EXPECT_EQ(v.log, c.log) << c.name;
    }
    // A dialog enters the folder whatever is marked.
    FakeView v;
    v.entries = withFolders;
    v.current = 0;
    v.marked = {2, 3};
    EXPECT_EQ(Confirm(v, fs, {true, MORVEL_KIND_OPEN_SLIDESHOW, false}), ConfirmOutcome::StayOpen);
    EXPECT_EQ(v.log, Log{"open:sub\\"});
}

// Finding moved slide files in a folder tree, and files dropped from the shell.
#include <gtest/gtest.h>

#include "editor/missing_files.h"
#include "editor/slide_drop.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

using testing::FakeFileSystem;

// A disk the slideshow's files were copied to: short names made afresh there.
FakeFileSystem MovedFiles() {
    FakeFileSystem fs;
    const std::pair<const char*, const char*> files[] = {
        {"d:\\new\\a\\Holiday 1.bmp", "d:\\new\\a\\HOLIDA~1.BMP"},
        {"d:\\new\\b\\Holiday 2.bmp", "d:\\new\\b\\HOLIDA~2.BMP"},
        {"d:\\new\\Unique trip.avi", "d:\\new\\UNIQUE~7.AVI"},
        {"d:\\new\\Sunset beach.jpg", "d:\\new\\SUNSET~3.JPG"},
        {"d:\\new\\x\\y\\pic.bmp", ""},
        {"d:\\new\\z\\PIC.BMP", ""},
        {"d:\\new\\b\\same.pcx", ""},
        {"d:\\new\\a\\same.pcx", ""},
        {"d:\\new\\Long folder\\Inside it.wav", "d:\\new\\LONGFO~1\\INSIDE~1.WAV"},
    };
    for (const auto& [path, shortPath] : files) {
        fs.AddFile(path);
        if (*shortPath) fs.SetShortName(path, shortPath);
    }
    fs.SetShortName("d:\\new\\Long folder", "d:\\new\\LONGFO~1");
    return fs;
}

TEST(EditorMissingFiles, MatchingRules) {
    const struct {
        const char* stored;
        const char* path;  // "" when nothing is to be found
        const char* name;
    } cases[] = {
        {"c:\\old\\holida~1.bmp", "d:\\new\\a\\holida~1.bmp", "Holiday 1.bmp"},         // short name
        {"c:\\old\\HOLIDAY 2.BMP", "d:\\new\\b\\holida~2.bmp", "Holiday 2.bmp"},        // long name, case ignored
        {"c:\\old\\unique~1.avi", "d:\\new\\unique~7.avi", "Unique trip.avi"},          // "~": one file begins so
        {"c:\\old\\holida~9.bmp", "", ""},                                              // "~": two files begin so
        {"c:\\old\\sunset~1.png", "", ""},                                              // "~": other extension
        {"c:\\old\\uniquetr~1.avi", "", ""},                                            // longer than 8.3: no "~" form
        {"c:\\old\\~1.avi", "", ""},                                                    // nothing before "~"
        {"c:\\old\\pic.bmp", "d:\\new\\z\\pic.bmp", "PIC.BMP"},                         // nearest the root
        {"c:\\old\\same.pcx", "d:\\new\\a\\same.pcx", "same.pcx"},                      // same depth: folder order
        {"c:\\old\\inside~1.wav", "d:\\new\\longfo~1\\inside~1.wav", "Inside it.wav"},  // short folder
        {"c:\\old\\gone.bmp", "", ""},
        {"c:\\old\\", "", ""},
    };
    std::vector<std::string> stored;
    for (const auto& c : cases) stored.emplace_back(c.stored);
    const auto found = FindFilesByName(stored, MovedFiles(), "d:\\new");
    ASSERT_EQ(found.size(), stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto& c = cases[i];
        ASSERT_EQ(found[i].has_value(), *c.path != '\0') << c.stored;
        if (found[i]) {
            EXPECT_EQ(found[i]->path, c.path) << c.stored;
            EXPECT_EQ(found[i]->name, c.name) << c.stored;
        }
    }
    // Searched from a subfolder, the "~" rule counts only that tree: one "HOLIDA" there.
    const auto below = FindFilesByName({"c:\\old\\holida~9.bmp"}, MovedFiles(), "d:\\new\\b\\");
    ASSERT_TRUE(below[0].has_value());
    EXPECT_EQ(below[0]->path, "d:\\new\\b\\holida~2.bmp");
}

TEST(EditorMissingFiles, RelinksOnlyPathAndNameOfMissingRows) {
    FakeFileSystem fs = MovedFiles();
    fs.AddFile("c:\\here\\kept.bmp");
    SlideTable table;
    for (const char* file : {"c:\\here\\kept.bmp", "c:\\old\\holida~1.bmp", "c:\\old\\gone.bmp"})
        table.AddFile(file, fs);
    table.PutCdTrack(3, false);
    table.Row(2)[kColWait] = "7";
    const std::vector<int> missing = MissingRows(table, fs);
    EXPECT_EQ(missing, (std::vector<int>{2, 3}));

    Slide expected = table.Row(2);
    expected[kColPath] = "d:\\new\\a\\holida~1.bmp";
    expected[kColName] = "Holiday 1.bmp";
    const SlideTable before = table;
    ApplyRelinks(table, FindMissingFiles(table, missing, fs, "d:\\new"));
    EXPECT_EQ(table.Row(2), expected);
    for (const int row : {1, 3, 4}) EXPECT_EQ(table.Row(row), before.Row(row)) << row;
}

TEST(EditorMissingFiles, MissingRowsOfAFolderManyRowsUse) {
    FakeFileSystem fs;
    SlideTable table;
    for (int i = 0; i < 20; ++i) {
        const std::string file = "c:\\many\\Slide number " + std::to_string(i) + ".bmp";
        fs.AddFile(file);
        fs.SetShortName(file, "c:\\many\\SLIDEN~" + std::to_string(i) + ".BMP");
        table.AddFile(file, fs);  // stored by short name
    }
    for (const char* path : {"c:\\many\\gone.bmp", "c:\\many\\Slide number 3.BMP", "c:\\many\\sub"}) {
        table.AppendRow();
        table.Row(table.RowCount())[kColPath] = path;
    }
    fs.AddFolder("c:\\many\\sub");
    EXPECT_EQ(MissingRows(table, fs), (std::vector<int>{21, 23}));
    const int searches = fs.searches;
    EXPECT_EQ(MissingRows(table, fs).size(), 2u);
    EXPECT_EQ(fs.searches, searches + 1) << "the folder is listed once, not asked per row";
}

TEST(EditorMissingFiles, DropTakesWhatTheAddSlidesDialogLists) {
    FakeFileSystem fs;
    for (const char* file : {"c:\\drop\\b.bmp", "c:\\drop\\A.png", "c:\\drop\\notes.txt", "c:\\drop\\sub\\deep.bmp",
                             "c:\\one\\x.WAV", "c:\\one\\readme.doc", "c:\\one\\Long name.jpeg"}) {
        fs.AddFile(file);
    }
    fs.AddFile("c:\\drop\\sys.bmp", true);
    fs.AddFile("c:\\one\\sys.bmp", true);
    fs.SetShortName("c:\\one\\Long name.jpeg", "c:\\one\\LONGNA~1.JPG");
    const DroppedFiles drop = FilesToAdd({"c:\\one\\x.WAV", "c:\\drop", "c:\\one\\readme.doc", "c:\\gone.bmp",
                                          "c:\\one\\Long name.jpeg", "c:\\one\\sys.bmp", "c:\\one\\?.bmp"},
                                         fs);
    EXPECT_EQ(drop.files, (std::vector<std::string>{"c:\\one\\x.WAV", "c:\\drop\\A.png", "c:\\drop\\b.bmp",
                                                    "c:\\one\\Long name.jpeg"}));
    EXPECT_EQ(drop.leftOut, 4);
}

TEST(EditorMissingFiles, Messages) {
    EXPECT_EQ(NotAddedMessage(3), "3 file(s) were not added: not a slide type.");
    EXPECT_EQ(MissingFoundQuestion(5, 2),
              "5 slide file(s) were not found.\n2 of them are in the slideshow's folder.\nUse those?");
    EXPECT_EQ(MissingNotFoundMessage(5), "5 slide file(s) were not found.");
    EXPECT_EQ(FoundMissingMessage(2, 5), "Found 2 of 5 missing files.");
}

}  // namespace
}  // namespace morvel::editor

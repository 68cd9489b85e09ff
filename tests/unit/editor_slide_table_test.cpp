// The slide table model and its commands.
#include <gtest/gtest.h>

#include "editor/slide_table.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

using testing::FakeFileSystem;
const std::string M(kMark);

TEST(EditorSlideTable, StartsWithThePlaceholder) {
    const SlideTable t;
    ASSERT_EQ(t.RowCount(), 1);
    const Slide& s = t.Row(1);
    EXPECT_EQ(s[kColNumber], "1");
    EXPECT_EQ(s[kColPath], "");
    EXPECT_EQ(s[kColValue], "0");
    EXPECT_EQ(s[kColColour], "");
    EXPECT_EQ(s[kColName], "<right-click me>");
    for (int c = kColBackground; c < kColumnCount; ++c) EXPECT_EQ(s[c], M) << c;
    EXPECT_EQ(t.selectedRow(), 1);
    EXPECT_EQ(t.selectedColumn(), kColName) << "the Filename cell of row 1 is selected at start";
    EXPECT_TRUE(t.NothingToTest());
}

TEST(EditorSlideTable, KindsFromTheWholeExtension) {
    EXPECT_EQ(KindOfFile("c:\\a.wav"), SlideKind::Sound);
    EXPECT_EQ(KindOfFile("c:\\a.MID"), SlideKind::Sound);
    EXPECT_EQ(KindOfFile("c:\\a.mpg"), SlideKind::Avi);
    EXPECT_EQ(KindOfFile("c:\\a.dat"), SlideKind::Avi);
    EXPECT_EQ(KindOfFile("c:\\a.mov"), SlideKind::Mov);
    EXPECT_EQ(KindOfFile("c:\\a.flx"), SlideKind::Fli);
    EXPECT_EQ(KindOfFile("c:\\a.avl"), SlideKind::Avl);
    EXPECT_EQ(KindOfFile("c:\\a.mp"), SlideKind::Graphic) << "compared as a whole here";
    EXPECT_EQ(KindOfFile("c:\\a"), SlideKind::Graphic);
}

TEST(EditorSlideTable, KindSettings) {
    struct Case {
        SlideKind kind;
        std::vector<std::string> cols;  // 5..12, then value, colour
    };
    const Case cases[] = {
        {SlideKind::Graphic, {"Yes", "none", "0", "Mid", "Mid", M, M, M, "0", "0"}},
        {SlideKind::Mov, {"Yes", M, "0", "Mid", "Mid", "100", "50", "100", "0", "0"}},
        {SlideKind::Avi, {"Yes", "Loop 1x", "0", "Mid", "Mid", "100", "100", "100", "0", "0"}},
        {SlideKind::Sound, {M, M, "0", M, M, M, M, M, "1", ""}},
        {SlideKind::Fli, {"Yes", "Loop 1x", "0", M, M, M, M, M, "0", "0"}},
        {SlideKind::Avl, {M, M, M, M, M, M, M, M, M, ""}},
        {SlideKind::CdTrack, {M, M, "0", M, M, M, M, M, "7", ""}},
    };
    for (const Case& c : cases) {
        Slide s;
        SetUpKind(s, c.kind, 7);
        std::vector<std::string> got;
        for (int col = kColBackground; col < kColumnCount; ++col) got.push_back(s[col].str());
        got.push_back(s[kColValue].str());
        got.push_back(s[kColColour].str());
        EXPECT_EQ(got, c.cols) << static_cast<int>(c.kind);
    }
}

TEST(EditorSlideTable, KillOnlySlideLeavesPlaceholder) {
    SlideTable t;
    EXPECT_FALSE(t.KillSelected());
    EXPECT_EQ(t.Row(1), PlaceholderSlide());
}

TEST(EditorSlideTable, AddThreeIntoPlaceholderThenAppend) {
    FakeFileSystem fs;
    fs.AddFile("c:\\p\\Long Name.bmp");
    fs.SetShortName("c:\\p\\Long Name.bmp", "c:\\p\\LONGNA~1.BMP");
    SlideTable t;
    t.AddFile("c:\\p\\LONGNA~1.BMP", fs);
    t.AddFile("c:\\p\\clip.mpg", fs);
    t.AddFile("c:\\p\\clip.mov", fs);
    ASSERT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Row(1)[kColPath], "c:\\p\\longna~1.bmp");
    EXPECT_EQ(t.Row(1)[kColName], "Long Name.bmp");
    EXPECT_EQ(t.Row(2)[kColEffect], "Loop 1x");
    EXPECT_EQ(t.Row(2)[kColVolume], "100");
    EXPECT_EQ(t.Row(3)[kColEffect], M);
    EXPECT_EQ(t.Row(3)[kColVolume], "50");
    EXPECT_EQ(t.Row(3)[kColNumber], "3");
    EXPECT_EQ(t.selectedRow(), 3);
    t.Select(1, kColName);
    t.AddFile("c:\\x.bmp", fs);
    t.AddFile("c:\\y.bmp", fs);
    EXPECT_EQ(t.RowCount(), 5) << "with a real slide selected, files are appended";
    EXPECT_EQ(t.selectedRow(), 5);
}

TEST(EditorSlideTable, ReplacePictureByWave) {
    FakeFileSystem fs;
    SlideTable t;
    t.AddFile("c:\\a.bmp", fs);
    t.PutFile(1, "c:\\b.wav", fs);
    const Slide& s = t.Row(1);
    for (const int c : {kColBackground, kColEffect, kColHPos, kColVPos, kColZoom, kColVolume, kColSpeed}) {
        EXPECT_EQ(s[c], M) << c;
    }
    EXPECT_EQ(s[kColValue], "1");
    EXPECT_EQ(s[kColColour], "");
    EXPECT_EQ(s[kColWait], "0");
}

TEST(EditorSlideTable, CdTrack) {
    SlideTable t;
    FakeFileSystem fs;
    t.AddFile("c:\\a.bmp", fs);
    t.PutCdTrack(7, false);
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Row(2)[kColName], "CD Track: 7");
    EXPECT_EQ(t.Row(2)[kColWait], "0");
    EXPECT_EQ(t.Row(2)[kColPath], M);
    EXPECT_EQ(t.Row(2)[kColValue], "7");
    t.Select(1, kColName);
    t.PutCdTrack(9, true);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Row(1)[kColName], "CD Track: 9");
    EXPECT_FALSE(t.NothingToTest());
}

TEST(EditorSlideTable, KillMiddleAndLast) {
    FakeFileSystem fs;
    SlideTable t;
    for (const char* f : {"c:\\1.bmp", "c:\\2.bmp", "c:\\3.bmp", "c:\\4.bmp"}) t.AddFile(f, fs);
    t.Select(2, kColWait);
    EXPECT_TRUE(t.KillSelected());
    ASSERT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Row(2)[kColName], "3.bmp");
    EXPECT_EQ(t.Row(2)[kColNumber], "2");
    EXPECT_EQ(t.Row(3)[kColNumber], "3");
    t.Select(3, kColWait);
    EXPECT_TRUE(t.KillSelected());
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.selectedRow(), 2);
}

TEST(EditorSlideTable, MoveRowRenumbers) {
    FakeFileSystem fs;
    SlideTable t;
    for (const char* f : {"c:\\1.bmp", "c:\\2.bmp", "c:\\3.bmp", "c:\\4.bmp", "c:\\5.bmp"}) t.AddFile(f, fs);
    t.MoveRow(5, 1);
    EXPECT_EQ(t.Row(1)[kColName], "5.bmp");
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(t.Row(r)[kColNumber], std::to_string(r));
    EXPECT_EQ(t.selectedRow(), 1);
}

TEST(EditorSlideTable, SelectionStaysOffFixedColumns) {
    SlideTable t;
    t.Select(5, 1);
    EXPECT_EQ(t.selectedRow(), 1);
    EXPECT_EQ(t.selectedColumn(), kFirstSelectableColumn);
    t.Select(1, 40);
    EXPECT_EQ(t.selectedColumn(), kColSpeed);
}

}  // namespace
}  // namespace morvel::editor

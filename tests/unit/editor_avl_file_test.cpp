// The AVL slideshow file: writing tables, reading version 4,
// legacy and instant slideshow files, round trips, bad files.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/path_parts.h"
#include "editor/avl_file.h"
#include "support/fake_file_system.h"
#include "test_dir.h"

namespace morvel::editor {
namespace {

using testing::FakeFileSystem;
const std::string M(kMark);

std::string Bytes(const ini::Document& doc) {
    return doc.Serialize();
}

Slide PictureRow(const std::string& path, const std::string& name) {
    Slide s;
    s[kColPath] = path;
    s[kColName] = name;
    SetUpKind(s, SlideKind::Graphic);
    return s;
}

Slide KindRow(const std::string& path, SlideKind kind) {
    Slide s;
    s[kColPath] = path;
    s[kColName] = std::string(path::NamePart(path));
    SetUpKind(s, kind);
    return s;
}

SlideTable TableOf(std::vector<Slide> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i][kColNumber] = std::to_string(i + 1);
    SlideTable t;
    t.Assign(std::move(rows));
    return t;
}

ReadResult ReadText(const std::string& text, const FileSystem& fs) {
    return ReadAvl(ini::Document::Parse(text), fs);
}

// ---- Lists and tables -----------------------------------------------------------------------

TEST(EditorAvlLists, SubstringRule) {
    EXPECT_TRUE(InList(kLoopingList, ".AVI"));
    EXPECT_TRUE(InList(kVideoList, ".MP")) << "a shortened extension matches";
    EXPECT_FALSE(InList(kMediaList, "")) << "an empty extension never matches";
    EXPECT_FALSE(InList(kMediaList, ".BMP"));
    EXPECT_TRUE(InList(kSoundList, ".MID"));
    EXPECT_EQ(UpperExtension("c:\\a.b\\clip.mpg"), ".MPG");
    EXPECT_EQ(UpperExtension("c:\\a.b\\noext"), "");
}

TEST(EditorAvlLists, LegacyMediaListHasTheSameMembers) {
    for (const char* ext : {".AVI", ".MOV", ".MPG", ".WAV", ".MID", ".FLI", ".FLC", ".FLX", ".DAT", ".AVL"}) {
        EXPECT_TRUE(InList(kMediaList, ext)) << ext;
        EXPECT_TRUE(InList(kLegacyMediaList, ext)) << ext;
    }
}

TEST(EditorAvlLists, EffectTable) {
    EXPECT_EQ(EffectName(0), "none");
    EXPECT_EQ(EffectName(15), "OutToIn");
    EXPECT_EQ(EffectName(19), "Spiral In");
    EXPECT_EQ(EffectName(29), "Random FX");
    EXPECT_EQ(EffectName(30), "");
    EXPECT_EQ(EffectName(-1), "");
}

TEST(EditorAvlLists, SaveAbortedMessageKRule) {
    const struct {
        int k;
        const char* shown;
    } cases[] = {{0, "0"}, {5, "5"}, {10, "10"}, {11, "3"}, {101, "93"}};
    for (const auto& c : cases) {
        EXPECT_EQ(SaveAbortedMessage(c.k),
                  std::string("Save aborted at slide #") + c.shown + "\nToo many slides or features.")
            << "k=" << c.k;
    }
}

// ---- Writing --------------------------------------------------------------------------------

// The placeholder row is no slide: an empty table is a slideshow of no slides.
TEST(EditorAvlWrite, EmptySlideshow) {
    const SlideTable t;
    EXPECT_EQ(Bytes(WriteAvl(t, {800, 600})),
              "[Header]\r\nVer=4\r\nScreenW=800\r\nScreenH=600\r\nN=1\r\n"
              "[Directory]\r\n0=c:\\\r\n");
}

TEST(EditorAvlWrite, PictureWithDefaultsWritesOnlyFBAndX) {
    const SlideTable t = TableOf({PictureRow("c:\\a.bmp", "a.bmp")});
    const ini::Document doc = WriteAvl(t, {640, 480});
    EXPECT_EQ(doc.KeyNames("1"), (std::vector<std::string>{"F", "B", "X"}));
    EXPECT_EQ(doc.Get("1", "F"), "a.bmp,0");
    EXPECT_EQ(doc.Get("1", "B"), "0");
    EXPECT_EQ(doc.Get("1", "X"), "0");
}

TEST(EditorAvlWrite, FolderTableInOrderOfFirstUse) {
    const SlideTable t = TableOf({PictureRow("c:\\pics\\a.bmp", "a"), PictureRow("c:\\pics\\b.bmp", "b"),
                                  PictureRow("c:\\c.bmp", "c"), PictureRow("c:\\pics\\d.bmp", "d")});
    const std::string bytes = Bytes(WriteAvl(t, {640, 480}));
    EXPECT_EQ(bytes.find("[Directory]\r\n0=c:\\\r\n1=c:\\pics\\\r\n[1]"), bytes.find("[Directory]"));
    const ini::Document doc = WriteAvl(t, {640, 480});
    EXPECT_EQ(doc.Get("1", "F"), "a.bmp,1");
    EXPECT_EQ(doc.Get("2", "F"), "b.bmp,1");
    EXPECT_EQ(doc.Get("3", "F"), "c.bmp,0");
    EXPECT_EQ(doc.Get("4", "F"), "d.bmp,1") << "a folder used before keeps its number";
}

TEST(EditorAvlWrite, FolderLookupIgnoresCase) {
    Slide a = PictureRow("C:\\Pics\\a.bmp", "a");
    Slide b = PictureRow("c:\\pics\\b.bmp", "b");
    const ini::Document doc = WriteAvl(TableOf({a, b}), {640, 480});
    EXPECT_EQ(doc.Get("Directory", "1"), "c:\\pics\\");
    EXPECT_EQ(doc.Get("2", "F"), "b.bmp,1");
    EXPECT_FALSE(doc.Get("Directory", "2"));
}

// What a save writes is made without a document; it must be the document's bytes to the letter.
TEST(EditorAvlWrite, SavedBytesAreTheDocumentsBytes) {
    std::vector<Slide> rows;
    for (int i = 0; i < 40; ++i) {
        Slide s = PictureRow((i % 3 ? "C:\\Pics\\" : "c:\\other dir\\") + std::string(i % 7 ? "" : " ") + "p" +
                                 std::to_string(i) + ".bmp",
                             "p");
        if (i % 4 == 0) s[kColHPos] = "Left", s[kColVPos] = std::to_string(i);
        if (i % 5 == 0) s[kColWait] = std::to_string(i);
        if (i % 6 == 0) s[kColZoom] = "150";
        if (i % 2 == 0) s[kColBackground] = "Yes", s[kColColour] = std::to_string(i * 4099);
        if (i % 9 == 0) s[kColPath] = M;
        rows.push_back(s);
    }
    const SlideTable t = TableOf(rows);
    EXPECT_EQ(WriteAvlBytes(t, {1024, 768}), Bytes(WriteAvl(t, {1024, 768})));
    EXPECT_EQ(WriteAvlBytes(SlideTable{}, {800, 600}), Bytes(WriteAvl(SlideTable{}, {800, 600})));
}

// A position beside "Mid" is kept (it reads back in EveryKindReadsBack).
TEST(EditorAvlWrite, PositionsOmittedOnlyWhenBothAreMid) {
    Slide s = PictureRow("c:\\a.bmp", "a");
    EXPECT_FALSE(WriteAvl(TableOf({s}), {}).Get("1", "P"));
    s[kColHPos] = "Left";
    EXPECT_EQ(WriteAvl(TableOf({s}), {}).Get("1", "P"), "Left,Mid");
    s[kColVPos] = "Top";
    EXPECT_EQ(WriteAvl(TableOf({s}), {}).Get("1", "P"), "Left,Top");
    s[kColHPos] = "120";
    s[kColVPos] = "40";
    EXPECT_EQ(WriteAvl(TableOf({s}), {}).Get("1", "P"), "120,40");
}

TEST(EditorAvlWrite, KeyOrderAndOmissions) {
    Slide s = KindRow("c:\\v\\clip.avi", SlideKind::Avi);
    s[kColWait] = "5";
    s[kColHPos] = "10";
    s[kColVPos] = "20";
    s[kColZoom] = "200";
    s[kColVolume] = "75";
    s[kColSpeed] = "150";
    s[kColColour] = "255";
    s[kColValue] = "3";
    const ini::Document doc = WriteAvl(TableOf({s}), {});
    EXPECT_EQ(doc.KeyNames("1"), (std::vector<std::string>{"F", "B", "X", "W", "P", "Z", "L", "S"}));
    EXPECT_EQ(doc.Get("1", "B"), "255");
    EXPECT_EQ(doc.Get("1", "X"), "3");
    // Zoom and speed at 100 are left out; a non-numeric colour counts as 0.
    s[kColZoom] = "100";
    s[kColSpeed] = "100";
    s[kColColour] = "blue";
    const ini::Document doc2 = WriteAvl(TableOf({s}), {});
    EXPECT_EQ(doc2.KeyNames("1"), (std::vector<std::string>{"F", "B", "X", "W", "P", "L"}));
    EXPECT_EQ(doc2.Get("1", "B"), "0");
}

TEST(EditorAvlWrite, MarksAreNeverStored) {
    const ini::Document doc = WriteAvl(TableOf({KindRow("c:\\x.avl", SlideKind::Avl)}), {});
    EXPECT_EQ(doc.KeyNames("1"), (std::vector<std::string>{"F"}));
}

TEST(EditorAvlWrite, NoBackgroundNoB) {
    Slide s = PictureRow("c:\\a.bmp", "a");
    s[kColBackground] = "No";
    EXPECT_FALSE(WriteAvl(TableOf({s}), {}).Get("1", "B"));
}

// L whenever the volume applies, 50 included.
TEST(EditorAvlWrite, VolumeFiftyIsWritten) {
    const Slide mov = KindRow("c:\\m.mov", SlideKind::Mov);
    ASSERT_EQ(mov[kColVolume], "50");
    EXPECT_EQ(WriteAvl(TableOf({mov}), {}).Get("1", "L"), "50");
}

// ---- Reading --------------------------------------------------------------------------------

// An empty slideshow reads back as the placeholder, not as a CD track 0 that a host would play.
TEST(EditorAvlRoundTrip, EmptySlideshowReadsAsThePlaceholder) {
    FakeFileSystem fs;
    const ReadResult r = ReadAvl(ini::Document::Parse(WriteAvlBytes(SlideTable(), {})), fs);
    ASSERT_EQ(r.status, ReadStatus::Ok);
    ASSERT_EQ(r.slides.size(), 1u);
    EXPECT_EQ(r.slides[0], PlaceholderSlide());

    // Beside real slides (a CD track appended to the placeholder), it is left out as well.
    SlideTable t;
    t.PutCdTrack(7, false);
    const ini::Document two = WriteAvl(t, {});
    EXPECT_EQ(two.Get("Header", "N"), "2");
    EXPECT_EQ(two.Get("1", "X"), "7");
    EXPECT_FALSE(two.HasSection("2"));
}

TEST(EditorAvlRead, FilesThatExistGetShortPathAndLongName) {
    FakeFileSystem fs;
    fs.AddFile("c:\\My Pictures\\Holiday Photo.jpeg");
    fs.SetShortName("c:\\My Pictures", "c:\\MYPICT~1");
    fs.SetShortName("c:\\My Pictures\\Holiday Photo.jpeg", "c:\\MYPICT~1\\HOLIDA~1.JPE");
    const ReadResult r = ReadText(
        "[Header]\r\nVer=4\r\nN=3\r\n[Directory]\r\n0=c:\\\r\n1=c:\\My Pictures\\\r\n"
        "[1]\r\nF=Holiday Photo.jpeg,1\r\n[2]\r\nF=gone.bmp,1\r\n",
        fs);
    ASSERT_EQ(r.slides.size(), 2u);
    EXPECT_EQ(r.slides[0][kColPath], "c:\\mypict~1\\holida~1.jpe");
    EXPECT_EQ(r.slides[0][kColName], "Holiday Photo.jpeg");
    EXPECT_EQ(r.slides[1][kColPath], "c:\\my pictures\\gone.bmp");
    EXPECT_EQ(r.slides[1][kColName], "gone.bmp");
    EXPECT_EQ(r.missingRows, std::vector<int>{2});
}

// One search per slide while a folder has few slides; a folder that many slides use is searched
// once, and its names (long and short, any case) are matched in memory to the same results.
TEST(EditorAvlRead, SearchesPerSlideThenOncePerBusyFolder) {
    FakeFileSystem fs;
    fs.AddFolder("c:\\p");
    fs.AddFolder("c:\\q");
    std::string text = "[Header]\r\nVer=4\r\nN=54\r\n[Directory]\r\n0=c:\\p\\\r\n1=c:\\q\\\r\n";
    for (int i = 1; i <= 50; ++i) {
        fs.AddFile("c:\\p\\f" + std::to_string(i) + ".bmp");
        // Upper case from the 30th on: the names are matched without regard to case.
        const std::string name = i >= 30 ? "F" + std::to_string(i) + ".BMP" : "f" + std::to_string(i) + ".bmp";
        text += "[" + std::to_string(i) + "]\r\nF=" + name + ",0\r\n";
    }
    fs.AddFile("c:\\p\\Summer at the Lake.bmp");
    fs.SetShortName("c:\\p\\Summer at the Lake.bmp", "c:\\p\\SUMMER~1.BMP");
    text += "[51]\r\nF=summer~1.bmp,0\r\n[52]\r\nF=gone.bmp,0\r\n[53]\r\nF=f1.bmp,1\r\n";
    fs.searches = 0;
    const ReadResult r = ReadText(text, fs);
    ASSERT_EQ(r.slides.size(), 53u);
    EXPECT_EQ(fs.searches, 16 + 1 + 1) << "16 names asked one by one, one search of c:\\p, one name in c:\\q";
    EXPECT_EQ(r.slides[0][kColName], "f1.bmp");
    EXPECT_EQ(r.slides[39][kColName], "f40.bmp") << "the name as stored on disk";
    EXPECT_EQ(r.slides[39][kColPath], "c:\\p\\f40.bmp");
    EXPECT_EQ(r.slides[50][kColName], "Summer at the Lake.bmp") << "found by its short name";
    EXPECT_EQ(r.slides[50][kColPath], "c:\\p\\summer~1.bmp");
    EXPECT_EQ(r.slides[51][kColName], "gone.bmp");
    EXPECT_EQ(r.slides[51][kColPath], "c:\\p\\gone.bmp");
    EXPECT_EQ(r.slides[52][kColPath], "c:\\q\\f1.bmp") << "c:\\q holds no f1.bmp: the path as written";
    EXPECT_EQ(r.missingRows, (std::vector<int>{52, 53})) << "found in memory or by search alike";
}

TEST(EditorAvlRead, PictureAndKinds) {
    FakeFileSystem fs;
    const ReadResult r = ReadText(
        "[Header]\r\nVer=4\r\nN=7\r\n[Directory]\r\n0=c:\\\r\n"
        "[1]\r\nF=a.bmp,0\r\nB=255\r\nX=19\r\nW=5\r\nP=Left,Top\r\n"
        "[2]\r\nF=c.avi,0\r\nX=2\r\nZ=200\r\nL=75\r\n"
        "[3]\r\nF=s.wav,0\r\nX=7\r\nB=5\r\n"
        "[4]\r\nF=f.flc,0\r\nB=0\r\nX=0\r\n"
        "[5]\r\nF=x.avl,0\r\n"
        "[6]\r\nF=noext,0\r\n",
        fs);
    ASSERT_EQ(r.status, ReadStatus::Ok);
    ASSERT_EQ(r.slides.size(), 6u);
    const Slide& pic = r.slides[0];
    EXPECT_EQ(pic[kColBackground], "Yes");
    EXPECT_EQ(pic[kColColour], "255");
    EXPECT_EQ(pic[kColEffect], "Spiral In");
    EXPECT_EQ(pic[kColValue], "19");
    EXPECT_EQ(pic[kColWait], "5");
    EXPECT_EQ(pic[kColHPos], "Left");
    EXPECT_EQ(pic[kColVPos], "Top");
    EXPECT_EQ(pic[kColZoom], M);
    const Slide& avi = r.slides[1];
    EXPECT_EQ(avi[kColEffect], "Loop 3x");
    EXPECT_EQ(avi[kColBackground], "No");
    EXPECT_EQ(avi[kColZoom], "200");
    EXPECT_EQ(avi[kColVolume], "75");
    EXPECT_EQ(avi[kColSpeed], "100");
    const Slide& wav = r.slides[2];
    EXPECT_EQ(wav[kColValue], "0");
    EXPECT_EQ(wav[kColColour], "");
    EXPECT_EQ(wav[kColBackground], M);
    EXPECT_EQ(wav[kColEffect], M);
    EXPECT_EQ(wav[kColWait], "0");
    const Slide& fli = r.slides[3];
    EXPECT_EQ(fli[kColEffect], "Loop 1x");
    EXPECT_EQ(fli[kColHPos], M);
    EXPECT_EQ(fli[kColBackground], "Yes");
    const Slide& avl = r.slides[4];
    for (const int c : {kColBackground, kColEffect, kColWait, kColHPos, kColZoom, kColSpeed, kColValue}) {
        EXPECT_EQ(avl[c], M) << c;
    }
    EXPECT_EQ(r.slides[5][kColEffect], "Wipe Dn") << "no extension: a picture slide, value default 1";
}

TEST(EditorAvlRead, ShortenedExtensionIsVideo) {
    FakeFileSystem fs;
    const ReadResult r = ReadText("[Header]\r\nVer=4\r\nN=2\r\n[1]\r\nF=clip.mp,0\r\n", fs);
    ASSERT_EQ(r.slides.size(), 1u);
    EXPECT_EQ(r.slides[0][kColZoom], "100");
    EXPECT_EQ(r.slides[0][kColEffect], "Loop 2x");
}

// only picture values are limited to 0..29.
TEST(EditorAvlRead, ValueLimitedOnlyForPictures) {
    FakeFileSystem fs;
    const ReadResult r = ReadText(
        "[Header]\r\nVer=4\r\nN=5\r\n[Directory]\r\n0=c:\\\r\n"
        "[1]\r\nF=" +
            M +
            "\r\nX=35\r\n[2]\r\nF=a.avi,0\r\nX=40\r\n[3]\r\nF=a.bmp,0\r\nX=35\r\n"
            "[4]\r\nF=a.bmp,0\r\nX=-4\r\n",
        fs);
    ASSERT_EQ(r.slides.size(), 4u);
    EXPECT_EQ(r.slides[0][kColName], "CD Track: 35");
    EXPECT_EQ(r.slides[0][kColValue], "35");
    EXPECT_EQ(r.slides[1][kColValue], "40");
    EXPECT_EQ(r.slides[1][kColEffect], "Loop 41x");
    EXPECT_EQ(r.slides[2][kColValue], "29");
    EXPECT_EQ(r.slides[2][kColEffect], "Random FX");
    EXPECT_EQ(r.slides[3][kColValue], "0");
}

TEST(EditorAvlRead, MissingVolumeReadsAsHundred) {
    FakeFileSystem fs;
    const ReadResult r = ReadText("[Header]\r\nVer=4\r\nN=2\r\n[1]\r\nF=m.mov,0\r\n", fs);
    ASSERT_EQ(r.slides.size(), 1u);
    EXPECT_EQ(r.slides[0][kColVolume], "100");
}

TEST(EditorAvlRead, InstantSlideshow) {
    FakeFileSystem fs;
    const ReadResult r = ReadText(
        "[Header]\r\nVer=4\r\nN=3\r\n[1]\r\nF=a.bmp,0\r\n[2]\r\nF=b.avi,0\r\n[Directory]\r\n0=d:\\show\\\r\n", fs);
    ASSERT_EQ(r.slides.size(), 2u);
    EXPECT_EQ(r.slides[0][kColPath], "d:\\show\\a.bmp");
    EXPECT_EQ(r.slides[0][kColValue], "1");
    EXPECT_EQ(r.slides[0][kColEffect], "Wipe Dn");
    EXPECT_EQ(r.slides[0][kColBackground], "No");
    EXPECT_EQ(r.slides[0][kColHPos], "Mid");
    EXPECT_EQ(r.slides[0][kColWait], "0");
    EXPECT_EQ(r.slides[1][kColEffect], "Loop 2x");
    EXPECT_EQ(r.slides[1][kColZoom], "100");
    EXPECT_EQ(r.slides[1][kColVolume], "100");
}

TEST(EditorAvlRead, LegacyFile) {
    FakeFileSystem fs;
    std::string text = "[Header]\r\nVer=3\r\n[Directory]\r\n0=z:\\\r\n";
    for (int i = 1; i <= 5; ++i)
        text += "[" + std::to_string(i) + "]\r\nFile=c:\\p\\s" + std::to_string(i) + ".bmp\r\n";
    text += "[2]\r\nColor=255\r\n";
    ReadResult r = ReadText(text, fs);
    ASSERT_EQ(r.status, ReadStatus::Ok);
    ASSERT_EQ(r.slides.size(), 5u);
    EXPECT_FALSE(r.version4);
    EXPECT_EQ(r.slides[0][kColPath], "c:\\p\\s1.bmp");
    EXPECT_EQ(r.slides[0][kColValue], "1");

    r = ReadText(
        "[1]\r\nFile=c:\\a.avi\r\nFX=4\r\nWait=3\r\nHpos=Left\r\nVpos=7\r\nVid=50\r\nVol=20\r\nSpd=150\r\nColor=9\r\n"
        "[2]\r\nFile=" +
            M + "\r\nFX=12\r\n",
        fs);
    ASSERT_EQ(r.slides.size(), 2u);
    EXPECT_EQ(r.slides[0][kColEffect], "Loop 5x");
    EXPECT_EQ(r.slides[0][kColWait], "3");
    EXPECT_EQ(r.slides[0][kColHPos], "Left");
    EXPECT_EQ(r.slides[0][kColVPos], "7");
    EXPECT_EQ(r.slides[0][kColZoom], "50");
    EXPECT_EQ(r.slides[0][kColVolume], "20");
    EXPECT_EQ(r.slides[0][kColSpeed], "150");
    EXPECT_EQ(r.slides[0][kColColour], "9");
    EXPECT_EQ(r.slides[1][kColName], "CD Track: 12");
    EXPECT_EQ(r.missingRows, std::vector<int>{1}) << "a CD track names no file";
}

TEST(EditorAvlRead, LegacyGapCutsTheShow) {
    FakeFileSystem fs;
    const ReadResult r = ReadText(
        "[Header]\r\nVer=3\r\n[1]\r\nFile=c:\\1.bmp\r\n[2]\r\nFile=c:\\2.bmp\r\n[4]\r\nFile=c:\\4.bmp\r\n"
        "[5]\r\nFile=c:\\5.bmp\r\n",
        fs);
    EXPECT_EQ(r.status, ReadStatus::Ok);
    EXPECT_EQ(r.slides.size(), 2u);
}

TEST(EditorAvlRead, InvalidFiles) {
    FakeFileSystem fs;
    for (const char* text :
         {"", "[Header]\r\nVer=4\r\nN=1\r\n[1]\r\nF=a.bmp,0\r\n", "[Header]\r\nVer=4\r\n[1]\r\nF=a,0\r\n",
          "[Header]\r\nVer=2\r\n[2]\r\nFile=c:\\a.bmp\r\n", "[Header]\r\nVer=4\r\nN=5\r\n",
          "[Header]\r\nVer=4\r\nN=-7\r\n[1]\r\nF=a,0\r\n", "\x01\x02garbage\xff"}) {
        const ReadResult r = ReadText(text, fs);
        EXPECT_EQ(r.status, ReadStatus::Invalid) << text;
        EXPECT_TRUE(r.slides.empty()) << text;
    }
}

// a count larger than the sections present stops at the last section present.
TEST(EditorAvlRead, CountLargerThanSections) {
    FakeFileSystem fs;
    for (const char* n : {"10", "2147483647", "0x7fffffff"}) {
        const ReadResult r =
            ReadText(std::string("[Header]\r\nVer=4\r\nN=") + n + "\r\n[1]\r\nF=a.bmp,0\r\n[2]\r\nF=b.bmp,0\r\n", fs);
        EXPECT_EQ(r.status, ReadStatus::Partial) << n;
        EXPECT_EQ(r.slides.size(), 2u) << n;
    }
}

TEST(EditorAvlRead, BadFolderReferences) {
    FakeFileSystem fs;
    const ReadResult r = ReadText(
        "[Header]\r\nVer=4\r\nN=7\r\n[Directory]\r\n0=c:\\zero\\\r\n1=c:\\one\\\r\n"
        "[1]\r\nF=a.bmp\r\n[2]\r\nF=b.bmp,\r\n[3]\r\nF=c.bmp,-1\r\n[4]\r\nF=d.bmp,9\r\n[5]\r\nF=e.bmp,1\r\n"
        "[6]\r\nF=,1\r\n",
        fs);
    ASSERT_EQ(r.slides.size(), 6u);
    EXPECT_EQ(r.slides[0][kColPath], "a.bmp") << "no comma: no folder";
    EXPECT_EQ(r.slides[1][kColPath], "c:\\zero\\b.bmp") << "nothing after the comma: index 0";
    EXPECT_EQ(r.slides[2][kColPath], "c.bmp");
    EXPECT_EQ(r.slides[3][kColPath], "d.bmp");
    EXPECT_EQ(r.slides[4][kColPath], "c:\\one\\e.bmp");
    EXPECT_EQ(r.slides[5][kColPath], "c:\\one\\");
    EXPECT_EQ(r.slides[5][kColName], "");
}

TEST(EditorAvlRead, LongValuesAreCut) {
    FakeFileSystem fs;
    const std::string longWait(5000, '7');
    const ReadResult r = ReadText("[Header]\r\nVer=4\r\nN=2\r\n[1]\r\nF=a.bmp,0\r\nW=" + longWait + "\r\n", fs);
    ASSERT_EQ(r.slides.size(), 1u);
    EXPECT_EQ(r.slides[0][kColWait].size(), 1023u);
}

TEST(EditorAvlRead, GaugeRunsOverTheSlides) {
    struct Recorder : Gauge {
        std::vector<std::string> events;
        void Show(int a, int b) override { events.push_back("show " + std::to_string(a) + "-" + std::to_string(b)); }
        void Position(int v) override { events.push_back(std::to_string(v)); }
        void Hide() override { events.push_back("hide"); }
    } gauge;
    FakeFileSystem fs;
    ReadAvl(ini::Document::Parse("[Header]\r\nVer=4\r\nN=3\r\n[1]\r\nF=a,0\r\n[2]\r\nF=b,0\r\n"), fs, &gauge);
    EXPECT_EQ(gauge.events, (std::vector<std::string>{"show 1-2", "1", "2", "hide"}));
    gauge.events.clear();
    WriteAvl(TableOf({PictureRow("c:\\a.bmp", "a")}), {}, &gauge);
    EXPECT_EQ(gauge.events, (std::vector<std::string>{"show 1-1", "1", "hide"}));
    gauge.events.clear();
    WriteAvl(SlideTable(), {}, &gauge);
    EXPECT_TRUE(gauge.events.empty()) << "no slides, no progress";
}

// ---- Round trips ----------------------------------------------------------------------------

TEST(EditorAvlRoundTrip, EveryKindReadsBack) {
    FakeFileSystem fs;
    for (const char* f :
         {"c:\\p\\a.bmp", "c:\\p\\b.mov", "c:\\v\\c.avi", "c:\\s\\d.wav", "c:\\p\\e.fli", "c:\\f.avl"}) {
        fs.AddFile(f);
    }
    std::vector<Slide> rows;
    for (const char* f :
         {"c:\\p\\a.bmp", "c:\\p\\b.mov", "c:\\v\\c.avi", "c:\\s\\d.wav", "c:\\p\\e.fli", "c:\\f.avl"}) {
        rows.push_back(KindRow(f, KindOfFile(f)));
    }
    Slide cd;
    cd[kColPath] = M;
    cd[kColName] = "CD Track: 35";  // the track survives
    SetUpKind(cd, SlideKind::CdTrack, 35);
    rows.push_back(cd);
    rows[0][kColHPos] = "Left";
    rows[0][kColVPos] = "Top";
    rows[0][kColEffect] = "Spiral In";
    rows[0][kColValue] = "19";
    rows[0][kColWait] = "12";
    rows[2][kColEffect] = "Loop 4x";
    rows[2][kColValue] = "3";
    rows[2][kColColour] = "8388608";
    rows[1][kColHPos] = "Left";  // beside "Mid"
    rows[2][kColVPos] = "40";
    // MOV slides get a loop entry when read, as the looping kinds do.
    rows[1][kColEffect] = "Loop 1x";
    SlideTable t = TableOf(rows);
    const ReadResult r = ReadAvl(WriteAvl(t, {}), fs);
    // A sound slide's value is "1" after adding and "0" after reading.
    EXPECT_EQ(t.Row(4)[kColValue], "1");
    t.Row(4)[kColValue] = "0";
    ASSERT_EQ(r.status, ReadStatus::Ok);
    ASSERT_EQ(r.slides.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = 0; c < kColumnCount; ++c) {
            EXPECT_EQ(r.slides[i][c], t.Row(static_cast<int>(i) + 1)[c]) << "row " << i + 1 << " column " << c;
        }
    }
    EXPECT_EQ(r.slides[1][kColVolume], "50");
    EXPECT_EQ(r.slides[6][kColValue], "35");
    EXPECT_TRUE(r.missingRows.empty());
}

TEST(EditorAvlRoundTrip, SaveAndLoadThroughDisk) {
    testing::TestDir dir;
    FakeFileSystem fs;
    const std::string path = dir.File("show.avl");
    {
        std::ofstream old(path, std::ios::binary);
        old << "[Header]\r\nVer=4\r\nN=3\r\n[1]\r\nF=x,0\r\n[2]\r\nF=y,0\r\n[Extra]\r\nKeep=1\r\n";
    }
    const SlideTable t = TableOf({PictureRow("c:\\a.bmp", "a.bmp")});
    // The gauge goes only once the file is written: the user waits for the write too.
    struct HiddenAfterWrite : Gauge {
        std::string path;
        bool written = false;
        void Hide() override {
            std::ifstream file(path, std::ios::binary);
            written = std::string(std::istreambuf_iterator<char>(file), {}).find("Extra") == std::string::npos;
        }
    } gauge;
    gauge.path = path;
    const SaveResult saved = SaveAvl(path, t, {1024, 768}, &gauge);
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(gauge.written);
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str().find("Extra"), std::string::npos) << "nothing of the old content survives";
    const ReadResult r = LoadAvl(path, fs);
    ASSERT_EQ(r.slides.size(), 1u);
    EXPECT_EQ(r.slides[0][kColPath], "c:\\a.bmp");
    EXPECT_EQ(LoadAvl(dir.File("missing.avl"), fs).status, ReadStatus::Invalid);
}

TEST(EditorAvlRoundTrip, FailedSaveReportsAfterTheLastSlide) {
    testing::TestDir dir;
    const SlideTable t = TableOf({PictureRow("c:\\a.bmp", "a"), PictureRow("c:\\b.bmp", "b")});
    const SaveResult r = SaveAvl(dir.File("no-such-folder") + "/x/show.avl", t, {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Save aborted at slide #3\nToo many slides or features.");
}

// A save that fails midway leaves the previous file as it was. The write is made to fail by a
// file-size limit (the tests run as root, so permissions deny nothing).
TEST(EditorAvlRoundTrip, FailedSaveKeepsTheOldFile) {
    testing::TestDir dir;
    const std::string path = dir.File("keep.avl");
    const std::string old = "[Header]\r\nVer=4\r\nN=2\r\n[1]\r\nF=old.bmp,0\r\n";
    {
        std::ofstream f(path, std::ios::binary);
        f << old;
    }
    std::vector<Slide> rows;
    for (int i = 0; i < 500; ++i) rows.push_back(PictureRow("c:\\pics\\p" + std::to_string(i) + ".bmp", "p"));
    const SlideTable t = TableOf(rows);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult r = SaveAvl(path, t, {});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(r.ok);
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), old);
}

// ---- The list file of "&Add Slides" ---------------------------------------------------------

TEST(EditorSlideList, EntriesUntilError) {
    EXPECT_EQ(ReadSlideList(ini::Document::Parse("[Directory]\r\nName=d:\\pics\r\n[1]\r\nF=a.bmp\r\n[2]\r\nF=b.avi\r\n"
                                                 "[4]\r\nF=d.bmp\r\n")),
              (std::vector<std::string>{"d:\\pics\\a.bmp", "d:\\pics\\b.avi"}));
    EXPECT_EQ(ReadSlideList(ini::Document::Parse("[1]\r\nF=a.bmp\r\n")), (std::vector<std::string>{"c:\\a.bmp"}));
    EXPECT_TRUE(ReadSlideList(ini::Document::Parse("[Directory]\r\nName=c:\\\r\n")).empty());
}

}  // namespace
}  // namespace morvel::editor

// Several rows of the slide table: the selection's rules, the reorderings of selected rows, and
// the slides as clipboard text, written and read back, and read from text made elsewhere.
#include <gtest/gtest.h>

#include <functional>

#include "editor/avl_file.h"
#include "editor/row_selection.h"
#include "support/fake_file_system.h"

namespace morvel::editor {
namespace {

TEST(EditorSelection, ClicksAndKeysSelectAsAnyList) {
    using Act = std::function<void(RowSelection&)>;
    const auto reset = [](int r) { return Act([r](RowSelection& s) { s.Reset(10, r); }); };
    const auto extend = [](int r) { return Act([r](RowSelection& s) { s.Extend(10, r); }); };
    const auto toggle = [](int r) { return Act([r](RowSelection& s) { s.Toggle(10, r); }); };
    const struct {
        const char* name;
        std::vector<Act> acts;
        std::vector<int> rows;
        int anchor;
    } cases[] = {
        {"plain click", {reset(4)}, {4}, 4},
        {"Shift down from the anchor", {reset(4), extend(7)}, {4, 5, 6, 7}, 4},
        {"Shift back past the anchor", {reset(4), extend(7), extend(2)}, {2, 3, 4}, 4},
        {"Ctrl adds and anchors", {reset(4), toggle(6)}, {4, 6}, 6},
        {"Shift after Ctrl ranges from the Ctrl row", {reset(4), toggle(6), extend(8)}, {6, 7, 8}, 6},
        {"Ctrl removes one of several", {reset(4), toggle(6), toggle(4)}, {6}, 4},
        {"Ctrl keeps the only row", {reset(4), toggle(4)}, {4}, 4},
        {"all", {reset(4), [](RowSelection& s) { s.SelectAll(10); }}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 4},
        {"a plain click after all", {[](RowSelection& s) { s.SelectAll(10); }, reset(3)}, {3}, 3},
        {"set after a paste", {[](RowSelection& s) { s.Set(10, {8, 9, 12}, 8); }}, {8, 9}, 8},
    };
    for (const auto& c : cases) {
        RowSelection s;
        for (const Act& act : c.acts) act(s);
        EXPECT_EQ(s.Rows(), c.rows) << c.name;
        EXPECT_EQ(s.Count(), static_cast<int>(c.rows.size())) << c.name;
        EXPECT_EQ(s.anchor(), c.anchor) << c.name;
    }
}

TEST(EditorSelection, SelectedRowsMoveAsABlock) {
    const struct {
        const char* name;
        std::vector<int> selected;
        int delta;  // 0: dropped at `gap`
        int gap;
        RowOrder order;
    } cases[] = {
        {"block up", {2, 3}, -1, 0, {2, 3, 1, 4, 5}},
        {"block down", {2, 3}, +1, 0, {1, 4, 2, 3, 5}},
        {"block at the top", {1, 2}, -1, 0, {}},
        {"block at the bottom", {4, 5}, +1, 0, {}},
        {"apart, up", {2, 4}, -1, 0, {2, 1, 4, 3, 5}},
        {"apart, one at the top", {1, 3}, -1, 0, {}},
        {"dropped below", {1, 2}, 0, 4, {3, 4, 1, 2, 5}},
        {"dropped at the top", {4, 5}, 0, 0, {4, 5, 1, 2, 3}},
        {"apart, dropped at the end", {2, 4}, 0, 5, {1, 3, 5, 2, 4}},
        {"apart, dropped between them", {2, 4}, 0, 3, {1, 3, 2, 4, 5}},
        {"dropped where they are", {2, 3}, 0, 1, {}},
        {"dropped just below themselves", {2, 3}, 0, 3, {}},
    };
    for (const auto& c : cases) {
        const RowOrder order = c.delta ? OrderAfterStep(5, c.selected, c.delta) : OrderAfterDrop(5, c.selected, c.gap);
        EXPECT_EQ(order, c.order) << c.name;
    }
    EXPECT_EQ(PositionsAfter({3, 4, 1, 2, 5}, {1, 2}), (std::vector<int>{3, 4}));
}

// Slides of every kind from two folders, as a slideshow file reads them.
std::vector<Slide> ReadShow(testing::FakeFileSystem& fs) {
    SlideTable t;
    for (const char* f : {"c:\\p\\a.bmp", "c:\\v\\b.avi", "c:\\s\\c.wav", "c:\\v\\d.mov", "c:\\p\\e.fli",
                          "c:\\f.avl", "c:\\my,pics\\g.bmp"}) {
        fs.AddFile(f);
        t.AddFile(f, fs);
    }
    t.PutCdTrack(5, false);
    t.Row(4)[kColVolume] = "50";
    return ReadAvl(ini::Document::Parse(WriteAvlBytes(t, {})), fs).slides;
}

TEST(EditorClipboardText, SlidesComeBackAsCopiedWithTheirFullPaths) {
    testing::FakeFileSystem fs;
    const std::vector<Slide> slides = ReadShow(fs);
    std::vector<const Slide*> copied;
    for (const Slide& s : slides) copied.push_back(&s);
    const std::string text = WriteSlideSections(copied);
    const ini::Document doc = ini::Document::Parse(text);
    EXPECT_FALSE(doc.HasSection("Header") || doc.HasSection("Directory")) << text;
    EXPECT_EQ(doc.Get("2", "F"), std::optional<std::string>("c:\\v\\b.avi"));
    EXPECT_EQ(doc.Get("8", "F"), std::optional<std::string>(std::string(kMark)));
    const ReadResult back = ReadSlideSections(text, fs);
    EXPECT_EQ(back.status, ReadStatus::Ok);
    EXPECT_EQ(back.slides, slides) << text;
    const Slide placeholder = PlaceholderSlide();
    EXPECT_EQ(WriteSlideSections({&placeholder}), "");
}

TEST(EditorClipboardText, TextFromElsewhere) {
    testing::FakeFileSystem fs;
    fs.AddFile("c:\\p\\a.bmp");
    const struct {
        const char* name;
        const char* text;
        std::size_t slides;
        const char* firstPath;
        const char* firstEffect;
        std::vector<int> missing;
    } cases[] = {
        {"nothing", "", 0, "", "", {}},
        {"one slide", "[1]\r\nF=C:\\P\\A.BMP\r\nX=3\r\n", 1, "c:\\p\\a.bmp", "Wipe Rt", {}},
        {"sections from 1 without a gap", "[1]\nF=c:\\p\\a.bmp\n[2]\nF=c:\\p\\a.bmp\n[4]\nF=c:\\p\\a.bmp\n", 2,
         "c:\\p\\a.bmp", "Wipe Dn", {}},
        {"a CD track", "[1]\nF=------------------------------\nX=7\n", 1, "------------------------------",
         "------------------------------", {}},
        {"a whole slideshow file", "[Header]\nVer=4\nN=2\n[Directory]\n0=c:\\\n1=c:\\p\\\n[1]\nF=a.bmp,1\n", 1,
         "c:\\p\\a.bmp", "Wipe Dn", {}},
        {"the old layout", "[1]\nFile=c:\\p\\a.bmp\nFX=2\n", 1, "c:\\p\\a.bmp", "Wipe Up", {}},
        {"a missing file", "[1]\nF=c:\\Gone\\X.bmp\n[2]\nF=c:\\p\\a.bmp\n", 2, "c:\\gone\\x.bmp", "Wipe Dn", {1}},
    };
    for (const auto& c : cases) {
        const ReadResult r = ReadSlideSections(c.text, fs);
        ASSERT_EQ(r.slides.size(), c.slides) << c.name;
        EXPECT_EQ(r.missingRows, c.missing) << c.name;
        if (c.slides == 0) {
            EXPECT_EQ(r.status, ReadStatus::Invalid) << c.name;
            continue;
        }
        EXPECT_EQ(r.slides[0][kColPath], std::string_view(c.firstPath)) << c.name;
        EXPECT_EQ(r.slides[0][kColEffect], std::string_view(c.firstEffect)) << c.name;
    }
}

}  // namespace
}  // namespace morvel::editor

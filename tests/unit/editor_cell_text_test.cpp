// The slide table's cell text: kept in place up to 15 characters, the mark by reference and other
// texts on the heap, through every copy, move and assignment between them (the sanitizers watch
// the heap blocks).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/cell_text.h"

namespace morvel::editor {
namespace {

TEST(EditorCellText, EveryAssignmentBetweenPlaceAndHeapKeepsTheText) {
    const std::vector<std::string> texts = {"",
                                            "5",
                                            std::string(15, 'm'),
                                            std::string(16, 'h'),
                                            std::string(CellText::kNotApplicable),
                                            std::string(30, '+'),
                                            "c:\\mydocu~1\\pictur~1\\holida~1\\img_0001.jpg"};
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            CellText cell(a);
            const bool onHeap = a.size() > CellText::kInPlace && a != CellText::kNotApplicable;
            EXPECT_EQ(cell.HeapBytes(), onHeap ? a.size() + 1 : 0) << a;
            cell = b;
            EXPECT_EQ(cell, b);
            EXPECT_EQ(cell.c_str()[cell.size()], '\0');
            CellText copy = cell;
            CellText moved(std::move(copy));
            EXPECT_EQ(moved, b);
            EXPECT_TRUE(copy.empty());
            CellText target(a);
            target = std::move(moved);
            EXPECT_EQ(target, b);
            target = target;  // NOLINT: assignment of a cell to itself
            EXPECT_EQ(target, b);
            // A part of the cell's own text, assigned to it.
            target = target.view().substr(target.size() / 2);
            EXPECT_EQ(target, b.substr(b.size() / 2));
        }
    }
}

// Texts of a pool outlive the pool and each other, whichever goes first, across its blocks, and
// copies share them (the sanitizers report a block freed too early or never).
TEST(EditorCellText, PooledTextsOutliveThePoolAndEachOther) {
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back("c:\\slides\\holiday\\" + std::to_string(i) + std::string(i % 40, 'x'));
    texts.push_back(std::string(40000, 'b'));  // larger than a pool's block takes
    texts.push_back("short");
    texts.push_back(std::string(CellText::kNotApplicable));
    std::vector<CellText> cells;
    std::vector<CellText> copies;
    {
        CellText::Pool pool;
        for (const std::string& text : texts) cells.push_back(pool.Text(text));
        for (std::size_t i = 0; i < cells.size(); i += 2) copies.push_back(cells[i]);
    }
    for (std::size_t i = 0; i < cells.size(); i += 3) cells[i] = "replaced";
    cells.erase(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(cells.size() / 2));
    for (std::size_t i = 0; i < copies.size(); ++i) EXPECT_EQ(copies[i], texts[2 * i]) << i;
    const std::size_t dropped = texts.size() - cells.size();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i], (dropped + i) % 3 == 0 ? "replaced" : texts[dropped + i]) << i;
    }
}

}  // namespace
}  // namespace morvel::editor

// The slide table's cell text: kept in place up to 31 characters and on the heap beyond, through
// every copy, move and assignment between the two (the sanitizers watch the heap blocks).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/cell_text.h"

namespace morvel::editor {
namespace {

TEST(EditorCellText, EveryAssignmentBetweenPlaceAndHeapKeepsTheText) {
    const std::vector<std::string> texts = {"", "5", std::string(31, 'm'), std::string(32, 'h'),
                                            "c:\\mydocu~1\\pictur~1\\holida~1\\img_0001.jpg"};
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            CellText cell(a);
            EXPECT_EQ(cell.HeapBytes(), a.size() > CellText::kInPlace ? a.size() + 1 : 0) << a;
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

}  // namespace
}  // namespace morvel::editor

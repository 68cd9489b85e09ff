// The numeric entry dialog's rules.
#include <gtest/gtest.h>

#include "editor/scroll_value.h"

namespace morvel::editor {
namespace {

TEST(EditorScrollValue, Start) {
    const ScrollValue v(25, 400, 100);
    EXPECT_EQ(v.position(), 100);
    EXPECT_EQ(v.editText(), "100");
}

TEST(EditorScrollValue, AboveMaximumIsReplaced) {
    ScrollValue v(25, 400, 100);
    const auto e = v.EditChanged("999");
    EXPECT_EQ(e.newEditText, "400");
    EXPECT_EQ(e.newPosition, 400);
    EXPECT_FALSE(e.beep);
    EXPECT_FALSE(v.EditChanged("400").newEditText) << "the program's own text changes nothing more";
}

TEST(EditorScrollValue, BelowMinimumAtOnce) {
    ScrollValue v(25, 400, 100);
    EXPECT_FALSE(v.EditChanged("").newPosition);
    EXPECT_EQ(v.position(), 100) << "an empty edit keeps the bar";
    const auto e = v.EditChanged("7");
    EXPECT_EQ(e.newEditText, "25");
    EXPECT_EQ(v.position(), 25);
}

TEST(EditorScrollValue, EmptyEditConfirmsThePreviousPosition) {
    ScrollValue v(0, 100, 50);
    v.EditChanged("60");
    v.EditChanged("");
    EXPECT_EQ(v.result(), 60);
}

TEST(EditorScrollValue, LetterBeepsAndResets) {
    ScrollValue v(25, 400, 100);
    v.EditChanged("250");
    const auto e = v.EditChanged("25a");
    EXPECT_TRUE(e.beep);
    EXPECT_EQ(e.newEditText, "100");
    EXPECT_EQ(e.newPosition, 100);
    EXPECT_FALSE(v.guard());
}

TEST(EditorScrollValue, BarWritesEditUnlessGuarded) {
    ScrollValue v(0, 32000, 0);
    EXPECT_EQ(v.BarMoved(61).newEditText, "61");
    EXPECT_EQ(v.result(), 61);
}

TEST(EditorScrollValue, WholeNumbers) {
    EXPECT_EQ(ParseWholeNumber("12"), 12);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    EXPECT_EQ(ParseWholeNumber("+3"), 3);
    EXPECT_FALSE(ParseWholeNumber("-"));
    EXPECT_FALSE(ParseWholeNumber("1.5"));
    EXPECT_FALSE(ParseWholeNumber(" 1"));
    EXPECT_FALSE(ParseWholeNumber("99999999999"));
}

}  // namespace
}  // namespace morvel::editor

#include "common/mnemonic.h"

#include <gtest/gtest.h>

using morvel::MatchesMnemonic;
using morvel::MnemonicOf;

TEST(Mnemonic, LetterAfterTheAmpersand) {
    struct Case {
        const char* caption;
        char letter;
    } cases[] = {
        {"Look &in:", 'i'},      {"Save &in", 'i'},  {"File &name:", 'n'}, {"&Pixels:", 'p'},
        {"&Open", 'o'},          {"&Cancel", 'c'},   {"No accelerator", 0}, {"Black && White", 0},
        {"Fish && &Chips", 'c'}, {"Trailing &", 0},  {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(MnemonicOf(c.caption), c.letter) << c.caption;
}

TEST(Mnemonic, TypedLettersMatchWithoutCase) {
    EXPECT_TRUE(MatchesMnemonic("File &type:", 'T'));
    EXPECT_TRUE(MatchesMnemonic("File &type:", 't'));
    EXPECT_FALSE(MatchesMnemonic("File &type:", 'f'));
    EXPECT_FALSE(MatchesMnemonic("Black && White", '&'));
}

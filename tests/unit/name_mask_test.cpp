#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/name_mask.h"

using morvel::MaskRules;
using morvel::MaskSet;
using morvel::NameMask;

namespace {

struct Entry {
    const char* name;
    const char* shortName;  // as the search reports it; empty for a valid 8.3 name
};

// A folder of awkward names with the short names Wine 8 gives them.
const Entry kFolder[] = {
    {".h.avl", "_H~~~EAV.AVL"},
    {".hidden", "_HID~45N"},
    {"A B.TIF", "A_B~~ES1.TIF"},
    {"a.", "A_~~~YNZ"},
    {"a..b", "A_~~~TDW.B"},
    {"a.b.c", "A_B~~54C.C"},
    {"aaaaaaaaa.bmp", "AAAA~WC5.BMP"},
    {"abcdefghij.pcxx", "ABCD~X0R.PCX"},
    {"Beach.BMP", ""},
    {"clip.mpg.bak", "CLIP~MXR.BAK"},
    {"dotend.bm.", "DOTE~MRX.BM_"},
    {"f.mid.", "F~~~~2BU.MID"},
    {"file.", "FILE~CUC"},
    {"file..", "FILE~II0._"},
    {"long name without ext", "LONG~WR3"},
    {"many.dots.in.name.avl", "MANY~GGB.AVL"},
    {"map.rs", ""},
    {"noext", ""},
    {"photo.jpeg", "PHOT~0QA.JPE"},
    {"q.ab", ""},
    {"readme", ""},
    {"short.jp", ""},
    {"trail ", "TRAI~5RC"},
    {"trail.bmp ", "TRAI~QBM.BMP"},
    {"trail.bmp.", "TRAI~MCS.BMP"},
    {"two words.bmp", "TWO_~1EE.BMP"},
    {"UPPER.AVL", ""},
    {"x.av", ""},
    {"x.avlx", "X~~~~UVB.AVL"},
    {"x.pc", ""},
    {"x.pcx", ""},
    {"x.y.z.fli", "X_Y_~AK0.FLI"},
};

std::vector<std::string> Taken(const std::vector<std::string>& masks, MaskRules rules) {
    const MaskSet set(masks, rules);
    std::vector<std::string> taken;
    for (const Entry& e : kFolder) {
        if (set.MatchesEntry(e.name, e.shortName)) taken.emplace_back(e.name);
    }
    return taken;
}

}  // namespace

// What FindFirstFileA under Wine 8 returned for each mask on the folder above (the Windows
// comparison test holds the matcher to the live system as well).
TEST(NameMask, PlainRulesTakeWhatWinesSearchTakes) {
    const struct {
        const char* mask;
        std::vector<std::string> taken;
    } cases[] = {
        {"*.???",
         {".h.avl", "A B.TIF", "a.b.c", "aaaaaaaaa.bmp", "abcdefghij.pcxx", "Beach.BMP", "clip.mpg.bak", "dotend.bm.",
          "f.mid.", "many.dots.in.name.avl", "photo.jpeg", "trail.bmp ", "trail.bmp.", "two words.bmp", "UPPER.AVL",
          "x.avlx", "x.pcx", "x.y.z.fli"}},
        {"*.pc?", {"abcdefghij.pcxx", "x.pcx"}},
        {"*.bmp", {"aaaaaaaaa.bmp", "Beach.BMP", "trail.bmp ", "trail.bmp.", "two words.bmp"}},
        {"*.avl", {".h.avl", "many.dots.in.name.avl", "UPPER.AVL", "x.avlx"}},
        {"*.av?", {".h.avl", "many.dots.in.name.avl", "UPPER.AVL", "x.avlx"}},
        {"*.?pg", {}},
        {"*.fl?", {"x.y.z.fli"}},
        {"*.mid", {"f.mid."}},
        {"*.rs", {"map.rs"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Taken({c.mask}, MaskRules::Plain), c.taken) << c.mask;
    // A trailing dot or star in the mask asks for nothing more: every name.
    for (const char* mask : {"*.", "*.*", "*"}) {
        EXPECT_EQ(Taken({mask}, MaskRules::Plain).size(), std::size(kFolder)) << mask;
    }
}

TEST(NameMask, DosRulesReadQuestionMarksAndDotsAsWindowsDoes) {
    const struct {
        const char* mask;
        const char* name;
        bool taken;
    } cases[] = {
        // "?" matches nothing at the end or before a dot; "." before it matches the end.
        {"*.???", "readme", true},
        {"*.???", "map.rs", true},
        {"*.???", "x.pcx", true},
        {"*.???", "photo.jpeg", false},
        {"*.???", "a.b.c", true},
        {"*.???", "x.a.b.c", true},
        {"*.???", "A B.TIF", true},
        {"*.pc?", "x.pc", true},
        {"*.pc?", "X.PCX", true},
        {"*.pc?", "x.pcxx", false},
        {"*.pc?", "x.p", false},
        // A leading "?" must take a character that is not a dot.
        {"*.?pg", "clip.mpg", true},
        {"*.?pg", "clip.pg", false},
        {"*.?pg", "clip.jpg.bak", false},
        // "*" before a dot stops at the last dot: only the last extension counts.
        {"*.bmp", "x.bmp.bak", false},
        {"*.bmp", "a.b.bmp", true},
        {"*.bmp", "trail.bmp.", false},
        {"*.b?p", "a.bmp.bmp", true},
        // "*.*" is every name, "*." every name without a dot, also with a dot after it.
        {"*.*", "readme", true},
        {"*.*", "a.b.c", true},
        {"*.", "readme", true},
        {"*.", "a.b", false},
        {"*.*.", "a.b", true},
        {"*.", ".hidden", false},
        // Plain stars match anything, dots included.
        {"a*c", "a.b.c", true},
        {"?", "ab", false},
        {"??", "a", true},
        {"", "a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameMask(c.mask, MaskRules::Dos).Matches(c.name), c.taken) << c.mask << " " << c.name;
    }
    // The short name takes an entry that the long name does not.
    EXPECT_TRUE(NameMask("*.???", MaskRules::Dos).MatchesEntry("photo.jpeg", "PHOTO~1.JPE"));
    EXPECT_FALSE(NameMask("*.bmp", MaskRules::Dos).MatchesEntry("photo.jpeg", "PHOTO~1.JPE"));
}

TEST(NameMask, TheRulesDifferWhereWineIsStricter) {
    // Wine's scan carries on after the first fit and misses ".b.c"; Windows takes the name.
    EXPECT_TRUE(NameMask("*.???", MaskRules::Dos).Matches("x.a.b.c"));
    EXPECT_FALSE(NameMask("*.???", MaskRules::Plain).Matches("x.a.b.c"));
    EXPECT_TRUE(NameMask("*.???", MaskRules::Dos).Matches("readme"));
    EXPECT_FALSE(NameMask("*.???", MaskRules::Plain).Matches("readme"));
}

// "*.bmp" is matched by its ending, "*.b?p" by the DOS rules on the last extension. The same
// masks written so that they take the full reading: "**.bmp" for the plain rules, and for the
// DOS rules "<.bmp", the DOS star that the system itself makes of "*." (a star written before
// it would also take the last dot).
TEST(NameMask, ExtensionShortcutAgreesWithTheFullReading) {
    const std::string alphabet = "bBmMpP.x ";
    for (MaskRules rules : {MaskRules::Dos, MaskRules::Plain}) {
        for (const char* ext : {"bmp", "mp", "b", "b?p", "??", "?m", "m?"}) {
            const NameMask quick(std::string("*.") + ext, rules);
            const NameMask full(std::string(rules == MaskRules::Dos ? "<." : "**.") + ext, rules);
            // Every name of up to four characters over the alphabet.
            std::vector<std::string> names{""};
            for (int length = 1; length <= 4; ++length) {
                std::vector<std::string> longer;
                for (const std::string& n : names) {
                    if (static_cast<int>(n.size()) != length - 1) continue;
                    for (char c : alphabet) longer.push_back(n + c);
                }
                names.insert(names.end(), longer.begin(), longer.end());
            }
            int taken = 0;
            for (const std::string& name : names) {
                ASSERT_EQ(quick.Matches(name), full.Matches(name)) << ext << " [" << name << "]";
                taken += quick.Matches(name) ? 1 : 0;
            }
            EXPECT_GT(taken, 0) << ext;
        }
    }
}

TEST(NameMask, ASetTakesAnEntryThatOneOfItsMasksTakes) {
    const MaskSet set({"*.ras", "*.rs"}, MaskRules::Dos);
    EXPECT_TRUE(set.MatchesEntry("zeta.RAS", ""));
    EXPECT_TRUE(set.MatchesEntry("map.rs", ""));
    EXPECT_FALSE(set.MatchesEntry("map.r", ""));
    EXPECT_TRUE(set.MatchesEntry("long raster name.rasx", "LONGRA~1.RAS"));
    EXPECT_FALSE(MaskSet({}, MaskRules::Dos).MatchesEntry("a.ras", ""));
}

// Names the ANSI code page cannot hold: the form of each found name that reaches the file (the
// long name where the code page holds it, else the short name), as the listing carries it.
#include <gtest/gtest.h>

#include "explorer/listing.h"

using namespace morvel;
using namespace morvel::explorer_rules;

namespace {
// A folder whose search gives exactly these entries.
struct Found : FileSystem {
    std::vector<FoundEntry> entries;
    std::optional<std::string> FindFirstName(const std::string&) const override { return {}; }
    std::string ShortPath(const std::string& path) const override { return path; }
    bool FolderExists(const std::string&) const override { return true; }
    void Search(const std::string&, const std::function<void(const FoundEntry&)>& visit) const override {
        for (const FoundEntry& e : entries) visit(e);
    }
};
}  // namespace

TEST(ExplorerNames, EachNameReachesItsFileByTheFormTheCodePageHolds) {
    const struct {
        FoundEntry found;
        std::string text, reaching, shortName;  // as listed, lower-cased
    } cases[] = {
        // in the list's order
        {{"?older", true, false, "_OLD~JKE", u"\u03A3older"}, "?older\\", "_old~jke\\", "_OLD~JKE"},
        {{"??.bmp", false, false, "", u"\u65E5\u672C.bmp"}, "??.bmp", "", ""},  // the volume keeps no short name
        {{"a.bmp", false, false, ""}, "a.bmp", "a.bmp", "a.bmp"},
        {{"caf\xE9.bmp", false, false, "CAF~1.BMP"}, "caf\xE9.bmp", "caf\xE9.bmp", "CAF~1.BMP"},
        {{"No short.bmp", false, false, ""}, "no short.bmp", "no short.bmp", "No short.bmp"},
        {{"Omega.BMP", false, false, ""}, "omega.bmp", "omega.bmp", "Omega.BMP"},
        {{"Omega.bmp", false, false, "_MEG~KLJ.BMP", u"\u03A9mega.BMP"}, "omega.bmp", "_meg~klj.bmp", "_MEG~KLJ.BMP"},
    };
    Found fs;
    for (const auto& c : cases) fs.entries.push_back(c.found);
    const Listing listing = ListFolder(fs, "c:\\x", "*.bmp", {true, false});
    ASSERT_EQ(listing.entries.size(), std::size(cases)) << "look-alikes are listed apart";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const ListEntry& e = listing.entries[i];
        const FoundEntry& found = cases[i].found;
        EXPECT_EQ(e.text, cases[i].text) << i;
        EXPECT_EQ(ReachingText(e), cases[i].reaching) << i;
        // The name field shows the look-alike of an entry that nothing reaches.
        EXPECT_EQ(NameFieldText(e), cases[i].reaching.empty() ? e.text : cases[i].reaching) << i;
        EXPECT_EQ(e.shortName, cases[i].shortName) << i;
        EXPECT_EQ(e.realName.empty(), found.realName.empty()) << i;
        EXPECT_EQ(OpeningName(found).has_value(), !cases[i].reaching.empty()) << i;
    }
}

// The listing matches the names of one search in memory; here that matching is held to
// FindFirstFileA itself, mask by mask, on a folder of awkward names.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/name_mask.h"
#include "common/win/win_file_system.h"
#include "explorer/file_types.h"
#include "explorer/listing.h"
#include "win/support/test_env.h"

using namespace morvel;
using namespace morvel::test;

namespace {

// Names the user's folders hold, and names only other systems make: trailing dots and spaces
// (made through "\\?\", which keeps a name as given), several dots, no extension, long
// extensions that only the short name shortens to three letters, upper case.
const char* const kFiles[] = {
    "map.rs",
    "readme",
    "photo.jpeg",
    "a.b.c",
    "Beach.BMP",
    "x.pcx",
    "x.pc",
    "file.",
    "file..",
    "two words.bmp",
    "trail ",
    "trail.bmp ",
    "trail.bmp.",
    "many.dots.in.name.avl",
    "UPPER.AVL",
    "long name without ext",
    ".hidden",
    ".h.avl",
    "a.",
    "x.av",
    "x.avlx",
    "a..b",
    "aaaaaaaaa.bmp",
    "short.jp",
    "q.ab",
    "dotend.bm.",
    "clip.mpg.bak",
    "A B.TIF",
    "x.y.z.fli",
    "abcdefghij.pcxx",
    "f.mid.",
    "x.a.b.c",
    "song.MID",
    "movie.mpg",
    "movie.MPEG",
    "scan.jpg",
    "scan.jif",
    "old.pcc",
    "tiny.rs",
    "tile.tga",
    "x.kqp",
    "x.pic",
    "q.wpg",
    "PHOTO CD.PCD",
    "roll.dat",
    "z.dcx",
    "m.mac",
};

std::string Raw(const std::string& path) {
    return "\\\\?\\" + path;
}

class AwkwardFolder {
public:
    AwkwardFolder() : root_("masks") {
        for (const char* name : kFiles) {
            const HANDLE h =
                CreateFileA(Raw(root_ / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            EXPECT_NE(h, INVALID_HANDLE_VALUE) << name;
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
        // A folder and a system file that look like pictures are never listed as files.
        EXPECT_TRUE(CreateDirectoryA((root_ / "folder.bmp").c_str(), nullptr));
        EXPECT_TRUE(WriteBytes(root_ / "system.bmp", "x"));
        EXPECT_TRUE(SetFileAttributesA((root_ / "system.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM));
    }
    ~AwkwardFolder() {
        for (const char* name : kFiles) DeleteFileA(Raw(root_ / name).c_str());
        SetFileAttributesA((root_ / "system.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    const std::string& path() const { return root_.path(); }

private:
    TempFolder root_;
};

// The files FindFirstFileA finds for one mask (folders and system files left out).
std::set<std::string> Searched(const std::string& folder, const std::string& mask) {
    std::set<std::string> found;
    WIN32_FIND_DATAA data{};
    const HANDLE search = FindFirstFileA((folder + "\\" + mask).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (!(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM))) found.insert(data.cFileName);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return found;
}

// The same through one search of every entry and the in-memory matching.
std::set<std::string> Matched(const std::string& folder, const std::vector<std::string>& masks) {
    const MaskSet set(masks, RealFileSystem().SearchRules());
    std::set<std::string> found;
    RealFileSystem().Search(folder + "\\*.*", [&](const FoundEntry& e) {
        if (!e.folder && !e.system && set.MatchesEntry(e.name, e.shortName)) found.emplace(e.name);
    });
    return found;
}

std::string Joined(const std::set<std::string>& names) {
    std::string text;
    for (const auto& n : names) text += "[" + n + "] ";
    return text;
}

}  // namespace

TEST(ExplorerMasks, InMemoryMatchingTakesWhatTheSearchTakes) {
    AwkwardFolder folder;
    std::set<std::string> masks{"*.???", "*.*", "*.", "*.?", "*.??", "*.a??", "*.?v?", "*.bm?", "*.jpe"};
    for (const auto& type : explorer_rules::kFileTypes) {
        for (const std::string& mask : explorer_rules::SearchMasks(type.masks)) masks.insert(mask);
    }
    int nonEmpty = 0;
    for (const std::string& mask : masks) {
        const std::set<std::string> searched = Searched(folder.path(), mask);
        const std::set<std::string> matched = Matched(folder.path(), {mask});
        EXPECT_EQ(matched, searched) << mask << "\n  search:    " << Joined(searched)
                                     << "\n  in memory: " << Joined(matched);
        nonEmpty += searched.empty() ? 0 : 1;
    }
    EXPECT_GT(nonEmpty, 20) << "the folder was not made";
}

// Each file type lists what the searches of its masks found one by one.
TEST(ExplorerMasks, ListingOfEachFileTypeEqualsItsSearches) {
    AwkwardFolder folder;
    for (const auto& type : explorer_rules::kFileTypes) {
        std::set<std::string> expected;
        for (const std::string& mask : explorer_rules::SearchMasks(type.masks)) {
            for (const std::string& name : Searched(folder.path(), mask)) expected.insert(name);
        }
        const explorer_rules::Listing listing =
            explorer_rules::ListFolder(RealFileSystem(), folder.path(), type.masks, {false, false});
        std::set<std::string> files;
        std::vector<std::string> folders;
        for (const auto& e : listing.entries) {
            if (e.folder)
                folders.push_back(e.text);
            else
                files.insert(e.text);
        }
        EXPECT_EQ(files, expected) << type.label;
        EXPECT_EQ(folders, std::vector<std::string>{"folder.bmp\\"}) << type.label;
        EXPECT_TRUE(listing.hasParent) << type.label;
    }
}

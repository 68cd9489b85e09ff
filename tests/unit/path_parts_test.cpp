// Path parts as the library names them: Windows separators "\" and ":", plain text rules.
#include <gtest/gtest.h>

#include "common/path_parts.h"

namespace {

namespace path = morvel::path;

TEST(PathParts, FolderNameExtension) {
    struct Row {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
    };
    const Row rows[] = {
        {"C:\\DIR\\FILE.TXT", "C:\\DIR\\", "FILE.TXT", ".TXT"},
        {"C:FILE.TXT", "C:", "FILE.TXT", ".TXT"},
        {"C:\\", "C:\\", "", ""},
        {"C:", "C:", "", ""},
        {"FILE", "", "FILE", ""},
        {"", "", "", ""},
        {"C:\\DIR.D\\FILE", "C:\\DIR.D\\", "FILE", ""},
        {"archive.tar.gz", "", "archive.tar.gz", ".gz"},
        {".hidden", "", ".hidden", ".hidden"},
        {"name.", "", "name.", "."},
        {"\\\\server\\share\\a.b", "\\\\server\\share\\", "a.b", ".b"},
        {"dir/file.txt", "", "dir/file.txt", ".txt"},
        {"C:\\DIR\\", "C:\\DIR\\", "", ""},
        {"C:\\LONG NAME\\caf\xE9.jpeg", "C:\\LONG NAME\\", "caf\xE9.jpeg", ".jpeg"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(path::FolderPart(row.path), row.folder) << row.path;
        EXPECT_EQ(path::NamePart(row.path), row.name) << row.path;
        EXPECT_EQ(path::Extension(row.path), row.extension) << row.path;
    }
}

TEST(PathParts, DriveRoots) {
    struct Row {
        const char* path;
        bool root;
    };
    const Row rows[] = {
        {"C:\\", true}, {"c:\\", true}, {"Z:/", true},   {"C:", false},    {"C:\\x", false},
        {"1:\\", false}, {"CC\\", false}, {"", false},   {"\\\\", false},  {"\xC9:\\", false},
    };
    for (const Row& row : rows) EXPECT_EQ(path::IsDriveRoot(row.path), row.root) << row.path;
}

TEST(PathParts, TrailingBackslash) {
    EXPECT_EQ(path::WithTrailingBackslash("C:\\DIR"), "C:\\DIR\\");
    EXPECT_EQ(path::WithTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(path::WithTrailingBackslash(""), "\\");
    EXPECT_EQ(path::WithTrailingBackslash("A/"), "A/\\");
}

TEST(PathParts, AsciiCaseOnly) {
    EXPECT_TRUE(path::EqualsNoCase("Morvel.INI", "mORVEL.ini"));
    EXPECT_FALSE(path::EqualsNoCase("\xC9t\xE9", "\xE9t\xE9"));  // É and é differ
    EXPECT_FALSE(path::EqualsNoCase("a", "ab"));
    EXPECT_FALSE(path::EqualsNoCase("[", "{"));  // 0x5B and 0x7B are not a case pair
    EXPECT_EQ(path::ToLowerAscii("AbZ\xC9\xE9@["), "abz\xC9\xE9@[");
    EXPECT_EQ(path::ToUpperAscii("abz\xC9\xE9`{"), "ABZ\xC9\xE9`{");
}

}  // namespace

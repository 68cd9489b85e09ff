// The settings-file conventions of morvel.ini, section "morvel", through SettingsFile.
#include <gtest/gtest.h>

#include "common/ini_store.h"
#include "hostlink/settings.h"
#include "support/conformance_cases.h"
#include "unit/test_dir.h"

namespace {

using morvel::SettingsFile;
using morvel::conformance::ReadWholeFile;
using morvel::conformance::WriteWholeFile;
namespace key = morvel::key;

class SettingsTest : public ::testing::Test {
protected:
    // Lays down morvel.ini with the given "morvel" lines (nothing = no file).
    void Store(const std::optional<std::string>& lines) {
        std::remove(settings.path().c_str());
        if (lines) {
            ASSERT_TRUE(WriteWholeFile(settings.path(), "[morvel]\r\n" + *lines));
        }
    }
    std::string Raw() { return ReadWholeFile(settings.path()).value_or("<no file>"); }

    morvel::testing::TestDir dir;
    SettingsFile settings{dir.path().string()};
};

TEST_F(SettingsTest, PathIsFolderAndName) {
    EXPECT_EQ(settings.name(), "morvel.ini");
    EXPECT_EQ(settings.path(), (dir.path() / "morvel.ini").string());
}

TEST_F(SettingsTest, BuiltInIntegers) {
    struct Row {
        const char* name;
        std::optional<std::string> lines;
        std::int32_t expected;
    };
    constexpr std::int32_t kBuiltIn = 9;
    const Row rows[] = {
        {"no file", std::nullopt, kBuiltIn},
        {"absent key", "Other=1\r\n", kBuiltIn},
        {"stored 911", "Save8=911\r\n", kBuiltIn},
        {"stored 0x38F (911 in hexadecimal)", "Save8=0x38F\r\n", kBuiltIn},
        {"decimal", "Save8=3\r\n", 3},
        {"zero", "Save8=0\r\n", 0},
        {"hexadecimal", "Save8=0x0A\r\n", 10},
        {"upper-case X", "Save8=0X0a\r\n", 10},
        {"a word", "Save8=abc\r\n", kBuiltIn},
        {"digits and junk", "Save8=12abc\r\n", kBuiltIn},
        {"empty", "Save8=\r\n", kBuiltIn},
        {"quoted", "Save8=\"5\"\r\n", 5},
        {"other case of the key", "SAVE8=4\r\n", 4},
        {"key without a value", "Save8\r\n", kBuiltIn},
    };
    for (const Row& row : rows) {
        Store(row.lines);
        EXPECT_EQ(settings.ReadWithBuiltIn(key::Save8, kBuiltIn), row.expected) << row.name;
    }
}

TEST_F(SettingsTest, Geometry) {
    struct Row {
        const char* name;
        std::optional<std::string> lines;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"no file", std::nullopt, std::nullopt},
        {"absent", "bWinT=3\r\n", std::nullopt},
        {"stored -1", "bWinW=-1\r\n", std::nullopt},
        {"not a number", "bWinW=wide\r\n", std::nullopt},
        {"0xFFFFFFFF is -1", "bWinW=0xFFFFFFFF\r\n", std::nullopt},
        {"zero", "bWinW=0\r\n", 0},
        {"width", "bWinW=640\r\n", 640},
        {"negative other than -1", "bWinW=-2\r\n", -2},
    };
    for (const Row& row : rows) {
        Store(row.lines);
        EXPECT_EQ(settings.ReadGeometry(key::bWinW), row.expected) << row.name;
    }
}

TEST_F(SettingsTest, RequiredStrings) {
    struct Row {
        const char* name;
        std::optional<std::string> lines;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"no file", std::nullopt, std::nullopt},
        {"absent", "AVLTMP=x\r\n", std::nullopt},
        {"stored ERROR", "AVLFIL=ERROR\r\n", std::nullopt},
        {"stored quoted ERROR", "AVLFIL=\"ERROR\"\r\n", std::nullopt},
        {"a new slideshow", "AVLFIL=*\r\n", "*"},
        {"a path", "AVLFIL=C:\\SHOWS\\A.AVL\r\n", "C:\\SHOWS\\A.AVL"},
        {"empty", "AVLFIL=\r\n", ""},
    };
    for (const Row& row : rows) {
        Store(row.lines);
        EXPECT_EQ(settings.ReadRequired(key::AVLFIL), row.expected) << row.name;
    }
}

TEST_F(SettingsTest, StringsAreCutAt1023Characters) {
    const std::string value(5000, 'v');
    settings.WriteString(key::LastDir, value);
    EXPECT_EQ(settings.ReadString(key::LastDir, "d"), std::string(1023, 'v'));
    EXPECT_EQ(settings.ReadString(key::SavePath, "d"), "d");
}

TEST_F(SettingsTest, WriteBackSpellingReplacesSaveName) {
    Store("SaveName=C:\\OLD.BMP\r\nSaveExt=.BMP\r\n");
    settings.WriteString(key::SaveNameWriteBack, "C:\\NEW.JPG");
    EXPECT_EQ(Raw(), "[morvel]\r\nSaveName=C:\\NEW.JPG\r\nSaveExt=.BMP\r\n");
    EXPECT_EQ(settings.ReadString(key::SaveName, ""), "C:\\NEW.JPG");

    // With no SaveName yet, the host sees the write-back spelling, and reads it either way.
    Store("SaveExt=.BMP\r\n");
    settings.WriteString(key::SaveNameWriteBack, "C:\\A.PCX");
    EXPECT_EQ(Raw(), "[morvel]\r\nSaveExt=.BMP\r\nSavename=C:\\A.PCX\r\n");
    EXPECT_EQ(settings.ReadString(key::SaveName, ""), "C:\\A.PCX");
}

TEST_F(SettingsTest, IntegersRoundTripAndOtherSectionsStay) {
    ASSERT_TRUE(WriteWholeFile(settings.path(), "[host]\r\nx=1\r\n[morvel]\r\nbWinL=5\r\n"));
    for (const std::int32_t n : {0, 1, -1, 911, 2147483647, -2147483647 - 1}) {
        settings.WriteInteger(key::bWinL, n);
        EXPECT_EQ(settings.ReadInteger(key::bWinL, 77), n) << n;
    }
    settings.WriteInteger(key::MultiBPP, 24);
    EXPECT_EQ(Raw(), "[host]\r\nx=1\r\n[morvel]\r\nbWinL=-2147483648\r\nMultiBPP=24\r\n");
}

TEST_F(SettingsTest, EveryReadSeesTheFileAsItIsNow) {
    settings.WriteString(key::Win95file, "A.BMP");
    EXPECT_EQ(settings.ReadString(key::Win95file, ""), "A.BMP");
    // The host changes the file behind our back.
    ASSERT_TRUE(WriteWholeFile(settings.path(), "[morvel]\r\nWin95file=B.BMP\r\n"));
    EXPECT_EQ(settings.ReadString(key::Win95file, ""), "B.BMP");
    settings.WriteString(key::LongName, "b.bmp");
    EXPECT_EQ(Raw(), "[morvel]\r\nWin95file=B.BMP\r\nLongName=b.bmp\r\n");
}

TEST(SettingsWriteError, NamesTheFileWhenTheFolderCannotTakeIt) {
    morvel::testing::TestDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.File("afile"), "x"));
    const std::string folders[] = {dir.File("missing"), dir.File("afile")};
    for (const std::string& folder : folders) {
        const SettingsFile settings(folder);
        try {
            settings.WriteString(key::SaveName, "x");
            ADD_FAILURE() << "no WriteError for folder " << folder;
        } catch (const morvel::ini::WriteError& e) {
            EXPECT_STREQ(e.what(), "Unable to write to morvel.ini") << folder;
        }
        EXPECT_THROW(settings.WriteInteger(key::Save1, 1), morvel::ini::WriteError) << folder;
        // Reading the same place gives the defaults.
        EXPECT_EQ(settings.ReadWithBuiltIn(key::Save1, 2), 2) << folder;
    }
}

}  // namespace

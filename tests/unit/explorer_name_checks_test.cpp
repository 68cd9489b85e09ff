#include <gtest/gtest.h>

#include "common/path_parts.h"
#include "explorer/explorer_messages.h"
#include "explorer/name_checks.h"
#include "unit/support/fake_file_system.h"

using namespace morvel::explorer_rules;
using morvel::testing::FakeFileSystem;

TEST(ExplorerNameCheck, Verdicts) {
    FakeFileSystem fs;
    fs.AddFolder("c:\\My Pictures\\2024");
    const struct {
        const char* text;
        NameVerdict verdict;
    } cases[] = {
        {"photo.bmp", NameVerdict::Pass},
        {"photo", NameVerdict::Pass},
        {"a.b.c", NameVerdict::Pass},
        {"photo.jpg", NameVerdict::Pass},
        {"x.1", NameVerdict::Pass},
        {"c:\\My Pictures\\2024\\photo.bmp", NameVerdict::Pass},
        {"C:\\MY PICTURES\\photo.bmp", NameVerdict::Pass},
        {".bmp", NameVerdict::InvalidFilename},
        {"photo.", NameVerdict::InvalidFilename},
        {"photo.jpeg", NameVerdict::InvalidFilename},
        {"a.bcde.f", NameVerdict::InvalidFilename},
        {"pho*to.bmp", NameVerdict::InvalidFilename},
        {"what?.bmp", NameVerdict::InvalidFilename},
        {"say\"hi\".bmp", NameVerdict::InvalidFilename},
        {"a<b.bmp", NameVerdict::InvalidFilename},
        {"a>b.bmp", NameVerdict::InvalidFilename},
        {"sub\\photo.bmp", NameVerdict::InvalidFilename},
        {"c:photo.bmp", NameVerdict::InvalidFilename},
        {"c:\\Missing\\photo.bmp", NameVerdict::InvalidPath},
        {"c:\\My Pictures\\2024\\", NameVerdict::InvalidFilename},
        {"c:\\My Pictures\\.bmp", NameVerdict::InvalidFilename},
        {"c:\\Missing\\*.bmp", NameVerdict::InvalidFilename},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckName(c.text, fs), c.verdict) << c.text;
}

// "/" separates folders as "\" does: refused where "\" is, a path where "\" makes one.
TEST(ExplorerNameCheck, SlashIsAFolderSeparator) {
    FakeFileSystem fs;
    fs.AddFolder("c:\\My Pictures\\2024");
    const struct {
        const char* text;
        NameVerdict verdict;
    } cases[] = {
        {"sub/photo.bmp", NameVerdict::InvalidFilename},
        {"/photo.bmp", NameVerdict::InvalidFilename},
        {"c:/My Pictures/2024/photo.bmp", NameVerdict::Pass},
        {"c:\\My Pictures/2024\\photo.bmp", NameVerdict::Pass},
        {"c:/Missing/photo.bmp", NameVerdict::InvalidPath},
        {"c:/My Pictures/2024/", NameVerdict::InvalidFilename},
        {"c:/My Pictures/photo.jpeg", NameVerdict::InvalidFilename},
        {"c:/My Pictures/.bmp", NameVerdict::InvalidFilename},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckName(c.text, fs), c.verdict) << c.text;
    EXPECT_EQ(FullName("c:/My Pictures/photo.bmp", "c:\\pics"), "c:\\My Pictures\\photo.bmp");
    EXPECT_EQ(FullName("photo.bmp", "c:\\pics"), "c:\\pics\\photo.bmp");
    // The extension check hands back the name as the system writes it; a dot in a folder is
    // not an extension.
    const ExtensionVerdict v = CheckExtension("c:/a.dir/show", std::string(".AVL"));
    EXPECT_EQ(v.name, "c:\\a.dir\\show.AVL");
    EXPECT_FALSE(v.needsQuestion);
}

TEST(ExplorerNameCheck, DeviceNamesAreInvalid) {
    FakeFileSystem fs;
    fs.AddFolder("c:\\pics");
    for (const char* text : {"CON", "con", "Prn.bmp", "aux.avl", "NUL.txt", "com1", "COM9.BMP", "lpt1.jpg", "LPT9",
                             "con .bmp", "c:\\pics\\nul.bmp", "c:/pics/CON", "nul.a.b"}) {
        EXPECT_EQ(CheckName(text, fs), NameVerdict::InvalidFilename) << text;
        EXPECT_TRUE(IsDeviceName(std::string(morvel::path::NamePart(WithBackslashes(text))))) << text;
    }
    // Names that only begin like a device, or devices without a number, are files.
    for (const char* text : {"console.bmp", "com.bmp", "com0.bmp", "lpt10.bmp", "com1x.bmp", "nul_.bmp", "xcon.bmp",
                             "c:\\pics\\auxiliary.bmp", "c:\\pics\\prn1.bmp"}) {
        EXPECT_EQ(CheckName(text, fs), NameVerdict::Pass) << text;
    }
}

TEST(ExplorerExtensionCheck, AppendsOrAsks) {
    const struct {
        const char* text;
        std::optional<std::string> expected;
        std::string name;
        std::string ext;
        bool asks;
    } cases[] = {
        {"photo", ".BMP", "photo.BMP", ".BMP", false},
        {"photo.bmp", ".BMP", "photo.bmp", ".BMP", false},
        {"photo.jpg", ".BMP", "photo.jpg", ".JPG", true},
        {"show", ".AVL", "show.AVL", ".AVL", false},
        {"c:\\a.dir\\show", ".AVL", "c:\\a.dir\\show.AVL", ".AVL", false},
        {"c:\\a.dir\\show.txt", ".AVL", "c:\\a.dir\\show.txt", ".TXT", true},
        {"photo.jpg", std::nullopt, "photo.jpg", ".JPG", false},
    };
    for (const auto& c : cases) {
        const ExtensionVerdict v = CheckExtension(c.text, c.expected);
        EXPECT_EQ(v.name, c.name) << c.text;
        EXPECT_EQ(v.ext, c.ext) << c.text;
        EXPECT_EQ(v.needsQuestion, c.asks) << c.text;
    }
}

TEST(ExplorerNameCheck, FullName) {
    EXPECT_EQ(FullName("photo.bmp", "c:\\pics"), "c:\\pics\\photo.bmp");
    EXPECT_EQ(FullName("photo.bmp", "c:\\"), "c:\\photo.bmp");
    EXPECT_EQ(FullName("d:\\other\\photo.bmp", "c:\\pics"), "d:\\other\\photo.bmp");
    EXPECT_EQ(FullName("d:photo.bmp", "c:\\pics"), "c:\\pics\\d:photo.bmp");
}

TEST(ExplorerMessages, TextsAsShown) {
    EXPECT_EQ(msg::DriveNotReady('a'), "Drive A: not ready.");
    EXPECT_EQ(msg::ExtensionDiffers(".BMP", ".JPG"),
              "Extension (file type) different. \n.BMP expected instead of .JPG\nContinue?");
    EXPECT_EQ(msg::FileInUse("photo.BMP"), "photo.BMP\nin use.  Overwrite?");
    EXPECT_EQ(msg::CannotSave("c:\\ro\\photo.BMP"), "Cannot save \nc:\\ro\\photo.BMP.\nWrite access denied.");
}

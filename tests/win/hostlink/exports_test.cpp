// The utility exports and the Explorer entries with no Explorer open, as a host sees them:
// keys written before the call, keys and files after it, read back with the system's own
// profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "morvel32.h"
#include "win/support/import_patch.h"
#include "win/support/test_env.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

// The host's view of a key: what GetPrivateProfileStringA returns.
std::string HostRead(const std::string& key, const std::string& def = "<absent>") {
    char buffer[2048] = {};
    GetPrivateProfileStringA("morvel", key.c_str(), def.c_str(), buffer, sizeof buffer, "morvel.ini");
    return buffer;
}

void HostWrite(const std::string& key, const std::string& value) {
    ASSERT_TRUE(WritePrivateProfileStringA("morvel", key.c_str(), value.c_str(), "morvel.ini"));
}

class ExportsTest : public testing::Test {
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override { RemoveSettings(); }
};

// ASCII text as a UTF-16LE file with its byte-order mark.
std::string Utf16Le(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return std::string(buffer, length);
}

}  // namespace

TEST_F(ExportsTest, ShortToLongNameGivesTheLongNameOfAShortPath) {
    TempFolder folder("stl");
    const std::string dir = folder / "Long Folder Name";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    const std::string file = dir + "\\My Holiday Pictures.avl";
    ASSERT_TRUE(WriteBytes(file, "[slides]\r\n"));
    const std::string shortPath = ShortPathOf(file);
    ASSERT_FALSE(shortPath.empty());
    ASSERT_EQ(shortPath.find(' '), std::string::npos) << shortPath;

    HostWrite("SaveName", shortPath);
    ShortToLongName95();
    EXPECT_EQ(HostRead("LongName"), "My Holiday Pictures.avl");
    EXPECT_EQ(HostRead("SaveName"), shortPath) << "the input key is left as the host wrote it";
}

TEST_F(ExportsTest, ShortToLongNameCases) {
    TempFolder folder("stl-cases");
    ASSERT_TRUE(WriteBytes(folder / "Picture Two.bmp", "BM"));
    const std::string longPath(400, 'x');
    struct Case {
        const char* name;
        std::string saveName;  // empty: key not written
        std::string longName;
    } cases[] = {
        {"missing SaveName gives ERROR", "", "ERROR"},
        {"long path that exists", folder / "Picture Two.bmp", "Picture Two.bmp"},
        {"path that does not exist gives its name part", "c:\\nowhere\\PIC0001.BMP", "PIC0001.BMP"},
        {"name part after a drive colon", "q:PIC2.TGA", "PIC2.TGA"},
        {"no folder at all", "justaname.avl", "justaname.avl"},
        {"longer than MAX_PATH", "c:\\deep\\" + longPath + "\\end.bmp", "end.bmp"},
    };
    for (const Case& c : cases) {
        RemoveSettings();
        if (!c.saveName.empty()) HostWrite("SaveName", c.saveName);
        ShortToLongName95();
        EXPECT_EQ(HostRead("LongName"), c.longName) << c.name;
    }
}

TEST_F(ExportsTest, SettingsFilesThatAreDamagedOrOddReadByTheRules) {
    const std::string bigLine(1 << 20, 'q');
    const std::string value5000 = "c:\\" + std::string(4990, 'v') + "\\a.bmp";
    struct Case {
        const char* name;
        std::string bytes;
        std::string longName;  // what the host then reads
    } cases[] = {
        {"binary garbage", std::string("\x00\xff\xfe[\x01\x02=\x7f\x80\x00", 11) + "\r\n\x1a\x1a", "ERROR"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[morvel]\r\nSaveName=c:\\x\\caf\xC3\xA9.bmp\r\n", "caf\xE9.bmp"},
        {"UTF-16LE byte-order mark",
         Utf16Le("[morvel]\r\nSaveName=c:\\q.bmp"),
         "q.bmp"},
        {"a 1 MiB line before the key", "[morvel]\r\n" + bigLine + "\r\nSaveName=c:\\after\\big.tga\r\n", "big.tga"},
        {"no section morvel", "[other]\r\nSaveName=c:\\x\\y.bmp\r\n", "ERROR"},
        {"value of 5,000 characters is cut to 1023", "[morvel]\r\nSaveName=" + value5000 + "\r\n",
         value5000.substr(3, 1020)},
    };
    for (const Case& c : cases) {
        RemoveSettings();
        ASSERT_TRUE(WriteBytes(SettingsPath(), c.bytes)) << c.name;
        ShortToLongName95();
        EXPECT_EQ(HostRead("LongName"), c.longName) << c.name;
    }
}

TEST_F(ExportsTest, WritingKeepsTheFileEncodingAndTheHostsOtherKeys) {
    const std::string utf16 = Utf16Le("[morvel]\r\nK=v\r\n");
    ASSERT_TRUE(WriteBytes(SettingsPath(), utf16));
    ShortToLongName95();
    const std::string after = ReadBytes(SettingsPath()).value_or("");
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(HostRead("K"), "v");
    EXPECT_EQ(HostRead("LongName"), "ERROR");
}

TEST_F(ExportsTest, RefusedWriteShowsUnableToWriteAndReturns) {
    HostWrite("SaveName", "c:\\x\\pic.bmp");
    std::string text;
    {
    Immutable locked(SettingsPath());
    ASSERT_TRUE(locked.active());
    DriveModal([] { ShortToLongName95(); },
               [&] {
                   auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value()) << "no message box for the refused write";
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    }
    EXPECT_EQ(text, "Unable to write to morvel.ini");
    EXPECT_EQ(HostRead("LongName"), "<absent>");
}

namespace {
BOOL WINAPI RefusingGdiFlush() { return FALSE; }
}  // namespace

TEST_F(ExportsTest, GdiFlushReportsTheFlushResult) {
    EXPECT_EQ(GDIflush95(), 1) << "nothing pending";
    ImportPatch failing(GetModuleHandleA("morvel32.dll"), "gdi32.dll", "GdiFlush",
                        reinterpret_cast<void*>(&RefusingGdiFlush));
    ASSERT_TRUE(failing.active());
    EXPECT_EQ(GDIflush95(), 0);
}

extern "C" int MorvelHeaderFromC(void);

TEST_F(ExportsTest, CProgramsUseTheHeaderAndImportLibrary) {
    HostWrite("SaveName", "c:\\pictures\\from c.bmp");
    EXPECT_EQ(MorvelHeaderFromC(), 1) << "the C caller's checks of the header's values, plus GDIflush95's 1";
    EXPECT_EQ(HostRead("LongName"), "from c.bmp");
}

TEST_F(ExportsTest, ExplorerEntriesDoNothingWhenNoExplorerIsOpen) {
    const ResourceCounts before = CountResources();
    RemoteWinClose95();
    RemoteWinHide95();
    RemoteWinUpdate95();
    const ResourceCounts after = CountResources();
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_FALSE(FileExists(SettingsPath())) << "nothing is written";
}

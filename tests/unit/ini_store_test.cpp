// The INI store beyond the recorded cases: hostile input, encodings, the library's integer rule,
// round trips, large documents and file errors.
#include <gtest/gtest.h>

#include <random>

#include "common/ini_store.h"
#include "hostlink/settings.h"
#include "support/conformance_cases.h"
#include "unit/test_dir.h"

namespace {

namespace ini = morvel::ini;
using ini::Document;
using morvel::conformance::ReadWholeFile;
using morvel::conformance::WriteWholeFile;

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t u : text) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

// ---- Hostile input --------------------------------------------------------------------------

TEST(IniStoreInput, BinaryGarbageParsesAndRoundTrips) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(rng() % 4096), '\0');
        for (char& c : bytes) {
            // Bias towards the characters the parser cares about.
            static const char kSpecial[] = "[]=\r\n \t;\"'\0\x1a";
            c = (rng() % 3 == 0) ? kSpecial[rng() % (sizeof kSpecial - 1)] : static_cast<char>(rng());
        }
        const Document doc = Document::Parse(bytes);
        const std::string once = doc.Serialize();
        const Document again = Document::Parse(once);
        for (const std::string& section : doc.SectionNames()) {
            // Names that reach NUL-cut blanks are the one known way the rewrite reads differently.
            if (section.find('\0') != std::string::npos) continue;
            EXPECT_TRUE(again.HasSection(section)) << "round " << round << " lost section \"" << section << "\"";
        }
    }
}

TEST(IniStoreInput, MegabyteLineDoesNotHideTheNextKey) {
    const std::string big(1 << 20, 'x');
    const Document doc = Document::Parse("[S]\r\nbig=" + big + "\r\nafter=ok\r\n");
    EXPECT_EQ(doc.Get("S", "after"), "ok");
    const auto value = doc.Get("S", "big");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->size(), big.size());

    morvel::testing::TestDir dir;
    const std::string path = dir.File("big.ini");
    ASSERT_TRUE(WriteWholeFile(path, "[S]\r\nbig=" + big + "\r\n"));
    const auto r = ini::ProfileGetString("S", "big", "", 1024, path);
    EXPECT_EQ(r.ret, 1023u);
    EXPECT_EQ(r.buf, std::string(1023, 'x') + '\0');
}

TEST(IniStoreInput, HostileLinesTable) {
    struct Row {
        const char* name;
        std::string file;
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"only brackets", "[\r\n]\r\n[[[[\r\n]]]]=v\r\n", "", "]]]]", "v"},
        {"header is the whole line", "[S]x=1\r\n", "S", "x", std::nullopt},
        {"NUL cuts a name, the key is found by the rest", std::string("[S]\r\nk\0junk=v\r\n", 15), "S", "k", "v"},
        {"NUL in a value", std::string("[S]\r\nk=a\0b\r\n", 12), "S", "k", "a"},
        {"CR alone between keys", "[S]\rk=1\rj=2", "S", "j", "2"},
        {"tab and ^Z around a value", "[S]\r\nk=\t\x1a v \x1a\t\r\n", "S", "k", "v"},
        {"no line end at all", "[S]", "S", "k", std::nullopt},
        {"UTF-16 without a mark", std::string("[\0S\0]\0\r\0\n\0k\0=\0v\0", 16), "S", "k", std::nullopt},
        {"key of 100000 equals signs", "[S]\r\nk" + std::string(100000, '=') + "\r\n", "S", "k",
         std::string(99999, '=')},
    };
    for (const Row& row : rows) {
        const Document doc = Document::Parse(row.file);
        EXPECT_EQ(doc.Get(row.section, row.key), row.expected) << row.name;
    }
}

// ---- Encodings ------------------------------------------------------------------------------

TEST(IniStoreEncoding, UnicodeFilesReadInCodePage1252) {
    struct Row {
        const char* name;
        std::string file;
        ini::Encoding encoding;
    };
    const std::u16string text = u"[S]\r\nk=caf\u00e9 \u20ac \u0142\u00f3d\u017a \U0001D11E\r\n";
    std::string utf8 = "\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9 \xE2\x82\xAC \xC5\x82\xC3\xB3\x64\xC5\xBA \xF0\x9D\x84\x9E\r\n";
    const Row rows[] = {
        {"UTF-8", utf8, ini::Encoding::Utf8Bom},
        {"UTF-16LE", Utf16(text, false), ini::Encoding::Utf16Le},
        {"UTF-16BE", Utf16(text, true), ini::Encoding::Utf16Be},
    };
    for (const Row& row : rows) {
        const Document doc = Document::Parse(row.file);
        EXPECT_EQ(doc.encoding(), row.encoding) << row.name;
        // é and € have bytes of their own, ł and ź a best fit, the clef none (one '?' a unit).
        EXPECT_EQ(doc.Get("S", "k"), "caf\xE9 \x80 l\xF3" "dz ??") << row.name;
    }
}

TEST(IniStoreEncoding, MalformedUtf8BecomesQuestionMarks) {
    const Document doc = Document::Parse("\xEF\xBB\xBF[S]\r\nk=a\xC3(\xFF" "b\xE2\x82\r\n");
    EXPECT_EQ(doc.Get("S", "k"), "a?(?b?");
}

TEST(IniStoreEncoding, BestFitNamesAreListedButNeverMatched) {
    Document doc = Document::Parse(Utf16(u"[\u0141\u00f3d\u017a]\r\n\u0142=1\r\n", false));
    EXPECT_EQ(doc.SectionNames(), std::vector<std::string>{"L\xF3" "dz"});
    EXPECT_FALSE(doc.HasSection("L\xF3" "dz"));
    EXPECT_FALSE(doc.Get("L\xF3" "dz", "l"));
    // A write with the best-fit name makes a new section and keeps the original one intact.
    EXPECT_TRUE(doc.Set("L\xF3" "dz", "l", "2"));
    EXPECT_EQ(doc.Serialize(), Utf16(u"[\u0141\u00f3d\u017a]\r\n\u0142=1\r\n[L\u00f3dz]\r\nl=2\r\n", false));
}

TEST(IniStoreEncoding, RewritesKeepTheEncodingAndEveryCharacter) {
    struct Row {
        const char* name;
        std::string file;
        std::string expected;
    };
    const Row rows[] = {
        {"UTF-8 keeps a character without a code-page byte",
         "\xEF\xBB\xBF[S]\r\nk=\xC5\x82\xF0\x9D\x84\x9E\r\n",
         "\xEF\xBB\xBF[S]\r\nk=\xC5\x82\xF0\x9D\x84\x9E\r\nn=\xE2\x82\xAC\xC2\x81\r\n"},
        {"UTF-16LE", Utf16(u"[S]\r\nk=\u0142\r\n", false), Utf16(u"[S]\r\nk=\u0142\r\nn=\u20ac\u0081\r\n", false)},
        {"UTF-16BE", Utf16(u"[S]\r\nk=\u0142\r\n", true), Utf16(u"[S]\r\nk=\u0142\r\nn=\u20ac\u0081\r\n", true)},
        {"code page 1252 passes bytes through", "[S]\r\nk=\x81\x9D\xFF\r\n", "[S]\r\nk=\x81\x9D\xFF\r\nn=\x80\x81\r\n"},
    };
    for (const Row& row : rows) {
        Document doc = Document::Parse(row.file);
        ASSERT_TRUE(doc.Set("S", "n", "\x80\x81")) << row.name;
        EXPECT_EQ(morvel::conformance::Escape(doc.Serialize()), morvel::conformance::Escape(row.expected))
            << row.name;
        EXPECT_EQ(Document::Parse(doc.Serialize()).Get("S", "n"), "\x80\x81") << row.name;
    }
}

TEST(IniStoreEncoding, BestFitValueIsAlwaysRewritten) {
    // The stored text is not the code-page text, so writing the best fit is a change.
    Document doc = Document::Parse("\xEF\xBB\xBF[S]\r\nk=\xC5\x82\r\n");
    EXPECT_EQ(doc.Get("S", "k"), "l");
    EXPECT_TRUE(doc.Set("S", "k", "l"));
    EXPECT_FALSE(doc.Set("S", "k", "l"));
}

// ---- The library's integer rule -------------------------------------------------------------

TEST(ParseLibraryInt, Table) {
    struct Row {
        const char* text;
        std::int32_t expected;
    };
    constexpr std::int32_t kDef = 911;
    const Row rows[] = {
        {"0", 0},
        {"42", 42},
        {"-17", -17},
        {"+5", 5},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", kDef},
        {"-2147483649", kDef},
        {"99999999999999999999", kDef},
        {"0x0A", 10},
        {"0X1a", 26},
        {"0xff", 255},
        {"0x7FFFFFFF", 2147483647},
        {"0xFFFFFFFF", -1},
        {"0x80000000", -2147483647 - 1},
        {"0x100000000", kDef},
        {"0x", kDef},
        {"0X", kDef},
        {"0xG", kDef},
        {"0x1 ", kDef},
        {"-0x1", kDef},
        {"", kDef},
        {"-", kDef},
        {"+", kDef},
        {"abc", kDef},
        {"12abc", kDef},
        {" 12", kDef},
        {"12 ", kDef},
        {"3.9", kDef},
        {"1e3", kDef},
        {"--5", kDef},
        {"\xB2", kDef},  // superscript two is not a digit
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ini::ParseLibraryInt(row.text, kDef), row.expected) << "\"" << row.text << "\"";
    }
}

TEST(GetPrivateProfileInt, ReadsWhatTheLibraryWrites) {
    morvel::testing::TestDir dir;
    const std::string path = dir.File("n.ini");
    for (const std::int32_t n : {0, 1, -1, 911, 2147483647, -2147483647 - 1}) {
        ASSERT_TRUE(ini::ProfileWriteString("S", "n", std::to_string(n), path).ok);
        EXPECT_EQ(static_cast<std::int32_t>(ini::ProfileGetInt("S", "n", 5, path)), n) << n;
    }
}

// ---- Round trips ----------------------------------------------------------------------------

TEST(IniStoreRoundTrip, WrittenValuesReadBackIdentically) {
    morvel::testing::TestDir dir;
    const std::string path = dir.File("rt.ini");
    const char* values[] = {
        "v", "", "a b  c", "x=y=z", "; not a comment", "[not a section]", "it's",
        "\"unbalanced", "caf\xE9 \x80\x81\xFF", "C:\\WINDOWS\\TEMP\\~morvel.tmp", "'",
    };
    for (const char* value : values) {
        ASSERT_TRUE(ini::ProfileWriteString("morvel", "key", value, path).ok) << value;
        const auto r = ini::ProfileGetString("morvel", "key", "dflt", 1024, path);
        EXPECT_EQ(r.buf, std::string(value) + '\0') << "\"" << value << "\"";
        const Document doc = Document::Parse(*ReadWholeFile(path));
        EXPECT_EQ(doc.Get("morvel", "key"), value) << "\"" << value << "\"";
    }
}

TEST(IniStoreRoundTrip, WritesThatReadDifferentlyAsRecorded) {
    struct Row {
        const char* name;
        const char* key;
        const char* value;
        std::string file;
        std::vector<std::pair<const char*, std::optional<std::string>>> reads;
    };
    const Row rows[] = {
        {"leading blanks dropped", "k", " \t v", "[S]\r\nk=v\r\n", {{"k", "v"}}},
        {"trailing blanks written, trimmed on reading", "k", "v  ", "[S]\r\nk=v  \r\n", {{"k", "v"}}},
        {"quotes removed on reading", "k", "\"q\"", "[S]\r\nk=\"q\"\r\n", {{"k", "q"}}},
        {"CR LF in a value makes a new line", "k", "a\r\nb=c", "[S]\r\nk=a\r\nb=c\r\n", {{"k", "a"}, {"b", "c"}}},
        {"LF alone too", "k", "a\nb", "[S]\r\nk=a\nb\r\n", {{"k", "a"}, {"b", std::nullopt}}},
        {"equals sign in a key splits it", "a=b", "v", "[S]\r\na=b=v\r\n", {{"a", "b=v"}, {"a=b", std::nullopt}}},
        {"section header in a value", "k", "x\r\n[T]\r\nt=1", "[S]\r\nk=x\r\n[T]\r\nt=1\r\n", {{"k", "x"}}},
    };
    for (const Row& row : rows) {
        morvel::testing::TestDir dir;
        const std::string path = dir.File("w.ini");
        ASSERT_TRUE(ini::ProfileWriteString("S", row.key, row.value, path).ok) << row.name;
        EXPECT_EQ(ReadWholeFile(path), row.file) << row.name;
        for (const auto& [key, expected] : row.reads) {
            const auto r = ini::ProfileGetString("S", key, std::nullopt, 1024, path);
            const bool found = ini::Document::Parse(*ReadWholeFile(path)).Get("S", key).has_value();
            EXPECT_EQ(found, expected.has_value()) << row.name << ", key " << key;
            if (expected) {
                EXPECT_EQ(r.buf, *expected + '\0') << row.name << ", key " << key;
            }
        }
    }
}

TEST(IniStoreRoundTrip, NoChangeLeavesFileAlone) {
    morvel::testing::TestDir dir;
    const std::string path = dir.File("same.ini");
    const std::string original = "\r\n[S]  \r\n  k = v  ; c\r\n\r\n";
    ASSERT_TRUE(WriteWholeFile(path, original));
    ini::File file(path);
    ASSERT_TRUE(file.Load());
    file.Set("s", " k ", "v  ; c");
    file.DeleteKey("S", "missing");
    file.DeleteSection("T");
    EXPECT_FALSE(file.dirty());
    file.Save();
    EXPECT_EQ(ReadWholeFile(path), original);

    // Nothing to save: a missing file stays missing.
    ini::File absent(dir.File("absent.ini"));
    EXPECT_TRUE(absent.Load());
    absent.DeleteSection("S");
    absent.Save();
    EXPECT_FALSE(ReadWholeFile(dir.File("absent.ini")));
}

// ---- Large documents ------------------------------------------------------------------------

TEST(IniStoreLarge, TenThousandSectionsAfterSetsAndDeletes) {
    constexpr int kSections = 10000;
    std::string text;
    for (int i = 0; i < kSections; ++i) {
        text += "[Slide" + std::to_string(i) + "]\r\nFile=f" + std::to_string(i) + ".jpg\r\nTime=" +
                std::to_string(i % 60) + "\r\n";
    }
    text += "[Slide5]\r\nFile=shadowed\r\n";
    Document doc = Document::Parse(text);
    ASSERT_EQ(doc.SectionNames().size(), static_cast<std::size_t>(kSections + 1));

    for (int i = 0; i < kSections; i += 2) ASSERT_TRUE(doc.DeleteSection("slide" + std::to_string(i)));
    for (int i = 1; i < kSections; i += 2) ASSERT_TRUE(doc.Set("SLIDE" + std::to_string(i), "Extra", "e"));

    for (int i = 0; i < kSections; ++i) {
        const std::string s = "Slide" + std::to_string(i);
        if (i == 5) continue;
        if (i % 2 == 0) {
            EXPECT_FALSE(doc.HasSection(s)) << s;
            EXPECT_FALSE(doc.Get(s, "File")) << s;
        } else {
            EXPECT_EQ(doc.Get(s, "file"), "f" + std::to_string(i) + ".jpg") << s;
            EXPECT_EQ(doc.Get(s, "Extra"), "e") << s;
        }
    }
    // The first Slide5 still wins; deleting it uncovers the duplicate at the end.
    EXPECT_EQ(doc.Get("Slide5", "File"), "f5.jpg");
    ASSERT_TRUE(doc.DeleteSection("Slide5"));
    EXPECT_EQ(doc.Get("Slide5", "File"), "shadowed");
    EXPECT_FALSE(doc.Get("Slide5", "Extra"));

    // A new section of a deleted name goes to the end and is found again.
    ASSERT_TRUE(doc.Set("Slide0", "File", "new"));
    EXPECT_EQ(doc.Get("Slide0", "File"), "new");
    EXPECT_EQ(doc.SectionNames().back(), "Slide0");

    // The rewrite reads back the same.
    const Document again = Document::Parse(doc.Serialize());
    for (int i = 0; i < kSections; i += 97) {
        const std::string s = "Slide" + std::to_string(i);
        EXPECT_EQ(again.Get(s, "File"), doc.Get(s, "File")) << s;
    }
}

TEST(IniStoreLarge, TenThousandKeysInOneSection) {
    constexpr int kKeys = 10000;
    std::string text = "[S]\r\n";
    for (int i = 0; i < kKeys; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "key7=second\r\n";
    Document doc = Document::Parse(text);

    for (int i = 0; i < kKeys; i += 3) ASSERT_TRUE(doc.DeleteKey("S", "KEY" + std::to_string(i)));
    EXPECT_FALSE(doc.DeleteKey("S", "Key0"));
    for (int i = 0; i < kKeys; ++i) {
        const std::string k = "key" + std::to_string(i);
        if (i == 7) continue;
        if (i % 3 == 0) {
            EXPECT_FALSE(doc.Get("S", k)) << k;
        } else {
            EXPECT_EQ(doc.Get("s", k), std::to_string(i)) << k;
        }
    }
    // The first of two keys wins until it is deleted.
    EXPECT_EQ(doc.Get("S", "Key7"), "7");
    ASSERT_TRUE(doc.DeleteKey("S", "Key7"));
    EXPECT_EQ(doc.Get("S", "Key7"), "second");

    // Replacing keeps the place; a new key goes last.
    ASSERT_TRUE(doc.Set("S", "key1", "one"));
    ASSERT_TRUE(doc.Set("S", "New", "n"));
    const std::vector<std::string> keys = doc.KeyNames("S");
    EXPECT_EQ(keys.front(), "Key1");
    EXPECT_EQ(keys.back(), "New");
    EXPECT_EQ(doc.Get("S", "KEY1"), "one");

    // A copy has its own indexes.
    Document copy = doc;
    ASSERT_TRUE(copy.DeleteKey("S", "Key1"));
    ASSERT_TRUE(copy.DeleteSection("S"));
    EXPECT_FALSE(copy.Get("S", "Key2"));
    EXPECT_EQ(doc.Get("S", "Key1"), "one");
    EXPECT_EQ(doc.Get("S", "Key2"), "2");
    Document moved = std::move(copy);
    EXPECT_FALSE(moved.HasSection("S"));
}

// ---- Files ----------------------------------------------------------------------------------

TEST(IniStoreFiles, ReadStatus) {
    morvel::testing::TestDir dir;
    std::string bytes = "stale";
    EXPECT_EQ(ini::ReadFileBytes(dir.File("none.ini"), bytes), ini::ReadStatus::Missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ini::ReadFileBytes(dir.File("no-folder/none.ini"), bytes), ini::ReadStatus::Missing);
    ASSERT_TRUE(WriteWholeFile(dir.File("a.ini"), std::string("x\0y", 3)));
    EXPECT_EQ(ini::ReadFileBytes(dir.File("a.ini"), bytes), ini::ReadStatus::Ok);
    EXPECT_EQ(bytes, std::string("x\0y", 3));
    EXPECT_EQ(ini::ReadFileBytes(dir.path().string(), bytes), ini::ReadStatus::Error);
}

TEST(IniStoreFiles, RefusedWrites) {
    morvel::testing::TestDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.File("plain"), "x"));
    const std::string paths[] = {dir.File("no-folder/x.ini"), dir.File("plain/x.ini"), dir.path().string()};
    for (const std::string& path : paths) {
        EXPECT_FALSE(ini::WriteFileBytes(path, "[S]\r\n")) << path;

        ini::File file(path);
        file.Load();
        file.Set("S", "k", "v");
        try {
            file.Save();
            ADD_FAILURE() << "no WriteError for " << path;
        } catch (const ini::WriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
            EXPECT_EQ(e.path(), path);
        }

        const auto r = ini::ProfileWriteString("S", "k", "v", path);
        EXPECT_FALSE(r.ok) << path;
        EXPECT_NE(r.error, 0u) << path;
        // A read of the same path gives the default.
        EXPECT_EQ(ini::ProfileGetString("S", "k", "d", 16, path).buf, std::string("d\0", 2)) << path;
    }
}

// ---- Through the settings layer -------------------------------------------------------------

TEST(IniStoreSettings, LongValueAndMissingSection) {
    morvel::testing::TestDir dir;
    const morvel::SettingsFile settings(dir.path().string());
    std::string value;
    for (int i = 0; i < 5000; ++i) value += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(WriteWholeFile(settings.path(), "[other]\r\nSaveName=x\r\n[morvel]\r\nSaveName=" + value + "\r\n"));
    EXPECT_EQ(settings.ReadString("SaveName", ""), value.substr(0, 1023));

    ASSERT_TRUE(WriteWholeFile(settings.path(), "[other]\r\nSaveName=x\r\nbWinW=5\r\n"));
    EXPECT_EQ(settings.ReadString("SaveName", "none"), "none");
    EXPECT_EQ(settings.ReadGeometry("bWinW"), std::nullopt);
}

}  // namespace

// ---- The new-file writer ----------------------------------------------------------------------

// Lines written straight to a new file's bytes read exactly as the document writes them, for the
// texts a slideshow can hold: blanks before a value, a NUL inside, nothing before the joining
// comma, a blank as the joining character. Growth from no room at all is exercised too.
TEST(IniStoreNewFileWriter, WritesTheDocumentsBytes) {
    using namespace std::string_literals;
    struct Join {
        std::string key, value;
        char join;
        std::string more;
    };
    const std::vector<Join> rows = {
        {"F", "p1.bmp", ',', "3"},     {" F", "  p1.bmp", ',', "3"}, {"F", "p\0x"s, ',', "3"},
        {"F", "", ',', "3"},           {"F", "  ", ',', " 3"},       {"P", "Left", ',', "M\0id"s},
        {"P", "  ", ' ', " Mid"},      {"P", "Left", '\0', "Mid"},   {"K\0ey"s, "v", ',', ""},
        {"", std::string(300, 'x'), ',', std::string(300, 'y')},
        {"F", "  \0x"s, ',', "3"},     {"Keys\0\0xx"s, "a longer pa\0th.bmp"s, ',', "3"},
        {"F", "abcdefgh", ',', "12345\0"s "678"},
    };
    ini::NewFileWriter writer;
    Document doc;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Join& r = rows[i];
        std::string section = i % 2 ? " S" + std::to_string(i) : "S" + std::to_string(i);
        if (i + 1 == rows.size()) section = "Last\0"s + section;
        writer.Section(section);
        writer.Line(r.key, r.value, r.join, r.more);
        writer.Line("plain", r.value);
        std::string joined(r.value);
        joined += r.join;
        joined += r.more;
        doc.Set(section, r.key, joined);
        doc.Set(section, "plain", r.value);
    }
    EXPECT_EQ(writer.bytes(), doc.Serialize());
    EXPECT_EQ(writer.Take(), doc.Serialize());
    EXPECT_TRUE(writer.bytes().empty());
}

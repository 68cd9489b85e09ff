#include <gtest/gtest.h>

#include <fstream>

#include "common/ini_store.h"
#include "compress/compress_values.h"
#include "unit/test_dir.h"

using namespace morvel;
using namespace morvel::compress;
using morvel::testing::TestDir;

namespace {
void WriteIni(const TestDir& dir, const std::string& body) {
    std::ofstream(dir.File("morvel.ini"), std::ios::binary) << "[morvel]\r\n" << body;
}
std::string ReadIni(const TestDir& dir) {
    std::ifstream in(dir.File("morvel.ini"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(CompressValues, ReadingUsesBuiltInsFor911MissingAndNonNumbers) {
    const struct {
        const char* name;
        const char* body;
        CompressValues expected;
    } cases[] = {
        {"no keys", "", {0, 6, 12, 0}},
        {"stored 911", "SaveYUV=911\r\nSaveJPG=911\r\nSavePIC=911\r\nSaveCMP=911\r\n", {0, 6, 12, 0}},
        {"words", "SaveYUV=abc\r\nSaveJPG=fast\r\nSavePIC=-\r\nSaveCMP=x9\r\n", {0, 6, 12, 0}},
        {"stored values", "SaveYUV=2\r\nSaveJPG=40\r\nSavePIC=0x20\r\nSaveCMP=7\r\n", {2, 40, 32, 7}},
        // Out of range values are read as they are; the dialog's bars and lists deal with them.
        {"out of range", "SaveYUV=5\r\nSaveJPG=300\r\nSavePIC=-4\r\nSaveCMP=12\r\n", {5, 300, -4, 12}},
    };
    for (const auto& c : cases) {
        TestDir dir;
        WriteIni(dir, c.body);
        EXPECT_EQ(ReadCompressValues(SettingsFile(dir.path().string())), c.expected) << c.name;
    }
}

TEST(CompressValues, WritesTheFourKeysInOrder) {
    const auto writes = CompressKeyWrites({5, 255, 2, 3});
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0], (std::pair<std::string_view, std::int32_t>{"SaveYUV", 5}));
    EXPECT_EQ(writes[1], (std::pair<std::string_view, std::int32_t>{"SaveJPG", 255}));
    EXPECT_EQ(writes[2], (std::pair<std::string_view, std::int32_t>{"SavePIC", 2}));
    EXPECT_EQ(writes[3], (std::pair<std::string_view, std::int32_t>{"SaveCMP", 3}));

    TestDir dir;
    WriteIni(dir, "SaveJPG=9\r\nOther=1\r\n");
    const SettingsFile settings(dir.path().string());
    WriteCompressValues(settings, {1, 40, 50, 0});
    EXPECT_EQ(ReadCompressValues(settings), (CompressValues{1, 40, 50, 0}));
    // The key already there keeps its place; the new ones follow in the order written.
    EXPECT_EQ(ReadIni(dir), "[morvel]\r\nSaveJPG=40\r\nOther=1\r\nSaveYUV=1\r\nSavePIC=50\r\nSaveCMP=0\r\n");
}

TEST(CompressValues, RefusedWriteThrowsTheStoreError) {
    TestDir dir;
    // A folder where the file should be cannot be written.
    std::filesystem::create_directory(dir.path() / "morvel.ini");
    const SettingsFile settings(dir.path().string());
    try {
        WriteCompressValues(settings, {});
        FAIL() << "no error";
    } catch (const ini::WriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to morvel.ini");
    }
}

TEST(CompressValues, StoredPresetIndexes) {
    // Each entry of the list leads with its own index, which is what the host stores.
    for (std::size_t i = 0; i < kCmpPresets.size(); ++i) {
        EXPECT_EQ(kCmpPresets[i].substr(0, 4), std::to_string(i) + " - ") << i;
    }
    // Stored indexes outside the ten presets count as the custom preset, which alone enables the
    // custom value.
    const struct {
        std::int32_t stored;
        int index;
        bool customEnabled;
    } cases[] = {{0, 0, true}, {3, 3, false}, {9, 9, false}, {10, 0, true}, {-1, 0, true}, {911, 0, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(PresetIndex(c.stored), c.index) << c.stored;
        EXPECT_EQ(CustomValueEnabled(PresetIndex(c.stored)), c.customEnabled) << c.stored;
    }
    EXPECT_TRUE(CustomValueEnabled(-1)) << "a list without a selection";
}

TEST(CompressValues, ArrangementPerFormatCode) {
    for (const int code : {0, -10}) {
        const Arrangement a = ArrangementFor(code);
        EXPECT_TRUE(a.presetsVisible && a.presetsEnabled) << code;
        EXPECT_FALSE(a.colorBarVisible) << code;
        EXPECT_TRUE(a.colorLabelVisible && a.colorLabelNamesPresets) << code;
        EXPECT_EQ(a.colorLabel, "&CMP Presets") << code;
        EXPECT_EQ(a.lumaLabel, "Custom &Setting") << code;
        EXPECT_FALSE(a.radiosEnabled) << code;
        EXPECT_FALSE(a.presetReset) << code;
    }
    for (const int code : {1, -11}) {
        const Arrangement a = ArrangementFor(code);
        EXPECT_TRUE(a.presetsVisible) << code;
        EXPECT_FALSE(a.presetsEnabled) << code;
        EXPECT_FALSE(a.colorBarVisible || a.colorLabelVisible) << code;
        EXPECT_EQ(a.lumaLabel, "Custom &Setting") << code;
        EXPECT_EQ(a.radiosEnabled, code == 1) << code;
        EXPECT_TRUE(a.presetReset) << code;
    }
    for (const int code : {99, 98, 7, 37, -1, 2147483647}) {
        const Arrangement a = ArrangementFor(code);
        EXPECT_FALSE(a.presetsVisible) << code;
        EXPECT_TRUE(a.colorBarVisible && a.colorLabelVisible) << code;
        EXPECT_FALSE(a.colorLabelNamesPresets) << code;
        EXPECT_EQ(a.colorLabel, "&Color Setting") << code;
        EXPECT_EQ(a.lumaLabel, "Luminance &Setting") << code;
        EXPECT_TRUE(a.radiosEnabled) << code;
        EXPECT_TRUE(a.presetReset) << code;
    }
}

TEST(CompressValues, FieldCorrectionAtEachChange) {
    const struct {
        const char* text;
        std::optional<int> position;
        std::optional<std::string> replacement;
    } cases[] = {
        {"", 2, "2"},
        {"1", 2, "2"},
        {"0", 2, "2"},
        {"-5", 2, "2"},
        {"2", 2, std::nullopt},
        {"99", 99, std::nullopt},
        {"255", 255, std::nullopt},
        {"256", 255, "255"},
        {"999", 255, "255"},
        {"+40", 40, std::nullopt},
        {"007", 7, std::nullopt},
        // Pasted values beyond 32 bits are still numbers, far out of range.
        {"1234567890", 255, "255"},
        {"99999999999999999999999", 255, "255"},
        {"-99999999999999999999999", 2, "2"},
    };
    for (const auto& c : cases) {
        const FieldCorrection r = CorrectQualityField(c.text);
        EXPECT_EQ(r.position, c.position) << '"' << c.text << '"';
        EXPECT_EQ(r.replacement, c.replacement) << '"' << c.text << '"';
        EXPECT_FALSE(r.error) << '"' << c.text << '"';
        // What the field is given is itself a settled value.
        if (r.replacement) {
            EXPECT_FALSE(CorrectQualityField(*r.replacement).replacement) << c.text;
        }
    }
}

TEST(CompressValues, TextThatIsNotANumberGivesTheConversionMessage) {
    for (const char* text : {"-", "+", "abc", "12a", " 12", "12 ", "0x10", "$10", "1.5", "--3"}) {
        const FieldCorrection r = CorrectQualityField(text);
        EXPECT_FALSE(r.position) << text;
        EXPECT_FALSE(r.replacement) << text;
        ASSERT_TRUE(r.error) << text;
        EXPECT_EQ(*r.error, "'" + std::string(text) + "' is not a valid integer value");
    }
}

TEST(CompressValues, OkTakesTheFieldOrTheBar) {
    EXPECT_EQ(QualityOnOk("40", 12), 40);
    EXPECT_EQ(QualityOnOk("-", 12), 12);
    EXPECT_EQ(QualityOnOk("abc", 77), 77);
    EXPECT_EQ(QualityOnOk("999", 12), 255);
    EXPECT_EQ(ClampQuality(300), 255);
    EXPECT_EQ(ClampQuality(-4), 2);
    EXPECT_EQ(ClampQuality(911), 255);
}

TEST(CompressValues, YuvRadioRule) {
    EXPECT_EQ(CheckedYuv(0), YuvButton::Yuv4);
    EXPECT_EQ(CheckedYuv(1), YuvButton::Yuv2);
    EXPECT_EQ(CheckedYuv(2), YuvButton::Yuv1);
    EXPECT_EQ(CheckedYuv(5), YuvButton::Yuv4);
    EXPECT_EQ(CheckedYuv(-1), YuvButton::Yuv4);
    EXPECT_EQ(YuvValue(YuvButton::Yuv4), 0);
    EXPECT_EQ(YuvValue(YuvButton::Yuv2), 1);
    EXPECT_EQ(YuvValue(YuvButton::Yuv1), 2);
    EXPECT_EQ(kYuvCaptions[static_cast<int>(CheckedYuv(2))], "4:1:1");
}

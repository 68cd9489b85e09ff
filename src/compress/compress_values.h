// The compression dialog's values and rules: the four settings and their defaults, the CMP
// presets, how the dialog arranges itself for a format code, the correction of the two quality
// fields at every keystroke, and the YUV radio buttons.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostlink/settings.h"

namespace morvel::compress {

inline constexpr int kQualityMin = 2;
inline constexpr int kQualityMax = 255;
inline constexpr int kQualityLargeStep = 10;
inline constexpr int kQualitySmallStep = 1;

// The four settings as the keys SaveYUV, SaveJPG, SavePIC and SaveCMP hold them.
struct CompressValues {
    std::int32_t yuv = 0;   // 0 = 4:4:4, 1 = 4:2:2, 2 = 4:1:1; any other stored value is kept
    std::int32_t jpg = 6;   // first quality value: luminance, or the single custom value
    std::int32_t pic = 12;  // second quality value: colour
    std::int32_t cmp = 0;   // CMP preset index
    bool operator==(const CompressValues&) const = default;
};

inline constexpr std::array<std::string_view, 10> kCmpPresets = {
    "0 - Custom Quality vs. Size",  "1 - Perfect Quality (Option 1)",     "2 - Perfect Quality (Option 2)",
    "3 - Better Quality vs. Size",  "4 - More Quality  vs. Size",         "5 - Equal Quality vs. Size",
    "6 - More Compression (Sharp)", "7 - More Compression (Less Tiling)", "8 - Greater Compression",
    "9 - Maximum Compression",
};

// Reads the four keys with 911 standing for a missing value; 911 gives the built-in default
// (0, 6, 12, 0), and so does text that is not a number.
CompressValues ReadCompressValues(const SettingsFile& settings);

// The keys and values a confirmed dialog leaves, in the order they are written: SaveYUV,
// SaveJPG, SavePIC, SaveCMP.
std::vector<std::pair<std::string_view, std::int32_t>> CompressKeyWrites(const CompressValues& values);
// Writes them in that order; a refused write throws the store's write error.
void WriteCompressValues(const SettingsFile& settings, const CompressValues& values);

// A quality value as a bar shows it: kept within 2..255.
int ClampQuality(std::int64_t value);

// A stored preset index outside 0..9 would leave the preset list without a selection and come
// back as -1; it counts as the custom preset.
int PresetIndex(std::int32_t stored);

// The first bar and its field work only for the custom preset (index 0 or less).
bool CustomValueEnabled(int presetIndex);

// How the dialog shows itself for the format code of the selected save format.
struct Arrangement {
    bool presetsVisible = false;
    bool presetsEnabled = false;
    bool colorBarVisible = true;  // the second bar, its frame and ColorEdit
    bool colorLabelVisible = true;
    bool colorLabelNamesPresets = false;  // "&CMP Presets" focusing the preset list
    bool radiosEnabled = true;
    bool presetReset = true;  // SaveCMP := 0 before the dialog shows
    std::string_view lumaLabel;
    std::string_view colorLabel;
};
Arrangement ArrangementFor(std::int32_t formatCode);

inline constexpr std::string_view kLumaLabel = "Luminance &Setting";
inline constexpr std::string_view kCustomLabel = "Custom &Setting";
inline constexpr std::string_view kColorLabel = "&Color Setting";
inline constexpr std::string_view kPresetsLabel = "&CMP Presets";

// What a quality field's text becomes at each change.
struct FieldCorrection {
    // The number the bar takes; nothing when the text is not a number (the bar keeps its place).
    std::optional<int> position;
    // The text the field is given instead of what was typed; nothing when it stays as it is.
    std::optional<std::string> replacement;
    // The conversion message shown for text that is not a number.
    std::optional<std::string> error;
};
// Empty text becomes "2", a number of 256 or more "255", a number below 2 "2". A number is an
// optional sign and decimal digits; digits beyond what 32 bits hold still make a number (a
// pasted 10-digit value ends as 255, not as an error).
FieldCorrection CorrectQualityField(std::string_view text);

// "'%s' is not a valid integer value"
std::string NotAnInteger(std::string_view text);

// The value OK takes from a field: its number when it holds one, otherwise the bar's position,
// which is the last number the field held.
int QualityOnOk(std::string_view text, int barPosition);

// YUV radio buttons in their group order: "4:4:4", "4:2:2", "4:1:1".
enum class YuvButton { Yuv4 = 0, Yuv2 = 1, Yuv1 = 2 };
inline constexpr std::array<std::string_view, 3> kYuvCaptions = {"4:4:4", "4:2:2", "4:1:1"};
// The button checked for a stored value: 1 and 2 their own, anything else "4:4:4".
YuvButton CheckedYuv(std::int32_t stored);
// The value a click on a button sets. A stored value no button stands for (5, say) stays as it is
// until a button is clicked.
std::int32_t YuvValue(YuvButton clicked);

}  // namespace morvel::compress

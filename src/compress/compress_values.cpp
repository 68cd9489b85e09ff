#include "compress/compress_values.h"

#include <algorithm>
#include <cctype>

namespace morvel::compress {

CompressValues ReadCompressValues(const SettingsFile& settings) {
    const CompressValues builtIn;
    CompressValues values;
    values.yuv = settings.ReadWithBuiltIn(key::SaveYUV, builtIn.yuv);
    values.jpg = settings.ReadWithBuiltIn(key::SaveJPG, builtIn.jpg);
    values.pic = settings.ReadWithBuiltIn(key::SavePIC, builtIn.pic);
    values.cmp = settings.ReadWithBuiltIn(key::SaveCMP, builtIn.cmp);
    return values;
}

std::vector<std::pair<std::string_view, std::int32_t>> CompressKeyWrites(const CompressValues& values) {
    return {
        {key::SaveYUV, values.yuv}, {key::SaveJPG, values.jpg}, {key::SavePIC, values.pic}, {key::SaveCMP, values.cmp}};
}

void WriteCompressValues(const SettingsFile& settings, const CompressValues& values) {
    for (const auto& [name, value] : CompressKeyWrites(values)) settings.WriteInteger(name, value);
}

int ClampQuality(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, kQualityMin, kQualityMax));
}

int PresetIndex(std::int32_t stored) {
    return stored >= 0 && stored < static_cast<std::int32_t>(kCmpPresets.size()) ? stored : 0;
}

bool CustomValueEnabled(int presetIndex) {
    return presetIndex <= 0;
}

Arrangement ArrangementFor(std::int32_t formatCode) {
    Arrangement a;
    switch (formatCode) {
        case 0:
        case -10:
            a.presetsVisible = true;
            a.presetsEnabled = true;
            a.colorBarVisible = false;
            a.colorLabelVisible = true;
            a.colorLabelNamesPresets = true;
            a.radiosEnabled = false;
            a.presetReset = false;
            a.lumaLabel = kCustomLabel;
            a.colorLabel = kPresetsLabel;
            break;
        case 1:
        case -11:
            a.presetsVisible = true;
            a.presetsEnabled = false;
            a.colorBarVisible = false;
            a.colorLabelVisible = false;
            a.radiosEnabled = formatCode == 1;
            a.lumaLabel = kCustomLabel;
            a.colorLabel = kColorLabel;
            break;
        default:
            a.presetsVisible = false;
            a.presetsEnabled = true;
            a.colorBarVisible = true;
            a.colorLabelVisible = true;
            a.lumaLabel = kLumaLabel;
            a.colorLabel = kColorLabel;
            break;
    }
    return a;
}

namespace {
// An optional sign and at least one decimal digit, nothing else. Values beyond 32 bits saturate:
// only their side of the 2..255 range matters.
std::optional<std::int64_t> ParseNumber(std::string_view text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    if (at == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (!std::isdigit(c)) return std::nullopt;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 40);
    }
    return negative ? -value : value;
}
}  // namespace

std::string NotAnInteger(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

FieldCorrection CorrectQualityField(std::string_view text) {
    FieldCorrection result;
    if (text.empty()) {
        result.replacement = std::to_string(kQualityMin);
        result.position = kQualityMin;
        return result;
    }
    const auto number = ParseNumber(text);
    if (!number) {
        result.error = NotAnInteger(text);
        return result;
    }
    if (*number > kQualityMax) {
        result.replacement = std::to_string(kQualityMax);
    } else if (*number < kQualityMin) {
        result.replacement = std::to_string(kQualityMin);
    }
    result.position = ClampQuality(*number);
    return result;
}

int QualityOnOk(std::string_view text, int barPosition) {
    if (const auto number = ParseNumber(text)) return ClampQuality(*number);
    return ClampQuality(barPosition);
}

YuvButton CheckedYuv(std::int32_t stored) {
    if (stored == 1) return YuvButton::Yuv2;
    if (stored == 2) return YuvButton::Yuv1;
    return YuvButton::Yuv4;
}

std::int32_t YuvValue(YuvButton clicked) {
    return static_cast<std::int32_t>(clicked);
}

}  // namespace morvel::compress

#include "common/codepage1252.h"

#include <array>

namespace morvel::cp1252 {

namespace {

// 0x80..0x9F; the other bytes equal their Unicode value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Best fit for U+0100..U+024F: the base letter, '?' where there is none (ligatures, letters of
// their own). Sixteen characters a row.
constexpr std::string_view kLatinExtended =
    "AaAaAaCcCcCcCcDd"  // 0100
    "DdEeEeEeEeEeGgGg"  // 0110
    "GgGgHhHhIiIiIiIi"  // 0120
    "Ii??JjKkkLlLlLlL"  // 0130
    "lLlNnNnNnnNnOoOo"  // 0140
    "OoOoRrRrRrSsSsSs"  // 0150
    "SsTtTtTtUuUuUuUu"  // 0160
    "UuUuWwYyYZzZzZzs"  // 0170
    "bBBb??OCcDDDd?E?"  // 0180
    "EFfG??IIKkl?MNnO"  // 0190
    "Oo??PpR????tTtTU"  // 01A0
    "u?VYyZz?????????"  // 01B0
    "?????????????AaI"  // 01C0
    "iOoUuUuUuUuUu?Aa"  // 01D0
    "Aa??GgGgKkOoOo??"  // 01E0
    "j???Gg??NnAa??Oo"  // 01F0
    "AaAaEeEeIiIiOoOo"  // 0200
    "RrRrUuUuSsTt??Hh"  // 0210
    "Nd??ZzAaEeOoOoOo"  // 0220
    "OoYylntj??ACcLTs"  // 0230
    "z??BU?EeJjQqRrYy";  // 0240
static_assert(kLatinExtended.size() == 0x250 - 0x100);

char BestFit(char16_t unit) {
    if (unit >= 0x100 && unit < 0x250) return kLatinExtended[unit - 0x100];
    if (unit >= 0xFF01 && unit <= 0xFF5E) return static_cast<char>(unit - 0xFF01 + 0x21);
    return '?';
}

void AppendUtf8CodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char16_t ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte;
}

bool FromUnicode(char16_t unit, char& byte) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        byte = static_cast<char>(unit);
        return true;
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == unit) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    byte = BestFit(unit);
    return false;
}

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            out += static_cast<char16_t>(b0);
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2, cp = b0 & 0x1F, min = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3, cp = b0 & 0x0F, min = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4, cp = b0 & 0x07, min = 0x10000;
        }
        std::size_t used = 1;
        bool ok = len != 0;
        while (ok && used < len) {
            if (i + used >= n) {
                ok = false;
                break;
            }
            const auto b = static_cast<unsigned char>(bytes[i + used]);
            if ((b & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (b & 0x3F);
            ++used;
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            // One replacement for the lead byte and the continuation bytes that followed it.
            out += u'\uFFFD';
            i += used;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        out += static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    return out;
}

void AppendUtf8(std::string& out, std::u16string_view units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8CodePoint(out, cp);
    }
}

void AppendUtf16(std::string& out, std::u16string_view units, bool bigEndian) {
    for (const char16_t u : units) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        if (bigEndian) {
            out += hi;
            out += lo;
        } else {
            out += lo;
            out += hi;
        }
    }
}

std::u16string Widen(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text) out += ToUnicode(static_cast<unsigned char>(c));
    return out;
}

}  // namespace morvel::cp1252

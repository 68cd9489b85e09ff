// Code page 1252 and the Unicode forms of INI files (UTF-8, UTF-16LE/BE). The library keeps all
// text in code page 1252; files with a byte-order mark are decoded to UTF-16 units and each unit
// is mapped to one code-page byte, with a best fit where the code page has no equivalent.
#pragma once

#include <string>
#include <string_view>

namespace morvel::cp1252 {

// The UTF-16 unit of a code-page byte. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 controls of the same value, so every byte survives a round trip.
char16_t ToUnicode(unsigned char byte);

// The code-page byte of a UTF-16 unit. Returns false and a best-fit byte (a Latin letter without
// its diacritic, an ASCII form of a full-width character, else '?') when there is no equivalent.
bool FromUnicode(char16_t unit, char& byte);

// UTF-8 bytes (no mark) to UTF-16 units; malformed sequences become U+FFFD.
std::u16string DecodeUtf8(std::string_view bytes);
// UTF-16 bytes (no mark) to units; a trailing odd byte is ignored.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian);

// Appends UTF-16 units as UTF-8 / UTF-16 bytes (lone surrogates become U+FFFD in UTF-8).
void AppendUtf8(std::string& out, std::u16string_view units);
void AppendUtf16(std::string& out, std::u16string_view units, bool bigEndian);

// Code-page text to UTF-16 units.
std::u16string Widen(std::string_view text);

}  // namespace morvel::cp1252

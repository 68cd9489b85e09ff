// Parts of a path as the library names them. Paths are Windows paths in code page 1252, but the
// rules are plain text rules, so they live here without <windows.h>.
#pragma once

#include <string>
#include <string_view>

namespace morvel::path {

// Text up to and including the last "\" or ":" ("" when there is neither).
std::string_view FolderPart(std::string_view path);
// Text after the last "\" or ":".
std::string_view NamePart(std::string_view path);
// From the last "." of the name part, dot included; "" when the name part has no dot.
std::string_view Extension(std::string_view path);

// "c:\" style drive root (letter, colon, backslash or slash), nothing after it.
bool IsDriveRoot(std::string_view path);
// The path with one final "\" added when it does not end in "\" already.
std::string WithTrailingBackslash(std::string_view path);

// ASCII-only case folding, as the file system and the profile functions compare names.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

}  // namespace morvel::path

// Checks on a name the user typed or picked, before it is handed to the host.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace morvel::explorer_rules {

// The longest text the name field takes: the longest path the ANSI file calls accept (MAX_PATH
// less the terminating zero).
inline constexpr int kLongestName = 259;

// The text with every "/" written as "\": the system takes both as folder separators, and so
// does the name field.
std::string WithBackslashes(std::string_view text);

// The name field's text when it holds both ":" and "\", else the folder (with "\") and the text;
// a "/" in the field counts as a "\" and is written as one.
std::string FullName(std::string_view nameField, std::string_view folder);

enum class NameVerdict { Pass, InvalidPath, InvalidFilename };

// A name holding " > < * ? is refused; a name with a drive and folder needs an existing folder;
// a bare name may hold no ":" or "\"; the name part may not begin or end with its first dot, nor
// have more than three characters after it, and may not be empty. "/" counts as "\". A device
// name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with or without an extension) is refused: the
// system would open the device instead of a file.
NameVerdict CheckName(std::string_view text, const FileSystem& fs);

// The name part names a device: its text up to the first dot, trailing spaces dropped, is one
// of the reserved names in any case.
bool IsDeviceName(std::string_view name);

struct ExtensionVerdict {
    std::string name;            // the name to use: the text, with the expected extension appended when it had none
    std::string ext;             // its extension in upper case
    bool needsQuestion = false;  // the extension differs from the expected one: ask before going on
};

// Appends the expected extension to a name without one; flags a different extension for the
// question. With no expected extension (no type selected) the name passes as it is. Any "/" in
// the name comes back as "\".
ExtensionVerdict CheckExtension(std::string_view text, const std::optional<std::string>& expected);

}  // namespace morvel::explorer_rules

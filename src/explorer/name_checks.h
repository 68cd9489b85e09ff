// Checks on a name the user typed or picked, before it is handed to the host.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace morvel::explorer_rules {

// The name field's text when it holds both ":" and "\", else the folder (with "\") and the text.
std::string FullName(std::string_view nameField, std::string_view folder);

enum class NameVerdict { Pass, InvalidPath, InvalidFilename };

// A name holding " > < * ? is refused; a name with a drive and folder needs an existing folder;
// a bare name may hold no ":" or "\"; the name part may not begin or end with its first dot, nor
// have more than three characters after it, and may not be empty.
NameVerdict CheckName(std::string_view text, const FileSystem& fs);

struct ExtensionVerdict {
    std::string name;            // the name to use: the text, with the expected extension appended when it had none
    std::string ext;             // its extension in upper case
    bool needsQuestion = false;  // the extension differs from the expected one: ask before going on
};

// Appends the expected extension to a name without one; flags a different extension for the
// question. With no expected extension (no type selected) the name passes as it is.
ExtensionVerdict CheckExtension(std::string_view text, const std::optional<std::string>& expected);

}  // namespace morvel::explorer_rules

// The Explorer's fixed message texts. "\n" is a line break in the box.
#pragma once

#include <string>
#include <string_view>

namespace morvel::explorer_rules::msg {

inline constexpr std::string_view kCorruptedSettings = "Morvel.INI corrupted.\nPlease close and restart Morvel.";
inline constexpr std::string_view kInvalidPath = "Invalid path.\nPlease reenter.";
inline constexpr std::string_view kInvalidFilename = "Invalid filename.\nPlease reenter.";
inline constexpr std::string_view kFileNotFound = "File not found.";
inline constexpr std::string_view kNoFilesSelected = "No files selected!";
// A listed name that the code page cannot hold, on a volume that keeps no short name for it.
inline constexpr std::string_view kNameCannotPass = "The name of this file cannot be passed on.\nPlease rename it.";

// "Drive A: not ready."
std::string DriveNotReady(char letter);
// "Extension (file type) different. \n.BMP expected instead of .JPG\nContinue?"
std::string ExtensionDiffers(std::string_view expected, std::string_view ext);
// "<name>\nin use.  Overwrite?"
std::string FileInUse(std::string_view name);
// "Cannot save \n<full name>.\nWrite access denied."
std::string CannotSave(std::string_view fullName);

}  // namespace morvel::explorer_rules::msg

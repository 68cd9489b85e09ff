#include "explorer/explorer_messages.h"

namespace morvel::explorer_rules::msg {

std::string DriveNotReady(char letter) {
    const char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
    return std::string("Drive ") + upper + ": not ready.";
}

std::string ExtensionDiffers(std::string_view expected, std::string_view ext) {
    std::string text = "Extension (file type) different. \n";
    text += expected;
    text += " expected instead of ";
    text += ext;
    text += "\nContinue?";
    return text;
}

std::string FileInUse(std::string_view name) {
    std::string text(name);
    text += "\nin use.  Overwrite?";
    return text;
}

std::string CannotSave(std::string_view fullName) {
    std::string text = "Cannot save \n";
    text += fullName;
    text += ".\nWrite access denied.";
    return text;
}

}  // namespace morvel::explorer_rules::msg

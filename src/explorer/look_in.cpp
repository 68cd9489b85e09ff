#include "explorer/look_in.h"

#include "common/path_parts.h"

namespace morvel::explorer_rules {

namespace {
std::string_view AfterIndent(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

char LowerLetter(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
}  // namespace

std::string DriveEntryText(const DriveInfo& drive) {
    std::string text{LowerLetter(drive.letter), ':'};
    switch (drive.type) {
        case DriveType::Fixed:
        case DriveType::CdRom:
        case DriveType::RamDisk:
            // A drive without a label shows its letter alone rather than empty brackets.
            if (!drive.label.empty()) text += " [" + path::ToLowerAscii(drive.label) + "]";
            break;
        case DriveType::Remote:
            if (!drive.label.empty()) text += " " + path::ToLowerAscii(drive.label);
            break;
        default:
            break;
    }
    return text;
}

LookInModel BuildLookIn(const std::vector<DriveInfo>& drives, std::string_view folder) {
    LookInModel model;
    const char current = folder.empty() ? 'c' : LowerLetter(folder.front());
    int p = 0;
    for (const DriveInfo& drive : drives) {
        model.entries.push_back({DriveEntryText(drive), true, drive.type, false});
        if (LowerLetter(drive.letter) == current) p = static_cast<int>(model.entries.size());
    }
    model.selected = p - 1;

    // The chain from the first folder below the root down to the current one.
    std::vector<std::string_view> chain;
    if (folder.size() > 3) {
        std::size_t start = 3;
        while (start < folder.size()) {
            const std::size_t end = folder.find('\\', start);
            const std::size_t stop = end == std::string_view::npos ? folder.size() : end;
            if (stop > start) chain.push_back(folder.substr(start, stop - start));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    }
    std::string indent = " ";
    for (std::size_t i = 0; i < chain.size(); ++i) {
        LookInEntry entry{indent + "\\" + std::string(chain[i]), false, DriveType::Unknown, i + 1 == chain.size()};
        model.entries.insert(model.entries.begin() + p, std::move(entry));
        ++p;
        indent += ' ';
    }
    model.selected = p - 1;
    return model;
}

LookInChoice ChoiceAt(const std::vector<std::string>& texts, int index) {
    LookInChoice choice;
    if (index < 0 || index >= static_cast<int>(texts.size())) return choice;
    const std::string& e = texts[static_cast<std::size_t>(index)];
    if (e.find(':') != std::string::npos) {
        choice.drive = true;
        choice.letter = LowerLetter(e.front());
        return choice;
    }
    std::string result(AfterIndent(e));
    for (int i = index - 1; i >= 0; --i) {
        const std::string& above = texts[static_cast<std::size_t>(i)];
        if (above.find(':') != std::string::npos) {
            result.insert(0, above.substr(0, 2));
            break;
        }
        result.insert(0, AfterIndent(above));
    }
    choice.path = std::move(result);
    return choice;
}

}  // namespace morvel::explorer_rules

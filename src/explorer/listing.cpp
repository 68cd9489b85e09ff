#include "explorer/listing.h"

#include <algorithm>

#include "common/name_mask.h"
#include "common/path_parts.h"
#include "explorer/file_types.h"

namespace morvel::explorer_rules {

namespace {
inline unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

void SortAndDropDuplicates(std::vector<ListEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const ListEntry& a, const ListEntry& b) {
        if (a.text != b.text) return ListOrderLess(a.text, b.text);
        return a.realName < b.realName;
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const ListEntry& a, const ListEntry& b) {
                                  return a.text == b.text && a.realName == b.realName;
                              }),
                  entries.end());
}

std::u16string LowerAscii(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    return lower;
}

// The entry of a found name, with its text already cased: where the code page cannot hold the
// name, its name as stored and its short name, cased alike.
ListEntry EntryOf(const FoundEntry& found, std::string text, bool lower) {
    ListEntry entry{std::move(text), found.folder, std::string(OpeningShortName(found).value_or("")), {}, {}};
    if (found.realName.empty()) return entry;
    entry.realName = lower ? LowerAscii(found.realName) : std::u16string(found.realName);
    if (!found.shortName.empty()) {
        entry.reachingText = lower ? path::ToLowerAscii(found.shortName) : std::string(found.shortName);
    }
    if (found.folder) {
        entry.realName += u'\\';
        if (!entry.reachingText.empty()) entry.reachingText += '\\';
    }
    return entry;
}
}  // namespace

bool ListOrderLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
        const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

Listing ListFolder(const FileSystem& fs, std::string_view folder, std::string_view maskList,
                   const ListingOptions& options) {
    Listing result;
    const std::string base = path::WithTrailingBackslash(folder);
    // One search of every entry, its files matched here by the system's own rules: a search
    // per mask costs a pass over the folder each ("All validated formats" has nineteen).
    const MaskSet masks(SearchMasks(maskList), fs.SearchRules());

    std::vector<ListEntry> files;
    std::vector<ListEntry> folders;
    fs.Search(base + "*.*", [&](const FoundEntry& found) {
        if (found.folder) {
            if (!found.name.empty() && found.name.front() == '.') {
                // Only the two markers stand for a parent; a folder that merely begins with a
                // dot is not shown, as before, but does not offer a level above a drive root.
                if (found.name == "." || found.name == "..") result.hasParent = true;
                return;
            }
            std::string text = path::ToLowerAscii(found.name);
            text += '\\';
            folders.push_back(EntryOf(found, std::move(text), true));
            return;
        }
        if (found.system || !masks.MatchesEntry(found.name, found.shortName)) return;
        std::string text = options.lowercase ? path::ToLowerAscii(found.name) : std::string(found.name);
        files.push_back(EntryOf(found, std::move(text), options.lowercase));
    });

    SortAndDropDuplicates(files);
    SortAndDropDuplicates(folders);

    result.entries.reserve(files.size() + folders.size());
    auto& first = options.foldersAfter ? files : folders;
    auto& second = options.foldersAfter ? folders : files;
    std::move(first.begin(), first.end(), std::back_inserter(result.entries));
    std::move(second.begin(), second.end(), std::back_inserter(result.entries));
    return result;
}

}  // namespace morvel::explorer_rules

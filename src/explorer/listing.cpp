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

bool HasCapital(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Moves the entries into `out` in the list's order, each once. They are sorted as keys that
// compare as plain bytes (the text itself, or its copy with A to Z lowered where it has a
// capital) beside a pointer to the entry: comparing bytes is quicker than folding each letter
// at each step, and a key moves more cheaply than an entry of four strings.
void AppendSorted(std::vector<ListEntry>& entries, std::vector<ListEntry>& out) {
    struct Key {
        std::string_view folded;
        ListEntry* entry;
    };
    std::vector<std::string> foldedCopies;
    foldedCopies.reserve(static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(), [](const ListEntry& e) { return HasCapital(e.text); })));
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (ListEntry& e : entries) {
        if (!HasCapital(e.text)) {
            keys.push_back({e.text, &e});
            continue;
        }
        std::string& copy = foldedCopies.emplace_back(e.text);
        for (char& c : copy) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
        keys.push_back({copy, &e});
    }
    // Equal keys: names equal but for case, by their bytes; then names that only look alike
    // in the code page, by their names as stored.
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (const int byKey = a.folded.compare(b.folded)) return byKey < 0;
        if (const int byBytes = a.entry->text.compare(b.entry->text)) return byBytes < 0;
        return a.entry->realName < b.entry->realName;
    });
    const ListEntry* previous = nullptr;
    for (const Key& key : keys) {
        ListEntry& e = *key.entry;
        if (previous && previous->text == e.text && previous->realName == e.realName) continue;
        out.push_back(std::move(e));
        previous = &out.back();
    }
}

std::u16string LowerAscii(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    return lower;
}

// Appends the entry of a found name, with its text already cased: where the code page cannot
// hold the name, its name as stored and its short name, cased alike. Built in place: thousands
// of entries a listing.
void AddEntry(std::vector<ListEntry>& entries, const FoundEntry& found, bool lower) {
    ListEntry& entry = entries.emplace_back();
    entry.text.assign(found.name);
    if (lower) {
        for (char& c : entry.text) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
    }
    if (found.folder) entry.text += '\\';
    entry.folder = found.folder;
    entry.shortName.assign(OpeningShortName(found).value_or(""));
    if (found.realName.empty()) return;
    entry.realName = lower ? LowerAscii(found.realName) : std::u16string(found.realName);
    if (!found.shortName.empty()) {
        entry.reachingText = lower ? path::ToLowerAscii(found.shortName) : std::string(found.shortName);
    }
    if (found.folder) {
        entry.realName += u'\\';
        if (!entry.reachingText.empty()) entry.reachingText += '\\';
    }
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
            AddEntry(folders, found, true);
            return;
        }
        if (found.system || !masks.MatchesEntry(found.name, found.shortName)) return;
        AddEntry(files, found, options.lowercase);
    });

    result.entries.reserve(files.size() + folders.size());
    AppendSorted(options.foldersAfter ? files : folders, result.entries);
    AppendSorted(options.foldersAfter ? folders : files, result.entries);
    return result;
}

}  // namespace morvel::explorer_rules

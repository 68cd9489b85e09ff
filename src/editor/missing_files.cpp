#include "editor/missing_files.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "common/file_tree.h"
#include "common/path_parts.h"
#include "explorer/listing.h"

namespace morvel::editor {

namespace {

// The text before the "~" of a short name of the "~" form, else nothing.
std::optional<std::string_view> TildePrefix(std::string_view upperName) {
    const std::size_t dot = upperName.rfind('.');
    const std::string_view base = upperName.substr(0, dot);
    if (base.size() > 8 || (dot != std::string_view::npos && upperName.size() - dot - 1 > 3)) return std::nullopt;
    const std::size_t tilde = base.find('~');
    if (tilde == std::string_view::npos || tilde == 0) return std::nullopt;
    return base.substr(0, tilde);
}

void AppendUpper(std::string& out, std::string_view text) {
    for (const char c : text) out.push_back((c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c);
}

// '|' cannot occur in a file name, so it keeps prefix and extension apart.
std::string TildeKey(std::string_view prefix, std::string_view extension) {
    std::string key(prefix);
    key += '|';
    key += extension;
    return key;
}

struct Candidate {
    bool found = false;
    int depth = 0;
    std::string folder;
    std::string shortFolder;
    std::string name;
    std::string shortName;

    void Take(const TreeFile& file) {
        found = true;
        depth = file.depth;
        folder = file.folder;
        shortFolder = file.shortFolder;
        name = file.name;
        shortName = file.shortName;
    }
    // The file is a better match than the one held: nearer the root, then first by folder
    // path, then by name, in the file list's order.
    bool WorseThan(const TreeFile& file) const {
        if (!found) return true;
        if (file.depth != depth) return file.depth < depth;
        if (!path::EqualsNoCase(file.folder, folder)) return explorer_rules::ListOrderLess(file.folder, folder);
        return explorer_rules::ListOrderLess(file.name, name);
    }
    FileNames Names() const { return {path::ToLowerAscii(shortFolder + shortName), name}; }
};

struct TildeCandidate {
    int count = 0;
    Candidate file;
};

}  // namespace

std::vector<std::optional<FileNames>> FindFilesByName(const std::vector<std::string>& storedPaths, const FileSystem& fs,
                                                      std::string_view folder) {
    // The tables hold only the names asked for; the walk looks each file up in them.
    std::unordered_map<std::string, Candidate> byName;
    std::unordered_map<std::string, TildeCandidate> byPrefix;
    std::vector<std::size_t> prefixLengths;
    for (const std::string& stored : storedPaths) {
        const std::string name = path::ToUpperAscii(path::NamePart(stored));
        if (name.empty()) continue;
        byName.try_emplace(name);
        if (const auto prefix = TildePrefix(name)) {
            byPrefix.try_emplace(TildeKey(*prefix, path::Extension(name)));
            if (std::find(prefixLengths.begin(), prefixLengths.end(), prefix->size()) == prefixLengths.end()) {
                prefixLengths.push_back(prefix->size());
            }
        }
    }

    if (!byName.empty()) {
        std::string upperName;
        std::string upperShort;
        std::string key;
        WalkFileTree(fs, folder, [&](const TreeFile& file) {
            upperName.clear();
            AppendUpper(upperName, file.name);
            const auto named = byName.find(upperName);
            if (named != byName.end() && named->second.WorseThan(file)) named->second.Take(file);
            if (file.shortName != file.name) {
                upperShort.clear();
                AppendUpper(upperShort, file.shortName);
                const auto shortNamed = byName.find(upperShort);
                if (shortNamed != byName.end() && shortNamed != named && shortNamed->second.WorseThan(file)) {
                    shortNamed->second.Take(file);
                }
            }
            if (prefixLengths.empty()) return;
            const std::string_view extension = path::Extension(upperName);
            for (const std::size_t length : prefixLengths) {
                if (length > upperName.size()) continue;
                key.assign(upperName, 0, length);
                key += '|';
                key += extension;
                const auto prefixed = byPrefix.find(key);
                if (prefixed == byPrefix.end()) continue;
                if (++prefixed->second.count == 1) prefixed->second.file.Take(file);
            }
        });
    }

    std::vector<std::optional<FileNames>> answers;
    answers.reserve(storedPaths.size());
    for (const std::string& stored : storedPaths) {
        const std::string name = path::ToUpperAscii(path::NamePart(stored));
        std::optional<FileNames> answer;
        if (const auto named = byName.find(name); named != byName.end() && named->second.found) {
            answer = named->second.Names();
        } else if (const auto prefix = TildePrefix(name)) {
            const TildeCandidate& unique = byPrefix.at(TildeKey(*prefix, path::Extension(name)));
            if (unique.count == 1) answer = unique.file.Names();
        }
        answers.push_back(std::move(answer));
    }
    return answers;
}

bool NamesFile(const Slide& slide) {
    return !slide[kColPath].empty() && !slide.IsMark(kColPath);
}

namespace {
// A folder that more rows than this use is listed once instead of asked about row by row.
constexpr std::size_t kListAfter = 16;

// A name the system would match only by comparing it, ASCII case ignored, with an entry's long or
// short name; anything else is asked of the system.
bool MatchesInMemory(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x80 && c != '*' && c != '?';
    });
}
}  // namespace

std::vector<int> MissingRows(const SlideTable& table, const FileSystem& fs) {
    std::unordered_map<std::string, std::vector<int>> byFolder;
    for (int row = 1; row <= table.RowCount(); ++row) {
        const Slide& slide = table.Row(row);
        if (NamesFile(slide)) byFolder[path::ToLowerAscii(path::FolderPart(slide[kColPath]))].push_back(row);
    }
    std::vector<int> missing;
    std::unordered_set<std::string> names;
    for (const auto& [folder, rows] : byFolder) {
        // Asking row by row costs, under Wine, a scan of the folder for every short name it made
        // up itself: a large show in one large folder would take minutes.
        names.clear();
        bool listed = false;
        if (rows.size() > kListAfter && !folder.empty() && folder.back() == '\\') {
            fs.Search(folder + "*", [&](const FoundEntry& entry) {
                listed = true;
                if (entry.folder) return;
                names.insert(path::ToUpperAscii(entry.name));
                if (!entry.shortName.empty()) names.insert(path::ToUpperAscii(entry.shortName));
            });
        }
        for (const int row : rows) {
            const CellText& path = table.Row(row)[kColPath];
            const std::string_view name = path::NamePart(path);
            const bool exists = listed && MatchesInMemory(name) ? names.count(path::ToUpperAscii(name)) != 0
                                                                : fs.FileExists(path.str());
            if (!exists) missing.push_back(row);
        }
    }
    std::sort(missing.begin(), missing.end());
    return missing;
}

std::vector<Relink> FindMissingFiles(const SlideTable& table, const std::vector<int>& rows, const FileSystem& fs,
                                     std::string_view folder) {
    std::vector<int> asked;
    std::vector<std::string> paths;
    for (const int row : rows) {
        if (row < 1 || row > table.RowCount() || !NamesFile(table.Row(row))) continue;
        asked.push_back(row);
        paths.push_back(table.Row(row)[kColPath].str());
    }
    std::vector<std::optional<FileNames>> found = FindFilesByName(paths, fs, folder);
    std::vector<Relink> relinks;
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (found[i]) relinks.push_back({asked[i], std::move(*found[i])});
    }
    return relinks;
}

void ApplyRelinks(SlideTable& table, const std::vector<Relink>& relinks) {
    for (const Relink& relink : relinks) {
        if (relink.row < 1 || relink.row > table.RowCount()) continue;
        Slide& slide = table.Row(relink.row);
        slide[kColPath] = relink.names.path;
        slide[kColName] = relink.names.name;
    }
}

std::string MissingFoundQuestion(int missing, int found) {
    return std::to_string(missing) + " slide file(s) were not found.\n" + std::to_string(found) +
           " of them are in the slideshow's folder.\nUse those?";
}

std::string MissingNotFoundMessage(int missing) {
    return std::to_string(missing) + " slide file(s) were not found.";
}

std::string FoundMissingMessage(int found, int missing) {
    return "Found " + std::to_string(found) + " of " + std::to_string(missing) + " missing files.";
}

}  // namespace morvel::editor

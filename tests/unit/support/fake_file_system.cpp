#include "unit/support/fake_file_system.h"

#include "common/path_parts.h"

namespace morvel::testing {

std::string FakeFileSystem::Key(const std::string& path) {
    std::string key = path::ToLowerAscii(path);
    if (key.size() > 3 && key.back() == '\\') key.pop_back();
    return key;
}

std::string FakeFileSystem::Parent(const std::string& key) {
    const std::size_t slash = key.rfind('\\');
    if (slash == std::string::npos) return {};
    if (slash == 2) return key.substr(0, 3);  // "c:\"
    return key.substr(0, slash);
}

void FakeFileSystem::AddFolder(const std::string& path) {
    std::string key = Key(path);
    std::string stored = path;
    if (stored.size() > 3 && stored.back() == '\\') stored.pop_back();
    while (key.size() > 3) {
        if (!nodes_.count(key)) nodes_[key] = Node{std::string(path::NamePart(stored)), true, false};
        key = Parent(key);
        stored = stored.substr(0, stored.rfind('\\') == 2 ? 3 : stored.rfind('\\'));
    }
    nodes_[key.substr(0, 3)] = Node{key.substr(0, 3), true, false};
}

void FakeFileSystem::AddFile(const std::string& path, bool system) {
    AddFolder(path.substr(0, path.rfind('\\')));
    nodes_[Key(path)] = Node{std::string(path::NamePart(path)), false, system};
}

void FakeFileSystem::SetShortName(const std::string& path, const std::string& shortPath) {
    shortNames_[Key(path)] = shortPath;
    longOfShort_[Key(shortPath)] = Key(path);
}

std::string FakeFileSystem::Resolve(const std::string& path) const {
    const std::string key = Key(path);
    if (nodes_.count(key) || key.size() <= 3) return key;
    const std::string parent = Resolve(Parent(key));
    const std::string last(path::NamePart(key));
    const std::string direct = parent.size() == 3 ? parent + last : parent + "\\" + last;
    if (nodes_.count(direct)) return direct;
    for (const auto& [longKey, shortPath] : shortNames_) {
        if (Parent(longKey) == parent && Key(std::string(path::NamePart(shortPath))) == last) return longKey;
    }
    return direct;
}

void FakeFileSystem::AddDrive(DriveInfo drive, bool ready) {
    drives_.push_back(drive);
    if (ready) {
        ready_.insert(drive.letter);
        AddFolder(std::string{drive.letter, ':', '\\'});
    }
}

std::optional<std::string> FakeFileSystem::FindFirstName(const std::string& path) const {
    const auto it = nodes_.find(Resolve(path));
    if (it == nodes_.end()) return std::nullopt;
    return it->second.name;
}

std::string FakeFileSystem::ShortPath(const std::string& path) const {
    const std::string key = Resolve(path);
    if (!nodes_.count(key)) return path;
    const auto it = shortNames_.find(key);
    if (it != shortNames_.end()) return it->second;
    if (key.size() <= 3) return path;
    // Names that are 8.3 already keep the form given, under their folder's short form.
    std::string trimmed = path;
    if (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('\\');
    const std::string folder = trimmed.substr(0, slash == 2 ? 3 : slash);
    std::string shortFolder = ShortPath(folder);
    if (shortFolder.back() != '\\') shortFolder += '\\';
    return shortFolder + trimmed.substr(slash + 1) + (path.back() == '\\' && path.size() > 3 ? "\\" : "");
}

bool FakeFileSystem::FolderExists(const std::string& path) const {
    const auto it = nodes_.find(Resolve(path));
    return it != nodes_.end() && it->second.folder;
}

bool FakeFileSystem::FileExists(const std::string& path) const {
    const auto it = nodes_.find(Resolve(path));
    return it != nodes_.end() && !it->second.folder;
}

namespace {
bool MatchFrom(std::string_view name, std::string_view mask) {
    if (mask.empty()) return name.empty();
    const char m = mask.front();
    if (m == '*') {
        for (std::size_t i = 0; i <= name.size(); ++i) {
            if (MatchFrom(name.substr(i), mask.substr(1))) return true;
        }
        return false;
    }
    if (m == '?') {
        // Matches one character, or none at the end of the name or before its dot.
        if (name.empty() || name.front() == '.') return MatchFrom(name, mask.substr(1));
        return MatchFrom(name.substr(1), mask.substr(1));
    }
    if (name.empty()) return false;
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(m) != lower(name.front())) return false;
    return MatchFrom(name.substr(1), mask.substr(1));
}
}  // namespace

bool FakeFileSystem::MatchesMask(std::string_view name, std::string_view mask) {
    // A name without a dot matches as if it ended in one, so "*.*" and "*.???" find it.
    if (name.find('.') == std::string_view::npos) return MatchFrom(std::string(name) + ".", mask);
    return MatchFrom(name, mask);
}

void FakeFileSystem::Search(const std::string& pattern, const std::function<void(const FoundEntry&)>& visit) const {
    ++searches;
    const std::size_t slash = pattern.rfind('\\');
    if (slash == std::string::npos) return;
    const std::string folder = Key(pattern.substr(0, slash + 1));
    const std::string mask = pattern.substr(slash + 1);
    if (unlisted_.count(folder) || !FolderExists(folder)) return;
    if (folder.size() > 3) {
        for (const char* marker : {".", ".."}) {
            if (MatchesMask(marker, mask)) visit(FoundEntry{marker, true, false, {}});
        }
    }
    for (const auto& [key, node] : nodes_) {
        if (key.size() <= 3 || Parent(key) != folder) continue;
        if (!MatchesMask(node.name, mask)) continue;
        const auto shortName = shortNames_.find(key);
        const std::string_view alternate =
            shortName == shortNames_.end() ? std::string_view{} : path::NamePart(shortName->second);
        visit(FoundEntry{node.name, node.folder, node.system, alternate});
    }
}

bool FakeFileSystem::DriveReady(char letter) const {
    return ready_.count(letter) != 0;
}

WriteProbe FakeFileSystem::ProbeWrite(const std::string& path, std::string_view newFileBytes) const {
    const std::string key = Key(path);
    if (unwritable_.count(key) || !FolderExists(Parent(key))) return WriteProbe::Denied;
    const auto it = nodes_.find(key);
    if (it != nodes_.end()) return it->second.folder ? WriteProbe::Denied : WriteProbe::Existing;
    nodes_[key] = Node{std::string(path::NamePart(path)), false, false};
    contents_[key] = std::string(newFileBytes);
    return WriteProbe::Created;
}

bool FakeFileSystem::RemoveFile(const std::string& path) const {
    const std::string key = Key(path);
    const auto it = nodes_.find(key);
    if (it == nodes_.end() || it->second.folder) return false;
    nodes_.erase(it);
    contents_.erase(key);
    return true;
}

bool FakeFileSystem::MovePath(const std::string& from, const std::string& to) const {
    const std::string source = Resolve(from);
    const std::string target = Key(to);
    const auto it = nodes_.find(source);
    if (it == nodes_.end() || it->second.folder) return false;
    if (unmovable_.count(target) || nodes_.count(Resolve(to)) || !FolderExists(Parent(target))) return false;
    Node moved = it->second;
    moved.name = std::string(path::NamePart(to));
    nodes_.erase(it);
    nodes_[target] = moved;
    if (const auto c = contents_.find(source); c != contents_.end()) {
        std::string bytes = std::move(c->second);
        contents_.erase(c);
        contents_[target] = std::move(bytes);
    }
    return true;
}

std::string FakeFileSystem::Contents(const std::string& path) const {
    const auto it = contents_.find(Key(path));
    return it == contents_.end() ? std::string() : it->second;
}

}  // namespace morvel::testing

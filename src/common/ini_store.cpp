#include "common/ini_store.h"

#include <cerrno>
#include <cstdio>
#include <deque>
#include <list>
#include <memory>
#include <unordered_map>

#include "common/codepage1252.h"

namespace morvel::ini {

WriteError::WriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path) {}

namespace {

// ---- Characters -----------------------------------------------------------------------------

template <class C>
bool IsBlank(C c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualFold(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

struct FoldHash {
    std::size_t operator()(std::string_view s) const {
        std::uint64_t h = 1469598103934665603ull;
        for (const char c : s) {
            h ^= static_cast<unsigned char>(FoldAscii(c));
            h *= 1099511628211ull;
        }
        return static_cast<std::size_t>(h);
    }
};
struct FoldEqual {
    bool operator()(std::string_view a, std::string_view b) const { return EqualFold(a, b); }
};

// Arguments are C strings for the profile functions: text after a NUL does not exist.
std::string_view CutAtNul(std::string_view s) {
    const std::size_t nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::string_view TrimLeadingBlanks(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

// ---- The parsed form ------------------------------------------------------------------------

// A name or value in code page 1252. When it came from a Unicode file and some character had no
// equivalent, the original units are kept so that a rewrite does not damage it, and it never
// equals text given in code page 1252.
struct Text {
    std::string s;
    std::shared_ptr<const std::u16string> wide;

    bool exact() const { return wide == nullptr; }
};

struct Entry {
    Text name;
    Text value;
    bool hasValue = false;
};

using EntryList = std::list<Entry>;

// The first entries of each name, in file order. Built when a section grows past a few keys, so
// small sections cost nothing and a section of many thousand keys still looks up in O(1).
class KeyIndex {
public:
    KeyIndex() = default;
    // A copied section gets a fresh (unbuilt) index: the views point into the original's names.
    KeyIndex(const KeyIndex&) {}
    KeyIndex& operator=(const KeyIndex&) {
        map_.reset();
        return *this;
    }

    bool built() const { return map_ != nullptr; }
    void Build(EntryList& entries) {
        map_ = std::make_unique<Map>();
        for (auto it = entries.begin(); it != entries.end(); ++it) Add(it);
    }
    void Add(EntryList::iterator it) {
        if (map_ && it->name.exact()) (*map_)[it->name.s].push_back(it);
    }
    void Remove(EntryList::iterator it) {
        if (!map_ || !it->name.exact()) return;
        const auto found = map_->find(it->name.s);
        if (found == map_->end()) return;
        auto& list = found->second;
        for (auto pos = list.begin(); pos != list.end(); ++pos) {
            if (*pos == it) {
                list.erase(pos);
                break;
            }
        }
        if (list.empty()) {
            map_->erase(found);
        } else {
            // The key is a view of a name: keep it on an entry that is still there.
            auto node = map_->extract(found);
            node.key() = node.mapped().front()->name.s;
            map_->insert(std::move(node));
        }
    }
    const std::deque<EntryList::iterator>* Find(std::string_view name) const {
        const auto found = map_->find(name);
        return found == map_->end() ? nullptr : &found->second;
    }

private:
    using Map = std::unordered_map<std::string_view, std::deque<EntryList::iterator>, FoldHash, FoldEqual>;
    std::unique_ptr<Map> map_;
};

constexpr std::size_t kLinearKeys = 8;

struct Section {
    Text name;
    EntryList entries;
    KeyIndex index;

    EntryList::iterator FindKey(std::string_view key) {
        if (!index.built() && entries.size() > kLinearKeys) index.Build(entries);
        if (index.built()) {
            const auto* list = index.Find(key);
            return list ? list->front() : entries.end();
        }
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->name.exact() && EqualFold(it->name.s, key)) return it;
        }
        return entries.end();
    }
    void Append(Entry entry) {
        entries.push_back(std::move(entry));
        index.Add(std::prev(entries.end()));
    }
    void Erase(EntryList::iterator it) {
        index.Remove(it);
        entries.erase(it);
    }
};

using SectionList = std::list<Section>;

template <class C>
struct ConvertText;

template <>
struct ConvertText<char> {
    static Text Make(const char* b, const char* e) {
        std::string_view s(b, static_cast<std::size_t>(e - b));
        return Text{std::string(CutAtNul(s)), nullptr};
    }
};

template <>
struct ConvertText<char16_t> {
    static Text Make(const char16_t* b, const char16_t* e) {
        const char16_t* end = b;
        while (end < e && *end != 0) ++end;
        Text t;
        t.s.reserve(static_cast<std::size_t>(end - b));
        bool exact = true;
        for (const char16_t* p = b; p < end; ++p) {
            char c;
            exact = cp1252::FromUnicode(*p, c) && exact;
            t.s += c;
        }
        if (!exact) t.wide = std::make_shared<const std::u16string>(b, end);
        return t;
    }
};

void AppendText(std::string& out, const Text& t, Encoding enc) {
    switch (enc) {
        case Encoding::Ansi:
            out += t.s;
            return;
        case Encoding::Utf8Bom:
            if (t.wide) {
                cp1252::AppendUtf8(out, *t.wide);
            } else {
                for (const char c : t.s) {
                    const auto u = static_cast<unsigned char>(c);
                    if (u < 0x80) {
                        out += c;
                    } else {
                        const char16_t w = cp1252::ToUnicode(u);
                        cp1252::AppendUtf8(out, std::u16string_view(&w, 1));
                    }
                }
            }
            return;
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            cp1252::AppendUtf16(out, t.wide ? *t.wide : cp1252::Widen(t.s), enc == Encoding::Utf16Be);
            return;
    }
}

void AppendAscii(std::string& out, std::string_view ascii, Encoding enc) {
    if (enc == Encoding::Utf16Le || enc == Encoding::Utf16Be) {
        for (const char c : ascii) {
            if (enc == Encoding::Utf16Be) out += '\0';
            out += c;
            if (enc == Encoding::Utf16Le) out += '\0';
        }
    } else {
        out += ascii;
    }
}

}  // namespace

// ---- Document -------------------------------------------------------------------------------

struct Document::Impl {
    Encoding encoding = Encoding::Ansi;
    SectionList sections;
    // The sections of each name in file order; the front one is the one lookups reach.
    std::unordered_map<std::string_view, std::deque<SectionList::iterator>, FoldHash, FoldEqual> index;

    Impl() = default;
    Impl(const Impl& other) : encoding(other.encoding), sections(other.sections) { RebuildIndex(); }

    void RebuildIndex() {
        index.clear();
        for (auto it = sections.begin(); it != sections.end(); ++it) IndexSection(it);
    }
    void IndexSection(SectionList::iterator it) {
        if (it->name.exact()) index[it->name.s].push_back(it);
    }
    Section* FindSection(std::string_view name) {
        const auto found = index.find(name);
        return found == index.end() ? nullptr : &*found->second.front();
    }
    const Section* FindSection(std::string_view name) const {
        return const_cast<Impl*>(this)->FindSection(name);
    }
    const Entry* FindEntry(std::string_view section, std::string_view key) const {
        const Section* s = FindSection(TrimBlanks(CutAtNul(section)));
        if (!s) return nullptr;
        const auto it = const_cast<Section*>(s)->FindKey(TrimBlanks(CutAtNul(key)));
        return it == s->entries.end() ? nullptr : &*it;
    }

    template <class C>
    void ParseUnits(const C* p, std::size_t n);
};

template <class C>
void Document::Impl::ParseUnits(const C* p, std::size_t n) {
    // Lines before the first header form an unnamed part, which always exists in a non-empty file.
    sections.emplace_back();
    IndexSection(std::prev(sections.end()));
    Section* current = &sections.back();
    // An entry with an empty name right after another entry whose name is empty is dropped (a
    // run of such lines keeps only its first); the run starts afresh at each header.
    bool previousNameEmpty = false;
    bool havePrevious = false;

    std::size_t i = 0;
    while (i < n) {
        std::size_t start = i;
        while (i < n && p[i] != '\r' && p[i] != '\n') ++i;
        std::size_t end = i;
        while (i < n && (p[i] == '\r' || p[i] == '\n')) ++i;
        while (start < end && IsBlank(p[start])) ++start;
        while (end > start && IsBlank(p[end - 1])) --end;
        if (start >= end) continue;

        if (p[start] == '[') {
            std::size_t close = end - 1;
            while (close > start && p[close] != ']') --close;
            if (close > start) {
                std::size_t nb = start + 1;
                std::size_t ne = close;
                while (nb < ne && IsBlank(p[nb])) ++nb;
                while (ne > nb && IsBlank(p[ne - 1])) --ne;
                sections.emplace_back();
                Section& s = sections.back();
                s.name = ConvertText<C>::Make(p + nb, p + ne);
                IndexSection(std::prev(sections.end()));
                current = &s;
                havePrevious = false;
                continue;
            }
        }

        Entry entry;
        std::size_t eq = start;
        while (eq < end && p[eq] != '=') ++eq;
        if (eq < end) {
            std::size_t ne = eq;
            while (ne > start && IsBlank(p[ne - 1])) --ne;
            if (ne == start && havePrevious && previousNameEmpty) continue;
            std::size_t vb = eq + 1;
            while (vb < end && IsBlank(p[vb])) ++vb;
            entry.name = ConvertText<C>::Make(p + start, p + ne);
            entry.value = ConvertText<C>::Make(p + vb, p + end);
            entry.hasValue = true;
        } else {
            entry.name = ConvertText<C>::Make(p + start, p + end);
        }
        havePrevious = true;
        previousNameEmpty = entry.name.s.empty();
        current->Append(std::move(entry));
    }
}

Document::Document() : impl_(new Impl) {}
Document::~Document() { delete impl_; }
Document::Document(Document&& other) noexcept : impl_(other.impl_) { other.impl_ = new Impl; }
Document& Document::operator=(Document&& other) noexcept {
    std::swap(impl_, other.impl_);
    return *this;
}
Document::Document(const Document& other) : impl_(new Impl(*other.impl_)) {}
Document& Document::operator=(const Document& other) {
    if (this != &other) {
        Impl* copy = new Impl(*other.impl_);
        delete impl_;
        impl_ = copy;
    }
    return *this;
}

Document Document::Parse(std::string_view bytes) {
    Document doc;
    Impl& d = *doc.impl_;
    if (bytes.empty()) return doc;
    const auto b = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    if (b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        d.encoding = Encoding::Utf8Bom;
        const std::u16string units = cp1252::DecodeUtf8(bytes.substr(3));
        d.ParseUnits(units.data(), units.size());
    } else if ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF)) {
        const bool big = b(0) == 0xFE;
        d.encoding = big ? Encoding::Utf16Be : Encoding::Utf16Le;
        const std::u16string units = cp1252::DecodeUtf16(bytes.substr(2), big);
        d.ParseUnits(units.data(), units.size());
    } else {
        d.ParseUnits(bytes.data(), bytes.size());
    }
    return doc;
}

std::string Document::Serialize() const {
    const Encoding enc = impl_->encoding;
    std::string out;
    switch (enc) {
        case Encoding::Ansi: break;
        case Encoding::Utf8Bom: out += "\xEF\xBB\xBF"; break;
        case Encoding::Utf16Le: out += "\xFF\xFE"; break;
        case Encoding::Utf16Be: out += "\xFE\xFF"; break;
    }
    for (const Section& s : impl_->sections) {
        // A section without a name has no header: its lines join the part above.
        if (!s.name.s.empty()) {
            AppendAscii(out, "[", enc);
            AppendText(out, s.name, enc);
            AppendAscii(out, "]\r\n", enc);
        }
        for (const Entry& e : s.entries) {
            AppendText(out, e.name, enc);
            if (e.hasValue) {
                AppendAscii(out, "=", enc);
                AppendText(out, e.value, enc);
            }
            AppendAscii(out, "\r\n", enc);
        }
    }
    return out;
}

Encoding Document::encoding() const { return impl_->encoding; }

std::optional<std::string> Document::GetRaw(std::string_view section, std::string_view key) const {
    const Entry* e = impl_->FindEntry(section, key);
    if (!e || !e->hasValue) return std::nullopt;
    return e->value.s;
}

std::optional<std::string> Document::Get(std::string_view section, std::string_view key) const {
    const Entry* e = impl_->FindEntry(section, key);
    if (!e || !e->hasValue) return std::nullopt;
    return std::string(Unquote(e->value.s));
}

std::vector<std::string> Document::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : impl_->sections) {
        if (!s.name.s.empty()) names.push_back(s.name.s);
    }
    return names;
}

std::vector<std::string> Document::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const Section* s = impl_->FindSection(CutAtNul(section));
    if (!s) return names;
    for (const Entry& e : s->entries) {
        if (!e.hasValue) continue;
        if (!e.name.s.empty() && e.name.s.front() == ';') continue;
        names.push_back(e.name.s);
    }
    return names;
}

bool Document::HasSection(std::string_view section) const {
    return impl_->FindSection(TrimBlanks(CutAtNul(section))) != nullptr;
}

bool Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = CutAtNul(section);
    key = CutAtNul(key);
    value = TrimLeadingBlanks(CutAtNul(value));
    Section* s = impl_->FindSection(TrimBlanks(section));
    if (!s) {
        // New names keep the argument minus its leading blanks, as the profile functions write them.
        auto& sections = impl_->sections;
        sections.emplace_back();
        sections.back().name.s = std::string(TrimLeadingBlanks(section));
        impl_->IndexSection(std::prev(sections.end()));
        s = &sections.back();
    } else {
        const auto it = s->FindKey(TrimBlanks(key));
        if (it != s->entries.end()) {
            if (it->hasValue && it->value.exact() && it->value.s == value) return false;
            it->value = Text{std::string(value), nullptr};
            it->hasValue = true;
            return true;
        }
    }
    Entry entry;
    entry.name.s = std::string(TrimLeadingBlanks(key));
    entry.value.s = std::string(value);
    entry.hasValue = true;
    s->Append(std::move(entry));
    return true;
}

bool Document::DeleteKey(std::string_view section, std::string_view key) {
    section = CutAtNul(section);
    key = CutAtNul(key);
    const auto found = impl_->index.find(section);
    if (found == impl_->index.end()) return false;
    for (const auto& s : found->second) {
        const auto it = s->FindKey(key);
        if (it != s->entries.end()) {
            s->Erase(it);
            return true;
        }
    }
    return false;
}

bool Document::DeleteSection(std::string_view section) {
    section = CutAtNul(section);
    const auto found = impl_->index.find(section);
    if (found == impl_->index.end()) return false;
    const SectionList::iterator victim = found->second.front();
    found->second.pop_front();
    if (found->second.empty()) {
        impl_->index.erase(found);
    } else {
        // The key is a view of the deleted section's name: move it to the next section's.
        auto node = impl_->index.extract(found);
        node.key() = node.mapped().front()->name.s;
        impl_->index.insert(std::move(node));
    }
    impl_->sections.erase(victim);
    return true;
}

// ---- Files ----------------------------------------------------------------------------------

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Writes the bytes; on failure returns the errno seen.
int WriteBytes(const std::string& path, std::string_view bytes) {
    errno = 0;
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return errno ? errno : EIO;
    FilePtr f(raw);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), raw) != bytes.size()) {
        return errno ? errno : EIO;
    }
    if (std::fflush(raw) != 0) return errno ? errno : EIO;
    f.release();
    if (std::fclose(raw) != 0) return errno ? errno : EIO;
    return 0;
}

std::uint32_t Win32ErrorOf(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR: return 3;  // ERROR_PATH_NOT_FOUND
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return 5;  // ERROR_ACCESS_DENIED
        case ENOSPC: return 112;  // ERROR_DISK_FULL
        default: return 29;  // ERROR_WRITE_FAULT
    }
}

}  // namespace

ReadStatus ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    errno = 0;
    std::FILE* raw = std::fopen(path.c_str(), "rb");
    if (!raw) return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Error;
    FilePtr f(raw);
    char chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, raw);
        bytes.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(raw)) {
        bytes.clear();
        return ReadStatus::Error;
    }
    return ReadStatus::Ok;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) { return WriteBytes(path, bytes) == 0; }

File::File(std::string path) : path_(std::move(path)) {}

bool File::Load() {
    std::string bytes;
    const ReadStatus status = ReadFileBytes(path_, bytes);
    doc_ = Document::Parse(status == ReadStatus::Ok ? bytes : std::string());
    dirty_ = false;
    unreadable_ = status == ReadStatus::Error;
    return !unreadable_;
}

void File::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (doc_.Set(section, key, value)) dirty_ = true;
}

void File::DeleteKey(std::string_view section, std::string_view key) {
    if (doc_.DeleteKey(section, key)) dirty_ = true;
}

void File::DeleteSection(std::string_view section) {
    if (doc_.DeleteSection(section)) dirty_ = true;
}

void File::Save() {
    if (!dirty_) return;
    // A file that exists but could not be read is never overwritten with what little we know.
    if (unreadable_) throw WriteError(path_);
    if (!WriteFileBytes(path_, doc_.Serialize())) throw WriteError(path_);
    dirty_ = false;
}

// ---- The profile calls ----------------------------------------------------------------------

namespace {

Document LoadForRead(const std::string& path) {
    std::string bytes;
    if (ReadFileBytes(path, bytes) != ReadStatus::Ok) bytes.clear();
    return Document::Parse(bytes);
}

// Copies a value or default into a buffer of `size` characters, removing matching quotes. The
// length test runs on the text after the opening quote, so an inner text of exactly size - 1
// characters loses its last one.
std::string CopyEntry(std::string_view text, std::uint32_t size) {
    bool quoted = false;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        quoted = true;
        text.remove_prefix(1);
    }
    std::string out(text.substr(0, size - 1));
    if (quoted && size >= text.size() && !out.empty()) out.pop_back();
    return out;
}

// Trailing spaces off the default, but a default of spaces only keeps one.
std::string_view TrimDefault(std::string_view def) {
    if (def.empty()) return def;
    std::size_t last = def.size() - 1;
    while (last > 0 && def[last] == ' ') --last;
    return def.substr(0, last + 1);
}

// Section names: each followed by a NUL; when they do not fit, the list is cut to size - 2
// characters (a name may be cut) and the return is size - 2.
std::string ListSectionNames(const std::vector<std::string>& names, std::uint32_t size, std::uint32_t& ret) {
    std::string out;
    ret = 0;
    if (size <= 1) return out;
    std::size_t room = size - 1;
    for (const std::string& name : names) {
        const std::size_t need = name.size() + 1;
        if (need >= room) {
            out.append(name, 0, room - 1);
            out += '\0';
            ret = size - 2;
            out.resize(ret);
            return out;
        }
        out += name;
        out += '\0';
        room -= need;
    }
    ret = static_cast<std::uint32_t>(out.size());
    return out;
}

// Key names, filled name by name while more than two characters are left.
std::string ListKeyNames(const std::vector<std::string>& names, std::uint32_t size, std::uint32_t& ret) {
    std::string out;
    std::size_t room = size;
    for (const std::string& name : names) {
        if (room <= 2) break;
        const std::size_t take = std::min(name.size(), room - 2);
        out.append(name, 0, take);
        out += '\0';
        room -= take + 1;
        if (room < 2) break;
    }
    if (room <= 1) {
        ret = size >= 2 ? size - 2 : 0;
        out.resize(ret);
    } else {
        ret = static_cast<std::uint32_t>(out.size());
    }
    return out;
}

}  // namespace

GetStringResult ProfileGetString(std::optional<std::string_view> section,
                                        std::optional<std::string_view> key,
                                        std::optional<std::string_view> def, std::uint32_t size,
                                        const std::string& path) {
    GetStringResult result;
    if (size == 0) return result;
    const std::string_view defText = def ? CutAtNul(*def) : std::string_view{};
    const Document doc = LoadForRead(path);
    std::string text;
    std::uint32_t ret = 0;
    if (!section) {
        text = ListSectionNames(doc.SectionNames(), size, ret);
    } else if (key) {
        const auto raw = doc.GetRaw(*section, *key);
        text = CopyEntry(raw ? std::string_view(*raw) : TrimDefault(defText), size);
        ret = static_cast<std::uint32_t>(text.size());
    } else {
        text = ListKeyNames(doc.KeyNames(*section), size, ret);
        // Nothing listed, or a first name that is empty: the default as it was given.
        if (text.empty() || text.front() == '\0') {
            text = CopyEntry(defText, size);
            ret = static_cast<std::uint32_t>(text.size());
        }
    }
    result.ret = ret;
    result.buf = std::move(text);
    result.buf.resize(ret);
    result.buf += '\0';
    return result;
}

WriteResult ProfileWriteString(std::optional<std::string_view> section,
                                      std::optional<std::string_view> key,
                                      std::optional<std::string_view> value, const std::string& path) {
    if (!section && !key && !value) return {false, 0};
    if (!section) return {false, 2};  // ERROR_FILE_NOT_FOUND, as the profile functions report it
    std::string bytes;
    const ReadStatus status = ReadFileBytes(path, bytes);
    if (status == ReadStatus::Error) return {false, 5};
    Document doc = Document::Parse(bytes);
    bool changed;
    if (!key) {
        changed = doc.DeleteSection(*section);
    } else if (!value) {
        changed = doc.DeleteKey(*section, *key);
    } else {
        changed = doc.Set(*section, *key, *value);
    }
    if (!changed) return {true, 0};
    const int err = WriteBytes(path, doc.Serialize());
    if (err != 0) return {false, Win32ErrorOf(err)};
    return {true, 0};
}

std::uint32_t ProfileGetInt(std::string_view section, std::string_view key, std::int32_t def,
                                   const std::string& path) {
    // The value as a string in a buffer of 30 characters, so only its first 29 count.
    const GetStringResult r = ProfileGetString(section, key, std::string_view{}, 30, path);
    if (r.ret == 0) return static_cast<std::uint32_t>(def);
    const std::string_view s(r.buf.data(), r.ret);
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    std::uint32_t base = 10;
    if (i + 1 < s.size() && s[i] == '0') {
        if (s[i + 1] == 'x') base = 16;
        if (s[i + 1] == 'o') base = 8;
        if (s[i + 1] == 'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t value = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        std::uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'z') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'Z') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) break;
        value = value * base + digit;  // wraps modulo 2^32, as the platform does
    }
    return negative ? 0u - value : value;
}

std::int32_t ParseLibraryInt(std::string_view text, std::int32_t def) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view digits = text.substr(2);
        if (digits.size() > 8) return def;
        std::uint32_t value = 0;
        for (const char c : digits) {
            std::uint32_t d;
            if (c >= '0' && c <= '9') {
                d = static_cast<std::uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                d = static_cast<std::uint32_t>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                d = static_cast<std::uint32_t>(c - 'A' + 10);
            } else {
                return def;
            }
            value = value << 4 | d;
        }
        return static_cast<std::int32_t>(value);
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return def;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return def;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return def;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return def;
    return static_cast<std::int32_t>(value);
}

}  // namespace morvel::ini

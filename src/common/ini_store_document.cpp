// The INI store's document: the parsed form of a file, its parser and its writer.
#include <algorithm>
#include <cstring>
#include <deque>
#include <list>
#include <memory>
#include <unordered_map>

#include "common/codepage1252.h"
#include "common/ini_store.h"
#include "common/ini_store_text.h"

namespace morvel::ini {

// The document model speaks the reader's character rules throughout.
using namespace text;

namespace {

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
    const Section* FindSection(std::string_view name) const { return const_cast<Impl*>(this)->FindSection(name); }
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
Document::~Document() {
    delete impl_;
}
Document::Document(Document&& other) noexcept : impl_(other.impl_) {
    other.impl_ = new Impl;
}
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
        case Encoding::Ansi:
            break;
        case Encoding::Utf8Bom:
            out += "\xEF\xBB\xBF";
            break;
        case Encoding::Utf16Le:
            out += "\xFF\xFE";
            break;
        case Encoding::Utf16Be:
            out += "\xFE\xFF";
            break;
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

Encoding Document::encoding() const {
    return impl_->encoding;
}

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

namespace {

// Copies a key's or a value's bytes in place up to its first NUL, a word at a time while no byte
// of the word is NUL, and returns the end of the copy. On Windows memcpy and memchr are calls into
// the C runtime DLL, which for so few bytes cost more than the copying.
char* CopyToNul(char* to, std::string_view text) {
    const char* from = text.data();
    std::size_t n = text.size();
    for (; n >= 4; n -= 4, from += 4, to += 4) {
        std::uint32_t word;
        std::memcpy(&word, from, 4);
        if (((word - 0x01010101u) & ~word & 0x80808080u) != 0) break;  // a NUL among the four
        std::memcpy(to, &word, 4);
    }
    for (; n > 0 && *from != '\0'; --n) *to++ = *from++;
    return to;
}

// Writes "key=value", the joining character and `more` after it, and the line's end, each
// text cut at its first NUL; returns the end. A NUL as the joining character joins nothing, and
// a value cut at a NUL ends the line there. The room is there already.
inline char* PutLine(char* at, std::string_view key, std::string_view value, char join, std::string_view more) {
    at = CopyToNul(at, key);
    *at++ = '=';
    char* const valueAt = at;
    at = CopyToNul(at, value);
    if (join != '\0' && static_cast<std::size_t>(at - valueAt) == value.size()) {
        *at++ = join;
        at = CopyToNul(at, more);
    }
    *at++ = '\r';
    *at++ = '\n';
    return at;
}

}  // namespace

void NewFileWriter::Reserve(std::size_t bytes) {
    if (bytes <= capacity_) return;
    std::unique_ptr<char[]> larger(new char[bytes]);
    if (size_ > 0) std::memcpy(larger.get(), buffer_.get(), size_);
    buffer_ = std::move(larger);
    capacity_ = bytes;
}

char* NewFileWriter::Extend(std::size_t n) {
    if (capacity_ - size_ < n) Reserve(std::max(capacity_ * 2, size_ + n));
    char* at = buffer_.get() + size_;
    size_ += n;
    return at;
}

std::string NewFileWriter::Take() {
    std::string bytes(buffer_.get(), size_);
    buffer_.reset();
    size_ = capacity_ = 0;
    return bytes;
}

// Each line is measured first and then copied in place: a slideshow's file is tens of thousands
// of short lines, and appending their pieces one by one cost more than the copying itself.
void NewFileWriter::Section(std::string_view name) {
    // Blanks are trimmed before the cut at the first NUL: a NUL is no blank, so either order
    // leaves the same text.
    name = TrimLeadingBlanks(name);
    char* at = Extend(name.size() + 4);
    *at++ = '[';
    at = CopyToNul(at, name);
    *at++ = ']';
    *at++ = '\r';
    *at++ = '\n';
    size_ = static_cast<std::size_t>(at - buffer_.get());
}

void NewFileWriter::Line(std::string_view key, std::string_view value) {
    key = TrimLeadingBlanks(key);
    value = TrimLeadingBlanks(value);
    char* at = Extend(key.size() + value.size() + 3);
    at = PutLine(at, key, value, '\0', {});
    size_ = static_cast<std::size_t>(at - buffer_.get());
}

void NewFileWriter::Line(std::string_view key, std::string_view value, char join, std::string_view more) {
    key = TrimLeadingBlanks(key);
    value = TrimLeadingBlanks(value);
    if (join != '\0' && value.empty()) {
        // Nothing before the joining character: the blanks trimmed go on into it and beyond.
        std::string joined(1, join);
        joined += more;
        return Line(key, joined);
    }
    char* at = Extend(key.size() + value.size() + more.size() + 4);
    at = PutLine(at, key, value, join, more);
    size_ = static_cast<std::size_t>(at - buffer_.get());
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

}  // namespace morvel::ini

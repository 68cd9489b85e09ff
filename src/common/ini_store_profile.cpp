// The Win32 profile calls over the INI store, with their buffer rules, and the library's own
// integer rule.
#include <algorithm>

#include "common/ini_store.h"
#include "common/ini_store_io.h"
#include "common/ini_store_text.h"

namespace morvel::ini {

using text::CutAtNul;

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

GetStringResult ProfileGetString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                                 std::optional<std::string_view> def, std::uint32_t size, const std::string& path) {
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

WriteResult ProfileWriteString(std::optional<std::string_view> section, std::optional<std::string_view> key,
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
    const io::Error err = io::WriteFileBytesWith(io::PlatformFileOps(), path, doc.Serialize());
    if (err != 0) return {false, err};
    return {true, 0};
}

std::uint32_t ProfileGetInt(std::string_view section, std::string_view key, std::int32_t def, const std::string& path) {
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

// The characters and name rules the INI store's reader and the emulated profile calls share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvel::ini::text {

template <class C>
inline bool IsBlank(C c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualFold(std::string_view a, std::string_view b) {
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

// Arguments are C strings for the profile functions: text after a NUL does not exist. A plain
// loop: the names and values are short, and a whole file's worth of them made one runtime call
// each (memchr, a call into the C runtime DLL on Windows).
inline std::string_view CutAtNul(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && s[n] != '\0') ++n;
    return s.substr(0, n);
}

inline std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

inline std::string_view TrimLeadingBlanks(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

inline std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

}  // namespace morvel::ini::text

#include "common/name_mask.h"

#include <algorithm>
#include <utility>

namespace morvel {

namespace {

// The DOS wildcards as the system writes them once it has read a mask.
constexpr char kDosStar = '<';  // any run of characters up to the last dot
constexpr char kDosQm = '>';    // one character, or nothing before a dot or at the end
constexpr char kDosDot = '"';   // a dot, or nothing at the end

inline unsigned char Fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

bool IsAlnum(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

// "*.ext" by the DOS rules, where ext holds letters, digits and "?": nothing in ext can take a
// dot, so the mask's dot is the name's last one and ext is matched against what follows it,
// "?" taking one character or nothing at the end. A name without a dot has an empty extension,
// which the mask takes only when ext is all "?" (the dot then matches the end of the name).
bool DosExtensionMatch(std::string_view pattern, std::string_view name) {
    const std::size_t dot = name.rfind('.');
    const std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (dot == std::string_view::npos && pattern.front() != '?') return false;
    if (ext.size() > pattern.size()) return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '?') continue;
        if (i >= ext.size() || Fold(ext[i]) != Fold(pattern[i])) return false;
    }
    return true;
}

// How Windows reads a mask: trailing dots (and spaces) go with the rest of the path's
// clean-up; "*.*" is every name; then "?" becomes DOS_QM, "." before a wildcard DOS_DOT, "*"
// before a dot DOS_STAR, and a star that ended in a dot DOS_STAR as well.
std::string DosExpression(std::string_view mask) {
    std::string s(mask);
    bool endsInDot = false;
    while (!s.empty() && (s.back() == '.' || s.back() == ' ')) {
        endsInDot = endsInDot || s.back() == '.';
        s.pop_back();
    }
    if (s == "*.*") return "*";
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && s[i] == '.' && s[i - 1] == '*') s[i - 1] = kDosStar;
        if (s[i] == '?' || s[i] == '*') {
            if (s[i] == '?') s[i] = kDosQm;
            if (i > 0 && s[i - 1] == '.') s[i - 1] = kDosDot;
        }
    }
    if (endsInDot && !s.empty() && s.back() == '*') s.back() = kDosStar;
    return s;
}

// The DOS reading as a small automaton: one flag per position in the expression, advanced a
// character of the name at a time. Buffers are strings: short masks need no allocation.
class DosMatcher {
public:
    DosMatcher(std::string_view expression, std::string_view name)
        : e_(expression), name_(name), lastDot_(name.rfind('.')) {}

    bool Run() const {
        const std::size_t m = e_.size();
        std::string current(m + 1, '\0');
        std::string next(m + 1, '\0');
        current[0] = 1;
        Close(current, 0);
        for (std::size_t i = 0; i < name_.size(); ++i) {
            std::fill(next.begin(), next.end(), '\0');
            const char c = name_[i];
            bool alive = false;
            for (std::size_t s = 0; s < m; ++s) {
                if (!current[s]) continue;
                std::size_t to = std::string::npos;
                switch (e_[s]) {
                    case '*':
                        to = s;
                        break;
                    // A dot other than the last one may be part of the run.
                    case kDosStar:
                        if (c != '.' || i < lastDot_) to = s;
                        break;
                    case '?':
                        to = s + 1;
                        break;
                    case kDosQm:
                        if (c != '.') to = s + 1;
                        break;
                    case kDosDot:
                        if (c == '.') to = s + 1;
                        break;
                    default:
                        if (Fold(c) == Fold(e_[s])) to = s + 1;
                        break;
                }
                if (to != std::string::npos) {
                    next[to] = 1;
                    alive = true;
                }
            }
            if (!alive) return false;
            std::swap(current, next);
            Close(current, i + 1);
        }
        return current[m] != 0;
    }

private:
    // Moves on through the positions that can match nothing at name position i.
    void Close(std::string& states, std::size_t i) const {
        const bool atEnd = i == name_.size();
        const bool atDot = !atEnd && name_[i] == '.';
        for (std::size_t s = 0; s < e_.size(); ++s) {
            if (!states[s]) continue;
            const char e = e_[s];
            if (e == '*' || e == kDosStar || (e == kDosQm && (atEnd || atDot)) || (e == kDosDot && atEnd)) {
                states[s + 1] = 1;
            }
        }
    }

    std::string_view e_;
    std::string_view name_;
    std::size_t lastDot_;
};

// Wine's reading: after a star, skip to the next character equal to the one after the star,
// and try the rest from there; on a mismatch start again one character further on; when the
// mask is used up before the name, go back to just after the star and carry on from where the
// name stands.
bool PlainMatch(std::string_view mask, std::string_view name) {
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t m = 0, n = 0;
    std::size_t afterStar = kNone, retry = 0;
    while (n < name.size() && m < mask.size()) {
        if (mask[m] == '*') {
            while (m < mask.size() && mask[m] == '*') ++m;
            if (m == mask.size()) return true;
            afterStar = m;
            while (n < name.size() && Fold(name[n]) != Fold(mask[m])) ++n;
            retry = n;
        } else if (mask[m] == '?') {
            ++m;
            ++n;
        } else if (Fold(mask[m]) == Fold(name[n])) {
            ++m;
            ++n;
            if (m == mask.size()) {
                if (n == name.size()) return true;
                if (afterStar != kNone) m = afterStar;
            }
        } else {
            if (afterStar == kNone) return false;
            m = afterStar;
            n = ++retry;
        }
    }
    while (m < mask.size() && (mask[m] == '.' || mask[m] == '*')) ++m;
    return n == name.size() && m == mask.size();
}

}  // namespace

NameMask::NameMask(std::string_view mask, MaskRules rules)
    : rules_(rules), expression_(rules == MaskRules::Dos ? DosExpression(mask) : std::string(mask)) {
    // "*.bmp" under either reading: the name ends in ".bmp" (the extension holds no dot, so
    // the first fit from the star is the only one).
    if (mask.size() > 2 && mask.substr(0, 2) == "*." && std::all_of(mask.begin() + 2, mask.end(), IsAlnum)) {
        suffix_ = std::string(mask.substr(1));
    } else if (rules == MaskRules::Dos && mask.size() > 2 && mask.substr(0, 2) == "*." &&
               std::all_of(mask.begin() + 2, mask.end(), [](char c) { return c == '?' || IsAlnum(c); })) {
        dosExtension_ = std::string(mask.substr(2));
    }
}

bool NameMask::Matches(std::string_view name) const {
    if (!suffix_.empty()) {
        if (name.size() < suffix_.size()) return false;
        const std::string_view tail = name.substr(name.size() - suffix_.size());
        return std::equal(tail.begin(), tail.end(), suffix_.begin(), [](char a, char b) { return Fold(a) == Fold(b); });
    }
    if (!dosExtension_.empty()) return DosExtensionMatch(dosExtension_, name);
    return rules_ == MaskRules::Dos ? DosMatcher(expression_, name).Run() : PlainMatch(expression_, name);
}

MaskSet::MaskSet(const std::vector<std::string>& masks, MaskRules rules) {
    masks_.reserve(masks.size());
    for (const std::string& mask : masks) masks_.emplace_back(mask, rules);
}

bool MaskSet::MatchesEntry(std::string_view name, std::string_view shortName) const {
    for (const NameMask& mask : masks_) {
        if (mask.Matches(name)) return true;
    }
    if (shortName.empty()) return false;
    for (const NameMask& mask : masks_) {
        if (mask.Matches(shortName)) return true;
    }
    return false;
}

}  // namespace morvel

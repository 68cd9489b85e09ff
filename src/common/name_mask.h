// File names matched against a search mask ("*.bmp", "*.pc?", "*.???") the way FindFirstFileA
// matches them, so that one search of every entry can be filtered in memory.
//
// The system matches a mask against an entry's long name and, when that fails, against the
// short (8.3) name it keeps beside it; letters compare without regard to case. Which wildcard
// rules apply is the system's: see MaskRules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvel {

enum class MaskRules {
    // Windows: the mask is read with the DOS wildcards. "?" also matches nothing before a dot
    // or at the end of a name, so "*.???" takes names without extension and with one to three
    // letters; "." before a wildcard also matches the end of a name; "*" before a dot stops at
    // the last dot; "*.*" is every name and "*." every name without a dot.
    Dos,
    // Wine's file system: "*" is any run of characters, "?" exactly one; dots and stars at the
    // end of the mask are ignored (so "*." is every name). Its matcher scans from the star to
    // the first place where the rest of the mask fits, and after a fit that does not reach the
    // end of the name carries on from there: a few names with several dots that "*.???" would
    // take by a looser reading are refused.
    Plain,
};

// One mask, prepared once and matched against many names.
class NameMask {
public:
    NameMask(std::string_view mask, MaskRules rules);

    bool Matches(std::string_view name) const;
    // An entry as a search reports it: its long name, and its short name (empty when the long
    // name is one).
    bool MatchesEntry(std::string_view name, std::string_view shortName) const {
        return Matches(name) || (!shortName.empty() && Matches(shortName));
    }

private:
    MaskRules rules_;
    std::string expression_;    // the mask as matched (DOS wildcards translated)
    std::string suffix_;        // ".ext" when the mask is "*." and letters or digits only
    std::string dosExtension_;  // "ext" of "*.ext" read by the DOS rules, with "?" in it
};

// Several masks: an entry is taken when one of them matches.
class MaskSet {
public:
    MaskSet(const std::vector<std::string>& masks, MaskRules rules);
    bool MatchesEntry(std::string_view name, std::string_view shortName) const;
    bool empty() const { return masks_.empty(); }

private:
    std::vector<NameMask> masks_;
};

}  // namespace morvel

#include "common/path_parts.h"

namespace morvel::path {

namespace {
std::size_t NameStart(std::string_view path) {
    const std::size_t sep = path.find_last_of("\\:");
    return sep == std::string_view::npos ? 0 : sep + 1;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string_view FolderPart(std::string_view path) { return path.substr(0, NameStart(path)); }

std::string_view NamePart(std::string_view path) { return path.substr(NameStart(path)); }

std::string_view Extension(std::string_view path) {
    const std::string_view name = NamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

bool IsDriveRoot(std::string_view path) {
    if (path.size() != 3) return false;
    const char d = UpperAscii(path[0]);
    return d >= 'A' && d <= 'Z' && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::string WithTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != '\\') out += '\\';
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperAscii(c);
    return out;
}

}  // namespace morvel::path

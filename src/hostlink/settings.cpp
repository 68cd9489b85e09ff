#include "hostlink/settings.h"

#include "common/ini_store.h"

namespace morvel {

namespace {
std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    if (last == '\\' || last == '/' || last == ':') return folder + name;
    // Native builds keep the file in a plain directory; Windows paths use "\".
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}
}  // namespace

SettingsFile::SettingsFile(std::string folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)), path_(JoinPath(folder_, name_)) {}

std::string SettingsFile::ReadString(std::string_view key, std::string_view def) const {
    const auto result = ini::ProfileGetString(kSettingsSection, key, def,
                                                     static_cast<std::uint32_t>(kMaxValueLength + 1), path_);
    // The buffer holds the value and its terminating NUL; the return value is its length.
    return result.buf.substr(0, result.ret);
}

std::int32_t SettingsFile::ReadInteger(std::string_view key, std::int32_t def) const {
    return ini::ParseLibraryInt(ReadString(key, ""), def);
}

void SettingsFile::WriteString(std::string_view key, std::string_view value) const {
    ini::File file(path_);
    file.Load();
    file.Set(kSettingsSection, key, value);
    try {
        file.Save();
    } catch (const ini::WriteError&) {
        throw ini::WriteError(name_);
    }
}

void SettingsFile::WriteInteger(std::string_view key, std::int32_t value) const {
    WriteString(key, std::to_string(value));
}

std::int32_t SettingsFile::ReadWithBuiltIn(std::string_view key, std::int32_t builtIn) const {
    const std::int32_t value = ReadInteger(key, kAbsentInt);
    return value == kAbsentInt ? builtIn : value;
}

std::optional<std::int32_t> SettingsFile::ReadGeometry(std::string_view key) const {
    const std::int32_t value = ReadInteger(key, kAbsentGeometry);
    if (value == kAbsentGeometry) return std::nullopt;
    return value;
}

std::optional<std::string> SettingsFile::ReadRequired(std::string_view key) const {
    std::string value = ReadString(key, kAbsentString);
    if (value == kAbsentString) return std::nullopt;
    return value;
}

}  // namespace morvel

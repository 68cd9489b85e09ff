// The settings file morvel.ini, section "morvel": every key, the absent-value conventions, and
// the reading and writing rules the host relies on. Opened afresh for every operation and never
// cached, so a read always sees what the host wrote last and the host sees each write at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "morvel32.h"

namespace morvel {

namespace key {
inline constexpr std::string_view Win95Tmp = MORVEL_KEY_WIN95TMP;
inline constexpr std::string_view LastDir = MORVEL_KEY_LASTDIR;
inline constexpr std::string_view SavePath = MORVEL_KEY_SAVEPATH;
inline constexpr std::string_view SaveName = MORVEL_KEY_SAVENAME;
// The dialogs' write-back spells the key this way; names compare without regard to case, so it
// replaces SaveName, but a host reading the raw file sees this spelling.
inline constexpr std::string_view SaveNameWriteBack = "Savename";
inline constexpr std::string_view Win95file = MORVEL_KEY_WIN95FILE;
inline constexpr std::string_view LongName = MORVEL_KEY_LONGNAME;
inline constexpr std::string_view SaveExt = MORVEL_KEY_SAVEEXT;
inline constexpr std::string_view MultiBPP = MORVEL_KEY_MULTIBPP;
inline constexpr std::string_view Save1 = MORVEL_KEY_SAVE1;
inline constexpr std::string_view Save4 = MORVEL_KEY_SAVE4;
inline constexpr std::string_view Save8 = MORVEL_KEY_SAVE8;
inline constexpr std::string_view Save16 = MORVEL_KEY_SAVE16;
inline constexpr std::string_view Save24 = MORVEL_KEY_SAVE24;
inline constexpr std::string_view SaveYUV = MORVEL_KEY_SAVEYUV;
inline constexpr std::string_view SaveJPG = MORVEL_KEY_SAVEJPG;
inline constexpr std::string_view SavePIC = MORVEL_KEY_SAVEPIC;
inline constexpr std::string_view SaveCMP = MORVEL_KEY_SAVECMP;
inline constexpr std::string_view bWinT = MORVEL_KEY_BWINT;
inline constexpr std::string_view bWinL = MORVEL_KEY_BWINL;
inline constexpr std::string_view bWinW = MORVEL_KEY_BWINW;
inline constexpr std::string_view bWinH = MORVEL_KEY_BWINH;
inline constexpr std::string_view AVLFIL = MORVEL_KEY_AVLFIL;
inline constexpr std::string_view AVLTMP = MORVEL_KEY_AVLTMP;
}  // namespace key

inline constexpr std::string_view kSettingsFileName = MORVEL_INI_FILE;
inline constexpr std::string_view kSettingsSection = MORVEL_INI_SECTION;
inline constexpr std::size_t kMaxValueLength = 1023;

inline constexpr std::int32_t kAbsentInt = MORVEL_ABSENT_INT;
inline constexpr std::int32_t kAbsentGeometry = MORVEL_ABSENT_GEOMETRY;
inline constexpr std::string_view kAbsentString = MORVEL_ABSENT_STRING;

// One object per use, created with the folder that holds the file (the Windows directory).
class SettingsFile {
public:
    explicit SettingsFile(std::string folder, std::string name = std::string(kSettingsFileName));

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }

    // At most 1023 characters, read as GetPrivateProfileStringA reads it; def when absent.
    std::string ReadString(std::string_view key, std::string_view def) const;
    // Decimal text, or "0x"/"0X" hexadecimal when longer than two characters; def otherwise.
    std::int32_t ReadInteger(std::string_view key, std::int32_t def) const;
    // Writes throw ini::WriteError ("Unable to write to <name>") when the file cannot be written.
    void WriteString(std::string_view key, std::string_view value) const;
    void WriteInteger(std::string_view key, std::int32_t value) const;

    // Integer setting with a built-in default: read with 911; 911 (stored or absent) is builtIn.
    std::int32_t ReadWithBuiltIn(std::string_view key, std::int32_t builtIn) const;
    // Window-geometry key: nothing when -1 (absent, stored -1, or not a number).
    std::optional<std::int32_t> ReadGeometry(std::string_view key) const;
    // String the host must supply: nothing when it reads as "ERROR".
    std::optional<std::string> ReadRequired(std::string_view key) const;

private:
    std::string folder_;
    std::string name_;
    std::string path_;
};

}  // namespace morvel

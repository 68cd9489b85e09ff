// What an Explorer window reads from the settings file when it is created, and what it writes
// when it closes: the exchange path with its sentinel fall-back, the start folder's key by kind,
// the format position of the dialog's colour depth, the stored geometry, and the closing writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/explorer_geometry.h"
#include "explorer/list_file.h"
#include "hostlink/settings.h"

namespace morvel::explorer_rules {

// Win95Tmp's default, which no host writes: reading it means the key is missing.
inline constexpr std::string_view kExchangeSentinel = "c:\\morvel.tmp";
// The exchange path used instead.
inline constexpr std::string_view kExchangeFallback = "c:\\morvel.err";

struct CreationSettings {
    std::string storedFolder;      // LastDir, or SavePath in a saving dialog; as read
    std::string exchangePath;      // Win95Tmp, or the fall-back
    bool exchangeMissing = false;  // the user is told that the settings file is corrupted
    // The dialog's colour depth: its position in the per-depth table, and the format position
    // the settings hold for it (the built-in entry when they hold none).
    std::optional<std::size_t> depthSlot;
    int formatIndex = 0;
};

CreationSettings ReadCreationSettings(const SettingsFile& settings, bool dialogMode, int dialogKind);

// bWinT, bWinL, bWinW, bWinH as stored.
StoredGeometry ReadStoredGeometry(const SettingsFile& settings);

// The save step: the modeless Explorer's window rectangle, then LastDir (the recorded folder)
// where the mode records it.
std::vector<IniWrite> ClosingWrites(bool dialogMode, int dialogKind, const Rect& window,
                                    std::string_view recordedFolder);

}  // namespace morvel::explorer_rules

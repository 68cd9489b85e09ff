#include "explorer/explorer_settings.h"

#include "explorer/dialog_setup.h"
#include "explorer/save_formats.h"
#include "explorer/start_folder.h"

namespace morvel::explorer_rules {

CreationSettings ReadCreationSettings(const SettingsFile& settings, bool dialogMode, int dialogKind) {
    CreationSettings read;
    const std::string exchange = settings.ReadString(key::Win95Tmp, kExchangeSentinel);
    read.exchangeMissing = exchange == kExchangeSentinel;
    read.exchangePath = read.exchangeMissing ? std::string(kExchangeFallback) : exchange;
    const std::string_view folderKey = StartsInSavePath(dialogMode, dialogKind) ? key::SavePath : key::LastDir;
    read.storedFolder = settings.ReadString(folderKey, kFallbackFolder);
    if (const DepthRow* row = dialogMode ? DepthRowOf(dialogKind) : nullptr) {
        read.depthSlot = DepthSlot(dialogKind);
        read.formatIndex = settings.ReadWithBuiltIn(row->key, row->builtIn);
    }
    return read;
}

StoredGeometry ReadStoredGeometry(const SettingsFile& settings) {
    return {settings.ReadGeometry(key::bWinT), settings.ReadGeometry(key::bWinL), settings.ReadGeometry(key::bWinW),
            settings.ReadGeometry(key::bWinH)};
}

std::vector<IniWrite> ClosingWrites(bool dialogMode, int dialogKind, const Rect& window,
                                    std::string_view recordedFolder) {
    std::vector<IniWrite> writes;
    const std::string section(kSettingsSection);
    if (!dialogMode) {
        writes.push_back({section, std::string(key::bWinT), std::to_string(window.top)});
        writes.push_back({section, std::string(key::bWinL), std::to_string(window.left)});
        writes.push_back({section, std::string(key::bWinW), std::to_string(window.width)});
        writes.push_back({section, std::string(key::bWinH), std::to_string(window.height)});
    }
    if (RecordsLastDir(dialogMode, dialogKind)) {
        writes.push_back({section, std::string(key::LastDir), std::string(recordedFolder)});
    }
    return writes;
}

}  // namespace morvel::explorer_rules

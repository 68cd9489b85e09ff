#include "common/win/folder_picker.h"

#include <shlobj.h>

namespace morvel::win {

std::optional<std::string> PickFolder(HWND owner, const std::string& title) {
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    char path[MAX_PATH + 1] = {};
    const bool named = SHGetPathFromIDListA(chosen, path) != FALSE;
    // The list belongs to the shell's allocator; asking shell32 for it keeps ole32 out.
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(chosen);
        allocator->Release();
    }
    if (!named || !path[0]) return std::nullopt;
    return std::string(path);
}

}  // namespace morvel::win

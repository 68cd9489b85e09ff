#include "editor/win/slide_clipboard.h"

#include <cstring>

namespace morvel {

namespace {

UINT SlidesFormat() {
    static const UINT format = RegisterClipboardFormatA(kSlidesFormatName);
    return format;
}

// The clipboard, open for as long as this lives.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        // Another program may hold it for a moment.
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(10);
        }
    }
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

private:
    bool open_ = false;
};

// A movable block holding the text and its terminating NUL; the clipboard takes it over.
HGLOBAL TextBlock(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return nullptr;
    if (void* p = GlobalLock(block)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        return block;
    }
    GlobalFree(block);
    return nullptr;
}

bool Give(UINT format, const std::string& text) {
    HGLOBAL block = TextBlock(text);
    if (!block) return false;
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

std::optional<std::string> TextOf(UINT format) {
    HANDLE data = GetClipboardData(format);
    if (!data) return std::nullopt;
    const char* p = static_cast<const char*>(GlobalLock(data));
    if (!p) return std::nullopt;
    // Up to the first NUL, never past the block.
    const std::size_t size = GlobalSize(data);
    std::string text(p, strnlen(p, size));
    GlobalUnlock(data);
    return text;
}

}  // namespace

bool PutSlidesOnClipboard(HWND owner, const std::string& text) {
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard()) return false;
    const bool own = Give(SlidesFormat(), text);
    const bool plain = Give(CF_TEXT, text);
    return own && plain;
}

std::optional<std::string> SlidesTextOnClipboard(HWND owner) {
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.open()) return std::nullopt;
    if (IsClipboardFormatAvailable(SlidesFormat())) {
        if (auto text = TextOf(SlidesFormat())) return text;
    }
    if (IsClipboardFormatAvailable(CF_TEXT)) return TextOf(CF_TEXT);
    return std::nullopt;
}

bool ClipboardMayHoldSlides() {
    return IsClipboardFormatAvailable(SlidesFormat()) || IsClipboardFormatAvailable(CF_TEXT);
}

}  // namespace morvel

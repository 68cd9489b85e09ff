#include "common/win/text.h"

#include <algorithm>

namespace morvel::win {

namespace {

std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got =
        SendMessageA(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : std::min(static_cast<std::size_t>(got), static_cast<std::size_t>(length)));
    return text;
}

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return text;
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextA(window, text.c_str());
}

std::string ComboItemText(HWND combo, int index) {
    return ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

std::string ListItemText(HWND list, int index) {
    return ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

}  // namespace morvel::win

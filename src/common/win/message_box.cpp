#include "common/win/message_box.h"

#include <exception>

namespace morvel {

namespace {
constexpr const char* kCaption = "Morvel";

UINT StyleOf(BoxKind kind) {
    switch (kind) {
        case BoxKind::Warning:
            return MB_OK | MB_ICONWARNING;
        case BoxKind::Error:
            return MB_OK | MB_ICONERROR;
        case BoxKind::Information:
            return MB_OK | MB_ICONINFORMATION;
        case BoxKind::Confirmation:
            return MB_YESNO | MB_ICONQUESTION;
    }
    return MB_OK;
}
}  // namespace

int ShowMessage(HWND owner, BoxKind kind, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), kCaption, StyleOf(kind) | MB_TASKMODAL);
}

bool AskYesNo(HWND owner, BoxKind kind, const std::string& text) {
    const UINT icon = StyleOf(kind) & MB_ICONMASK;
    return MessageBoxA(owner, text.c_str(), kCaption, MB_YESNO | icon | MB_TASKMODAL) == IDYES;
}

bool AskOkCancel(HWND owner, BoxKind kind, const std::string& text) {
    const UINT icon = StyleOf(kind) & MB_ICONMASK;
    return MessageBoxA(owner, text.c_str(), kCaption, MB_OKCANCEL | icon | MB_TASKMODAL) == IDOK;
}

void ShowFailure(HWND owner, const std::exception& failure) {
    ShowMessage(owner, BoxKind::Error, failure.what());
}

}  // namespace morvel

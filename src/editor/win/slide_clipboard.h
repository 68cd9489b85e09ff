// The slides on the clipboard: a registered format of the library's own, "Morvel Slides", and
// CF_TEXT, both holding the slides as the sections of a slideshow file, so that another editor
// run pastes them and a text editor shows them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace morvel {

inline constexpr const char* kSlidesFormatName = "Morvel Slides";
inline constexpr const char* kNoSlidesOnClipboard = "The clipboard holds no slides.";

// Puts the text on the clipboard in both formats, in place of what it held. False when the
// clipboard could not be opened or took no data.
bool PutSlidesOnClipboard(HWND owner, const std::string& text);

// The text of the clipboard's slides: the library's format when it is there, else its text.
// Nothing when it holds neither, or cannot be opened.
std::optional<std::string> SlidesTextOnClipboard(HWND owner);

// Whether the clipboard holds something a paste could take (either format).
bool ClipboardMayHoldSlides();

}  // namespace morvel

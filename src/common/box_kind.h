// The four kinds of message box the library shows (warning, error, information, confirmation).
// Portable, so that rules which decide on a message can name its kind without <windows.h>.
#pragma once

namespace morvel {

enum class BoxKind { Warning, Error, Information, Confirmation };

}  // namespace morvel

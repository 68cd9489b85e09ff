// The accelerator letter of a caption: the character after its "&" ("Look &in:" gives 'i'),
// lower-cased; 0 when the caption has none ("&&" is a plain ampersand).
#pragma once

#include <string_view>

namespace morvel {

char MnemonicOf(std::string_view caption);

// Whether a typed character selects that caption's accelerator (letters compare without case).
bool MatchesMnemonic(std::string_view caption, char typed);

}  // namespace morvel

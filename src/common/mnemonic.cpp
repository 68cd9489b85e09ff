#include "common/mnemonic.h"

namespace morvel {

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

char MnemonicOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;  // "&&" stands for one ampersand
            continue;
        }
        return Lower(caption[i + 1]);
    }
    return 0;
}

bool MatchesMnemonic(std::string_view caption, char typed) {
    const char mnemonic = MnemonicOf(caption);
    return mnemonic != 0 && mnemonic == Lower(typed);
}

}  // namespace morvel

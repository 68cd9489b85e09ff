// The player's keyboard table. The window sees every key before its controls; a command needs
// exactly the modifiers listed (Shift alone or Ctrl alone, no Alt, no mouse button), except Esc,
// which works with any.
#pragma once

#include "player/player_menu.h"

namespace morvel {

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool mouseButton = false;
};

// Virtual-key codes of the keys in the table (the platform's values).
namespace vkey {
inline constexpr int Escape = 0x1B;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
}  // namespace vkey

PlayerCommand KeyCommand(int virtualKey, const KeyModifiers& modifiers);

}  // namespace morvel

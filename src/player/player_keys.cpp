#include "player/player_keys.h"

namespace morvel {

PlayerCommand KeyCommand(int virtualKey, const KeyModifiers& modifiers) {
    if (virtualKey == vkey::Escape) return PlayerCommand::CloseRequest;
    const bool clean = !modifiers.alt && !modifiers.mouseButton;
    const bool shiftAlone = clean && modifiers.shift && !modifiers.ctrl;
    const bool ctrlAlone = clean && modifiers.ctrl && !modifiers.shift;
    if (shiftAlone) {
        if (virtualKey == vkey::Insert) return PlayerCommand::Play;
        if (virtualKey == vkey::Delete) return PlayerCommand::Pause;
    }
    if (ctrlAlone) {
        switch (virtualKey) {
            case '1':
                return PlayerCommand::Zoom1;
            case '2':
                return PlayerCommand::Zoom2;
            case '3':
                return PlayerCommand::Zoom3;
            case '4':
                return PlayerCommand::Zoom4;
            case 'M':
                return PlayerCommand::Menu;
            case 'O':
                return PlayerCommand::Optimize;
            case 'Q':
                return PlayerCommand::Quiet;
            default:
                break;
        }
    }
    return PlayerCommand::None;
}

}  // namespace morvel

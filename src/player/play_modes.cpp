#include "player/play_modes.h"

namespace morvel {

std::string_view ModeName(int mode) {
    if (mode < 0 || mode >= static_cast<int>(ModeNames.size())) return ModeNames[NotReady];
    return ModeNames[static_cast<std::size_t>(mode)];
}

PlayModeTraits TraitsOf(std::int32_t playMode) {
    switch (playMode) {
        case 1:
            return {.openingVolume = 500,
                    .loopItemShown = false,
                    .optionsItemsShown = true,
                    .sendsVolumeAndSpeed = true,
                    .earlyStopIsEnd = false,
                    .rewindBeforeLoop = false,
                    .firstStopKeepsButtons = false,
                    .repaintOnPaletteChange = true,
                    .relayoutAfterConfigure = true,
                    .defaultVolume = 500};
        case 2:
            return {.openingVolume = 1000,
                    .loopItemShown = true,
                    .optionsItemsShown = false,
                    .sendsVolumeAndSpeed = false,
                    .earlyStopIsEnd = true,
                    .rewindBeforeLoop = true,
                    .firstStopKeepsButtons = true,
                    .repaintOnPaletteChange = false,
                    .relayoutAfterConfigure = false,
                    .defaultVolume = 500};
        default:
            return {.openingVolume = 1000,
                    .loopItemShown = true,
                    .optionsItemsShown = true,
                    .sendsVolumeAndSpeed = true,
                    .earlyStopIsEnd = false,
                    .rewindBeforeLoop = false,
                    .firstStopKeepsButtons = false,
                    .repaintOnPaletteChange = true,
                    .relayoutAfterConfigure = false,
                    .defaultVolume = playMode == 0 ? 1000 : 500};
    }
}

EndAction EndOfClip(const StopPoint& stop, std::int32_t playMode, bool loopChecked, bool& firstStop) {
    const PlayModeTraits traits = TraitsOf(playMode);
    if (!stop.AtEnd() && !traits.earlyStopIsEnd) return EndAction::ShowStoppedBefore;
    if (loopChecked) return EndAction::Loop;
    if (traits.firstStopKeepsButtons && firstStop) {
        firstStop = false;
        return EndAction::KeepButtons;
    }
    return EndAction::ShowStoppedAtEnd;
}

PaletteAction PaletteChangeAction(std::int32_t playMode, bool playerClosing, bool fromPlayerWindow) {
    if (playerClosing || !TraitsOf(playMode).repaintOnPaletteChange) return PaletteAction::Ignore;
    return fromPlayerWindow ? PaletteAction::DefaultOnly : PaletteAction::RepaintFrame;
}

std::string TickStatusText(int mode, std::int32_t framePos) {
    return std::string(ModeName(mode)) + " Frame:" + std::to_string(framePos);
}

std::string StepStatusText(int mode, std::int32_t framePos) {
    return std::string(ModeName(mode)) + "Frame:" + std::to_string(framePos);
}

std::string SeekStatusText(std::int32_t frame) {
    return "Seek Frame:" + std::to_string(frame);
}

std::string OpenErrorMessage(std::string_view deviceText, std::uint32_t errorCode) {
    std::string message(deviceText);
    if (errorCode == kErrInvalidDeviceName || errorCode == kErrExtensionNotFound)
        message += "\nPlease see README file.";
    else
        message += "ErrCode=" + std::to_string(errorCode);
    return message;
}

}  // namespace morvel

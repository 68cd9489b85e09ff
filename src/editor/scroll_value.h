// The rules of the numeric entry dialog TScrlDlg: the coupling of the edit field and
// the scroll bar, with the edit-change guard, clamping and the beep-and-reset rule. The dialog
// feeds it the edit's text and the bar's moves and applies what it answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvel::editor {

// A whole number as the dialog accepts it: optional sign and decimal digits, in 32-bit range.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

class ScrollValue {
public:
    ScrollValue(std::int32_t minimum, std::int32_t maximum, std::int32_t initial);

    std::int32_t minimum() const { return minimum_; }
    std::int32_t maximum() const { return maximum_; }
    std::int32_t initial() const { return initial_; }
    std::int32_t position() const { return position_; }
    const std::string& editText() const { return editText_; }
    bool guard() const { return guard_; }

    // What a change asks of the window.
    struct Effect {
        bool beep = false;
        std::optional<std::string> newEditText;  // the edit's text to set
        std::optional<std::int32_t> newPosition;  // the bar's position to set
    };

    // CustomSettingChange: the edit's text changed (typed or set). Apply the answer: set the bar
    // and the edit as told (a text set by the program comes back here and changes nothing more).
    Effect EditChanged(std::string_view text);
    // CustomScrollBarChange: the bar moved. Unless the guard is set, the edit shows the position.
    Effect BarMoved(std::int32_t position);

    // The result when the dialog ends with OK: the bar's position.
    std::int32_t result() const { return position_; }

private:
    std::int32_t minimum_;
    std::int32_t maximum_;
    std::int32_t initial_;
    std::int32_t position_;
    std::string editText_;
    bool guard_ = false;
};

}  // namespace morvel::editor

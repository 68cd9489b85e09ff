#include "editor/scroll_value.h"

#include <algorithm>

namespace morvel::editor {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

ScrollValue::ScrollValue(std::int32_t minimum, std::int32_t maximum, std::int32_t initial)
    : minimum_(minimum), maximum_(maximum), initial_(initial), position_(std::clamp(initial, minimum, std::max(minimum, maximum))),
      editText_(std::to_string(initial)) {}

ScrollValue::Effect ScrollValue::EditChanged(std::string_view text) {
    Effect effect;
    editText_ = std::string(text);
    guard_ = true;
    if (text.empty()) {
        guard_ = false;
        return effect;
    }
    const auto number = ParseWholeNumber(text);
    if (!number) {
        effect.beep = true;
        position_ = std::clamp(initial_, minimum_, std::max(minimum_, maximum_));
        effect.newPosition = position_;
        editText_ = std::to_string(initial_);
        effect.newEditText = editText_;
        guard_ = false;
        return effect;
    }
    std::int32_t value = *number;
    if (value > maximum_) value = maximum_;
    if (value < minimum_) value = minimum_;
    // Only a clamped number is written back; "007" stays as typed.
    if (value != *number) {
        editText_ = std::to_string(value);
        effect.newEditText = editText_;
    }
    position_ = value;
    effect.newPosition = position_;
    guard_ = false;
    return effect;
}

ScrollValue::Effect ScrollValue::BarMoved(std::int32_t position) {
    Effect effect;
    position_ = position;
    if (!guard_) {
        editText_ = std::to_string(position);
        effect.newEditText = editText_;
    }
    return effect;
}

}  // namespace morvel::editor

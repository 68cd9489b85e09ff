#include "editor/cell_text.h"

#include <cstring>
#include <ostream>

namespace morvel::editor {

void CellText::Take(std::string_view text) {
    char* to = inPlace_;
    if (text.size() > kInPlace) {
        onHeap_ = new char[text.size() + 1];
        to = onHeap_;
    }
    if (!text.empty()) std::memcpy(to, text.data(), text.size());
    to[text.size()] = '\0';
    size_ = static_cast<std::uint32_t>(text.size());
}

CellText::CellText(CellText&& other) noexcept : size_(other.size_) {
    std::memcpy(inPlace_, other.inPlace_, sizeof inPlace_);  // the text, or the heap block's pointer
    other.size_ = 0;
    other.inPlace_[0] = '\0';
}

CellText& CellText::operator=(std::string_view text) {
    // The text may be this cell's own (a view of it): it is copied before the old one is freed.
    if (text.size() <= kInPlace && !OnHeap()) {
        if (!text.empty()) std::memmove(inPlace_, text.data(), text.size());
        inPlace_[text.size()] = '\0';
        size_ = static_cast<std::uint32_t>(text.size());
        return *this;
    }
    CellText copy(text);
    return *this = std::move(copy);
}

CellText& CellText::operator=(CellText&& other) noexcept {
    if (this == &other) return *this;
    Free();
    size_ = other.size_;
    std::memcpy(inPlace_, other.inPlace_, sizeof inPlace_);
    other.size_ = 0;
    other.inPlace_[0] = '\0';
    return *this;
}

std::ostream& operator<<(std::ostream& out, const CellText& cell) {
    return out << cell.view();
}

}  // namespace morvel::editor

#include "editor/cell_text.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace morvel::editor {

CellText::Block* CellText::NewBlock(std::size_t textBytes) {
    return new (::operator new(sizeof(Block) + textBytes)) Block;
}

void CellText::DeleteBlock(Block* block) {
    block->~Block();
    ::operator delete(block);
}

void CellText::Take(std::string_view text) {
    char* to = inPlace_;
    if (text.size() > kInPlace) {
        if (text == kNotApplicable) {
            onHeap_ = {kNotApplicable.data(), nullptr};
            size_ = static_cast<std::uint32_t>(text.size());
            return;
        }
        Block* block = NewBlock(text.size() + 1);
        to = reinterpret_cast<char*>(block + 1);
        onHeap_ = {to, block};
    }
    if (!text.empty()) std::memcpy(to, text.data(), text.size());
    to[text.size()] = '\0';
    size_ = static_cast<std::uint32_t>(text.size());
}

CellText::CellText(const CellText& other) noexcept : size_(other.size_) {
    std::memcpy(inPlace_, other.inPlace_, sizeof inPlace_);  // the text, or where it is kept
    if (OnHeap() && onHeap_.block) ++onHeap_.block->users;
}

CellText& CellText::operator=(const CellText& other) noexcept {
    CellText copy(other);
    return *this = std::move(copy);
}

CellText::CellText(CellText&& other) noexcept : size_(other.size_) {
    std::memcpy(inPlace_, other.inPlace_, sizeof inPlace_);  // the text, or where it is kept
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

CellText CellText::Pool::Text(std::string_view text) {
    if (text.size() <= kInPlace || text == kNotApplicable) return CellText(text);
    const std::size_t bytes = text.size() + 1;
    if (bytes > left_) {
        // A text of more than a quarter of a block gets a block of its own; the pool keeps its
        // block for the next texts.
        if (bytes > kBlockBytes / 4) return CellText(text);
        if (block_) Release(block_);
        left_ = std::max(nextBlockBytes_, bytes);
        block_ = NewBlock(left_);
        next_ = reinterpret_cast<char*>(block_ + 1);
        nextBlockBytes_ = kBlockBytes;
    }
    CellText cell;
    std::memcpy(next_, text.data(), text.size());
    next_[text.size()] = '\0';
    cell.onHeap_ = {next_, block_};
    cell.size_ = static_cast<std::uint32_t>(text.size());
    ++block_->users;
    next_ += bytes;
    left_ -= bytes;
    return cell;
}

}  // namespace morvel::editor

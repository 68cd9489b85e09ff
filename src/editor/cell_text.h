// The text of one cell of the slide table. Up to 15 characters are kept in the cell itself: a
// slide has thirteen cells, and all but its path and name are a short number or word. The
// 30-character not-applicable mark, three or four to a slide, is not copied at all: the cell
// refers to the one mark. Other longer texts go on the heap. In the 32-bit library a row then
// takes 260 bytes instead of 468, and a table of 10,000 slides is read, written and freed that
// much faster.
//
// A text on the heap is never changed, only replaced, so copies of a cell share it: a block
// counts the cells that use it and goes when the last lets go. The count is a plain one: cells
// that share a text stay on one thread. A Pool puts the long texts of a whole slideshow being
// read into a few large blocks. A table of 10,000 slides is then read with a few dozen
// allocations instead of 10,000, and freed with as few. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace morvel::editor {

class CellText {
public:
    static constexpr std::size_t kInPlace = 15;
    // The not-applicable mark: 30 hyphens.
    static constexpr std::string_view kNotApplicable = "------------------------------";
    class Pool;

    CellText() noexcept { inPlace_[0] = '\0'; }
    CellText(std::string_view text) { Take(text); }  // NOLINT: a cell is written like a string
    CellText(const char* text) : CellText(std::string_view(text)) {}
    CellText(const std::string& text) : CellText(std::string_view(text)) {}
    CellText(const CellText& other) noexcept;
    CellText(CellText&& other) noexcept;
    ~CellText() { Free(); }

    CellText& operator=(std::string_view text);
    CellText& operator=(const char* text) { return *this = std::string_view(text); }
    CellText& operator=(const std::string& text) { return *this = std::string_view(text); }
    CellText& operator=(const CellText& other) noexcept;
    CellText& operator=(CellText&& other) noexcept;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* data() const { return OnHeap() ? onHeap_.text : inPlace_; }
    const char* c_str() const { return data(); }
    std::string_view view() const { return {data(), size_}; }
    operator std::string_view() const { return view(); }  // NOLINT: read like a string
    std::string str() const { return std::string(view()); }
    void clear() { *this = std::string_view(); }
    // The heap bytes of the cell's text (none when it is kept in place or is the mark), shared
    // with its copies.
    std::size_t HeapBytes() const { return OnHeap() && onHeap_.block ? size_ + 1 : 0; }

    friend bool operator==(const CellText& a, const CellText& b) { return a.view() == b.view(); }
    friend bool operator==(const CellText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const CellText& a, const char* b) { return a.view() == b; }
    friend bool operator==(const CellText& a, const std::string& b) { return a.view() == b; }

private:
    // A heap block of texts: the count of the cells (and the pool) that use it, then the texts.
    struct Block {
        std::uint32_t users = 1;
    };
    static Block* NewBlock(std::size_t textBytes);
    static void Release(Block* block) {
        if (--block->users == 0) DeleteBlock(block);
    }
    static void DeleteBlock(Block* block);

    bool OnHeap() const { return size_ > kInPlace; }
    // Sets the text into a cell that holds none (freed or new).
    void Take(std::string_view text);
    void Free() {
        if (OnHeap() && onHeap_.block) Release(onHeap_.block);
    }

    union {
        char inPlace_[kInPlace + 1];
        struct {
            const char* text;
            Block* block;  // none: the text is the mark
        } onHeap_;
    };
    std::uint32_t size_ = 0;
};

// Makes cells whose long texts share large blocks: for the many paths of a slideshow being read.
// The pool may go before the cells it made; each block goes with the last cell that uses it.
class CellText::Pool {
public:
    // The first block holds this many bytes of texts (more come in blocks of 64 KB).
    explicit Pool(std::size_t firstBlockBytes = kBlockBytes) : nextBlockBytes_(firstBlockBytes) {}
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;
    ~Pool() {
        if (block_) Release(block_);
    }

    CellText Text(std::string_view text);

private:
    static constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

    Block* block_ = nullptr;
    char* next_ = nullptr;
    std::size_t left_ = 0;
    std::size_t nextBlockBytes_;
};

// For test failure messages; inline, so that the library, which never prints a cell, links no
// stream code.
inline std::ostream& operator<<(std::ostream& out, const CellText& cell) { return out << cell.view(); }

}  // namespace morvel::editor

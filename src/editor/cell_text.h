// The text of one cell of the slide table. Up to 31 characters are kept in the cell itself and
// only longer texts on the heap: a slide has thirteen cells, and all but its path are a short
// number, a word, a file name or the 30-character not-applicable mark. A table of 10,000 slides
// then holds one heap block a slide instead of four, and is read, copied and freed that much
// faster. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace morvel::editor {

class CellText {
public:
    static constexpr std::size_t kInPlace = 31;

    CellText() noexcept { inPlace_[0] = '\0'; }
    CellText(std::string_view text) { Take(text); }  // NOLINT: a cell is written like a string
    CellText(const char* text) : CellText(std::string_view(text)) {}
    CellText(const std::string& text) : CellText(std::string_view(text)) {}
    CellText(const CellText& other) : CellText(other.view()) {}
    CellText(CellText&& other) noexcept;
    ~CellText() { Free(); }

    CellText& operator=(std::string_view text);
    CellText& operator=(const char* text) { return *this = std::string_view(text); }
    CellText& operator=(const std::string& text) { return *this = std::string_view(text); }
    CellText& operator=(const CellText& other) { return *this = other.view(); }
    CellText& operator=(CellText&& other) noexcept;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* data() const { return OnHeap() ? onHeap_ : inPlace_; }
    const char* c_str() const { return data(); }
    std::string_view view() const { return {data(), size_}; }
    operator std::string_view() const { return view(); }  // NOLINT: read like a string
    std::string str() const { return std::string(view()); }
    void clear() { *this = std::string_view(); }
    // The heap bytes the cell holds (none when its text is kept in place).
    std::size_t HeapBytes() const { return OnHeap() ? size_ + 1 : 0; }

    friend bool operator==(const CellText& a, const CellText& b) { return a.view() == b.view(); }
    friend bool operator==(const CellText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const CellText& a, const char* b) { return a.view() == b; }
    friend bool operator==(const CellText& a, const std::string& b) { return a.view() == b; }

private:
    bool OnHeap() const { return size_ > kInPlace; }
    // Sets the text into a cell that holds none (freed or new).
    void Take(std::string_view text);
    void Free() {
        if (OnHeap()) delete[] onHeap_;
    }

    union {
        char inPlace_[kInPlace + 1];
        char* onHeap_;
    };
    std::uint32_t size_ = 0;
};

std::ostream& operator<<(std::ostream& out, const CellText& cell);

}  // namespace morvel::editor

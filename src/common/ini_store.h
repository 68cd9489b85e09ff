// The INI store: one reader and writer for every INI-form file of the library (the settings
// file, the exchange file, slideshow files). It reads files exactly as the Win32 profile
// functions do and writes them in the form those functions write, so a host that uses
// GetPrivateProfileStringA / WritePrivateProfileStringA on our files sees what we see.
//
// Portable: no <windows.h>. Strings are bytes in code page 1252.
//
// Reading rules (in brief; the tests hold the recorded cases):
//  - Lines end at any run of CR and LF. Blanks (space, tab, LF, VT, FF, CR, ^Z) are trimmed off
//    both ends of every line; blank lines are ignored.
//  - "[" ... last "]" is a section header (name trimmed, text after "]" ignored). Other lines split
//    at the first "=" into a trimmed key and a trimmed value; a line without "=" is a key without
//    a value (found by lookups as the default, left out of key lists, kept on rewrite).
//  - Lines before the first header belong to an unnamed top part, reached with section "".
//  - Of consecutive entries with an empty name ("=value" lines) in a section, only the first is
//    kept.
//  - Names compare without regard to ASCII case; only the first section of a name is searched,
//    and in it the first key of a name wins.
//  - A value of at least two characters that starts and ends with the same quote (" or ')
//    is returned without them.
//  - A NUL byte ends the name or value it is in.
//  - A UTF-8 byte-order mark means UTF-8, FF FE UTF-16LE, FE FF UTF-16BE; the text is converted
//    to code page 1252 (best fit where there is no equivalent) and the encoding is kept on write.
//
// Writing: a change rewrites the whole file from its parsed form (CRLF, "[name]", "key=value");
// a write that changes nothing leaves the file untouched byte for byte. A write never loses the
// old content: see WriteFileBytes.
//
// Files: ini_store_document.cpp (the parsed form), ini_store_files.cpp (reading and writing
// files), ini_store_profile.cpp (the emulated profile calls); the platform's file operations
// behind ini_store_io.h.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace morvel::ini {

// A refused write: "Unable to write to <path>".
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const std::string& path);
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

enum class Encoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

// The parsed form of one INI-form file. Cheap lookups (indexed), one-pass parse and serialise.
class Document {
public:
    Document();
    ~Document();
    Document(Document&&) noexcept;
    Document& operator=(Document&&) noexcept;
    Document(const Document&);
    Document& operator=(const Document&);

    // Parses the bytes of a file (any size, any content: never fails).
    static Document Parse(std::string_view bytes);
    // The bytes of the file as the profile functions would write it, in its encoding.
    std::string Serialize() const;

    Encoding encoding() const;

    // The value of a key (quotes removed), or nothing when the section or key is missing or the
    // key line has no "=". Section and key are trimmed of blanks before matching. No length cap.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The same value as it stands in the file, quotes kept (the buffer rules of the profile
    // functions depend on the quotes).
    std::optional<std::string> GetRaw(std::string_view section, std::string_view key) const;

    // Names of the sections with a non-empty name, in file order, duplicates included.
    std::vector<std::string> SectionNames() const;
    // Names of the keys with a value in the first matching section (the name is compared without
    // regard to ASCII case but not trimmed), names starting with ';' left out. Nothing when the
    // section is missing.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // Whether a lookup of the section (trimmed, as in Get) finds one.
    bool HasSection(std::string_view section) const;

    // Write rules of WritePrivateProfileStringA. Each returns whether the document changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

private:
    struct Impl;
    Impl* impl_;
};

// The bytes of a new ANSI file written section after section, exactly as Document::Set on an
// empty document followed by Serialize would give them, for writers whose section and key names
// are all distinct and whose keys of one section come together (a slideshow of 10,000 slides
// is then one pass over a buffer, not an indexed document). Section starts a section, and Line
// adds to the last one.
class NewFileWriter {
public:
    // Room for about this many bytes in all, so that a large file is put together in place.
    void Reserve(std::size_t bytes);
    void Section(std::string_view name);
    void Line(std::string_view key, std::string_view value);
    // A line whose value is two texts joined by a character ("name,3"), as if joined first.
    void Line(std::string_view key, std::string_view value, char join, std::string_view more);
    std::string_view bytes() const { return {buffer_.get(), size_}; }
    // The bytes, leaving the writer empty.
    std::string Take();

private:
    // n bytes more at the end, to be written through the pointer.
    char* Extend(std::size_t n);

    std::unique_ptr<char[]> buffer_;  // its first size_ of capacity_ bytes are the file's
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Reading and writing whole files. Missing files read as empty documents.
enum class ReadStatus { Ok, Missing, Error };
ReadStatus ReadFileBytes(const std::string& path, std::string& bytes);
// Replaces the file's content with the bytes, so that at every moment the file holds either its
// old content or the whole new one: the bytes go to a scratch file in the same folder
// ("<name>.<unique>.tmp"), which is flushed to the disk and then takes the file's place (a symbolic
// link's target is replaced, not the link). Where the folder takes no new file (or the disk has no
// room for a second copy) but the file itself is writable, the file is rewritten in place, and its
// old bytes are put back if that fails. A file that cannot be replaced (read-only, immutable, or
// held open by a reader for longer than a moment) is not written. No scratch file is left behind. Returns false when
// the file could not be written; it then reads exactly as before (or is still missing).
bool WriteFileBytes(const std::string& path, std::string_view bytes);

// One INI-form file on disk: loaded in one pass, changed in memory, saved in one pass.
class File {
public:
    explicit File(std::string path);
    const std::string& path() const { return path_; }
    // Reads the file; a missing file gives an empty document. Returns false only when the
    // file exists but cannot be read (it then reads as empty).
    bool Load();
    Document& doc() { return doc_; }
    const Document& doc() const { return doc_; }
    bool dirty() const { return dirty_; }

    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        return doc_.Get(section, key);
    }
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);
    // Writes the file when something changed (with WriteFileBytes); throws WriteError when it
    // cannot, and when the file exists but could not be loaded. The file is then left as it was.
    void Save();

private:
    std::string path_;
    Document doc_;
    bool dirty_ = false;
    bool unreadable_ = false;  // the file exists but could not be read
};

// ---- The Win32 profile calls, with their exact buffer behaviour ------------------------------
// A null pointer argument is std::nullopt. These exist so that the store can be compared with the
// real functions call for call; the library itself uses Document / File.

struct GetStringResult {
    std::uint32_t ret = 0;  // what GetPrivateProfileStringA returns
    std::string buf;        // every byte it writes into the buffer, NULs included
};
GetStringResult ProfileGetString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                                 std::optional<std::string_view> def, std::uint32_t size, const std::string& path);

struct WriteResult {
    bool ok = false;
    std::uint32_t error = 0;  // GetLastError() when !ok (2 for a missing section argument)
};
WriteResult ProfileWriteString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, const std::string& path);

// GetPrivateProfileIntA's own decoding (first 29 characters, sign, 0x/0b/0o prefixes, wraps).
std::uint32_t ProfileGetInt(std::string_view section, std::string_view key, std::int32_t def, const std::string& path);

// ---- The library's own integer rule ----------------------------------------------------------
// Decimal text as it is; text longer than two characters beginning "0x" or "0X" as hexadecimal;
// anything else (empty, words, trailing junk, out of 32-bit range) gives the default.
std::int32_t ParseLibraryInt(std::string_view text, std::int32_t def);

}  // namespace morvel::ini

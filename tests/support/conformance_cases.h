// The recorded profile-function cases (cases.jsonl): loading them, and replaying them through any
// implementation of the three calls: our store natively, the real functions under Wine. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvel::conformance {

enum class OpKind { Get, GetInt, Write };

// One call. An absent optional argument is a NULL pointer.
struct Op {
    OpKind kind = OpKind::Get;
    std::optional<std::string> section;
    std::optional<std::string> key;
    std::optional<std::string> def;    // get: the default string
    std::optional<std::string> value;  // write
    std::int32_t intDefault = 0;       // getint
    std::uint32_t size = 0;            // get: buffer size

    std::int64_t ret = 0;  // get: characters copied; getint: the UINT result; write: 0 or 1
    std::string buf;       // get: every byte written into the buffer
    std::optional<std::uint32_t> error;    // write, when ret is 0 and an error was recorded
    bool hasFileAfter = false;             // write
    std::optional<std::string> fileAfter;  // write: file bytes after the call, nothing = no file
};

struct Case {
    std::string id;
    std::string group;
    std::string desc;
    std::optional<std::string> file;  // bytes before the first call; nothing = no file
    std::vector<Op> ops;
};

// Reads a cases file (one JSON object a line, blank lines allowed). Throws std::runtime_error
// naming the line on malformed input.
std::vector<Case> LoadCases(const std::string& path);

#ifdef MORVEL_INI_CASES
inline const char* DefaultCasesPath() { return MORVEL_INI_CASES; }
#endif

// The three calls, as an implementation under test answers them.
struct GetOutcome {
    std::uint32_t ret = 0;
    std::string buf;  // every byte written, NULs included
};
struct WriteOutcome {
    bool ok = false;
    std::uint32_t error = 0;  // meaningful when !ok
};

class ProfileFunctions {
public:
    virtual ~ProfileFunctions() = default;
    virtual GetOutcome Get(const std::optional<std::string>& section, const std::optional<std::string>& key,
                           const std::optional<std::string>& def, std::uint32_t size,
                           const std::string& path) = 0;
    virtual std::uint32_t GetInt(const std::string& section, const std::string& key, std::int32_t def,
                                 const std::string& path) = 0;
    virtual WriteOutcome Write(const std::optional<std::string>& section, const std::optional<std::string>& key,
                               const std::optional<std::string>& value, const std::string& path) = 0;
};

// Writes the case's file at `path` (or removes it), runs every call and compares each result with
// the recording. Returns one readable message per difference, each naming the case and the call;
// empty when everything matched. Throws std::runtime_error when the file cannot be prepared.
std::vector<std::string> Replay(const Case& c, ProfileFunctions& functions, const std::string& path);

// Bytes as readable text: printable ASCII as is, quotes and backslashes escaped, others \xNN.
std::string Escape(const std::string& bytes);
std::string Describe(const Op& op);

// File helpers on C stdio (so that they run natively and on Windows alike).
bool WriteWholeFile(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace morvel::conformance

#include "support/conformance_cases.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "support/json_lite.h"

namespace morvel::conformance {

namespace {

using json::Value;

const Value& Member(const Value& object, const char* name) {
    const Value* v = object.find(name);
    if (!v) throw std::runtime_error(std::string("missing member \"") + name + "\"");
    return *v;
}

std::optional<std::string> OptionalString(const Value& object, const char* name) {
    const Value* v = object.find(name);
    if (!v || v->isNull()) return std::nullopt;
    return v->asString();
}

Op ReadOp(const Value& o) {
    Op op;
    const std::string& kind = Member(o, "op").asString();
    if (kind == "get") {
        op.kind = OpKind::Get;
        op.section = OptionalString(o, "section");
        op.key = OptionalString(o, "key");
        op.def = OptionalString(o, "default");
        const std::int64_t size = Member(o, "size").asInt();
        if (size < 0 || size > 0x7FFFFFFF) throw std::runtime_error("size out of range");
        op.size = static_cast<std::uint32_t>(size);
        op.ret = Member(o, "ret").asInt();
        op.buf = Member(o, "buf").asString();
    } else if (kind == "getint") {
        op.kind = OpKind::GetInt;
        op.section = Member(o, "section").asString();
        op.key = Member(o, "key").asString();
        op.intDefault = static_cast<std::int32_t>(Member(o, "default").asInt());
        op.ret = Member(o, "ret").asInt();
    } else if (kind == "write") {
        op.kind = OpKind::Write;
        op.section = OptionalString(o, "section");
        op.key = OptionalString(o, "key");
        op.value = OptionalString(o, "value");
        op.ret = Member(o, "ret").asInt();
        if (const Value* e = o.find("error"); e && !e->isNull()) {
            op.error = static_cast<std::uint32_t>(e->asInt());
        }
        if (const Value* f = o.find("file_after")) {
            op.hasFileAfter = true;
            if (!f->isNull()) op.fileAfter = f->asString();
        }
    } else {
        throw std::runtime_error("unknown op \"" + kind + "\"");
    }
    return op;
}

Case ReadCase(const Value& o) {
    Case c;
    c.id = Member(o, "id").asString();
    c.group = Member(o, "group").asString();
    if (const Value* d = o.find("desc")) c.desc = d->asString();
    c.file = OptionalString(o, "file");
    for (const Value& op : Member(o, "ops").asArray()) c.ops.push_back(ReadOp(op));
    return c;
}

std::string Arg(const std::optional<std::string>& s) { return s ? "\"" + Escape(*s) + "\"" : "NULL"; }

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<Case> LoadCases(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) throw std::runtime_error("cannot read " + path);
    std::vector<Case> cases;
    std::size_t lineNo = 0;
    std::size_t pos = 0;
    while (pos < text->size()) {
        std::size_t end = text->find('\n', pos);
        if (end == std::string::npos) end = text->size();
        const std::string_view line(text->data() + pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        try {
            cases.push_back(ReadCase(json::Parse(line)));
        } catch (const std::exception& e) {
            throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + e.what());
        }
    }
    return cases;
}

std::string Escape(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == 0) {
            out += "\\0";
        } else if (c >= 0x20 && c < 0x7F) {
            out += ch;
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string Describe(const Op& op) {
    switch (op.kind) {
        case OpKind::Get:
            return "get(" + Arg(op.section) + ", " + Arg(op.key) + ", " + Arg(op.def) + ", " +
                   std::to_string(op.size) + ")";
        case OpKind::GetInt:
            return "getint(" + Arg(op.section) + ", " + Arg(op.key) + ", " + std::to_string(op.intDefault) + ")";
        case OpKind::Write:
            return "write(" + Arg(op.section) + ", " + Arg(op.key) + ", " + Arg(op.value) + ")";
    }
    return "?";
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    if (!f) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return false;
    return std::fclose(f.release()) == 0;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) bytes.append(chunk, got);
    if (std::ferror(f.get())) return std::nullopt;
    return bytes;
}

std::vector<std::string> Replay(const Case& c, ProfileFunctions& functions, const std::string& path) {
    std::remove(path.c_str());
    if (c.file && !WriteWholeFile(path, *c.file)) throw std::runtime_error("cannot write " + path);
    if (!c.file && ReadWholeFile(path)) throw std::runtime_error("cannot remove " + path);

    std::vector<std::string> problems;
    for (std::size_t i = 0; i < c.ops.size(); ++i) {
        const Op& op = c.ops[i];
        const std::string where = c.id + " op " + std::to_string(i + 1) + " " + Describe(op) + ": ";
        switch (op.kind) {
            case OpKind::Get: {
                const GetOutcome got = functions.Get(op.section, op.key, op.def, op.size, path);
                if (got.ret != op.ret) {
                    problems.push_back(where + "returned " + std::to_string(got.ret) + ", expected " +
                                       std::to_string(op.ret));
                }
                if (got.buf != op.buf) {
                    problems.push_back(where + "buffer \"" + Escape(got.buf) + "\", expected \"" + Escape(op.buf) +
                                       "\"");
                }
                break;
            }
            case OpKind::GetInt: {
                const std::uint32_t got = functions.GetInt(*op.section, *op.key, op.intDefault, path);
                if (got != op.ret) {
                    problems.push_back(where + "returned " + std::to_string(got) + ", expected " +
                                       std::to_string(op.ret));
                }
                break;
            }
            case OpKind::Write: {
                const WriteOutcome got = functions.Write(op.section, op.key, op.value, path);
                if ((got.ok ? 1 : 0) != op.ret) {
                    problems.push_back(where + "returned " + std::to_string(got.ok ? 1 : 0) + ", expected " +
                                       std::to_string(op.ret));
                }
                if (!got.ok && op.ret == 0 && op.error && got.error != *op.error) {
                    problems.push_back(where + "error " + std::to_string(got.error) + ", expected " +
                                       std::to_string(*op.error));
                }
                if (op.hasFileAfter) {
                    const std::optional<std::string> after = ReadWholeFile(path);
                    if (after != op.fileAfter) {
                        problems.push_back(where + "file " + (after ? "\"" + Escape(*after) + "\"" : "absent") +
                                           ", expected " +
                                           (op.fileAfter ? "\"" + Escape(*op.fileAfter) + "\"" : "absent"));
                    }
                }
                break;
            }
        }
    }
    return problems;
}

}  // namespace morvel::conformance

// libFuzzer target for the INI store: any bytes parse, the rewrite reads back the same, and
// changes driven by the input keep the indexes consistent.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/ini_store.h"

namespace {

using morvel::ini::Document;
using morvel::ini::Encoding;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool IsBlank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' '; }

bool HasOuterBlanks(std::string_view s) { return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back())); }

std::string_view TrimLeading(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

// Whether the decoded text holds a NUL: a NUL ends the name or value it is in, and the cut
// leaves text (blanks at its end, a shadowed name) that a rewrite reads differently. That is the
// profile functions' own behaviour, so such inputs skip the round-trip checks.
bool HasNulUnit(std::string_view bytes, Encoding enc) {
    switch (enc) {
        case Encoding::Ansi: return bytes.find('\0') != std::string_view::npos;
        case Encoding::Utf8Bom: return bytes.find('\0', 3) != std::string_view::npos;
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
                if (bytes[i] == 0 && bytes[i + 1] == 0) return true;
            }
            return false;
    }
    return true;
}

void CheckRoundTrip(std::string_view bytes, const Document& doc) {
    const std::string once = doc.Serialize();
    const Document again = Document::Parse(once);
    // A code-page file whose first line starts with a byte-order mark reads as Unicode after the
    // rewrite (blank lines before it are gone); the profile functions do the same.
    if (HasNulUnit(bytes, doc.encoding()) || again.encoding() != doc.encoding()) return;

    Check(again.SectionNames() == doc.SectionNames(), "section names differ after rewrite");
    std::vector<std::string> sections = doc.SectionNames();
    sections.emplace_back();
    for (const std::string& s : sections) {
        // A file of blanks has an empty unnamed part; its rewrite is 0 bytes, which has none.
        if (!(s.empty() && once.empty())) {
            Check(again.HasSection(s) == doc.HasSection(s), "HasSection differs after rewrite");
        }
        for (const std::string& k : doc.KeyNames(s)) {
            Check(again.GetRaw(s, k) == doc.GetRaw(s, k), "value differs after rewrite");
        }
    }
    // The second rewrite is stable: the first has dropped what the form cannot hold.
    const std::string twice = again.Serialize();
    Check(Document::Parse(twice).Serialize() == twice, "rewrite is not stable");
}

std::string PickName(FuzzedDataProvider& in, const std::vector<std::string>& known) {
    if (!known.empty() && in.ConsumeBool()) {
        return known[in.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)];
    }
    return in.ConsumeRandomLengthString(16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Document doc = Document::Parse(bytes);
    CheckRoundTrip(bytes, doc);

    // Changes on a copy, steered by the same bytes read from the other end.
    const std::string before = doc.Serialize();
    Document work = doc;
    FuzzedDataProvider in(data, size);
    const std::vector<std::string> sections = doc.SectionNames();
    const int ops = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < ops && in.remaining_bytes() > 0; ++i) {
        const std::string section = PickName(in, sections);
        const std::vector<std::string> keys = work.KeyNames(section);
        const std::string key = PickName(in, keys);
        // Without NULs or outer blanks, the trimmed lookups and the untrimmed deletes agree.
        const bool plain = section.find('\0') == std::string::npos && key.find('\0') == std::string::npos &&
                           !HasOuterBlanks(section) && !HasOuterBlanks(key);
        switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0: {
                const std::string value = in.ConsumeRandomLengthString(32);
                work.Set(section, key, value);
                if (plain && value.find('\0') == std::string::npos) {
                    Check(work.GetRaw(section, key) == TrimLeading(value), "Set value not read back");
                    Check(!work.Set(section, key, value), "second identical Set changed the document");
                }
                break;
            }
            case 1: {
                const bool found = work.GetRaw(section, key).has_value();
                const bool deleted = work.DeleteKey(section, key);
                if (plain && found) Check(deleted, "a key that Get finds was not deleted");
                break;
            }
            case 2: {
                const bool found = work.HasSection(section);
                const bool deleted = work.DeleteSection(section);
                if (plain) Check(deleted == found, "DeleteSection and HasSection disagree");
                break;
            }
            case 3: {
                const auto value = work.Get(section, key);
                const auto raw = work.GetRaw(section, key);
                Check(value.has_value() == raw.has_value(), "Get and GetRaw disagree");
                if (value) Check(value->size() <= raw->size(), "unquoted value longer than raw");
                break;
            }
        }
    }
    Check(doc.Serialize() == before, "changes to a copy reached the original");
    Document::Parse(work.Serialize());
    return 0;
}

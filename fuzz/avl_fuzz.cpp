// libFuzzer target for the AVL slideshow reader: any bytes end in "Invalid or corrupt AVL file."
// or in the slides that can be read, never in a crash or a hang; what was read writes and reads
// back as the same number of slides.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/ini_store.h"
#include "editor/avl_file.h"

namespace {

using namespace morvel;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// A file system in which files whose path length is even exist, with a short name beside them,
// so both branches of the name lookup run.
class HalfThereFileSystem final : public FileSystem {
public:
    std::optional<std::string> FindFirstName(const std::string& path) const override {
        if (path.size() % 2) return std::nullopt;
        return std::string(path::NamePart(path));
    }
    std::string ShortPath(const std::string& path) const override { return path.substr(0, 40); }
    bool FolderExists(const std::string&) const override { return false; }
    void Search(const std::string& pattern, const std::function<void(const FoundEntry&)>& visit) const override {
        if (pattern.size() % 2) return;
        const std::string name(pattern.substr(pattern.size() / 2));
        visit(FoundEntry{name, false, false, name.size() > 12 ? std::string_view(name).substr(0, 12) : ""});
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const HalfThereFileSystem fs;
    const ini::Document doc = ini::Document::Parse(bytes);
    const editor::ReadResult r = editor::ReadAvl(doc, fs);
    if (r.status == editor::ReadStatus::Invalid) {
        Check(r.slides.empty(), "an invalid file gave slides");
        return 0;
    }
    Check(!r.slides.empty(), "a readable file gave no slide");
    for (std::size_t i = 0; i < r.slides.size(); ++i) {
        Check(r.slides[i][editor::kColNumber] == std::to_string(i + 1), "slide numbers out of order");
    }
    editor::SlideTable table;
    table.Assign(r.slides);
    const ini::Document written = editor::WriteAvl(table, {640, 480});
    const editor::ReadResult again = editor::ReadAvl(ini::Document::Parse(written.Serialize()), fs);
    Check(again.status == editor::ReadStatus::Ok, "a written file does not read back");
    Check(again.slides.size() == r.slides.size(), "a written file reads back with another slide count");
    return 0;
}

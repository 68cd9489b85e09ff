#include "explorer/exchange_file.h"

#include "common/ini_store.h"
#include "common/path_parts.h"

namespace morvel::explorer_rules {

// Written from an empty document, so nothing of an earlier content survives; the store replaces
// the file only once the new one is complete, so a failed write leaves the earlier file whole
// instead of deleting it first.
void WriteExchangeFile(const std::string& path, const std::vector<IniWrite>& writes, const FileSystem&) {
    ini::Document doc;
    for (const IniWrite& w : writes) doc.Set(w.section, w.key, w.value);
    if (!ini::WriteFileBytes(path, doc.Serialize())) throw ini::WriteError(path);
}

std::vector<std::string> InputListNames(const ini::Document& list) {
    std::int64_t count = 1;
    if (auto files = list.Get("Directory", "Files")) count = ini::ParseLibraryInt(*files, 1);
    const auto sections = static_cast<std::int64_t>(list.SectionNames().size());
    if (count > sections + 1) count = sections + 1;
    std::vector<std::string> names;
    for (std::int64_t i = 1; i <= count; ++i) {
        const auto f = list.Get(std::to_string(i), "F");
        names.push_back(path::ToLowerAscii(f ? *f : "[ERROR]"));
    }
    return names;
}

}  // namespace morvel::explorer_rules

// morvel-ini: reads and changes morvel.ini, exchange files and slideshow files from scripts, with
// the library's own INI store, so a script sees and writes exactly what the library does.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ini_store.h"

namespace {

namespace ini = morvel::ini;

constexpr const char* kUsage =
    "usage: morvel-ini COMMAND FILE ARGUMENTS\n"
    "\n"
    "  get FILE SECTION KEY [DEFAULT]   the value (at most 1023 characters, as the library reads it)\n"
    "  getint FILE SECTION KEY DEFAULT  the value as the library reads integers: decimal, or 0x hex;\n"
    "                                   DEFAULT when absent or anything else\n"
    "  set FILE SECTION KEY VALUE       write the value (the file is created if needed)\n"
    "  delete FILE SECTION [KEY]        delete the key, or the whole section\n"
    "  sections FILE                    the section names, one a line\n"
    "  keys FILE SECTION                the key names of the section, one a line\n"
    "\n"
    "Exit status: 0 done, 1 the file could not be written, 2 wrong arguments.\n";

// Names and values are bytes in code page 1252: written as they are, no conversion.
void PrintLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

int Usage(const char* problem) {
    std::fprintf(stderr, "morvel-ini: %s\n\n%s", problem, kUsage);
    return 2;
}

int WriteFailed(const std::string& path) {
    const ini::WriteError error(path);
    std::fprintf(stderr, "morvel-ini: %s\n", error.what());
    return 1;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) return Usage("no command");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::size_t n = args.size();
    const auto at = [&](std::size_t i) -> const std::string& { return args[i]; };

    if (command == "get") {
        if (n != 4 && n != 5) return Usage("get takes FILE SECTION KEY [DEFAULT]");
        const std::string def = n == 5 ? at(4) : std::string();
        const auto r = ini::ProfileGetString(at(2), at(3), def, 1024, at(1));
        PrintLine(std::string_view(r.buf.data(), r.ret));
        return 0;
    }
    if (command == "getint") {
        if (n != 5) return Usage("getint takes FILE SECTION KEY DEFAULT");
        // A default that is not a number itself would be returned for a number: refuse it.
        constexpr std::int32_t kProbeA = 0;
        constexpr std::int32_t kProbeB = 1;
        const std::int32_t def = ini::ParseLibraryInt(at(4), kProbeA);
        if (def != ini::ParseLibraryInt(at(4), kProbeB)) return Usage("DEFAULT is not an integer");
        const auto r = ini::ProfileGetString(at(2), at(3), std::string_view{}, 1024, at(1));
        PrintLine(std::to_string(ini::ParseLibraryInt(std::string_view(r.buf.data(), r.ret), def)));
        return 0;
    }
    if (command == "set") {
        if (n != 5) return Usage("set takes FILE SECTION KEY VALUE");
        if (!ini::ProfileWriteString(at(2), at(3), at(4), at(1)).ok) return WriteFailed(at(1));
        return 0;
    }
    if (command == "delete") {
        if (n != 3 && n != 4) return Usage("delete takes FILE SECTION [KEY]");
        const std::optional<std::string_view> key =
            n == 4 ? std::optional<std::string_view>(at(3)) : std::nullopt;
        if (!ini::ProfileWriteString(at(2), key, std::nullopt, at(1)).ok) return WriteFailed(at(1));
        return 0;
    }
    if (command == "sections" || command == "keys") {
        const bool keys = command == "keys";
        if (n != (keys ? 3u : 2u)) return Usage(keys ? "keys takes FILE SECTION" : "sections takes FILE");
        std::string bytes;
        if (ini::ReadFileBytes(at(1), bytes) == ini::ReadStatus::Error) {
            std::fprintf(stderr, "morvel-ini: cannot read %s\n", at(1).c_str());
            return 1;
        }
        const ini::Document doc = ini::Document::Parse(bytes);
        for (const std::string& name : keys ? doc.KeyNames(at(2)) : doc.SectionNames()) PrintLine(name);
        return 0;
    }
    return Usage(("unknown command \"" + command + "\"").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int status = Run(std::vector<std::string>(argv + 1, argv + argc));
        if (std::fflush(stdout) != 0) return 1;
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvel-ini: %s\n", e.what());
        return 1;
    }
}

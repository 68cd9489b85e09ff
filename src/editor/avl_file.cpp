#include "editor/avl_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "common/path_parts.h"

namespace morvel::editor {

namespace {

constexpr std::array<std::string_view, kEffectCount> kEffects = {
    "none",          "Wipe Dn",        "Wipe Up",        "Wipe Rt",       "Wipe Lf",       "Rnd Pix",
    "Rnd SmlBox",    "Rnd MedBox",     "Rnd LgBox",      "Rnd HorzLines", "Rnd VertLines", "Out VertLines",
    "Out HorzLines", "Horz Interlace", "Vert Interlace", "OutToIn",       "InToOut",       "InToOut Lace",
    "OutToIn Lace",  "Spiral In",      "Spiral Out",     "In HorzLines",  "In VertLines",  "Vert Lace In",
    "Horz Lace In",  "Interlace Rt",   "Interlace Lf",   "Interlace Up",  "Interlace Dn",  "Random FX"};

// A read through the store returns at most 1023 characters.
constexpr std::size_t kValueLimit = 1023;

std::optional<std::string> Read(const ini::Document& doc, std::string_view section, std::string_view key) {
    auto value = doc.Get(section, key);
    if (value && value->size() > kValueLimit) value->resize(kValueLimit);
    return value;
}

std::string ReadText(const ini::Document& doc, std::string_view section, std::string_view key, std::string_view def) {
    auto value = Read(doc, section, key);
    return value ? std::move(*value) : std::string(def);
}

std::int32_t ReadInt(const ini::Document& doc, std::string_view section, std::string_view key, std::int32_t def) {
    const auto value = Read(doc, section, key);
    return value ? ini::ParseLibraryInt(*value, def) : def;
}

std::string Mark() {
    return std::string(kMark);
}

bool HasWildcard(std::string_view path) {
    return path.find_first_of("*?") != std::string_view::npos;
}

// Short and long names of slide files: one search per file gives both names; the folder's short
// form is asked only when the folder differs from the previous file's. A folder that many slides
// use is searched once instead, and its names are matched in memory: a 10,000-slide show of one
// folder then costs one search, not 10,000.
class NameLookup {
public:
    // Slides' paths take about textBytes in all.
    NameLookup(const FileSystem& fs, std::size_t textBytes) : fs_(fs), texts_(textBytes) {}

    // False when the file was not found: the row keeps the path as written.
    bool Resolve(const std::string& path, Slide& slide) {
        const std::string_view name = path::NamePart(path);
        const std::string_view folder = path::FolderPart(path);
        std::optional<std::string> longName;
        std::string shortName;
        if (!name.empty() && !HasWildcard(path)) {
            const Entry* entry = nullptr;
            if (FolderNames* names = ListedFolder(folder, name)) {
                const auto it = names->byName.find(path::ToUpperAscii(name));
                if (it != names->byName.end()) entry = &it->second;
                if (entry) {
                    longName = entry->longName;
                    shortName = entry->shortName;
                }
            } else {
                fs_.Search(path, [&](const FoundEntry& e) {
                    if (longName) return;
                    const Entry found = EntryOf(e, name);
                    longName = found.longName;
                    shortName = found.shortName;
                });
            }
        }
        if (!longName) {
            slide[kColPath] = texts_.Text(path::ToLowerAscii(path));
            slide[kColName] = texts_.Text(name);
            return false;
        }
        if (!haveFolder_ || folder != folder_) {
            folder_ = std::string(folder);
            shortFolder_ = folder.empty() ? std::string() : fs_.ShortPath(folder_);
            if (!folder_.empty() && folder_.back() == '\\' && (shortFolder_.empty() || shortFolder_.back() != '\\')) {
                shortFolder_ += '\\';
            }
            haveFolder_ = true;
        }
        slide[kColPath] = texts_.Text(path::ToLowerAscii(shortFolder_ + shortName));
        slide[kColName] = texts_.Text(*longName);
        return true;
    }

private:
    // Slides of one folder asked name by name before the folder is searched whole.
    static constexpr int kListAfter = 16;

    struct Entry {
        std::string longName;
        std::string shortName;
    };
    struct FolderNames {
        int lookups = 0;
        bool listed = false;
        std::unordered_map<std::string, Entry> byName;  // upper-case long and short names
    };

    // A name that the search of a plain name would match only by comparing it, without regard to
    // ASCII case, with an entry's long or short name. Anything else is asked of the system.
    static bool MatchesInMemory(std::string_view folder, std::string_view name) {
        if (folder.empty() || folder.back() != '\\' || name == "." || name == "..") return false;
        if (name.back() == '.' || name.back() == ' ') return false;
        for (const char c : name) {
            if (static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20) return false;
        }
        return true;
    }

    // What a slide keeps of a found file: the names that open it (the long name where the code
    // page holds it, else the short name); the name asked for where no ANSI name reaches it.
    static Entry EntryOf(const FoundEntry& e, std::string_view asked) {
        const auto opening = OpeningName(e);
        const auto shortForm = OpeningShortName(e);
        return {std::string(opening ? *opening : asked), std::string(shortForm ? *shortForm : asked)};
    }

    // The folder's names once enough slides have asked for it, else null.
    FolderNames* ListedFolder(std::string_view folder, std::string_view name) {
        if (!MatchesInMemory(folder, name)) return nullptr;
        FolderNames& names = folders_[path::ToLowerAscii(folder)];
        if (!names.listed) {
            if (++names.lookups <= kListAfter) return nullptr;
            // The first entry of the folder's order wins, as the system's first match does.
            fs_.Search(std::string(folder) + "*", [&](const FoundEntry& e) {
                const Entry entry = EntryOf(e, e.name);
                // A name the code page cannot hold arrives as a look-alike: only its short name finds it.
                if (e.realName.empty()) names.byName.try_emplace(path::ToUpperAscii(e.name), entry);
                if (!e.shortName.empty()) names.byName.try_emplace(path::ToUpperAscii(e.shortName), entry);
            });
            names.listed = true;
        }
        return &names;
    }

    const FileSystem& fs_;
    CellText::Pool texts_;  // the slides' paths and long names, in a few blocks
    bool haveFolder_ = false;
    std::string folder_;
    std::string shortFolder_;
    std::unordered_map<std::string, FolderNames> folders_;
};

// The keys of one layout.
struct Keys {
    std::string_view colour, value, wait, zoom, volume, speed;
    std::string_view mediaList;
};
constexpr Keys kVersion4Keys = {"B", "X", "W", "Z", "L", "S", kMediaList};
constexpr Keys kLegacyKeys = {"Color", "FX", "Wait", "Vid", "Vol", "Spd", kLegacyMediaList};

// False when the slide names a file that was not found.
bool ReadSlideFields(const ini::Document& doc, const std::string& section, const Keys& keys, bool version4,
                     const std::string& path, Slide& slide, NameLookup& names) {
    const bool hasPath = !path.empty() && path != kMark;
    const bool found = !hasPath || names.Resolve(path, slide);

    slide[kColColour] = ReadText(doc, section, keys.colour, "");
    slide[kColBackground] = slide[kColColour].empty() ? "No" : "Yes";
    const std::int64_t value = ReadInt(doc, section, keys.value, 1);
    slide[kColWait] = ReadText(doc, section, keys.wait, "0");
    slide[kColValue] = std::to_string(value);

    if (!hasPath) {
        // A CD-track slide keeps its track as read.
        slide[kColPath] = Mark();
        slide[kColName] = std::string(kCdTrackPrefix) + slide[kColValue].str();
        for (const int c : {kColBackground, kColEffect, kColHPos, kColVPos, kColZoom, kColVolume, kColSpeed}) {
            slide[c] = Mark();
        }
        slide[kColColour].clear();
        return found;
    }

    const std::string ext = UpperExtension(path);
    if (InList(kLoopingList, ext)) slide[kColEffect] = "Loop " + std::to_string(value + 1) + "x";

    if (version4) {
        const std::string pos = ReadText(doc, section, "P", "");
        const std::size_t comma = pos.find(',');
        slide[kColHPos] = comma == std::string::npos ? "Mid" : pos.substr(0, comma);
        slide[kColVPos] = comma == std::string::npos ? "Mid" : pos.substr(comma + 1);
    } else {
        slide[kColHPos] = ReadText(doc, section, "Hpos", "Mid");
        slide[kColVPos] = ReadText(doc, section, "Vpos", "Mid");
    }

    if (!InList(keys.mediaList, ext)) {
        // A picture slide: its value is an effect number, 0 to 29.
        const std::int64_t effect = value < 0 ? 0 : value > kEffectCount - 1 ? kEffectCount - 1 : value;
        slide[kColValue] = std::to_string(effect);
        slide[kColEffect] = std::string(EffectName(static_cast<int>(effect)));
        for (const int c : {kColZoom, kColVolume, kColSpeed}) slide[c] = Mark();
        return found;
    }

    slide[kColZoom] = ReadText(doc, section, keys.zoom, "100");
    slide[kColVolume] = ReadText(doc, section, keys.volume, "100");
    slide[kColSpeed] = ReadText(doc, section, keys.speed, "100");
    if (InList(kVideoList, ext)) return found;
    if (InList(kSoundList, ext)) {
        for (const int c : {kColBackground, kColEffect, kColHPos, kColVPos, kColZoom, kColVolume, kColSpeed}) {
            slide[c] = Mark();
        }
        slide[kColValue] = "0";
        slide[kColColour].clear();
    } else if (InList(kAnimationList, ext)) {
        for (const int c : {kColHPos, kColVPos, kColZoom, kColVolume, kColSpeed}) slide[c] = Mark();
    } else if (InList(kSlideshowList, ext)) {
        for (const int c :
             {kColBackground, kColEffect, kColWait, kColHPos, kColVPos, kColZoom, kColVolume, kColSpeed, kColValue}) {
            slide[c] = Mark();
        }
        slide[kColColour].clear();
    }
    return found;
}

}  // namespace

bool InList(std::string_view list, std::string_view extension) {
    return !extension.empty() && list.find(extension) != std::string_view::npos;
}

std::string UpperExtension(std::string_view path) {
    return path::ToUpperAscii(path::Extension(path));
}

bool IsLooping(const Slide& slide) {
    return InList(kLoopingList, UpperExtension(slide[kColName]));
}

std::string_view EffectName(int number) {
    return number >= 0 && number < kEffectCount ? kEffects[static_cast<std::size_t>(number)] : std::string_view{};
}

std::string SaveAbortedMessage(int k) {
    if (k > 10) k -= 8;
    return "Save aborted at slide #" + std::to_string(k) + "\nToo many slides or features.";
}

namespace {

// Decimal text of a number, in a buffer of the caller's: the writer copies it at once.
class Decimal {
public:
    explicit Decimal(std::int64_t value) {
        const auto end = std::to_chars(text_.data(), text_.data() + text_.size(), value).ptr;
        size_ = static_cast<std::size_t>(end - text_.data());
    }
    std::string_view view() const { return {text_.data(), size_}; }

private:
    std::array<char, 24> text_{};
    std::size_t size_ = 0;
};

// Whether a cell holds exactly the text, compared four bytes at a time in place: the standard
// comparison makes a runtime call (memcmp) for every cell whose length matches, and a slide has a
// dozen of them, three or four of which are the 30-character not-applicable mark. A cell that
// holds the mark refers to the one mark, and is known by that at once.
bool Is(std::string_view cell, std::string_view text) {
    const std::size_t n = text.size();
    if (cell.size() != n) return false;
    if (cell.data() == text.data()) return true;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint32_t a, b;
        std::memcpy(&a, cell.data() + i, 4);
        std::memcpy(&b, text.data() + i, 4);
        if (a != b) return false;
    }
    for (; i < n; ++i) {
        if (cell[i] != text[i]) return false;
    }
    return true;
}

// A number cell as the file has it: the number ParseLibraryInt reads in the cell, written in
// decimal. A cell that already is that decimal (a few digits, no leading zero) is written as it is.
std::string_view NumberText(std::string_view cell, Decimal& spare) {
    if (!cell.empty() && cell.size() <= 9 && (cell[0] != '0' || cell.size() == 1) &&
        std::all_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return cell;
    }
    spare = Decimal(ini::ParseLibraryInt(cell, 0));
    return spare.view();
}

// Where a path's name part starts (after its last "\\" or ":"), as path::NamePart splits it, by
// a plain loop over the name's few characters: find_last_of calls memchr once per character.
std::size_t NameStart(std::string_view path) {
    std::size_t start = path.size();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != ':') --start;
    return start;
}

// The folder-table entry of a folder: with a final backslash, in lower case, so that a lookup
// that ignores case is a plain lookup.
void FolderEntry(std::string_view folder, std::string& entry) {
    entry.assign(folder);
    if (entry.empty() || entry.back() != '\\') entry += '\\';
    for (char& c : entry) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
}

// A document taking a file's sections and their lines in file order.
class DocumentLines {
public:
    explicit DocumentLines(ini::Document& doc) : doc_(doc) {}
    void Section(std::string_view name) { section_.assign(name); }
    void Line(std::string_view key, std::string_view value) { doc_.Set(section_, key, value); }
    void Line(std::string_view key, std::string_view value, char join, std::string_view more) {
        std::string joined(value);
        joined += join;
        joined += more;
        doc_.Set(section_, key, joined);
    }

private:
    ini::Document& doc_;
    std::string section_;
};

// The version 4 file in its order: the header, the folder table, then one section per slide.
// `out` takes Section(name) and Line(key, value) calls in that order. A slideshow of many slides
// is one pass that builds no string per slide: a value of two parts is given as its parts.
// Shows the gauge when there are slides (true) and leaves it to the caller to hide it once the
// whole work is done.
// The empty placeholder row is no slide: written, it would read back as a CD track 0 that the
// host would try to play. A table of nothing else is a slideshow of no slides.
std::vector<const Slide*> SlidesOf(const SlideTable& table) {
    std::vector<const Slide*> slides;
    slides.reserve(static_cast<std::size_t>(table.RowCount()));
    for (const Slide& slide : table.rows()) {
        if (!IsPlaceholder(slide)) slides.push_back(&slide);
    }
    return slides;
}

// One slide's keys after F, as the file holds them.
template <typename Out>
void EmitSlideKeys(const Slide& slide, Decimal& spare, Out& out) {
    if (Is(slide[kColBackground], "Yes")) out.Line("B", NumberText(slide[kColColour], spare));
    if (!Is(slide[kColValue], kMark)) out.Line("X", NumberText(slide[kColValue], spare));
    if (!Is(slide[kColWait], kMark) && !Is(slide[kColWait], "0")) out.Line("W", slide[kColWait]);
    const CellText& h = slide[kColHPos];
    const CellText& v = slide[kColVPos];
    // A position beside "Mid" is kept too ("Left,Mid"); only both "Mid" is the default.
    if (!Is(h, kMark) && !Is(v, kMark) && (!Is(h, "Mid") || !Is(v, "Mid"))) {
        out.Line("P", h, ',', v);
    }
    if (!Is(slide[kColZoom], kMark) && !Is(slide[kColZoom], "100")) out.Line("Z", slide[kColZoom]);
    // The volume is written whenever it applies, so 50 % reads back as 50 %.
    if (!Is(slide[kColVolume], kMark)) out.Line("L", slide[kColVolume]);
    if (!Is(slide[kColSpeed], kMark) && !Is(slide[kColSpeed], "100")) out.Line("S", slide[kColSpeed]);
}

template <typename Out>
bool EmitAvl(const SlideTable& table, ScreenSize screen, Gauge* gauge, Out& out) {
    const std::vector<const Slide*> slides = SlidesOf(table);
    const int n = static_cast<int>(slides.size());
    // Shown before the folders are gathered: the gauge's idea of how long the work has taken
    // counts that pass too.
    if (gauge && n > 0) gauge->Show(1, n);
    // The folder table comes before the slides, so the folders are gathered first. Slides of one
    // folder mostly follow each other: a path in the previous slide's folder needs no lookup.
    std::vector<std::string> folders = {"c:\\"};
    std::unordered_map<std::string, int> folderIndex = {{"c:\\", 0}};
    struct Place {
        int folder = -1;  // none: the slide has no file
        std::size_t nameStart = 0;
    };
    std::vector<Place> places(static_cast<std::size_t>(n));
    std::string_view previousFolder;
    int previousIndex = -1;
    std::string entry;
    // A slide's section is its path's name, the numbers and a few short keys.
    std::size_t bytes = 256;
    for (int s = 0; s < n; ++s) {
        const CellText& path = (*slides[static_cast<std::size_t>(s)])[kColPath];
        bytes += path.size() + 96;
        if (path.empty() || Is(path, kMark)) continue;
        Place& place = places[static_cast<std::size_t>(s)];
        place.nameStart = NameStart(path);
        const std::string_view folder = std::string_view(path).substr(0, place.nameStart);
        if (previousIndex < 0 || !Is(folder, previousFolder)) {
            FolderEntry(folder, entry);
            auto [it, added] = folderIndex.try_emplace(entry, static_cast<int>(folders.size()));
            if (added) folders.push_back(entry);
            previousFolder = folder;
            previousIndex = it->second;
        }
        place.folder = previousIndex;
    }

    if constexpr (requires { out.Reserve(std::size_t{}); }) {
        for (const std::string& folder : folders) bytes += folder.size() + 16;
        out.Reserve(bytes);
    }
    out.Section("Header");
    out.Line("Ver", "4");
    out.Line("ScreenW", Decimal(screen.width).view());
    out.Line("ScreenH", Decimal(screen.height).view());
    out.Line("N", Decimal(n + 1).view());
    out.Section("Directory");
    for (std::size_t k = 0; k < folders.size(); ++k) out.Line(Decimal(static_cast<std::int64_t>(k)).view(), folders[k]);

    if (n == 0) return false;
    Decimal spare(0);
    for (int s = 1; s <= n; ++s) {
        if (gauge) gauge->Position(s);
        const Slide& slide = *slides[static_cast<std::size_t>(s - 1)];
        const Decimal number(s);
        out.Section(number.view());
        const Place& place = places[static_cast<std::size_t>(s - 1)];
        if (place.folder < 0) {
            out.Line("F", kMark);
        } else {
            out.Line("F", slide[kColPath].view().substr(place.nameStart), ',', Decimal(place.folder).view());
        }
        EmitSlideKeys(slide, spare, out);
    }
    return true;
}

}  // namespace

ini::Document WriteAvl(const SlideTable& table, ScreenSize screen, Gauge* gauge) {
    ini::Document doc;
    DocumentLines lines(doc);
    if (EmitAvl(table, screen, gauge, lines) && gauge) gauge->Hide();
    return doc;
}

std::string WriteAvlBytes(const SlideTable& table, ScreenSize screen, Gauge* gauge) {
    ini::NewFileWriter writer;
    if (EmitAvl(table, screen, gauge, writer) && gauge) gauge->Hide();
    return writer.Take();
}

std::string WriteSlideSections(const std::vector<const Slide*>& slides) {
    ini::NewFileWriter out;
    std::size_t bytes = 0;
    for (const Slide* slide : slides) bytes += (*slide)[kColPath].size() + 96;
    out.Reserve(bytes);
    Decimal spare(0);
    int number = 0;
    for (const Slide* slide : slides) {
        if (IsPlaceholder(*slide)) continue;
        out.Section(Decimal(++number).view());
        const CellText& path = (*slide)[kColPath];
        out.Line("F", path.empty() ? kMark : path.view());
        EmitSlideKeys(*slide, spare, out);
    }
    return out.Take();
}

ReadResult ReadSlideSections(std::string_view text, const FileSystem& fs) {
    ini::Document doc = ini::Document::Parse(text);
    // A whole slideshow file, or slides in the old layout, read as the file would be.
    if (doc.Get("Header", "Ver") || !doc.Get("1", "F")) return ReadAvl(doc, fs);
    std::int64_t count = 0;
    while (const auto f = doc.Get(std::to_string(count + 1), "F")) {
        ++count;
        // Each F is a full path. One with a comma would be split into a name and a folder index:
        // it becomes an empty name in a folder that is the whole path.
        if (f->find(',') == std::string::npos) continue;
        const std::string index = "p" + std::to_string(count);
        doc.Set("Directory", index, *f);
        doc.Set(std::to_string(count), "F", "," + index);
    }
    doc.Set("Header", "Ver", "4");
    doc.Set("Header", "N", std::to_string(count + 1));
    return ReadAvl(doc, fs);
}

SaveResult SaveAvl(const std::string& path, const SlideTable& table, ScreenSize screen, Gauge* gauge) {
    SaveResult result;
    ini::NewFileWriter writer;
    const bool shown = EmitAvl(table, screen, gauge, writer);
    // One write after the last slide: a failure is reported at slide n + 1.
    const bool written = ini::WriteFileBytes(path, writer.bytes());
    // The gauge stays while the file is written: the user waits for that too.
    if (shown && gauge) gauge->Hide();
    if (!written) {
        const auto slides =
            std::count_if(table.rows().begin(), table.rows().end(), [](const Slide& s) { return !IsPlaceholder(s); });
        result.ok = false;
        result.message = SaveAbortedMessage(static_cast<int>(slides) + 1);
    }
    return result;
}

ReadResult ReadAvl(const ini::Document& doc, const FileSystem& fs, Gauge* gauge) {
    ReadResult result;
    result.version4 = ReadInt(doc, "Header", "Ver", 0) >= 4;

    // Rows are made only for slide sections that exist, in sequence from 1.
    std::int64_t present = 0;
    bool shortOfCount = false;
    if (result.version4) {
        const std::int64_t n = ReadInt(doc, "Header", "N", 0);
        // A slideshow of no slides, as an empty table is saved: the empty placeholder row.
        if (n == 1 && !doc.HasSection("1")) {
            result.status = ReadStatus::Ok;
            result.slides.push_back(PlaceholderSlide());
            return result;
        }
        if (n <= 1) return result;
        while (present < n - 1 && doc.HasSection(std::to_string(present + 1))) ++present;
        shortOfCount = present < n - 1;
    } else {
        while (Read(doc, std::to_string(present + 1), "File")) ++present;
    }
    if (present == 0) return result;

    const Keys& keys = result.version4 ? kVersion4Keys : kLegacyKeys;
    // The paths of a slideshow in one block: freed, it goes back to the system at once, while
    // blocks among the reading's own go only with the last of them.
    NameLookup names(fs, static_cast<std::size_t>(present) * 64);
    std::string previousIndex;
    std::string folder;
    bool haveFolder = false;
    result.slides.resize(static_cast<std::size_t>(present));
    if (gauge) gauge->Show(1, static_cast<int>(present));
    for (std::int64_t s = 1; s <= present; ++s) {
        if (gauge) gauge->Position(static_cast<int>(s));
        Slide& slide = result.slides[static_cast<std::size_t>(s - 1)];
        const std::string section = std::to_string(s);
        slide[kColNumber] = section;
        std::string path;
        if (result.version4) {
            const std::string f = ReadText(doc, section, "F", "");
            if (!f.empty() && f != kMark) {
                const std::size_t comma = f.find(',');
                if (comma == std::string::npos) {
                    // No folder index: the name alone, as for an index that is not in the table.
                    path = f;
                } else {
                    std::string index = f.substr(comma + 1);
                    if (index.empty()) index = "0";
                    if (!haveFolder || index != previousIndex) {
                        folder = ReadText(doc, "Directory", index, "");
                        previousIndex = std::move(index);
                        haveFolder = true;
                    }
                    path = folder + f.substr(0, comma);
                }
            } else {
                path = f.empty() ? std::string() : f;
            }
        } else {
            path = ReadText(doc, section, "File", "");
        }
        if (!ReadSlideFields(doc, section, keys, result.version4, path, slide, names)) {
            result.missingRows.push_back(static_cast<int>(s));
        }
    }
    if (gauge) gauge->Hide();
    result.status = shortOfCount ? ReadStatus::Partial : ReadStatus::Ok;
    return result;
}

ReadResult LoadAvl(const std::string& path, const FileSystem& fs, Gauge* gauge) {
    std::string bytes;
    if (ini::ReadFileBytes(path, bytes) != ini::ReadStatus::Ok) return ReadResult{};
    return ReadAvl(ini::Document::Parse(bytes), fs, gauge);
}

std::vector<std::string> ReadSlideList(const ini::Document& doc) {
    std::vector<std::string> paths;
    const std::string folder = path::WithTrailingBackslash(ReadText(doc, "Directory", "Name", "c:\\"));
    for (std::size_t i = 1;; ++i) {
        const std::string f = ReadText(doc, std::to_string(i), "F", "ERROR");
        if (f == "ERROR") break;
        paths.push_back(folder + f);
    }
    return paths;
}

}  // namespace morvel::editor

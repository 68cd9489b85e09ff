// The AVL slideshow file: version 4 writing, reading of version 4, legacy and instant
// slideshow files, over the slide table model. Files are read and written in one pass through the
// INI store; file-system lookups go through FileSystem.
//
// Where this file's rules go beyond the old format's habits:
//  - a save builds the whole file in memory and hands it to the store in one write, which puts
//    the new file beside the target and replaces the target only when it is complete;
//  - the value is limited to 0..29 only for picture slides (CD tracks and loop counts keep theirs);
//  - `L` is written whenever the volume applies, 50 included; a missing `L` still reads as 100;
//  - a count N larger than the slide sections present reads the slides up to the last section
//    present in sequence and reports the file as corrupt; no row is made for a missing section;
//  - `P` is written whenever one position is not "Mid" ("Left,Mid"), so no position is lost;
//  - the empty placeholder row is not written: an empty table is a slideshow of no slides
//    (`N` = 1, no slide sections), and such a file reads back as the placeholder row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/ini_store.h"
#include "editor/slide_table.h"

namespace morvel::editor {

// Extension lists: a test is true when the upper-case extension (dot included) occurs anywhere
// inside the list text, so an empty extension never matches and ".MP" matches ".MPG".
inline constexpr std::string_view kLoopingList = ".AVI.MOV.MPG.FLI.FLC.FLX.DAT";
inline constexpr std::string_view kMediaList = ".AVI.MOV.MPG.WAV.MID.FLI.FLC.FLX.DAT.AVL";
inline constexpr std::string_view kLegacyMediaList = ".FLI.FLC.FLX.AVI.MOV.MPG.DAT.WAV.MID.AVL";
inline constexpr std::string_view kVideoList = ".AVI.MOV.MPG.DAT";
inline constexpr std::string_view kSoundList = ".WAV.MID";
inline constexpr std::string_view kAnimationList = ".FLI.FLC.FLX";
inline constexpr std::string_view kSlideshowList = ".AVL";

bool InList(std::string_view list, std::string_view extension);
// The upper-case extension of a path or name, dot included.
std::string UpperExtension(std::string_view path);
// A slide is looping when its name's extension is in the looping list.
bool IsLooping(const Slide& slide);

inline constexpr int kEffectCount = 30;
// The effect name of numbers 0 to 29 ("" outside).
std::string_view EffectName(int number);

inline constexpr std::string_view kCorruptMessage = "Invalid or corrupt AVL file.";
// "Save aborted at slide #k\nToo many slides or features." with k less 8 when it is above 10.
std::string SaveAbortedMessage(int k);

// The progress gauge over the path panel: shown with a range, moved per slide, hidden at the end.
class Gauge {
public:
    virtual ~Gauge() = default;
    virtual void Show(int /*min*/, int /*max*/) {}
    virtual void Position(int /*value*/) {}
    virtual void Hide() {}
};

struct ScreenSize {
    int width = 640;
    int height = 480;
};

// The version 4 document of the table (every key in the order and with the omissions).
ini::Document WriteAvl(const SlideTable& table, ScreenSize screen, Gauge* gauge = nullptr);
// The same file's bytes, made in one pass without a document (what a save writes).
std::string WriteAvlBytes(const SlideTable& table, ScreenSize screen, Gauge* gauge = nullptr);

struct SaveResult {
    bool ok = true;
    std::string message;  // SaveAbortedMessage when not ok
};
// Writes the table to the file in one pass. The target is replaced only by a complete file; on
// failure it keeps what it held. The gauge is hidden once the file is written.
SaveResult SaveAvl(const std::string& path, const SlideTable& table, ScreenSize screen, Gauge* gauge = nullptr);

enum class ReadStatus {
    Ok,       // every slide read
    Invalid,  // nothing read: the table is to be left as it was
    Partial,  // the slides before a failure were read; the table takes them and the user is told
};
struct ReadResult {
    ReadStatus status = ReadStatus::Invalid;
    std::vector<Slide> slides;
    bool version4 = false;
    // The slides (numbers from 1, in order) whose file the reading did not find.
    std::vector<int> missingRows;
};

// Reads the slides of a parsed file. Each slide with a path costs one search of the file system
// (its long and short name); a folder's short form is looked up only when the folder changes.
ReadResult ReadAvl(const ini::Document& doc, const FileSystem& fs, Gauge* gauge = nullptr);
// Reads a file from disk (a missing or unreadable file is Invalid).
ReadResult LoadAvl(const std::string& path, const FileSystem& fs, Gauge* gauge = nullptr);

// The slides as the sections of a slideshow file, numbered from 1, F the full path of each file
// (the placeholder row left out): the slides on the clipboard, as its text.
std::string WriteSlideSections(const std::vector<const Slide*>& slides);
// Slides from text: such sections, or a whole slideshow file in either layout, read as a file
// is read (paths in their short form where the file exists, missing files listed). Status
// Invalid when the text holds no slide.
ReadResult ReadSlideSections(std::string_view text, const FileSystem& fs);

// The multi-file list file of "&Add Slides": the folder (Directory/Name, default
// "c:\", with a final "\") followed by each entry's F, in order, while F is not "ERROR".
std::vector<std::string> ReadSlideList(const ini::Document& doc);

}  // namespace morvel::editor

// The INI store's files: whole-file reads, and the write that never loses the old content.
#include <algorithm>
#include <atomic>

#include "common/ini_store.h"
#include "common/ini_store_io.h"

namespace morvel::ini {

WriteError::WriteError(const std::string& path) : std::runtime_error("Unable to write to " + path), path_(path) {}

namespace io {

namespace {

constexpr Error kFileExists = 80;      // ERROR_FILE_EXISTS
constexpr Error kAlreadyExists = 183;  // ERROR_ALREADY_EXISTS
// A scratch name taken by a write that died is skipped; this many in a row mean something else.
constexpr int kScratchAttempts = 16;

std::uint32_t NextSerial() {
    static std::atomic<std::uint32_t> serial{0};
    return ++serial;
}

class OpenFile {
public:
    OpenFile(FileOps& ops, FileOps::Handle handle) : ops_(ops), handle_(handle) {}
    ~OpenFile() { ops_.Close(handle_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    FileOps::Handle get() const { return handle_; }

private:
    FileOps& ops_;
    FileOps::Handle handle_;
};

struct ScratchResult {
    Error error = 0;
    bool replaceRefused = false;  // the scratch file was complete, but could not take the file's place
};

// The new content in a scratch file beside the target, flushed, then moved over the target.
ScratchResult WriteThroughScratch(FileOps& ops, const std::string& target, std::string_view bytes) {
    std::string scratch;
    FileOps::Handle handle = 0;
    Error error = kWriteFault;
    for (int attempt = 0; attempt < kScratchAttempts; ++attempt) {
        scratch = ScratchNameFor(target, ops.ProcessId(), NextSerial());
        error = ops.CreateNew(scratch, target, handle);
        if (error != kFileExists && error != kAlreadyExists) break;
    }
    if (error != 0) return {error, false};
    {
        OpenFile file(ops, handle);
        error = ops.WriteAt(file.get(), 0, bytes);
        if (error == 0) error = ops.Flush(file.get());
    }
    bool replaceRefused = false;
    if (error == 0) {
        error = ops.Replace(scratch, target);
        replaceRefused = error != 0;
    }
    if (error != 0) ops.Remove(scratch);
    return {error, replaceRefused};
}

struct InPlaceResult {
    Error error = 0;
    bool touched = false;  // whether the file was opened for the write at all
};

// For a folder that takes no new file: the file is rewritten where it is. Bytes past the old end
// go first, so a full disk refuses the write before an old byte is overwritten; when a later step
// fails, the old bytes are put back.
InPlaceResult WriteInPlace(FileOps& ops, const std::string& target, std::string_view bytes) {
    FileOps::Handle handle = 0;
    if (const Error error = ops.OpenForUpdate(target, handle); error != 0) return {error, false};
    OpenFile file(ops, handle);
    std::string old;
    if (const Error error = ops.ReadAll(file.get(), old); error != 0) return {error, false};

    const std::size_t common = std::min(old.size(), bytes.size());
    if (bytes.size() > old.size()) {
        Error error = ops.WriteAt(file.get(), old.size(), bytes.substr(common));
        if (error == 0) error = ops.Flush(file.get());
        if (error != 0) {
            ops.Truncate(file.get(), old.size());
            ops.Flush(file.get());
            return {error, true};
        }
    }
    Error error = ops.WriteAt(file.get(), 0, bytes.substr(0, common));
    if (error == 0 && bytes.size() < old.size()) error = ops.Truncate(file.get(), bytes.size());
    if (error == 0) error = ops.Flush(file.get());
    if (error != 0) {
        ops.WriteAt(file.get(), 0, old);
        ops.Truncate(file.get(), old.size());
        ops.Flush(file.get());
    }
    return {error, true};
}

}  // namespace

std::string ScratchNameFor(const std::string& path, std::uint32_t processId, std::uint32_t serial) {
    // "<name>.<process><serial>.tmp": beside the file, and matched by none of the file's own masks.
    static const char kHex[] = "0123456789abcdef";
    std::string unique;
    for (const std::uint32_t value : {processId, serial}) {
        for (int shift = 28; shift >= 0; shift -= 4) unique += kHex[(value >> shift) & 0xF];
    }
    return path + "." + unique + ".tmp";
}

Error WriteFileBytesWith(FileOps& ops, const std::string& path, std::string_view bytes) {
    const std::string target = ops.Resolve(path);
    const ScratchResult scratch = WriteThroughScratch(ops, target, bytes);
    if (scratch.error == 0) return 0;
    // A file that cannot be replaced is read-only, immutable or held by a reader: rewriting it in
    // place would fail as well, or show that reader a half-written file.
    if (scratch.replaceRefused) return scratch.error;
    const InPlaceResult inPlace = WriteInPlace(ops, target, bytes);
    if (inPlace.error == 0) return 0;
    // A file that could not even be opened says less about the failure than the scratch file did.
    return inPlace.touched ? inPlace.error : scratch.error;
}

}  // namespace io

ReadStatus ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    io::FileOps& ops = io::PlatformFileOps();
    io::FileOps::Handle handle = 0;
    const io::Error error = ops.OpenForRead(path, handle);
    if (error == io::kFileNotFound || error == io::kPathNotFound) return ReadStatus::Missing;
    if (error != 0) return ReadStatus::Error;
    const io::Error readError = ops.ReadAll(handle, bytes);
    ops.Close(handle);
    if (readError != 0) {
        bytes.clear();
        return ReadStatus::Error;
    }
    return ReadStatus::Ok;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    return io::WriteFileBytesWith(io::PlatformFileOps(), path, bytes) == 0;
}

File::File(std::string path) : path_(std::move(path)) {}

bool File::Load() {
    std::string bytes;
    const ReadStatus status = ReadFileBytes(path_, bytes);
    doc_ = Document::Parse(status == ReadStatus::Ok ? bytes : std::string());
    dirty_ = false;
    unreadable_ = status == ReadStatus::Error;
    return !unreadable_;
}

void File::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (doc_.Set(section, key, value)) dirty_ = true;
}

void File::DeleteKey(std::string_view section, std::string_view key) {
    if (doc_.DeleteKey(section, key)) dirty_ = true;
}

void File::DeleteSection(std::string_view section) {
    if (doc_.DeleteSection(section)) dirty_ = true;
}

void File::Save() {
    if (!dirty_) return;
    // A file that exists but could not be read is never overwritten with what little we know.
    if (unreadable_) throw WriteError(path_);
    if (!WriteFileBytes(path_, doc_.Serialize())) throw WriteError(path_);
    dirty_ = false;
}

}  // namespace morvel::ini

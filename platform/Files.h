#pragma once
// Host file service. Paths are the program's 16-bit text: '\' and '/' both separate folders,
// and every component is matched without regard to letter case, as on the handheld's file
// system (the program lower-cases its own folder and mixes "Imgs\" with "imgs\").
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A whole-file read larger than this is refused: no data file of the program comes near it,
// so such a size can only come from damage.
constexpr uint64_t kMaxWholeFileSize = 64u * 1024u * 1024u;

// The host path a program path names: existing components keep their stored spelling,
// components that do not exist are taken as written.
std::string ResolvePath(std::u16string_view path);

// True for an existing regular file (a folder is not a file).
bool IsRegularFile(std::u16string_view path);

// What a path names for the program. Blocked: something is there that cannot be read (no
// read permission, a folder, a link to nothing). Such a thing is treated as damaged data of
// the player's: it is kept as it is, never replaced or deleted.
enum class FileState { Missing, Readable, Blocked };
FileState ProbeFile(std::u16string_view path);

// Removes a file; a Blocked one is left in place (false).
bool RemoveFile(std::u16string_view path);
bool MakeFolder(std::u16string_view path); // with missing parents; true when it exists after

// Full path of the running program file.
std::u16string ExecutablePath();

// One file open for reading. An open that fails leaves the object invalid; every read fails.
class InputFile {
public:
    explicit InputFile(std::u16string_view path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool Size(uint64_t& size) const;
    // Bytes read (fewer than count near the end), 0 at the end, -1 on error or when not open.
    int64_t Read(void* buffer, uint32_t count);

private:
    int fd_ = -1;
};

// Replaces a file atomically: the bytes go to a temporary file of a name no other writer
// uses, created beside the target without following links, and Commit flushes it to disk and
// renames it over the target. Destroying the object without Commit (or a process killed
// before it) leaves the previous file untouched. A target that is a link has the file it
// points to replaced, so the link stays; the new file keeps the old one's permissions. A
// Blocked target, or one the user may not write, is not replaced: the writer does not open.
class AtomicOutputFile {
public:
    explicit AtomicOutputFile(std::u16string_view path);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const void* data, uint32_t count);
    // True when every write succeeded and the file now holds exactly what was written.
    bool Commit();

private:
    void Discard();
    int fd_ = -1;
    bool failed_ = false;
    std::string tempPath_;
    std::string finalPath_;
};

} // namespace platform

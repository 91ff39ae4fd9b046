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

// Replaces a file atomically: the bytes go to a temporary file beside the target, and Commit
// flushes them to disk and renames the temporary over the target. Destroying the object
// without Commit (or a process killed before it) leaves the previous file untouched.
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

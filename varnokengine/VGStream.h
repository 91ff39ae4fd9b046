#pragma once
// File input through one small reader hierarchy and output through one writer. A reader
// streams from an open file or, in whole-file mode, loads the file into memory first.
// Callers test the result of every Read; AtEnd alone does not tell a missing file.
#include "varnokengine/VGString.h"

#include <cstdint>
#include <memory>

namespace platform {
class InputFile;
class AtomicOutputFile;
} // namespace platform

class VGReader {
public:
    virtual ~VGReader() = default;
    // Fills buffer with count bytes.
    virtual bool Read(void* buffer, uint32_t count) = 0;
    virtual bool AtEnd() = 0;
};

class VGMemoryReader : public VGReader {
public:
    VGMemoryReader(std::unique_ptr<uint8_t[]> buffer, uint32_t size);
    // A read that would run past the end copies nothing, fails, and leaves the reader at
    // its end, so a loop waiting for AtEnd still stops.
    bool Read(void* buffer, uint32_t count) override;
    bool AtEnd() override { return position_ >= size_; }

    uint32_t Size() const { return size_; }
    uint32_t Position() const { return position_; }
    const uint8_t* Bytes() const { return buffer_.get(); }

private:
    std::unique_ptr<uint8_t[]> buffer_;
    uint32_t size_;
    uint32_t position_ = 0;
};

class VGFileReader : public VGReader {
public:
    enum Mode : uint32_t { Streamed = 0, WholeFile = 1 };
    VGFileReader(const VGString& path, uint32_t mode);
    ~VGFileReader() override;
    bool Read(void* buffer, uint32_t count) override;
    bool AtEnd() override;

    bool IsOpen() const;
    // The whole-file buffer (null in stream mode or when the file could not be loaded).
    VGMemoryReader* Memory() const { return memory_.get(); }
    const VGString& Path() const { return path_; }

private:
    std::unique_ptr<platform::InputFile> file_;
    uint32_t atEnd_ = 0;
    std::unique_ptr<VGMemoryReader> memory_;
    VGString path_;
};

// Writes a file that replaces the old one only when the writer is closed (or destroyed)
// after every write succeeded; until then, and after a crash, the previous file stays.
class VGFileWriter {
public:
    explicit VGFileWriter(const VGString& path);
    virtual ~VGFileWriter();
    virtual bool Write(const void* data, uint32_t count);
    // Flushes and puts the file in place; true when the file now holds what was written.
    bool Close();
    bool IsOpen() const;

private:
    std::unique_ptr<platform::AtomicOutputFile> file_;
};

// The data folder followed by name.
VGString DataPath(const char16_t* name);
bool FileExists(const VGString& path);
// The longest text a reader keeps: more than any screen shows, and it fits the formatting
// buffer. What a line or counted string holds beyond it is read and dropped.
constexpr uint32_t kMaxTextLength = 1023;
// One line of 8-bit text: CR and NUL skipped, LF ends it; bytes widen as signed 8-bit.
// Work and memory are linear in the line, whatever its length.
bool ReadLine(VGReader& reader, VGString& out);
// A u32 length N, then N bytes widened as signed 8-bit (the first kMaxTextLength kept).
bool ReadCountedString(VGReader& reader, VGString& out, uint32_t* length = nullptr);
// Each character's low byte, one write per character, then CR LF.
bool WriteTextLine(VGFileWriter& writer, const VGString& text);

// No zlib stream inflates to more than about 1032 times its own length: a decoded length
// beyond that bound (with a few kilobytes to spare for tiny blocks) cannot be real, and
// nothing is allocated for it.
constexpr uint64_t kMaxInflateRatio = 1032;
inline bool InflatableFrom(uint64_t decodedLength, uint64_t storedLength) {
    return decodedLength <= storedLength * kMaxInflateRatio + 4096;
}

// Little-endian fields of the program's binary files.
bool ReadU32(VGReader& reader, uint32_t& value);
bool WriteU32(VGFileWriter& writer, uint32_t value);

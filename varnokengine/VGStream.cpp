#include "varnokengine/VGStream.h"

#include "platform/Files.h"
#include "varnokengine/VGAppPath.h"

#include <cstring>

namespace {
std::u16string_view View(const VGString& s) {
    return {s.Data(), s.Length()};
}
char16_t Widen(uint8_t byte) {
    return char16_t(int16_t(int8_t(byte)));
}
} // namespace

VGMemoryReader::VGMemoryReader(std::unique_ptr<uint8_t[]> buffer, uint32_t size)
    : buffer_(std::move(buffer)), size_(buffer_ ? size : 0) {}

bool VGMemoryReader::Read(void* buffer, uint32_t count) {
    if (position_ >= size_) return false;
    if (count > size_ - position_) {
        position_ = size_;
        return false;
    }
    if (count) std::memcpy(buffer, buffer_.get() + position_, count);
    position_ += count;
    return true;
}

VGFileReader::VGFileReader(const VGString& path, uint32_t mode) : path_(path) {
    auto file = std::make_unique<platform::InputFile>(View(path));
    if (!file->IsOpen()) return;
    if (mode != WholeFile) {
        file_ = std::move(file);
        return;
    }
    uint64_t size = 0;
    // A size no data file approaches can only come from damage: refuse it.
    if (!file->Size(size) || size > platform::kMaxWholeFileSize) return;
    auto buffer = std::make_unique<uint8_t[]>(size_t(size ? size : 1));
    int64_t got = size ? file->Read(buffer.get(), uint32_t(size)) : 0;
    if (got < 0) return;
    memory_ = std::make_unique<VGMemoryReader>(std::move(buffer), uint32_t(got));
}

VGFileReader::~VGFileReader() = default;

bool VGFileReader::IsOpen() const {
    return memory_ || file_;
}

bool VGFileReader::Read(void* buffer, uint32_t count) {
    if (memory_) return memory_->Read(buffer, count);
    if (!file_ || atEnd_) return false;
    int64_t got = file_->Read(buffer, count);
    if (got > 0) {
        // A short read counts as success; the unread rest is zeroed, never left undefined.
        if (uint64_t(got) < count) std::memset(static_cast<uint8_t*>(buffer) + got, 0, count - got);
        return true;
    }
    atEnd_ = 1;
    return false;
}

bool VGFileReader::AtEnd() {
    return memory_ ? memory_->AtEnd() : atEnd_ != 0;
}

VGFileWriter::VGFileWriter(const VGString& path)
    : file_(std::make_unique<platform::AtomicOutputFile>(View(path))) {}

VGFileWriter::~VGFileWriter() {
    Close();
}

bool VGFileWriter::IsOpen() const {
    return file_ && file_->IsOpen();
}

bool VGFileWriter::Write(const void* data, uint32_t count) {
    return file_ && file_->Write(data, count);
}

bool VGFileWriter::Close() {
    if (!file_) return false;
    bool ok = file_->Commit();
    file_.reset();
    return ok;
}

VGString DataPath(const char16_t* name) {
    return GetAppPath() + name;
}

bool FileExists(const VGString& path) {
    return VGFileReader(path, VGFileReader::Streamed).IsOpen();
}

bool ReadLine(VGReader& reader, VGString& out) {
    out.Clear();
    // Characters gather in a fixed buffer and become the string in one allocation: growing
    // the string by one character at a time would cost time quadratic in the line.
    char16_t kept[kMaxTextLength];
    uint32_t length = 0;
    uint8_t byte;
    if (!reader.Read(&byte, 1)) return false;
    do {
        if (byte == 10) break;
        if (byte != 13 && byte != 0 && length < kMaxTextLength) kept[length++] = Widen(byte);
    } while (reader.Read(&byte, 1));
    out = VGString::Join(kept, length, nullptr, 0);
    return true;
}

bool ReadCountedString(VGReader& reader, VGString& out, uint32_t* length) {
    out.Clear();
    uint32_t n = 0;
    if (!ReadU32(reader, n)) return false;
    if (length) *length = n;
    if (n == 0) return true;
    // The count comes from the file: the bytes are read in pieces of bounded size, so a
    // huge count costs no more memory than a short one and fails at the end of the data.
    uint8_t piece[4096];
    char16_t kept[kMaxTextLength];
    uint32_t keptLength = 0;
    for (uint32_t left = n; left > 0;) {
        uint32_t part = left < sizeof piece ? left : uint32_t(sizeof piece);
        if (!reader.Read(piece, part)) return false;
        for (uint32_t i = 0; i < part && keptLength < kMaxTextLength; ++i)
            kept[keptLength++] = Widen(piece[i]);
        left -= part;
    }
    out = VGString::Join(kept, keptLength, nullptr, 0);
    return true;
}

bool WriteTextLine(VGFileWriter& writer, const VGString& text) {
    bool ok = true;
    for (uint32_t i = 0; i < text.Length(); ++i) {
        uint8_t byte = uint8_t(text[i] & 0xFF);
        ok = writer.Write(&byte, 1) && ok;
    }
    static const uint8_t crlf[2] = {13, 10};
    return writer.Write(crlf, 2) && ok;
}

bool ReadU32(VGReader& reader, uint32_t& value) {
    uint8_t b[4];
    if (!reader.Read(b, 4)) return false;
    value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
}

bool WriteU32(VGFileWriter& writer, uint32_t value) {
    uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                    uint8_t(value >> 24)};
    return writer.Write(b, 4);
}

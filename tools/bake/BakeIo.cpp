#include "tools/bake/BakeIo.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <zlib.h>

void PutU16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutBytes(Bytes& out, const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + count);
}

Bytes Deflate(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes packed(size);
    if (compress2(packed.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK)
        return {};
    packed.resize(size);
    return packed;
}

Bytes CompressedContainer(const Bytes& data) {
    Bytes packed = Deflate(data);
    Bytes out;
    PutU32(out, static_cast<uint32_t>(data.size()));
    PutU32(out, static_cast<uint32_t>(packed.size()));
    PutBytes(out, packed.data(), packed.size());
    return out;
}

bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) return BakeFailure("cannot write " + path.string());
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, Bytes& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return BakeFailure("cannot read " + path.string());
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool ReadTextFile(const std::filesystem::path& path, std::string& text) {
    Bytes bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

bool BakeFailure(const std::string& what) {
    std::cerr << "bake: " << what << '\n';
    return false;
}

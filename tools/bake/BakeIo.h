#pragma once
// Byte-level helpers shared by the steps: little-endian records, zlib, whole files.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void PutU16(Bytes& out, uint16_t value);
void PutU32(Bytes& out, uint32_t value);
void PutBytes(Bytes& out, const void* data, size_t count);

// A zlib stream (header, deflate at the best compression, Adler-32) of data.
Bytes Deflate(const Bytes& data);
// The program's compressed-file container: u32 decoded length, u32 stored length, then the
// zlib stream of data. Sound files and level files share it.
Bytes CompressedContainer(const Bytes& data);

// Writes the whole file, replacing any previous one; reports failures on stderr.
bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes);
bool ReadWholeFile(const std::filesystem::path& path, Bytes& bytes);
bool ReadTextFile(const std::filesystem::path& path, std::string& text);

// Prints "bake: <what>" on stderr and returns false, for one-line failure exits.
bool BakeFailure(const std::string& what);

#pragma once
// Builds the program's image files from RGB565 pictures, for the data baker and other tools.
//
// A record is a 24-byte little-endian header (stored width, height, trim left, right, top,
// bottom as i16; id, flags, packed size as u32) followed by a zlib block of the stored pixels.
// A pack is a u32 count followed by its records; a single-image file is one record alone.
//
// What the writer decides for you:
// - Trimming (optional): rows and columns of ColourKey (0xF81F) at the edges are cut off and
//   recorded as margins with the trimmed flags, so the image keeps its logical size and place.
//   A picture that is all key is stored whole.
// - FlagKeyed is set exactly when a stored pixel equals ColourKey.
// - Bytes are deterministic: zlib level 9, same pixels in, same bytes out.
// - Sizes are limited to 0..kMaxImageSide (4096) per side, as the loader accepts.
//
// Every function returns false on bad input or a failed write and leaves files untouched
// then (files are replaced atomically).
#include <cstdint>
#include <string>
#include <vector>

namespace imagewriter {

// One logical picture: width x height RGB565 pixels, row by row, top row first.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t id = 0;
    std::vector<uint16_t> pixels;
};

enum class Trim { Off, KeyMargins };

// Appends one record to out.
bool AppendRecord(const Picture& picture, Trim trim, std::vector<uint8_t>& out);
// A whole pack (count, then the records in the given order) into out (replacing its bytes).
bool EncodePack(const std::vector<Picture>& pictures, Trim trim, std::vector<uint8_t>& out);
// A single-image file's bytes into out (replacing its bytes).
bool EncodeSingle(const Picture& picture, Trim trim, std::vector<uint8_t>& out);

// The same, written to a host path (UTF-8) atomically.
bool WritePack(const std::string& path, const std::vector<Picture>& pictures, Trim trim);
bool WriteSingle(const std::string& path, const Picture& picture, Trim trim);
// Writes bytes to a host path atomically (the previous file stays if anything fails).
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace imagewriter

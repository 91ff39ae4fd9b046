#pragma once
// Tells a pack file (u32 count, then records) from a single-image file (one record) by
// walking the record headers: a layout is accepted only when its records end exactly at the
// end of the file.
#include <cstddef>
#include <cstdint>

enum class ImageFileLayout { Pack, Single, Unknown };

// records receives the number of records (1 for a single image).
ImageFileLayout DetectLayout(const uint8_t* bytes, size_t size, uint32_t& records);

#pragma once
// Saves an RGB565 picture as an ordinary 8-bit RGB PNG file.
#include <cstdint>
#include <string>

namespace platform {

// pixels: width x height, rows without padding. False when the file cannot be written.
bool WritePngRgb565(const std::string& path, const uint16_t* pixels, int32_t width, int32_t height);

} // namespace platform

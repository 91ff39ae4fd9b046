#pragma once
// PNG output for host tools (image dumps, screenshots, golden pictures in tests).
// RGB565 pixels are widened to 8-bit RGB by repeating each channel's top bits, so 0x0000 is
// black and 0xFFFF white; the file is written atomically.
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// width x height pixels, row by row; false for a bad size or a failed write.
bool WritePng(const std::string& path, int32_t width, int32_t height, const uint16_t* rgb565);

// Reads a PNG written by WritePng (or any 8-bit RGB/RGBA/grey PNG) back to RGB565 by taking
// the top bits of each channel. False when the file is missing or not a readable PNG.
bool ReadPng(const std::string& path, int32_t& width, int32_t& height,
             std::vector<uint16_t>& rgb565);

} // namespace png

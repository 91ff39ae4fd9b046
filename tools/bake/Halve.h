#pragma once
// The program's load-time halving of an image for small screens, as a preview and a check:
// every 2x2 block is averaged over its non-key pixels (green to 5 bits), and becomes the key
// when three or four of its pixels are key. An odd last row or column is dropped.
#include <cstdint>
#include <vector>

std::vector<uint16_t> HalvePixels(const std::vector<uint16_t>& pixels, int width, int height);

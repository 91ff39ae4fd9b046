#include "tools/imgdump/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// 3 x 5 digit shapes, one row of three bits per line, top row in the highest bits.
constexpr uint16_t kDigits[10] = {
    0b111'101'101'101'111, 0b010'110'010'010'111, 0b111'001'111'100'111, 0b111'001'111'001'111,
    0b101'101'111'001'001, 0b111'100'111'001'111, 0b111'100'111'101'111, 0b111'001'010'010'010,
    0b111'101'111'101'111, 0b111'101'111'001'111,
};

constexpr int32_t kLabelScale = 2;
constexpr int32_t kPadding = 8;
constexpr int32_t kLabelHeight = 5 * kLabelScale;
constexpr int32_t kSquare = 8;
constexpr uint16_t kBoardLight = 0xC618;
constexpr uint16_t kBoardDark = 0x8410;
constexpr uint16_t kBackground = 0x2104;
constexpr int32_t kMaxSide = 32767;

int32_t LabelWidth(uint32_t id) {
    return int32_t(std::to_string(id).size()) * 4 * kLabelScale;
}

void Checkerboard(VGBitmap& sheet, int32_t x0, int32_t y0, int32_t w, int32_t h) {
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            bool light = ((x / kSquare) + (y / kSquare)) % 2 == 0;
            sheet.pixels[size_t(y0 + y) * size_t(sheet.width) + size_t(x0 + x)] =
                light ? kBoardLight : kBoardDark;
        }
}

} // namespace

int32_t DrawNumber(VGBitmap& bitmap, int32_t x, int32_t y, uint32_t value, int32_t scale,
                   uint16_t colour) {
    std::string text = std::to_string(value);
    int32_t cx = x;
    for (char c : text) {
        uint16_t shape = kDigits[c - '0'];
        for (int32_t row = 0; row < 5; ++row)
            for (int32_t col = 0; col < 3; ++col) {
                if (!(shape >> (14 - (row * 3 + col)) & 1)) continue;
                for (int32_t dy = 0; dy < scale; ++dy)
                    for (int32_t dx = 0; dx < scale; ++dx) {
                        int32_t px = cx + col * scale + dx, py = y + row * scale + dy;
                        if (px >= 0 && py >= 0 && px < bitmap.width && py < bitmap.height)
                            bitmap.pixels[size_t(py) * size_t(bitmap.width) + size_t(px)] = colour;
                    }
            }
        cx += 4 * scale;
    }
    return cx - x;
}

size_t BuildContactSheet(const std::vector<const VGBitmap*>& images, VGBitmap& sheet) {
    // Cell sizes, then a sheet width near a square, never narrower than the widest cell.
    std::vector<int32_t> cellW, cellH;
    int64_t area = 0;
    int32_t widest = 64;
    for (const VGBitmap* b : images) {
        int32_t w = std::max<int32_t>(b->fullWidth, LabelWidth(b->id)) + kPadding;
        int32_t h = b->fullHeight + kLabelHeight + 2 * kPadding;
        cellW.push_back(w);
        cellH.push_back(h);
        area += int64_t(w) * h;
        widest = std::max(widest, w);
    }
    int32_t sheetW = std::clamp<int32_t>(int32_t(std::sqrt(double(area)) * 1.2), widest, 4096);
    sheetW = std::min(sheetW + kPadding, kMaxSide);

    // Shelf layout.
    struct Place {
        int32_t x, y;
    };
    std::vector<Place> places;
    int32_t x = kPadding, y = kPadding, shelf = 0;
    for (size_t i = 0; i < images.size(); ++i) {
        if (x + cellW[i] > sheetW && x > kPadding) {
            x = kPadding;
            y += shelf;
            shelf = 0;
        }
        if (int64_t(y) + cellH[i] > kMaxSide) break;
        places.push_back({x, y});
        x += cellW[i];
        shelf = std::max(shelf, cellH[i]);
    }
    int32_t sheetH = std::min<int32_t>(y + shelf + kPadding, kMaxSide);
    sheet.Create(int16_t(sheetW), int16_t(sheetH), 0, kBackground);

    RenderTargetState saved = RenderTarget;
    SetRenderTarget(&sheet);
    for (size_t i = 0; i < places.size(); ++i) {
        const VGBitmap* b = images[i];
        Checkerboard(sheet, places[i].x, places[i].y, b->fullWidth, b->fullHeight);
        VGBitmap::Draw(b, places[i].x, places[i].y);
        DrawNumber(sheet, places[i].x, places[i].y + b->fullHeight + kPadding / 2, b->id,
                   kLabelScale, 0xFFFF);
    }
    RenderTarget = saved;
    return places.size();
}

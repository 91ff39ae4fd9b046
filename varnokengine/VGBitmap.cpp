#include "varnokengine/VGBitmap.h"

#include <cstring>
#include <new>
#include <utility>

namespace {
bool halveOnLoad = false;
} // namespace

void SetHalveImagesOnLoad(bool on) {
    halveOnLoad = on;
}
bool HalveImagesOnLoad() {
    return halveOnLoad;
}

RenderTargetState RenderTarget;

void SetRenderTarget(VGBitmap* bitmap) {
    RenderTarget.target = bitmap;
    RenderTarget.clipLeft = 0;
    RenderTarget.clipTop = 0;
    RenderTarget.clipRight = bitmap ? bitmap->width : 0;
    RenderTarget.clipBottom = bitmap ? bitmap->height : 0;
}

VGBitmap::~VGBitmap() {
    FreePixels();
}

VGBitmap::VGBitmap(VGBitmap&& other) noexcept {
    *this = std::move(other);
}

VGBitmap& VGBitmap::operator=(VGBitmap&& other) noexcept {
    if (this == &other) return *this;
    FreePixels();
    pixels = std::exchange(other.pixels, nullptr);
    fullWidth = other.fullWidth;
    fullHeight = other.fullHeight;
    halfWidth = other.halfWidth;
    halfHeight = other.halfHeight;
    width = other.width;
    height = other.height;
    trimLeft = other.trimLeft;
    trimRight = other.trimRight;
    trimTop = other.trimTop;
    trimBottom = other.trimBottom;
    id = other.id;
    flags = other.flags;
    other.width = other.height = 0;
    other.trimLeft = other.trimRight = other.trimTop = other.trimBottom = 0;
    other.flags = 0;
    other.UpdateDerived();
    return *this;
}

void VGBitmap::FreePixels() {
    delete[] pixels;
    pixels = nullptr;
}

bool VGBitmap::Create(int16_t w, int16_t h, uint32_t newFlags) {
    FreePixels();
    trimLeft = trimRight = trimTop = trimBottom = 0;
    id = kNoImageId;
    flags = newFlags;
    width = height = 0;
    bool ok = w >= 0 && h >= 0;
    if (ok) {
        // One spare pixel keeps a 0 x 0 bitmap's buffer non-null, like any other.
        pixels = new (std::nothrow) uint16_t[size_t(w) * size_t(h) + 1];
        ok = pixels != nullptr;
    }
    if (ok) {
        width = w;
        height = h;
    }
    UpdateDerived();
    return ok;
}

bool VGBitmap::Create(int16_t w, int16_t h, uint32_t newFlags, uint16_t colour) {
    if (!Create(w, h, newFlags)) return false;
    Fill(colour);
    return true;
}

void VGBitmap::Fill(uint16_t colour) {
    if (!pixels || width <= 0 || height <= 0) return;
    size_t rowPixels = size_t(width);
    if (colour == 0) {
        std::memset(pixels, 0, rowPixels * size_t(height) * 2);
        return;
    }
    for (size_t x = 0; x < rowPixels; ++x) pixels[x] = colour;
    for (int32_t y = 1; y < height; ++y) std::memcpy(pixels + y * rowPixels, pixels, rowPixels * 2);
}

uint16_t VGBitmap::GetPixel(int32_t x, int32_t y) const {
    // Wide arithmetic: a point near the ends of the int range must not overflow.
    const int64_t sx = int64_t(x) - trimLeft, sy = int64_t(y) - trimTop;
    if (!pixels || sx < 0 || sy < 0 || sx >= width || sy >= height) return kColourKey;
    return pixels[size_t(sy) * size_t(width) + size_t(sx)];
}

void VGBitmap::UpdateDerived() {
    fullWidth = int16_t(trimLeft + trimRight + width);
    fullHeight = int16_t(trimTop + trimBottom + height);
    halfWidth = int16_t(fullWidth >> 1);
    halfHeight = int16_t(fullHeight >> 1);
}

void VGBitmap::SetKeyedFromPixels() {
    flags &= ~FlagKeyed;
    if (!pixels || width <= 0 || height <= 0) return;
    size_t n = size_t(width) * size_t(height);
    for (size_t i = 0; i < n; ++i) {
        if (pixels[i] == kColourKey) {
            flags |= FlagKeyed;
            return;
        }
    }
}

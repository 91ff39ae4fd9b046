// One image record from any bytes; whatever loads is drawn plain, scaled and blended, and the
// first input byte decides whether it is halved as on a small screen.
#include "tests/fuzz/FuzzSupport.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGStream.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    SetHalveImagesOnLoad((data[0] & 1) != 0);
    auto copy = std::make_unique<uint8_t[]>(size);
    std::memcpy(copy.get(), data + 1, size - 1);
    VGMemoryReader reader(std::move(copy), uint32_t(size - 1));
    VGBitmap image;
    if (image.LoadFromStream(reader)) {
        VGBitmap target;
        target.Create(64, 48, 0, 0);
        SetRenderTarget(&target);
        VGBitmap::Draw(&image, -3, 5);
        VGBitmap::DrawEx(&image, 10, -7, image.fullWidth, image.fullHeight, 1, 2, 0.37f, 2.5f,
                         BlendAlpha, 0.5f);
        VGBitmap::DrawEx(&image, -20, 3, image.fullWidth, image.fullHeight, 0, 0, 3.0f, 0.5f,
                         BlendAdd, 1.0f);
        image.GetPixel(image.halfWidth, image.halfHeight);
        SetRenderTarget(nullptr);
    }
    ForgetErrors();
    return 0;
}
